#pragma once

#include <QList>
#include <QStyledItemDelegate>
#include <QWidget>
#include <cstdint>

#include "channel/CellValues.h"
#include "convert/FrequencyText.h"

class QCheckBox;

namespace corvalen {

// The Groups and Lockout cell editors: one check box per flag, bit n for box n. Groups: the
// sixteen groups, bit n - 1 for group n, in two rows of eight. Lockout: scan lockout (bit 0),
// do not set mode (1) and do not set squelch (2), one below the other.
class FlagsEditor : public QWidget {
    Q_OBJECT

public:
    FlagsEditor(const QStringList& names, int perRow, QWidget* parent = nullptr);
    std::uint32_t flags() const;
    void setFlags(std::uint32_t flags);

private:
    QList<QCheckBox*> m_boxes;
};

// How the grid shows and edits cells. Mode: a drop-down of the mode names that takes other text
// too; Groups: sixteen check boxes; Hotkey: none or F2 to F12; Lockout: its three flags;
// Frequency: in the unit the grid shows, a unit typed with the number winning, whole Hz stored
// (else refused with the reason, the editor staying open). A cell whose value the user did not
// change keeps its text. Numeric columns are right-aligned.
class CellEditorDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit CellEditorDelegate(QObject* parent = nullptr) : QStyledItemDelegate(parent) {}

    // The unit the grid shows frequencies in; the cells keep Hz.
    void setFrequencyUnit(FrequencyUnit unit) { m_unit = unit; }
    FrequencyUnit frequencyUnit() const { return m_unit; }

    // The text the grid shows for a cell.
    QString shownText(const QModelIndex& index) const;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

    // What the Frequency editor makes of a typed text, in `unit` when none is typed, and why it
    // refuses one (also for the Set Field dialog).
    static TypedFrequency FrequencyFromTyped(const QString& typed, FrequencyUnit unit);
    static QString FrequencyRefusal(const QString& typed, FrequencyUnit unit);

signals:
    // A typed frequency was not stored, and why.
    void refused(const QString& reason) const;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    QWidget* newEditor(QWidget* parent, const QStyleOptionViewItem& option,
                       const QModelIndex& index) const;

    FrequencyUnit m_unit = FrequencyUnit::Hz;
};

}  // namespace corvalen

#pragma once

#include <QList>
#include <QStyledItemDelegate>
#include <QWidget>
#include <cstdint>

#include "channel/CellValues.h"
#include "convert/FrequencyText.h"

class QCheckBox;

namespace corvalen {

// The Groups and Lockout cell editors: one check box per flag, bit n for box n, `perRow` a row.
class FlagsEditor : public QWidget {
    Q_OBJECT

public:
    FlagsEditor(const QStringList& names, int perRow, QWidget* parent = nullptr);
    std::uint32_t flags() const;
    void setFlags(std::uint32_t flags);

private:
    QList<QCheckBox*> m_boxes;
};

// How the grid shows and edits cells. Mode: the mode names, other text taken too; Groups and
// Lockout: check boxes; Hotkey: none or F2 to F12; Frequency: in the unit the grid shows, whole
// Hz stored (else refused with the reason). A cell whose value is not changed keeps its text.
class CellEditorDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit CellEditorDelegate(QObject* parent = nullptr) : QStyledItemDelegate(parent) {}

    void setFrequencyUnit(FrequencyUnit unit) { m_unit = unit; }
    FrequencyUnit frequencyUnit() const { return m_unit; }

    QString shownText(const QModelIndex& index) const;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

    // The Frequency editor's reading of a typed text (in `unit` when none is typed), and why
    // it refuses one.
    static TypedFrequency FrequencyFromTyped(const QString& typed, FrequencyUnit unit);
    static QString FrequencyRefusal(const QString& typed, FrequencyUnit unit);

signals:
    void refused(const QString& reason) const;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    QWidget* newEditor(QWidget* parent, const QStyleOptionViewItem& option,
                       const QModelIndex& index) const;

    FrequencyUnit m_unit = FrequencyUnit::Hz;
};

}  // namespace corvalen

#pragma once

#include <QDialog>
#include <optional>

#include "edit/ChannelRange.h"

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;

namespace corvalen {

// Edit / "Add Channel Range…": start, stop, step, first number and texts for other fields; a
// line under them says how many channels the range adds, or why OK is disabled.
class ChannelRangeDialog : public QDialog {
    Q_OBJECT

public:
    ChannelRangeDialog(const MemoryTable& table, QWidget* parent = nullptr);

    // The range as the fields stand, or nothing when it cannot be added.
    std::optional<RangeFill> fill() const;

private:
    Result<RangeFill> read() const;
    void update();

    const MemoryTable& m_table;
    QLineEdit* m_start;
    QLineEdit* m_stop;
    QLineEdit* m_step;
    QLineEdit* m_firstNumber;
    QComboBox* m_mode;
    QLineEdit* m_bandwidth;
    QLineEdit* m_ifShift;
    QLineEdit* m_groups;
    QLineEdit* m_callsign;
    QLineEdit* m_comments;
    QLabel* m_preview;
    QDialogButtonBox* m_buttons;
};

}  // namespace corvalen

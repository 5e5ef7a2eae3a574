#pragma once

#include <QDialog>
#include <optional>

#include "edit/ChannelRange.h"

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;

namespace corvalen {

// Edit / "Add Channel Range…": start, stop and step, the first channel number and texts for the
// other fields. A line under the fields says how many channels the range adds, or why it cannot
// be added; OK stays disabled until it can.
class ChannelRangeDialog : public QDialog {
    Q_OBJECT

public:
    ChannelRangeDialog(const MemoryTable& table, QWidget* parent = nullptr);

    // The range as the fields stand, or nothing when it cannot be added.
    std::optional<RangeFill> fill() const;

private:
    // The fill the fields describe, or the reason they describe none.
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

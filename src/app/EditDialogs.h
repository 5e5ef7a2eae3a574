#pragma once

#include <optional>

#include "convert/FrequencyText.h"
#include "edit/BulkEdit.h"
#include "edit/ChannelRange.h"

class QWidget;

namespace corvalen {

// The dialogs of the editing commands: real ones, or the tests' script.
class EditDialogs {
public:
    virtual ~EditDialogs() = default;
    // "Set Field of Selected Rows…" for `rowCount` rows, starting at `column`, a frequency
    // without unit in `unit`; nothing when cancelled.
    virtual std::optional<FieldEdit> askFieldEdit(const MemoryTable& table, int column,
                                                  int rowCount, FrequencyUnit unit) = 0;
    // "Add Channel Range…"; nothing when cancelled. A range it returns fits the table.
    virtual std::optional<RangeFill> askChannelRange(const MemoryTable& table) = 0;
    // "Go to Channel…": a channel number from 1 to 65535; nothing when cancelled.
    virtual std::optional<int> askChannelNumber() = 0;
};

class QtEditDialogs : public EditDialogs {
public:
    explicit QtEditDialogs(QWidget* parent) : m_parent(parent) {}
    std::optional<FieldEdit> askFieldEdit(const MemoryTable& table, int column, int rowCount,
                                          FrequencyUnit unit) override;
    std::optional<RangeFill> askChannelRange(const MemoryTable& table) override;
    std::optional<int> askChannelNumber() override;

private:
    QWidget* m_parent;
};

}  // namespace corvalen

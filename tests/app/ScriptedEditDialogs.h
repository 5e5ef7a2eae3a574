#pragma once

#include <deque>
#include <optional>

#include "ScriptedDialogs.h"
#include "app/EditDialogs.h"

// Answers the editing commands' dialogs from queues (an empty queue is a cancel) and keeps
// what Set Field was asked with.
class ScriptedEditDialogs : public corvalen::EditDialogs {
public:
    std::deque<corvalen::FieldEdit> fieldEdits;
    std::deque<corvalen::RangeFill> ranges;
    std::deque<int> channelNumbers;
    int fieldEditRows = 0;     // the row count the last "Set Field" dialog was shown with
    int fieldEditColumn = -1;  // and the column it started on

    std::optional<corvalen::FieldEdit> askFieldEdit(const corvalen::MemoryTable&, int column,
                                                    int rowCount,
                                                    corvalen::FrequencyUnit) override {
        fieldEditRows = rowCount;
        fieldEditColumn = column;
        return NextAnswer(fieldEdits, std::optional<corvalen::FieldEdit>());
    }
    std::optional<corvalen::RangeFill> askChannelRange(const corvalen::MemoryTable&) override {
        return NextAnswer(ranges, std::optional<corvalen::RangeFill>());
    }
    std::optional<int> askChannelNumber() override {
        return NextAnswer(channelNumbers, std::optional<int>());
    }
};

#pragma once

#include <deque>
#include <optional>

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
        return next(fieldEdits);
    }
    std::optional<corvalen::RangeFill> askChannelRange(const corvalen::MemoryTable&) override {
        return next(ranges);
    }
    std::optional<int> askChannelNumber() override { return next(channelNumbers); }

private:
    template <typename T>
    std::optional<T> next(std::deque<T>& queue) {
        if (queue.empty()) {
            return std::nullopt;
        }
        T answer = queue.front();
        queue.pop_front();
        return answer;
    }
};

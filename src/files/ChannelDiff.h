#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "channel/ReceiverModel.h"
#include "io/Messages.h"
#include "table/ColumnSet.h"
#include "table/MemoryTable.h"

// What differs between two tables of channels, channel by channel: the channels are matched by
// their channel number, and only the columns both sides hold are compared.
//
// Two cells hold the same value when
// - their texts are equal; or
// - the column is one the memory record of `model` keeps, the writer takes both cells as they
//   stand (no problem and no notice for either), and both give the same record field: " 7100000"
//   and "7100000", "3+1" and "1+3", an empty Hotkey and "0", an empty Groups and "0";
// - the column is another and both are whole numbers of the same value, blanks around allowed;
//   an empty Priority counts as "0", as the CSV export writes it.
// Anything else differs, however alike it looks: "CW" and an empty Mode, "7100000.4" and
// "7100000", " ABC" and "ABC" in a Callsign.
//
// Of the rows of one side with the same channel number the last is compared, as a memory file
// keeps the last record written to a place; the others are listed in `repeats`. Rows without a
// channel number (empty rows excepted) are matched in their order, and are the same only when
// their compared cells are equal texts; each other one is listed in `unnumbered`.

namespace corvalen {

struct FieldChange {
    int column = 0;
    std::string before;  // the cell of side A
    std::string after;   // the cell of side B
};

struct ChannelChange {
    enum class Kind { Added, Removed, Changed };
    Kind kind = Kind::Changed;
    std::uint16_t channel = 0;
    int rowA = 0;                     // the row compared on side A, 0 for an added channel
    int rowB = 0;                     // the row compared on side B, 0 for a removed channel
    std::vector<FieldChange> fields;  // Changed: each field that differs, in column order
};

// A channel number one side gives in more than one row.
struct RepeatedChannel {
    int side = 0;  // 0 side A, 1 side B
    std::uint16_t channel = 0;
    int row = 0;      // a row not compared
    int keptRow = 0;  // the later row that is
};

// A row of one side that has cells but no channel number from 1 to 65535, and that the other
// side has no equal row for.
struct UnnumberedRow {
    int side = 0;
    int row = 0;
};

struct ChannelDiff {
    ColumnSet compared;                    // the columns compared (Number is the key)
    std::vector<ChannelChange> changes;    // by channel number, ascending
    std::vector<RepeatedChannel> repeats;  // by side, then row
    std::vector<UnnumberedRow> unnumbered;

    bool Same() const { return changes.empty() && unnumbered.empty(); }
    int Count(ChannelChange::Kind kind) const;
};

// Compares the channel rows of `a` and `b` over the columns of `compared`, cells read for
// `model`. Linear in the rows of both tables.
ChannelDiff DiffChannels(const MemoryTable& a, const MemoryTable& b, ColumnSet compared,
                         ReceiverModel model);

// The fields of `compared` (Number aside) in which row `rowA` of `a` and row `rowB` of `b`
// differ, in column order.
std::vector<FieldChange> DiffRows(const MemoryTable& a, int rowA, const MemoryTable& b, int rowB,
                                  ColumnSet compared, ReceiverModel model);

// One line per change of `diff` between `a` and `b`, said with `texts`: "channel 3 changed:
// Frequency "7100000" -> "7200000"; Callsign "A" -> "B"".
std::vector<std::string> ChangeLines(const ChannelDiff& diff, const MemoryTable& a,
                                     const MemoryTable& b, const MessageTexts& texts);

// Whether a cell of `column` holds the same value in `a` and `b`, each cell alone in its row.
bool SameCellValue(int column, std::string_view a, std::string_view b, ReceiverModel model);

}  // namespace corvalen

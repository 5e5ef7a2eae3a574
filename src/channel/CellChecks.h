#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "channel/ChannelFields.h"
#include "channel/ReceiverModel.h"
#include "convert/NumberText.h"
#include "io/Diagnostic.h"
#include "table/Columns.h"
#include "table/MemoryTable.h"

// The rules by which the .g3m writer takes table cells, and the one checker of a memory table:
// the writer, the save reports, `check` and the editor's problem marks all come from here, so
// they never disagree. Errors are cells that cannot be taken and channels that get lost; notices
// are values written a little differently from how they stand, and channels that look alike.

namespace corvalen {

class MessageTexts;

// The 19 cells of one table row as the checks and the writer read them; the columns a table
// lacks (it has ten before an import) are empty. Valid until the table changes.
using RowTexts = std::array<std::string_view, kImportedColumnCount>;
RowTexts RowTextsOf(const MemoryTable& table, int row);
// The first of `cells` that the table has columns for: what the checks read of a row (a
// ten-column table has no Mode to be empty).
std::span<const std::string_view> PresentCells(const MemoryTable& table, const RowTexts& cells);
// Cell `column` of a row's cells; a column past them reads as empty.
inline std::string_view CellOf(std::span<const std::string_view> cells, Column column) {
    const auto index = static_cast<std::size_t>(column);
    return index < cells.size() ? cells[index] : std::string_view();
}

// A cell's text as a report quotes it: between quotes, control characters as escapes so the
// report stays one line, and a text longer than 40 characters cut, with its length added.
std::string QuotedCell(std::string_view cell);
// The same added to `out`, for messages built in one string.
void AppendQuotedCellTo(std::string& out, std::string_view cell);

// The channel number of a Number cell: a whole number from 1 to 65535, blanks around allowed.
std::optional<std::uint16_t> ChannelNumber(std::string_view numberCell);

// Whether every cell of a row is empty: no channel, passed over by the checks and the saves.
bool IsEmptyRow(std::span<const std::string_view> cells);
bool IsEmptyRow(const MemoryTable& table, int row);

// The error of a channel row with an empty Bandwidth, which the CSV import skips.
Diagnostic EmptyBandwidthProblem(int row);

// A problem as the Problems panel and `corvalen-cli check` list it, in the language of `texts`:
// "row N, Column: reason" (the leading column name moved to the front), or "row N: message".
std::string ProblemLine(const Diagnostic& problem, const MessageTexts& texts);

// Adds problems at places of one kind (lines, rows or records) to a list.
class ProblemList {
public:
    ProblemList(std::vector<Diagnostic>& list, Diagnostic::Place place)
        : m_list(list), m_place(place) {}
    void operator()(int number, int column, MessageKind kind, MessageValues values = {},
                    Diagnostic::Severity severity = Diagnostic::Severity::Error) const {
        m_list.push_back(Diagnostic{m_place, number, column, kind, std::move(values), severity});
    }

private:
    std::vector<Diagnostic>& m_list;
    Diagnostic::Place m_place;
};

// How many of `problems` are notices.
std::size_t NoticeCount(const std::vector<Diagnostic>& problems);

// What one row puts into its record, each field as the record stores it.
struct RecordFields {
    std::uint16_t channel = 0;  // 0: no channel number, and the row is not written
    std::uint32_t frequency = 0;
    std::uint16_t groups = 0;  // flag 0 (group 1) in bit 15 ... flag 15 in bit 0
    std::uint32_t hotkey = 0;
    std::uint32_t lockout = 0;
    std::uint16_t squelchLow = 0;  // the squelch word's high half is always FFFF
    std::uint8_t mode = 0;
    std::array<std::uint8_t, kCallsignWidth> callsign{};  // Windows-1252, zero-filled
    std::array<std::uint8_t, kCommentWidth> comment{};
    std::uint32_t ifShift = 0;                // two's complement; "313", "305" and "315" only
    std::uint32_t bandwidth = 0;              // two's complement; "313", "305" and "315" only
    std::uint32_t secondarySquelchType = 0;   // two's complement; "305" and "315" only
    std::uint32_t secondarySquelchValue = 0;  // two's complement; "305" and "315" only
    bool operator==(const RecordFields&) const = default;
};

// What the checks across rows take from a row's cells (see TableChecks.h), by
// TableChecks::KeysOf or while the row's own cells are read.
struct RowKeys {
    std::optional<std::uint16_t> channel;
    std::optional<std::uint32_t> frequency;  // AlikeFrequency
    int modeCode = 0;                        // ModeCode, 0 for an empty Mode, -1 unknown
    // The key of the frequency and mode among the earlier rows', 0 for a row without one.
    std::uint64_t AlikeKey() const {
        return !frequency || modeCode < 0
                   ? 0
                   : static_cast<std::uint64_t>(*frequency) << 4 | (modeCode + 1u);
    }
    bool operator==(const RowKeys&) const = default;
};

// Reads the record fields of one row (cells in column order; missing ones count as empty) for
// `model`, and adds to `problems`, in column order, a problem of row `row` for every cell that
// cannot be taken as it stands. Of a row without a channel number, which is not written, only
// the Number cell and an empty Bandwidth are reported; an empty row reports nothing. `keys`, when
// given, gets TableChecks::KeysOf(cells). Problems across rows are TableChecks' (TableChecks.h).
RecordFields ReadRecordFields(std::span<const std::string_view> cells, ReceiverModel model, int row,
                              std::vector<Diagnostic>& problems, RowKeys* keys = nullptr);

}  // namespace corvalen

#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "g3m/RecordLayout.h"
#include "io/Diagnostic.h"
#include "table/Columns.h"
#include "table/MemoryTable.h"

// The rules by which the .g3m writer takes table cells. The writer, the converter's messages and
// the editor's problem marks all come from here, so they never disagree.

namespace corvalen {

// The 19 cells of one table row as the checks and the writer read them; the columns a table
// lacks (it has ten before an import) are empty. Valid until the table changes.
using RowTexts = std::array<std::string_view, kImportedColumnCount>;
RowTexts RowTextsOf(const MemoryTable& table, int row);

// The channel number of a Number cell: a whole number from 1 to 65535, blanks around allowed.
std::optional<std::uint16_t> ChannelNumber(std::string_view numberCell);

// What one row puts into its record, each field as the record stores it.
struct RecordFields {
    std::uint16_t channel = 0;  // 0: no channel number, and the row is not written
    std::uint32_t frequency = 0;
    std::uint8_t groups0To7 = 0;   // flag 0 (group 1) in bit 7 ... flag 7 in bit 0
    std::uint8_t groups8To15 = 0;  // flag 8 (group 9) in bit 7 ... flag 15 in bit 0
    std::uint32_t hotkey = 0;
    std::uint32_t lockout = 0;
    std::uint16_t squelchLow = 0;  // the squelch word's high half is always FFFF
    std::uint8_t mode = 0;
    std::array<std::uint8_t, kCallsignWidth> callsign{};  // Windows-1252, zero-filled
    std::array<std::uint8_t, kCommentWidth> comment{};
    std::uint32_t ifShift = 0;    // two's complement; "313" only
    std::uint32_t bandwidth = 0;  // two's complement; "313" only
};

// Reads the record fields of one row (cells in column order; missing ones count as empty) for
// `model`, and adds to `problems` one Diagnostic (place Row, number `row`, the column) for every
// cell that cannot be taken as it stands, in column order, saying what was written instead.
// A row without a channel number is not written at all: only its Number cell is reported.
RecordFields ReadRecordFields(std::span<const std::string_view> cells, std::string_view model,
                              int row, std::vector<Diagnostic>& problems);

// The problems of one row alone, as ReadRecordFields reports them; for re-checking an edited row.
// A channel number that other rows repeat is a matter of the whole table (see CheckCells).
void CheckRowCells(std::span<const std::string_view> cells, std::string_view model, int row,
                   std::vector<Diagnostic>& problems);

// Walks every channel row of `table` (rows 1 and up, in row order) the way the writer does and
// hands each row's cells to `use`, which reads them (CheckRowCells, or WriteMemoryRecord when
// saving) and reports its own cells. When rows share a channel number, the last of them is the
// one whose record ends up in the file: each earlier one first gets a problem on its Number cell
// that names that row, since its record is lost. So problems come in row then column order.
void ReadTableRecords(const MemoryTable& table, std::vector<Diagnostic>& problems,
                      const std::function<void(int row, const RowTexts& cells)>& use);

// Every cell of `table` that the .g3m writer cannot use as it stands, in row then column order
// (see ReadTableRecords).
std::vector<Diagnostic> CheckCells(const MemoryTable& table, std::string_view model);

}  // namespace corvalen

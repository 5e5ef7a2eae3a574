#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "channel/ReceiverModel.h"
#include "channel/TableChecks.h"
#include "io/Diagnostic.h"
#include "table/MemoryTable.h"

namespace corvalen {

// The problems of a table kept up to date while it is edited. After the cells of a few rows
// change, only those rows are checked again, together with the rows that share a channel number,
// or a frequency and mode, with one of them before or after the change: whether a channel number
// is repeated, or a channel alike is in an earlier row, depends on those rows alone. The
// problems are always what CheckCells finds for the whole table, ordered by row, then column
// (rows equal in both keep CheckCells' order).
class EditChecks {
public:
    // Checks the whole table; true when the problems differ from the last ones.
    bool CheckAll(const MemoryTable& table, ReceiverModel model);
    // After the cells of `rows` (table rows, any order; rows past the end are passed over)
    // changed. Rows may also have been added or removed at the end of the table since the last
    // check; added rows count as changed. Rows anywhere else must keep their places. True when
    // the problems changed.
    bool RowsChanged(const MemoryTable& table, std::span<const int> rows, ReceiverModel model);

    const std::vector<Diagnostic>& Problems() const { return m_problems; }
    // After a check that found the problems changed: the table rows whose own problems differ,
    // in order (rows removed since are not among them); nothing after a check of the whole
    // table, when any row may have changed.
    const std::optional<std::vector<int>>& RowsWithNewProblems() const { return m_rowsChanged; }

private:
    struct Keys {
        std::uint16_t channel = 0;  // 0: no channel number, or an empty row
        std::uint64_t alike = 0;    // frequency << 24 | mode id + 1; 0: no frequency
    };
    Keys KeysOf(const MemoryTable& table, int row);
    Keys KeysOf(std::string_view number, std::string_view frequency, std::string_view mode);
    // The same, from the keys the table checks took from the row's cells and its Mode cell.
    Keys KeysFrom(const TableChecks::RowKeys& rowKeys, std::string_view mode);
    // Row `row`'s problems, given the last row of its channel number and the first row of its
    // frequency and mode.
    void CheckRow(const MemoryTable& table, int row, ReceiverModel model, int lastOfChannel,
                  int firstAlike, std::vector<Diagnostic>& problems) const;

    std::vector<Diagnostic> m_problems;
    std::optional<std::vector<int>> m_rowsChanged;
    // By table row (row 0 unused).
    std::vector<std::uint16_t> m_channels;
    std::vector<std::uint64_t> m_alike;
    // Mode texts the receiver does not know, by the id their key uses.
    std::unordered_map<std::string, std::uint32_t> m_otherModes;
};

}  // namespace corvalen

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
#include "table/ColumnSet.h"
#include "table/MemoryTable.h"

namespace corvalen {

// The problems of a table kept up to date while it is edited: only the rows whose cells may have
// changed are checked again; every other row takes its problems along to its new place. The
// links between rows (repeated channel numbers, channels alike) are found again from the keys
// each row keeps, and only a row whose links differ has those problems made anew. The problems
// are always what CheckCells finds for the whole table, in its order.
class EditChecks {
public:
    // Checks the whole table; true when the problems differ from the last ones.
    bool CheckAll(const MemoryTable& table, ReceiverModel model);
    // After the table changed: `from` gives for each table row (index 0 unused) the row it was
    // at the last check, that row negated where only its cells in `changed` may differ, or 0
    // where any of its cells may have changed or it is new; rows of the last check that no
    // entry names are gone. True when the problems changed.
    bool Update(const MemoryTable& table, std::span<const int> from, ReceiverModel model,
                ColumnSet changed = ColumnSet::All());

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
    // A row's keys, from the keys the read of its cells took and its Mode cell.
    Keys KeysFrom(const RowKeys& rowKeys, std::string_view mode);
    // Finds each row's links from the keys: m_lastOfChannel and m_earlierAlike.
    void FindLinks();
    // Adds to `problems` (the row's others, from `start` on) the problems of row `row`'s links.
    void AddLinks(const MemoryTable& table, int row, std::size_t start,
                  std::vector<Diagnostic>& problems) const;

    std::vector<Diagnostic> m_problems;
    std::optional<std::vector<int>> m_rowsChanged;
    // By table row (row 0 unused).
    std::vector<std::uint16_t> m_channels;
    std::vector<std::uint64_t> m_alike;
    // The last row of the row's channel number when that is another row, else 0; the first row
    // with its frequency and mode when that is an earlier row, else 0.
    std::vector<int> m_lastOfChannel;
    std::vector<int> m_earlierAlike;
    // Mode texts the receiver does not know, by the id their key uses.
    std::unordered_map<std::string, std::uint32_t> m_otherModes;
};

}  // namespace corvalen

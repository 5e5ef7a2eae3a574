#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "channel/CellChecks.h"
#include "io/Diagnostic.h"
#include "table/MemoryTable.h"

// The checks that need more than one row: channel numbers that rows repeat, and channels that
// look alike. They run row by row, in row order, so a file can be checked (and written) as it
// is read, without a table.

namespace corvalen {

class TableChecks {
public:
    // Problems are added to `problems`, which must outlive the checks.
    explicit TableChecks(std::vector<Diagnostic>& problems);

    // What the checks take from a row's cells (RowKeys, CellChecks.h).
    static RowKeys KeysOf(std::span<const std::string_view> cells);

    // Takes the next row (row numbers rising): hands its cells to `read`, which reports the
    // row's own cells (ReadRecordFields, or WriteMemoryRecord when saving) and returns
    // KeysOf(cells), and keeps the keys for Finish. A row of empty cells is only counted.
    template <typename Read>
    void Take(int row, std::span<const std::string_view> cells, Read&& read) {
        if (IsEmptyRow(cells)) {
            ++m_emptyRows;
            return;
        }
        const RowKeys keys = read(row, cells);
        Compare(row, cells, keys);
    }

    // After the last row: each row whose channel number a later row repeats gets a problem on
    // its Number cell naming the last such row, whose record the file keeps; each row with the
    // frequency (whole Hz) and mode of an earlier row gets a notice naming the first. They go
    // into their place among the problems taken since construction, in row then column order:
    // a row's lost channel first, its notice after its Frequency cell's own problems.
    void Finish();

    int EmptyRows() const { return m_emptyRows; }
    // The last row taken with `channel` as its number, 0 for none.
    int LastRowWith(std::size_t channel) const {
        return channel < m_lastSeen.size() ? m_lastSeen[channel].row : 0;
    }

    // Makes room for about `rows` rows at once, before the first is taken.
    void ExpectRows(std::size_t rows);

private:
    void Compare(int row, std::span<const std::string_view> cells, const RowKeys& keys);

    struct LostRow {
        int row;
        std::uint16_t channel;
        std::string numberCell;
    };

    std::vector<Diagnostic>& m_problems;
    std::size_t m_start;
    int m_emptyRows = 0;
    // By channel number: the last row seen with it, and its Number cell when that is not the
    // plain number (a place in m_keptCells, 0 for none).
    struct LastSeen {
        int row = 0;
        std::uint32_t keptCell = 0;  // m_keptCells[keptCell - 1]
    };
    std::vector<LastSeen> m_lastSeen;
    std::vector<std::string> m_keptCells;
    std::vector<LostRow> m_lostRows;
    // Each row with a frequency and a mode the receiver knows, in row order: its AlikeKey in the
    // high 36 bits, the row in the low 28, looked up all at once by Finish.
    std::vector<std::uint64_t> m_alike;
    // Rows whose Mode is no mode the receiver knows (and rows past what m_alike can hold), by
    // their frequency and Mode text, and the notices of those an earlier row is alike.
    std::unordered_map<std::string, int> m_otherModes;
    std::vector<Diagnostic> m_notices;
};

// Orders problems by row (or line), then column.
inline bool ByRowThenColumn(const Diagnostic& a, const Diagnostic& b) {
    return a.number != b.number ? a.number < b.number : a.column < b.column;
}

// The frequency a row writes, in whole Hz, for finding rows alike; nothing where it writes none.
std::optional<std::uint32_t> AlikeFrequency(std::string_view frequencyCell);
// The notice of row `row`, whose frequency and mode (`modeCode`, or -1 for the unknown `mode`)
// row `earlier` has first.
Diagnostic AlikeNotice(int row, std::uint32_t frequency, int modeCode, std::string_view mode,
                       int earlier);
// The problem of row `row`, whose channel number row `last` repeats and so is the one written.
Diagnostic LostChannelProblem(int row, std::string_view numberCell, std::uint16_t channel,
                              int last);

// Every problem and notice of `table`, in row then column order.
std::vector<Diagnostic> CheckCells(const MemoryTable& table, ReceiverModel model);

}  // namespace corvalen

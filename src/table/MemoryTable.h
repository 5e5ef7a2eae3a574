#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "table/Columns.h"

namespace corvalen {

// The editor's one document: rows of text cells. Row 0 holds the column captions; rows 1 to
// RowCount() - 1 are memory channels in display order. Cells are plain UTF-8 text and are never
// typed or validated here; each writer converts them when it saves.
class MemoryTable {
public:
    using Row = std::vector<std::string>;

    // An empty table: the header row only, `columnCount` columns without captions.
    explicit MemoryTable(int columnCount = kStartupColumnCount);

    // The table the window starts with: 10 columns without captions, 49 empty channel rows.
    static MemoryTable StartupLayout();
    // The table an import fills: 19 captioned columns, no channel rows.
    static MemoryTable ImportLayout();

    int RowCount() const { return static_cast<int>(m_rows.size()); }
    int ChannelCount() const { return RowCount() - 1; }
    int ColCount() const { return m_columnCount; }

    // Growing adds empty rows at the end; 1 keeps only the header row.
    void SetRowCount(int rowCount);
    // Every row, the header included, gets exactly `columnCount` cells.
    void SetColCount(int columnCount);
    // The k-th piece of the "|"-separated text becomes the caption of column k.
    void SetHeader(std::string_view barSeparatedCaptions);
    const std::string& Caption(int column) const { return CellText(0, column); }

    // Adds a channel row at the end, or so that it becomes row `at` (rows from `at` move down).
    // Cells are taken as they are (missing ones empty, surplus ones dropped), so text holding a
    // tab stays in its own cell.
    void AppendRow(Row cells);
    void AppendRow(Row cells, int at);
    // Reserves room for `channelCount` channel rows, so a bulk import allocates once.
    void ReserveChannels(int channelCount);
    void RemoveRow(int row);
    // Removes rows first..last (inclusive) in one step.
    void RemoveRows(int first, int last);

    const std::string& CellText(int row, int column) const { return m_rows[row][column]; }
    void SetCellText(int row, int column, std::string text);

    // The whole row; it always holds ColCount() cells.
    const Row& RowCells(int row) const { return m_rows[row]; }

    bool operator==(const MemoryTable&) const = default;

private:
    Row EmptyRow() const { return Row(static_cast<size_t>(m_columnCount)); }

    int m_columnCount;
    std::vector<Row> m_rows;
};

}  // namespace corvalen

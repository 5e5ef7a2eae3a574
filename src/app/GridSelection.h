#pragma once

#include <QModelIndex>
#include <span>
#include <vector>

class QTableView;

namespace corvalen {

// Where the grid's rows (through a sorting, filtering proxy) and the table's rows (1 = first
// channel), which the commands work on, meet.
class GridSelection {
public:
    explicit GridSelection(QTableView& grid) : m_grid(grid) {}

    QModelIndex toModel(const QModelIndex& gridIndex) const;
    // The grid's index of a table row's cell; invalid when the find text hides the row.
    QModelIndex gridIndexAt(int tableRow, int column) const;
    int tableRowAt(int gridRow) const;
    // Whether grid row r shows table row r + 1 for every r: loops need not map each row.
    bool inTableOrder() const;

    // The table row of the grid's cursor (the moving end of the selection), or -1.
    int currentTableRow() const;
    // Every selected row as a table row, in any order.
    std::vector<int> selectedTableRows() const;

    // The cells Copy and Cut work on: the selected rows in grid order (as table rows) across the
    // selected columns, or the current cell when nothing is selected.
    struct Cells {
        std::vector<int> rows;
        int firstColumn = 0;
        int lastColumn = -1;
    };
    Cells selectedCells() const;

    // The table rows the grid shows from `gridRow` on, at most `count` of them.
    std::vector<int> tableRowsFrom(int gridRow, int count) const;

    // Makes the cell the grid's current cell and scrolls to it.
    void setCurrentCell(int tableRow, int column) const;

    // Selects whole table rows first..last alone (those the find text shows, as few selection
    // ranges as the grid's order allows) and makes the first row's `column` the current cell.
    void selectRows(int first, int last, int column) const;

    // The selection as runs of table rows, set aside (emptied) while the rows are reordered and
    // put back at their new places: Qt would carry it cell by cell, minutes for 1,000 rows.
    struct SetAside {
        struct Run {
            int firstRow;  // table rows
            int lastRow;
            int firstColumn;
            int lastColumn;
        };
        std::vector<Run> runs;
    };
    SetAside setSelectionAside() const;
    // `places[r - 1]` is where table row r went (row r itself past the end of `places`).
    void putSelectionBack(const SetAside& aside, std::span<const int> places) const;

private:
    QTableView& m_grid;
};

}  // namespace corvalen

#pragma once

#include <QModelIndex>
#include <vector>

class QTableView;

namespace corvalen {

// The one place where the grid's rows and the table's rows meet. The grid shows the table
// through a proxy (sorted and filtered); the commands work on table rows (1 = first channel).
class GridSelection {
public:
    explicit GridSelection(QTableView& grid) : m_grid(grid) {}

    QModelIndex toModel(const QModelIndex& gridIndex) const;
    QModelIndex toGrid(const QModelIndex& modelIndex) const;
    // The grid's index of a table row's cell; invalid when the find text hides the row.
    QModelIndex gridIndexAt(int tableRow, int column) const;
    int tableRowAt(int gridRow) const;

    // The table row of the grid's cursor (the moving end of the selection), or -1.
    int currentTableRow() const;
    // Every selected row as a table row, in any order.
    std::vector<int> selectedTableRows() const;

    // The cells Copy and Cut work on: the selected rows in the grid's order (as table rows)
    // across the selected columns, or the current cell when nothing is selected.
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

private:
    QTableView& m_grid;
};

}  // namespace corvalen

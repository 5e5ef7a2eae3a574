#include "app/GridSelection.h"

#include <QAbstractProxyModel>
#include <QItemSelectionModel>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <algorithm>
#include <limits>
#include <tuple>

#include "app/MemoryTableModel.h"

namespace corvalen {

QModelIndex GridSelection::toModel(const QModelIndex& gridIndex) const {
    if (const auto* proxy = qobject_cast<const QAbstractProxyModel*>(m_grid.model())) {
        return proxy->mapToSource(gridIndex);
    }
    return gridIndex;
}

QModelIndex GridSelection::gridIndexAt(int tableRow, int column) const {
    const int row = MemoryTableModel::modelRow(tableRow);
    if (const auto* proxy = qobject_cast<const QAbstractProxyModel*>(m_grid.model())) {
        return proxy->mapFromSource(proxy->sourceModel()->index(row, column));
    }
    return m_grid.model()->index(row, column);
}

int GridSelection::tableRowAt(int gridRow) const {
    return MemoryTableModel::tableRow(toModel(m_grid.model()->index(gridRow, 0)).row());
}

bool GridSelection::inTableOrder() const {
    // Unsorted and every row shown: the grid's rows are the table's, one to one.
    const auto* proxy = qobject_cast<const QSortFilterProxyModel*>(m_grid.model());
    return proxy != nullptr && proxy->sourceModel() != nullptr && proxy->sortColumn() < 0 &&
           proxy->rowCount() == proxy->sourceModel()->rowCount();
}

int GridSelection::currentTableRow() const {
    const QModelIndex current = toModel(m_grid.currentIndex());
    return current.isValid() ? MemoryTableModel::tableRow(current.row()) : -1;
}

std::vector<int> GridSelection::selectedTableRows() const {
    std::vector<int> rows;
    const bool same = inTableOrder();
    for (const QItemSelectionRange& range : m_grid.selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            rows.push_back(same ? MemoryTableModel::tableRow(row) : tableRowAt(row));
        }
    }
    return rows;
}

GridSelection::Cells GridSelection::selectedCells() const {
    Cells cells;
    std::vector<int> gridRows;
    int firstColumn = std::numeric_limits<int>::max();
    int lastColumn = -1;
    for (const QItemSelectionRange& range : m_grid.selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            gridRows.push_back(row);
        }
        firstColumn = std::min(firstColumn, range.left());
        lastColumn = std::max(lastColumn, range.right());
    }
    if (gridRows.empty()) {
        const QModelIndex current = m_grid.currentIndex();
        if (!current.isValid()) {
            return cells;
        }
        gridRows.push_back(current.row());
        firstColumn = lastColumn = current.column();
    }
    // In grid order, each row once (ranges over different columns may share rows).
    if (!std::is_sorted(gridRows.begin(), gridRows.end())) {
        std::sort(gridRows.begin(), gridRows.end());
    }
    gridRows.erase(std::unique(gridRows.begin(), gridRows.end()), gridRows.end());
    cells.rows.reserve(gridRows.size());
    const bool same = inTableOrder();
    for (const int row : gridRows) {
        cells.rows.push_back(same ? MemoryTableModel::tableRow(row) : tableRowAt(row));
    }
    cells.firstColumn = firstColumn;
    cells.lastColumn = lastColumn;
    return cells;
}

std::vector<int> GridSelection::tableRowsFrom(int gridRow, int count) const {
    std::vector<int> rows;
    const int end = std::min(m_grid.model()->rowCount(), gridRow + count);
    const bool same = inTableOrder();
    for (int row = gridRow; row < end; ++row) {
        rows.push_back(same ? MemoryTableModel::tableRow(row) : tableRowAt(row));
    }
    return rows;
}

namespace {

// Grid rows with their columns as selection ranges, one per run of neighbouring rows over the
// same columns. Sorts `cells`.
struct GridRow {
    int row;
    int firstColumn;
    int lastColumn;
};

QItemSelection RangesOf(std::vector<GridRow>& cells, const QAbstractItemModel& model) {
    std::sort(cells.begin(), cells.end(), [](const GridRow& a, const GridRow& b) {
        return std::tie(a.firstColumn, a.lastColumn, a.row) <
               std::tie(b.firstColumn, b.lastColumn, b.row);
    });
    QItemSelection selection;
    for (std::size_t i = 0; i < cells.size();) {
        std::size_t end = i + 1;
        while (end < cells.size() && cells[end].firstColumn == cells[i].firstColumn &&
               cells[end].lastColumn == cells[i].lastColumn &&
               cells[end].row == cells[end - 1].row + 1) {
            ++end;
        }
        selection.append(QItemSelectionRange(model.index(cells[i].row, cells[i].firstColumn),
                                             model.index(cells[end - 1].row, cells[i].lastColumn)));
        i = end;
    }
    return selection;
}

}  // namespace

void GridSelection::selectRows(int first, int last, int column) const {
    setCurrentCell(first, column);
    const int lastColumn = m_grid.model()->columnCount() - 1;
    if (lastColumn >= 0) {
        putSelectionBack({{{first, last, 0, lastColumn}}}, {});
    }
}

GridSelection::SetAside GridSelection::setSelectionAside() const {
    SetAside aside;
    QItemSelectionModel& selection = *m_grid.selectionModel();
    for (const QItemSelectionRange& range : selection.selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            const int tableRow = tableRowAt(row);
            if (!aside.runs.empty() && aside.runs.back().lastRow + 1 == tableRow &&
                aside.runs.back().firstColumn == range.left() &&
                aside.runs.back().lastColumn == range.right()) {
                aside.runs.back().lastRow = tableRow;
            } else {
                aside.runs.push_back({tableRow, tableRow, range.left(), range.right()});
            }
        }
    }
    if (!aside.runs.empty()) {
        selection.clearSelection();
    }
    return aside;
}

void GridSelection::putSelectionBack(const SetAside& aside, std::span<const int> places) const {
    std::vector<GridRow> cells;
    for (const SetAside::Run& run : aside.runs) {
        for (int row = run.firstRow; row <= run.lastRow; ++row) {
            const auto place = static_cast<std::size_t>(row - 1);
            const QModelIndex cell =
                gridIndexAt(place < places.size() ? places[place] : row, run.firstColumn);
            if (cell.isValid()) {
                cells.push_back({cell.row(), run.firstColumn, run.lastColumn});
            }
        }
    }
    m_grid.selectionModel()->select(RangesOf(cells, *m_grid.model()),
                                    QItemSelectionModel::ClearAndSelect);
}

void GridSelection::setCurrentCell(int tableRow, int column) const {
    const QModelIndex cell = gridIndexAt(tableRow, column);
    m_grid.setCurrentIndex(cell);
    m_grid.scrollTo(cell);
}

}  // namespace corvalen

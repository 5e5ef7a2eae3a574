#include "app/GridSelection.h"

#include <QAbstractProxyModel>
#include <QItemSelectionModel>
#include <QTableView>
#include <algorithm>
#include <limits>
#include <set>

#include "app/MemoryTableModel.h"

namespace corvalen {

QModelIndex GridSelection::toModel(const QModelIndex& gridIndex) const {
    if (const auto* proxy = qobject_cast<const QAbstractProxyModel*>(m_grid.model())) {
        return proxy->mapToSource(gridIndex);
    }
    return gridIndex;
}

QModelIndex GridSelection::toGrid(const QModelIndex& modelIndex) const {
    if (const auto* proxy = qobject_cast<const QAbstractProxyModel*>(m_grid.model())) {
        return proxy->mapFromSource(modelIndex);
    }
    return modelIndex;
}

QModelIndex GridSelection::gridIndexAt(int tableRow, int column) const {
    const QAbstractItemModel* model = m_grid.model();
    const auto* proxy = qobject_cast<const QAbstractProxyModel*>(model);
    const QAbstractItemModel* table = proxy ? proxy->sourceModel() : model;
    return toGrid(table->index(MemoryTableModel::modelRow(tableRow), column));
}

int GridSelection::tableRowAt(int gridRow) const {
    return MemoryTableModel::tableRow(toModel(m_grid.model()->index(gridRow, 0)).row());
}

int GridSelection::currentTableRow() const {
    const QModelIndex current = toModel(m_grid.currentIndex());
    return current.isValid() ? MemoryTableModel::tableRow(current.row()) : -1;
}

std::vector<int> GridSelection::selectedTableRows() const {
    std::vector<int> rows;
    for (const QItemSelectionRange& range : m_grid.selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            rows.push_back(tableRowAt(row));
        }
    }
    return rows;
}

GridSelection::Cells GridSelection::selectedCells() const {
    Cells cells;
    std::set<int> gridRows;
    int firstColumn = std::numeric_limits<int>::max();
    int lastColumn = -1;
    for (const QItemSelectionRange& range : m_grid.selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            gridRows.insert(row);
        }
        firstColumn = std::min(firstColumn, range.left());
        lastColumn = std::max(lastColumn, range.right());
    }
    if (gridRows.empty()) {
        const QModelIndex current = m_grid.currentIndex();
        if (!current.isValid()) {
            return cells;
        }
        gridRows.insert(current.row());
        firstColumn = lastColumn = current.column();
    }
    cells.rows.reserve(gridRows.size());
    for (const int row : gridRows) {
        cells.rows.push_back(tableRowAt(row));
    }
    cells.firstColumn = firstColumn;
    cells.lastColumn = lastColumn;
    return cells;
}

std::vector<int> GridSelection::tableRowsFrom(int gridRow, int count) const {
    std::vector<int> rows;
    const int end = std::min(m_grid.model()->rowCount(), gridRow + count);
    for (int row = gridRow; row < end; ++row) {
        rows.push_back(tableRowAt(row));
    }
    return rows;
}

void GridSelection::setCurrentCell(int tableRow, int column) const {
    const QModelIndex cell = gridIndexAt(tableRow, column);
    m_grid.setCurrentIndex(cell);
    m_grid.scrollTo(cell);
}

}  // namespace corvalen

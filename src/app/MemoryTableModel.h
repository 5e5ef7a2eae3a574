#pragma once

#include <QAbstractTableModel>
#include <optional>
#include <string>
#include <vector>

#include "table/MemoryTable.h"
#include "table/RowOperations.h"

class QUndoStack;

namespace corvalen {

// The memory table as the grid sees it (model row i is table row i + 1, the captions the header).
// Every change, the undo steps' too, goes through it, so the view hears of it.
class MemoryTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit MemoryTableModel(MemoryTable table = MemoryTable::StartupLayout(),
                              QObject* parent = nullptr);

    const MemoryTable& table() const { return m_table; }

    // Where the grid's cell edits go as undoable commands; without one they apply directly.
    void setUndoStack(QUndoStack* stack) { m_undoStack = stack; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : m_table.ChannelCount();
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : m_table.ColCount();
    }
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    static Qt::ItemFlags cellFlags() {
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
    }

    // Replaces the whole table, as an import does, and hands back the table it replaced.
    MemoryTable swapTable(MemoryTable table);

    // Rows below are table rows (1 = first channel row), not model rows.
    // "Add Row" (no row given) or "Insert Row" below `selectionEndRow`: returns the new row.
    int addRow(std::optional<int> selectionEndRow = std::nullopt);
    // "Re-Index": renumbers 1..n and returns the Number texts before, for restoreNumbers.
    std::vector<std::string> reIndex();
    void restoreNumbers(std::vector<std::string> numbers);

    // "Delete Row(s)" of `ranges` (ascending), renumbering the rest; undeleteRows puts them back.
    DeletedRows deleteRows(const std::vector<RowRange>& ranges);
    void undeleteRows(const std::vector<RowRange>& ranges, DeletedRows deleted);

    // Removes rows first..last and returns them; putRows inserts rows, the first at `at`.
    MemoryTable takeRows(int first, int last);
    void putRows(int at, MemoryTable rows);

    // Puts the rows in the order `order` gives (see MovedRowOrder) as one layout change.
    void reorderRows(const std::vector<int>& order);

    // Writes `block` with its top left cell at (row, column) and returns the texts it replaced.
    MemoryTable swapCells(int row, int column, MemoryTable block);

    static int modelRow(int tableRow) { return tableRow - 1; }
    static int tableRow(int modelRow) { return modelRow + 1; }

signals:
    // Around reorderRows, for a view to carry its selection over as runs of rows (Qt would
    // carry it cell by cell). `places[r - 1]` is the row that row r became.
    void rowsAboutToBeReordered();
    void rowsReordered(const std::vector<int>& places);

private:
    void numbersChanged();

    MemoryTable m_table;
    QUndoStack* m_undoStack = nullptr;
};

}  // namespace corvalen

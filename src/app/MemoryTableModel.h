#pragma once

#include <QAbstractTableModel>
#include <string>
#include <vector>

#include "table/MemoryTable.h"
#include "table/RowOperations.h"

class QUndoStack;

namespace corvalen {

// The memory table as the grid sees it: model row i is table row i + 1, and the table's row 0
// (the captions) is the horizontal header. Every change goes through this class, so the view
// hears of it. Its changes are the undo steps' parts, in pairs that undo each other (takeRows and
// putRows, reIndex and restoreNumbers) or that undo themselves (swapCells, swapTable).
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
    // What every cell is: enabled, selectable and editable.
    static Qt::ItemFlags cellFlags() {
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
    }

    // Replaces the whole table, as an import does, and hands back the table it replaced.
    MemoryTable swapTable(MemoryTable table);

    // Rows below are table rows (1 = first channel row), not model rows.
    // "Add Row": returns the new row.
    int addRow();
    // "Insert Row" below `selectionEndRow`: returns the new row.
    int insertRowBelow(int selectionEndRow);
    // "Re-Index": renumbers the Number column 1..n and returns the texts it held before.
    std::vector<std::string> reIndex();
    // Puts back a Number column that reIndex() returned (one text per channel row).
    void restoreNumbers(std::vector<std::string> numbers);

    // "Delete Row(s)" of `ranges` (ascending), renumbering the rest; undeleteRows puts them back.
    DeletedRows deleteRows(const std::vector<RowRange>& ranges);
    void undeleteRows(const std::vector<RowRange>& ranges, DeletedRows deleted);

    // Removes the channel rows first..last and returns them as a table with the same columns.
    MemoryTable takeRows(int first, int last);
    // Inserts the channel rows of `rows` so that the first becomes row `at`.
    void putRows(int at, MemoryTable rows);

    // Puts the channel rows in the order `order` gives (see MovedRowOrder) as one layout
    // change; the grid's current cell stays with its row.
    void reorderRows(const std::vector<int>& order);

    // Writes the channel rows of `block` with its top left cell at (row, column), inside the
    // table, and returns the texts it replaced in the same form.
    MemoryTable swapCells(int row, int column, MemoryTable block);

    static int modelRow(int tableRow) { return tableRow - 1; }
    static int tableRow(int modelRow) { return modelRow + 1; }

signals:
    // Around reorderRows' layout change: a view sets its selection aside as runs of rows and
    // puts it back where the rows went (Qt would carry it one cell at a time). `places[r - 1]`
    // is the row that row r became.
    void rowsAboutToBeReordered();
    void rowsReordered(const std::vector<int>& places);

private:
    void numbersChanged();

    MemoryTable m_table;
    QUndoStack* m_undoStack = nullptr;
};

}  // namespace corvalen

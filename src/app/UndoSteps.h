#pragma once

#include <QUndoCommand>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "app/MemoryTableModel.h"
#include "edit/BulkEdit.h"
#include "table/MoveRows.h"

namespace corvalen {

class Document;

// An undoable change of the memory table through the model, so the grid hears of it, keeping
// only the State its kind of change needs.
template <typename State, void (*Redo)(MemoryTableModel&, State&),
          void (*Undo)(MemoryTableModel&, State&) = Redo>
class ModelStep : public QUndoCommand {
public:
    ModelStep(MemoryTableModel& model, State state, const QString& text,
              QUndoCommand* parent = nullptr)
        : QUndoCommand(text, parent), m_model(model), m_state(std::move(state)) {}
    void redo() override { Redo(m_model, m_state); }
    void undo() override { Undo(m_model, m_state); }
    const State& state() const { return m_state; }

private:
    MemoryTableModel& m_model;
    State m_state;
};

// A block of cell texts (a cell edit, a paste, a cut) with its top left cell at (row, column);
// undo and redo swap it with what the table holds there.
struct CellBlock {
    int row;
    int column;
    MemoryTable block;
    static void Swap(MemoryTableModel& model, CellBlock& cells) {
        cells.block = model.swapCells(cells.row, cells.column, std::move(cells.block));
    }
};
using SetCellsStep = ModelStep<CellBlock, CellBlock::Swap>;

// "Add Row" (no row given) or "Insert Row" below a row; `row` is the row added once it has run.
struct AddedRow {
    std::optional<int> below;
    int row = -1;
    static void Add(MemoryTableModel& model, AddedRow& added) {
        added.row = model.addRow(added.below);
    }
    static void Remove(MemoryTableModel& model, AddedRow& added) {
        model.takeRows(added.row, added.row);
    }
};
using AddRowStep = ModelStep<AddedRow, AddedRow::Add, AddedRow::Remove>;

// Ready-made rows inserted at `at` (the rows a paste adds past the last row).
struct PutRows {
    int at;
    MemoryTable rows;  // while they are out of the table, else empty
    int count = 0;
    static void Put(MemoryTableModel& model, PutRows& put) {
        put.count = put.rows.ChannelCount();
        const int columns = put.rows.ColCount();
        model.putRows(put.at, std::move(put.rows));
        put.rows = MemoryTable(columns);
    }
    static void Take(MemoryTableModel& model, PutRows& put) {
        put.rows = model.takeRows(put.at, put.at + put.count - 1);
    }
};
using PutRowsStep = ModelStep<PutRows, PutRows::Put, PutRows::Take>;

// "Delete Row(s)" of table row ranges, ascending and apart (see RowRanges), renumbering the rest.
struct DeletedRanges {
    std::vector<RowRange> ranges;
    DeletedRows deleted{};  // while deleted
    static void Delete(MemoryTableModel& model, DeletedRanges& rows) {
        rows.deleted = model.deleteRows(rows.ranges);
    }
    static void Undelete(MemoryTableModel& model, DeletedRanges& rows) {
        model.undeleteRows(rows.ranges, std::move(rows.deleted));
        rows.deleted = {};
    }
};
using DeleteRowsStep = ModelStep<DeletedRanges, DeletedRanges::Delete, DeletedRanges::Undelete>;

// The four moves: the rows' new order (see MovedRowOrder).
struct RowOrder {
    std::vector<int> order;
    static void Move(MemoryTableModel& model, RowOrder& rows) { model.reorderRows(rows.order); }
    static void MoveBack(MemoryTableModel& model, RowOrder& rows) {
        model.reorderRows(InverseRowOrder(rows.order));
    }
};
using MoveRowsStep = ModelStep<RowOrder, RowOrder::Move, RowOrder::MoveBack>;

// "Re-Index": the texts the Number column held before it.
struct OldNumbers {
    std::vector<std::string> texts;
    static void ReIndex(MemoryTableModel& model, OldNumbers& old) { old.texts = model.reIndex(); }
    static void Restore(MemoryTableModel& model, OldNumbers& old) {
        model.restoreNumbers(std::move(old.texts));
        old.texts.clear();
    }
};
using ReIndexStep = ModelStep<OldNumbers, OldNumbers::ReIndex, OldNumbers::Restore>;
// Whether every channel row carries its own number already, so Re-Index would change nothing.
bool NumberedInOrder(const MemoryTable& table);

// Replaces the whole table (an import or an opened file), keeping the one it replaced.
struct WholeTable {
    MemoryTable table;
    static void Swap(MemoryTableModel& model, WholeTable& whole) {
        whole.table = model.swapTable(std::move(whole.table));
    }
};
class LoadTableStep : public ModelStep<WholeTable, WholeTable::Swap> {
public:
    // The opens the history reaches back over: each keeps the whole table it replaced.
    static constexpr int kOpensKept = 1;

    // Pushes the open of `table`, first clearing a history that holds kOpensKept opens already:
    // this open can still be undone, the steps before it not.
    static void Push(Document& document, MemoryTable table, const QString& text);

    LoadTableStep(Document& document, MemoryTable table, const QString& text);
};

// What a paste did, for the status line.
struct PasteOutcome {
    int rows = 0;            // rows of the block
    int columns = 0;         // columns written (after clipping)
    int rowsAdded = 0;       // rows added past the last row
    int columnsLeftOut = 0;  // columns of the block past the table's last column
};

// "Paste" of `block` from `column` on: its first rows overwrite the rows `targetRows` (the grid's
// from the cursor down), the rest are added at the end, numbered as "Add Row" does unless the block
// fills their Number. Columns past the last are left out. Nothing when there is nothing to paste.
std::unique_ptr<QUndoCommand> MakePasteStep(MemoryTableModel& model,
                                            const std::vector<int>& targetRows, int column,
                                            MemoryTable block, PasteOutcome& outcome);

// Empties columns firstColumn..lastColumn of `rows` (any order); nothing when they are empty.
std::unique_ptr<QUndoCommand> MakeClearStep(MemoryTableModel& model, std::vector<int> rows,
                                            int firstColumn, int lastColumn, const QString& text);

// "Set Field of Selected Rows…" on `rows` (any order); nothing when no cell changes.
std::unique_ptr<QUndoCommand> MakeFieldEditStep(MemoryTableModel& model, std::vector<int> rows,
                                                const FieldEdit& edit, const QString& text);

}  // namespace corvalen

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

// The undoable changes of the memory table, one class per kind. Each works only through the
// model's methods, so the grid hears of every step, and keeps no more than its own change needs:
// the texts it replaced, the rows it removed, or the one table an import replaced.

// Writes a block of cell texts (a cell edit, the cells of a paste, the cleared cells of a cut);
// undo and redo are the same swap of the block with what the table holds there.
class SetCellsStep : public QUndoCommand {
public:
    // `block`: a table as wide as the rectangle, whose channel rows are the new texts.
    SetCellsStep(MemoryTableModel& model, int row, int column, MemoryTable block,
                 const QString& text, QUndoCommand* parent = nullptr)
        : QUndoCommand(text, parent),
          m_model(model),
          m_row(row),
          m_column(column),
          m_block(std::move(block)) {}
    void undo() override { swap(); }
    void redo() override { swap(); }

private:
    void swap() { m_block = m_model.swapCells(m_row, m_column, std::move(m_block)); }

    MemoryTableModel& m_model;
    int m_row;
    int m_column;
    MemoryTable m_block;
};

// "Add Row", or "Insert Row" below a given row.
class AddRowStep : public QUndoCommand {
public:
    // A `selectionEndRow` of nothing adds at the end ("Add Row"); otherwise "Insert Row".
    AddRowStep(MemoryTableModel& model, std::optional<int> selectionEndRow);
    void undo() override { m_model.takeRows(m_row, m_row); }
    void redo() override;
    // The row the command added (valid once it has run).
    int row() const { return m_row; }

private:
    MemoryTableModel& m_model;
    std::optional<int> m_selectionEndRow;
    int m_row = -1;
};

// Inserts ready-made rows at a place (the rows a paste adds past the last row).
class PutRowsStep : public QUndoCommand {
public:
    PutRowsStep(MemoryTableModel& model, int at, MemoryTable rows, const QString& text,
                QUndoCommand* parent = nullptr)
        : QUndoCommand(text, parent),
          m_model(model),
          m_at(at),
          m_count(rows.ChannelCount()),
          m_rows(std::move(rows)) {}
    void undo() override { m_rows = m_model.takeRows(m_at, m_at + m_count - 1); }
    void redo() override;

private:
    MemoryTableModel& m_model;
    int m_at;
    int m_count;
    MemoryTable m_rows;  // the rows while they are out of the table, else empty
};

// "Delete Row(s)": removes ranges of rows, then renumbers the rest.
class DeleteRowsStep : public QUndoCommand {
public:
    // `ranges` are table rows, ascending and not overlapping (see RowRanges).
    DeleteRowsStep(MemoryTableModel& model, std::vector<RowRange> ranges);
    void undo() override;
    void redo() override { m_deleted = m_model.deleteRows(m_ranges); }

private:
    MemoryTableModel& m_model;
    std::vector<RowRange> m_ranges;
    DeletedRows m_deleted;  // while deleted
};

// Move Up / Move Down / Move to Top / Move to Bottom of the table rows `rows`. Undo puts every
// row back in its place.
class MoveRowsStep : public QUndoCommand {
public:
    MoveRowsStep(MemoryTableModel& model, std::vector<int> order, const QString& text)
        : QUndoCommand(text), m_model(model), m_order(std::move(order)) {}
    void undo() override { m_model.reorderRows(InverseRowOrder(m_order)); }
    void redo() override { m_model.reorderRows(m_order); }

private:
    MemoryTableModel& m_model;
    std::vector<int> m_order;  // see MovedRowOrder
};

// "Re-Index". It marks itself obsolete when every row already carried its own number.
class ReIndexStep : public QUndoCommand {
public:
    explicit ReIndexStep(MemoryTableModel& model);
    void undo() override;
    void redo() override;

private:
    MemoryTableModel& m_model;
    std::vector<std::string> m_numbers;
    bool m_checked = false;
};

// Replaces the whole table (an import or an opened memory file); the table it replaced, and
// whether that one came from a file, are kept for undo. Undo and redo are the same swap.
class LoadTableStep : public QUndoCommand {
public:
    // How many opens the undo history reaches back over. Each keeps the whole table it replaced
    // (about 10 MB at 65,535 channels), so without a bound opening file after file would hold
    // on to every table ever opened.
    static constexpr int kOpensKept = 2;

    // Pushes the open of `table` onto the document's undo stack. When the history up to now
    // holds kOpensKept opens already, it is cleared first: this open can still be undone, but
    // not the steps before it.
    static void Push(Document& document, MemoryTable table, const QString& text);

    LoadTableStep(Document& document, MemoryTable table, const QString& text)
        : QUndoCommand(text), m_document(document), m_table(std::move(table)) {}
    void undo() override { swap(); }
    void redo() override { swap(); }

private:
    void swap();

    Document& m_document;
    MemoryTable m_table;
};

// What a paste did, for the status line.
struct PasteOutcome {
    int rows = 0;            // rows of the block
    int columns = 0;         // columns written (after clipping)
    int rowsAdded = 0;       // rows added past the last row
    int columnsLeftOut = 0;  // columns of the block past the table's last column
};

// "Paste" of the channel rows of `block` (see DecodeTabSeparatedBlock) from column `column` on,
// as one undo step. Its first rows overwrite the table rows `targetRows` in that order (the rows
// the grid shows from the cursor down, which need not be neighbours when the grid is sorted or
// filtered); the rest are added at the end, numbered as "Add Row" numbers them unless the block
// fills their Number cell. Rows shorter than the longest are taken as ending in empty cells;
// columns past the last column are left out. The rows move into the step, whole rows without
// being copied. Returns nothing when there is nothing to paste.
std::unique_ptr<QUndoCommand> MakePasteStep(MemoryTableModel& model,
                                            const std::vector<int>& targetRows, int column,
                                            MemoryTable block, PasteOutcome& outcome);

// Empties columns firstColumn..lastColumn of `rows` (table rows, any order) as one undo step
// named `text`. Returns nothing when those cells are empty already.
std::unique_ptr<QUndoCommand> MakeClearStep(MemoryTableModel& model, std::vector<int> rows,
                                            int firstColumn, int lastColumn, const QString& text);

// "Set Field of Selected Rows…" on `rows` (table rows, any order) as one undo step named `text`:
// one cell swap per run of neighbouring rows whose cells change. Returns nothing when no cell
// changes.
std::unique_ptr<QUndoCommand> MakeFieldEditStep(MemoryTableModel& model, std::vector<int> rows,
                                                const FieldEdit& edit, const QString& text);

}  // namespace corvalen

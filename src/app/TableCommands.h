#pragma once

#include <QUndoCommand>
#include <optional>
#include <utility>
#include <vector>

#include "app/MemoryTableModel.h"

namespace corvalen {

class Document;

// The undoable changes of the memory table, one class per kind. Each works only through the
// model's methods, so the grid hears of every step, and keeps no more than its own change needs:
// the texts it replaced, the rows it removed, or the one table an import replaced.

// Writes a block of cell texts (a cell edit, the cells of a paste, the cleared cells of a cut);
// undo and redo are the same swap of the block with what the table holds there.
class SetCellsCommand : public QUndoCommand {
public:
    SetCellsCommand(MemoryTableModel& model, int row, int column, CellBlock block,
                    const QString& text, QUndoCommand* parent = nullptr);
    void undo() override { swap(); }
    void redo() override { swap(); }

private:
    void swap() { m_block = m_model.swapCells(m_row, m_column, std::move(m_block)); }

    MemoryTableModel& m_model;
    int m_row;
    int m_column;
    CellBlock m_block;
};

// "Add Row", or "Insert Row" below a given row.
class AddRowCommand : public QUndoCommand {
public:
    // A `selectionEndRow` of nothing adds at the end ("Add Row"); otherwise "Insert Row".
    AddRowCommand(MemoryTableModel& model, std::optional<int> selectionEndRow);
    void undo() override;
    void redo() override;
    // The row the command added (valid once it has run).
    int row() const { return m_row; }

private:
    MemoryTableModel& m_model;
    std::optional<int> m_selectionEndRow;
    int m_row = -1;
};

// Inserts ready-made rows at a place (the rows a paste adds past the last row).
class PutRowsCommand : public QUndoCommand {
public:
    PutRowsCommand(MemoryTableModel& model, int at, std::vector<MemoryTable::Row> rows,
                   const QString& text, QUndoCommand* parent = nullptr);
    void undo() override;
    void redo() override;

private:
    MemoryTableModel& m_model;
    int m_at;
    int m_count;
    std::vector<MemoryTable::Row> m_rows;  // held only while the rows are out of the table
};

// "Delete Row(s)": removes ranges of rows, then renumbers the rest.
class DeleteRowsCommand : public QUndoCommand {
public:
    // `ranges` are first..last table rows, ascending and not overlapping.
    DeleteRowsCommand(MemoryTableModel& model, std::vector<std::pair<int, int>> ranges);
    void undo() override;
    void redo() override;

private:
    MemoryTableModel& m_model;
    std::vector<std::pair<int, int>> m_ranges;
    std::vector<std::vector<MemoryTable::Row>> m_removed;  // per range, while deleted
    std::vector<std::string> m_numbers;  // the Number column of the remaining rows before
};

// "Re-Index". It marks itself obsolete when every row already carried its own number.
class ReIndexCommand : public QUndoCommand {
public:
    explicit ReIndexCommand(MemoryTableModel& model);
    void undo() override;
    void redo() override;

private:
    MemoryTableModel& m_model;
    std::vector<std::string> m_numbers;
    bool m_checked = false;
};

// Replaces the whole table (an import or an opened memory file); the table it replaced, and
// whether that one came from a file, are kept for undo. Undo and redo are the same swap.
class LoadTableCommand : public QUndoCommand {
public:
    LoadTableCommand(Document& document, MemoryTable table, const QString& text);
    void undo() override { swap(); }
    void redo() override { swap(); }

private:
    void swap();

    Document& m_document;
    MemoryTable m_table;
    bool m_csvLoaded = true;
};

}  // namespace corvalen

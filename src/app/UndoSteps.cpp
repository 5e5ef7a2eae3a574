#include "app/UndoSteps.h"

#include <QCoreApplication>

#include <algorithm>
#include <span>
#include <string_view>

#include "app/Document.h"
#include "table/RowOperations.h"

namespace corvalen {

bool NumberedInOrder(const MemoryTable& table) {
    for (int row = 1; row < table.RowCount() && table.ColCount() > Column::Number; ++row) {
        if (table.CellText(row, Column::Number) != RowNumberText(row)) {
            return false;
        }
    }
    return true;
}

void LoadTableStep::Push(Document& document, MemoryTable table, const QString& text) {
    QUndoStack& stack = document.undoStack();
    int opens = 0;
    for (int k = 0; k < stack.index(); ++k) {
        opens += dynamic_cast<const LoadTableStep*>(stack.command(k)) != nullptr ? 1 : 0;
    }
    if (opens >= kOpensKept) {
        stack.clear();
    }
    stack.push(new LoadTableStep(document, std::move(table), text));
}

LoadTableStep::LoadTableStep(Document& document, MemoryTable table, const QString& text)
    : ModelStep(document.table(), {std::move(table)}, text) {}

std::unique_ptr<QUndoCommand> MakePasteStep(MemoryTableModel& model,
                                            const std::vector<int>& targetRows, int column,
                                            MemoryTable block, PasteOutcome& outcome) {
    const MemoryTable& table = model.table();
    outcome = {};
    const int rows = block.ChannelCount();
    if (rows == 0 || column < 0 || column >= table.ColCount()) {
        return nullptr;
    }
    const int width = block.ColCount();
    const int columns = std::min(width, table.ColCount() - column);
    if (columns <= 0) {
        return nullptr;
    }
    if (columns < width) {
        block.SetColCount(columns);
    }
    const int existing = std::min(rows, static_cast<int>(targetRows.size()));
    outcome = {rows, columns, rows - existing, width - columns};

    const QString text = QCoreApplication::translate("corvalen::EditActions", "Paste");
    auto paste = std::make_unique<QUndoCommand>(text);
    // The block's rows move into the steps, taken off its end: first the rows added past the
    // last row, then one block per run of consecutive table rows, from the last run up.
    MemoryTable added(table.ColCount());
    if (existing < rows) {
        MemoryTable tail = block.TakeRows(existing + 1, rows);
        if (column == 0 && columns == table.ColCount()) {
            added = std::move(tail);
        } else {
            const int at = table.RowCount();
            added.ReserveChannels(rows - existing);
            std::vector<std::string_view> cells(static_cast<std::size_t>(table.ColCount()));
            std::string number;
            for (int r = 1; r <= tail.ChannelCount(); ++r) {
                std::fill(cells.begin(), cells.end(), std::string_view());
                if (column > Column::Number) {
                    number = RowNumberText(at + r - 1);
                    cells[Column::Number] = number;
                }
                const MemoryTable::RowView given = tail.RowCells(r);
                for (int c = 0; c < columns; ++c) {
                    cells[static_cast<std::size_t>(column + c)] =
                        given[static_cast<std::size_t>(c)];
                }
                added.AppendRow(std::span<const std::string_view>(cells));
            }
        }
    }
    std::vector<std::pair<int, MemoryTable>> runs;
    for (int end = existing; end > 0;) {
        int start = end - 1;
        while (start > 0 && targetRows[static_cast<std::size_t>(start)] ==
                                targetRows[static_cast<std::size_t>(start - 1)] + 1) {
            --start;
        }
        runs.emplace_back(targetRows[static_cast<std::size_t>(start)],
                          block.TakeRows(start + 1, end));
        end = start;
    }
    for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
        new SetCellsStep(model, {run->first, column, std::move(run->second)}, text, paste.get());
    }
    if (added.ChannelCount() > 0) {
        new PutRowsStep(model, {table.RowCount(), std::move(added)}, text, paste.get());
    }
    return paste;
}

std::unique_ptr<QUndoCommand> MakeClearStep(MemoryTableModel& model, std::vector<int> rows,
                                            int firstColumn, int lastColumn, const QString& text) {
    auto clear = std::make_unique<QUndoCommand>(text);
    // One child per run of neighbouring rows that holds any text.
    for (const RowRange& run : RowRanges(std::move(rows))) {
        bool holdsText = false;
        for (int row = run.first; row <= run.last && !holdsText; ++row) {
            for (int column = firstColumn; column <= lastColumn && !holdsText; ++column) {
                holdsText = !model.table().CellText(row, column).empty();
            }
        }
        if (holdsText) {
            MemoryTable empty(lastColumn - firstColumn + 1);
            empty.SetRowCount(run.last - run.first + 2);
            new SetCellsStep(model, {run.first, firstColumn, std::move(empty)}, text, clear.get());
        }
    }
    return clear->childCount() > 0 ? std::move(clear) : nullptr;
}

std::unique_ptr<QUndoCommand> MakeFieldEditStep(MemoryTableModel& model, std::vector<int> rows,
                                                const FieldEdit& edit, const QString& text) {
    const MemoryTable& table = model.table();
    const int column = edit.Column();
    if (column < 0 || column >= table.ColCount()) {
        return nullptr;
    }
    std::erase_if(rows, [&](int row) { return row < 1 || row >= table.RowCount(); });
    auto command = std::make_unique<QUndoCommand>(text);
    // One block per run of neighbouring rows in which some cell changes.
    for (const RowRange& run : RowRanges(std::move(rows))) {
        MemoryTable block(1);
        block.ReserveChannels(run.last - run.first + 1);
        bool changes = false;
        for (int row = run.first; row <= run.last; ++row) {
            const std::string_view cell = table.CellText(row, column);
            const std::string edited = EditedCell(cell, edit);
            changes = changes || edited != cell;
            const std::string_view written = edited;
            block.AppendRow(std::span<const std::string_view>(&written, 1));
        }
        if (changes) {
            new SetCellsStep(model, {run.first, column, std::move(block)}, text, command.get());
        }
    }
    return command->childCount() > 0 ? std::move(command) : nullptr;
}

}  // namespace corvalen

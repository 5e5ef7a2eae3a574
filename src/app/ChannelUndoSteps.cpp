#include "app/ChannelUndoSteps.h"

#include <algorithm>
#include <span>
#include <string_view>

#include "app/UndoSteps.h"

namespace corvalen {

std::unique_ptr<QUndoCommand> MakeFieldEditStep(MemoryTableModel& model, std::vector<int> rows,
                                                   const FieldEdit& edit, const QString& text) {
    const MemoryTable& table = model.table();
    const int column = edit.Column();
    if (column < 0 || column >= table.ColCount()) {
        return nullptr;
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::erase_if(rows, [&](int row) { return row < 1 || row >= table.RowCount(); });

    auto command = std::make_unique<QUndoCommand>(text);
    for (std::size_t i = 0; i < rows.size();) {
        std::size_t end = i + 1;
        while (end < rows.size() && rows[end] == rows[end - 1] + 1) {
            ++end;
        }
        // One block per run of neighbouring rows in which some cell changes.
        MemoryTable block(1);
        block.ReserveChannels(static_cast<int>(end - i));
        bool changes = false;
        for (std::size_t k = i; k < end; ++k) {
            const std::string_view cell = table.CellText(rows[k], column);
            const std::string edited = EditedCell(cell, edit);
            changes = changes || edited != cell;
            const std::string_view text = edited;
            block.AppendRow(std::span<const std::string_view>(&text, 1));
        }
        if (changes) {
            new SetCellsStep(model, rows[i], column, std::move(block), text, command.get());
        }
        i = end;
    }
    if (command->childCount() == 0) {
        return nullptr;
    }
    return command;
}

MoveRowsStep::MoveRowsStep(MemoryTableModel& model, std::vector<int> order,
                                 const QString& text)
    : QUndoCommand(text), m_model(model), m_order(std::move(order)) {}

void MoveRowsStep::redo() {
    m_model.reorderRows(m_order);
}

void MoveRowsStep::undo() {
    m_model.reorderRows(InverseRowOrder(m_order));
}

}  // namespace corvalen

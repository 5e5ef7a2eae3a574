#include "table/RowCommands.h"

#include <algorithm>

namespace corvalen {

std::string RowNumberText(int row) {
    return " " + std::to_string(row);
}

int AddRow(MemoryTable& table) {
    const int row = table.RowCount();
    table.SetRowCount(row + 1);
    if (table.ColCount() > Number) {
        table.SetCellText(row, Number, RowNumberText(row));
    }
    return row;
}

int InsertPosition(const MemoryTable& table, int selectionEndRow) {
    const int lastChannel = table.RowCount() - 1;
    if (selectionEndRow < 1 || selectionEndRow > lastChannel) {
        return table.RowCount();
    }
    return selectionEndRow + 1;
}

int InsertRow(MemoryTable& table, int selectionEndRow) {
    const int row = InsertPosition(table, selectionEndRow);
    MemoryTable::Row cells(static_cast<std::size_t>(table.ColCount()));
    if (!cells.empty()) {
        // The new row carries one more than the highest channel row index; "Re-Index" puts the
        // numbers back in row order.
        cells[Number] = RowNumberText(table.RowCount());
    }
    table.AppendRow(std::move(cells), row);
    return row;
}

void DeleteRows(MemoryTable& table, int anchorRow, int selectionEndRow) {
    if (table.ChannelCount() == 0) {
        return;
    }
    table.RemoveRows(std::min(anchorRow, selectionEndRow), std::max(anchorRow, selectionEndRow));
    ReIndex(table);
}

void ReIndex(MemoryTable& table) {
    if (table.ColCount() <= Number) {
        return;
    }
    for (int row = 1; row < table.RowCount(); ++row) {
        table.SetCellText(row, Number, RowNumberText(row));
    }
}

}  // namespace corvalen

#include "table/RowOperations.h"

#include <algorithm>

namespace corvalen {

std::string RowNumberText(int row) {
    return " " + std::to_string(row);
}

int AddRow(MemoryTable& table) {
    const int row = table.RowCount();
    table.SetRowCount(row + 1);
    table.SetCellText(row, Number, RowNumberText(row));
    return row;
}

int InsertPosition(const MemoryTable& table, int selectionEndRow) {
    const bool inTable = selectionEndRow >= 1 && selectionEndRow < table.RowCount();
    return inTable ? selectionEndRow + 1 : table.RowCount();
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

std::vector<RowRange> RowRanges(std::vector<int> rows) {
    std::sort(rows.begin(), rows.end());
    std::vector<RowRange> ranges;
    for (const int row : rows) {
        if (!ranges.empty() && row <= ranges.back().last + 1) {
            ranges.back().last = std::max(ranges.back().last, row);
        } else {
            ranges.push_back({row, row});
        }
    }
    return ranges;
}

DeletedRows DeleteRows(MemoryTable& table, const std::vector<RowRange>& ranges,
                       RowRemovalListener* listener) {
    DeletedRows deleted;
    if (table.ChannelCount() == 0 || ranges.empty()) {
        return deleted;
    }
    deleted.blocks.resize(ranges.size(), MemoryTable(table.ColCount()));
    for (std::size_t i = ranges.size(); i-- > 0;) {
        const int first = std::max(ranges[i].first, 1);
        const int last = std::min(ranges[i].last, table.RowCount() - 1);
        if (first > last) {
            continue;
        }
        if (listener) {
            listener->RowsRemoving(first, last);
        }
        deleted.blocks[i] = table.TakeRows(first, last);
        if (listener) {
            listener->RowsRemoved();
        }
    }
    if (table.ColCount() > Number) {
        deleted.numbers.reserve(static_cast<std::size_t>(table.ChannelCount()));
        for (int row = 1; row < table.RowCount(); ++row) {
            deleted.numbers.emplace_back(table.CellText(row, Number));
        }
    }
    ReIndex(table);
    return deleted;
}

void ReIndex(MemoryTable& table) {
    for (int row = 1; row < table.RowCount(); ++row) {
        table.SetCellText(row, Number, RowNumberText(row));
    }
}

void AppendChannels(MemoryTable& table, const MemoryTable& channels) {
    if (table.ColCount() < channels.ColCount()) {
        table.SetColCount(channels.ColCount());
        table.SetHeader(kImportedCaptions);
    }
    table.PutRows(table.RowCount(), channels);
}

}  // namespace corvalen

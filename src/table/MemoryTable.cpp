#include "table/MemoryTable.h"

#include <algorithm>

namespace corvalen {

MemoryTable::MemoryTable(int columnCount) : m_columnCount(std::max(columnCount, 0)) {
    m_rows.push_back(EmptyRow());
}

MemoryTable MemoryTable::StartupLayout() {
    MemoryTable table(kStartupColumnCount);
    table.SetRowCount(kStartupRowCount);
    return table;
}

MemoryTable MemoryTable::ImportLayout() {
    MemoryTable table(kImportedColumnCount);
    table.SetHeader(kImportedCaptions);
    return table;
}

void MemoryTable::SetRowCount(int rowCount) {
    // The header row always stays.
    const auto count = static_cast<std::size_t>(std::max(rowCount, 1));
    if (count < m_rows.size()) {
        m_rows.resize(count);
    } else {
        m_rows.reserve(count);
        while (m_rows.size() < count) {
            m_rows.push_back(EmptyRow());
        }
    }
}

void MemoryTable::SetColCount(int columnCount) {
    m_columnCount = std::max(columnCount, 0);
    for (Row& row : m_rows) {
        row.resize(static_cast<std::size_t>(m_columnCount));
    }
}

void MemoryTable::SetHeader(std::string_view barSeparatedCaptions) {
    Row& header = m_rows.front();
    std::size_t column = 0;
    std::size_t start = 0;
    while (column < header.size()) {
        const std::size_t bar = barSeparatedCaptions.find('|', start);
        const std::size_t end = bar == std::string_view::npos ? barSeparatedCaptions.size() : bar;
        header[column++] = std::string(barSeparatedCaptions.substr(start, end - start));
        if (bar == std::string_view::npos) {
            break;
        }
        start = bar + 1;
    }
}

void MemoryTable::AppendRow(Row cells) {
    AppendRow(std::move(cells), RowCount());
}

void MemoryTable::AppendRow(Row cells, int at) {
    cells.resize(static_cast<std::size_t>(m_columnCount));
    const int position = std::clamp(at, 1, RowCount());
    m_rows.insert(m_rows.begin() + position, std::move(cells));
}

void MemoryTable::ReserveChannels(int channelCount) {
    m_rows.reserve(static_cast<std::size_t>(std::max(channelCount, 0)) + 1);
}

void MemoryTable::RemoveRow(int row) {
    RemoveRows(row, row);
}

void MemoryTable::RemoveRows(int first, int last) {
    first = std::max(first, 1);
    last = std::min(last, RowCount() - 1);
    if (first > last) {
        return;
    }
    m_rows.erase(m_rows.begin() + first, m_rows.begin() + last + 1);
}

void MemoryTable::SetCellText(int row, int column, std::string text) {
    m_rows[row][column] = std::move(text);
}

}  // namespace corvalen

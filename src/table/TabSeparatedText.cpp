#include "table/TabSeparatedText.h"

namespace corvalen {
namespace {

bool NeedsQuotes(std::string_view cell) {
    return cell.find_first_of("\t\r\n") != std::string_view::npos ||
           (!cell.empty() && cell.front() == '"');
}

// True when `text` at `i` is the end, a tab, or a line break (LF or CR LF).
bool AtCellEnd(std::string_view text, std::size_t i) {
    return i >= text.size() || text[i] == '\t' || text[i] == '\n' ||
           (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n');
}

// Reads a quoted cell starting at the quote at `i`. Returns the index just past the closing
// quote, or npos when the text there is not a well-formed quoted cell.
std::size_t ReadQuoted(std::string_view text, std::size_t i, std::string& cell) {
    for (std::size_t j = i + 1; j < text.size();) {
        const std::size_t quote = text.find('"', j);
        if (quote == std::string_view::npos) {
            return std::string_view::npos;
        }
        cell.append(text.substr(j, quote - j));
        if (quote + 1 < text.size() && text[quote + 1] == '"') {
            cell.push_back('"');
            j = quote + 2;
            continue;
        }
        return AtCellEnd(text, quote + 1) ? quote + 1 : std::string_view::npos;
    }
    return std::string_view::npos;
}

// Reads the cell at `i` into `cell`; returns the index of the tab or line break after it, or
// the text's size.
std::size_t ReadCell(std::string_view text, std::size_t i, std::string& cell) {
    if (i < text.size() && text[i] == '"') {
        const std::size_t end = ReadQuoted(text, i, cell);
        if (end != std::string_view::npos) {
            return end;
        }
        cell.clear();
    }
    std::size_t end = i;
    while (!AtCellEnd(text, end)) {
        ++end;
    }
    cell.assign(text.substr(i, end - i));
    return end;
}

}  // namespace

namespace {

void AppendCell(std::string_view cell, std::string& text) {
    if (!NeedsQuotes(cell)) {
        text.append(cell);
        return;
    }
    text.push_back('"');
    for (const char c : cell) {
        if (c == '"') {
            text.push_back('"');
        }
        text.push_back(c);
    }
    text.push_back('"');
}

}  // namespace

std::string EncodeTabSeparated(const std::vector<std::vector<std::string>>& rows) {
    std::string text;
    for (const std::vector<std::string>& row : rows) {
        for (std::size_t column = 0; column < row.size(); ++column) {
            if (column > 0) {
                text.push_back('\t');
            }
            AppendCell(row[column], text);
        }
        text.push_back('\n');
    }
    return text;
}

std::string EncodeTabSeparated(const MemoryTable& table, std::span<const int> rows, int firstColumn,
                               int lastColumn) {
    std::string text;
    // Sized once: the rows' text plus a tab or line break a cell (quotes are rare).
    std::size_t size = 0;
    for (const int row : rows) {
        const MemoryTable::RowView cells = table.RowCells(row);
        for (int column = firstColumn; column <= lastColumn; ++column) {
            size += cells[static_cast<std::size_t>(column)].size() + 1;
        }
    }
    text.reserve(size);
    for (const int row : rows) {
        const MemoryTable::RowView cells = table.RowCells(row);
        for (int column = firstColumn; column <= lastColumn; ++column) {
            if (column > firstColumn) {
                text.push_back('\t');
            }
            AppendCell(cells[static_cast<std::size_t>(column)], text);
        }
        text.push_back('\n');
    }
    return text;
}

std::vector<std::vector<std::string>> DecodeTabSeparated(std::string_view text) {
    std::vector<std::vector<std::string>> rows;
    if (text.empty()) {
        return rows;
    }
    std::vector<std::string> row;
    std::size_t i = 0;
    for (;;) {
        if (row.empty() && !rows.empty()) {
            row.reserve(rows.back().size());  // rows of a block are mostly alike
        }
        std::string& cell = row.emplace_back();
        i = ReadCell(text, i, cell);
        if (i >= text.size()) {
            rows.push_back(std::move(row));
            break;
        }
        if (text[i] == '\t') {
            ++i;  // a tab at the very end leaves one more, empty, cell
            continue;
        }
        i += text[i] == '\r' ? 2 : 1;
        rows.push_back(std::move(row));
        row.clear();
        if (i >= text.size()) {
            break;
        }
    }
    return rows;
}

}  // namespace corvalen

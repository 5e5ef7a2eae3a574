#include "table/TabSeparatedText.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace corvalen {
namespace {

bool NeedsQuotes(std::string_view cell) {
    // Most bytes are above CR, the highest of the three.
    return cell.starts_with('"') || std::ranges::any_of(cell, [](char c) {
               return static_cast<unsigned char>(c) <= '\r' &&
                      (c == '\t' || c == '\r' || c == '\n');
           });
}

// True when `text` at `i` is the end, a tab, or a line break (LF or CR LF).
bool AtCellEnd(std::string_view text, std::size_t i) {
    return i >= text.size() || text[i] == '\t' || text[i] == '\n' ||
           (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n');
}

// Reads a quoted cell starting at the quote at `i`, writing its text at `out` and moving `out`
// past it. Returns the index just past the closing quote, or npos when the text there is not a
// well-formed quoted cell.
std::size_t ReadQuoted(std::string_view text, std::size_t i, char*& out) {
    for (std::size_t j = i + 1; j < text.size();) {
        const std::size_t quote = text.find('"', j);
        if (quote == std::string_view::npos) {
            return std::string_view::npos;
        }
        out = std::copy(text.begin() + j, text.begin() + quote, out);
        if (quote + 1 < text.size() && text[quote + 1] == '"') {
            *out++ = '"';
            j = quote + 2;
            continue;
        }
        return AtCellEnd(text, quote + 1) ? quote + 1 : std::string_view::npos;
    }
    return std::string_view::npos;
}

// Writes the text of the cell at `i` at `out`, moving `out` past it, and returns the index of
// the tab or line break after it (or the text's size). A cell's text is never longer than the
// text it is read from.
std::size_t ReadCell(std::string_view text, std::size_t i, char*& out) {
    if (i < text.size() && text[i] == '"') {
        char* const before = out;
        const std::size_t end = ReadQuoted(text, i, out);
        if (end != std::string_view::npos) {
            return end;
        }
        out = before;
    }
    // Copied as it is scanned: most bytes are above CR, the highest byte that can end a cell.
    const char* at = text.data() + i;
    const char* const stop = text.data() + text.size();
    for (;;) {
        while (at != stop && static_cast<unsigned char>(*at) > '\r') {
            *out++ = *at++;
        }
        if (at == stop || AtCellEnd(text, static_cast<std::size_t>(at - text.data()))) {
            return static_cast<std::size_t>(at - text.data());
        }
        *out++ = *at++;
    }
}

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

MemoryTable DecodeTabSeparatedBlock(std::string_view text) {
    MemoryTable block(0);
    // Each row's cells go straight into one buffer and their end offsets, as a row is packed;
    // a row's texts are never longer than the whole text.
    const auto texts = std::make_unique_for_overwrite<char[]>(text.size() + 1);
    std::vector<std::uint32_t> ends;
    for (std::size_t i = 0; i < text.size();) {
        char* out = texts.get();
        ends.clear();
        for (;;) {
            i = ReadCell(text, i, out);
            ends.push_back(static_cast<std::uint32_t>(out - texts.get()));
            if (i < text.size() && text[i] == '\t') {
                ++i;  // a tab at the very end leaves one more, empty, cell
                continue;
            }
            if (i < text.size()) {
                i += text[i] == '\r' ? 2 : 1;
            }
            break;
        }
        if (ends.size() > static_cast<std::size_t>(block.ColCount())) {
            block.SetColCount(static_cast<int>(ends.size()));
        }
        block.AppendPackedRow(std::string_view(texts.get(), ends.back()), ends);
    }
    return block;
}

}  // namespace corvalen

#pragma once

#include <span>
#include <string>
#include <string_view>

#include "table/MemoryTable.h"

namespace corvalen {

// Cells as spreadsheets put them on the clipboard: cells separated by tabs, rows by line
// breaks. A cell holding a tab or a line break (or starting with a double quote) is written in
// double quotes with every quote inside doubled, so it reads back as one cell. Plain C++ on
// UTF-8 text; the editor converts to and from the clipboard's text.

// The cells of `table`: the table rows `rows` in that order, columns `firstColumn` to
// `lastColumn` (a column past the table's last reads as empty), without copying them first.
// Every row ends with "\n", the last one too.
std::string EncodeTabSeparated(const MemoryTable& table, std::span<const int> rows, int firstColumn,
                               int lastColumn);

// Rows end at LF or CR LF; a line break at the very end opens no empty row, so "" gives no rows
// and "\n" one row of one empty cell. A cell starting with a double quote is read as quoted when
// its closing quote is followed by a tab, a line break or the end; otherwise as it stands. The
// rows become the channel rows of a table as wide as the widest of them, packed straight from
// the text, so a large paste is not held one string per cell first.
MemoryTable DecodeTabSeparatedBlock(std::string_view text);

}  // namespace corvalen

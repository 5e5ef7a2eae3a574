#include "csv/CsvWriter.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "channel/CellChecks.h"
#include "convert/Windows1252.h"

namespace corvalen {

namespace {

constexpr char kQuote = '"';
constexpr std::string_view kLineEnd = "\r\n";

// In the 19-column form an empty Hotkey, Lockout or Priority cell is written as "0", so the
// receiver software always finds a number in those settings.
bool IsZeroWhenEmpty(int column) {
    return column == Column::Hotkey || column == Column::Lockout || column == Column::Priority;
}

// Appends the cell in Windows-1252 between quotes, each quote in it doubled. Returns how many
// characters had no Windows-1252 byte and became "?".
std::size_t AppendQuotedCell(std::string_view cell, std::string& out) {
    std::size_t replaced = 0;
    std::size_t start = 0;
    unsigned char high = 0;  // all bytes since `start`, or-ed together
    // Plain ASCII is copied as it is; only text with bytes from 0x80 up needs converting.
    const auto flush = [&](std::size_t end) {
        const std::string_view run = cell.substr(start, end - start);
        if (high < 0x80) {
            out.append(run);
        } else {
            replaced += AppendWindows1252FromUtf8(run, out);
        }
    };
    out.push_back(kQuote);
    for (std::size_t i = 0; i < cell.size(); ++i) {
        const char c = cell[i];
        if (c == kQuote) {
            // A quote is never part of a longer UTF-8 sequence: the text can be cut after it.
            flush(i + 1);
            out.push_back(kQuote);
            start = i + 1;
            high = 0;
        } else {
            high |= static_cast<unsigned char>(c);
        }
    }
    flush(cell.size());
    out.push_back(kQuote);
    return replaced;
}

}  // namespace

CsvText BuildCsvText(const MemoryTable& table, bool importForm) {
    const int fieldCount = importForm ? kImportedColumnCount : kStartupColumnCount;
    const int present = std::min(fieldCount, table.ColCount());
    CsvText text;

    // Size the buffer once; only doubled quotes can push past this.
    std::size_t size = 64 * static_cast<std::size_t>(kImportedColumnCount) + 2 * kLineEnd.size();
    for (int row = 1; row < table.RowCount(); ++row) {
        const MemoryTable::RowView cells = table.RowCells(row);
        for (int column = 0; column < present; ++column) {
            size += cells[static_cast<std::size_t>(column)].size();
        }
        size += 4 * static_cast<std::size_t>(fieldCount) + kLineEnd.size();
    }
    text.bytes.reserve(size);

    if (importForm) {
        for (int column = 0; column < kImportedColumnCount; ++column) {
            if (column > 0) {
                text.bytes.push_back(',');
            }
            AppendQuotedCell(kCsvHeaderNames[static_cast<std::size_t>(column)], text.bytes);
        }
        text.bytes.append(kLineEnd);
    }

    for (int row = 1; row < table.RowCount(); ++row) {
        if (IsEmptyRow(table, row)) {
            ++text.rowsSkipped;
            continue;
        }
        const MemoryTable::RowView cells = table.RowCells(row);
        for (int column = 0; column < fieldCount; ++column) {
            if (column > 0) {
                text.bytes.push_back(',');
            }
            std::string_view cell;
            if (column < present) {
                cell = cells[static_cast<std::size_t>(column)];
            }
            if (column == Column::Number) {
                cell = TrimBlanks(cell, " ");
            } else if (importForm && cell.empty() && IsZeroWhenEmpty(column)) {
                cell = "0";
            }
            if (column == Column::Bandwidth && cell.empty()) {
                text.diagnostics.push_back(EmptyBandwidthProblem(row));
            }
            if (const std::size_t replaced = AppendQuotedCell(cell, text.bytes); replaced > 0) {
                ProblemList(text.diagnostics, Diagnostic::Place::Row)(
                    row, column,
                    replaced == 1 ? MessageKind::CsvCharacterReplaced
                                  : MessageKind::CsvCharactersReplaced,
                    {std::to_string(replaced)});
            }
        }
        text.bytes.append(kLineEnd);
    }
    text.bytes.append(kLineEnd);
    return text;
}

}  // namespace corvalen

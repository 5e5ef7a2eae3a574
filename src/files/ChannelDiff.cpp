#include "files/ChannelDiff.h"

#include <algorithm>
#include <array>
#include <optional>

#include "channel/CellChecks.h"
#include "channel/ProblemGroups.h"
#include "convert/NumberText.h"
#include "files/ChannelFormat.h"

namespace corvalen {

namespace {

// The record fields of a row holding `cell` in `column` and nothing else but channel 1 (every
// check of one cell reads that cell only), when the writer takes the cell as it stands.
std::optional<RecordFields> TakeCell(int column, std::string_view cell, ReceiverModel model) {
    std::array<std::string_view, kImportedColumnCount> cells{};
    cells[Number] = "1";
    cells[static_cast<std::size_t>(column)] = cell;
    std::vector<Diagnostic> problems;
    const RecordFields fields = ReadRecordFields(cells, model, 1, problems);
    if (std::ranges::find(problems, column, &Diagnostic::column) != problems.end()) {
        return std::nullopt;
    }
    return fields;
}

// Whether rows `x` and `y` hold equal texts in Number and the columns of `compared`.
bool SameTexts(MemoryTable::RowView x, MemoryTable::RowView y, ColumnSet compared) {
    for (std::size_t column = 0; column < kImportedColumnCount; ++column) {
        if ((column == Number || compared.Has(static_cast<int>(column))) &&
            x[column] != y[column]) {
            return false;
        }
    }
    return true;
}

// An added or removed channel: the fields that tell it, as compared.
std::string ChannelSketch(const MemoryTable& table, int row, ColumnSet compared,
                          Language language) {
    std::string sketch;
    for (const Column column : {Frequency, Mode, Callsign}) {
        if (compared.Has(column)) {
            sketch.append(sketch.empty() ? "" : ", ")
                .append(ColumnNameIn(column, language))
                .append(" ");
            AppendQuotedCellTo(sketch, table.CellText(row, column));
        }
    }
    return sketch;
}

}  // namespace

std::vector<std::string> ChangeLines(const ChannelDiff& diff, const MemoryTable& a,
                                     const MemoryTable& b, const MessageTexts& texts) {
    const Language language = texts.language();
    std::vector<std::string> lines;
    lines.reserve(diff.changes.size());
    for (const ChannelChange& change : diff.changes) {
        const std::string channel = std::to_string(change.channel);
        std::string what;
        MessageKind kind = MessageKind::CliDiffChanged;
        if (change.kind == ChannelChange::Kind::Added) {
            kind = MessageKind::CliDiffAdded;
            what = ChannelSketch(b, change.rowB, diff.compared, language);
        } else if (change.kind == ChannelChange::Kind::Removed) {
            kind = MessageKind::CliDiffRemoved;
            what = ChannelSketch(a, change.rowA, diff.compared, language);
        } else {
            for (const FieldChange& field : change.fields) {
                what.append(what.empty() ? "" : "; ")
                    .append(Sentence(texts, MessageKind::CliDiffField,
                                     {ColumnNameIn(field.column, language),
                                      QuotedCell(field.before), QuotedCell(field.after)}));
            }
        }
        lines.push_back(Sentence(texts, kind, {channel, what}));
    }
    return lines;
}

bool SameCellValue(int column, std::string_view a, std::string_view b, ReceiverModel model) {
    // The receiver software writes "0" for no group.
    for (std::string_view* cell : {&a, &b}) {
        if (column == Groups && ParseWholeNumber(*cell) == 0u) {
            *cell = {};
        }
    }
    if (a == b) {
        return true;
    }
    if (column < 0 || column >= kImportedColumnCount) {
        return false;
    }
    if (MemoryFileFormat().HeldColumns(model).Has(column)) {
        const std::optional<RecordFields> takenA = TakeCell(column, a, model);
        const std::optional<RecordFields> takenB = TakeCell(column, b, model);
        return takenA && takenB && *takenA == *takenB;
    }
    const auto number = [&](std::string_view cell) {
        return cell.empty() && column == Priority ? 0 : ParseWholeNumber(cell);
    };
    const std::optional<std::uint64_t> numberA = number(a);
    return numberA && numberA == number(b);
}

std::vector<FieldChange> DiffRows(const MemoryTable& a, int rowA, const MemoryTable& b, int rowB,
                                  ColumnSet compared, ReceiverModel model) {
    std::vector<FieldChange> fields;
    const MemoryTable::RowView cellsA = a.RowCells(rowA);
    const MemoryTable::RowView cellsB = b.RowCells(rowB);
    for (int column = Number + 1; column < kImportedColumnCount; ++column) {
        const std::string_view cellA = cellsA[static_cast<std::size_t>(column)];
        const std::string_view cellB = cellsB[static_cast<std::size_t>(column)];
        if (compared.Has(column) && !SameCellValue(column, cellA, cellB, model)) {
            fields.push_back({column, std::string(cellA), std::string(cellB)});
        }
    }
    return fields;
}

int ChannelDiff::Count(ChannelChange::Kind kind) const {
    return static_cast<int>(std::ranges::count(changes, kind, &ChannelChange::kind));
}

ChannelDiff DiffChannels(const MemoryTable& a, const MemoryTable& b, ColumnSet compared,
                         ReceiverModel model) {
    ChannelDiff diff;
    diff.compared = compared.Remove(Number);
    // rowOf[side][channel]: the last row of that side with the channel, 0 for none.
    std::array<std::vector<int>, 2> rowOf;
    std::array<std::vector<int>, 2> unnumbered;  // the rows of each side without a number
    const std::array<const MemoryTable*, 2> tables = {&a, &b};
    for (std::size_t side = 0; side < 2; ++side) {
        const MemoryTable& table = *tables[side];
        rowOf[side].assign(65536, 0);
        for (int row = 1; row < table.RowCount(); ++row) {
            const std::optional<std::uint16_t> channel = ChannelNumber(table.CellText(row, Number));
            if (!channel) {
                if (!IsEmptyRow(table, row)) {
                    unnumbered[side].push_back(row);
                }
                continue;
            }
            int& kept = rowOf[side][*channel];
            if (kept != 0) {
                diff.repeats.push_back({static_cast<int>(side), *channel, kept, row});
            }
            kept = row;
        }
    }
    // Rows without a channel number are matched in their order, the n-th of A with the n-th of B.
    for (std::size_t side = 0; side < 2; ++side) {
        for (std::size_t n = 0; n < unnumbered[side].size(); ++n) {
            if (n >= unnumbered[1 - side].size() ||
                !SameTexts(a.RowCells(unnumbered[0][n]), b.RowCells(unnumbered[1][n]),
                           diff.compared)) {
                diff.unnumbered.push_back({static_cast<int>(side), unnumbered[side][n]});
            }
        }
    }

    // Each repeat names the row finally kept, not the next one.
    for (RepeatedChannel& repeat : diff.repeats) {
        repeat.keptRow = rowOf[static_cast<std::size_t>(repeat.side)][repeat.channel];
    }

    for (int channel = 1; channel <= 65535; ++channel) {
        const int rowA = rowOf[0][static_cast<std::size_t>(channel)];
        const int rowB = rowOf[1][static_cast<std::size_t>(channel)];
        if (rowA == 0 && rowB == 0) {
            continue;
        }
        ChannelChange change;
        change.channel = static_cast<std::uint16_t>(channel);
        change.rowA = rowA;
        change.rowB = rowB;
        if (rowA == 0 || rowB == 0) {
            change.kind = rowA == 0 ? ChannelChange::Kind::Added : ChannelChange::Kind::Removed;
            diff.changes.push_back(std::move(change));
            continue;
        }
        change.fields = DiffRows(a, rowA, b, rowB, diff.compared, model);
        if (!change.fields.empty()) {
            diff.changes.push_back(std::move(change));
        }
    }
    return diff;
}

}  // namespace corvalen

#include "files/ChannelDiff.h"

#include <algorithm>
#include <array>
#include <optional>

#include "channel/CellChecks.h"
#include "convert/NumberText.h"

namespace corvalen {

namespace {

// The columns whose cells the memory record of `model` keeps.
ColumnSet RecordColumns(ReceiverModel model) {
    ColumnSet columns{Number,       Frequency, Groups,   Hotkey,  Lockout,
                      LevelSquelch, Mode,      Callsign, Comments};
    if (model.HoldsIfShiftAndBandwidth()) {
        columns.Add(Bandwidth).Add(IfShift);
    }
    if (model.HoldsSecondarySquelch()) {
        columns.Add(SecondarySquelchType).Add(SecondarySquelchValue);
    }
    return columns;
}

// The record field of `column`, when the writer takes `cell` as it stands.
struct Taken {
    bool asItStands = false;
    RecordFields fields;
};

Taken TakeCell(int column, std::string_view cell, ReceiverModel model) {
    // The cell alone in a row of channel 1: every check of one cell reads that cell only.
    std::array<std::string_view, kImportedColumnCount> cells{};
    cells[Number] = "1";
    cells[static_cast<std::size_t>(column)] = cell;
    std::vector<Diagnostic> problems;
    Taken taken;
    taken.fields = ReadRecordFields(cells, model, 1, problems);
    taken.asItStands = std::none_of(problems.begin(), problems.end(),
                                    [&](const Diagnostic& p) { return p.column == column; });
    return taken;
}

bool SameField(int column, const RecordFields& a, const RecordFields& b) {
    switch (column) {
        case Number:
            return a.channel == b.channel;
        case Frequency:
            return a.frequency == b.frequency;
        case Bandwidth:
            return a.bandwidth == b.bandwidth;
        case IfShift:
            return a.ifShift == b.ifShift;
        case Groups:
            return a.groups0To7 == b.groups0To7 && a.groups8To15 == b.groups8To15;
        case Hotkey:
            return a.hotkey == b.hotkey;
        case Lockout:
            return a.lockout == b.lockout;
        case LevelSquelch:
            return a.squelchLow == b.squelchLow;
        case SecondarySquelchType:
            return a.secondarySquelchType == b.secondarySquelchType;
        case SecondarySquelchValue:
            return a.secondarySquelchValue == b.secondarySquelchValue;
        case Mode:
            return a.mode == b.mode;
        case Callsign:
            return a.callsign == b.callsign;
        case Comments:
            return a.comment == b.comment;
        default:
            return false;
    }
}

std::optional<std::uint64_t> WholeNumber(int column, std::string_view cell) {
    if (column == Priority && cell.empty()) {
        return 0;
    }
    return ParseWholeNumber(cell);
}

// An added or removed channel: the fields that tell it, as compared.
std::string ChannelSketch(const MemoryTable& table, int row, ColumnSet compared) {
    std::string sketch;
    for (const Column column : {Frequency, Mode, Callsign}) {
        if (compared.Has(column)) {
            sketch.append(sketch.empty() ? "" : ", ")
                .append(kCsvHeaderNames[static_cast<std::size_t>(column)])
                .append(" ");
            AppendQuotedCellTo(sketch, table.CellText(row, column));
        }
    }
    return sketch;
}

}  // namespace

std::vector<std::string> ChangeLines(const ChannelDiff& diff, const MemoryTable& a,
                                     const MemoryTable& b) {
    std::vector<std::string> lines;
    lines.reserve(diff.changes.size());
    for (const ChannelChange& change : diff.changes) {
        std::string line = "channel " + std::to_string(change.channel) + " ";
        switch (change.kind) {
            case ChannelChange::Kind::Added:
                line += "added: " + ChannelSketch(b, change.rowB, diff.compared);
                break;
            case ChannelChange::Kind::Removed:
                line += "removed: " + ChannelSketch(a, change.rowA, diff.compared);
                break;
            case ChannelChange::Kind::Changed: {
                line += "changed: ";
                bool first = true;
                for (const FieldChange& field : change.fields) {
                    line.append(first ? "" : "; ")
                        .append(kCsvHeaderNames[static_cast<std::size_t>(field.column)])
                        .append(" ");
                    AppendQuotedCellTo(line, field.before);
                    line.append(" -> ");
                    AppendQuotedCellTo(line, field.after);
                    first = false;
                }
                break;
            }
        }
        lines.push_back(std::move(line));
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
    if (RecordColumns(model).Has(column)) {
        const Taken takenA = TakeCell(column, a, model);
        if (!takenA.asItStands) {
            return false;
        }
        const Taken takenB = TakeCell(column, b, model);
        return takenB.asItStands && SameField(column, takenA.fields, takenB.fields);
    }
    const std::optional<std::uint64_t> numberA = WholeNumber(column, a);
    const std::optional<std::uint64_t> numberB = WholeNumber(column, b);
    return numberA && numberB && *numberA == *numberB;
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
    return static_cast<int>(std::count_if(changes.begin(), changes.end(),
                                          [&](const ChannelChange& c) { return c.kind == kind; }));
}

ChannelDiff DiffChannels(const MemoryTable& a, const MemoryTable& b, ColumnSet compared,
                         ReceiverModel model) {
    ChannelDiff diff;
    diff.compared = compared.Remove(Number);
    // rowOf[side][channel]: the last row of that side with the channel, 0 for none.
    std::array<std::vector<int>, 2> rowOf;
    const std::array<const MemoryTable*, 2> tables = {&a, &b};
    for (int side = 0; side < 2; ++side) {
        const MemoryTable& table = *tables[static_cast<std::size_t>(side)];
        std::vector<int>& rows = rowOf[static_cast<std::size_t>(side)];
        rows.assign(65536, 0);
        for (int row = 1; row < table.RowCount(); ++row) {
            const std::optional<std::uint16_t> channel = ChannelNumber(table.CellText(row, Number));
            if (!channel) {
                if (!IsEmptyRow(table, row)) {
                    diff.unnumbered.push_back({side, row});
                }
                continue;
            }
            int& kept = rows[*channel];
            if (kept != 0) {
                diff.repeats.push_back({side, *channel, kept, row});
            }
            kept = row;
        }
    }
    // Rows without a channel number are matched in their order: the n-th such row of A with the
    // n-th of B. A pair whose compared cells (Number included) are equal texts is no difference;
    // the others, and the rows one side has more, are.
    std::vector<UnnumberedRow> unmatched;
    std::array<std::vector<int>, 2> unnumberedRows;
    for (const UnnumberedRow& row : diff.unnumbered) {
        unnumberedRows[static_cast<std::size_t>(row.side)].push_back(row.row);
    }
    for (std::size_t n = 0; n < std::max(unnumberedRows[0].size(), unnumberedRows[1].size()); ++n) {
        const bool both = n < unnumberedRows[0].size() && n < unnumberedRows[1].size();
        if (both) {
            const MemoryTable::RowView cellsA = a.RowCells(unnumberedRows[0][n]);
            const MemoryTable::RowView cellsB = b.RowCells(unnumberedRows[1][n]);
            bool equal = cellsA[Number] == cellsB[Number];
            for (int column = Number + 1; equal && column < kImportedColumnCount; ++column) {
                equal = !diff.compared.Has(column) || cellsA[static_cast<std::size_t>(column)] ==
                                                          cellsB[static_cast<std::size_t>(column)];
            }
            if (equal) {
                continue;
            }
        }
        for (int side = 0; side < 2; ++side) {
            if (n < unnumberedRows[static_cast<std::size_t>(side)].size()) {
                unmatched.push_back({side, unnumberedRows[static_cast<std::size_t>(side)][n]});
            }
        }
    }
    std::stable_sort(
        unmatched.begin(), unmatched.end(),
        [](const UnnumberedRow& x, const UnnumberedRow& y) { return x.side < y.side; });
    diff.unnumbered = std::move(unmatched);

    // Each repeat names the row finally kept, not the next one.
    for (RepeatedChannel& repeat : diff.repeats) {
        repeat.keptRow = rowOf[static_cast<std::size_t>(repeat.side)][repeat.channel];
    }

    for (int channel = 1; channel <= 65535; ++channel) {
        const int rowA = rowOf[0][static_cast<std::size_t>(channel)];
        const int rowB = rowOf[1][static_cast<std::size_t>(channel)];
        diff.channelsA += rowA != 0 ? 1 : 0;
        diff.channelsB += rowB != 0 ? 1 : 0;
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

// Writes a table as a CHIRP CSV file.

#include "csv/ChirpCsv.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "channel/CellChecks.h"
#include "channel/ChannelFields.h"
#include "channel/TableChecks.h"
#include "convert/FrequencyText.h"
#include "convert/NumberText.h"
#include "convert/TextLines.h"
#include "csv/ChirpFormat.h"

namespace corvalen {

using chirp::kChirpColumns;
using chirp::SameNumber;

namespace {

void AppendField(std::string& out, std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out.append(field);
        return;
    }
    out.push_back('"');
    for (const char c : field) {
        if (c == '"') {
            out.push_back('"');
        }
        out.push_back(c);
    }
    out.push_back('"');
}

bool IsBlankOrZero(std::string_view cell) {
    return TrimBlanks(cell).empty() || SameNumber(cell, 0);
}

// Collects the receiver values a CHIRP file has no place for, each column's first, and the rows
// that hold any, so the file gets one line for all of them.
class LostCells {
public:
    void Note(int row, Column column, std::string_view cell) {
        // The five reserved columns share their name, and are one entry.
        const bool reserved = column >= Reserved4 && column <= Reserved8;
        std::string& first = m_firstCells[static_cast<std::size_t>(reserved ? Reserved4 : column)];
        if (first.empty()) {
            first = QuotedCell(cell);
        }
        if (row != m_lastRow) {
            m_firstRow = m_firstRow == 0 ? row : m_firstRow;
            m_lastRow = row;
            ++m_rows;
        }
    }
    void Report(std::vector<Diagnostic>& problems) const {
        if (m_rows == 0) {
            return;
        }
        std::string list;  // one a line, as a message's list value, in column order
        for (std::size_t column = 0; column < m_firstCells.size(); ++column) {
            if (!m_firstCells[column].empty()) {
                list.append(list.empty() ? "" : "\n")
                    .append(kCsvHeaderNames[column])
                    .append(" ")
                    .append(m_firstCells[column]);
            }
        }
        ProblemList(problems, Diagnostic::Place::Row)(
            m_firstRow, -1, MessageKind::ChirpNoPlace,
            {std::move(list), std::to_string(m_firstRow), std::to_string(m_rows)});
    }

private:
    // By column, quoted; empty for none (the reserved columns' at Reserved4).
    std::array<std::string, kImportedColumnCount> m_firstCells;
    int m_firstRow = 0;
    int m_lastRow = 0;
    int m_rows = 0;
};

}  // namespace

ChirpText BuildChirpCsvText(const MemoryTable& table) {
    ChirpText result;
    std::string& out = result.bytes;
    std::vector<Diagnostic>& problems = result.diagnostics;
    const ProblemList report(problems, Diagnostic::Place::Row);

    out.append(Joined(kChirpColumns, ",")).append("\r\n");

    // The last row of each channel number: CHIRP keeps only the last line of a Location.
    std::vector<int> lastRow(65536, 0);
    for (int row = 1; row < table.RowCount(); ++row) {
        if (const auto channel = ChannelNumber(RowTextsOf(table, row)[Number])) {
            lastRow[*channel] = row;
        }
    }

    LostCells lost;
    for (int row = 1; row < table.RowCount(); ++row) {
        const RowTexts cells = RowTextsOf(table, row);
        const auto channel = ChannelNumber(cells[Number]);
        if (!channel) {
            report(row, Number, MessageKind::NumberNotChannel, {QuotedCell(cells[Number])});
            ++result.rowsNotWritten;
            continue;
        }
        if (lastRow[*channel] != row) {
            report(row, Number, MessageKind::ChirpNumberUsedAgain,
                   {QuotedCell(cells[Number]), std::to_string(lastRow[*channel])});
        }

        std::string mhz = "0.000000";
        if (const std::optional<std::uint64_t> hz = HzOf(cells[Frequency])) {
            mhz = FrequencyText(*hz, FrequencyUnit::MHz, 6);
        } else {
            report(row, Frequency, MessageKind::ChirpFrequencyNotWhole,
                   {QuotedCell(cells[Frequency]), mhz});
        }

        const std::string_view modeCell = TrimBlanks(cells[Mode]);
        const ListMode mode = ListModeOf(modeCell, ChirpModes());
        if (!mode.exact) {
            report(row, Mode, MessageKind::ChirpModeNearest,
                   {QuotedCell(cells[Mode]), std::string(mode.text)});
        }

        // Skip: "S" for the scan lockout (bit 0 of Lockout), else "P" for a priority channel.
        const auto lockout = ParseWholeNumber(cells[Lockout]);
        const auto priority = ParseWholeNumber(cells[Priority]);
        const bool skipped = lockout && (*lockout & 1u) != 0;
        const bool priorityChannel = priority && *priority != 0;
        std::string_view skip = skipped ? "S" : priorityChannel ? "P" : "";
        if (!TrimBlanks(cells[Lockout]).empty() && (!lockout || (*lockout & ~1ull) != 0)) {
            lost.Note(row, Lockout, cells[Lockout]);
        }
        if ((!TrimBlanks(cells[Priority]).empty() && !priority) || (priorityChannel && skipped)) {
            lost.Note(row, Priority, cells[Priority]);
        }

        // The receiver's own settings, which CHIRP has no column for. A Bandwidth that is the
        // default of the mode comes back from the mode.
        const std::string_view bandwidth = TrimBlanks(cells[Bandwidth]);
        const std::optional<double> modeDefault = ParseDecimal(DefaultBandwidth(modeCell));
        if (!bandwidth.empty() && !(modeDefault && SameNumber(bandwidth, *modeDefault))) {
            lost.Note(row, Bandwidth, cells[Bandwidth]);
        }
        for (const Column column :
             {IfShift, Hotkey, LevelSquelch, SecondarySquelchType, SecondarySquelchValue}) {
            if (!IsBlankOrZero(cells[column])) {
                lost.Note(row, column, cells[column]);
            }
        }
        for (const Column column :
             {Reserved4, Reserved5, Reserved6, Reserved7, Reserved8, Groups}) {
            if (!TrimBlanks(cells[column]).empty()) {
                lost.Note(row, column, cells[column]);
            }
        }

        // Location, Name, Frequency, then a plain receive channel's transmit settings.
        out.append(std::to_string(*channel)).push_back(',');
        AppendField(out, cells[Callsign]);
        out.append(",").append(mhz).append(",,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,");
        out.append(mode.text).append(",5.00,").append(skip).append(",,");
        AppendField(out, cells[Comments]);
        out.append(",,,,\r\n");
        ++result.channelsWritten;
    }
    lost.Report(problems);
    std::stable_sort(problems.begin(), problems.end(), ByRowThenColumn);
    return result;
}

}  // namespace corvalen

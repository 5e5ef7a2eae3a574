// Writes a table as a CHIRP CSV file; the reader and what the two share live in ChirpCsv.cpp and
// ChirpFormat.h.

#include "csv/ChirpCsv.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "convert/FrequencyText.h"
#include "convert/NumberText.h"
#include "csv/ChirpFormat.h"
#include "channel/CellChecks.h"
#include "channel/ChannelFields.h"

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
        // Only a column's first cell is quoted; the five reserved columns share their name, and
        // are one entry.
        const auto index = static_cast<std::size_t>(column);
        if (!m_noted[index]) {
            m_noted[index] = true;
            const std::string_view name = kCsvHeaderNames[index];
            if (m_firstCells.try_emplace(std::string(name), QuotedCell(cell), column).second) {
                m_order.emplace_back(name);
            }
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
        // In column order, as the file has them.
        std::vector<std::string> names = m_order;
        std::sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
            return m_firstCells.at(a).second < m_firstCells.at(b).second;
        });
        std::string list;  // one a line, as a message's list value
        for (std::size_t i = 0; i < names.size(); ++i) {
            list += i == 0 ? "" : "\n";
            list += names[i] + " " + m_firstCells.at(names[i]).first;
        }
        problems.push_back(
            Diagnostic{Diagnostic::Place::Row,
                       m_firstRow,
                       -1,
                       MessageKind::ChirpNoPlace,
                       {std::move(list), std::to_string(m_firstRow), std::to_string(m_rows)}});
    }

private:
    std::map<std::string, std::pair<std::string, Column>> m_firstCells;  // by column name
    std::array<bool, kImportedColumnCount> m_noted{};                    // by column
    std::vector<std::string> m_order;
    int m_firstRow = 0;
    int m_lastRow = 0;
    int m_rows = 0;
};

}  // namespace

ChirpText BuildChirpCsvText(const MemoryTable& table) {
    ChirpText result;
    std::string& out = result.bytes;
    std::vector<Diagnostic>& problems = result.diagnostics;
    const auto report = [&](int row, Column column, MessageKind kind, MessageValues values) {
        problems.push_back(
            Diagnostic{Diagnostic::Place::Row, row, column, kind, std::move(values)});
    };

    for (std::size_t k = 0; k < kChirpColumns.size(); ++k) {
        out.append(k == 0 ? "" : ",").append(kChirpColumns[k]);
    }
    out.append("\r\n");

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
        const FrequencyReading hz = ReadFrequency(cells[Frequency], FrequencyUnit::Hz);
        if (hz.status == FrequencyReading::Status::Ok) {
            mhz = FrequencyText(hz.hz, FrequencyUnit::MHz, 6);
        } else {
            report(row, Frequency, MessageKind::ChirpFrequencyNotWhole,
                   {QuotedCell(cells[Frequency]), mhz});
        }

        const std::string_view modeCell = TrimBlanks(cells[Mode]);
        const ChirpMode mode = ReceiverModeToChirp(modeCell);
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
        // default of the mode comes back from the mode when the file is read again.
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
    std::stable_sort(problems.begin(), problems.end(),
                     [](const Diagnostic& a, const Diagnostic& b) {
                         return a.number != b.number ? a.number < b.number : a.column < b.column;
                     });
    return result;
}

}  // namespace corvalen

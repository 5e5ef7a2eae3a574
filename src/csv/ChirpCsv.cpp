#include "csv/ChirpCsv.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "channel/CellChecks.h"
#include "channel/ChannelFields.h"
#include "convert/FrequencyText.h"
#include "convert/NumberText.h"
#include "convert/TextLines.h"
#include "convert/Windows1252.h"
#include "csv/ChirpFormat.h"

namespace corvalen {

using chirp::kChirpColumns;
using chirp::SameNumber;

namespace {

// Receiver modes and CHIRP modes that are the same mode, both ways.
constexpr std::array<ModePair, 7> kSameModes = {{
    {"FM", "FM"},
    {"AM", "AM"},
    {"USB", "USB"},
    {"LSB", "LSB"},
    {"CW", "CW"},
    {"NAM", "AMN"},  // narrow AM
    {"NFM", "FM6"},  // narrow FM, 6 kHz wide
}};

// Receiver modes CHIRP lacks, and the nearest CHIRP mode they are written as (reported).
constexpr std::array<ModePair, 4> kNearestModes = {{
    {"NFM", "FM3"},  // FM 3 kHz wide
    {"AM", "AMS"},   // synchronous AM
    {"AM", "DSB"},   // double sideband
    {"USB", "ISB"},  // independent sidebands
}};

// CHIRP's own modes: a cell already holding one (kept from a CHIRP file) is written as it is.
constexpr std::array<std::string_view, 21> kChirpModes = {
    "WFM", "FM",  "NFM",  "AM",  "NAM", "DV",   "USB",   "LSB", "CW",   "RTTY", "DIG",
    "PKT", "NCW", "NCWR", "CWR", "P25", "Auto", "RTTYR", "FSK", "FSKR", "DMR"};

// True when a CHIRP column holds what CHIRP writes for a channel that uses none of it, so
// nothing is lost by not reading it (any other column only when empty).
bool IsChirpDefault(std::string_view column, std::string_view value) {
    using TextDefault = std::pair<std::string_view, std::string_view>;
    using NumberDefault = std::pair<std::string_view, double>;
    // Duplex "off": transmitting switched off, as a receiver never transmits.
    constexpr TextDefault kTexts[] = {
        {"Duplex", "off"}, {"DtcsPolarity", "NN"}, {"CrossMode", "Tone->Tone"}};
    constexpr NumberDefault kNumbers[] = {{"rToneFreq", 88.5}, {"cToneFreq", 88.5},
                                          {"DtcsCode", 23},    {"RxDtcsCode", 23},
                                          {"TStep", 5},        {"DVCODE", 0}};
    value = TrimBlanks(value);
    if (value.empty()) {
        return true;
    }
    if (column == "Offset") {
        const std::optional<std::uint64_t> offset = HzOf(value, FrequencyUnit::MHz);
        return offset == 0u || offset == 600000u;
    }
    if (const auto text = std::ranges::find(kTexts, column, &TextDefault::first);
        text != std::end(kTexts)) {
        return value == text->second;
    }
    const auto number = std::ranges::find(kNumbers, column, &NumberDefault::first);
    return number != std::end(kNumbers) && SameNumber(value, number->second);
}

// Lines without a channel: empty ones, and those whose fields are all blank (",,,,", as a
// spreadsheet saves an empty row).
struct BlankLines {
    int count = 0;
    int first = 0;
    void Add(int line) {
        ++count;
        first = first == 0 ? line : first;
    }
};

// The next record of a CHIRP file, read the way CHIRP's reader does (no spaces skipped before a
// field), passing over lines starting with "#" (comments) and empty lines (added to `blank`).
std::optional<CsvScanner::Record> NextRecord(CsvScanner& scanner, BlankLines& blank) {
    while (!scanner.AtEnd()) {
        const char first = scanner.Peek();
        if (first != '#' && first != '\r' && first != '\n') {
            return scanner.Next();
        }
        if (first != '#') {
            blank.Add(scanner.Line());
        }
        scanner.SkipLine();
    }
    return std::nullopt;
}

bool IsLocationZero(std::string_view location) {
    return ParseWholeNumber(location) == 0u;
}

// The names as a message's list value (one a line, Messages.h), at most eight or a few lines of
// text and the count of the rest; a long name, or one with control characters, quoted.
std::string NameList(const std::vector<std::string_view>& names) {
    constexpr std::size_t kListed = 8;
    constexpr std::size_t kListText = 480;
    std::size_t listed = 0;
    std::string list;
    while (listed < std::min(names.size(), kListed)) {
        const std::string_view name = names[listed];
        const bool plain = name.size() <= 40 && std::all_of(name.begin(), name.end(), [](char c) {
                               return static_cast<unsigned char>(c) >= 0x20;
                           });
        const std::string text = plain ? std::string(name) : QuotedCell(name);
        if (listed > 0 && list.size() + text.size() > kListText) {
            break;
        }
        if (listed > 0) {
            list += '\n';
        }
        list += text;
        ++listed;
    }
    if (names.size() > listed) {
        list += "\n+" + std::to_string(names.size() - listed);
    }
    return list;
}

}  // namespace

bool LooksLikeChirpCsv(std::string_view fileBytes) {
    std::string_view text = WithoutByteOrderMark(fileBytes);
    // The first line that is not a "#" comment.
    while (text.starts_with('#')) {
        const std::size_t end = text.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            return false;
        }
        text.remove_prefix(std::min(text.find_first_not_of("\r\n", end), text.size()));
    }
    if (text.starts_with('"')) {
        return text.starts_with("\"Location\"");
    }
    return text.starts_with("Location") && (text.size() == 8 || text.find_first_of(",\r\n") == 8);
}

const ListModes& ChirpModes() {
    // An empty Mode, or one that is no mode, is written as the mode a memory file gets for it
    // (the receiver's mode code 0), so every output tells the same.
    static constexpr ListModes modes{kSameModes, kNearestModes, kChirpModes, "CW"};
    return modes;
}

CsvImport ReadChirpCsv(std::string_view fileBytes) {
    CsvImport result;
    const ProblemList report(result.diagnostics, Diagnostic::Place::Line);

    // CHIRP writes UTF-8; a file saved again by a Windows program is taken as Windows-1252.
    std::string converted;
    std::string_view text = WithoutByteOrderMark(fileBytes);
    if (!IsWellFormedUtf8(text)) {
        converted = Utf8FromWindows1252(text);
        text = converted;
        report(1, -1, MessageKind::ChirpNotUtf8);
    }

    CsvScanner scanner(text, false, false);
    BlankLines blank;
    const std::optional<CsvScanner::Record> header = NextRecord(scanner, blank);
    if (!header) {
        return result;
    }
    const int headerLine = header->line;
    const std::vector<std::string> columns(header->fields.begin(), header->fields.end());
    // Where each column read is in the file (-1: missing).
    const auto indexOf = [&](std::string_view name) {
        const auto found = std::find(columns.begin(), columns.end(), name);
        return found == columns.end() ? -1 : static_cast<int>(found - columns.begin());
    };
    const int location = indexOf("Location");
    const int name = indexOf("Name");
    const int frequency = indexOf("Frequency");
    const int mode = indexOf("Mode");
    const int skip = indexOf("Skip");
    const int comment = indexOf("Comment");
    std::vector<std::string_view> missing;
    for (const auto& [index, caption] : {std::pair{frequency, "Frequency"}, {mode, "Mode"}}) {
        if (index < 0) {
            missing.push_back(caption);
        }
    }
    if (!missing.empty()) {
        report(headerLine, -1, MessageKind::ChirpHeaderLacks, {NameList(missing)});
    }
    const auto isRead = [&](int index) {
        return index == location || index == name || index == frequency || index == mode ||
               index == skip || index == comment;
    };
    // For each column not read, the first line holding a value CHIRP does not give by default.
    std::vector<int> firstLost(columns.size(), 0);

    MemoryTable::Row cells(kImportedColumnCount);
    while (const std::optional<CsvScanner::Record> record = NextRecord(scanner, blank)) {
        const int line = record->line;
        ++result.recordsRead;
        if (record->quoteNotClosed) {
            report(line, -1, MessageKind::QuoteNotClosed);
        }
        if (std::all_of(record->fields.begin(), record->fields.end(),
                        [](std::string_view f) { return TrimBlanks(f).empty(); })) {
            blank.Add(line);
            continue;
        }
        // Empty fields past the header's (a comma at the end of every line) lose nothing.
        std::size_t fieldCount = record->fields.size();
        while (fieldCount > columns.size() && TrimBlanks(record->fields[fieldCount - 1]).empty()) {
            --fieldCount;
        }
        if (fieldCount != columns.size()) {
            const bool fewer = fieldCount < columns.size();
            report(line, -1,
                   fewer ? MessageKind::ChirpFieldsMissing : MessageKind::ChirpFieldsExtra,
                   {std::to_string(fieldCount), std::to_string(columns.size())});
        }
        const auto field = [&](int index) -> std::string_view {
            return index >= 0 && static_cast<std::size_t>(index) < fieldCount
                       ? record->fields[static_cast<std::size_t>(index)]
                       : std::string_view();
        };
        for (std::size_t index = 0; index < columns.size(); ++index) {
            if (firstLost[index] == 0 && !isRead(static_cast<int>(index)) &&
                !IsChirpDefault(columns[index], field(static_cast<int>(index)))) {
                firstLost[index] = line;
            }
        }

        for (std::string& cell : cells) {
            cell.clear();
        }
        cells[Number] = field(location);
        result.origins.lines.push_back(line);
        result.origins.locations.emplace_back(TrimBlanks(cells[Number]));
        if (IsLocationZero(cells[Number])) {
            // A channel numbering the user chooses (ApplyChirpNumbering) gives it a number.
            result.holdsLocationZero = true;
        } else if (!ChannelNumber(cells[Number])) {
            report(line, Number, MessageKind::ChirpLocationNotChannel, {QuotedCell(cells[Number])});
        }

        const std::string_view mhz = field(frequency);
        if (const std::optional<std::uint64_t> hz = HzOf(mhz, FrequencyUnit::MHz)) {
            cells[Frequency] = FrequencyText(*hz, FrequencyUnit::Hz);
        } else {
            cells[Frequency] = mhz;
            report(line, Frequency, MessageKind::ChirpFrequencyNotMhz, {QuotedCell(mhz)});
        }

        const std::string_view chirpMode = field(mode);
        if (const std::string_view receiverMode = ReceiverModeOf(chirpMode, ChirpModes());
            !receiverMode.empty()) {
            cells[Mode] = receiverMode;
        } else {
            cells[Mode] = chirpMode;
            report(line, Mode, MessageKind::ChirpModeUnknown, {QuotedCell(chirpMode)});
        }
        cells[Bandwidth] = DefaultBandwidth(cells[Mode]);

        const std::string_view skipValue = TrimBlanks(field(skip));
        if (skipValue == "S") {
            cells[Lockout] = "1";
        } else if (skipValue == "P") {
            cells[Priority] = "1";
        } else if (!skipValue.empty()) {
            report(line, -1, MessageKind::ChirpSkipUnknown, {QuotedCell(skipValue)});
        }
        cells[Callsign] = field(name);
        cells[Comments] = field(comment);
        result.table.AppendRow(cells);
    }

    std::vector<std::string_view> lost;
    int firstLine = 0;
    for (std::size_t index = 0; index < firstLost.size(); ++index) {
        if (firstLost[index] != 0) {
            lost.push_back(columns[index]);
            firstLine = firstLine == 0 ? firstLost[index] : std::min(firstLine, firstLost[index]);
        }
    }
    if (!lost.empty()) {
        report(headerLine, -1,
               lost.size() == 1 ? MessageKind::ChirpColumnLost : MessageKind::ChirpColumnsLost,
               {NameList(lost), std::to_string(firstLine)});
    }
    if (blank.count == 1) {
        report(blank.first, -1, MessageKind::ChirpBlankLine);
    } else if (blank.count > 1) {
        report(blank.first, -1, MessageKind::ChirpBlankLines, {std::to_string(blank.count)});
    }
    // Reports in line order, the header's summary first among its line's.
    std::ranges::stable_sort(result.diagnostics, {}, &Diagnostic::number);
    return result;
}

std::optional<ChirpNumbering> ChirpNumberingNamed(std::string_view name) {
    using Named = std::pair<std::string_view, ChirpNumbering>;
    constexpr Named kNames[] = {{"keep", ChirpNumbering::Keep},
                                {"shift", ChirpNumbering::Shift},
                                {"sequential", ChirpNumbering::Sequential}};
    const auto found = std::ranges::find(kNames, name, &Named::first);
    return found == std::end(kNames) ? std::nullopt : std::optional(found->second);
}

void ApplyChirpNumbering(CsvImport& import, ChirpNumbering numbering) {
    MemoryTable& table = import.table;
    RowOrigins& origins = import.origins;
    const auto rows = static_cast<int>(origins.locations.size());
    if (rows != table.ChannelCount() || rows == 0 ||
        (numbering != ChirpNumbering::Sequential && !import.holdsLocationZero)) {
        return;
    }
    const auto note = [&](int line, MessageKind kind, MessageValues values = {}) {
        import.diagnostics.insert(
            std::ranges::upper_bound(import.diagnostics, line, {}, &Diagnostic::number),
            Diagnostic{Diagnostic::Place::Line, line, Number, kind, std::move(values),
                       Diagnostic::Severity::Notice});
    };
    // The line of the first channel at Location 0, where Keep and Shift say what they did.
    const auto zero =
        std::ranges::find_if(origins.locations, IsLocationZero) - origins.locations.begin();
    const int zeroLine = zero < rows ? origins.lines[static_cast<std::size_t>(zero)] : 0;
    switch (numbering) {
        case ChirpNumbering::Keep: {
            int left = 0;
            for (int row = rows; row >= 1; --row) {
                const auto index = static_cast<std::ptrdiff_t>(row - 1);
                if (IsLocationZero(origins.locations[static_cast<std::size_t>(index)])) {
                    table.RemoveRow(row);
                    origins.locations.erase(origins.locations.begin() + index);
                    origins.lines.erase(origins.lines.begin() + index);
                    ++left;
                }
            }
            note(zeroLine, MessageKind::ChirpLocationZeroLeftOut, {std::to_string(left)});
            break;
        }
        case ChirpNumbering::Shift:
            for (int row = 1; row <= rows; ++row) {
                const auto number = ParseWholeNumber(table.CellText(row, Number));
                if (number && *number < 65536) {
                    table.SetCellText(row, Number, std::to_string(*number + 1));
                }
            }
            note(zeroLine, MessageKind::ChirpNumberedShifted);
            break;
        case ChirpNumbering::Sequential:
            for (int row = 1; row <= rows; ++row) {
                table.SetCellText(row, Number, std::to_string(row));
            }
            note(origins.lines.front(), MessageKind::ChirpNumberedInOrder, {std::to_string(rows)});
            break;
    }
    import.holdsLocationZero = numbering == ChirpNumbering::Keep ? false : import.holdsLocationZero;
}

}  // namespace corvalen

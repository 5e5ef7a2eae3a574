#include "g3m/CellChecks.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <utility>

#include "convert/NumberText.h"
#include "convert/Windows1252.h"
#include "g3m/MemoryRecord.h"

namespace corvalen {

namespace {

bool IsBlank(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// A whole number (held in a double) as plain decimal text for messages.
std::string WholeNumberText(double value) {
    char buffer[32];
    const auto end =
        std::abs(value) < 1e15
            ? std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(value)).ptr
            : std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

// A cell's text as a report quotes it: between quotes, line breaks and other control characters
// written as escapes so the report stays one line, and a long text cut after its first 40
// characters with its length added, so a 10,000-character cell still gives a readable line.
std::string QuotedCell(std::string_view cell) {
    constexpr std::size_t kShown = 40;
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string quoted = "\"";
    std::size_t characters = 0;
    int following = 0;  // bytes still to come of the UTF-8 character begun
    for (const char c : cell) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) == 0x80 && following > 0) {
            --following;
            if (characters <= kShown) {
                quoted.push_back(c);
            }
            continue;
        }
        following = byte >= 0xF0 ? 3 : byte >= 0xE0 ? 2 : byte >= 0xC0 ? 1 : 0;
        if (++characters > kShown) {
            continue;
        }
        if (c == '\n') {
            quoted.append("\\n");
        } else if (c == '\r') {
            quoted.append("\\r");
        } else if (c == '\t') {
            quoted.append("\\t");
        } else if (byte < 0x20 || byte == 0x7F) {
            quoted.append("\\x").push_back(kHex[byte >> 4]);
            quoted.push_back(kHex[byte & 0xF]);
        } else {
            quoted.push_back(c);
        }
    }
    if (characters > kShown) {
        quoted.append("...\" (").append(std::to_string(characters)).append(" characters)");
    } else {
        quoted.push_back('"');
    }
    return quoted;
}

// Collects what one row reports; every message starts with the column name and the cell text
// in quotes, then says what was expected and what was done instead.
class RowProblems {
public:
    RowProblems(int row, std::vector<Diagnostic>& problems) : m_row(row), m_problems(problems) {}

    void Report(Column column, std::string_view cell, std::string_view rest) {
        std::string message(kCsvHeaderNames[static_cast<std::size_t>(column)]);
        message.append(" ").append(QuotedCell(cell)).append(" ").append(rest);
        m_problems.push_back(Diagnostic{Diagnostic::Place::Row, m_row, column, std::move(message)});
    }

private:
    int m_row;
    std::vector<Diagnostic>& m_problems;
};

// Frequency: a decimal number whose fraction is cut off, 0 to 2^32 - 1.
std::optional<std::uint32_t> FrequencyValue(std::string_view cell) {
    const auto value = ParseDecimal(cell);
    if (!value || !(*value >= 0.0 && *value < 4294967296.0)) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(*value);  // conversion cuts the fraction off
}

// IF shift and bandwidth: a decimal number rounded to the nearest whole number, halves to
// even, that fits a signed 32-bit value; stored as its two's complement.
std::optional<std::uint32_t> SignedWordValue(std::string_view cell) {
    const auto value = ParseDecimal(cell);
    if (!value) {
        return std::nullopt;
    }
    const double rounded = RoundHalfToEven(*value);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(rounded));
}

// Hot key and lockout: a whole number from 0 to 2^32 - 1, blanks around it allowed.
std::optional<std::uint32_t> UnsignedWordValue(std::string_view cell) {
    const auto value = ParseWholeNumber(cell);
    if (!value || *value > 0xFFFFFFFFu) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(*value);
}

void ReadGroups(std::string_view cell, RecordFields& fields, RowProblems& problems) {
    // Every piece between "+" signs is one group number from 1 to 16, read by its leading
    // numeric part; group n sets flag n - 1.
    std::string rejected;
    int rejectedCount = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t plus = cell.find('+', start);
        const std::string_view piece = cell.substr(
            start, plus == std::string_view::npos ? std::string_view::npos : plus - start);
        if (!IsBlank(piece)) {
            const double group = RoundHalfToEven(LeadingNumericValue(piece));
            if (group >= 1.0 && group <= kGroupCount) {
                const int flag = static_cast<int>(group) - 1;
                std::uint8_t& byte = flag < 8 ? fields.groups0To7 : fields.groups8To15;
                byte |= static_cast<std::uint8_t>(0x80u >> (flag % 8));
            } else {
                // A few pieces say enough; the cell itself is quoted in front of them.
                if (rejectedCount < 3) {
                    rejected.append(rejectedCount == 0 ? "" : ", ").append(QuotedCell(piece));
                } else if (rejectedCount == 3) {
                    rejected.append(", ...");
                }
                ++rejectedCount;
            }
        }
        if (plus == std::string_view::npos) {
            break;
        }
        start = plus + 1;
    }
    if (rejectedCount == 1) {
        problems.Report(
            Groups, cell,
            "holds " + rejected + ", which is not a group number from 1 to 16; ignored");
    } else if (rejectedCount > 1) {
        problems.Report(
            Groups, cell,
            "holds " + rejected + ", which are not group numbers from 1 to 16; ignored");
    }
}

void ReadLevelSquelch(std::string_view cell, RecordFields& fields, RowProblems& problems) {
    // The leading numeric part, rounded down. Only its low 16 bits (two's complement) are kept;
    // the high half is always FF FF, so every level from -65536 to -1 reads back as itself, and
    // 0 stores the same word as an empty cell.
    double level = std::floor(LeadingNumericValue(cell));
    if (!std::isfinite(level)) {
        level = 0.0;
    }
    double low = std::fmod(level, 65536.0);  // exact for any double, even a huge one
    if (low < 0.0) {
        low += 65536.0;
    }
    fields.squelchLow = static_cast<std::uint16_t>(low);
    if (IsBlank(cell)) {
        return;
    }
    std::string rest;
    if (!ParseDecimal(cell)) {
        rest = "is not a number; read as " + WholeNumberText(level);
    }
    if (level > 0.0 || level < -65536.0) {
        rest += rest.empty() ? "is" : ", which is";
        rest += " not a level from -65536 to 0; written as " +
                WholeNumberText(static_cast<double>(fields.squelchLow) - 65536.0);
    }
    if (!rest.empty()) {
        problems.Report(LevelSquelch, cell, rest);
    }
}

template <std::size_t width>
void ReadText(Column column, std::string_view cell, std::array<std::uint8_t, width>& field,
              RowProblems& problems) {
    // One Windows-1252 byte per character; the rest of the field stays zero.
    std::size_t replaced = 0;
    std::string converted;
    std::string_view bytes = cell;
    if (!IsAscii(cell)) {
        converted = Windows1252FromUtf8(cell, &replaced);
        bytes = converted;
    }
    std::copy_n(bytes.begin(), std::min(bytes.size(), width), field.begin());

    const bool cut = bytes.size() > width;
    if (!cut && replaced == 0) {
        return;
    }
    const std::string widthText = std::to_string(width);
    std::string rest;
    if (cut && replaced > 0) {
        rest = "is longer than " + widthText +
               " characters and has characters with no Windows-1252 byte; written as its first " +
               widthText + " characters, \"?\" standing for each character without a byte";
    } else if (cut) {
        rest = "is longer than " + widthText + " characters; written as its first " + widthText +
               " characters";
    } else {
        rest = "has characters with no Windows-1252 byte; written with \"?\" for them";
    }
    problems.Report(column, cell, rest);
}

}  // namespace

RowTexts RowTextsOf(const MemoryTable& table, int row) {
    RowTexts cells{};
    const MemoryTable::RowView view = table.RowCells(row);
    const std::size_t count = std::min(view.size(), cells.size());
    for (std::size_t column = 0; column < count; ++column) {
        cells[column] = view[column];
    }
    return cells;
}

std::optional<std::uint16_t> ChannelNumber(std::string_view numberCell) {
    const auto channel = ParseWholeNumber(numberCell);
    if (!channel || *channel < 1 || *channel > 65535) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(*channel);
}

RecordFields ReadRecordFields(std::span<const std::string_view> cells, std::string_view model,
                              int row, std::vector<Diagnostic>& problems) {
    const auto cell = [&](Column column) -> std::string_view {
        const auto index = static_cast<std::size_t>(column);
        return index < cells.size() ? cells[index] : std::string_view();
    };
    RowProblems rowProblems(row, problems);
    RecordFields fields;

    // The one channel number gives both the Number field and the record's place in the file,
    // so the two can never disagree.
    const auto channel = ChannelNumber(cell(Number));
    if (!channel) {
        rowProblems.Report(Number, cell(Number),
                           "is not a channel number from 1 to 65535; row not written");
        return fields;
    }
    fields.channel = *channel;

    if (const auto frequency = FrequencyValue(cell(Frequency))) {
        fields.frequency = *frequency;
    } else {
        rowProblems.Report(Frequency, cell(Frequency),
                           "is not a frequency from 0 to 4294967295; written as 0");
    }

    // A 32-bit word from a cell: a blank cell leaves it 0 without a word; a cell `value` cannot
    // read leaves it 0 and is reported with what it should have held.
    const auto readWord = [&](Column column, std::uint32_t& word, auto value,
                              std::string_view expected) {
        const std::string_view text = cell(column);
        if (IsBlank(text)) {
            return;
        }
        if (const std::optional<std::uint32_t> read = value(text)) {
            word = *read;
        } else {
            rowProblems.Report(column, text, std::string(expected) + "; written as 0");
        }
    };
    constexpr std::string_view kSignedRange = "is not a number from -2147483648 to 2147483647";
    constexpr std::string_view kUnsignedRange = "is not a whole number from 0 to 4294967295";

    // Only a "313" record has room for bandwidth and IF shift; other models ignore the cells.
    if (model == "313") {
        readWord(Bandwidth, fields.bandwidth, SignedWordValue, kSignedRange);
        readWord(IfShift, fields.ifShift, SignedWordValue, kSignedRange);
    }

    ReadGroups(cell(Groups), fields, rowProblems);

    readWord(Hotkey, fields.hotkey, UnsignedWordValue, kUnsignedRange);
    readWord(Lockout, fields.lockout, UnsignedWordValue, kUnsignedRange);

    ReadLevelSquelch(cell(LevelSquelch), fields, rowProblems);

    const int mode = ModeCode(cell(Mode));
    if (mode >= 0) {
        fields.mode = static_cast<std::uint8_t>(mode);
    } else if (!IsBlank(cell(Mode))) {
        rowProblems.Report(Mode, cell(Mode), "is not a known mode; written as 0");
    }

    ReadText(Callsign, cell(Callsign), fields.callsign, rowProblems);
    ReadText(Comments, cell(Comments), fields.comment, rowProblems);
    return fields;
}

void CheckRowCells(std::span<const std::string_view> cells, std::string_view model, int row,
                   std::vector<Diagnostic>& problems) {
    ReadRecordFields(cells, model, row, problems);
}

void ReadTableRecords(const MemoryTable& table, std::vector<Diagnostic>& problems,
                      const std::function<void(int row, const RowTexts& cells)>& use) {
    // The last row of each channel number, found first so that the rows it replaces can say so
    // in their place in the row order.
    std::vector<int> lastRow(65536, 0);
    bool repeated = false;
    for (int row = 1; row < table.RowCount() && table.ColCount() > Number; ++row) {
        if (const auto channel = ChannelNumber(table.CellText(row, Number))) {
            repeated = repeated || lastRow[*channel] != 0;
            lastRow[*channel] = row;
        }
    }

    for (int row = 1; row < table.RowCount(); ++row) {
        const RowTexts cells = RowTextsOf(table, row);
        if (repeated) {
            const auto channel = ChannelNumber(cells[Number]);
            if (channel && lastRow[*channel] != row) {
                RowProblems(row, problems)
                    .Report(Number, cells[Number],
                            "is used again in row " + std::to_string(lastRow[*channel]) +
                                ", whose record replaces this row's");
            }
        }
        use(row, cells);
    }
}

std::vector<Diagnostic> CheckCells(const MemoryTable& table, std::string_view model) {
    std::vector<Diagnostic> problems;
    ReadTableRecords(table, problems, [&](int row, const RowTexts& cells) {
        CheckRowCells(cells, model, row, problems);
    });
    return problems;
}

}  // namespace corvalen

#include "g3m/MemoryRecord.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>
#include <cmath>
#include <utility>

#include "convert/NumberText.h"
#include "convert/Windows1252.h"
#include "g3m/RecordChecksum.h"
#include "g3m/RecordLayout.h"
#include "table/Columns.h"

namespace corvalen {

namespace {

struct ModeEntry {
    std::string_view text;
    int code;
};
// Codes 3, 6, 7 and 9 belong to no mode the receiver software writes.
constexpr std::array<ModeEntry, 11> kModes = {{
    {"CW", 0},
    {"AM", 1},
    {"FM", 2},
    {"LSB", 4},
    {"USB", 5},
    {"AMS", 8},
    {"FM3", 10},
    {"FM6", 11},
    {"AMN", 12},
    {"DSB", 13},
    {"ISB", 14},
}};

void PutLe16(std::span<std::uint8_t> record, std::size_t offset, std::uint16_t value) {
    record[offset] = static_cast<std::uint8_t>(value);
    record[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

void PutLe32(std::span<std::uint8_t> record, std::size_t offset, std::uint32_t value) {
    record[offset] = static_cast<std::uint8_t>(value);
    record[offset + 1] = static_cast<std::uint8_t>(value >> 8);
    record[offset + 2] = static_cast<std::uint8_t>(value >> 16);
    record[offset + 3] = static_cast<std::uint8_t>(value >> 24);
}

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

void WriteGroups(std::string_view cell, std::span<std::uint8_t> record, RowProblems& problems) {
    // Every piece between "+" signs is one group number from 1 to 16, read by its leading
    // numeric part; group n sets flag n - 1. Flags 0 to 7 fill offset 13 and flags 8 to 15
    // offset 12, the lower flag in the higher bit.
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
                const std::size_t offset = flag < 8 ? kGroups0To7Offset : kGroups8To15Offset;
                record[offset] |= static_cast<std::uint8_t>(0x80u >> (flag % 8));
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

void WriteLevelSquelch(std::string_view cell, std::span<std::uint8_t> record,
                       RowProblems& problems) {
    // The leading numeric part, rounded down. Only its low 16 bits (two's complement) are kept;
    // the high half is always FF FF, so every level from -65536 to -1 reads back as itself.
    double level = std::floor(LeadingNumericValue(cell));
    if (!std::isfinite(level)) {
        level = 0.0;
    }
    double low = std::fmod(level, 65536.0);  // exact for any double, even a huge one
    if (low < 0.0) {
        low += 65536.0;
    }
    PutLe16(record, kSquelchOffset, static_cast<std::uint16_t>(low));
    record[kSquelchOffset + 2] = 0xFF;
    record[kSquelchOffset + 3] = 0xFF;
    if (!IsBlank(cell) && !ParseDecimal(cell)) {
        problems.Report(LevelSquelch, cell, "is not a number; read as " + WholeNumberText(level));
    }
}

void WriteText(Column column, std::string_view cell, std::size_t offset, std::size_t width,
               std::span<std::uint8_t> record, RowProblems& problems) {
    // One Windows-1252 byte per character; the rest of the field stays zero.
    std::size_t replaced = 0;
    std::string converted;
    std::string_view bytes = cell;
    if (!IsAscii(cell)) {
        converted = Windows1252FromUtf8(cell, &replaced);
        bytes = converted;
    }
    const std::size_t count = std::min(bytes.size(), width);
    std::copy_n(bytes.begin(), count, record.begin() + static_cast<std::ptrdiff_t>(offset));

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

int RecordLengthFor(std::string_view model) {
    return model == "303" ? static_cast<int>(kShortRecordLength)
                          : static_cast<int>(kLongRecordLength);
}

int ModeCode(std::string_view modeText) {
    for (const ModeEntry& mode : kModes) {
        if (mode.text == modeText) {
            return mode.code;
        }
    }
    return -1;
}

std::string_view ModeName(std::uint32_t code) {
    for (const ModeEntry& mode : kModes) {
        if (static_cast<std::uint32_t>(mode.code) == code) {
            return mode.text;
        }
    }
    return {};
}

std::uint16_t WriteMemoryRecord(std::span<const std::string> cells, std::string_view model,
                                std::span<std::uint8_t> record, int row,
                                std::vector<Diagnostic>& problems) {
    assert(record.size() == static_cast<std::size_t>(RecordLengthFor(model)));
    std::fill(record.begin(), record.end(), std::uint8_t{0});
    if (record.size() < kShortRecordLength) {
        return 0;
    }
    // A table that has not been imported yet has only ten columns; the cells it lacks are empty.
    const auto cell = [&](Column column) -> std::string_view {
        const auto index = static_cast<std::size_t>(column);
        return index < cells.size() ? std::string_view(cells[index]) : std::string_view();
    };
    RowProblems rowProblems(row, problems);

    // The one channel number gives both the Number field and the record's place in the file,
    // so the two can never disagree.
    const auto channel = ParseWholeNumber(cell(Number));
    if (!channel || *channel < 1 || *channel > 65535) {
        rowProblems.Report(Number, cell(Number),
                           "is not a channel number from 1 to 65535; row not written");
        return 0;
    }
    const auto number = static_cast<std::uint16_t>(*channel);
    PutLe16(record, kNumberOffset, number);

    if (const auto frequency = FrequencyValue(cell(Frequency))) {
        PutLe32(record, kFrequencyOffset, *frequency);
    } else {
        rowProblems.Report(Frequency, cell(Frequency),
                           "is not a frequency from 0 to 4294967295; written as 0");
    }

    // A 32-bit word from a cell: a blank cell leaves it 0 without a word; a cell `value` cannot
    // read leaves it 0 and is reported with what it should have held.
    const auto writeWord = [&](Column column, std::size_t offset, auto value,
                               std::string_view expected) {
        const std::string_view text = cell(column);
        if (IsBlank(text)) {
            return;
        }
        if (const std::optional<std::uint32_t> word = value(text)) {
            PutLe32(record, offset, *word);
        } else {
            rowProblems.Report(column, text, std::string(expected) + "; written as 0");
        }
    };
    constexpr std::string_view kSignedRange = "is not a number from -2147483648 to 2147483647";
    constexpr std::string_view kUnsignedRange = "is not a whole number from 0 to 4294967295";

    // Only a "313" record has room for bandwidth and IF shift; other models ignore the cells.
    if (model == "313" && record.size() >= kLongRecordLength) {
        writeWord(Bandwidth, kBandwidthOffset, SignedWordValue, kSignedRange);
        writeWord(IfShift, kIfShiftOffset, SignedWordValue, kSignedRange);
    }

    WriteGroups(cell(Groups), record, rowProblems);

    writeWord(Hotkey, kHotkeyOffset, UnsignedWordValue, kUnsignedRange);
    writeWord(Lockout, kLockoutOffset, UnsignedWordValue, kUnsignedRange);

    WriteLevelSquelch(cell(LevelSquelch), record, rowProblems);

    const int mode = ModeCode(cell(Mode));
    if (mode >= 0) {
        record[kModeOffset] = static_cast<std::uint8_t>(mode);
    } else if (!IsBlank(cell(Mode))) {
        rowProblems.Report(Mode, cell(Mode), "is not a known mode; written as 0");
    }

    WriteText(Callsign, cell(Callsign), kCallsignOffset, kCallsignWidth, record, rowProblems);
    WriteText(Comments, cell(Comments), kCommentOffset, kCommentWidth, record, rowProblems);

    PutLe32(record, kChecksumOffset, ComputeRecordChecksum(record));
    return number;
}

}  // namespace corvalen

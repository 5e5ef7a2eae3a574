#include "channel/CellChecks.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <utility>

#include "channel/ChannelFields.h"
#include "channel/TableChecks.h"
#include "convert/NumberText.h"
#include "convert/Windows1252.h"
#include "io/Messages.h"

namespace corvalen {

// Counts characters, not bytes, so a cut never falls inside a UTF-8 character.
void AppendQuotedCellTo(std::string& out, std::string_view cell) {
    constexpr std::size_t kShown = 40;
    static constexpr char kHex[] = "0123456789ABCDEF";
    const auto control = [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; };
    // A cell too short to be cut and without control characters is shown as it is.
    if (cell.size() <= kShown && std::ranges::none_of(cell, control)) {
        out.append(1, '"').append(cell).push_back('"');
        return;
    }
    out.push_back('"');
    std::size_t characters = 0;
    int following = 0;  // bytes still to come of the UTF-8 character begun
    for (const char c : cell) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) == 0x80 && following > 0) {
            --following;
            if (characters <= kShown) {
                out.push_back(c);
            }
            continue;
        }
        following = byte >= 0xF0 ? 3 : byte >= 0xE0 ? 2 : byte >= 0xC0 ? 1 : 0;
        if (++characters > kShown) {
            continue;
        }
        if (c == '\n') {
            out.append("\\n");
        } else if (c == '\r') {
            out.append("\\r");
        } else if (c == '\t') {
            out.append("\\t");
        } else if (byte < 0x20 || byte == 0x7F) {
            out.append("\\x").push_back(kHex[byte >> 4]);
            out.push_back(kHex[byte & 0xF]);
        } else {
            out.push_back(c);
        }
    }
    if (characters > kShown) {
        out.append("...\" (").append(std::to_string(characters)).append(" characters)");
    } else {
        out.push_back('"');
    }
}

std::string QuotedCell(std::string_view cell) {
    std::string quoted;
    quoted.reserve(cell.size() + 2);
    AppendQuotedCellTo(quoted, cell);
    return quoted;
}

namespace {

bool IsBlank(std::string_view text) {
    return TrimBlanks(text).empty();
}

// A cell's text as a message shows a number: without the blanks around it, cut like QuotedCell.
std::string ShownNumber(std::string_view cell) {
    std::string quoted = QuotedCell(TrimBlanks(cell));
    const std::size_t close = quoted.rfind('"');
    quoted.erase(close, 1);
    quoted.erase(0, 1);
    return quoted;
}

// Whether a decimal text that ParseDecimal takes has a fraction other than zeros.
bool HasFraction(std::string_view number) {
    const std::size_t point = number.find('.');
    return point != std::string_view::npos &&
           number.find_first_of("123456789", point + 1) != std::string_view::npos;
}

// Collects what one row reports: each problem's column, kind and values (the cell first, then
// what was written instead).
class RowProblems {
public:
    RowProblems(int row, std::vector<Diagnostic>& problems) : m_row(row), m_problems(problems) {}

    // A problem whose one value is the cell as quoted.
    void Report(Column column, std::string_view cell, MessageKind kind,
                Diagnostic::Severity severity = Diagnostic::Severity::Error) {
        MessageValues values;
        AppendQuotedCellTo(values.Start(), cell);
        Add(column, kind, std::move(values), severity);
    }

    void Add(Column column, MessageKind kind, MessageValues values,
             Diagnostic::Severity severity = Diagnostic::Severity::Error) {
        m_problems.push_back(
            Diagnostic{Diagnostic::Place::Row, m_row, column, kind, std::move(values), severity});
    }

private:
    int m_row;
    std::vector<Diagnostic>& m_problems;
};

constexpr auto kNotice = Diagnostic::Severity::Notice;

// "<number> <unit> is not a whole number; written as <written>", a notice.
void ReportFraction(RowProblems& problems, Column column, std::string_view cell,
                    std::string_view unit, std::string written) {
    problems.Add(column, unit.empty() ? MessageKind::Fraction : MessageKind::FractionWithUnit,
                 {ShownNumber(cell), std::move(written)}, kNotice);
}

// Frequency: a decimal number of Hz, 0 to 2^32 - 1, whose fraction is cut off with a notice;
// anything else is an error that writes 0 Hz. Returns AlikeFrequency(cell).
std::optional<std::uint32_t> ReadFrequency(std::string_view cell, RecordFields& fields,
                                           RowProblems& problems) {
    // Plain digits, the form nearly every cell has, hold no fraction to report.
    if (const std::int64_t plain = PlainDigits(cell, 9); plain >= 0) {
        fields.frequency = static_cast<std::uint32_t>(plain);
        return fields.frequency;
    }
    const std::optional<std::uint32_t> alike = AlikeFrequency(cell);
    if (alike) {
        fields.frequency = *alike;
        if (HasFraction(cell)) {
            ReportFraction(problems, Frequency, cell, "Hz", std::to_string(fields.frequency));
        }
        return alike;
    }
    const auto value = ParseDecimal(cell);
    if (IsBlank(cell)) {
        problems.Add(Frequency, MessageKind::FrequencyEmpty, {});
    } else if (!value) {
        problems.Report(Frequency, cell, MessageKind::FrequencyNotNumber);
    } else if (*value < 0.0) {
        problems.Report(Frequency, cell, MessageKind::FrequencyBelowZero);
    } else {
        problems.Report(Frequency, cell, MessageKind::FrequencyTooHigh);
    }
    return alike;
}

// A signed word (IF shift, bandwidth): a decimal number of `unit` (Hz or none) rounded half to
// even, that fits a signed 32-bit value. A blank cell writes 0 without a word.
void ReadSignedWord(Column column, std::string_view cell, std::string_view unit,
                    std::uint32_t& word, RowProblems& problems) {
    // Up to nine plain digits, perhaps negative: a whole number that fits (a bandwidth below 0
    // goes on to be reported).
    if (std::int64_t plain = 0;
        PlainSignedDigits(cell, 9, plain) && (plain >= 0 || column != Bandwidth)) {
        word = static_cast<std::uint32_t>(static_cast<std::int32_t>(plain));
        return;
    }
    if (IsBlank(cell)) {
        return;
    }
    const auto value = ParseDecimal(cell);
    if (!value) {
        if (unit.empty()) {
            problems.Add(column, MessageKind::NotNumber, {QuotedCell(cell), "0"});
        } else {
            problems.Report(column, cell, MessageKind::NotNumberOfUnit);
        }
        return;
    }
    const double rounded = RoundHalfToEven(*value);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) {
        problems.Report(column, cell,
                        unit.empty() ? MessageKind::TooLarge : MessageKind::TooLargeWithUnit);
        return;
    }
    const auto whole = static_cast<std::int32_t>(rounded);
    if (column == Bandwidth && whole < 0) {
        // A receive bandwidth is a width: none is below 0 Hz.
        problems.Report(column, cell, MessageKind::BandwidthBelowZero);
        return;
    }
    word = static_cast<std::uint32_t>(whole);
    if (HasFraction(cell)) {
        ReportFraction(problems, column, cell, unit, std::to_string(whole));
    }
}

// Hot key and lockout: a whole number from 0 to 2^32 - 1, blanks around it allowed; a blank
// cell writes 0 (no hot key, no lockout flag) without a word.
void ReadUnsignedWord(Column column, std::string_view cell, std::uint32_t& word,
                      RowProblems& problems) {
    if (const std::int64_t plain = PlainDigits(cell, 9); plain >= 0) {
        word = static_cast<std::uint32_t>(plain);
        return;
    }
    if (IsBlank(cell)) {
        return;
    }
    const auto value = ParseWholeNumber(cell);
    if (value && *value <= 0xFFFFFFFFu) {
        word = static_cast<std::uint32_t>(*value);
    } else {
        problems.Report(
            column, cell,
            column == Hotkey ? MessageKind::HotkeyNotHotkey : MessageKind::LockoutNotFlags);
    }
}

void ReadGroups(std::string_view cell, RecordFields& fields, RowProblems& problems) {
    // Every piece between "+" signs is one group number from 1 to 16, read by its leading
    // numeric part; group n sets flag n - 1. A piece that names no such group is an error; one
    // that is not a plain whole number but rounds to a group is a notice.
    std::string named[2];  // [0] rejected pieces, [1] pieces taken though not plain numbers
    int counts[2] = {0, 0};
    ForEachGroupPiece(cell, [&](std::string_view piece) {
        // Nearly every piece is a plain number, which needs no closer look.
        const std::int64_t plain = PlainDigits(piece, 2);
        if (plain < 0 && IsBlank(piece)) {
            return;
        }
        const double group =
            plain >= 0 ? static_cast<double>(plain) : RoundHalfToEven(LeadingNumericValue(piece));
        int kind = 0;
        if (group >= 1.0 && group <= kGroupCount) {
            fields.groups |= static_cast<std::uint16_t>(0x8000u >> (static_cast<int>(group) - 1));
            kind = plain >= 0 || ParseWholeNumber(piece) ? -1 : 1;
        }
        if (kind >= 0) {
            // A few pieces say enough; the cell itself is quoted in front of them.
            if (counts[kind] < 3) {
                named[kind].append(counts[kind] == 0 ? "" : ", ").append(QuotedCell(piece));
            } else if (counts[kind] == 3) {
                named[kind].append(", ...");
            }
            ++counts[kind];
        }
    });
    if (counts[0] == 0 && counts[1] == 0) {
        return;
    }
    std::string written;  // "3", "1, 3, 9" or "" (no group)
    AppendGroupList(fields.groups, ", ", written);
    if (counts[0] == 1 && QuotedCell(TrimBlanks(cell)) == named[0]) {
        problems.Add(Groups, MessageKind::GroupsNotGroup, {QuotedCell(cell), std::move(written)});
    } else if (counts[0] > 0) {
        problems.Add(
            Groups,
            counts[0] == 1 ? MessageKind::GroupsNameNotGroup : MessageKind::GroupsNamesNotGroups,
            {QuotedCell(cell), std::move(named[0]), std::move(written)});
    } else if (counts[1] > 0) {
        problems.Add(
            Groups,
            counts[1] == 1 ? MessageKind::GroupsNameNotWhole : MessageKind::GroupsNamesNotWhole,
            {QuotedCell(cell), std::move(named[1]), std::move(written)}, kNotice);
    }
}

void ReadLevelSquelch(std::string_view cell, RecordFields& fields, RowProblems& problems) {
    // Plain digits from -65536 to 0: written as they stand, without a word.
    if (std::int64_t plain = 0;
        PlainSignedDigits(cell, 5, plain) && plain <= 0 && plain >= -65536) {
        fields.squelchLow = static_cast<std::uint16_t>(plain & 0xFFFF);
        return;
    }
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
    // The level the word reads back as, -65535 to 0.
    std::string written = std::to_string(fields.squelchLow == 0 ? 0 : fields.squelchLow - 65536);
    // Fraction: a number in range, which at most has a fraction to report.
    const MessageKind kind = !ParseDecimal(cell) ? MessageKind::NotNumber
                             : level > 0.0       ? MessageKind::LevelAboveZero
                             : level < -65536.0  ? MessageKind::LevelTooLow
                                                 : MessageKind::Fraction;
    if (kind != MessageKind::Fraction) {
        problems.Add(LevelSquelch, kind, {QuotedCell(cell), std::move(written)});
    } else if (HasFraction(cell)) {
        ReportFraction(problems, LevelSquelch, cell, {}, std::move(written));
    }
}

// "CW, AM, FM, ..." in code order.
std::string ModeList() {
    std::string list;
    for (std::uint32_t code = 0; code < 256; ++code) {
        const std::string_view name = ModeName(code);
        if (!name.empty()) {
            list.append(list.empty() ? "" : ", ").append(name);
        }
    }
    return list;
}

// Returns the mode's code, -1 for none.
int ReadMode(std::string_view cell, RecordFields& fields, RowProblems& problems) {
    const int mode = ModeCode(cell);
    const std::string_view cw = ModeName(0);
    if (mode >= 0) {
        fields.mode = static_cast<std::uint8_t>(mode);
    } else if (IsBlank(cell)) {
        problems.Add(Mode, MessageKind::ModeEmpty, {std::string(cw)}, kNotice);
    } else {
        static const std::string list = ModeList();
        problems.Add(Mode, MessageKind::ModeUnknown, {QuotedCell(cell), list, std::string(cw)});
    }
    return mode;
}

template <std::size_t width>
void ReadText(Column column, std::string_view cell, std::array<std::uint8_t, width>& field,
              RowProblems& problems) {
    // One Windows-1252 byte per character; the rest of the field stays zero. Nearly every cell
    // is ASCII that fits, which is copied as it stands.
    if (cell.size() <= width && AsciiPrefixLength(cell) == cell.size()) {
        std::copy(cell.begin(), cell.end(), field.begin());  // an empty cell may have no data
        return;
    }
    std::size_t replaced = 0;
    std::array<char, width> bytes{};
    const std::size_t length = Windows1252FromUtf8Into(cell, bytes, &replaced);
    std::memcpy(field.data(), bytes.data(), width);

    const bool cut = length > width;
    if (!cut && replaced == 0) {
        return;
    }
    const std::string_view written(bytes.data(), std::min(length, width));
    std::string shown = QuotedCell(Utf8FromWindows1252(written));
    if (!cut) {
        problems.Add(column, MessageKind::TextUnheld, {QuotedCell(cell), std::move(shown)});
        return;
    }
    problems.Add(column, replaced ? MessageKind::TextTooLongUnheld : MessageKind::TextTooLong,
                 {QuotedCell(cell), std::to_string(width), std::move(shown)});
}

}  // namespace

RecordFields ReadRecordFields(std::span<const std::string_view> cells, ReceiverModel model, int row,
                              std::vector<Diagnostic>& problems, RowKeys* keys) {
    const auto cell = [&](Column column) { return CellOf(cells, column); };
    RecordFields fields;
    if (IsEmptyRow(cells)) {
        if (keys != nullptr) {
            *keys = {};
        }
        return fields;
    }
    RowProblems rowProblems(row, problems);
    const auto emptyBandwidth = [&] {
        if (cell(Bandwidth).empty()) {
            problems.push_back(EmptyBandwidthProblem(row));
        }
    };

    // The one channel number gives both the Number field and the record's place in the file,
    // so the two can never disagree.
    const auto channel = ChannelNumber(cell(Number));
    if (!channel) {
        if (cell(Number).empty()) {
            rowProblems.Add(Number, MessageKind::NumberEmpty, {});
        } else {
            rowProblems.Report(Number, cell(Number), MessageKind::NumberNotChannel);
        }
        emptyBandwidth();
        if (keys != nullptr) {
            *keys = TableChecks::KeysOf(cells);  // the frequency and mode not read here
        }
        return fields;
    }
    fields.channel = *channel;

    const std::optional<std::uint32_t> alikeFrequency =
        ReadFrequency(cell(Frequency), fields, rowProblems);
    emptyBandwidth();

    // Only "313", "305" and "315" records have room for bandwidth and IF shift; other models
    // ignore the cells.
    if (model.HoldsIfShiftAndBandwidth()) {
        ReadSignedWord(Bandwidth, cell(Bandwidth), "Hz", fields.bandwidth, rowProblems);
        ReadSignedWord(IfShift, cell(IfShift), "Hz", fields.ifShift, rowProblems);
    }

    ReadGroups(cell(Groups), fields, rowProblems);
    ReadUnsignedWord(Hotkey, cell(Hotkey), fields.hotkey, rowProblems);
    ReadUnsignedWord(Lockout, cell(Lockout), fields.lockout, rowProblems);
    ReadLevelSquelch(cell(LevelSquelch), fields, rowProblems);
    // The secondary squelch words exist in "305" and "315" records only.
    if (model.HoldsSecondarySquelch()) {
        ReadSignedWord(SecondarySquelchType, cell(SecondarySquelchType), {},
                       fields.secondarySquelchType, rowProblems);
        ReadSignedWord(SecondarySquelchValue, cell(SecondarySquelchValue), {},
                       fields.secondarySquelchValue, rowProblems);
    }
    int modeCode = 0;
    if (cells.size() > Mode) {
        modeCode = ReadMode(cell(Mode), fields, rowProblems);
    }
    if (keys != nullptr) {
        // As KeysOf: an empty Mode counts as the CW it is written as, and without a frequency
        // the mode does not count.
        keys->channel = channel;
        keys->frequency = alikeFrequency;
        keys->modeCode = alikeFrequency && !cell(Mode).empty() ? modeCode : 0;
    }
    ReadText(Callsign, cell(Callsign), fields.callsign, rowProblems);
    ReadText(Comments, cell(Comments), fields.comment, rowProblems);
    return fields;
}

RowTexts RowTextsOf(const MemoryTable& table, int row) {
    RowTexts cells{};
    table.RowCells(row).CopyTo(cells);
    return cells;
}

std::optional<std::uint16_t> ChannelNumber(std::string_view numberCell) {
    if (const std::int64_t plain = PlainDigits(numberCell, 5); plain >= 1 && plain <= 65535) {
        return static_cast<std::uint16_t>(plain);
    }
    const auto channel = ParseWholeNumber(numberCell);
    if (!channel || *channel < 1 || *channel > 65535) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(*channel);
}

std::span<const std::string_view> PresentCells(const MemoryTable& table, const RowTexts& cells) {
    return std::span(cells).first(
        static_cast<std::size_t>(std::clamp(table.ColCount(), 0, kImportedColumnCount)));
}

bool IsEmptyRow(std::span<const std::string_view> cells) {
    return std::all_of(cells.begin(), cells.end(), [](std::string_view c) { return c.empty(); });
}

bool IsEmptyRow(const MemoryTable& table, int row) {
    const MemoryTable::RowView cells = table.RowCells(row);
    return std::all_of(cells.begin(), cells.end(), [](std::string_view c) { return c.empty(); });
}

Diagnostic EmptyBandwidthProblem(int row) {
    return Diagnostic{Diagnostic::Place::Row, row, Bandwidth, MessageKind::BandwidthEmpty, {}};
}

std::string ProblemLine(const Diagnostic& problem, const MessageTexts& texts) {
    const Language language = texts.language();
    const std::string place =
        Sentence(texts, PlaceKind(problem.place), {std::to_string(problem.number)});
    if (problem.column < 0 || problem.column >= kImportedColumnCount) {
        return Sentence(texts, MessageKind::GroupLine, {place, ""}) + MessageText(problem, texts);
    }
    // The sentence's leading column name moves to the front.
    std::string_view sentence = texts.Template(problem.kind, TemplatePart::Sentence);
    const std::string name = ColumnNameIn(problem.column, language);
    if (sentence.starts_with("{c} ")) {
        sentence.remove_prefix(4);
    } else if (sentence.size() > name.size() && sentence.starts_with(name) &&
               sentence[name.size()] == ' ') {
        sentence.remove_prefix(name.size() + 1);
    }
    return Sentence(texts, MessageKind::PlaceColumn,
                    {place, name, FillTemplate(sentence, problem.args, problem.column, language)});
}

std::size_t NoticeCount(const std::vector<Diagnostic>& problems) {
    return static_cast<std::size_t>(std::ranges::count_if(problems, &Diagnostic::IsNotice));
}

}  // namespace corvalen

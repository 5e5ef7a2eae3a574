#include "formats/EibiSchedule.h"

#include <algorithm>
#include <array>
#include <numeric>

#include "channel/CellChecks.h"
#include "convert/FrequencyText.h"
#include "convert/NumberText.h"
#include "convert/TextLines.h"
#include "convert/Windows1252.h"

namespace corvalen {

namespace {

// EiBi's columns in the order its files list them.
enum EibiColumn {
    Khz,
    Time,
    Days,
    Itu,
    Station,
    Language,
    Target,
    Remarks,
    Persistence,
    Start,
    Stop,
    kEibiColumnCount
};
constexpr std::array<std::string_view, kEibiColumnCount> kColumnNames = {
    "kHz", "Time(UTC)", "Days", "ITU", "Station", "Lng", "Target", "Remarks", "P", "Start", "Stop"};

// A weekday name at the start of `text`: 0 for Monday to 6 for Sunday, -1 for none.
int DayNameAt(std::string_view text) {
    const auto day = std::ranges::find_if(
        kDayNames, [&](std::string_view name) { return text.starts_with(name); });
    return day == kDayNames.end() ? -1 : static_cast<int>(day - kDayNames.begin());
}

// Days from `first` to `last` (0 to 6), wrapping past Sunday.
std::uint8_t DayRange(int first, int last) {
    std::uint8_t days = 0;
    for (int day = first;; day = (day + 1) % 7) {
        days |= static_cast<std::uint8_t>(1u << day);
        if (day == last) {
            return days;
        }
    }
}

// One piece between commas: digits ("1245", "1-5") or names ("SaSu", "Mo-Fr"), not both
// ("Sa2" is the second Saturday of a month).
bool ReadDayPiece(std::string_view piece, std::uint8_t& days) {
    if (piece.empty()) {
        return false;
    }
    const bool digits = piece[0] >= '0' && piece[0] <= '9';
    const auto dayAt = [&](std::size_t& pos) {
        if (digits) {
            return pos < piece.size() && piece[pos] >= '1' && piece[pos] <= '7' ? piece[pos++] - '1'
                                                                                : -1;
        }
        const int named = DayNameAt(piece.substr(pos));
        if (named >= 0) {
            pos += 2;
        }
        return named;
    };
    std::size_t pos = 0;
    while (pos < piece.size()) {
        const int first = dayAt(pos);
        if (first < 0) {
            return false;
        }
        int last = first;
        if (pos < piece.size() && piece[pos] == '-') {
            ++pos;
            last = dayAt(pos);
            if (last < 0) {
                return false;
            }
        }
        days |= DayRange(first, last);
    }
    return true;
}

}  // namespace

bool LooksLikeEibiSchedule(std::string_view fileBytes) {
    fileBytes = WithoutByteOrderMark(fileBytes);
    return fileBytes.starts_with("kHz:") || fileBytes.starts_with("kHz;");
}

bool ReadScheduleDays(std::string_view text, std::uint8_t& days) {
    text = TrimBlanks(text);
    if (text.empty()) {
        days = kEveryDay;
        return true;
    }
    std::uint8_t named = 0;
    for (const std::string_view piece : Split(text, ',')) {
        if (!ReadDayPiece(TrimBlanks(piece), named)) {
            return false;
        }
    }
    days = named;
    return true;
}

int ReadDayMonth(std::string_view text) {
    text = TrimBlanks(text);
    const std::int64_t ddmm = text.size() == 4 ? PlainDigits(text, 4) : -1;
    const auto day = static_cast<int>(ddmm / 100);
    const auto month = static_cast<int>(ddmm % 100);
    constexpr std::array<int, 12> kDaysInMonth = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (ddmm < 0 || month < 1 || month > 12 || day < 1 || day > kDaysInMonth[month - 1]) {
        return 0;
    }
    return month * 100 + day;
}

bool ReadTimeSpan(std::string_view text, int& start, int& end) {
    text = TrimBlanks(text);
    const auto minutes = [](std::string_view hhmm, bool isEnd) {
        const std::int64_t value = hhmm.size() == 4 ? PlainDigits(hhmm, 4) : -1;
        const auto hours = static_cast<int>(value / 100);
        const auto mins = static_cast<int>(value % 100);
        if (isEnd && value == 2400) {
            return kMinutesPerDay;
        }
        return value >= 0 && hours < 24 && mins < 60 ? hours * 60 + mins : -1;
    };
    if (text.size() != 9 || text[4] != '-') {
        return false;
    }
    const int from = minutes(text.substr(0, 4), false);
    const int to = minutes(text.substr(5), true);
    if (from < 0 || to < 0) {
        return false;
    }
    start = from;
    end = to;
    return true;
}

Schedule ReadEibiSchedule(std::string_view fileBytes) {
    Schedule schedule;
    fileBytes = WithoutByteOrderMark(fileBytes);
    std::string converted;
    if (!IsWellFormedUtf8(fileBytes)) {
        converted = Utf8FromWindows1252(fileBytes);
        fileBytes = converted;
    }
    const ProblemList report(schedule.diagnostics, Diagnostic::Place::Line);

    std::array<int, kEibiColumnCount> where{};
    std::iota(where.begin(), where.end(), 0);
    int lineNumber = 0;
    for (std::string_view line : Split(fileBytes, '\n')) {
        ++lineNumber;
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        const std::vector<std::string_view> fields = Split(line, ';');
        if (lineNumber == 1 && LooksLikeEibiSchedule(line)) {
            // The header names the columns, each with its width after a colon.
            for (std::size_t k = 0; k < fields.size(); ++k) {
                const std::string_view name = TrimBlanks(fields[k].substr(0, fields[k].find(':')));
                const auto known = std::find(kColumnNames.begin(), kColumnNames.end(), name);
                if (known != kColumnNames.end()) {
                    where[static_cast<std::size_t>(known - kColumnNames.begin())] =
                        static_cast<int>(k);
                }
            }
            continue;
        }
        if (TrimBlanks(line).empty()) {
            continue;
        }
        const auto field = [&](EibiColumn column) {
            const auto index = static_cast<std::size_t>(where[static_cast<std::size_t>(column)]);
            return index < fields.size() ? TrimBlanks(fields[index]) : std::string_view();
        };

        ScheduleEntry entry;
        entry.line = lineNumber;
        entry.hz = HzOf(field(Khz), FrequencyUnit::kHz).value_or(0);
        if (entry.hz == 0) {
            report(lineNumber, -1, MessageKind::ScheduleKhzNotFrequency, {QuotedCell(field(Khz))});
            continue;
        }
        entry.time = field(Time);
        if (!ReadTimeSpan(entry.time, entry.start, entry.end)) {
            report(lineNumber, -1, MessageKind::ScheduleTimeNotSpan, {QuotedCell(entry.time)});
        }
        entry.daysText = field(Days);
        entry.daysRead = ReadScheduleDays(entry.daysText, entry.days);
        entry.station = field(Station);
        entry.language = field(Language);
        entry.target = field(Target);
        entry.inactive = field(Persistence) == "8";

        const std::string_view start = field(Start);
        entry.startDate = ReadDayMonth(start);
        entry.startDateUnread = !start.empty() && entry.startDate == 0;
        // A stop may carry the month and year last heard in brackets: "[0125]", "3110[0924]".
        const std::string_view stop = TrimBlanks(field(Stop).substr(0, field(Stop).find('[')));
        entry.stopDate = ReadDayMonth(stop);
        entry.stopDateUnread = !stop.empty() && entry.stopDate == 0;
        schedule.entries.push_back(std::move(entry));
    }
    return schedule;
}

}  // namespace corvalen

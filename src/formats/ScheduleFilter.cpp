#include "formats/ScheduleFilter.h"

#include <algorithm>
#include <map>
#include <tuple>
#include <unordered_set>
#include <utility>

#include "channel/CellChecks.h"
#include "channel/ChannelFields.h"
#include "convert/FrequencyText.h"
#include "convert/NumberText.h"
#include "convert/TextLines.h"
#include "formats/ScheduleSummary.h"

namespace corvalen {

namespace {

// The small letter of a capital in Latin-1 and Latin Extended-A (U+00C0 to U+017F), the letters
// of the station names of a schedule; any other code point as it is.
char32_t SmallLetter(char32_t c) {
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return c + 0x20;
    }
    if (c == 0x178) {
        return 0xFF;
    }
    const bool evenCapitals = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
    const bool oddCapitals = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    return (evenCapitals && c % 2 == 0) || (oddCapitals && c % 2 == 1) ? c + 1 : c;
}

// Text in lower case for a match that ignores case: ASCII letters and the two-byte UTF-8
// letters SmallLetter knows.
std::string Folded(std::string_view text) {
    std::string folded(text);
    for (std::size_t i = 0; i < folded.size(); ++i) {
        const auto c = static_cast<unsigned char>(folded[i]);
        if (c >= 'A' && c <= 'Z') {
            folded[i] = static_cast<char>(c - 'A' + 'a');
        } else if (c >= 0xC3 && c <= 0xC5 && i + 1 < folded.size() &&
                   (static_cast<unsigned char>(folded[i + 1]) & 0xC0) == 0x80) {
            const auto next = static_cast<unsigned char>(folded[i + 1]);
            const char32_t letter =
                SmallLetter(static_cast<char32_t>(((c & 0x1F) << 6) | (next & 0x3F)));
            folded[i] = static_cast<char>(0xC0 | (letter >> 6));
            folded[i + 1] = static_cast<char>(0x80 | (letter & 0x3F));
            ++i;
        }
    }
    return folded;
}

bool AnyCodeMatches(std::string_view codes, const std::vector<std::string>& wanted) {
    if (wanted.empty()) {
        return true;
    }
    return std::ranges::any_of(ParseCodeList(codes), [&](const std::string& code) {
        return std::ranges::find(wanted, code) != wanted.end();
    });
}

bool WithinDates(const ScheduleEntry& entry, int date) {
    const int start = entry.startDate;
    const int stop = entry.stopDate;
    if (start != 0 && stop != 0 && start > stop) {
        return date >= start || date <= stop;  // across the turn of the year
    }
    return (start == 0 || date >= start) && (stop == 0 || date <= stop);
}

// Texts in the order they first came, each once; the hash set keeps this linear for a station
// of thousands of lines, or a line of thousands of codes.
class DistinctTexts {
public:
    void Add(std::string_view text) {
        if (!text.empty() && m_seen.emplace(text).second) {
            m_list.emplace_back(text);
        }
    }
    const std::vector<std::string>& List() const { return m_list; }
    std::vector<std::string> Take() { return std::move(m_list); }

private:
    std::vector<std::string> m_list;
    std::unordered_set<std::string> m_seen;
};

using ChannelKey = std::pair<std::uint64_t, std::string_view>;

// The entries of each channel, in frequency order, then in the order each channel first appears.
std::vector<std::vector<const ScheduleEntry*>> GroupByChannel(
    const std::vector<const ScheduleEntry*>& entries) {
    std::map<ChannelKey, std::size_t> index;
    std::vector<std::vector<const ScheduleEntry*>> channels;
    for (const ScheduleEntry* entry : entries) {
        const auto [found, added] =
            index.try_emplace(ChannelKey{entry->hz, entry->station}, channels.size());
        if (added) {
            channels.emplace_back();
        }
        channels[found->second].push_back(entry);
    }
    std::ranges::stable_sort(channels, {}, [](const auto& channel) { return channel.front()->hz; });
    return channels;
}

}  // namespace

Result<ScheduleFilter::Span> ParseScheduleTime(std::string_view text) {
    int start = 0;
    int end = 0;
    if (text.size() == 4 && ReadTimeSpan(std::string(text) + "-0000", start, end) &&
        start < kMinutesPerDay) {
        return ScheduleFilter::Span{start, start + 1};
    }
    if (ReadTimeSpan(text, start, end)) {
        return ScheduleFilter::Span{start, end};
    }
    return Error{MessageKind::ScheduleTimeBad, {text}};
}

Result<int> ParseWeekday(std::string_view text) {
    for (int day = 0; day < 7; ++day) {
        if (EqualsIgnoringCase(text, kDayNames[static_cast<std::size_t>(day)])) {
            return day;
        }
    }
    return Error{MessageKind::ScheduleDayBad, {text}};
}

std::vector<std::string> ParseCodeList(std::string_view text) {
    DistinctTexts codes;
    for (const std::string_view code : Split(text, ',')) {
        codes.Add(TrimBlanks(code));
    }
    return codes.Take();
}

Result<Band> ParseBand(std::string_view text) {
    const std::size_t dash = text.find('-');
    if (dash != std::string_view::npos) {
        const std::optional<std::uint64_t> from = HzOf(text.substr(0, dash), FrequencyUnit::kHz);
        const std::optional<std::uint64_t> to = HzOf(text.substr(dash + 1), FrequencyUnit::kHz);
        if (from && to && *from <= *to) {
            return Band{*from, *to};
        }
    }
    return Error{MessageKind::ScheduleBandBad, {text}};
}

Result<int> ParseScheduleDate(std::string_view text) {
    if (text.size() == 10 && text[4] == '-' && text[7] == '-') {
        const std::int64_t year = PlainDigits(text.substr(0, 4), 4);
        const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
        const char ddmm[5] = {text[8], text[9], text[5], text[6], '\0'};
        const int date = year < 0 ? 0 : ReadDayMonth(ddmm);
        if (date != 0 && !(date == 229 && !leap)) {  // 29 February of a year that has none
            return date;
        }
    }
    return Error{MessageKind::ScheduleDateBad, {text}};
}

ScheduleSelection SelectBroadcasts(const Schedule& schedule, const ScheduleFilter& filter) {
    ScheduleSelection selection;
    const std::string station = Folded(filter.station);
    int unreadDays = 0;
    int firstUnreadDays = 0;
    std::string_view unreadDaysExample;
    int unreadDates = 0;
    int firstUnreadDate = 0;

    for (const ScheduleEntry& entry : schedule.entries) {
        if (entry.inactive) {
            continue;
        }
        if (filter.at &&
            (entry.start < 0 ||
             !SpansOverlap(entry.start, SpanLength(entry.start, entry.end), filter.at->from,
                           SpanLength(filter.at->from, filter.at->to), kMinutesPerDay))) {
            continue;
        }
        if ((filter.bandFrom && entry.hz < *filter.bandFrom) ||
            (filter.bandTo && entry.hz > *filter.bandTo)) {
            continue;
        }
        if (!AnyCodeMatches(entry.language, filter.languages) ||
            !AnyCodeMatches(entry.target, filter.targets)) {
            continue;
        }
        if (!station.empty() && Folded(entry.station).find(station) == std::string::npos) {
            continue;
        }
        if (filter.date) {
            if ((entry.startDateUnread || entry.stopDateUnread) && unreadDates++ == 0) {
                firstUnreadDate = entry.line;
            }
            if (!WithinDates(entry, *filter.date)) {
                continue;
            }
        }
        if (filter.day) {
            if (!entry.daysRead) {
                if (unreadDays++ == 0) {
                    firstUnreadDays = entry.line;
                    unreadDaysExample = entry.daysText;
                }
            } else if ((entry.days & (1u << *filter.day)) == 0) {
                continue;
            }
        }
        selection.entries.push_back(&entry);
    }

    const ProblemList notice(selection.notices, Diagnostic::Place::Line);
    constexpr auto kNotice = Diagnostic::Severity::Notice;
    if (unreadDays > 0) {
        notice(firstUnreadDays, -1, MessageKind::ScheduleDaysUnread,
               {std::to_string(unreadDays), QuotedCell(unreadDaysExample)}, kNotice);
    }
    if (unreadDates > 0) {
        notice(firstUnreadDate, -1, MessageKind::ScheduleDatesUnread, {std::to_string(unreadDates)},
               kNotice);
    }
    std::ranges::stable_sort(selection.notices, {}, &Diagnostic::number);
    return selection;
}

int ScheduleChannelCount(const std::vector<const ScheduleEntry*>& entries) {
    return static_cast<int>(GroupByChannel(entries).size());
}

MemoryTable ScheduleChannels(const std::vector<const ScheduleEntry*>& entries, int firstNumber) {
    MemoryTable table = MemoryTable::ImportLayout();
    int number = firstNumber;
    for (const std::vector<const ScheduleEntry*>& channel : GroupByChannel(entries)) {
        // One span per time and unread Days text, the weekdays of its broadcasts joined.
        ScheduleSummary summary;
        std::map<std::tuple<int, int, std::string_view>, std::size_t> spanAt;
        DistinctTexts unreadTimes;
        DistinctTexts languages;
        DistinctTexts targets;
        for (const ScheduleEntry* entry : channel) {
            if (entry->start < 0) {
                unreadTimes.Add(entry->time);
            } else {
                const std::string_view unreadDays =
                    entry->daysRead ? std::string_view() : std::string_view(entry->daysText);
                const auto [found, added] = spanAt.try_emplace(
                    std::tuple{entry->start, entry->end, unreadDays}, summary.spans.size());
                if (added) {
                    summary.spans.push_back(SummarySpan{entry->start, entry->end, 0,
                                                        entry->daysRead, std::string(unreadDays)});
                }
                summary.spans[found->second].days |= entry->days;
            }
            for (const std::string& code : ParseCodeList(entry->language)) {
                languages.Add(code);
            }
            for (const std::string& code : ParseCodeList(entry->target)) {
                targets.Add(code);
            }
        }
        summary.languages = Joined(languages.List(), ",");
        summary.targets = Joined(targets.List(), ",");
        // Times that cannot be read stand as written when no span can be (no summary, then).
        std::string comments = WriteScheduleSummary(summary);
        if (summary.spans.empty() && !unreadTimes.List().empty()) {
            comments.insert(0, Joined(unreadTimes.List(), ",") + (comments.empty() ? "" : " "));
        }
        MemoryTable::Row cells(kImportedColumnCount);
        cells[Number] = std::to_string(number++);
        cells[Frequency] = std::to_string(channel.front()->hz);
        cells[Mode] = "AM";
        cells[Bandwidth] = DefaultBandwidth("AM");
        cells[Callsign] = channel.front()->station;
        cells[Comments] = std::move(comments);
        table.AppendRow(std::move(cells));
    }
    return table;
}

}  // namespace corvalen

#include "formats/ScheduleSummary.h"

#include <algorithm>

#include "channel/ChannelFields.h"
#include "convert/NumberText.h"

namespace corvalen {

namespace {

constexpr int kMinutesPerWeek = 7 * kMinutesPerDay;

// Minutes of the day as HHMM.
void AppendTime(std::string& out, int minutes) {
    const int hhmm = minutes / 60 * 100 + minutes % 60;
    for (const int digit : {1000, 100, 10, 1}) {
        out += static_cast<char>('0' + hhmm / digit % 10);
    }
}

// The weekdays of `days`, Monday first: runs of three or more days as a range, others one by one.
void AppendDays(std::string& out, std::uint8_t days) {
    bool first = true;
    for (int day = 0; day < 7;) {
        if ((days & (1u << day)) == 0) {
            ++day;
            continue;
        }
        int last = day;
        while (last + 1 < 7 && (days & (1u << (last + 1))) != 0) {
            ++last;
        }
        const int runEnd = last - day >= 2 ? last : day;
        out.append(first ? "" : ",").append(kDayNames[static_cast<std::size_t>(day)]);
        if (runEnd != day) {
            out.append("-").append(kDayNames[static_cast<std::size_t>(runEnd)]);
        }
        first = false;
        day = runEnd + 1;
    }
}

bool IsCodeList(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               c == '-' || c == ',';
    });
}

// The spans of a summary's first word, false when it is none. A word `cut` short by a memory
// file loses a span whose time it cut, and the days of a span at its end are unknown.
bool ReadSpans(std::string_view word, bool cut, std::vector<SummarySpan>& spans) {
    std::size_t pos = 0;
    for (;;) {
        SummarySpan span;
        if (word.size() - pos < 9) {
            return cut && !spans.empty();
        }
        if (!ReadTimeSpan(word.substr(pos, 9), span.start, span.end)) {
            return false;
        }
        pos += 9;
        const std::size_t close = word.find(']', pos);
        if (pos < word.size() && word[pos] == '[' && close != std::string_view::npos) {
            if (close == pos + 1) {
                return false;
            }
            span.daysText = word.substr(pos + 1, close - pos - 1);
            span.daysRead = ReadScheduleDays(span.daysText, span.days);
            pos = close + 1;
        } else if (cut && (pos == word.size() || word[pos] == '[')) {
            span.daysRead = false;
            spans.push_back(std::move(span));
            return true;
        }
        spans.push_back(std::move(span));
        if (pos == word.size()) {
            return true;
        }
        if (word[pos] != ',') {
            return false;
        }
        ++pos;
    }
}

}  // namespace

std::string WriteScheduleSummary(const ScheduleSummary& summary) {
    std::string text;
    for (const SummarySpan& span : summary.spans) {
        text.append(text.empty() ? "" : ",");
        AppendTime(text, span.start);
        text += '-';
        AppendTime(text, span.end);
        if (!span.daysRead && !span.daysText.empty()) {
            std::string days = span.daysText;
            std::replace_if(
                days.begin(), days.end(), [](char c) { return c == ']' || c == ' ' || c == '\t'; },
                '_');
            text.append("[").append(days).append("]");
        } else if ((span.days & kEveryDay) != kEveryDay && (span.days & kEveryDay) != 0) {
            text += '[';
            AppendDays(text, span.days);
            text += ']';
        }
    }
    for (const std::string* part : {&summary.languages, &summary.targets}) {
        if (!part->empty()) {
            text.append(text.empty() ? "" : " ").append(*part);
        }
    }
    return text;
}

bool SpansOverlap(int a, int aLength, int b, int bLength, int cycle) {
    const auto after = [&](int from, int to) { return ((to - from) % cycle + cycle) % cycle; };
    return after(a, b) < aLength || after(b, a) < bLength;
}

std::optional<ScheduleSummary> ReadScheduleSummary(std::string_view comments) {
    std::vector<std::string_view> words;
    std::string_view rest = TrimBlanks(comments);
    while (!rest.empty()) {
        const std::size_t blank = rest.find_first_of(" \t");
        words.push_back(rest.substr(0, blank));
        rest =
            blank == std::string_view::npos ? std::string_view() : TrimBlanks(rest.substr(blank));
    }
    ScheduleSummary summary;
    // A memory file keeps the first kCommentWidth characters: spans alone that long are cut.
    const bool cut = comments.size() == kCommentWidth && words.size() == 1;
    if (words.empty() || words.size() > 3 || !ReadSpans(words[0], cut, summary.spans)) {
        return std::nullopt;
    }
    if (!std::all_of(words.begin() + 1, words.end(), IsCodeList)) {
        return std::nullopt;
    }
    if (words.size() > 1) {
        summary.languages = words[1];
    }
    if (words.size() > 2) {
        summary.targets = words[2];
    }
    return summary;
}

bool OnAirAt(const ScheduleSummary& summary, int minute, int day, int within) {
    const int length = std::clamp(within, 1, kMinutesPerWeek);
    for (const SummarySpan& span : summary.spans) {
        // A span ending at or before its start runs into the next day.
        const int spanLength = SpanLength(span.start, span.end);
        const std::uint8_t days = span.daysRead ? span.days : kEveryDay;
        for (int on = 0; on < 7; ++on) {
            if ((days & (1u << on)) == 0) {
                continue;
            }
            for (int asked = day < 0 ? 0 : day; asked <= (day < 0 ? 6 : day); ++asked) {
                if (SpansOverlap(on * kMinutesPerDay + span.start, spanLength,
                                 asked * kMinutesPerDay + minute, length, kMinutesPerWeek)) {
                    return true;
                }
            }
        }
    }
    return false;
}

}  // namespace corvalen

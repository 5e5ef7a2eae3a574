#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/EibiSchedule.h"

// The summary of a channel's broadcasts that the schedule import writes into its Comments and
// reads back (to show what is on air, and to tell its channels from the user's own):
// "SPANS [LANGUAGES] [TARGETS]", e.g. "0600-0800[Mo-Fr],1800-1900 E,F Eu". Each span is
// HHMM-HHMM (the end may be 2400), followed by [DAYS] when the broadcast is not daily: the
// weekdays Monday first, runs of three or more as a range, or a Days text the schedule reader
// could not read as written, each ']' or blank in it made '_' ("[irr]").

namespace corvalen {

struct SummarySpan {
    int start = 0, end = 0;         // minutes, 0..1440
    std::uint8_t days = kEveryDay;  // bit 0 Monday .. bit 6 Sunday
    bool daysRead = true;           // false: `daysText` could not be read (irr ...)
    std::string daysText;           // as written between [ ] ("" for daily)
};

struct ScheduleSummary {
    std::vector<SummarySpan> spans;
    std::string languages, targets;  // the two code lists as written ("" when none)
};

// The summary as Comments hold it.
std::string WriteScheduleSummary(const ScheduleSummary& summary);

// The summary `comments` hold, or nullopt when they are not one: at least one span, then up to
// two code lists of letters, digits, '-' and ',' (a lone one the languages). One word of exactly
// the 31 characters a memory file keeps is read as a summary cut there: a span whose time is
// cut is left out, and the last span's days are unknown.
std::optional<ScheduleSummary> ReadScheduleSummary(std::string_view comments);

// On air at `minute` (0..1439) UTC of `day` (0 Monday .. 6 Sunday, < 0 any day), or at any
// minute of [minute, minute + within) when `within` > 0. A span past midnight belongs to the
// day it starts on; one whose days could not be read is on air every day.
bool OnAirAt(const ScheduleSummary& summary, int minute, int day, int within = 0);

// The length of the span [from, to) of the day, wrapping past midnight; from == to is the whole
// day.
inline int SpanLength(int from, int to) {
    return (to - from + kMinutesPerDay - 1) % kMinutesPerDay + 1;
}

// Whether the spans [a, a + aLength) and [b, b + bLength) of a cycle of `cycle` minutes (a day, a
// week) share a minute, each wrapping past the cycle's end.
bool SpansOverlap(int a, int aLength, int b, int bLength, int cycle);

}  // namespace corvalen

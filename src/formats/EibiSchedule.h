#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "io/Diagnostic.h"

// EiBi's shortwave broadcast schedule (sked-XNN.csv): one broadcast a line, semicolon-separated.
// The reader keeps every line it can place on a frequency; the filter (ScheduleFilter.h) picks
// the broadcasts a listener asks for.

namespace corvalen {

// The most bytes a schedule file may have (a season's schedule has about 1 MB).
inline constexpr std::size_t kMaxScheduleBytes = std::size_t{64} << 20;

// Minutes of the day, 0 to 1440 (1440 is the 2400 that ends an all-day span).
inline constexpr int kMinutesPerDay = 1440;
// Weekdays as bits: bit 0 Monday to bit 6 Sunday.
inline constexpr std::uint8_t kEveryDay = 0x7F;
// The weekdays' names in schedules and summaries, Monday first.
inline constexpr std::array<std::string_view, 7> kDayNames = {"Mo", "Tu", "We", "Th",
                                                              "Fr", "Sa", "Su"};

struct ScheduleEntry {
    int line = 0;              // line in the file, from 1
    std::uint64_t hz = 0;      // kHz × 1000, exactly
    std::string time;          // Time(UTC) as written, e.g. "2100-0100"
    int start = -1, end = -1;  // minutes; -1 when Time(UTC) could not be read
    std::string daysText;      // Days as written; empty means every day
    std::uint8_t days = kEveryDay;
    bool daysRead = true;  // false: Days could not be read (irr, alt, 1.Sa, 24Dec, ...)
    std::string station;
    std::string language;  // a code or a comma list of codes ("E,F"), or a marker ("-TS")
    std::string target;
    bool inactive = false;  // persistence code 8
    int startDate = 0;      // month × 100 + day; 0 when none is given or it cannot be read
    int stopDate = 0;
    bool startDateUnread = false;  // a Start that is no day and month (a typo such as "28021")
    bool stopDateUnread = false;
};

struct Schedule {
    std::vector<ScheduleEntry> entries;   // in file order
    std::vector<Diagnostic> diagnostics;  // place Line: lines left out or only partly read
};

// True when the bytes start like an EiBi schedule: the first line begins with the kHz column's
// header ("kHz:75;" or "kHz;").
bool LooksLikeEibiSchedule(std::string_view fileBytes);

// Reads a schedule, Windows-1252 unless it is well-formed UTF-8, its columns found by the
// header's names, else in EiBi's order. A line whose kHz is no frequency of whole Hz is left out
// and reported; a Time(UTC) that is no span is reported and the entry kept. Days and Start/Stop
// dates that cannot be read are kept and flagged; the filter says how many, once.
Schedule ReadEibiSchedule(std::string_view fileBytes);

// The weekdays a Days text names: empty = every day; "Mo-Fr", "Sa,Su", "SaSu", "We-Mo"
// (wrapping), "1245" (1 = Monday). False for any other text (irr, alt, 1.Sa, Sa2, 24Dec, ...).
bool ReadScheduleDays(std::string_view text, std::uint8_t& days);

// A day and month "DDMM" as month × 100 + day, 0 when it is none (29 February counts).
int ReadDayMonth(std::string_view text);

// "HHMM-HHMM" as minutes: start 0000 to 2359, end 0000 to 2400. False for any other text.
bool ReadTimeSpan(std::string_view text, int& start, int& end);

}  // namespace corvalen

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/EibiSchedule.h"
#include "io/Diagnostic.h"
#include "io/Result.h"
#include "table/MemoryTable.h"

// Which broadcasts of a schedule a listener wants, and the channels they make (the editor's
// "Import Broadcast Schedule" dialog and the converter's `schedule` command).

namespace corvalen {

struct ScheduleFilter {
    // On air at any minute of [from, to), wrapping past midnight; from == to is the whole day.
    // A single minute t is [t, t + 1).
    struct Span {
        int from = 0;
        int to = 0;
    };
    std::optional<Span> at;
    std::optional<int> day;              // 0 Monday to 6 Sunday
    std::vector<std::string> languages;  // any of them equals any code of the entry's list
    std::vector<std::string> targets;
    std::string station;                            // part of the station's name, any case
    std::optional<std::uint64_t> bandFrom, bandTo;  // Hz, both ends included
    std::optional<int> date;  // month × 100 + day: within Start/Stop, and the entry active
};

// The filter's values as the converter's options and the dialog's fields take them. Each
// returns the error text for a value that cannot be read ("--at takes HHMM or HHMM-HHMM").
Result<ScheduleFilter::Span> ParseScheduleTime(std::string_view text);
Result<int> ParseWeekday(std::string_view text);                // Mo Tu We Th Fr Sa Su, any case
std::vector<std::string> ParseCodeList(std::string_view text);  // "E,F" -> E, F
struct Band {
    std::uint64_t from = 0, to = 0;  // Hz
};
Result<Band> ParseBand(std::string_view text);         // "5900-6200" or "9400-9900.5", in kHz
Result<int> ParseScheduleDate(std::string_view text);  // YYYY-MM-DD, a real date

struct ScheduleSelection {
    std::vector<const ScheduleEntry*> entries;  // the broadcasts kept, in file order
    // One notice each: entries kept although their Days could not be read (when a day is asked
    // for), and Start/Stop dates that could not be read (when a date is asked for).
    std::vector<Diagnostic> notices;
};

// The entries that pass every filter given. Inactive entries (persistence 8) are always left
// out; Start/Stop are checked only when a date is given.
ScheduleSelection SelectBroadcasts(const Schedule& schedule, const ScheduleFilter& filter);

// One channel per distinct frequency and station, in frequency order (then file order),
// numbered from `firstNumber`: Mode AM with AM's default Bandwidth, Callsign the station,
// Comments the summary of its broadcasts (ScheduleSummary.h). The import's 19 columns.
MemoryTable ScheduleChannels(const std::vector<const ScheduleEntry*>& entries, int firstNumber = 1);

// How many channels ScheduleChannels makes of `entries`.
int ScheduleChannelCount(const std::vector<const ScheduleEntry*>& entries);

}  // namespace corvalen

// An EiBi schedule read, filtered and made into channels. The first bytes choose the filter, the
// rest is the file. Every entry kept passes the filter's band; the channels are no more than
// the entries, with frequencies in ascending order; reports name lines of the file; a summary
// read from Comments is written so that it reads back the same.

#include "FuzzCheck.h"
#include "formats/EibiSchedule.h"
#include "formats/ScheduleFilter.h"
#include "formats/ScheduleSummary.h"

using namespace corvalen;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) {
        return 0;
    }
    ScheduleFilter filter;
    if (data[0] & 1) {
        filter.at = ScheduleFilter::Span{data[1] * 6 % kMinutesPerDay, data[2] * 6 % kMinutesPerDay};
    }
    if (data[0] & 2) {
        filter.day = data[3] % 7;
    }
    if (data[0] & 4) {
        filter.languages = ParseCodeList("E,F");
    }
    if (data[0] & 8) {
        filter.station = "a";
    }
    if (data[0] & 16) {
        filter.bandFrom = 5000000;
        filter.bandTo = 10000000;
    }
    if (data[0] & 32) {
        filter.date = 1 + data[1] % 12 * 100 + data[2] % 28;
    }
    const std::string_view bytes = fuzz::Bytes(data + 4, size - 4);
    const Schedule schedule = ReadEibiSchedule(bytes);
    const ScheduleSelection selection = SelectBroadcasts(schedule, filter);
    for (const ScheduleEntry* entry : selection.entries) {
        FUZZ_REQUIRE(!entry->inactive && entry->hz > 0);
        FUZZ_REQUIRE(!filter.bandFrom || (entry->hz >= *filter.bandFrom && entry->hz <= *filter.bandTo));
    }
    const MemoryTable channels = ScheduleChannels(selection.entries);
    FUZZ_REQUIRE(channels.ChannelCount() == ScheduleChannelCount(selection.entries));
    FUZZ_REQUIRE(static_cast<std::size_t>(channels.ChannelCount()) <= selection.entries.size());
    for (int row = 1; row < channels.RowCount(); ++row) {
        if (const auto summary = ReadScheduleSummary(channels.CellText(row, Comments))) {
            const std::string written = WriteScheduleSummary(*summary);
            const auto again = ReadScheduleSummary(written);
            FUZZ_REQUIRE(again && WriteScheduleSummary(*again) == written);
            OnAirAt(*summary, data[1] * 6 % kMinutesPerDay, data[3] % 7, data[2]);
        }
    }
    for (const Diagnostic& d : schedule.diagnostics) {
        FUZZ_REQUIRE(d.place == Diagnostic::Place::Line && d.number >= 1);
    }
    return 0;
}

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "convert/FrequencyText.h"
#include "io/Result.h"
#include "table/MemoryTable.h"

namespace corvalen {

// The most channel rows a table may hold: one per channel number.
inline constexpr int kMaxChannelRows = 65535;
// The highest frequency a memory record holds (a 32-bit word of Hz).
inline constexpr std::uint64_t kMaxChannelFrequency = 0xFFFFFFFFu;

// A range's start and stop without a unit are in MHz, its step in kHz, the units people give
// them in ("118" to "137", step "25").
inline constexpr FrequencyUnit kRangeFrequencyUnit = FrequencyUnit::MHz;
inline constexpr FrequencyUnit kRangeStepUnit = FrequencyUnit::kHz;

// Channels at start, start + step, ... up to and including stop, each rounded to the nearest
// whole Hz. The step is stepHz / stepDivisor Hz: a channel raster such as the airband's 25/3 kHz
// is no whole number of Hz.
struct ChannelRange {
    std::uint64_t startHz = 0;
    std::uint64_t stopHz = 0;
    std::uint64_t stepHz = 1;
    std::uint64_t stepDivisor = 1;
    // What the user is told about the range as read (a step taken as the airband raster, a stop
    // not on the raster), said as an Error is, though they stop nothing.
    std::vector<Error> notices;

    // How many channels the range makes.
    std::uint64_t Count() const {
        return stopHz < startHz ? 0 : (stopHz - startHz) * stepDivisor / stepHz + 1;
    }
    // The frequency of channel k (from 0), rounded to the nearest Hz.
    std::uint64_t FrequencyOf(std::uint64_t k) const {
        return startHz + (2 * k * stepHz + stepDivisor) / (2 * stepDivisor);
    }
};

// Reads the three texts as ReadFrequency does (start and stop in MHz, the step in kHz when no
// unit is given). The step may be a fraction, "25k/3"; "8.33k" (or "8.33" or "8.33 kHz") is the
// airband raster, 25/3 kHz, which ChannelRange::notices says. The error says which value is
// wrong and why.
Result<ChannelRange> ReadChannelRange(std::string_view start, std::string_view stop,
                                      std::string_view step);

// What "Add Channel Range…" and `corvalen-cli fill` add.
struct RangeFill {
    ChannelRange range;
    // Texts for other columns than Number and Frequency; a column past the table's is left out.
    std::vector<std::pair<int, std::string>> cells;
    // The first channel's number; without one, numbers go on after the highest in the table.
    std::optional<int> firstNumber;
};

// The highest channel number (1 to 65535) in the table's Number column; 0 when there is none.
int HighestChannelNumber(const MemoryTable& table);

// The first channel row whose Number cell holds `number`, or 0 when no row does.
int RowOfChannel(const MemoryTable& table, int number);

// Refuses `count` more channel rows when the table would then hold more than kMaxChannelRows,
// saying how many still fit; `what` starts the message ("The range makes", "The file holds").
Status RoomForChannels(const MemoryTable& table, std::uint64_t count, std::string_view what);

// Refuses `count` channels numbered one up from `first` when a number would pass 65535.
Status NumbersFit(std::uint64_t first, std::uint64_t count);

// The number of the first channel `fill` adds to `table`; refused when the table lacks room or a
// number is no channel number. Cheap: it makes no rows.
Result<int> RangeFirstNumber(const MemoryTable& table, const RangeFill& fill);

// The channel rows `fill` adds to `table`, in a table with the same columns: Number one up per
// channel, Frequency in whole Hz, the given cells, and always a Bandwidth (else DefaultBandwidth
// of the Mode). Refused as RangeFirstNumber refuses.
Result<MemoryTable> MakeRangeRows(const MemoryTable& table, const RangeFill& fill);

// Appends the rows MakeRangeRows makes; on an error the table is unchanged.
Status AddChannelRange(MemoryTable& table, const RangeFill& fill);

}  // namespace corvalen

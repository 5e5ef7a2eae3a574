#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "channel/CellChecks.h"
#include "io/Diagnostic.h"

namespace corvalen {

// Record length in bytes for a receiver model: 84 for exactly "303", 100 for "305" and "315",
// 92 for any other text.
int RecordLengthFor(std::string_view model);

// True for the models whose records keep IF Shift and Bandwidth: "313", "305" and "315".
bool HoldsIfShiftAndBandwidth(std::string_view model);
// True for "305" and "315", whose 100-byte records (.15m files) also keep the secondary squelch
// type and value.
bool HoldsSecondarySquelch(std::string_view model);

// Mode names the receiver knows and their codes; -1 for any other text (exact, case-sensitive).
int ModeCode(std::string_view modeText);
// The mode name of a record's mode code; empty for a code no mode has.
std::string_view ModeName(std::uint32_t code);

// The Bandwidth (Hz, as cell text) a channel made in the program gets when none is given: a
// typical receive bandwidth for the mode, kFallbackBandwidth for a text that is no mode. A row
// is never left without one, because the CSV import drops rows whose Bandwidth is empty.
inline constexpr std::string_view kFallbackBandwidth = "6000";
std::string_view DefaultBandwidth(std::string_view modeText);

// Encodes one table row (its cells in column order; missing trailing cells count as empty) as a
// .g3m record for `model`. `record` must be RecordLengthFor(model) bytes long; it is overwritten
// completely, checksum included.
//
// Returns the channel number, which is also the record's place in the file (record n starts at
// (n - 1) * record length), or 0 when the Number cell holds no channel number from 1 to 65535 and
// the row must not be written. Every cell that could not be taken as it stands adds one
// Diagnostic (place Row, number `row`) to `problems`; ReadRecordFields (CellChecks.h) holds
// those rules.
std::uint16_t WriteMemoryRecord(std::span<const std::string_view> cells, std::string_view model,
                                std::span<std::uint8_t> record, int row,
                                std::vector<Diagnostic>& problems);

}  // namespace corvalen

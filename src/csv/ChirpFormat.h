#pragma once

// What the CHIRP reader and writer share of CHIRP's generic CSV format.

#include <array>
#include <string_view>

#include "convert/NumberText.h"

namespace corvalen::chirp {

// The columns CHIRP writes today, in its order; the older layout lacks RxDtcsCode, CrossMode
// and Power.
inline constexpr std::array<std::string_view, 21> kChirpColumns = {
    "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
    "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE"};

// Whether the text reads as the number `value`.
inline bool SameNumber(std::string_view text, double value) {
    const auto read = ParseDecimal(text);
    return read && *read == value;
}

}  // namespace corvalen::chirp

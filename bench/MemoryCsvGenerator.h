#pragma once

#include <string>

namespace corvalen::bench {

// The largest memory a 16-bit channel number allows.
inline constexpr int kMaxChannels = 65535;

// A CSV memory file as the receiver software exports it (Windows-1252, CR LF, every field
// quoted, the header line first) with `channels` channels numbered 1 to `channels`. The cells
// look like a real listener's memory: short-wave broadcast, utility and amateur frequencies,
// the usual bandwidths and IF shifts, group lists, all modes, callsigns, and comments with
// accented letters, some with commas or quotes inside. The same count always gives the same
// bytes, on every machine.
std::string MakeMemoryCsv(int channels = kMaxChannels);

}  // namespace corvalen::bench

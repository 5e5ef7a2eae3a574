#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// What one channel of the receiver's memory can hold, whatever file it is kept in: the modes and
// their codes, the default bandwidth of each mode, the groups, and how long a callsign and a
// comment may be.

namespace corvalen {

inline constexpr int kGroupCount = 16;

// Hands each piece of a Groups cell between its "+" signs to `use`, in order, blank ones too.
template <typename Use>
void ForEachGroupPiece(std::string_view groups, Use&& use) {
    std::size_t start = 0;
    for (std::size_t at = 0; at <= groups.size(); ++at) {
        if (at == groups.size() || groups[at] == '+') {
            use(groups.substr(start, at - start));
            start = at + 1;
        }
    }
}
inline constexpr std::size_t kCallsignWidth = 12;  // bytes of Windows-1252
inline constexpr std::size_t kCommentWidth = 31;

// Mode names the receiver knows and their codes; -1 for any other text (exact, case-sensitive).
int ModeCode(std::string_view modeText);
// The mode name of a record's mode code; empty for a code no mode has.
std::string_view ModeName(std::uint32_t code);

// The Bandwidth (Hz, as cell text) a channel made in the program gets when none is given: a
// typical receive bandwidth for the mode (an empty Mode has that of CW, the mode it is written
// as), kFallbackBandwidth for a text that is no mode. A row
// is never left without one, because the CSV import drops rows whose Bandwidth is empty.
inline constexpr std::string_view kFallbackBandwidth = "6000";
std::string_view DefaultBandwidth(std::string_view modeText);

}  // namespace corvalen

#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// What one channel of the receiver's memory can hold, whatever file it is kept in: the modes,
// their default bandwidths, the groups, and how long a callsign and a comment may be.

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
// Appends to `out` the groups of `flags` (flag 0, group 1, in bit 15 ... flag 15 in bit 0, as a
// record holds them) as ascending numbers with `separator` between them.
void AppendGroupList(std::uint16_t flags, std::string_view separator, std::string& out);
inline constexpr std::size_t kCallsignWidth = 12;  // bytes of Windows-1252
inline constexpr std::size_t kCommentWidth = 31;

// Mode names the receiver knows and their codes; -1 for any other text (exact, case-sensitive).
int ModeCode(std::string_view modeText);
// The mode name of a record's mode code; empty for a code no mode has.
std::string_view ModeName(std::uint32_t code);

// The Bandwidth (Hz) a channel made in the program gets when none is given, since the CSV import
// drops rows without one: a typical one for the mode (an empty Mode has that of CW, the mode it
// is written as), kFallbackBandwidth for a text that is no mode.
inline constexpr std::string_view kFallbackBandwidth = "6000";
std::string_view DefaultBandwidth(std::string_view modeText);

// A mode of another program's files (a CHIRP file, a bookmark list) and the receiver's mode of
// the same kind.
struct ModePair {
    std::string_view list;
    std::string_view receiver;
};
// The modes of one kind of file and how they stand to the receiver's.
struct ListModes {
    // Read and written as each other; a receiver mode is written as its first pair's.
    std::span<const ModePair> same;
    // Texts the file lacks (receiver modes, other programs' modes) and the mode written for
    // each, reported.
    std::span<const ModePair> nearest;
    std::span<const std::string_view> own;  // the file's modes: a cell holding one is kept
    std::string_view fallback;              // written, and reported, for any other cell
};
// The receiver's mode for a file's mode, or empty when the receiver has none of that kind.
std::string_view ReceiverModeOf(std::string_view listMode, const ListModes& modes);
// The file's mode a cell's mode is written as, and whether it is the same mode (false: the
// nearest mode or the fallback, which writers report).
struct ListMode {
    std::string_view text;
    bool exact = false;
};
ListMode ListModeOf(std::string_view receiverMode, const ListModes& modes);

}  // namespace corvalen

#pragma once

#include <ostream>
#include <span>
#include <string_view>

namespace corvalen {

// Exit codes of `diff`.
inline constexpr int kExitDiffSame = 0;       // the same channels, field for field
inline constexpr int kExitDiffDifferent = 1;  // some channel added, removed or changed
// 2 (kExitUsageError): wrong arguments or a file that could not be read.

// Runs `diff [--model MODEL] [--numbering N] [--all] A B` (the arguments after "diff"): reads
// two channel files of any formats the door reads and prints on `out` one line per channel
// added (in B, not in A), removed (in A, not in B) or changed, a changed line naming each field
// that differs with its value in A and in B; nothing when the files are the same. What reading
// the files reported, repeated channel numbers, rows without one, and when the files differ a
// summary and the fields compared (those both formats hold; see ChannelDiff.h) go to `err`.
int RunDiff(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

// The usage of `diff`, ending in a line feed.
std::string_view DiffUsage();

}  // namespace corvalen

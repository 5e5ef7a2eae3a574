#pragma once

#include <ostream>
#include <span>
#include <string_view>

namespace corvalen {

// Exit codes of `check`.
inline constexpr int kExitCheckClean = 0;     // no problem and no notice
inline constexpr int kExitCheckReported = 1;  // some problems or notices
// 2 (kExitUsageError): wrong arguments or a file that could not be read.

// Runs `check [--model MODEL] FILE` (the arguments after "check"): reads FILE (a CSV memory file,
// checked for MODEL or else as for the "313"; or a .g3m memory file, which needs --model) and
// prints on `out` every problem and notice the editor's Problems panel would show for it, one
// "row N, Column: reason" line each, then a summary line. What the reading itself reported
// (lines skipped, records whose checksum does not match) goes to `err`.
int RunCheck(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

}  // namespace corvalen

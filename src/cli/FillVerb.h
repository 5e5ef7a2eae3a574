#pragma once

#include <ostream>
#include <span>
#include <string_view>

namespace corvalen {

// `corvalen-cli fill`: writes a CSV memory file (19-column form) holding the channels of INPUT,
// if given, followed by a range of new channels. `args` are the arguments after "fill":
//   --start F --stop F --step S [--set COLUMN=VALUE]... [--first-number N] [INPUT.csv] OUTPUT.csv
// Returns 0 when done, 1 when a file could not be read or written, 2 for wrong arguments, a step
// that is not whole Hz or more channels than a table holds; on 1 and 2 OUTPUT is not written.
int RunFill(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

// The part of the converter's usage text about fill, ending in a line feed.
std::string_view FillUsage();

}  // namespace corvalen

#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "channel/ProblemGroups.h"
#include "files/ChannelFiles.h"
#include "io/Diagnostic.h"
#include "io/Messages.h"

// How the converter's commands write their reports and usage errors.

namespace corvalen {

// The model a file without records is read and checked for when none is given.
inline constexpr ReceiverModel kDefaultModel("313");

// Writes `diagnostics` on `out` in the converter's language: one line per kind, or with `all`
// one "row N: message" line each.
void WriteReport(const std::vector<Diagnostic>& diagnostics, const ProblemPlaces& places, bool all,
                 std::ostream& out);

// `kind` with `values` in the converter's language (LanguageFromEnvironment).
std::string Said(MessageKind kind, const MessageValues& values = {});

// The Error's sentence in the converter's language, and the same written on a stream.
std::string Said(const Error& error);
std::ostream& operator<<(std::ostream& out, const Error& error);

// Reads the channel file at `path` for `model`, numbers a CHIRP file's channels as `numbering`
// says (shifted when not given) and writes what reading reported on `err`; nullopt after writing
// why it could not be read.
std::optional<ChannelFileRead> ReadReported(const std::string& path, ReceiverModel model,
                                            std::optional<ChirpNumbering> numbering, bool all,
                                            std::ostream& err);

// Whether `args` ask for the command's help: --help or -h anywhere among them.
bool AsksForHelp(std::span<const std::string_view> args);

// Writes "corvalen-cli: " and the pieces of `why` as one line on `err`; returns `failed`, the exit
// status or value that says the command went no further.
template <typename Failed, typename... Why>
Failed Fail(std::ostream& err, Failed failed, const Why&... why) {
    ((err << "corvalen-cli: ") << ... << why) << "\n";
    return failed;
}

// A usage error: "corvalen-cli: <why>; see corvalen-cli --help", one line on `err` (`why` may be
// a line "corvalen-cli: <why>" of its own). Returns the exit status of wrong arguments.
int UsageError(std::ostream& err, std::string_view why);

// The value of the option args[i]: the text after its '=', else the next argument (`i` moves on);
// nullopt when there is none. `name` gets the option without its value.
std::optional<std::string_view> OptionValue(std::span<const std::string_view> args, std::size_t& i,
                                            std::string_view& name);

}  // namespace corvalen

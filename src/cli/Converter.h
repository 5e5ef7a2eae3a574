#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "table/MemoryTable.h"

#include "channel/ReceiverModel.h"
#include "csv/ChirpCsv.h"
#include "files/ChannelFormat.h"
#include "io/Diagnostic.h"

namespace corvalen {

// Exit codes of the converter.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFileError = 1;     // input unreadable or output not writable
inline constexpr int kExitUsageError = 2;    // wrong arguments; for verify also an unreadable file
inline constexpr int kExitVerifyFailed = 1;  // verify: some record does not verify

// Runs the converter on its arguments (without the program name; see --help): the summary on
// `out`, usage errors and reports on `err`.
int RunConverter(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

// Exit codes of `check`.
inline constexpr int kExitCheckClean = 0;     // no problem and no notice
inline constexpr int kExitCheckReported = 1;  // some problems or notices
// 2 (kExitUsageError): wrong arguments or a file that could not be read.

// `check`: every problem and notice the editor's Problems panel shows for FILE, then a summary, on
// `out`; what reading FILE reported on `err`.
int RunCheck(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

// Exit codes of `diff`.
inline constexpr int kExitDiffSame = 0;       // the same channels, field for field
inline constexpr int kExitDiffDifferent = 1;  // some channel added, removed or changed
// 2 (kExitUsageError): wrong arguments or a file that could not be read.

// `diff`: one line per channel added, removed or changed between files A and B on `out`; what
// reading them reported, repeated and unnumbered rows and a summary on `err`.
int RunDiff(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

// `fill`: writes a CSV memory file of INPUT's channels, if given, and a range of new ones. Exit
// status 0, 1 for a file not read or written, 2 for wrong arguments; on 1 and 2 nothing is written.
int RunFill(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

// `on-air`: one line on `out` per channel of LIST on air then; reports and a count on `err`. Exit
// status 0, 1 for a file that could not be read, 2 for wrong arguments.
int RunOnAir(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

// `schedule`: the broadcasts of an EiBi schedule that pass every filter, one channel per frequency
// and station, written as convert writes. Exit status 0, 1 when something was reported or a file
// could not be read or written, 2 for wrong arguments.
int RunSchedule(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

// Reads the value of --model into `model`; false after writing why not to `err`.
bool ReadModel(std::string_view text, std::optional<ReceiverModel>& model, std::ostream& err);

// The options of the commands that read channel files: --model MODEL, --all, --numbering N
// (not verify's) and --to FORMAT (convert's alone).
struct FileCheckOptions {
    std::optional<ReceiverModel> model;
    std::optional<ChirpNumbering> numbering;
    bool all = false;
    std::vector<std::string> files;
    const ChannelFormat* to = nullptr;
};
// Reads the arguments of `command` after its name into `options`; after a wrong argument,
// writes the usage error on `err` and returns its exit status.
std::optional<int> ReadFileCheckOptions(std::string_view command,
                                        std::span<const std::string_view> args,
                                        FileCheckOptions& options, std::ostream& err);

// Why the memory file at `path` cannot be read for `model`, or nullopt when it can (or is no
// memory file); `verb` says what is done with it ("reading", "checking").
std::optional<std::string> ModelProblem(std::string_view path,
                                        const std::optional<ReceiverModel>& model,
                                        std::string_view verb = "reading");

// Where and how a command writes the channels it made, as convert takes them.
struct OutputChoice {
    std::string output;
    std::optional<ReceiverModel> model;   // --model, needed for .g3m and .15m
    const ChannelFormat* to = nullptr;    // --to; nullptr: the one OUTPUT's name says
    bool all = false;                     // --all: every report line, not one per kind
    const RowOrigins* origins = nullptr;  // where each row came from, for the report lines
};
// The checks of an OUTPUT that convert, schedule and fill share: a format that this build
// writes (--to `to`, else the one OUTPUT's name says), a name that fits it, and a model that fits
// a memory file. "-", standard output, takes any format whose files are not updated in place.
// False after writing why to `err`.
bool CheckOutput(std::string_view output, const ChannelFormat* to,
                 const std::optional<ReceiverModel>& model, std::ostream& err);
// Where a verb's summary line goes: `err` when OUTPUT is "-" (the channels go to standard
// output), else `out`.
std::ostream& SummaryStream(std::string_view output, std::ostream& out, std::ostream& err);

// Writes `table` as `choice` says, as convert writes it: reports on `err`, the summary (without a
// line end) on SummaryStream; `reported` tells whether anything was reported. Returns kExitOk, or
// kExitFileError when nothing could be written.
int WriteChannels(const MemoryTable& table, const std::vector<std::string>& groupNames,
                  const OutputChoice& choice, std::ostream& out, std::ostream& err, bool& reported);

}  // namespace corvalen

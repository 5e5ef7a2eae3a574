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

// Runs the converter on its arguments (without the program name; see --help). The
// summary goes to `out`; the usage errors and the lines reported to `err`.
int RunConverter(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

// The commands, each run on its arguments after its name.

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

// `diff`: one line per channel added, removed or changed between files A and B on `out`
// (ChangeLines); what reading them reported, repeated and unnumbered rows and, when they differ, a
// summary and the fields compared on `err`.
int RunDiff(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

// `fill`: writes a CSV memory file of INPUT's channels, if given, and a range of new ones. Returns
// 0 when done, 1 when a file could not be read or written, 2 for wrong arguments or a range that
// cannot be made; on 1 and 2 nothing is written.
int RunFill(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

// `on-air`: one line on `out` per channel of LIST whose schedule summary (ScheduleSummary.h) is on
// air then; what reading LIST reported and a count on `err`. Exit status 0, 1 for a file that could
// not be read, 2 for wrong arguments.
int RunOnAir(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

// `schedule`: the broadcasts of an EiBi schedule that pass every filter given, one channel per
// frequency and station, written as convert writes. Exit status 0, 1 when something was reported or
// a file could not be read or written, 2 for wrong arguments (nothing written then).
int RunSchedule(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

// Reads the value of --model into `model`; false after writing why it names no receiver model
// to `err`.
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

// Why the channel file at `path` cannot be read for `model` (a memory file needs one that fits
// it), or nullopt when it can; `verb` says what is done with it ("reading", "checking").
std::optional<std::string> ModelProblem(std::string_view path,
                                        const std::optional<ReceiverModel>& model,
                                        std::string_view verb = "reading");

// Where and how a command writes the channels it made, as convert takes them.
struct OutputChoice {
    std::string output;
    std::optional<ReceiverModel> model;  // --model, needed for .g3m and .15m
    // The format asked for (--to chirp, sdrsharp or sdrpp); nullptr: the one OUTPUT's name
    // says (FormatForName).
    const ChannelFormat* to = nullptr;
    bool all = false;                     // --all: every report line, not one per kind
    const RowOrigins* origins = nullptr;  // where each row came from, for the report lines
};
// The checks of an OUTPUT that convert, schedule and fill share: a format that this build
// writes (--to `to`, else the one OUTPUT's name says), a name that fits it, and a model that fits
// a memory file. "-", standard output, takes any format whose files are not updated in place.
// False after writing why to `err`.
bool CheckOutput(std::string_view output, const ChannelFormat* to,
                 const std::optional<ReceiverModel>& model, std::ostream& err);
// Where a verb's summary line goes: standard error when OUTPUT is "-", so that the channels
// written to standard output can be piped on unmixed; else `out`.
std::ostream& SummaryStream(std::string_view output, std::ostream& out, std::ostream& err);

// Writes `table` as `choice` says, as convert writes it: the cells it reports go to `err`, the
// summary ("wrote 12 channels to OUT.csv", without a line end) to SummaryStream. `reported` tells
// whether any row or cell was reported. Returns kExitOk, or kExitFileError when nothing could be
// written.
int WriteChannels(const MemoryTable& table, const std::vector<std::string>& groupNames,
                  const OutputChoice& choice, std::ostream& out, std::ostream& err, bool& reported);

}  // namespace corvalen

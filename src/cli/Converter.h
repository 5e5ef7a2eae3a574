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

// Runs the converter on its arguments (without the program name):
//   convert [--model MODEL] INPUT.csv OUTPUT     (OUTPUT ending in .g3m or .csv)
//   convert --model MODEL INPUT.g3m OUTPUT.csv
//   verify --model MODEL FILE.g3m
//   --help
// The summary goes to `out`; the usage, errors and one line per reported row, line or record to
// `err`.
int RunConverter(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

// Reads the value of --model into `model`; false after writing why it names no receiver model
// to `err`.
bool ReadModel(std::string_view text, std::optional<ReceiverModel>& model, std::ostream& err);

// The options `check` and `diff` take beside their files: --model MODEL, --numbering N, --all.
struct FileCheckOptions {
    std::optional<ReceiverModel> model;
    std::optional<ChirpNumbering> numbering;
    bool all = false;
    std::vector<std::string> files;
};
// Reads `args` into `options`; after a wrong argument, writes the usage error on `err` and
// returns its exit status.
std::optional<int> ReadFileCheckOptions(std::span<const std::string_view> args,
                                        FileCheckOptions& options, std::ostream& err);

// Why the channel file at `path` cannot be read for `model` (a memory file needs one that fits
// it), or nullopt when it can.
std::optional<std::string> ModelProblem(std::string_view path,
                                        const std::optional<ReceiverModel>& model);

// The usage text, ending in a line feed.
std::string_view ConverterUsage();

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
// False, after writing why to `err`, when `choice` names no file the converter writes.
bool CheckOutputChoice(const OutputChoice& choice, std::ostream& err);
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

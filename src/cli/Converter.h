#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string_view>

#include "channel/ReceiverModel.h"

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

// The usage text, ending in a line feed.
std::string_view ConverterUsage();

}  // namespace corvalen

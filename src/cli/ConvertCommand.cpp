#include "cli/ConvertCommand.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "csv/CsvReader.h"
#include "csv/CsvWriter.h"
#include "g3m/G3mFile.h"

namespace corvalen {

namespace {

constexpr std::string_view kUsage =
    "usage: corvalen-cli convert [--model MODEL] INPUT.csv OUTPUT\n"
    "       corvalen-cli --help\n"
    "\n"
    "Reads a Winradio CSV memory file and writes its channels to OUTPUT:\n"
    "  OUTPUT.g3m  a .g3m memory file for the receiver MODEL (\"313\" or \"303\"; required).\n"
    "              An existing file is updated in place: records of channels not in INPUT\n"
    "              keep their bytes, and the file is never shortened.\n"
    "  OUTPUT.csv  a CSV memory file in the 19-column form with its header line.\n"
    "\n"
    "Rows and lines that could not be taken as they stand are listed on stderr.\n"
    "Exit status: 0 done, 1 a file could not be read or written, 2 wrong arguments.\n";

enum class OutputKind { G3m, Csv };

struct ConvertArguments {
    std::optional<std::string> model;
    std::string input;
    std::string output;
    OutputKind kind = OutputKind::Csv;
};

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size()) {
        return false;
    }
    return std::equal(suffix.begin(), suffix.end(), text.end() - suffix.size(), [](char a, char b) {
        const auto lower = [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        };
        return lower(a) == lower(b);
    });
}

// Parses the arguments after "convert". Returns nullopt after writing the reason to `err`.
std::optional<ConvertArguments> ParseConvertArguments(std::span<const std::string_view> args,
                                                      std::ostream& err) {
    ConvertArguments parsed;
    std::vector<std::string_view> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--model") {
            if (i + 1 >= args.size()) {
                err << "corvalen-cli: --model needs a value\n";
                return std::nullopt;
            }
            parsed.model = std::string(args[++i]);
        } else if (arg.starts_with("--model=")) {
            parsed.model = std::string(arg.substr(8));
        } else if (arg.size() > 1 && arg.starts_with('-') && arg != "-") {
            err << "corvalen-cli: unknown option " << arg << "\n";
            return std::nullopt;
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2) {
        err << "corvalen-cli: convert needs an INPUT and an OUTPUT file\n";
        return std::nullopt;
    }
    parsed.input = std::string(positional[0]);
    parsed.output = std::string(positional[1]);
    if (EndsWithNoCase(parsed.output, ".g3m")) {
        parsed.kind = OutputKind::G3m;
        if (!parsed.model) {
            err << "corvalen-cli: writing a .g3m file needs --model (\"313\" or \"303\")\n";
            return std::nullopt;
        }
    } else if (EndsWithNoCase(parsed.output, ".csv")) {
        parsed.kind = OutputKind::Csv;
    } else {
        err << "corvalen-cli: OUTPUT must end in .g3m or .csv: " << parsed.output << "\n";
        return std::nullopt;
    }
    return parsed;
}

void Report(const std::vector<Diagnostic>& diagnostics, std::ostream& err) {
    for (const Diagnostic& d : diagnostics) {
        err << d.ToString() << "\n";
    }
}

std::string Count(std::size_t n, std::string_view singular, std::string_view plural) {
    return std::to_string(n) + " " + std::string(n == 1 ? singular : plural);
}

int Convert(const ConvertArguments& arguments, std::ostream& out, std::ostream& err) {
    Result<CsvImport> imported = ReadCsvMemoryFile(arguments.input);
    if (!imported) {
        err << "corvalen-cli: " << imported.error().message << "\n";
        return kExitFileError;
    }
    Report(imported->diagnostics, err);
    std::string inputNote;
    if (!imported->diagnostics.empty()) {
        inputNote =
            "; " + Count(imported->diagnostics.size(), "input line", "input lines") + " reported";
    }

    const MemoryTable& table = imported->table;
    if (arguments.kind == OutputKind::G3m) {
        Result<G3mSaveReport> saved = SaveG3mFile(arguments.output, table, *arguments.model);
        if (!saved) {
            err << "corvalen-cli: " << saved.error().message << "\n";
            return kExitFileError;
        }
        Report(saved->problems, err);
        out << "wrote " << Count(saved->recordsWritten, "record", "records") << " to "
            << arguments.output << "; "
            << Count(saved->rowsNotWritten, "row not written", "rows not written") << inputNote
            << "\n";
        return kExitOk;
    }

    const CsvText text = BuildCsvText(table, /*csvLoaded=*/true);
    const Status written = WriteCsvFile(arguments.output, text);
    if (!written) {
        err << "corvalen-cli: " << written.error().message << "\n";
        return kExitFileError;
    }
    Report(text.diagnostics, err);
    out << "wrote " << Count(table.ChannelCount(), "channel", "channels") << " to "
        << arguments.output << inputNote << "\n";
    return kExitOk;
}

}  // namespace

std::string_view ConverterUsage() {
    return kUsage;
}

int RunConverter(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
        out << kUsage;
        return kExitOk;
    }
    if (args.empty() || args[0] != "convert") {
        if (!args.empty()) {
            err << "corvalen-cli: unknown command " << args[0] << "\n";
        }
        err << kUsage;
        return kExitUsageError;
    }
    const std::optional<ConvertArguments> parsed = ParseConvertArguments(args.subspan(1), err);
    if (!parsed) {
        err << kUsage;
        return kExitUsageError;
    }
    return Convert(*parsed, out, err);
}

}  // namespace corvalen

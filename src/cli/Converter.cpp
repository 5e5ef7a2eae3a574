#include "cli/Converter.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "cli/CheckVerb.h"
#include "cli/FillVerb.h"
#include "files/ChannelFiles.h"
#include "g3m/G3mReader.h"
#include "io/SafeFile.h"

namespace corvalen {

namespace {

constexpr std::string_view kUsage =
    "usage: corvalen-cli convert [--model MODEL] [--to chirp] INPUT.csv OUTPUT\n"
    "       corvalen-cli convert --model MODEL [--to chirp] INPUT.g3m|INPUT.15m OUTPUT.csv\n"
    "       corvalen-cli verify --model MODEL FILE.g3m|FILE.15m\n"
    "       corvalen-cli check [--model MODEL] FILE\n"
    "       corvalen-cli --help\n"
    "\n"
    "convert reads a Winradio CSV memory file, or a CHIRP CSV file (recognised by its\n"
    "Location header), and writes its channels to OUTPUT:\n"
    "  OUTPUT.g3m  a .g3m memory file for the receiver MODEL (\"313\" or \"303\"; required).\n"
    "  OUTPUT.15m  a .15m memory file for the receiver MODEL (\"305\" or \"315\"; required).\n"
    "              An existing file is updated in place: records of channels not in INPUT\n"
    "              keep their bytes, and the file is never shortened.\n"
    "  OUTPUT.csv  a CSV memory file in the 19-column form with its header line.\n"
    "convert reads a memory file for the receiver MODEL (.g3m: records of 92 bytes, 84 for\n"
    "\"303\"; .15m: 100 bytes) and writes one channel per record that is not empty to\n"
    "OUTPUT.csv.\n"
    "--to chirp writes OUTPUT.csv as a CHIRP CSV file instead (21 columns, UTF-8, frequencies\n"
    "in MHz); what CHIRP has no place for is listed on stderr.\n"
    "verify checks the checksum of every record of a memory file for MODEL.\n"
    "check prints every problem and notice the editor's Problems panel shows for FILE, one\n"
    "  \"row N, Column: reason\" line each, then a summary line. FILE is a CSV memory file\n"
    "  (checked for MODEL, else as for the \"313\"), a CHIRP file, or, with --model, a .g3m or\n"
    "  .15m memory file.\n"
    "\n"
    "Rows, lines and records that could not be taken as they stand are listed on stderr.\n"
    "Exit status of convert: 0 done, 1 a file could not be read or written, 2 wrong arguments.\n"
    "Exit status of verify: 0 every record verifies, 1 some do not, 2 wrong arguments or FILE\n"
    "could not be read.\n"
    "Exit status of check: 0 no problems or notices, 1 some, or a memory file that ends inside\n"
    "a record or whose records fail their checksum, 2 wrong arguments or FILE could not be read.\n"
    "MODEL is 303, 313, 305 or 315. An INPUT without any channel is refused (exit status 1).\n";

// What a file's name says it is; only for checking the arguments, the file's format is the
// door's to decide.
enum class FileKind { G3m, Csv, Other };  // G3m: any binary memory file, .g3m or .15m

struct Arguments {
    std::optional<ReceiverModel> model;
    bool toChirp = false;  // --to chirp
    std::vector<std::string> files;
};

FileKind KindOf(std::string_view path) {
    return IsRecordFilePath(path) ? FileKind::G3m
           : IsCsvFilePath(path)  ? FileKind::Csv
                                  : FileKind::Other;
}

// Parses the arguments after the command: --model and `fileCount` file names. Returns nullopt
// after writing the reason to `err`.
std::optional<Arguments> ParseArguments(std::string_view command,
                                        std::span<const std::string_view> args,
                                        std::size_t fileCount, std::string_view files,
                                        std::ostream& err) {
    Arguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--model") {
            if (i + 1 >= args.size()) {
                err << "corvalen-cli: --model needs a value\n";
                return std::nullopt;
            }
            if (!ReadModel(args[++i], parsed.model, err)) {
                return std::nullopt;
            }
        } else if (arg.starts_with("--model=")) {
            if (!ReadModel(arg.substr(8), parsed.model, err)) {
                return std::nullopt;
            }
        } else if (command == "convert" && (arg == "--to" || arg.starts_with("--to="))) {
            std::string_view format = arg.substr(std::min<std::size_t>(arg.size(), 5));
            if (arg == "--to") {
                if (i + 1 >= args.size()) {
                    err << "corvalen-cli: --to needs a value (chirp)\n";
                    return std::nullopt;
                }
                format = args[++i];
            }
            if (format != "chirp") {
                err << "corvalen-cli: --to takes only chirp, not " << format << "\n";
                return std::nullopt;
            }
            parsed.toChirp = true;
        } else if (arg.size() > 1 && arg.starts_with('-') && arg != "-") {
            err << "corvalen-cli: unknown option " << arg << "\n";
            return std::nullopt;
        } else {
            parsed.files.emplace_back(arg);
        }
    }
    if (parsed.files.size() != fileCount) {
        err << "corvalen-cli: " << command << " needs " << files << "\n";
        return std::nullopt;
    }
    return parsed;
}

// A memory file's name and the model it is read or written for must agree: .15m files hold
// the 100-byte records of the "305" and "315", .g3m files those of the other models. Returns
// false after writing the reason to `err`.
bool CheckModelFor(std::string_view path, std::string_view command,
                   const std::optional<ReceiverModel>& model, std::ostream& err) {
    const bool is15m = Is15mPath(path);
    const std::string_view extension = is15m ? ".15m" : ".g3m";
    const std::string_view models = is15m ? "(\"305\" or \"315\")" : "(\"313\" or \"303\")";
    if (!model) {
        // "verify needs ...", "reading a .g3m file needs ...", "writing a .15m file needs ..."
        err << "corvalen-cli: " << command;
        if (command != "verify") {
            err << " a " << extension << " file";
        }
        err << " needs --model " << models << "\n";
        return false;
    }
    if (!RecordFileFitsModel(path, *model)) {
        err << "corvalen-cli: a " << extension << " file is for the models " << models << ", not \""
            << model->Name() << "\": " << path << "\n";
        return false;
    }
    return true;
}

// Checks what convert was given. Returns false after writing the reason to `err`.
bool CheckConvertArguments(const Arguments& arguments, std::ostream& err) {
    const std::string& input = arguments.files[0];
    const std::string& output = arguments.files[1];
    if (arguments.toChirp && KindOf(output) != FileKind::Csv) {
        err << "corvalen-cli: --to chirp writes an OUTPUT ending in .csv: " << output << "\n";
        return false;
    }
    if (KindOf(input) == FileKind::G3m) {
        if (KindOf(output) != FileKind::Csv) {
            err << "corvalen-cli: a .g3m INPUT is converted to an OUTPUT ending in .csv: " << output
                << "\n";
            return false;
        }
        return CheckModelFor(input, "reading", arguments.model, err);
    }
    switch (KindOf(output)) {
        case FileKind::G3m:
            return CheckModelFor(output, "writing", arguments.model, err);
        case FileKind::Csv:
            return true;
        case FileKind::Other:
            break;
    }
    err << "corvalen-cli: OUTPUT must end in .g3m, .15m or .csv: " << output << "\n";
    return false;
}

void Report(const std::vector<Diagnostic>& diagnostics, std::ostream& err) {
    // Written in pieces of about 64 KiB: stderr is unbuffered, and a large file can report tens
    // of thousands of lines, each of which would otherwise cost two writes of its own, while one
    // string of them all would be megabytes of fresh memory.
    constexpr std::size_t kPiece = std::size_t{64} << 10;
    std::string lines;
    lines.reserve(kPiece + 4096);
    for (const Diagnostic& d : diagnostics) {
        d.AppendTo(lines);
        lines.push_back('\n');
        if (lines.size() >= kPiece) {
            err << lines;
            lines.clear();
        }
    }
    err << lines;
}

std::string Count(std::size_t n, std::string_view singular, std::string_view plural) {
    return std::to_string(n) + " " + std::string(n == 1 ? singular : plural);
}

int Convert(const Arguments& arguments, std::ostream& out, std::ostream& err) {
    const std::string& input = arguments.files[0];
    const std::string& output = arguments.files[1];
    const ChannelFormat& format = arguments.toChirp ? ChirpCsvFormat() : *FormatForName(output);
    const Result<ChannelFileConversion> converted = ConvertChannelFile(
        input, output, format, {arguments.model.value_or(ReceiverModel()), true});
    if (!converted) {
        err << "corvalen-cli: " << converted.error().message << "\n";
        return kExitFileError;
    }
    // What a memory file's records showed comes after what writing its channels found; what a
    // CSV file's lines showed comes first.
    const bool records = converted->read.format == &RecordFileFormat();
    if (!records) {
        Report(converted->read.diagnostics, err);
    }
    if (!converted->written) {
        err << "corvalen-cli: " << converted->written.error().message << "\n";
        return kExitFileError;
    }
    Report(converted->written->diagnostics, err);
    for (const std::string& notice : converted->written->saveNotices) {
        err << "corvalen-cli: " << notice << "\n";
    }
    if (records) {
        Report(converted->read.diagnostics, err);
    }
    out << ConversionSummary(*converted, input, output) << "\n";
    return kExitOk;
}

int Verify(const Arguments& arguments, std::ostream& out, std::ostream& err) {
    const std::string& path = arguments.files[0];
    const Result<ByteBuffer> image = ReadWholeFileBuffer(path, MaxRecordFileBytes(*arguments.model));
    if (!image) {
        err << "corvalen-cli: " << image.error().message << "\n";
        return kExitUsageError;
    }
    const G3mVerifyReport report =
        VerifyG3mImage(std::string_view(image->data(), image->size()), *arguments.model);
    Report(report.problems, err);
    out << "checked " << Count(report.recordsChecked, "record", "records") << " of " << path;
    if (report.ok()) {
        out << ": all verify\n";
        return kExitOk;
    }
    out << ": " << Count(report.badChecksums, "bad checksum", "bad checksums");
    if (report.incompleteBytes != 0) {
        out << ", and the file ends inside a record";
    }
    out << "\n";
    return kExitVerifyFailed;
}

}  // namespace

bool ReadModel(std::string_view text, std::optional<ReceiverModel>& model, std::ostream& err) {
    Result<ReceiverModel> read = ReceiverModel::FromText(text);
    if (!read) {
        err << "corvalen-cli: --model " << read.error().message << "\n";
        return false;
    }
    model = *read;
    return true;
}

std::string_view ConverterUsage() {
    return kUsage;
}

int RunConverter(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
        out << kUsage << "\n" << FillUsage();
        return kExitOk;
    }
    const std::string_view command = args.empty() ? std::string_view() : args[0];
    if (command == "convert") {
        const std::optional<Arguments> parsed =
            ParseArguments(command, args.subspan(1), 2, "an INPUT and an OUTPUT file", err);
        if (!parsed || !CheckConvertArguments(*parsed, err)) {
            err << kUsage;
            return kExitUsageError;
        }
        return Convert(*parsed, out, err);
    }
    if (command == "verify") {
        std::optional<Arguments> parsed =
            ParseArguments(command, args.subspan(1), 1, "one FILE.g3m or FILE.15m", err);
        if (parsed && !CheckModelFor(parsed->files[0], "verify", parsed->model, err)) {
            parsed.reset();
        }
        if (!parsed) {
            err << kUsage;
            return kExitUsageError;
        }
        return Verify(*parsed, out, err);
    }
    if (command == "check") {
        return RunCheck(args.subspan(1), out, err);
    }
    if (command == "fill") {
        return RunFill(args.subspan(1), out, err);
    }
    if (!args.empty()) {
        err << "corvalen-cli: unknown command " << args[0] << "\n";
    }
    err << kUsage;
    return kExitUsageError;
}

}  // namespace corvalen

#include "cli/Converter.h"

#include <algorithm>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CheckVerb.h"
#include "cli/FillVerb.h"
#include "cli/Reports.h"
#include "cli/ScheduleVerb.h"
#include "csv/ChirpCsv.h"
#include "csv/CsvReader.h"
#include "csv/CsvWriter.h"
#include "files/ChannelFiles.h"
#include "formats/BookmarkList.h"
#include "g3m/G3mFile.h"
#include "g3m/G3mReader.h"
#include "g3m/MemoryRecord.h"
#include "io/SafeFile.h"

namespace corvalen {

namespace {

constexpr std::string_view kUsage =
    "usage: corvalen-cli convert [--model MODEL] [--to FORMAT] [--numbering N] [--all]\n"
    "                            INPUT OUTPUT\n"
    "       corvalen-cli convert --model MODEL [--to FORMAT] [--all] INPUT.g3m|INPUT.15m OUTPUT\n"
    "       corvalen-cli verify --model MODEL FILE.g3m|FILE.15m\n"
    "       corvalen-cli check [--model MODEL] [--numbering N] [--all] FILE\n"
    "       corvalen-cli fill --start F --stop F --step S [--set COLUMN=VALUE]...\n"
    "                         [--first-number N] [--all] [INPUT.csv] OUTPUT.csv\n"
    "       corvalen-cli schedule [FILTERS] [--model MODEL] [--to FORMAT] SKED.csv OUTPUT\n"
    "       corvalen-cli --help\n"
    "\n"
    "Formats: a .g3m file is the memory file of the G313 and G303 (MODEL \"313\" or \"303\"),\n"
    ".15m that of the G305 and G315 (MODEL \"305\" or \"315\"). FORMAT is chirp, sdrsharp or sdrpp.\n"
    "\n"
    "convert reads a Winradio CSV memory file, a CHIRP CSV file (recognised by its\n"
    "Location header), an SDR# frequencies.xml or an SDR++ frequency manager .json file\n"
    "(both recognised by their content), and writes its channels to OUTPUT:\n"
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
    "--numbering keep|shift|sequential numbers the channels of a CHIRP file: keep takes each\n"
    "Location as the channel number and leaves out Location 0; shift numbers every channel\n"
    "Location + 1; sequential numbers them 1 to n in file order. Without it a file holding\n"
    "Location 0 is shifted, and that is said.\n"
    "--to sdrsharp writes OUTPUT as an SDR# frequency list (XML), --to sdrpp as an SDR++\n"
    "frequency manager file (JSON); an OUTPUT ending in .xml or .json picks them too.\n"
    "Receiver groups become their group and list names.\n"
    "schedule picks broadcasts from an EiBi schedule and writes one channel per frequency\n"
    "  and station (see corvalen-cli schedule --help).\n"
    "verify checks the checksum of every record of a memory file for MODEL.\n"
    "check prints the problems and notices the editor's Problems panel shows for FILE (a CSV\n"
    "  memory file checked for MODEL, else as for the \"313\"; a CHIRP file; or, with --model, a\n"
    "  .g3m or .15m memory file), one line per kind with its count and first places, then a\n"
    "  summary line; with --all one \"row N, Column: reason\" line each.\n"
    "fill adds a range of channels to a CSV memory file (see below).\n"
    "An empty Mode is written as CW in every output (bandwidth 500 Hz where one is made); a mode\n"
    "the receiver lacks (WFM, DV, DIG, ...) is written as CW and reported once per mode.\n"
    "\n"
    "What could not be taken as it stands is listed on stderr, one line per kind of message\n"
    "with its count and first places; --all lists every row, line and record.\n"
    "The editor keeps its settings in Corvalen.ini beside the program (or, where that folder\n"
    "cannot be written, in the user's configuration folder); the converter has none.\n"
    "Messages are in German where LC_ALL, LC_MESSAGES or LANG starts with \"de\".\n"
    "Exit status of convert: 0 done, 1 a file could not be read or written, 2 wrong arguments.\n"
    "Exit status of verify: 0 every record verifies, 1 some do not, 2 wrong arguments or FILE\n"
    "could not be read.\n"
    "Exit status of check: 0 no problems or notices, 1 some, 2 wrong arguments or FILE could\n"
    "not be read.\n";

enum class FileKind { G3m, Csv, Other };  // G3m: any binary memory file, .g3m or .15m

struct Arguments {
    std::optional<ReceiverModel> model;
    bool toChirp = false;                  // --to chirp
    ListFormat toList = ListFormat::None;  // --to sdrsharp, --to sdrpp, or OUTPUT.xml, .json
    bool all = false;                      // --all: every report line, not one per kind
    std::optional<ChirpNumbering> numbering;
    std::vector<std::string> files;
};

FileKind KindOf(std::string_view path) {
    return IsRecordFilePath(path) ? FileKind::G3m
           : IsCsvFilePath(path)  ? FileKind::Csv
                                  : FileKind::Other;
}

bool EndsWith(std::string_view path, std::string_view suffix) {
    return path.size() >= suffix.size() &&
           std::equal(suffix.begin(), suffix.end(),
                      path.end() - static_cast<std::ptrdiff_t>(suffix.size()),
                      [](char a, char b) { return (a >= 'A' && a <= 'Z' ? a + 32 : a) == b; });
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
                    err << "corvalen-cli: --to needs a value (chirp, sdrsharp or sdrpp)\n";
                    return std::nullopt;
                }
                format = args[++i];
            }
            if (format == "chirp") {
                parsed.toChirp = true;
            } else if (format == "sdrsharp" || format == "sdrpp") {
                parsed.toList = format == "sdrpp" ? ListFormat::Sdrpp : ListFormat::SdrSharp;
            } else {
                err << "corvalen-cli: --to takes chirp, sdrsharp or sdrpp, not " << format << "\n";
                return std::nullopt;
            }
        } else if (arg == "--all") {
            parsed.all = true;
        } else if (command == "convert" && arg == "--numbering") {
            if (i + 1 >= args.size()) {
                err << "corvalen-cli: --numbering needs a value (keep, shift or sequential)\n";
                return std::nullopt;
            }
            parsed.numbering = ChirpNumberingNamed(args[++i]);
            if (!parsed.numbering) {
                err << "corvalen-cli: --numbering takes keep, shift or sequential, not " << args[i]
                    << "\n";
                return std::nullopt;
            }
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
    if (command == "convert" && !parsed.toChirp && parsed.toList == ListFormat::None) {
        parsed.toList = ListFormatOf(parsed.files[1]);
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
    if (!CheckListOutput(output, arguments.toList, err)) {
        return false;
    }
    if (arguments.toList != ListFormat::None) {
        return KindOf(input) != FileKind::G3m ||
               CheckModelFor(input, "reading", arguments.model, err);
    }
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
    err << "corvalen-cli: OUTPUT must end in .g3m, .15m, .csv, .xml or .json: " << output << "\n";
    return false;
}

// The reports of a file read or written, grouped by kind unless every line was asked for.
void Report(const std::vector<Diagnostic>& diagnostics, bool all, std::ostream& err,
            const MemoryTable* table = nullptr, const RowOrigins* origins = nullptr) {
    WriteReport(diagnostics, ProblemPlaces(table, origins), all, err);
}
void Report(const std::vector<Diagnostic>& diagnostics, const Arguments& arguments,
            std::ostream& err, const MemoryTable* table = nullptr,
            const RowOrigins* origins = nullptr) {
    Report(diagnostics, arguments.all, err, table, origins);
}

std::string Count(std::size_t n, std::string_view singular, std::string_view plural) {
    return std::to_string(n) + " " + std::string(n == 1 ? singular : plural);
}

// How many records `problems` (in file order) concern.
std::size_t RecordCount(const std::vector<Diagnostic>& problems) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < problems.size(); ++i) {
        count += i == 0 || problems[i].number != problems[i - 1].number;
    }
    return count;
}

// What a save had to tell besides its rows: an owner it could not keep, other names of the file.
void ReportSaveNotices(const std::vector<std::string>& notices, std::ostream& err) {
    for (const std::string& notice : notices) {
        err << "corvalen-cli: " << notice << "\n";
    }
}

// Writes the table as a CSV memory file; on success reports its cells, and tells in `reported`
// whether there were any.
Status WriteCsv(const MemoryTable& table, const std::string& path, std::ostream& err,
                const OutputChoice& choice, bool* reported = nullptr) {
    const CsvText text = BuildCsvText(table, /*csvLoaded=*/true);
    if (reported != nullptr) {
        *reported = !text.diagnostics.empty();
    }
    std::vector<std::string> notices;
    Status written = WriteCsvFile(path, text, notices);
    if (written) {
        Report(text.diagnostics, choice.all, err, &table, choice.origins);
        ReportSaveNotices(notices, err);
    }
    return written;
}

// What the summary says of a CHIRP file or a bookmark list written: "12 channels", and
// "; 1 row not written".
struct ChirpSummary {
    std::string channels;
    std::string rowsNotWritten;
    bool reported = false;  // rows or cells were reported
};

// Writes the table as an SDR# or SDR++ bookmark list, its groups named by `groupNames`; on
// success reports its rows.
Result<ChirpSummary> WriteList(const MemoryTable& table, const std::vector<std::string>& groupNames,
                               ListFormat format, const std::string& path, std::ostream& err,
                               bool all, const RowOrigins* origins = nullptr) {
    Result<BookmarkListText> text =
        format == ListFormat::SdrSharp
            ? WriteSdrSharpList(table, groupNames)
            : Result<BookmarkListText>(WriteSdrppList(table, groupNames));
    if (!text) {
        return text.error();
    }
    std::vector<std::string> notices;
    if (const Status written = WriteFileAtomically(path, text->bytes, notices); !written) {
        return written.error();
    }
    Report(text->diagnostics, all, err, &table, origins);
    ReportSaveNotices(notices, err);
    ChirpSummary summary{
        Count(text->channelsWritten, "channel", "channels"), {}, !text->diagnostics.empty()};
    if (text->rowsNotWritten != 0) {
        summary.rowsNotWritten =
            "; " + Count(text->rowsNotWritten, "row not written", "rows not written");
    }
    return summary;
}

// Writes the table as a CHIRP file; on success reports its rows.
Result<ChirpSummary> WriteChirp(const MemoryTable& table, const std::string& path,
                                std::ostream& err, bool all,
                                const RowOrigins* origins = nullptr) {
    const ChirpText text = BuildChirpCsvText(table);
    std::vector<std::string> notices;
    if (const Status written = WriteFileAtomically(path, text.bytes, notices); !written) {
        return written.error();
    }
    Report(text.diagnostics, all, err, &table, origins);
    ReportSaveNotices(notices, err);
    ChirpSummary summary{
        Count(text.channelsWritten, "channel", "channels"), {}, !text.diagnostics.empty()};
    if (text.rowsNotWritten != 0) {
        summary.rowsNotWritten =
            "; " + Count(text.rowsNotWritten, "row not written", "rows not written");
    }
    return summary;
}

int ConvertG3m(const Arguments& arguments, std::ostream& out, std::ostream& err) {
    const std::string& input = arguments.files[0];
    const std::string& output = arguments.files[1];
    Result<G3mReadReport> read = ReadG3mFile(input, *arguments.model);
    if (!read) {
        err << "corvalen-cli: " << read.error().message << "\n";
        return kExitFileError;
    }
    ChirpSummary summary{Count(read->table.ChannelCount(), "channel", "channels"), {}};
    if (arguments.toChirp || arguments.toList != ListFormat::None) {
        Result<ChirpSummary> written =
            arguments.toChirp ? WriteChirp(read->table, output, err, arguments.all)
                              : WriteList(read->table, {}, arguments.toList, output, err,
                                          arguments.all);
        if (!written) {
            err << "corvalen-cli: " << written.error().message << "\n";
            return kExitFileError;
        }
        summary = *written;
    } else if (const Status written = WriteCsv(read->table, output, err, OutputChoice{.all = arguments.all});
               !written) {
        err << "corvalen-cli: " << written.error().message << "\n";
        return kExitFileError;
    }
    Report(read->problems, arguments, err, &read->table);
    out << "wrote " << summary.channels << " to " << output << " from "
        << Count(read->recordsRead, "record", "records") << " of " << input
        << summary.rowsNotWritten;
    if (!read->problems.empty()) {
        out << "; " << Count(RecordCount(read->problems), "record", "records") << " reported";
    }
    out << "\n";
    return kExitOk;
}

// "wrote 3 records to OUT.g3m; 0 rows not written", then what else the save did.
void SummarizeSave(const G3mSaveReport& saved, const std::string& output, std::ostream& out) {
    out << "wrote " << Count(saved.recordsWritten, "record", "records") << " to " << output << "; "
        << Count(saved.rowsNotWritten, "row not written", "rows not written");
    if (saved.recordsKept > 0) {
        out << "; " << Count(saved.recordsKept, "record", "records") << " already in the file kept";
    }
    if (saved.rowsSkipped > 0) {
        out << "; " << Count(saved.rowsSkipped, "empty row", "empty rows") << " skipped";
    }
}

// A memory file saved: why it could not be (false), or its rows and notices on `err` and the
// summary without a line end on `out`.
bool ReportSaved(const Result<G3mSaveReport>& saved, const std::string& output, std::ostream& out,
                 std::ostream& err, bool all = false, const MemoryTable* table = nullptr,
                 const RowOrigins* origins = nullptr) {
    if (!saved) {
        err << "corvalen-cli: " << saved.error().message << "\n";
        return false;
    }
    Report(saved->problems, all, err, table, origins);
    ReportSaveNotices(saved->saveNotices, err);
    SummarizeSave(*saved, output, out);
    return true;
}

std::string InputNote(const std::vector<Diagnostic>& diagnostics) {
    if (diagnostics.empty()) {
        return {};
    }
    return "; " + Count(diagnostics.size(), "input line", "input lines") + " reported";
}

// A receiver CSV file into a memory file: each row is written as it is read, without a table.
int ConvertCsvToRecords(const Arguments& arguments, std::string_view bytes, std::ostream& out,
                        std::ostream& err) {
    const std::string& output = arguments.files[1];
    const StreamedConversion converted =
        ConvertCsvBytesToRecordFile(bytes, output, *arguments.model);
    Report(converted.lineDiagnostics, arguments, err, nullptr, &converted.origins);
    if (!ReportSaved(converted.saved, output, out, err, arguments.all, nullptr,
                     &converted.origins)) {
        return kExitFileError;
    }
    out << InputNote(converted.lineDiagnostics) << "\n";
    return kExitOk;
}

int Convert(const Arguments& arguments, std::ostream& out, std::ostream& err) {
    const std::string& input = arguments.files[0];
    const std::string& output = arguments.files[1];
    if (KindOf(input) == FileKind::G3m) {
        return ConvertG3m(arguments, out, err);
    }
    // Read once, so that a pipe or a FIFO works as well as a file.
    const Result<ByteBuffer> text = ReadCsvText(input);
    if (!text) {
        err << "corvalen-cli: " << text.error().message << "\n";
        return kExitFileError;
    }
    const std::string_view bytes(text->data(), text->size());
    if (KindOf(output) == FileKind::G3m && !arguments.toChirp &&
        arguments.toList == ListFormat::None &&
        KindOfMemoryFile(input, bytes) == MemoryFileKind::ReceiverCsv) {
        return ConvertCsvToRecords(arguments, bytes, out, err);
    }
    // A receiver CSV file, a CHIRP file or a bookmark list, told apart by their first bytes.
    Result<MemoryFileRead> imported = ReadCsvBytes(input, bytes);
    if (!imported) {
        err << "corvalen-cli: " << imported.error().message << "\n";
        return kExitFileError;
    }
    ApplyChirpNumbering(*imported, arguments.numbering.value_or(ChirpNumbering::Shift));
    const RowOrigins* origins = &imported->origins;
    Report(imported->diagnostics, arguments, err, &imported->table, origins);
    const std::string inputNote = InputNote(imported->diagnostics);

    OutputChoice choice{output, arguments.model, arguments.toChirp, arguments.toList};
    choice.all = arguments.all;
    choice.origins = origins;
    bool reported = false;
    const int status =
        WriteChannels(imported->table, imported->groupNames, choice, out, err, reported);
    if (status == kExitOk) {
        out << inputNote << "\n";
    }
    return status;
}

int Verify(const Arguments& arguments, std::ostream& out, std::ostream& err) {
    const std::string& path = arguments.files[0];
    const Result<std::string> image = ReadWholeFile(path);
    if (!image) {
        err << "corvalen-cli: " << image.error().message << "\n";
        return kExitUsageError;
    }
    const G3mVerifyReport report = VerifyG3mImage(*image, *arguments.model);
    Report(report.problems, arguments, err);
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

ListFormat ListFormatOf(std::string_view outputPath) {
    return EndsWith(outputPath, ".xml")    ? ListFormat::SdrSharp
           : EndsWith(outputPath, ".json") ? ListFormat::Sdrpp
                                           : ListFormat::None;
}

bool CheckListOutput(std::string_view output, ListFormat format, std::ostream& err) {
    if (format == ListFormat::SdrSharp && !SdrSharpListsSupported()) {
        err << "corvalen-cli: " << SdrSharpListsUnsupported().message << "\n";
        return false;
    }
    if (format != ListFormat::None && KindOf(output) == FileKind::G3m) {
        err << "corvalen-cli: a bookmark list is no memory file; OUTPUT must not end in .g3m or "
               ".15m: "
            << output << "\n";
        return false;
    }
    return true;
}

int WriteChannels(const MemoryTable& table, const std::vector<std::string>& groupNames,
                  const OutputChoice& choice, std::ostream& out, std::ostream& err,
                  bool& reported) {
    const std::string& output = choice.output;
    if (choice.toChirp || choice.toList != ListFormat::None) {
        Result<ChirpSummary> written =
            choice.toChirp ? WriteChirp(table, output, err, choice.all, choice.origins)
                           : WriteList(table, groupNames, choice.toList, output, err, choice.all,
                                       choice.origins);
        if (!written) {
            err << "corvalen-cli: " << written.error().message << "\n";
            return kExitFileError;
        }
        out << "wrote " << written->channels << " to " << output << written->rowsNotWritten;
        reported = written->reported;
        return kExitOk;
    }
    if (KindOf(output) == FileKind::G3m) {
        const Result<G3mSaveReport> saved = SaveG3mFile(output, table, *choice.model);
        if (!ReportSaved(saved, output, out, err, choice.all, &table, choice.origins)) {
            return kExitFileError;
        }
        reported = !saved->problems.empty() || saved->rowsNotWritten != 0;
        return kExitOk;
    }
    if (const Status written = WriteCsv(table, output, err, choice, &reported); !written) {
        err << "corvalen-cli: " << written.error().message << "\n";
        return kExitFileError;
    }
    out << "wrote " << Count(table.ChannelCount(), "channel", "channels") << " to " << output;
    return kExitOk;
}

bool CheckOutputChoice(const OutputChoice& choice, std::ostream& err) {
    if (!CheckListOutput(choice.output, choice.toList, err)) {
        return false;
    }
    if (choice.toChirp && KindOf(choice.output) != FileKind::Csv) {
        err << "corvalen-cli: --to chirp writes an OUTPUT ending in .csv: " << choice.output
            << "\n";
        return false;
    }
    if (choice.toList != ListFormat::None || choice.toChirp) {
        return true;
    }
    switch (KindOf(choice.output)) {
        case FileKind::G3m:
            return CheckModelFor(choice.output, "writing", choice.model, err);
        case FileKind::Csv:
            return true;
        case FileKind::Other:
            break;
    }
    err << "corvalen-cli: OUTPUT must end in .g3m, .15m, .csv, .xml or .json: " << choice.output
        << "\n";
    return false;
}

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

namespace {

int RunCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
        out << kUsage << "\n" << FillUsage() << "\n" << ScheduleUsage();
        return kExitOk;
    }
    const std::string_view command = args.empty() ? std::string_view() : args[0];
    if (command == "convert" || command == "verify") {
        std::ostringstream why;
        std::optional<Arguments> parsed =
            command == "convert"
                ? ParseArguments(command, args.subspan(1), 2, "an INPUT and an OUTPUT file", why)
                : ParseArguments(command, args.subspan(1), 1, "one FILE.g3m or FILE.15m", why);
        if (parsed && (command == "convert"
                           ? !CheckConvertArguments(*parsed, why)
                           : !CheckModelFor(parsed->files[0], "verify", parsed->model, why))) {
            parsed.reset();
        }
        if (!parsed) {
            // "corvalen-cli: <why>" less its start and line end.
            std::string text = why.str();
            text.erase(0, text.starts_with("corvalen-cli: ") ? 14 : 0);
            return UsageError(err, text);
        }
        return command == "convert" ? Convert(*parsed, out, err) : Verify(*parsed, out, err);
    }
    if (command == "check") {
        return RunCheck(args.subspan(1), out, err);
    }
    if (command == "fill") {
        return RunFill(args.subspan(1), out, err);
    }
    if (command == "schedule") {
        return RunSchedule(args.subspan(1), out, err);
    }
    if (args.empty()) {
        return UsageError(err, "no command given (convert, verify, check, fill or schedule)");
    }
    return UsageError(err, "unknown command " + std::string(args[0]));
}

}  // namespace

int RunConverter(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    const Language language = LanguageFromEnvironment();
    if (language == Language::English) {
        return RunCommand(args, out, err);
    }
    // Every line said in the language of the environment.
    LocalizingBuffer outBuffer(out, language);
    LocalizingBuffer errBuffer(err, language);
    std::ostream localOut(&outBuffer);
    std::ostream localErr(&errBuffer);
    const int status = RunCommand(args, localOut, localErr);
    localOut.flush();
    localErr.flush();
    return status;
}

}  // namespace corvalen

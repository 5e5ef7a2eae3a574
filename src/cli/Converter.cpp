#include "cli/Converter.h"

#include <algorithm>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Help.h"
#include "cli/Reports.h"
#include "convert/TextLines.h"
#include "files/ChannelFiles.h"
#include "g3m/MemoryFileReader.h"
#include "io/Backup.h"
#include "io/SafeFile.h"

namespace corvalen {

namespace {

// `words` joined as a list: "a, b or c".
std::string ListOf(const std::vector<std::string_view>& words) {
    std::string list;
    for (std::size_t i = 0; i < words.size(); ++i) {
        list += i == 0 ? "" : i + 1 == words.size() ? " or " : ", ";
        list += words[i];
    }
    return list;
}

// The extensions of every format's files, each once, one a line (for a {N:or} placeholder).
std::string KnownExtensions() {
    std::vector<std::string_view> seen;
    for (const ChannelFormat* format : ChannelFormats()) {
        for (const std::string_view extension : format->AllExtensions()) {
            if (std::find(seen.begin(), seen.end(), extension) == seen.end()) {
                seen.push_back(extension);
            }
        }
    }
    return Joined(seen, "\n");
}

// A memory file's name and the model it is read or written for must agree (.15m for the "305"
// and "315", .g3m for the others); false after writing the reason to `err`.
bool CheckModelFor(std::string_view path, std::string_view command,
                   const std::optional<ReceiverModel>& model, std::ostream& err) {
    const bool is15m = Is15mPath(path);
    const std::string_view extension = is15m ? ".15m" : ".g3m";
    const std::string_view first = is15m ? "305" : "313";
    const std::string_view second = is15m ? "315" : "303";
    if (!model) {
        // "verify needs ...", "reading a .g3m file needs ...", "writing a .15m file needs ..."
        return Fail(err, false,
                    command == "verify"
                        ? Said(MessageKind::CliVerifyNeedsModel, {first, second})
                        : Said(MessageKind::CliModelNeeded, {command, extension, first, second}));
    }
    if (!MemoryFileFitsModel(path, *model)) {
        return Fail(
            err, false,
            Said(MessageKind::CliModelMismatch, {extension, first, second, model->Name(), path}));
    }
    return true;
}

// The format OUTPUT is written in: --to, else by its name (nullptr for no known name).
const ChannelFormat* OutputFormat(std::string_view output, const ChannelFormat* to) {
    return to != nullptr ? to : FormatForName(output);
}

// Checks what convert was given. Returns false after writing the reason to `err`.
bool CheckConvertArguments(const FileCheckOptions& arguments, std::ostream& err) {
    const std::string& input = arguments.files[0];
    const std::string& output = arguments.files[1];
    if (!CheckOutput(output, arguments.to, arguments.model, err)) {
        return false;
    }
    const ChannelFormat* from = FormatForName(input);
    if (from == nullptr || !from->HoldsRecords()) {
        return true;
    }
    if (OutputFormat(output, arguments.to)->HoldsRecords()) {
        return Fail(err, false, "a ", from->Name(),
                    " INPUT is converted to a file of another format, not to a ", from->Name(),
                    ": ", output);
    }
    return CheckModelFor(input, "reading", arguments.model, err);
}

// The reports of a file read or written, grouped by kind unless every line was asked for.
void Report(const std::vector<Diagnostic>& diagnostics, bool all, std::ostream& err,
            const MemoryTable* table = nullptr, const RowOrigins* origins = nullptr) {
    WriteReport(diagnostics, ProblemPlaces(table, origins), all, err);
}

// What a save had to tell besides its rows: an owner it could not keep, other names of the file.
void ReportSaveNotices(const std::vector<std::string>& notices, std::ostream& err) {
    for (const std::string& notice : notices) {
        err << "corvalen-cli: " << notice << "\n";
    }
}

int Convert(const FileCheckOptions& arguments, std::ostream& out, std::ostream& err) {
    const std::string& input = arguments.files[0];
    const std::string& output = arguments.files[1];
    const Result<ChannelFileConversion> converted =
        ConvertChannelFile(input, output, *OutputFormat(output, arguments.to),
                           {arguments.model.value_or(ReceiverModel()), true, {}},
                           arguments.numbering.value_or(ChirpNumbering::Shift));
    if (!converted) {
        return Fail(err, kExitFileError, converted.error());
    }
    // What a memory file's records showed comes after what writing its channels found; what a
    // text file's lines showed comes first.
    const ChannelFileRead& read = converted->read;
    const bool records = read.report.format->HoldsRecords();
    const RowOrigins* origins = records ? nullptr : &read.report.origins;
    if (!records) {
        Report(read.report.diagnostics, arguments.all, err, &read.table, origins);
    }
    if (!converted->written) {
        return Fail(err, kExitFileError, converted->written.error());
    }
    Report(converted->written->diagnostics, arguments.all, err, &read.table, origins);
    ReportSaveNotices(converted->written->saveNotices, err);
    if (records) {
        Report(read.report.diagnostics, arguments.all, err, &read.table);
    }
    SummaryStream(output, out, err)
        << ConversionSummary(*converted, input, output, LanguageFromEnvironment()) << "\n";
    return kExitOk;
}

int Verify(const FileCheckOptions& arguments, std::ostream& out, std::ostream& err) {
    const std::string& path = arguments.files[0];
    const Result<ByteBuffer> image =
        ReadWholeFileBuffer(path, MaxMemoryFileBytes(*arguments.model));
    if (!image) {
        return Fail(err, kExitUsageError, image.error());
    }
    const MemoryFileVerifyReport report =
        VerifyMemoryFileImage(std::string_view(image->data(), image->size()), *arguments.model);
    Report(report.problems, arguments.all, err);
    const std::string records = std::to_string(report.recordsChecked);
    out << (report.ok() ? Said(MessageKind::CliVerified, {records, path})
            : report.incompleteBytes == 0
                ? Said(MessageKind::CliVerifyFailed,
                       {records, path, std::to_string(report.badChecksums)})
                : Said(MessageKind::CliVerifyFailedEnd,
                       {records, path, std::to_string(report.badChecksums)}))
        << "\n";
    return report.ok() ? kExitOk : kExitVerifyFailed;
}

}  // namespace

std::ostream& SummaryStream(std::string_view output, std::ostream& out, std::ostream& err) {
    return output == "-" ? err : out;
}

int WriteChannels(const MemoryTable& table, const std::vector<std::string>& groupNames,
                  const OutputChoice& choice, std::ostream& out, std::ostream& err,
                  bool& reported) {
    ChannelFileConversion written;
    written.written =
        WriteChannelFile(choice.output, table, *OutputFormat(choice.output, choice.to),
                         {choice.model.value_or(ReceiverModel()), true, groupNames});
    if (!written.written) {
        return Fail(err, kExitFileError, written.written.error());
    }
    Report(written.written->diagnostics, choice.all, err, &table, choice.origins);
    ReportSaveNotices(written.written->saveNotices, err);
    SummaryStream(choice.output, out, err)
        << ConversionSummary(written, {}, choice.output, LanguageFromEnvironment());
    reported = !written.written->diagnostics.empty() || written.written->rowsNotWritten != 0;
    return kExitOk;
}

bool CheckOutput(std::string_view output, const ChannelFormat* to,
                 const std::optional<ReceiverModel>& model, std::ostream& err) {
    const ChannelFormat* format = OutputFormat(output, to);
    if (format == nullptr) {
        return Fail(err, false, Said(MessageKind::CliOutputExtension, {KnownExtensions(), output}));
    }
    if (const Status supported = format->Supported(); !supported) {
        return Fail(err, false, supported.error());
    }
    if (output == "-") {
        if (format->HoldsRecords()) {
            return Fail(err, false, "a ", format->Name(),
                        " is updated in place and is not written to standard output");
        }
        return true;
    }
    if (!format->HasExtensionOf(output)) {
        if (const ChannelFormat* owner = ExtensionOwner(output); owner != nullptr) {
            return Fail(err, false, "the extension ", ExtensionOf(output),
                        " of OUTPUT belongs to the ", owner->Name(), ", not to the ",
                        format->Name(), " (", ListOf(format->AllExtensions()),
                        "); nothing written: ", output);
        }
        return Fail(err, false, "--to ", format->ShortName(), " writes an OUTPUT ending in ",
                    ListOf(format->AllExtensions()), ": ", output);
    }
    return !format->HoldsRecords() || CheckModelFor(output, "writing", model, err);
}

bool ReadModel(std::string_view text, std::optional<ReceiverModel>& model, std::ostream& err) {
    Result<ReceiverModel> read = ReceiverModel::FromText(text);
    if (!read) {
        return Fail(err, false, Said(MessageKind::CliNoModel, {text}));
    }
    model = *read;
    return true;
}

std::optional<std::string> ModelProblem(std::string_view path,
                                        const std::optional<ReceiverModel>& model,
                                        std::string_view verb) {
    if (!IsMemoryFilePath(path) || (model && MemoryFileFitsModel(path, *model))) {
        return std::nullopt;
    }
    if (model) {
        return Said(MessageKind::CliOtherModels, {path, model->Name()});
    }
    const bool is15m = Is15mPath(path);
    return Said(MessageKind::CliModelNeeded,
                {verb, is15m ? ".15m" : ".g3m", is15m ? "305" : "313", is15m ? "315" : "303"});
}

std::optional<int> ReadFileCheckOptions(std::string_view command,
                                        std::span<const std::string_view> args,
                                        FileCheckOptions& options, std::ostream& err) {
    const bool convert = command == "convert";
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const bool last = i + 1 == args.size();
        if ((arg == "--model" && !last) || arg.starts_with("--model=")) {
            std::ostringstream why;
            if (!ReadModel(arg == "--model" ? args[++i] : arg.substr(8), options.model, why)) {
                return UsageError(err, why.str());
            }
        } else if (arg == "--all") {
            options.all = true;
        } else if (arg == "--numbering" && command != "verify" && !last) {
            options.numbering = ChirpNumberingNamed(args[++i]);
            if (!options.numbering) {
                return UsageError(err, Said(MessageKind::CliNumberingValue, {args[i]}));
            }
        } else if (convert && (arg == "--to" || arg.starts_with("--to="))) {
            if (arg == "--to" && last) {
                return UsageError(err, Said(MessageKind::CliNeedsValueOf, {arg, FormatWords()}));
            }
            const std::string_view format = arg == "--to" ? args[++i] : arg.substr(5);
            options.to = FormatNamed(format);
            if (options.to == nullptr) {
                return UsageError(err, Said(MessageKind::CliToValue, {FormatWords(), format}));
            }
        } else if (arg == "--numbering" && convert) {
            return UsageError(err,
                              Said(MessageKind::CliNeedsValueOf, {arg, "keep\nshift\nsequential"}));
        } else if (arg == "--model" || (arg == "--numbering" && command != "verify")) {
            return UsageError(err, Said(MessageKind::CliNeedsValue, {arg}));
        } else if (arg.size() > 1 && arg.starts_with('-')) {
            return UsageError(err, Said(MessageKind::CliUnknownOption, {arg}));
        } else {
            options.files.emplace_back(arg);
        }
    }
    return std::nullopt;
}

namespace {

std::string_view ConverterUsage() {
    // The formats' lines come from the registry: "  chirp     CHIRP CSV (.csv)".
    static const std::string usage = [] {
        std::string formats;
        for (const ChannelFormat* format : ChannelFormats()) {
            std::string word(format->ShortName());
            word.resize(std::max<std::size_t>(word.size() + 1, 10), ' ');
            formats += "  " + word + std::string(format->Name()) + " (" +
                       ListOf(format->AllExtensions()) + ")\n";
        }
        std::string text(kConvertHelp);
        const std::string_view mark = "@FORMATS@";
        text.replace(text.find(mark), mark.size(), formats);
        return text;
    }();
    return usage;
}

int RunCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
        out << ConverterUsage() << "\n"
            << kFillHelp << "\n"
            << kScheduleHelp << "\n"
            << kOnAirHelp << "\n"
            << kDiffHelp;
        return kExitOk;
    }
    const std::string_view command = args.empty() ? std::string_view() : args[0];
    if (command == "convert" || command == "verify") {
        FileCheckOptions parsed;
        if (const std::optional<int> wrong =
                ReadFileCheckOptions(command, args.subspan(1), parsed, err)) {
            return *wrong;
        }
        const bool convert = command == "convert";
        if (parsed.files.size() != (convert ? 2U : 1U)) {
            return UsageError(
                err, Said(MessageKind::CliNeeds, {command, convert ? "an INPUT and an OUTPUT file"
                                                                   : "one FILE.g3m or FILE.15m"}));
        }
        std::ostringstream why;
        if (convert ? !CheckConvertArguments(parsed, why)
                    : !CheckModelFor(parsed.files[0], "verify", parsed.model, why)) {
            return UsageError(err, why.str());
        }
        return convert ? Convert(parsed, out, err) : Verify(parsed, out, err);
    }
    using Verb = int (*)(std::span<const std::string_view>, std::ostream&, std::ostream&);
    constexpr std::pair<std::string_view, Verb> kVerbs[] = {{"check", RunCheck},
                                                            {"fill", RunFill},
                                                            {"diff", RunDiff},
                                                            {"schedule", RunSchedule},
                                                            {"on-air", RunOnAir}};
    if (const auto* verb =
            std::ranges::find(kVerbs, command, &std::pair<std::string_view, Verb>::first);
        verb != std::end(kVerbs)) {
        return verb->second(args.subspan(1), out, err);
    }
    if (args.empty()) {
        return UsageError(err, Said(MessageKind::CliNoCommand));
    }
    return UsageError(err, Said(MessageKind::CliUnknownCommand, {args[0]}));
}

}  // namespace

int RunConverter(std::span<const std::string_view> given, std::ostream& out, std::ostream& err) {
    // --backup, for any command that writes a file: the file replaced is kept as NAME~.
    std::vector<std::string_view> args;
    bool backup = false;
    for (const std::string_view arg : given) {
        if (arg == "--backup") {
            backup = true;
        } else {
            args.push_back(arg);
        }
    }
    SetKeepBackups(backup);
    return RunCommand(args, out, err);
}

}  // namespace corvalen

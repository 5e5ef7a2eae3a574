#include "cli/CheckVerb.h"

#include <optional>
#include <string>
#include <vector>

#include "cli/Converter.h"
#include "files/ChannelFiles.h"
#include "channel/CellChecks.h"
#include "channel/TableChecks.h"

namespace corvalen {

namespace {

// The model a CSV memory file is checked for when none is given.
constexpr ReceiverModel kDefaultModel("313");

std::string Count(std::size_t n, std::string_view singular, std::string_view plural) {
    return std::to_string(n) + " " + std::string(n == 1 ? singular : plural);
}

// The table of FILE (a CSV memory file, a CHIRP file or a memory file) and what reading it
// reported; nullopt after writing the reason to `err`.
std::optional<MemoryTable> ReadTable(const std::string& path, ReceiverModel model,
                                     std::vector<Diagnostic>& reading, bool& damaged,
                                     bool& fromRecords, std::ostream& err) {
    Result<ChannelFileRead> read = ReadChannelFile(path, model);
    if (!read) {
        err << "corvalen-cli: " << read.error().message << "\n";
        return std::nullopt;
    }
    damaged = read->report.badChecksums > 0 || read->report.incompleteBytes > 0;
    fromRecords = read->report.format == &RecordFileFormat();
    reading = std::move(read->report.diagnostics);
    return std::move(read->table);
}

}  // namespace

int RunCheck(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    std::optional<ReceiverModel> model;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if ((arg == "--model" && i + 1 < args.size()) || arg.starts_with("--model=")) {
            if (!ReadModel(arg == "--model" ? args[++i] : arg.substr(8), model, err)) {
                err << ConverterUsage();
                return kExitUsageError;
            }
        } else if (arg == "--model") {
            err << "corvalen-cli: --model needs a value\n" << ConverterUsage();
            return kExitUsageError;
        } else if (arg.size() > 1 && arg.starts_with('-')) {
            err << "corvalen-cli: unknown option " << arg << "\n" << ConverterUsage();
            return kExitUsageError;
        } else {
            files.emplace_back(arg);
        }
    }
    if (files.size() != 1) {
        err << "corvalen-cli: check needs one FILE\n" << ConverterUsage();
        return kExitUsageError;
    }
    const std::string& path = files[0];
    if (IsRecordFilePath(path) && !model) {
        err << "corvalen-cli: checking a "
            << (Is15mPath(path) ? ".15m file needs --model (\"305\" or \"315\")\n"
                                : ".g3m file needs --model (\"313\" or \"303\")\n")
            << ConverterUsage();
        return kExitUsageError;
    }
    if (IsRecordFilePath(path) && !RecordFileFitsModel(path, *model)) {
        err << "corvalen-cli: " << path << " holds records of other models than \""
            << model->Name() << "\"\n"
            << ConverterUsage();
        return kExitUsageError;
    }

    std::vector<Diagnostic> reading;
    bool damaged = false;
    bool fromRecords = false;
    const std::optional<MemoryTable> table =
        ReadTable(path, model.value_or(kDefaultModel), reading, damaged, fromRecords, err);
    if (!table) {
        return kExitUsageError;
    }
    for (const Diagnostic& report : reading) {
        err << report.ToString() << "\n";
    }

    const std::vector<Diagnostic> problems =
        CheckCells(*table, model.value_or(kDefaultModel));
    for (const Diagnostic& problem : problems) {
        out << ProblemLine(problem) << "\n";
    }
    const std::size_t notices = NoticeCount(problems);
    const std::size_t errors = problems.size() - notices;
    out << "checked "
        << Count(static_cast<std::size_t>(table->ChannelCount()), "channel", "channels") << " of "
        << path << ": ";
    if (problems.empty()) {
        out << "no problems or notices";
    } else {
        out << Count(errors, "problem", "problems") << ", " << Count(notices, "notice", "notices");
    }
    if (!reading.empty()) {
        out << "; "
            << (fromRecords ? Count(reading.size(), "record", "records")
                                       : Count(reading.size(), "input line", "input lines"))
            << " reported";
    }
    out << "\n";
    // A memory file whose records fail their checksum, or that ends inside a record, is damaged
    // whatever its channels hold.
    return problems.empty() && !damaged ? kExitCheckClean : kExitCheckReported;
}

}  // namespace corvalen

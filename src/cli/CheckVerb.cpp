#include <optional>
#include <string>
#include <vector>

#include "channel/CellChecks.h"
#include "channel/TableChecks.h"
#include "cli/Converter.h"
#include "cli/Reports.h"

namespace corvalen {

int RunCheck(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    FileCheckOptions options;
    if (const std::optional<int> wrong = ReadFileCheckOptions("check", args, options, err)) {
        return *wrong;
    }
    const auto& [model, numbering, all, files, to] = options;
    if (files.size() != 1) {
        return UsageError(err, Said(MessageKind::CliNeeds, {"check", "one FILE"}));
    }
    const std::string& path = files[0];
    if (const std::optional<std::string> problem = ModelProblem(path, model, "checking")) {
        return UsageError(err, *problem);
    }

    const ReceiverModel checkedModel = model.value_or(kDefaultModel);
    const std::optional<ChannelFileRead> read =
        ReadReported(path, checkedModel, numbering, all, err);
    if (!read) {
        return kExitUsageError;
    }
    const MemoryTable& table = read->table;
    const std::vector<Diagnostic> problems = CheckCells(table, checkedModel);
    const MessageTexts& texts = CatalogueTexts(LanguageFromEnvironment());
    if (all) {
        for (const Diagnostic& problem : problems) {
            out << ProblemLine(problem, texts) << "\n";
        }
    } else {
        const ProblemPlaces places(&table, &read->report.origins);
        for (const std::string& line : GroupedReport(problems, places.In(texts), LineForm::Panel)) {
            out << line << "\n";
        }
    }
    const std::size_t notices = NoticeCount(problems);
    const std::size_t errors = problems.size() - notices;
    const std::string channels = std::to_string(table.ChannelCount());
    out << (problems.empty()
                ? Said(MessageKind::CliCheckedClean, {channels, path})
                : Said(MessageKind::CliChecked,
                       {channels, path, std::to_string(errors), std::to_string(notices)}));
    const std::vector<Diagnostic>& reading = read->report.diagnostics;
    if (!reading.empty()) {
        out << "; "
            << Said(read->report.format->HoldsRecords() ? MessageKind::CliRecordsReported
                                                        : MessageKind::CliInputLinesReported,
                    {std::to_string(reading.size())});
    }
    out << "\n";
    // A memory file whose records fail their checksum, or that ends inside a record, is damaged
    // whatever its channels hold: the same file fails verify.
    const bool damaged = read->report.badChecksums > 0 || read->report.incompleteBytes > 0;
    return problems.empty() && !damaged ? kExitCheckClean : kExitCheckReported;
}

}  // namespace corvalen

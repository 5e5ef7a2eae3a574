#include <optional>
#include <string>
#include <vector>

#include "cli/Converter.h"
#include "cli/Help.h"
#include "cli/Reports.h"
#include "convert/FrequencyText.h"
#include "convert/NumberText.h"
#include "formats/ScheduleFilter.h"
#include "formats/ScheduleSummary.h"
#include "table/Columns.h"

namespace corvalen {

int RunOnAir(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    std::optional<ScheduleFilter::Span> at;
    int day = -1;
    std::vector<std::string_view> rest;  // the options every file command takes, and LIST
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        if (arg == "--help" || arg == "-h") {
            out << kOnAirHelp;
            return kExitOk;
        }
        const std::string_view name = arg.substr(0, arg.find('='));
        if (name != "--at" && name != "--day") {
            rest.push_back(arg);
            continue;
        }
        const std::optional<std::string_view> given = OptionValue(args, i, arg);
        if (!given) {
            return UsageError(err, Said(MessageKind::CliNeedsValue, {arg}));
        }
        const std::string_view value = *given;
        if (arg == "--at") {
            const Result<ScheduleFilter::Span> span = ParseScheduleTime(value);
            if (!span) {
                return UsageError(err,
                                  Said(MessageKind::CliOptionProblem, {arg, Said(span.error())}));
            }
            at = *span;
        } else {
            const Result<int> weekday = ParseWeekday(value);
            if (!weekday) {
                return UsageError(
                    err, Said(MessageKind::CliOptionProblem, {arg, Said(weekday.error())}));
            }
            day = *weekday;
        }
    }
    FileCheckOptions options;
    if (const std::optional<int> wrong = ReadFileCheckOptions("on-air", rest, options, err)) {
        return *wrong;
    }
    if (!at || options.files.size() != 1) {
        return UsageError(err, Said(MessageKind::CliNeeds, {"on-air", "--at HHMM and one LIST"}));
    }
    const std::string& list = options.files[0];
    if (const std::optional<std::string> problem = ModelProblem(list, options.model)) {
        return UsageError(err, *problem);
    }
    const std::optional<ChannelFileRead> read = ReadReported(
        list, options.model.value_or(kDefaultModel), options.numbering, options.all, err);
    if (!read) {
        return kExitFileError;
    }

    const int within = SpanLength(at->from, at->to);
    const MemoryTable& table = read->table;
    int onAir = 0;
    for (int row = 1; row < table.RowCount(); ++row) {
        const std::string_view comments = table.CellText(row, Comments);
        const std::optional<ScheduleSummary> summary = ReadScheduleSummary(comments);
        if (!summary || !OnAirAt(*summary, at->from, day, within)) {
            continue;
        }
        const std::optional<std::uint64_t> hz = HzOf(table.CellText(row, Frequency));
        out << TrimBlanks(table.CellText(row, Number)) << ' '
            << (hz ? FrequencyText(*hz, FrequencyUnit::kHz) + " kHz"
                   : std::string(TrimBlanks(table.CellText(row, Frequency))))
            << ' ' << table.CellText(row, Callsign) << ": " << TrimBlanks(comments) << "\n";
        ++onAir;
    }
    err << Said(MessageKind::CliOnAir,
                {std::to_string(onAir), std::to_string(table.ChannelCount()), list})
        << "\n";
    return kExitOk;
}

}  // namespace corvalen

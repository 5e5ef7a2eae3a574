#include <optional>
#include <string>
#include <vector>

#include "cli/Converter.h"
#include "cli/Help.h"
#include "cli/Reports.h"
#include "edit/ChannelRange.h"
#include "files/ChannelFiles.h"
#include "formats/EibiSchedule.h"
#include "formats/ScheduleFilter.h"
#include "formats/SeasonUpdate.h"
#include "io/Messages.h"
#include "io/SafeFile.h"

namespace corvalen {

namespace {

// Reads the options into `filter` and `choice`; false after writing the reason to `err`.
bool ParseScheduleArguments(std::span<const std::string_view> args, ScheduleFilter& filter,
                            OutputChoice& choice, std::optional<std::string>& update,
                            std::vector<std::string>& files, std::ostream& err) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        if (!arg.starts_with("--")) {
            files.emplace_back(arg);
            continue;
        }
        const std::optional<std::string_view> given = OptionValue(args, i, arg);
        if (!given) {
            return Fail(err, false, Said(MessageKind::CliNeedsValue, {arg}));
        }
        const std::string_view value = *given;
        std::string problem;
        if (arg == "--at") {
            const auto span = ParseScheduleTime(value);
            span ? void(filter.at = *span) : void(problem = Said(span.error()));
        } else if (arg == "--day") {
            const auto day = ParseWeekday(value);
            day ? void(filter.day = *day) : void(problem = Said(day.error()));
        } else if (arg == "--language" || arg == "--target") {
            (arg == "--language" ? filter.languages : filter.targets) = ParseCodeList(value);
        } else if (arg == "--station") {
            filter.station = value;
        } else if (arg == "--band") {
            const auto band = ParseBand(value);
            if (band) {
                filter.bandFrom = band->from;
                filter.bandTo = band->to;
            } else {
                problem = Said(band.error());
            }
        } else if (arg == "--date") {
            const auto date = ParseScheduleDate(value);
            date ? void(filter.date = *date) : void(problem = Said(date.error()));
        } else if (arg == "--update") {
            update = value;
        } else if (arg == "--model") {
            if (!ReadModel(value, choice.model, err)) {
                return false;
            }
        } else if (arg == "--to") {
            choice.to = FormatNamed(value);
            if (choice.to == nullptr) {
                problem = Said(MessageKind::CliToValue, {FormatWords(), value});
            }
        } else {
            problem = Said(MessageKind::CliUnknownOption, {arg});
        }
        if (!problem.empty()) {
            return Fail(err, false, Said(MessageKind::CliOptionProblem, {arg, problem}));
        }
    }
    if (files.size() != 2) {
        return Fail(err, false,
                    Said(MessageKind::CliNeeds, {"schedule", "a SKED.csv and an OUTPUT file"}));
    }
    choice.output = files[1];
    if (const std::optional<std::string> problem =
            update ? ModelProblem(*update, choice.model) : std::nullopt) {
        return Fail(err, false, *problem);
    }
    return CheckOutput(choice.output, choice.to, choice.model, err);
}

// A list updated with a new season's channels.
struct Season {
    MemoryTable table;
    std::vector<std::string> groupNames;
    std::string counts;     // "over LIST: 3 kept, 1 updated, 2 added, 4 removed"
    bool reported = false;  // reading the list reported something
};

// Reads `list` and puts `channels` over its schedule channels (SeasonUpdate.h); nullopt after
// writing why on `err`.
std::optional<Season> UpdateList(const std::string& list, const MemoryTable& channels,
                                 const OutputChoice& choice, std::ostream& err) {
    std::optional<ChannelFileRead> read =
        ReadReported(list, choice.model.value_or(kDefaultModel), std::nullopt, false, err);
    if (!read) {
        return std::nullopt;
    }
    const SeasonUpdate plan = PlanSeasonUpdate(read->table, channels);
    const auto added = static_cast<std::uint64_t>(plan.added.ChannelCount());
    const Status fit =
        NumbersFit(static_cast<std::uint64_t>(HighestChannelNumber(read->table)) + 1, added);
    if (!fit) {
        return Fail(err, std::nullopt, list, ": ",
                    Said(MessageKind::CliNothingWritten, {Said(fit.error())}));
    }
    Season season{ApplySeasonUpdate(read->table, plan), std::move(read->groupNames),
                  Said(MessageKind::CliSeasonCounts,
                       {list, std::to_string(plan.kept.size()), std::to_string(plan.updated.size()),
                        std::to_string(added), std::to_string(plan.removed.size())}),
                  !read->report.diagnostics.empty()};
    return season;
}

}  // namespace

int RunSchedule(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        out << kScheduleHelp;
        return kExitOk;
    }
    ScheduleFilter filter;
    OutputChoice choice;
    std::optional<std::string> update;
    std::vector<std::string> files;
    if (!ParseScheduleArguments(args, filter, choice, update, files, err)) {
        err << Said(MessageKind::CliTryHelp, {"schedule"}) << "\n";
        return kExitUsageError;
    }
    const std::string& sked = files[0];
    const Result<ByteBuffer> buffer = ReadWholeFileBuffer(sked, kMaxScheduleBytes);
    if (!buffer) {
        return Fail(err, kExitFileError, buffer.error());
    }
    const std::string_view bytes(buffer->data(), buffer->size());
    if (!LooksLikeEibiSchedule(bytes)) {
        return Fail(err, kExitFileError, Said(MessageKind::CliNoSchedule, {sked}));
    }
    const Schedule schedule = ReadEibiSchedule(bytes);
    const ScheduleSelection selection = SelectBroadcasts(schedule, filter);
    // The schedule's reports, one line each: they name its lines, not channels.
    const ProblemPlaces noPlaces(nullptr, nullptr);
    WriteReport(schedule.diagnostics, noPlaces, true, err);
    WriteReport(selection.notices, noPlaces, true, err);
    if (selection.entries.empty()) {
        return Fail(err, kExitFileError, Said(MessageKind::CliNothingPasses, {sked}));
    }
    // A receiver holds 65,535 channels; more would be numbered past its last channel.
    const MemoryTable channels = ScheduleChannels(selection.entries);
    if (channels.ChannelCount() > kMaxChannelRows) {
        return Fail(
            err, kExitFileError,
            Said(MessageKind::CliScheduleTooMany,
                 {sked, std::to_string(channels.ChannelCount()), std::to_string(kMaxChannelRows)}));
    }
    bool reported = !schedule.diagnostics.empty() || !selection.notices.empty();
    std::optional<Season> season;
    if (update) {
        season = UpdateList(*update, channels, choice, err);
        if (!season) {
            return kExitFileError;
        }
        reported = reported || season->reported;
    }
    bool written = false;
    const int status =
        season ? WriteChannels(season->table, season->groupNames, choice, out, err, written)
               : WriteChannels(channels, {}, choice, out, err, written);
    if (status != kExitOk) {
        return status;
    }
    std::ostream& summary = SummaryStream(choice.output, out, err);
    summary << ' '
            << Said(MessageKind::CliFromSchedule, {std::to_string(selection.entries.size()),
                                                   std::to_string(schedule.entries.size()), sked});
    if (season) {
        summary << "; " << season->counts;
    }
    const std::size_t lines = schedule.diagnostics.size() + selection.notices.size();
    if (lines != 0) {
        summary << "; " << Said(MessageKind::CliLinesReported, {std::to_string(lines)});
    }
    summary << "\n";
    return reported || written ? kExitFileError : kExitOk;
}

}  // namespace corvalen

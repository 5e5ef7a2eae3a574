#include <algorithm>
#include <array>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "channel/CellChecks.h"
#include "cli/Converter.h"
#include "cli/Help.h"
#include "cli/Reports.h"
#include "convert/NumberText.h"
#include "edit/ChannelRange.h"
#include "files/ChannelFiles.h"
#include "table/Columns.h"

namespace corvalen {

namespace {

struct FillArguments {
    std::optional<std::string> start;
    std::optional<std::string> stop;
    std::optional<std::string> step;
    std::vector<std::pair<int, std::string>> cells;
    std::optional<int> firstNumber;
    bool all = false;
    std::vector<std::string> files;
};

// The column a --set names, or nullopt after writing the reason to `err`.
std::optional<int> SetColumn(std::string_view name, std::ostream& err) {
    const auto named = [name](std::string_view header) { return EqualsIgnoringCase(name, header); };
    const auto matches = std::ranges::count_if(kCsvHeaderNames, named);
    if (matches == 0) {
        return Fail(err, std::nullopt, "--set ", name,
                    ": no column of the CSV header has that name");
    }
    if (matches > 1) {
        return Fail(err, std::nullopt, "--set ", name, ": ", matches,
                    " columns have that name, so it names none of them");
    }
    const auto found =
        static_cast<int>(std::ranges::find_if(kCsvHeaderNames, named) - kCsvHeaderNames.begin());
    if (found == Number || found == Frequency) {
        return Fail(err, std::nullopt, "--set ", name,
                    ": the range gives every new channel its own ",
                    kCsvHeaderNames[static_cast<std::size_t>(found)]);
    }
    return found;
}

// Parses the arguments after "fill". Returns nullopt after writing the reason to `err`.
std::optional<FillArguments> ParseFillArguments(std::span<const std::string_view> args,
                                                std::ostream& err) {
    FillArguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg.size() <= 2 || !arg.starts_with("--")) {
            if (arg.size() > 1 && arg.starts_with('-')) {
                return Fail(err, std::nullopt, Said(MessageKind::CliUnknownOption, {arg}));
            }
            parsed.files.emplace_back(arg);
            continue;
        }
        if (arg == "--all") {
            parsed.all = true;
            continue;
        }
        std::string_view option = arg.substr(0, arg.find('='));
        if (option != "--start" && option != "--stop" && option != "--step" && option != "--set" &&
            option != "--first-number") {
            return Fail(err, std::nullopt, Said(MessageKind::CliUnknownOption, {option}));
        }
        const std::optional<std::string_view> value = OptionValue(args, i, option);
        if (!value) {
            return Fail(err, std::nullopt, Said(MessageKind::CliNeedsValue, {option}));
        }
        if (option == "--start") {
            parsed.start = std::string(*value);
        } else if (option == "--stop") {
            parsed.stop = std::string(*value);
        } else if (option == "--step") {
            parsed.step = std::string(*value);
        } else if (option == "--first-number") {
            const auto number = ParseWholeNumber(*value);
            if (!number || *number < 1 || *number > static_cast<std::uint64_t>(kMaxChannelRows)) {
                return Fail(err, std::nullopt, "--first-number ", *value,
                            " is not a channel number from 1 to ", kMaxChannelRows);
            }
            parsed.firstNumber = static_cast<int>(*number);
        } else {
            const std::size_t equals = value->find('=');
            if (equals == std::string_view::npos) {
                return Fail(err, std::nullopt, "--set ", *value, " is not COLUMN=VALUE");
            }
            const std::optional<int> column = SetColumn(value->substr(0, equals), err);
            if (!column) {
                return std::nullopt;
            }
            parsed.cells.emplace_back(*column, std::string(value->substr(equals + 1)));
        }
    }
    if (!parsed.start || !parsed.stop || !parsed.step) {
        return Fail(err, std::nullopt, "fill needs --start, --stop and --step");
    }
    if (parsed.files.empty() || parsed.files.size() > 2) {
        return Fail(err, std::nullopt,
                    "fill needs an OUTPUT.csv file, after an optional INPUT.csv");
    }
    for (const std::string& file : parsed.files) {
        if (!ReceiverCsvFormat().HasExtensionOf(file) && file != "-") {
            return Fail(err, std::nullopt,
                        "fill reads and writes CSV memory files ending in .csv: ", file);
        }
    }
    return parsed;
}

// Whether the value of every --set is one a save takes as it stands, the way `check` reads it
// in a new channel; false after writing the first that is not to `err`.
bool CheckSetValues(const FillArguments& parsed, std::ostream& err) {
    for (const auto& [column, value] : parsed.cells) {
        std::array<std::string_view, kImportedColumnCount> cells{};
        cells[Number] = "1";
        cells[Frequency] = "10000000";
        cells[Bandwidth] = "6000";
        cells[static_cast<std::size_t>(column)] = value;
        std::vector<Diagnostic> problems;
        ReadRecordFields(cells, ReceiverModel(), 1, problems);
        for (const Diagnostic& problem : problems) {
            if (problem.column == column && !problem.IsNotice()) {
                // What the check found, without what a save would write instead (its
                // template's last clause, in either language): fill writes nothing.
                const Language language = LanguageFromEnvironment();
                std::string_view found =
                    TemplateText(problem.kind, TemplatePart::Sentence, language);
                found = found.substr(0, found.rfind("; "));
                return Fail(err, false,
                            Said(MessageKind::CliSetRefused,
                                 {kCsvHeaderNames[static_cast<std::size_t>(column)], value,
                                  FillTemplate(found, problem.args, problem.column, language)}));
            }
        }
    }
    return true;
}

// Whether the new channels' numbers, from --first-number on, stay clear of the numbers in the
// first `inputRows` rows (INPUT's); false after writing the first they would repeat to `err`.
bool CheckFirstNumber(const MemoryTable& table, int inputRows, const FillArguments& parsed,
                      std::uint64_t count, std::ostream& err) {
    if (!parsed.firstNumber) {
        return true;
    }
    const std::uint64_t first = static_cast<std::uint64_t>(*parsed.firstNumber);
    for (int row = 1; row <= inputRows; ++row) {
        const std::optional<std::uint16_t> number = ChannelNumber(table.CellText(row, Number));
        if (number && *number >= first && *number - first < count) {
            return Fail(err, false, "--first-number ", first, ": new channel ", *number,
                        " would repeat channel ", *number, " of ", parsed.files[0], " (row ", row,
                        "); nothing written");
        }
    }
    return true;
}

}  // namespace

int RunFill(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    if (AsksForHelp(args)) {
        out << kFillHelp;
        return kExitOk;
    }
    std::ostringstream why;
    const std::optional<FillArguments> parsed = ParseFillArguments(args, why);
    if (!parsed) {
        return UsageError(err, why.str());
    }
    const Result<ChannelRange> range =
        ReadChannelRange(*parsed->start, *parsed->stop, *parsed->step);
    if (!range) {
        return Fail(err, kExitUsageError, range.error());
    }
    for (const Error& notice : range->notices) {
        err << notice << "\n";
    }

    if (!CheckSetValues(*parsed, err)) {
        return kExitUsageError;
    }

    MemoryTable table = MemoryTable::ImportLayout();
    std::vector<Diagnostic> inputProblems;
    RowOrigins origins;
    if (parsed->files.size() == 2) {
        Result<ChannelFileRead> imported = ReadChannelFile(parsed->files[0], {});
        if (!imported) {
            return Fail(err, kExitFileError, imported.error());
        }
        table = std::move(imported->table);
        inputProblems = std::move(imported->report.diagnostics);
        origins = std::move(imported->report.origins);
    }
    const int inputChannels = table.ChannelCount();

    RangeFill fill{*range, parsed->cells, parsed->firstNumber};
    if (const Status added = AddChannelRange(table, fill); !added) {
        return Fail(err, kExitUsageError,
                    Said(MessageKind::CliNothingWritten, {Said(added.error())}));
    }
    if (!CheckFirstNumber(table, inputChannels, *parsed, range->Count(), err)) {
        return kExitUsageError;
    }

    const std::string& output = parsed->files.back();
    const Result<ChannelFileReport> written =
        WriteChannelFile(output, table, ReceiverCsvFormat(), {ReceiverModel(), true, {}});
    if (!written) {
        // What reading INPUT found is said even when OUTPUT could not be written.
        WriteReport(inputProblems, ProblemPlaces(&table, &origins), parsed->all, err);
        return Fail(err, kExitFileError, written.error());
    }
    for (const std::string& notice : written->saveNotices) {
        err << "corvalen-cli: " << notice << "\n";
    }
    WriteReport(inputProblems, ProblemPlaces(&table, &origins), parsed->all, err);
    WriteReport(written->diagnostics, ProblemPlaces(&table, &origins), parsed->all, err);
    const int added = table.ChannelCount() - inputChannels;
    std::ostream& summary = SummaryStream(output, out, err);
    summary << Said(
        MessageKind::CliFillWrote,
        {std::to_string(table.ChannelCount()), output, std::to_string(added),
         table.CellText(inputChannels + 1, Number), table.CellText(table.ChannelCount(), Number)});
    if (!inputProblems.empty()) {
        summary << "; "
                << Said(MessageKind::CliInputLinesReported, {std::to_string(inputProblems.size())});
    }
    summary << "\n";
    return kExitOk;
}

}  // namespace corvalen

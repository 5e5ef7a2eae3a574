#include <optional>
#include <string>
#include <vector>

#include "channel/CellChecks.h"
#include "cli/Converter.h"
#include "cli/Help.h"
#include "cli/Reports.h"
#include "files/ChannelDiff.h"

namespace corvalen {

namespace {

// Where a row of a file read lies: "line N" for a text file, else "row N".
std::string RowPlace(const ChannelFileRead& read, int row) {
    const std::vector<int>& lines = read.report.origins.lines;
    if (row >= 1 && static_cast<std::size_t>(row) <= lines.size()) {
        return Said(MessageKind::PlaceLine,
                    {std::to_string(lines[static_cast<std::size_t>(row - 1)])});
    }
    return Said(MessageKind::PlaceRow, {std::to_string(row)});
}

// "compared Frequency, Mode, ...": the fields compared, the five reserved ones named once.
std::string ComparedLine(ColumnSet columns) {
    std::string list;
    for (int column = Number + 1; column < kImportedColumnCount; ++column) {
        if (columns.Has(column) && !(column > Reserved4 && column <= Reserved8)) {
            list.append(list.empty() ? "" : "\n")
                .append(kCsvHeaderNames[static_cast<std::size_t>(column)]);
        }
    }
    return list.empty() ? Said(MessageKind::CliDiffComparedNone)
                        : Said(MessageKind::CliDiffCompared, {list});
}

}  // namespace

int RunDiff(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    if (AsksForHelp(args)) {
        out << kDiffHelp;
        return kExitOk;
    }
    FileCheckOptions options;
    if (const std::optional<int> wrong = ReadFileCheckOptions("diff", args, options, err)) {
        return *wrong;
    }
    const auto& [model, numbering, all, files, to] = options;
    if (files.size() != 2) {
        return UsageError(err, Said(MessageKind::CliNeeds, {"diff", "two files"}));
    }
    for (const std::string& path : files) {
        if (const std::optional<std::string> problem = ModelProblem(path, model)) {
            return UsageError(err, *problem);
        }
    }

    const ReceiverModel readModel = model.value_or(kDefaultModel);
    std::vector<ChannelFileRead> reads;
    for (const std::string& path : files) {
        std::optional<ChannelFileRead> read = ReadReported(path, readModel, numbering, all, err);
        if (!read) {
            return kExitUsageError;
        }
        reads.push_back(std::move(*read));
    }

    const auto held = [&](const ChannelFileRead& read) {
        return read.report.format != nullptr ? read.report.format->HeldColumns(readModel)
                                             : ColumnSet::All();
    };
    const ColumnSet compared = held(reads[0]) & held(reads[1]);
    const ChannelDiff diff = DiffChannels(reads[0].table, reads[1].table, compared, readModel);

    for (const RepeatedChannel& repeat : diff.repeats) {
        const ChannelFileRead& read = reads[static_cast<std::size_t>(repeat.side)];
        err << "corvalen-cli: "
            << Said(MessageKind::CliDiffRepeated,
                    {files[static_cast<std::size_t>(repeat.side)], std::to_string(repeat.channel),
                     RowPlace(read, repeat.row), RowPlace(read, repeat.keptRow)})
            << "\n";
    }
    for (const UnnumberedRow& row : diff.unnumbered) {
        const ChannelFileRead& read = reads[static_cast<std::size_t>(row.side)];
        err << "corvalen-cli: "
            << Said(MessageKind::CliDiffUnnumbered,
                    {files[static_cast<std::size_t>(row.side)], RowPlace(read, row.row),
                     QuotedCell(read.table.CellText(row.row, Number))})
            << "\n";
    }

    for (const std::string& line : ChangeLines(diff, reads[0].table, reads[1].table,
                                               CatalogueTexts(LanguageFromEnvironment()))) {
        out << line << "\n";
    }

    if (!diff.Same()) {
        const MessageValues counts = {files[0],
                                      files[1],
                                      std::to_string(diff.Count(ChannelChange::Kind::Added)),
                                      std::to_string(diff.Count(ChannelChange::Kind::Removed)),
                                      std::to_string(diff.Count(ChannelChange::Kind::Changed)),
                                      std::to_string(diff.unnumbered.size())};
        err << Said(diff.unnumbered.empty() ? MessageKind::CliDiffDiffer
                                            : MessageKind::CliDiffDifferUnnumbered,
                    counts)
            << "\n"
            << ComparedLine(diff.compared) << "\n";
    }
    return diff.Same() ? kExitDiffSame : kExitDiffDifferent;
}

}  // namespace corvalen

#include "cli/Reports.h"

#include <algorithm>

#include "cli/Converter.h"

namespace corvalen {

std::string Said(MessageKind kind, const MessageValues& values) {
    return FormatMessage(kind, values, LanguageFromEnvironment());
}

std::string Said(const Error& error) {
    return ErrorSentence(error, LanguageFromEnvironment());
}

std::ostream& operator<<(std::ostream& out, const Error& error) {
    return out << Said(error);
}

void WriteReport(const std::vector<Diagnostic>& diagnostics, const ProblemPlaces& englishPlaces,
                 bool all, std::ostream& out) {
    const Language language = LanguageFromEnvironment();
    const ProblemPlaces places = englishPlaces.In(CatalogueTexts(language));
    if (!all) {
        for (const std::string& line : GroupedReport(diagnostics, places)) {
            out << line << "\n";
        }
        return;
    }
    // Written in pieces of about 64 KiB: stderr is unbuffered, and a large file can report tens
    // of thousands of lines.
    constexpr std::size_t kPiece = std::size_t{64} << 10;
    std::string lines;
    lines.reserve(kPiece + 4096);
    for (const Diagnostic& d : diagnostics) {
        if (language == Language::English) {
            AppendDiagnosticLine(d, lines);
        } else {
            lines.append(DiagnosticLine(d, language));
        }
        lines.push_back('\n');
        if (lines.size() >= kPiece) {
            out << lines;
            lines.clear();
        }
    }
    out << lines;
}

std::optional<ChannelFileRead> ReadReported(const std::string& path, ReceiverModel model,
                                            std::optional<ChirpNumbering> numbering, bool all,
                                            std::ostream& err) {
    Result<ChannelFileRead> read = ReadChannelFile(path, {model, {}});
    if (!read) {
        return Fail(err, std::nullopt, read.error());
    }
    ApplyChirpNumbering(*read, numbering.value_or(ChirpNumbering::Shift));
    WriteReport(read->report.diagnostics, ProblemPlaces(&read->table, &read->report.origins), all,
                err);
    return std::move(*read);
}

bool AsksForHelp(std::span<const std::string_view> args) {
    return std::ranges::any_of(args,
                               [](std::string_view arg) { return arg == "--help" || arg == "-h"; });
}

int UsageError(std::ostream& err, std::string_view why) {
    // A reason written as an error line of its own gives its text alone.
    if (why.starts_with("corvalen-cli: ")) {
        why.remove_prefix(14);
    }
    why = why.substr(0, why.find_last_not_of('\n') + 1);
    err << "corvalen-cli: " << Said(MessageKind::CliSeeHelp, {why}) << "\n";
    return kExitUsageError;
}

std::optional<std::string_view> OptionValue(std::span<const std::string_view> args, std::size_t& i,
                                            std::string_view& name) {
    name = args[i];
    if (const std::size_t equals = name.find('='); equals != std::string_view::npos) {
        const std::string_view value = name.substr(equals + 1);
        name = name.substr(0, equals);
        return value;
    }
    if (i + 1 < args.size()) {
        return args[++i];
    }
    return std::nullopt;
}

}  // namespace corvalen

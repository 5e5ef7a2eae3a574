#include "cli/Reports.h"

#include "cli/Converter.h"
#include "io/LineTranslation.h"

namespace corvalen {

Language LanguageOf(const std::ostream& out) {
    const auto* buffer = dynamic_cast<const LocalizingBuffer*>(out.rdbuf());
    return buffer != nullptr ? buffer->language() : Language::English;
}

std::ostream& DirectStream(std::ostream& out) {
    auto* buffer = dynamic_cast<LocalizingBuffer*>(out.rdbuf());
    if (buffer == nullptr) {
        return out;
    }
    out.flush();
    return buffer->target();
}

void WriteReport(const std::vector<Diagnostic>& diagnostics, const ProblemPlaces& englishPlaces,
                 bool all, std::ostream& localOut) {
    const Language language = LanguageOf(localOut);
    std::ostream& out = DirectStream(localOut);
    const ProblemPlaces places = englishPlaces.In(CatalogueTexts(language));
    if (!all) {
        for (const std::string& line : GroupedReport(diagnostics, places)) {
            out << line << "\n";
        }
        return;
    }
    // Written in pieces of about 64 KiB: stderr is unbuffered, and a large file can report tens
    // of thousands of lines, each of which would otherwise cost two writes of its own, while one
    // string of them all would be megabytes of fresh memory.
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

int UsageError(std::ostream& err, std::string_view why) {
    // A reason written as an error line of its own gives its text alone.
    if (why.starts_with("corvalen-cli: ")) {
        why.remove_prefix(14);
    }
    while (!why.empty() && why.back() == '\n') {
        why.remove_suffix(1);
    }
    err << "corvalen-cli: " << why << "; see corvalen-cli --help\n";
    return kExitUsageError;
}

LocalizingBuffer::int_type LocalizingBuffer::overflow(int_type c) {
    if (c != traits_type::eof()) {
        m_pending.push_back(static_cast<char>(c));
        if (c == '\n') {
            Flush(true);
        }
    }
    return c;
}

std::streamsize LocalizingBuffer::xsputn(const char* text, std::streamsize count) {
    m_pending.append(text, static_cast<std::size_t>(count));
    Flush(true);
    return count;
}

int LocalizingBuffer::sync() {
    Flush(false);
    m_target.flush();
    return 0;
}

void LocalizingBuffer::Flush(bool wholeLinesOnly) {
    std::size_t start = 0;
    for (std::size_t end = m_pending.find('\n'); end != std::string::npos;
         end = m_pending.find('\n', start)) {
        m_target << TranslatedLine(std::string_view(m_pending).substr(start, end - start),
                                   m_language)
                 << '\n';
        start = end + 1;
    }
    m_pending.erase(0, start);
    if (!wholeLinesOnly && !m_pending.empty()) {
        m_target << TranslatedLine(m_pending, m_language);
        m_pending.clear();
    }
}

}  // namespace corvalen

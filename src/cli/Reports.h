#pragma once

#include <ostream>
#include <span>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

#include "channel/ProblemGroups.h"
#include "io/Diagnostic.h"
#include "io/Messages.h"

// How the converter's commands write their reports and usage errors.

namespace corvalen {

// Writes `diagnostics` on `out`: grouped by kind, one line per kind (GroupedReport), or with
// `all` one "row N: message" line each, in their order; in the language of `out` (the places
// named as `places` names them).
void WriteReport(const std::vector<Diagnostic>& diagnostics, const ProblemPlaces& places, bool all,
                 std::ostream& out);

// The language lines written on `out` are said in: that of a LocalizingBuffer under it, else
// English.
Language LanguageOf(const std::ostream& out);
// Where lines already in that language go: the stream under `out`'s LocalizingBuffer (what was
// written on `out` before passed on first), or `out` itself.
std::ostream& DirectStream(std::ostream& out);

// A usage error: "corvalen-cli: <why>; see corvalen-cli --help", one line on `err` (`why` may be
// a line "corvalen-cli: <why>" of its own). Returns the exit status of wrong arguments.
int UsageError(std::ostream& err, std::string_view why);

// Passes what is written to it on to another stream line by line, each line in `language`
// (TranslatedLine): the converter's summaries and the refusals of the core, which are English
// sentences. Reports of problems are written in the language at once (DirectStream).
class LocalizingBuffer : public std::streambuf {
public:
    LocalizingBuffer(std::ostream& target, Language language)
        : m_target(target), m_language(language) {}
    ~LocalizingBuffer() override { sync(); }

    std::ostream& target() { return m_target; }
    Language language() const { return m_language; }

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

private:
    void Flush(bool wholeLinesOnly);

    std::ostream& m_target;
    Language m_language;
    std::string m_pending;
};

}  // namespace corvalen

#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "io/Diagnostic.h"
#include "io/Messages.h"
#include "table/MemoryTable.h"

// Reports grouped by kind: a list of 626 channels whose names are all too long gives one line,
// "612 channels: Callsign ... is longer than 12 characters; ... (line 2, Location 0; ...)",
// not 612. The Problems panel, the status line, `corvalen-cli check` and the converter's
// reports group this way; `--all` (and the panel, on expanding a group) lists every one.

namespace corvalen {

// Problems of one kind: the same message kind, the same place kind, the same column, and the
// same value where the kind groups by one (one group per unknown mode).
struct ProblemGroup {
    std::vector<std::size_t> members;  // indexes into the problems, in their order
    bool notice = false;               // notices and errors never share a group
};

// The groups of `problems`, in the order of each group's first member.
std::vector<ProblemGroup> GroupProblems(const std::vector<Diagnostic>& problems);

// Names the place of a problem as the user knows it: the file's line and the channel as the file
// gives it ("line 12, Location 0", "line 5, Number 4"), or the table's row and its Number where
// the rows came from no file ("row 5, Number 4"), or a memory file's record.
class ProblemPlaces {
public:
    // `table` gives the Number of each row (may be null); `origins` the line of each row and a
    // CHIRP file's Locations (may be null or empty).
    ProblemPlaces(const MemoryTable* table, const RowOrigins* origins,
                  Language language = Language::English);

    std::string Name(const Diagnostic& problem) const;
    // What a line that already names the problem's row, line or record adds: the file's line of
    // a row, and the channel ("line 3, Number 2", "Location 0"); empty when nothing.
    std::string Addition(const Diagnostic& problem) const;

private:
    // The row starting on `line`, 0 for none.
    int RowOnLine(int line) const;
    std::string ChannelOf(int row) const;

    const MemoryTable* m_table;
    const RowOrigins* m_origins;
    Language m_language;
};

// How a group of one problem is said: as a report line ("row 7: <message>") or as a line of the
// Problems panel ("row 7, Column: <reason>"), the same as every line of --all, with the file's
// line and the channel added in brackets.
enum class LineForm { Report, Panel };

// One line for a group: the line of its one problem (see LineForm), or for more "<n> channels:
// <the first message> (<place>; <place>; <place>; and <n - 3> more)", naming at most `shown`
// places. In `language`.
std::string GroupLine(const ProblemGroup& group, const std::vector<Diagnostic>& problems,
                      const ProblemPlaces& places, Language language,
                      LineForm form = LineForm::Report, std::size_t shown = 3);

// The lines of a report grouped: one per group, at most `mostGroups`, then one saying how many
// more problems of other kinds there are and that --all lists every one.
std::vector<std::string> GroupedReport(const std::vector<Diagnostic>& problems,
                                       const ProblemPlaces& places, Language language,
                                       LineForm form = LineForm::Report,
                                       std::size_t mostGroups = 10);

}  // namespace corvalen

#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "io/Diagnostic.h"
#include "io/Messages.h"
#include "table/MemoryTable.h"

// Reports grouped by kind: 612 channels whose names are all too long give one line, "612
// channels: Callsign longer than 12 characters, cut to 12: row 1 (line 2, Location 0): ...",
// not 612. A group's heading says only what its members share; each member is named with its
// own values. `--all` (and the panel, on expanding a group) lists every one.

namespace corvalen {

// Problems of one kind: the same message kind, the same place kind, the same column, and the
// same values where the kind groups by some (one group per unknown mode, per length limit).
struct ProblemGroup {
    std::vector<std::size_t> members;  // indexes into the problems, in their order
    bool notice = false;               // notices and errors never share a group
};

// The groups of `problems`, in the order of each group's first member.
std::vector<ProblemGroup> GroupProblems(const std::vector<Diagnostic>& problems);

// Names the place of a problem as the user knows it, in `texts`: the table's row, the file's line
// and the channel ("row 5 (line 6, Number 4)", "line 12 (Location 0)"), or a memory file's record.
class ProblemPlaces {
public:
    // `table` gives the Number of each row (may be null); `origins` the line of each row and a
    // CHIRP file's Locations (may be null or empty).
    ProblemPlaces(const MemoryTable* table, const RowOrigins* origins,
                  const MessageTexts& texts = CatalogueTexts(Language::English));

    const MessageTexts& texts() const { return m_texts; }
    // The same places named in other texts.
    ProblemPlaces In(const MessageTexts& texts) const { return {m_table, m_origins, texts}; }

    // "row 5", "line 12", "record 3", with the Addition in brackets.
    std::string Name(const Diagnostic& problem) const;
    // What a line that already names the problem's row, line or record adds: the file's line of
    // a row, and the channel ("line 3, Number 2", "Location 0"); empty when nothing.
    std::string Addition(const Diagnostic& problem) const;
    // "row 5", "line 12" or "record 3" alone.
    std::string Place(const Diagnostic& problem) const;

private:
    // The file's line of table row `row`, 0 for none.
    int LineOfRow(int row) const;
    std::string ChannelOf(int row) const;

    const MemoryTable* m_table;
    const RowOrigins* m_origins;
    const MessageTexts& m_texts;
};

// How a group of one problem is said, with the file's line and the channel added in brackets: as
// a report line ("row 7: <message>") or as a line of the Problems panel ("row 7, Column: ...").
enum class LineForm { Report, Panel };

// One line for a group: the line of its one problem (see LineForm), or for more "<n> channels:
// <heading>: <place>: <detail>; ...; and <n - 3> more", naming at most `shown` members.
std::string GroupLine(const ProblemGroup& group, const std::vector<Diagnostic>& problems,
                      const ProblemPlaces& places, LineForm form = LineForm::Report,
                      std::size_t shown = 3);

// The lines of a report grouped: one per group, at most `mostGroups`, then one saying how many
// more problems of other kinds there are and that --all lists every one.
std::vector<std::string> GroupedReport(const std::vector<Diagnostic>& problems,
                                       const ProblemPlaces& places,
                                       LineForm form = LineForm::Report,
                                       std::size_t mostGroups = 10);

// A report's lines for rows appended to a table that had `rowsBefore` rows: each problem of a
// row of the file names the table row, and each of a line that holds a row names that row (its
// line beside it, see ProblemPlaces). `origins` gets the first row.
void PlaceAppendedRows(std::vector<Diagnostic>& problems, RowOrigins& origins, int rowsBefore);

}  // namespace corvalen

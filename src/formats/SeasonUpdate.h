#pragma once

#include <string>
#include <utility>
#include <vector>

#include "table/MemoryTable.h"

// Updating the channels a schedule import made with a new season's schedule, leaving the
// user's own channels alone (the editor's season update and `schedule --update`).

namespace corvalen {

// What updating a table's schedule channels with a new season does. A row is the schedule's
// when ReadScheduleSummary accepts its Comments; every other row is left exactly as it is. A
// schedule row whose (Frequency, Callsign) is a channel of `season` is kept, its Comments
// "updated" to the season's when they differ; the other schedule rows are removed. Pairs of
// `season` that no row has are added, numbered on from the highest whole Number in the table.
// Callsign and Comments also match as a memory file cuts them (12 and 31 characters).
struct SeasonUpdate {
    std::vector<int> kept;                             // table rows, from 1, ascending
    std::vector<std::pair<int, std::string>> updated;  // row and its new Comments, ascending
    std::vector<int> removed;                          // table rows, ascending
    MemoryTable added = MemoryTable::ImportLayout();   // the new channels, numbered
};

// `season`: ScheduleChannels of the new schedule's selection (its Number column ignored).
SeasonUpdate PlanSeasonUpdate(const MemoryTable& table, const MemoryTable& season);

// The table after the update: updated Comments set, removed rows gone, added rows at the end
// (a table of fewer columns grows to the import's 19); every other row and cell unchanged.
MemoryTable ApplySeasonUpdate(const MemoryTable& table, const SeasonUpdate& update);

}  // namespace corvalen

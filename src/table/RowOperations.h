#pragma once

#include <string>
#include <vector>

#include "table/MemoryTable.h"

namespace corvalen {

// The text the row commands write into the Number column: a blank, then the decimal digits
// (" 12" for row 12). The blank stands where a minus sign would; the writers read past it.
std::string RowNumberText(int row);

// "Add Row": a new last row numbered with its own index. Returns the new row's index.
int AddRow(MemoryTable& table);

// "Insert Row": a new row directly below `selectionEndRow` (at the end when that is no channel
// row), numbered RowCount() as it was before; nothing is renumbered. Returns its index.
int InsertRow(MemoryTable& table, int selectionEndRow);

// The row "Insert Row" would create, without changing the table.
int InsertPosition(const MemoryTable& table, int selectionEndRow);

// A run of table rows, first..last inclusive.
struct RowRange {
    int first = 0;
    int last = -1;
    bool operator==(const RowRange&) const = default;
};

// The selected rows (table rows, in any order, repeats allowed) as ascending runs that neither
// overlap nor touch.
std::vector<RowRange> RowRanges(std::vector<int> rows);

// Told before and after each range "Delete Row(s)" removes, so that a view can follow.
class RowRemovalListener {
public:
    virtual ~RowRemovalListener() = default;
    virtual void RowsRemoving(int first, int last) = 0;
    virtual void RowsRemoved() = 0;
};

// What "Delete Row(s)" took out, enough to put the table back as it was.
struct DeletedRows {
    std::vector<MemoryTable> blocks;   // the rows of each range, in range order
    std::vector<std::string> numbers;  // the Number column of the remaining rows before renumbering
};

// "Delete Row(s)": removes every row of `ranges` (ascending, not overlapping, clipped to the
// channel rows), from the bottom range up so the others keep their places, then renumbers every
// remaining row. With no channel rows, or no ranges, nothing changes.
DeletedRows DeleteRows(MemoryTable& table, const std::vector<RowRange>& ranges,
                       RowRemovalListener* listener = nullptr);

// "Re-Index": every channel row r gets RowNumberText(r) in the Number column.
void ReIndex(MemoryTable& table);

// "Append Channels from File": the channel rows of `channels` go after the last row of `table`
// as they are; nothing is renumbered. A table narrower than `channels` first gets the captioned
// columns of an import, so no cell of the file is lost.
void AppendChannels(MemoryTable& table, const MemoryTable& channels);

}  // namespace corvalen

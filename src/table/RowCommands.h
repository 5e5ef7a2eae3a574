#pragma once

#include <string>

#include "table/MemoryTable.h"

namespace corvalen {

// The text the row commands write into the Number column: a blank, then the decimal digits
// (" 12" for row 12). The blank stands where a minus sign would; the writers read past it.
std::string RowNumberText(int row);

// "Add Row": a new last row numbered with its own index. Returns the new row's index.
int AddRow(MemoryTable& table);

// "Insert Row": a new row directly below `selectionEndRow`, numbered RowCount() as it was
// before the insertion; nothing else is renumbered. A `selectionEndRow` outside the channel
// rows (no selection, or no channel rows at all) inserts at the end. Returns the new row's index.
int InsertRow(MemoryTable& table, int selectionEndRow);

// The row "Insert Row" would create, without changing the table.
int InsertPosition(const MemoryTable& table, int selectionEndRow);

// "Delete Row(s)": removes the channel rows between `anchorRow` and `selectionEndRow`, whichever
// of the two is larger, then renumbers. Rows outside 1..RowCount()-1 are clipped; a table with
// no channel rows is left alone.
void DeleteRows(MemoryTable& table, int anchorRow, int selectionEndRow);

// "Re-Index": every channel row r gets RowNumberText(r) in the Number column.
void ReIndex(MemoryTable& table);

}  // namespace corvalen

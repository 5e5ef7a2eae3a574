#pragma once

#include "channel/CellChecks.h"
#include "g3m/MemoryFile.h"
#include "table/MemoryTable.h"

namespace corvalen {

// Places the record of every channel row of `table` (rows 1 and up) into `image`, as a save
// does with the rows a reader hands over (see RecordPlacer).
inline MemoryFileSaveReport PlaceRecords(const MemoryTable& table, ReceiverModel model,
                                         ByteBuffer& image) {
    RecordPlacer placer(model, image, static_cast<std::size_t>(table.RowCount()));
    for (int row = 1; row < table.RowCount(); ++row) {
        const RowTexts cells = RowTextsOf(table, row);
        placer.Place(PresentCells(table, cells));
    }
    return placer.Finish();
}

}  // namespace corvalen

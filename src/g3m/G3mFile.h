#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "io/Diagnostic.h"
#include "io/Result.h"
#include "table/MemoryTable.h"

namespace corvalen {

struct G3mSaveReport {
    int recordsWritten = 0;            // records placed, a repeated channel counted each time
    int rowsNotWritten = 0;            // rows without a usable channel number (empty rows aside)
    int rowsSkipped = 0;               // rows whose cells are all empty: no channel, no word
    int recordsKept = 0;               // records already in the file (not empty places) that no
                                       // row replaced, so they stay as they were
    std::vector<Diagnostic> problems;  // problems and notices (CheckCells), in row order
};

// Places the record of every channel row of `table` (rows 1 and up, in row order, so a later
// row with the same channel number wins, and the rows it replaces are reported) into `image`, the
// bytes of a .g3m file. The image grows with zero bytes where a record reaches past its end and
// never shrinks; bytes no record covers keep their content, and the whole records among them that
// are not empty places are counted as kept.
G3mSaveReport PlaceRecords(const MemoryTable& table, std::string_view model, std::string& image);

// Updates the .g3m file at `path` (created when missing) with the table's records: reads the old
// file, places the records, and replaces the file atomically. An existing file that cannot be
// read, or a file that cannot be written, is an Error naming the path; it leaves the file as it
// was. Row problems do not stop the save: they come back in the report.
Result<G3mSaveReport> SaveG3mFile(const std::string& path, const MemoryTable& table,
                                  std::string_view model);

}  // namespace corvalen

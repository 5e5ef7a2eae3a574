#pragma once

#include <string>
#include <vector>

#include "io/Diagnostic.h"
#include "table/MemoryTable.h"

namespace corvalen {

struct CsvText {
    std::string bytes;                    // the whole file, Windows-1252, CR LF line ends
    std::vector<Diagnostic> diagnostics;  // place Row: cells whose characters became "?", and
                                          // channels whose empty Bandwidth loses them on reading
    int rowsSkipped = 0;                  // rows whose cells are all empty, not written
};

// Builds the CSV memory file for `table`. With `importForm` (the table has the columns of an
// import) it is the header line plus 19 fields per channel row, empty Hotkey, Lockout and
// Priority cells written as "0"; without, 10 fields per row and no header. Every field is
// quoted, quotes inside doubled; the Number field loses surrounding spaces; the file ends with
// one extra CR LF. A row whose cells are all empty is no channel and is left out (counted in
// rowsSkipped); a channel row with an empty Bandwidth is written and reported, since reading the
// file skips it.
CsvText BuildCsvText(const MemoryTable& table, bool importForm);

}  // namespace corvalen

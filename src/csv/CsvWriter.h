#pragma once

#include <string>
#include <vector>

#include "io/Diagnostic.h"
#include "table/MemoryTable.h"

namespace corvalen {

struct CsvText {
    std::string bytes;                    // the whole file, Windows-1252, CR LF line ends
    std::vector<Diagnostic> diagnostics;  // place Row
    int rowsSkipped = 0;                  // rows whose cells are all empty, not written
};

// Builds the CSV memory file for `table`. With `importForm` it is the header line plus 19 fields
// per channel row, empty Hotkey, Lockout and Priority cells written as "0"; without, 10 fields
// per row and no header. Every field is quoted; the file ends with one extra CR LF. Rows whose
// cells are all empty are left out; characters Windows-1252 lacks become "?", and a channel row
// with an empty Bandwidth, which reading the file skips, is written: both are reported.
CsvText BuildCsvText(const MemoryTable& table, bool importForm);

}  // namespace corvalen

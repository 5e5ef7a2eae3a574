#pragma once

namespace corvalen {

// A row whose record a later row with the same channel number replaced in a memory file.
struct ReplacedRow {
    int row = 0;  // the row replaced
    int by = 0;   // the last row with its channel number, whose record the file holds
    int channel = 0;

    bool operator==(const ReplacedRow&) const = default;
};

}  // namespace corvalen

#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "channel/ReceiverModel.h"
#include "io/Diagnostic.h"
#include "table/MemoryTable.h"

namespace corvalen {

struct MemoryFileReadReport {
    MemoryTable table = MemoryTable::ImportLayout();  // 19 captioned columns, one row per channel
    int recordsRead = 0;               // whole records in the file, empty places included
    std::vector<Diagnostic> problems;  // place Record, in file order
    int placesUsed = 0;                // records that are not empty places
    int badChecksums = 0;              // records whose checksum word does not match them (no row)
    int incompleteBytes = 0;           // bytes after the last whole record (not read)
};

// Turns the bytes of a memory file for `model` (84-byte records for "303", 100 for "305" and
// "315" in .15m files, 92 for any other text) into table rows, one per record in file order; a
// record whose bytes are all zero is an empty place and gives no row. The cells are plain decimal
// text ("0" for zero) for Number, Frequency, Hotkey and Lockout; Groups as ascending "+"-joined
// group numbers 1 to 16 ("" for none); Level Squelch as a signed number, empty for the word the
// writer stores for an empty cell; Mode as its name, or the code's number when no mode has it;
// Callsign and Comments up to their first zero byte, from Windows-1252; IF Shift and Bandwidth as
// signed numbers for "313", "305" and "315" and "0" for other models; the secondary squelch type
// and value as signed numbers for "305" and "315". The columns no record field feeds stay empty.
//
// A record whose checksum does not match gives no row, only its problem. Every other record is
// still read when something about it is wrong; the report says what: a channel number that
// differs from the record's place, an unknown mode code, bytes no column keeps (which a later
// save would write as zeros), and an incomplete last record, which is not read.
MemoryFileReadReport DecodeMemoryFileImage(std::string_view image, ReceiverModel model);

struct MemoryFileVerifyReport {
    int recordsChecked = 0;            // whole records in the file, empty places included
    int badChecksums = 0;              // records whose checksum word does not match them
    int incompleteBytes = 0;           // bytes after the last whole record
    std::vector<Diagnostic> problems;  // place Record: each bad checksum, then an incomplete end
    bool ok() const { return badChecksums == 0 && incompleteBytes == 0; }
};

// Checks the checksum of every whole record of a .g3m memory file for `model`, with the same
// messages DecodeMemoryFileImage gives, and whether the file ends inside a record. An empty place
// (all zero bytes) verifies.
MemoryFileVerifyReport VerifyMemoryFileImage(std::string_view image, ReceiverModel model);

}  // namespace corvalen

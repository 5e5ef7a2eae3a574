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

// Turns the bytes of a memory file for `model` into table rows, one per record in file order; a
// record whose bytes are all zero is an empty place and gives no row. Numbers become decimal
// text, Groups ascending "+"-joined group numbers, Level Squelch empty for the word the writer
// stores for an empty cell, Mode its name (or the code's number when no mode has it), texts the
// UTF-8 of their Windows-1252 bytes up to the first zero; fields the model lacks give "0" for IF
// Shift and Bandwidth and empty cells for the rest.
//
// A record whose checksum does not match gives no row, only its problem. Every other record is
// read even when something about it is wrong, and the report says what: a channel number that
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

// Checks the checksum of every whole record of a memory file for `model`, and whether the file
// ends inside a record, with the messages DecodeMemoryFileImage gives.
MemoryFileVerifyReport VerifyMemoryFileImage(std::string_view image, ReceiverModel model);

}  // namespace corvalen

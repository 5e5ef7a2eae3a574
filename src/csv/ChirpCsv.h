#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "channel/ChannelFields.h"
#include "csv/CsvReader.h"
#include "io/Diagnostic.h"
#include "table/MemoryTable.h"

// CHIRP's generic CSV files, the form most channel lists are exchanged in: UTF-8, a header line
// naming the columns (Location, Name, Frequency in MHz, Mode, Skip, Comment and the transmit
// settings of a transceiver), one channel per line.

namespace corvalen {

// True when the bytes start like a CHIRP file: after an optional UTF-8 byte-order mark and any
// lines starting with "#", the first line starts with Location, quoted or not.
bool LooksLikeChirpCsv(std::string_view fileBytes);

// Reads a CHIRP file into an import-layout table, matching its columns by header name in any
// order. Per line: Number = Location; Frequency = the MHz value in whole Hz, exactly; Callsign =
// Name; Comments = Comment; Mode mapped to the receiver's (ChirpModes), else kept and reported;
// Skip "S" sets Lockout to 1 and "P" Priority to 1; Bandwidth the default of the mode. What
// cannot be read is kept as it is and reported; the columns a receiver memory has no place for
// are reported once, when some line holds anything but CHIRP's default there. Blank lines are
// skipped and reported once. A Location of 0 marks the import (holdsLocationZero):
// ApplyChirpNumbering decides what becomes of it. Diagnostics have place Line.
CsvImport ReadChirpCsv(std::string_view fileBytes);

// How the channels of a CHIRP file are numbered. CHIRP counts its memories from Location 0, the
// receiver its channels from 1.
enum class ChirpNumbering {
    Keep,        // Number = Location; a channel at Location 0 is left out
    Shift,       // Number = Location + 1
    Sequential,  // Number = 1 to n in file order
};
// Renumbers the channels of a CHIRP import and says so in one line of its diagnostics (Keep says
// only what it left out). Keep and Shift change nothing of a file without Location 0.
void ApplyChirpNumbering(CsvImport& import, ChirpNumbering numbering);
// The numbering `keep`, `shift` or `sequential` names; nullopt for any other text.
std::optional<ChirpNumbering> ChirpNumberingNamed(std::string_view name);

// CHIRP's modes and the receiver's (ReceiverModeOf, ListModeOf): a mode CHIRP lacks is written
// as the nearest, and an empty Mode or one that is no mode as CW, the mode a memory file gets.
const ListModes& ChirpModes();

// Builds a CHIRP file (21 columns, UTF-8, CR LF line ends, fields quoted only where they must
// be) from the table's channel rows, in row order, the reader's mapping reversed (Skip "S" when
// Lockout's bit 0 is set, else "P" when Priority is set) and the transmit columns as CHIRP
// writes them for a plain receive channel. Rows without a channel number are left out; receiver
// values a CHIRP file has no place for are reported once per column.
struct ChirpText {
    std::string bytes;
    std::vector<Diagnostic> diagnostics;  // place Row, in row then column order
    int channelsWritten = 0;
    int rowsNotWritten = 0;  // rows without a channel number
};
ChirpText BuildChirpCsvText(const MemoryTable& table);

}  // namespace corvalen

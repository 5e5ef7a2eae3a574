#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "csv/ChirpCsv.h"
#include "g3m/G3mFile.h"
#include "io/Diagnostic.h"
#include "io/Result.h"
#include "table/MemoryTable.h"

// One way in for every file of channels the program reads, so the editor's opens and the
// converter recognise the same files the same way.

namespace corvalen {

enum class MemoryFileKind {
    ReceiverCsv,   // the receiver software's CSV memory file (Windows-1252)
    ChirpCsv,      // CHIRP's generic CSV file (UTF-8)
    Records,       // a binary memory file: .g3m (G313, G303) or .15m (G305, G315)
    SdrSharpList,  // SDR#'s frequencies.xml
    SdrppList,     // SDR++'s frequency manager JSON
};

// True for a path ending in .g3m or .15m, any case: a binary memory file.
bool IsRecordFilePath(std::string_view path);
// True for a path ending in .csv, any case.
bool IsCsvFilePath(std::string_view path);
// True for a path ending in .15m, any case: the memory file of the "305" and "315".
bool Is15mPath(std::string_view path);
// True when a memory file of that name holds the records of `model`: a .15m file those of the
// "305" and "315", a .g3m file those of the other models.
bool RecordFileFitsModel(std::string_view path, ReceiverModel model);

// What a file holds: a binary memory file by its name (.g3m, .15m), else an SDR# or SDR++
// bookmark list or a CHIRP file when its first bytes say so, else a receiver CSV memory file.
MemoryFileKind KindOfMemoryFile(std::string_view path, std::string_view firstBytes);

struct MemoryFileRead {
    MemoryFileKind kind = MemoryFileKind::ReceiverCsv;
    MemoryTable table = MemoryTable::ImportLayout();  // 19 captioned columns, one row per channel
    int recordsRead = 0;  // lines after the header, or whole records of a memory file
    // Place Line for the CSV files, Record for memory files, in file order.
    std::vector<Diagnostic> diagnostics;
    int badChecksums = 0;  // memory files: records whose checksum does not match
    int incompleteBytes = 0;  // memory files: bytes after the last whole record
    RowOrigins origins;    // CSV files: the line of each row, and a CHIRP file's Locations
    bool holdsLocationZero = false;  // a CHIRP file with a channel at Location 0
    // Bookmark lists: the list and group names by receiver group ([0] is group 1), so a list
    // written from the table names its groups as they came.
    std::vector<std::string> groupNames;
};

// Numbers the channels of a CHIRP file read (see ApplyChirpNumbering in ChirpCsv.h); other
// files stay as they are.
void ApplyChirpNumbering(MemoryFileRead& read, ChirpNumbering numbering);

// Reads the file at `path` as whatever KindOfMemoryFile finds it to be; a memory file is read
// with the records of `model`. The error says which file and why it could not be read. Group
// names of a bookmark list take receiver groups after `knownGroups` (see BookmarksToTable).
Result<MemoryFileRead> ReadMemoryFile(const std::string& path, ReceiverModel model,
                                      const std::vector<std::string>& knownGroups = {});
// Reads the file at `path` as text, whatever its name: an SDR# or SDR++ bookmark list or a
// CHIRP file when its first bytes say so, else a receiver CSV memory file. An EiBi broadcast
// schedule is refused with a word on how to import it.
Result<MemoryFileRead> ReadCsvFile(const std::string& path,
                                   const std::vector<std::string>& knownGroups = {});

// The same for the bytes of a file already read (ReadCsvText), named `path` in messages.
Result<MemoryFileRead> ReadCsvBytes(const std::string& path, std::string_view bytes,
                                    const std::vector<std::string>& knownGroups = {});

struct StreamedConversion {
    int recordsRead = 0;                      // lines after the header
    std::vector<Diagnostic> lineDiagnostics;  // what reading the CSV file reported, place Line
    RowOrigins origins;                       // the line each row was read from
    // The memory file written, or why it could not be (it is then left as it was).
    Result<G3mSaveReport> saved = Error{};
};

// Writes the channels of the receiver CSV memory file at `csvPath` into the memory file at
// `recordPath` for `model`, each row as soon as it is read, without building a table: the same
// bytes and reports as ReadCsvMemoryFile followed by SaveG3mFile. The error says why the CSV
// file could not be read; a memory file that cannot be written is told in `saved`, after what
// reading the CSV file found.
Result<StreamedConversion> ConvertCsvToRecordFile(const std::string& csvPath,
                                                  const std::string& recordPath,
                                                  ReceiverModel model);
// The same for the bytes of a receiver CSV memory file already read (ReadCsvText).
StreamedConversion ConvertCsvBytesToRecordFile(std::string_view bytes,
                                               const std::string& recordPath,
                                               ReceiverModel model);

}  // namespace corvalen

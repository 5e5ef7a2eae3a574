#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "io/ByteBuffer.h"
#include "io/Diagnostic.h"
#include "io/Result.h"
#include "table/MemoryTable.h"

namespace corvalen {

struct CsvImport {
    MemoryTable table = MemoryTable::ImportLayout();  // 19 captioned columns
    int recordsRead = 0;                  // records after the header, skipped ones included
    std::vector<Diagnostic> diagnostics;  // place Line: lines with a problem, in file order
    RowOrigins origins;                   // the line of each row (and a CHIRP file's Location)
    bool holdsLocationZero = false;       // a CHIRP file with a channel at Location 0
};

// Reads the bytes of a CSV memory file (Windows-1252) into an import-layout table.
//
// One record per line; CR LF, LF and a lone CR all end a line, except inside a quoted field,
// which may run over line ends ("" inside quotes stands for one quote). Spaces before a field are
// skipped. A line with fewer than 19 fields gets empty ones, fields past the 19th are dropped,
// and both are reported. The first line is the header and is skipped unless its first field is a
// whole number. A record whose Bandwidth field is empty adds no row; blank lines are skipped
// without a word, other such lines are reported. A file that is well-formed UTF-8 (a byte-order
// mark, or letters beyond ASCII that make no sense as Windows-1252) is read as UTF-8, which is
// reported on line 1.
//
// `beyondAscii`, when a check of the text has found it (CheckCsvTextBytes): whether its bytes
// after any byte-order mark hold one from 0x80 up, which the reader otherwise looks for in the
// whole text before its first record. The same holds for the readers below.
CsvImport ReadCsvMemory(std::string_view fileBytes, std::optional<bool> beyondAscii = std::nullopt);

// The same walk without a table: hands the 19 cells of each record that ReadCsvMemory would
// make a row of to `take`, in file order (the views are valid only during the call), adds what
// ReadCsvMemory reports to `diagnostics`, and returns the number of records after the header.
// A converter uses this to write each row as it is read. When `rowLines` is given, the line each
// record handed to `take` starts on is added to it.
int ReadCsvRecords(std::string_view fileBytes, std::vector<Diagnostic>& diagnostics,
                   const std::function<void(std::span<const std::string_view> cells)>& take,
                   std::vector<int>* rowLines = nullptr,
                   std::optional<bool> beyondAscii = std::nullopt);

// About as many records as the CSV text has lines (capped at 2^24): room to make at once.
int EstimateCsvRecords(std::string_view fileBytes);

// The largest text file of channels read (64 MiB, some 500,000 lines of a receiver's CSV
// file): a larger one is refused from its size before anything is allocated.
inline constexpr std::size_t kMaxCsvFileBytes = std::size_t{64} << 20;

// The hint a receiver CSV file's NUL byte gets: what such a file most likely is.
inline constexpr std::string_view kNulHint = " (a .g3m memory file, or text saved as UTF-16?)";

// An Error naming `path` and the line when `text` holds a NUL byte (no text file), `hint`
// added; else Done.
Status CheckCsvText(const std::string& path, std::string_view text,
                    std::string_view hint = kNulHint);
// CheckCsvText's verdict and, for a text that passes, whether its bytes after any byte-order
// mark hold one from 0x80 up (what the readers above are told as `beyondAscii`), found in the
// same pass.
struct CsvTextCheck {
    Status status;
    bool beyondAscii = false;
};
CsvTextCheck CheckCsvTextBytes(const std::string& path, std::string_view text,
                               std::string_view hint = kNulHint);

// The bytes of the file at `path`, read once (a pipe or a FIFO as a stream) up to
// kMaxCsvFileBytes, refused when they hold a NUL byte (no text file); the error says which
// file, and which line, and why.
Result<ByteBuffer> ReadCsvText(const std::string& path);

// Reads and parses the file at `path`. The error says which file and why it could not be read;
// a file holding a NUL byte is no text file and is refused, naming the line.
Result<CsvImport> ReadCsvMemoryFile(const std::string& path);

}  // namespace corvalen

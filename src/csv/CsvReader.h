#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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
// One record per line (CsvScanner); spaces before a field are skipped. A line with fewer than 19
// fields gets empty ones, fields past the 19th are dropped, and both are reported. The first
// line is the header and is skipped unless its first field is a whole number. A record whose
// Bandwidth field is empty adds no row, and is reported unless it is blank. A file that is
// well-formed UTF-8 (a byte-order mark, or letters beyond ASCII that make no sense as
// Windows-1252) is read as UTF-8, which is reported on line 1.
CsvImport ReadCsvMemory(std::string_view fileBytes);

// The same walk without a table: hands the 19 cells of each row ReadCsvMemory would make to
// `take` (valid only during the call), adds what it reports to `diagnostics`, adds each row's
// line to `rowLines` when given, and returns the number of records after the header.
int ReadCsvRecords(std::string_view fileBytes, std::vector<Diagnostic>& diagnostics,
                   const std::function<void(std::span<const std::string_view> cells)>& take,
                   std::vector<int>* rowLines = nullptr);

// Room for the records of a CSV text of `bytes` bytes, made at once without a pass over it.
int EstimateCsvRecords(std::size_t bytes);

// What ReadCsvRecords decides from the whole text before it reads a record, found from the text
// a block at a time (ReadFileBlocks): a first read of a file, before CsvRecordFeed reads it.
class CsvTextScan {
public:
    void Add(std::string_view block);
    void Finish();  // after the last block

    bool HoldsNul() const { return m_nul; }  // CheckCsvTextBytes refuses the text
    // Whether no later byte can change how the text is read: it holds a NUL byte, or bytes that
    // are no UTF-8 (so it is read as Windows-1252).
    bool Settled() const { return m_nul || !m_utf8; }
    bool BeyondAscii() const { return m_beyondAscii; }
    bool ReadAsUtf8() const { return (m_byteOrderMark || m_beyondAscii) && m_utf8; }
    unsigned long long Size() const { return m_size; }  // the bytes added

private:
    void Start();
    void AddBody(std::string_view bytes);

    std::string m_start;  // the first bytes, until they tell whether a byte-order mark starts it
    bool m_started = false;
    bool m_byteOrderMark = false;
    bool m_nul = false;
    bool m_beyondAscii = false;
    bool m_utf8 = true;
    std::string m_cut;  // a UTF-8 sequence the end of the last block cut
    unsigned long long m_size = 0;
};

// ReadCsvRecords over a text that comes a block at a time: what `scan` found in the whole text
// decides how it is read, so the rows, their lines and the reports are those ReadCsvRecords
// gives. A record that a block's end cuts is read once the blocks after it complete it.
class CsvRecordFeed {
public:
    using Take = std::function<void(std::span<const std::string_view> cells)>;
    CsvRecordFeed(const CsvTextScan& scan, std::vector<Diagnostic>& diagnostics, Take take,
                  std::vector<int>* rowLines = nullptr);
    ~CsvRecordFeed();

    void Add(std::string_view block);
    // Reads what is left with `rest`, the last bytes (the whole text, where no block came
    // before); returns the number of records after the header.
    int Finish(std::string_view rest = {});

    struct Rows;  // what ReadCsvRecords makes of records, in either way of reading

private:
    // Reads the records of `text` that no later block can change, all of them when it is the
    // `last`, and returns the bytes they take.
    std::size_t ReadRecords(std::string_view text, bool last);

    std::unique_ptr<Rows> m_rows;
    bool m_convert;
    std::string m_text;         // what is not read yet: the records a block's end may have cut
    std::size_t m_retryAt = 0;  // a quoted field still open: read again once the text is longer
    bool m_started = false;
    int m_line = 1;
};

// The largest text file of channels read: a larger one is refused from its size.
inline constexpr std::size_t kMaxCsvFileBytes = std::size_t{64} << 20;

// An Error naming `path` and the line when `text` holds a NUL byte (no text file), with `hint`
// what such a file most likely is; else Done, and whether its bytes after any byte-order mark
// hold one from 0x80 up (the readers' `beyondAscii`).
struct CsvTextCheck {
    Status status;
    bool beyondAscii = false;
};
CsvTextCheck CheckCsvTextBytes(const std::string& path, std::string_view text, bool hint = true);

// Splits CSV text into records: fields between commas; a field in double quotes may hold
// commas, line ends and quotes (doubled); CR LF, LF and a lone CR end a line. The text after a
// closing quote belongs to the field too. Fields are views into the text where they can be.
class CsvScanner {
public:
    // `receiverForm`: spaces before a field are skipped, and spaces alone after a closing quote
    // are dropped, as the receiver software reads its files. `fromWindows1252`: bytes from 0x80
    // up are Windows-1252 letters, handed out as UTF-8.
    // `firstLine`: the line the text starts on.
    CsvScanner(std::string_view text, bool receiverForm, bool fromWindows1252, int firstLine = 1)
        : m_pos(text.data()),
          m_end(text.data() + text.size()),
          m_guarded(text.data() + (text.find_last_of("\r\n") + 1)),  // npos + 1 is 0
          m_receiverForm(receiverForm),
          m_convert(fromWindows1252),
          m_line(firstLine) {}

    struct Record {
        std::span<const std::string_view> fields;  // valid until the next record is read
        int line = 0;                              // the line it starts on, from 1
        bool blankLine = false;                    // one field, not quoted, of nothing but spaces
        bool quoteNotClosed = false;               // the text ends inside a quoted field
    };
    Record Next();

    bool AtEnd() const { return m_pos == m_end; }
    // Where the next record starts.
    const char* Position() const { return m_pos; }
    // The line the next record starts on, and its first byte (0 at the end).
    int Line() const { return m_line; }
    char Peek() const { return AtEnd() ? '\0' : *m_pos; }
    // Passes over the rest of the line without reading it as fields (a comment line).
    void SkipLine();

private:
    // A field to put together once its record is read: where its text starts in the file (just
    // after the opening quote) and ends (at the end of the field), what to do with it, and where
    // the result lies in m_buffer.
    struct Piece {
        std::size_t field;
        std::string_view text;
        bool unquote;
        bool convert;
        std::size_t start = 0;
        std::size_t end = 0;
    };

    template <bool convert>
    const char* ReadPlainFields(const char* p, bool& quoted, bool& done);
    const char* ReadQuoted(const char* start, const char* p, bool high, Record& record);
    void AddPiece(std::string_view text, bool unquote, bool convert);
    void PutTogether();
    void SkipLineEnd();

    const char* m_pos;
    const char* m_end;
    const char* m_guarded;  // just past the text's last line end
    bool m_receiverForm;
    bool m_convert;
    int m_line;
    std::vector<std::string_view> m_fields;  // the first m_count are the record's
    std::size_t m_count = 0;
    std::vector<Piece> m_pieces;
    std::string m_buffer;
};

}  // namespace corvalen

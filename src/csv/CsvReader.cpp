#include "csv/CsvReader.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <span>
#include <utility>

#include "convert/NumberText.h"
#include "convert/Windows1252.h"
#include "csv/ByteScan.h"
#include "io/SafeFile.h"

namespace corvalen {

namespace {

constexpr char kQuote = '"';

bool IsBlank(std::string_view bytes) {
    return bytes.find_first_not_of(' ') == std::string_view::npos;
}

// What the scanner saw of one record besides its cells.
struct RecordShape {
    int line = 0;              // physical line the record starts on, from 1
    int fieldCount = 0;        // all fields, also those past the 19th
    bool blankLine = false;    // nothing but spaces on the line
    bool anyNonBlank = false;  // some field holds more than spaces
    bool quoteNotClosed = false;
};

// The cells of one record. Plain ASCII that comes in one piece (nearly every field) stays a view
// into the file's bytes; a field with Windows-1252 letters, a doubled quote or text after its
// closing quote is put together in one buffer shared by all cells of the record and reused from
// record to record.
class RecordCells {
public:
    static constexpr std::size_t kCount = kImportedColumnCount;

    void Clear() {
        m_buffer.clear();
        m_current = kCount;
        for (std::size_t k = 0; k < kCount; ++k) {
            m_views[k] = {};
            m_buffered[k] = false;
        }
    }
    // Starts cell `cell` (fields past the last cell are read but not kept).
    void Begin(std::size_t cell) { m_current = cell; }
    bool Keeping() const { return m_current < kCount; }
    // Adds a piece of the current cell's text; `convert`: from Windows-1252 to UTF-8.
    void Take(std::string_view bytes, bool convert) {
        const std::size_t k = m_current;
        if (!m_buffered[k] && m_views[k].empty() && !convert) {
            m_views[k] = bytes;
            return;
        }
        if (!m_buffered[k]) {
            // Where the text starts in the buffer; made a real view once the record is read.
            m_start[k] = m_buffer.size();
            m_buffer.append(m_views[k]);
            m_buffered[k] = true;
        }
        if (convert) {
            AppendUtf8FromWindows1252(bytes, m_buffer);
        } else {
            m_buffer.append(bytes);
        }
        m_end[k] = m_buffer.size();
    }
    // The current cell's whole text, a view kept as it is.
    void SetView(std::string_view bytes) { m_views[m_current] = bytes; }
    // The cells' texts, valid until the next Clear().
    const std::array<std::string_view, kCount>& Views() {
        for (std::size_t k = 0; k < kCount; ++k) {
            if (m_buffered[k]) {
                m_views[k] = std::string_view(m_buffer).substr(m_start[k], m_end[k] - m_start[k]);
            }
        }
        return m_views;
    }
    std::string_view View(std::size_t cell) const {
        return m_buffered[cell]
                   ? std::string_view(m_buffer).substr(m_start[cell], m_end[cell] - m_start[cell])
                   : m_views[cell];
    }

private:
    std::array<std::string_view, kCount> m_views{};
    std::array<bool, kCount> m_buffered{};
    std::array<std::size_t, kCount> m_start{};
    std::array<std::size_t, kCount> m_end{};
    std::string m_buffer;
    std::size_t m_current = kCount;
};

// Walks the file once, one record per line. A record ends at CR LF, LF or a lone CR, except
// inside a quoted field, which may run over line ends and keeps them in its text. The bytes
// that end a field are found several at a time (see ByteScan.h).
class RecordScanner {
public:
    // `utf8`: the bytes are UTF-8 already and are taken as they are.
    RecordScanner(std::string_view bytes, bool utf8)
        : m_end(bytes.data() + bytes.size()), m_pos(bytes.data()), m_utf8(utf8) {}

    bool AtEnd() const { return m_pos >= m_end; }

    // Reads the next record into `cells`, which the caller hands in cleared.
    RecordShape Next(RecordCells& cells) {
        RecordShape shape;
        shape.line = m_line;
        bool quoted = false;
        for (;;) {
            cells.Begin(static_cast<std::size_t>(shape.fieldCount));
            ++shape.fieldCount;
            quoted = ReadFieldQuickly(cells, shape) || ReadField(cells, shape);
            if (m_pos < m_end && *m_pos == ',') {
                ++m_pos;
                continue;
            }
            SkipLineEnd();
            break;
        }
        shape.blankLine = shape.fieldCount == 1 && !quoted && !shape.anyNonBlank;
        return shape;
    }

private:
    // The two forms nearly every field has, read without a step to spare: text with no space
    // in front and no quote, or text in quotes that holds no quote or line end and is followed
    // straight by the comma or line end. Returns whether the field was quoted; false with
    // nothing read (m_pos unchanged) when it is neither form, for ReadField to read.
    bool ReadFieldQuickly(RecordCells& cells, RecordShape& shape) {
        const char* p = m_pos;
        if (p == m_end || *p == ' ') {
            return false;
        }
        bool high = false;
        if (*p != kQuote) {
            const char* stop = FindFirstOf3(p, m_end, ',', '\r', '\n', high);
            TakeWhole(p, stop, high, cells, shape);
            m_pos = stop;
            return false;
        }
        const char* close = FindFirstOf3(p + 1, m_end, kQuote, '\r', '\n', high);
        if (close + 1 >= m_end || *close != kQuote) {
            return false;  // a line end inside the quotes, or the quotes never closed
        }
        const char after = close[1];
        if (after != ',' && after != '\r' && after != '\n') {
            return false;  // a doubled quote or text after the closing quote
        }
        TakeWhole(p + 1, close, high, cells, shape);
        m_pos = close + 1;
        return true;
    }

    // Takes a field's whole text, all of it in one piece.
    void TakeWhole(const char* start, const char* end, bool high, RecordCells& cells,
                   RecordShape& shape) {
        if (start == end) {
            return;
        }
        if (!shape.anyNonBlank &&
            (*start != ' ' ||
             !IsBlank(std::string_view(start, static_cast<std::size_t>(end - start))))) {
            shape.anyNonBlank = true;
        }
        if (!cells.Keeping()) {
            return;
        }
        const std::string_view bytes(start, static_cast<std::size_t>(end - start));
        if (high && !m_utf8) {
            cells.Take(bytes, true);
        } else {
            cells.SetView(bytes);
        }
    }

    // Reads one field up to (not including) the comma or line end that ends it.
    // Returns whether the field was quoted.
    bool ReadField(RecordCells& cells, RecordShape& shape) {
        const char* p = m_pos;
        while (p < m_end && *p == ' ') {
            ++p;
        }
        if (p < m_end && *p == kQuote) {
            m_pos = ReadQuoted(p + 1, cells, shape);
            return true;
        }
        bool high = false;
        const char* stop = FindFirstOf3(p, m_end, ',', '\r', '\n', high);
        Take(p, stop, high, cells, shape);
        m_pos = stop;
        return false;
    }

    // Reads a quoted field whose text starts at `p`; "" stands for one quote. Text between the
    // closing quote and the next comma is kept too (after any spaces that only pad the field).
    const char* ReadQuoted(const char* p, RecordCells& cells, RecordShape& shape) {
        const char* start = p;
        bool high = false;
        for (;;) {
            p = FindFirstOf3(p, m_end, kQuote, '\r', '\n', high);
            if (p >= m_end) {
                Take(start, p, high, cells, shape);
                shape.quoteNotClosed = true;
                return p;
            }
            if (*p == kQuote) {
                if (p + 1 < m_end && p[1] == kQuote) {
                    Take(start, p + 1, high, cells, shape);  // one quote of the pair
                    p += 2;
                    start = p;
                    high = false;
                    continue;
                }
                Take(start, p, high, cells, shape);
                ++p;
                break;
            }
            // A line end inside the field: counted, and kept in the text.
            if (*p == '\n' || p + 1 >= m_end || p[1] != '\n') {
                ++m_line;
            }
            ++p;
        }
        const char* text = p;
        while (text < m_end && *text == ' ') {
            ++text;
        }
        bool high2 = false;
        const char* end = FindFirstOf3(text, m_end, ',', '\r', '\n', high2);
        if (end > text) {
            Take(p, end, high2, cells, shape);
        }
        return end;
    }

    void Take(const char* start, const char* end, bool high, RecordCells& cells,
              RecordShape& shape) {
        if (start == end) {
            return;
        }
        const std::string_view bytes(start, static_cast<std::size_t>(end - start));
        if (!shape.anyNonBlank && (*start != ' ' || !IsBlank(bytes))) {
            shape.anyNonBlank = true;
        }
        if (!cells.Keeping()) {
            return;
        }
        // Plain ASCII reads as it is; only text with bytes from 0x80 up needs converting, and
        // UTF-8 files are taken as they are.
        cells.Take(bytes, high && !m_utf8);
    }

    void SkipLineEnd() {
        if (m_pos >= m_end) {
            return;
        }
        if (*m_pos == '\r' && m_pos + 1 < m_end && m_pos[1] == '\n') {
            ++m_pos;
        }
        ++m_pos;
        ++m_line;
    }

    const char* m_end;
    const char* m_pos;
    bool m_utf8;
    int m_line = 1;
};

}  // namespace

int EstimateCsvRecords(std::string_view bytes) {
    if (bytes.empty()) {
        return 1;  // an empty buffer may have no address at all, which memchr must not see
    }
    const auto count = [&](char c) {
        std::ptrdiff_t n = 0;
        const char* end = bytes.data() + bytes.size();
        for (const char* p = bytes.data();
             (p = static_cast<const char*>(std::memchr(p, c, static_cast<std::size_t>(end - p))));
             ++p) {
            ++n;
        }
        return n;
    };
    std::ptrdiff_t lines = count('\n');
    if (lines == 0) {
        lines = count('\r');
    }
    return static_cast<int>(std::min<std::ptrdiff_t>(lines + 1, 1 << 24));
}

namespace {

std::string FieldCountMessage(int fieldCount) {
    const std::string count = std::to_string(fieldCount) + (fieldCount == 1 ? " field" : " fields");
    if (fieldCount < kImportedColumnCount) {
        return count + " where 19 were expected; missing fields left empty";
    }
    return count + " where 19 were expected; fields after the 19th dropped";
}

// The physical line (from 1) that the byte at `offset` lies on.
int LineAt(std::string_view bytes, std::size_t offset) {
    int line = 1;
    for (std::size_t i = 0; i < offset; ++i) {
        if (bytes[i] == '\n' || (bytes[i] == '\r' && bytes[i + 1] != '\n')) {
            ++line;
        }
    }
    return line;
}

}  // namespace

int ReadCsvRecords(std::string_view fileBytes, std::vector<Diagnostic>& diagnostics,
                   const std::function<void(std::span<const std::string_view> cells)>& take) {
    // A spreadsheet may have saved the file as UTF-8, with or without a byte-order mark. Text in
    // Windows-1252 with letters beyond ASCII is almost never well-formed UTF-8, so such a file
    // is read as UTF-8 and its characters come through as they were.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    const bool byteOrderMark = fileBytes.starts_with(kByteOrderMark);
    if (byteOrderMark) {
        fileBytes.remove_prefix(kByteOrderMark.size());
    }
    const bool beyondAscii = AnyHighByte(fileBytes.data(), fileBytes.data() + fileBytes.size());
    const bool utf8 = (byteOrderMark || beyondAscii) && IsWellFormedUtf8(fileBytes);
    if (utf8 && beyondAscii) {
        diagnostics.push_back(
            Diagnostic{Diagnostic::Place::Line, 1, -1,
                       "the file is UTF-8 text, not Windows-1252; read as UTF-8"});
    }
    RecordScanner scanner(fileBytes, utf8);
    // The fields of one record, reused from record to record, so reading a record allocates
    // nothing of its own.
    RecordCells cells;
    bool headerSeen = false;
    int recordsRead = 0;

    const auto report = [&](int line, int column, std::string message) {
        diagnostics.push_back(
            Diagnostic{Diagnostic::Place::Line, line, column, std::move(message)});
    };

    while (!scanner.AtEnd()) {
        cells.Clear();
        const RecordShape shape = scanner.Next(cells);
        if (shape.blankLine) {
            continue;
        }
        if (shape.quoteNotClosed) {
            report(shape.line, -1,
                   "a quoted field is not closed before the end of the file; the rest of the "
                   "file was read into it");
        }
        if (!headerSeen) {
            headerSeen = true;
            // Files without a header line start straight with a channel; keep it.
            if (!ParseWholeNumber(cells.View(Column::Number)).has_value()) {
                continue;
            }
        }
        ++recordsRead;
        if (cells.View(Column::Bandwidth).empty()) {
            if (shape.anyNonBlank) {
                report(shape.line, Column::Bandwidth, "Bandwidth is empty; channel skipped");
            }
            continue;
        }
        if (shape.fieldCount != kImportedColumnCount) {
            report(shape.line, -1, FieldCountMessage(shape.fieldCount));
        }
        take(cells.Views());
    }
    return recordsRead;
}

CsvImport ReadCsvMemory(std::string_view fileBytes) {
    CsvImport result;
    const int records = EstimateCsvRecords(fileBytes);
    result.table.ReserveChannels(records);
    // The rows' cell offsets plus their text, which is the file's bytes less the quotes and
    // commas, and some room for letters that take more bytes in UTF-8 than in Windows-1252.
    result.table.ReserveRowBytes(static_cast<std::size_t>(records) * 4 *
                                     (kImportedColumnCount + 2) +
                                 fileBytes.size() + fileBytes.size() / 8);
    result.recordsRead = ReadCsvRecords(
        fileBytes, result.diagnostics,
        [&](std::span<const std::string_view> cells) { result.table.AppendRow(cells); });
    return result;
}

Status CheckCsvText(const std::string& path, std::string_view text, std::string_view hint) {
    // Text holds no NUL bytes. One means a binary file (a .g3m memory file picked by mistake)
    // or text saved as UTF-16, which would read as nothing but garbage.
    if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos) {
        return Error{"Cannot read \"" + path + "\": line " + std::to_string(LineAt(text, nul)) +
                     " holds a NUL byte (byte " + std::to_string(nul + 1) +
                     "), so this is no CSV text file" + std::string(hint)};
    }
    return Done{};
}

Result<ByteBuffer> ReadCsvText(const std::string& path) {
    Result<ByteBuffer> bytes = ReadWholeFileBuffer(path, kMaxCsvBytes);
    if (!bytes) {
        return bytes.error();
    }
    if (const Status text = CheckCsvText(path, std::string_view(bytes->data(), bytes->size()));
        !text) {
        return text.error();
    }
    return bytes;
}

Result<CsvImport> ReadCsvMemoryFile(const std::string& path) {
    const Result<ByteBuffer> bytes = ReadCsvText(path);
    if (!bytes) {
        return bytes.error();
    }
    return ReadCsvMemory(std::string_view(bytes->data(), bytes->size()));
}

}  // namespace corvalen

#include "csv/CsvReader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <utility>

#include "convert/NumberText.h"
#include "convert/TextLines.h"
#include "convert/Windows1252.h"
#include "io/SafeFile.h"

namespace corvalen {

namespace {

constexpr char kQuote = '"';

bool IsBlank(std::string_view bytes) {
    return bytes.find_first_not_of(' ') == std::string_view::npos;
}

// What each byte is to the search for the end of a field: one bit for the bytes that end a
// field outside quotes (comma, CR, LF), one for those that stop the text inside quotes (quote,
// CR, LF), one for the bytes from 0x80 up. One look-up a byte answers all three.
enum ByteKind : std::uint8_t { kEndsField = 1, kEndsQuoted = 2, kHigh = 4 };
constexpr std::array<std::uint8_t, 256> kByteKinds = [] {
    std::array<std::uint8_t, 256> kinds{};
    kinds[','] = kEndsField;
    kinds['"'] = kEndsQuoted;
    kinds['\r'] = kinds['\n'] = kEndsField | kEndsQuoted;
    for (std::size_t byte = 0x80; byte < 256; ++byte) {
        kinds[byte] = kHigh;
    }
    return kinds;
}();

// The first byte of [from, end) of kind `stop` (kEndsField or kEndsQuoted), or `end` when there
// is none. `high` is set when a byte from 0x80 up comes before it, and left alone otherwise.
const char* FindStop(const char* from, const char* end, std::uint8_t stop, bool& high) {
    const char* p = from;
    std::uint8_t seen = 0;
    for (; p < end; ++p) {
        const std::uint8_t kind = kByteKinds[static_cast<unsigned char>(*p)];
        if ((kind & stop) != 0) {
            break;
        }
        seen |= kind;
    }
    high = high || (seen & kHigh) != 0;
    return p;
}

// Whether any byte of [from, end) is 0x80 or more. Eight bytes are ORed at a time as one word,
// whose every byte's high bit then tells, in whatever order the word holds them.
bool AnyHighByte(const char* from, const char* end) {
    std::uint64_t all = 0;
    const char* p = from;
    for (; end - p >= 8; p += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, p, sizeof word);
        all |= word;
    }
    for (; p < end; ++p) {
        all |= static_cast<unsigned char>(*p);
    }
    return (all & 0x8080808080808080u) != 0;
}

// The first NUL byte of [from, end), or `end` when there is none; `high` is set when a byte
// from 0x80 up comes before it, and left alone otherwise.
const char* FindNul(const char* from, const char* end, bool& high) {
    const void* nul =
        from == end ? nullptr : std::memchr(from, '\0', static_cast<std::size_t>(end - from));
    const char* stop = nul != nullptr ? static_cast<const char*>(nul) : end;
    high = high || AnyHighByte(from, stop);
    return stop;
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

    RecordCells() = default;
    RecordCells(const RecordCells&) = delete;
    RecordCells& operator=(const RecordCells&) = delete;

    // Before each record. The views are set as the fields come (see Begin and End).
    void Clear() {
        if (m_buffered != 0) {
            m_buffer.clear();
            m_buffered = 0;
        }
        m_current = kCount;
    }
    // Starts cell `cell`, empty (fields past the last cell are read but not kept).
    void Begin(std::size_t cell) {
        m_current = cell;
        if (cell < kCount) {
            m_views[cell] = {};
        }
    }
    bool Keeping() const { return m_current < kCount; }
    // Adds a piece of the current cell's text; `convert`: from Windows-1252 to UTF-8.
    void Take(std::string_view bytes, bool convert) {
        const std::size_t k = m_current;
        if (!Buffered(k) && m_views[k].empty() && !convert) {
            m_views[k] = bytes;  // nearly every cell
            return;
        }
        PutTogether(k, bytes, convert);
    }
    // A piece of cell `k` that goes into the buffer: kept out of the path nearly every cell
    // takes, so that path stays short enough to be made part of its callers.
    [[gnu::noinline]] void PutTogether(std::size_t k, std::string_view bytes, bool convert) {
        if (!Buffered(k)) {
            // Where the text starts in the buffer; made a real view once the record is read.
            m_start[k] = m_buffer.size();
            m_buffer.append(m_views[k]);
            m_buffered |= std::uint32_t{1} << k;
        }
        if (convert) {
            AppendUtf8FromWindows1252(bytes, m_buffer);
        } else {
            m_buffer.append(bytes);
        }
        m_end[k] = m_buffer.size();
    }
    // After the record's `fields` fields: the cells it has no field for are empty.
    void End(std::size_t fields) {
        for (std::size_t k = fields; k < kCount; ++k) {
            m_views[k] = {};
        }
    }
    // The cells' texts, valid until the next Clear().
    std::span<const std::string_view, kCount> Views() {
        for (std::uint32_t left = m_buffered; left != 0; left &= left - 1) {
            const auto k = static_cast<std::size_t>(std::countr_zero(left));
            m_views[k] = std::string_view(m_buffer).substr(m_start[k], m_end[k] - m_start[k]);
        }
        return m_views;
    }
    bool Buffered(std::size_t cell) const { return ((m_buffered >> cell) & 1) != 0; }
    std::string_view View(std::size_t cell) const {
        return Buffered(cell)
                   ? std::string_view(m_buffer).substr(m_start[cell], m_end[cell] - m_start[cell])
                   : m_views[cell];
    }

private:
    std::array<std::string_view, kCount> m_views{};
    static_assert(kCount <= 32, "one bit a cell");
    std::uint32_t m_buffered = 0;
    std::array<std::size_t, kCount> m_start{};
    std::array<std::size_t, kCount> m_end{};
    std::string m_buffer;
    std::size_t m_current = kCount;
};

// Walks the file once, one record per line. A record ends at CR LF, LF or a lone CR, except
// inside a quoted field, which may run over line ends and keeps them in its text.
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
        std::size_t field = 0;
        bool quoted = false;
        for (;; ++field) {
            cells.Begin(field);
            quoted = ReadField(cells, shape);
            if (m_pos < m_end && *m_pos == ',') {
                ++m_pos;
                continue;
            }
            break;
        }
        SkipLineEnd();
        shape.fieldCount = static_cast<int>(field + 1);
        cells.End(field + 1);
        shape.blankLine = shape.fieldCount == 1 && !quoted && !shape.anyNonBlank;
        return shape;
    }

private:
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
        const char* stop = FieldEnd(p, high);
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
            p = QuotedEnd(p, high);
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
        // Nearly always the comma or the line end follows the closing quote.
        if (p == m_end || (kByteKinds[static_cast<unsigned char>(*p)] & kEndsField) != 0) {
            return p;
        }
        const char* text = p;
        while (text < m_end && *text == ' ') {
            ++text;
        }
        bool high2 = false;
        const char* end = FieldEnd(text, high2);
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

    // The first ',', CR or LF from `from` on, or the end.
    const char* FieldEnd(const char* from, bool& high) const {
        return FindStop(from, m_end, kEndsField, high);
    }
    // The first '"', CR or LF from `from` on, or the end.
    const char* QuotedEnd(const char* from, bool& high) const {
        return FindStop(from, m_end, kEndsQuoted, high);
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
    const auto count = [&](char c) {
        std::ptrdiff_t n = 0;
        const char* end = bytes.data() + bytes.size();
        for (const char* p = bytes.data(); p < end; ++p) {
            p = static_cast<const char*>(std::memchr(p, c, static_cast<std::size_t>(end - p)));
            if (p == nullptr) {
                break;
            }
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

using TakeRecord = std::function<void(std::span<const std::string_view> cells)>;

// Reads the records of `bytes` with `scanner`, handing each to `take` (see ReadCsvRecords).
int ReadRecords(RecordScanner& scanner, std::vector<Diagnostic>& diagnostics,
                const TakeRecord& take, std::vector<int>* rowLines) {
    // The fields of one record, reused from record to record, so reading a record allocates
    // nothing of its own.
    RecordCells cells;
    bool headerSeen = false;
    int recordsRead = 0;

    const auto report = [&](int line, int column, MessageKind kind, MessageValues values = {}) {
        diagnostics.push_back(
            Diagnostic{Diagnostic::Place::Line, line, column, kind, std::move(values)});
    };

    while (!scanner.AtEnd()) {
        cells.Clear();
        const RecordShape shape = scanner.Next(cells);
        if (shape.blankLine) {
            continue;
        }
        if (shape.quoteNotClosed) {
            report(shape.line, -1, MessageKind::QuoteNotClosed);
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
                report(shape.line, Column::Bandwidth, MessageKind::CsvBandwidthEmptySkipped);
            }
            continue;
        }
        if (shape.fieldCount != kImportedColumnCount) {
            report(shape.line, -1,
                   shape.fieldCount < kImportedColumnCount ? MessageKind::CsvFieldsMissing
                                                           : MessageKind::CsvFieldsDropped,
                   {std::to_string(shape.fieldCount)});
        }
        if (rowLines != nullptr) {
            rowLines->push_back(shape.line);
        }
        take(cells.Views());
    }
    return recordsRead;
}

}  // namespace

int ReadCsvRecords(std::string_view fileBytes, std::vector<Diagnostic>& diagnostics,
                   const TakeRecord& take, std::vector<int>* rowLines,
                   std::optional<bool> beyondAscii) {
    // A spreadsheet may have saved the file as UTF-8, with or without a byte-order mark. Text in
    // Windows-1252 with letters beyond ASCII is almost never well-formed UTF-8, so such a file
    // is read as UTF-8 and its characters come through as they were.
    const bool byteOrderMark = fileBytes.starts_with(kUtf8ByteOrderMark);
    if (byteOrderMark) {
        fileBytes.remove_prefix(kUtf8ByteOrderMark.size());
    }
    if (!beyondAscii) {
        beyondAscii = AnyHighByte(fileBytes.data(), fileBytes.data() + fileBytes.size());
    }
    const bool utf8 = (byteOrderMark || *beyondAscii) && IsWellFormedUtf8(fileBytes);
    if (utf8 && *beyondAscii) {
        diagnostics.push_back(Diagnostic{Diagnostic::Place::Line, 1, -1, MessageKind::CsvUtf8, {}});
    }
    RecordScanner scanner(fileBytes, utf8);
    return ReadRecords(scanner, diagnostics, take, rowLines);
}

CsvImport ReadCsvMemory(std::string_view fileBytes, std::optional<bool> beyondAscii) {
    CsvImport result;
    const int records = EstimateCsvRecords(fileBytes);
    result.table.ReserveChannels(records);
    result.origins.lines.reserve(static_cast<std::size_t>(records));
    result.recordsRead = ReadCsvRecords(
        fileBytes, result.diagnostics,
        [&](std::span<const std::string_view> cells) { result.table.AppendRow(cells); },
        &result.origins.lines, beyondAscii);
    return result;
}

CsvTextCheck CheckCsvTextBytes(const std::string& path, std::string_view text,
                               std::string_view hint) {
    // Text holds no NUL bytes. One means a binary file (a .g3m memory file picked by mistake)
    // or text saved as UTF-16, which would read as nothing but garbage.
    const std::size_t mark = text.starts_with(kUtf8ByteOrderMark) ? kUtf8ByteOrderMark.size() : 0;
    const char* end = text.data() + text.size();
    bool high = false;
    const char* at = FindNul(text.data() + mark, end, high);
    if (at != end) {
        const auto nul = static_cast<std::size_t>(at - text.data());
        return {Error{"Cannot read \"" + path + "\": line " + std::to_string(LineAt(text, nul)) +
                      " holds a NUL byte (byte " + std::to_string(nul + 1) +
                      "), so this is no CSV text file" + std::string(hint)}};
    }
    return {Done{}, high};
}

Status CheckCsvText(const std::string& path, std::string_view text, std::string_view hint) {
    return CheckCsvTextBytes(path, text, hint).status;
}

Result<ByteBuffer> ReadCsvText(const std::string& path) {
    Result<ByteBuffer> bytes = ReadWholeFileBuffer(path, kMaxCsvFileBytes);
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

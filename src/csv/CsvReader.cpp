#include "csv/CsvReader.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>
#include <utility>

#include "convert/NumberText.h"
#include "convert/Windows1252.h"
#include "io/SafeFile.h"

namespace corvalen {

namespace {

constexpr char kQuote = '"';

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

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

// The text of one field. Plain ASCII that comes in one piece (nearly every field) stays a view
// into the file's bytes; only a field with Windows-1252 letters or a doubled quote is copied
// into the buffer, which is reused from record to record.
class FieldText {
public:
    void Clear() {
        m_view = {};
        m_buffer.clear();
        m_buffered = false;
    }
    void Take(std::string_view bytes, bool ascii) {
        if (!m_buffered && m_view.empty() && ascii) {
            m_view = bytes;
            return;
        }
        if (!m_buffered) {
            m_buffer.assign(m_view);
            m_buffered = true;
        }
        if (ascii) {
            m_buffer.append(bytes);
        } else {
            AppendUtf8FromWindows1252(bytes, m_buffer);
        }
    }
    std::string_view View() const { return m_buffered ? std::string_view(m_buffer) : m_view; }

private:
    std::string_view m_view;
    std::string m_buffer;
    bool m_buffered = false;
};

// Walks the file once, one record per line. A record ends at CR LF, LF or a lone CR, except
// inside a quoted field, which may run over line ends and keeps them in its text.
class RecordScanner {
public:
    // `utf8`: the bytes are UTF-8 already and are taken as they are.
    RecordScanner(std::string_view bytes, bool utf8) : m_bytes(bytes), m_utf8(utf8) {}

    bool AtEnd() const { return m_pos >= m_bytes.size(); }

    // Reads the next record. Fields 0 to 18 are appended (as UTF-8) to the cells, which the
    // caller hands in empty; later fields are read and dropped.
    RecordShape Next(std::span<FieldText> cells) {
        RecordShape shape;
        shape.line = m_line;
        bool quoted = false;
        for (;;) {
            FieldText* target = shape.fieldCount < static_cast<int>(cells.size())
                                    ? &cells[static_cast<std::size_t>(shape.fieldCount)]
                                    : nullptr;
            ++shape.fieldCount;
            quoted = ReadField(target, shape);
            if (m_pos < m_bytes.size() && m_bytes[m_pos] == ',') {
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
    // Reads one field up to (not including) the comma or line end that ends it.
    // Returns whether the field was quoted.
    bool ReadField(FieldText* target, RecordShape& shape) {
        const std::size_t size = m_bytes.size();
        std::size_t p = m_pos;
        while (p < size && m_bytes[p] == ' ') {
            ++p;
        }
        if (p < size && m_bytes[p] == kQuote) {
            m_pos = ReadQuoted(p + 1, target, shape);
            return true;
        }
        const std::size_t start = p;
        p = RunToFieldEnd(p);
        Take(start, p, target, shape);
        m_pos = p;
        return false;
    }

    // Reads a quoted field whose text starts at `p`; "" stands for one quote. Text between the
    // closing quote and the next comma is kept too (after any spaces that only pad the field).
    std::size_t ReadQuoted(std::size_t p, FieldText* target, RecordShape& shape) {
        const std::size_t size = m_bytes.size();
        std::size_t start = p;
        m_high = 0;
        for (;;) {
            if (p >= size) {
                Take(start, p, target, shape);
                shape.quoteNotClosed = true;
                return p;
            }
            const char c = m_bytes[p];
            if (c == kQuote) {
                if (p + 1 < size && m_bytes[p + 1] == kQuote) {
                    Take(start, p + 1, target, shape);  // one quote of the pair
                    p += 2;
                    start = p;
                    m_high = 0;
                    continue;
                }
                Take(start, p, target, shape);
                ++p;
                break;
            }
            if (c == '\n' || (c == '\r' && (p + 1 >= size || m_bytes[p + 1] != '\n'))) {
                ++m_line;
            }
            m_high |= static_cast<unsigned char>(c);
            ++p;
        }
        std::size_t text = p;
        while (text < size && m_bytes[text] == ' ') {
            ++text;
        }
        const std::size_t end = RunToFieldEnd(text);
        if (end > text) {
            Take(p, end, target, shape);
        }
        return end;
    }

    void Take(std::size_t start, std::size_t end, FieldText* target, RecordShape& shape) {
        if (start == end) {
            return;
        }
        const std::string_view bytes = m_bytes.substr(start, end - start);
        if (!shape.anyNonBlank && !IsBlank(bytes)) {
            shape.anyNonBlank = true;
        }
        if (target == nullptr) {
            return;
        }
        // Plain ASCII reads as it is; only text with bytes from 0x80 up needs converting.
        target->Take(bytes, m_utf8 || m_high < 0x80);  // UTF-8 files are taken as they are
    }

    // The end of an unquoted run: the next comma, line end or the end of the file. Notes in
    // m_high whether the run holds bytes from 0x80 up.
    std::size_t RunToFieldEnd(std::size_t p) {
        const std::size_t size = m_bytes.size();
        m_high = 0;
        while (p < size) {
            const char c = m_bytes[p];
            if (c == ',' || IsLineEnd(c)) {
                break;
            }
            m_high |= static_cast<unsigned char>(c);
            ++p;
        }
        return p;
    }

    void SkipLineEnd() {
        if (m_pos >= m_bytes.size()) {
            return;
        }
        if (m_bytes[m_pos] == '\r' && m_pos + 1 < m_bytes.size() && m_bytes[m_pos + 1] == '\n') {
            ++m_pos;
        }
        ++m_pos;
        ++m_line;
    }

    std::string_view m_bytes;
    std::size_t m_pos = 0;
    bool m_utf8;
    int m_line = 1;
    unsigned char m_high = 0;  // all bytes of the run being read, or-ed together
};

// About as many channel rows as the file has lines, so the table allocates once.
int EstimateRecords(std::string_view bytes) {
    auto lines = std::count(bytes.begin(), bytes.end(), '\n');
    if (lines == 0) {
        lines = std::count(bytes.begin(), bytes.end(), '\r');
    }
    return static_cast<int>(std::min<std::ptrdiff_t>(lines + 1, 1 << 24));
}

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

CsvImport ReadCsvMemory(std::string_view fileBytes) {
    CsvImport result;
    // A spreadsheet may have saved the file as UTF-8, with or without a byte-order mark. Text in
    // Windows-1252 with letters beyond ASCII is almost never well-formed UTF-8, so such a file
    // is read as UTF-8 and its characters come through as they were.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    const bool byteOrderMark = fileBytes.starts_with(kByteOrderMark);
    if (byteOrderMark) {
        fileBytes.remove_prefix(kByteOrderMark.size());
    }
    const bool beyondAscii = std::any_of(fileBytes.begin(), fileBytes.end(), [](char c) {
        return static_cast<unsigned char>(c) >= 0x80;
    });
    const bool utf8 = (byteOrderMark || beyondAscii) && IsWellFormedUtf8(fileBytes);
    if (utf8 && beyondAscii) {
        result.diagnostics.push_back(
            Diagnostic{Diagnostic::Place::Line, 1, -1,
                       "the file is UTF-8 text, not Windows-1252; read as UTF-8"});
    }
    result.table.ReserveChannels(EstimateRecords(fileBytes));
    RecordScanner scanner(fileBytes, utf8);
    // The fields of one record, reused from record to record, so reading a record allocates
    // nothing but the table row itself.
    std::array<FieldText, kImportedColumnCount> cells;
    std::array<std::string_view, kImportedColumnCount> views;
    bool headerSeen = false;

    const auto report = [&](int line, int column, std::string message) {
        result.diagnostics.push_back(
            Diagnostic{Diagnostic::Place::Line, line, column, std::move(message)});
    };

    while (!scanner.AtEnd()) {
        for (FieldText& cell : cells) {
            cell.Clear();
        }
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
            if (!ParseWholeNumber(cells[Column::Number].View()).has_value()) {
                continue;
            }
        }
        ++result.recordsRead;
        if (cells[Column::Bandwidth].View().empty()) {
            if (shape.anyNonBlank) {
                report(shape.line, Column::Bandwidth, "Bandwidth is empty; channel skipped");
            }
            continue;
        }
        if (shape.fieldCount != kImportedColumnCount) {
            report(shape.line, -1, FieldCountMessage(shape.fieldCount));
        }
        std::transform(cells.begin(), cells.end(), views.begin(),
                       [](const FieldText& cell) { return cell.View(); });
        result.table.AppendRow(views);
    }
    return result;
}

Result<CsvImport> ReadCsvMemoryFile(const std::string& path) {
    Result<std::string> bytes = ReadWholeFile(path);
    if (!bytes) {
        return bytes.error();
    }
    // Text holds no NUL bytes. One means a binary file (a .g3m memory file picked by mistake)
    // or text saved as UTF-16, which would read as nothing but garbage.
    if (const std::size_t nul = bytes->find('\0'); nul != std::string::npos) {
        return Error{"Cannot read \"" + path + "\": line " + std::to_string(LineAt(*bytes, nul)) +
                     " holds a NUL byte (byte " + std::to_string(nul + 1) +
                     "), so this is no CSV text file (a .g3m memory file, or text saved as "
                     "UTF-16?)"};
    }
    return ReadCsvMemory(*bytes);
}

}  // namespace corvalen

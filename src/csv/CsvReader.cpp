#include "csv/CsvReader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "channel/CellChecks.h"
#include "convert/NumberText.h"
#include "convert/TextLines.h"
#include "convert/Windows1252.h"

namespace corvalen {

namespace {

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

std::uint8_t KindOf(char byte) {
    return kByteKinds[static_cast<unsigned char>(byte)];
}

// The first byte of [p, end) of kind `stop` (kEndsField or kEndsQuoted), or `end`; `high`
// when a byte from 0x80 up comes before it. Both kinds stop at a line end, so a search that
// starts before `guarded`, just past the text's last line end, needs no look at `end`.
struct Stop {
    const char* at;
    bool high;
};
inline Stop FindStop(const char* p, const char* end, const char* guarded, std::uint8_t stop) {
    bool high = false;
    if (p < guarded) {
        for (;; ++p) {
            while ((KindOf(*p) & (stop | kHigh)) == 0) {
                ++p;
            }
            if ((KindOf(*p) & stop) != 0) {
                return {p, high};
            }
            high = true;
        }
    }
    for (; p != end && (KindOf(*p) & stop) == 0; ++p) {
        high = high || (KindOf(*p) & kHigh) != 0;
    }
    return {p, high};
}

}  // namespace

// The fields of a record from `p`, which lies before m_guarded, as long as each is a plain view
// into the text that fits the room for fields: a line end lies ahead, which ends every search
// without a look at m_end. Sets `done` when that reads the whole record and returns its line
// end; else returns the start of the field where the general loop of Next() takes over. With
// `convert`, a letter to convert ends the views; as a constant, it leaves the search for the end
// of a field one look-up a byte against a fixed mask.
template <bool convert>
const char* CsvScanner::ReadPlainFields(const char* p, bool& quoted, bool& done) {
    constexpr std::uint8_t high = convert ? kHigh : 0;
    const bool skipSpaces = m_receiverForm;
    std::string_view* const fields = m_fields.data();
    std::string_view* out = fields + m_count;
    std::string_view* const last = fields + m_fields.size();
    bool lastQuoted = false;
    for (; out != last; ++p) {
        const char* const field = p;
        while (*p == ' ' && skipSpaces) {
            ++p;
        }
        lastQuoted = *p == '"';
        const char* const start = p + (lastQuoted ? 1 : 0);
        if (lastQuoted) {
            // It must end in its closing quote, with the comma or the line end next.
            for (p = start; (KindOf(*p) & (kEndsQuoted | high)) == 0; ++p) {
            }
            if (*p != '"' || (KindOf(p[1]) & kEndsField) == 0) {
                p = field;
                break;
            }
        } else {
            std::uint8_t kind = 0;
            for (; ((kind = KindOf(*p)) & (kEndsField | high)) == 0; ++p) {
            }
            if ((kind & high) != 0) {
                p = field;
                break;
            }
        }
        *out++ = std::string_view(start, static_cast<std::size_t>(p - start));
        p += lastQuoted ? 1 : 0;
        if (*p != ',') {
            done = true;
            break;
        }
    }
    m_count = static_cast<std::size_t>(out - fields);
    quoted = lastQuoted;
    return p;
}

CsvScanner::Record CsvScanner::Next() {
    Record record;
    record.line = m_line;
    m_pieces.clear();
    m_count = 0;
    const char* p = m_pos;
    bool quoted = false;
    bool done = false;
    if (p < m_guarded) {
        p = m_convert ? ReadPlainFields<true>(p, quoted, done)
                      : ReadPlainFields<false>(p, quoted, done);
    }
    // The loop over the fields works on locals, which no store of a field can change.
    const char* const end = m_end;
    const bool skipSpaces = m_receiverForm;
    const bool convert = m_convert;
    std::string_view* fields = m_fields.data();
    std::size_t room = m_fields.size();
    std::size_t count = m_count;
    while (!done) {
        while (skipSpaces && p != end && *p == ' ') {
            ++p;
        }
        quoted = p != end && *p == '"';
        const char* const start = quoted ? p + 1 : p;
        const Stop stop = FindStop(start, end, m_guarded, quoted ? kEndsQuoted : kEndsField);
        p = quoted ? stop.at + 1 : stop.at;
        // A quoted field nearly always has its closing quote next, and then the comma or the
        // line end; anything else is for ReadQuoted.
        const bool plain = !quoted || (end - stop.at >= 2 && *stop.at == '"' &&
                                       (KindOf(stop.at[1]) & kEndsField) != 0);
        if (plain && count != room && !(stop.high && convert)) [[likely]] {
            fields[count++] = std::string_view(start, static_cast<std::size_t>(stop.at - start));
        } else {
            m_count = count;
            if (plain) {
                AddPiece(std::string_view(start, static_cast<std::size_t>(stop.at - start)), false,
                         stop.high && convert);
            } else {
                p = ReadQuoted(start, stop.at, stop.high, record);
            }
            count = m_count;
            fields = m_fields.data();
            room = m_fields.size();
        }
        if (p == end || *p != ',') {
            break;
        }
        ++p;
    }
    m_count = count;
    m_pos = p;
    SkipLineEnd();
    if (!m_pieces.empty()) {
        PutTogether();
    }
    record.fields = std::span(m_fields).first(m_count);
    record.blankLine = m_count == 1 && !quoted && IsBlank(m_fields[0]);
    return record;
}

// A field that is no plain view into the text, or one past the room for fields: it gets room,
// and the field to put together is remembered.
void CsvScanner::AddPiece(std::string_view text, bool unquote, bool convert) {
    if (m_count == m_fields.size()) {
        m_fields.resize(2 * m_count + 32);
    }
    m_fields[m_count] = text;
    if (unquote || convert) {
        m_pieces.push_back({m_count, text, unquote, convert});
    }
    ++m_count;
}

// The rest of a quoted field whose text starts at `start`, from `p`, the first quote or line
// end in it: doubled quotes, line ends inside the quotes, the text after the closing quote.
const char* CsvScanner::ReadQuoted(const char* start, const char* p, bool high, Record& record) {
    const char* const end = m_end;
    bool unquote = false;  // a doubled quote, or text after the closing quote
    for (;;) {
        if (p == end) {
            record.quoteNotClosed = true;
            break;
        }
        if (*p == '"') {
            if (p + 1 == end || p[1] != '"') {
                break;
            }
            unquote = true;
            ++p;
        } else if (*p == '\n' || p + 1 == end || p[1] != '\n') {
            ++m_line;  // a line end inside the field, kept in its text
        }
        const Stop stop = FindStop(p + 1, end, m_guarded, kEndsQuoted);
        p = stop.at;
        high = high || stop.high;
    }
    const char* textEnd = p;  // the closing quote, or the end of the text
    p = p == end ? p : p + 1;
    if (p != end && (KindOf(*p) & kEndsField) == 0) {
        const Stop stop = FindStop(p, end, m_guarded, kEndsField);
        if (!m_receiverForm || !IsBlank(std::string_view(p, stop.at - p))) {
            unquote = true;
            high = high || stop.high;
            textEnd = stop.at;
        }
        p = stop.at;
    }
    AddPiece(std::string_view(start, static_cast<std::size_t>(textEnd - start)), unquote,
             high && m_convert);
    return p;
}

// Puts together the fields that are not a plain view into the text: a doubled quote becomes one,
// the text after the closing quote is added, Windows-1252 letters become UTF-8.
void CsvScanner::PutTogether() {
    m_buffer.clear();
    for (Piece& piece : m_pieces) {
        const auto append = [&](std::string_view part) {
            if (piece.convert) {
                AppendUtf8FromWindows1252(part, m_buffer);
            } else {
                m_buffer.append(part);
            }
        };
        piece.start = m_buffer.size();
        std::string_view text = piece.text;
        for (bool quoted = piece.unquote; quoted;) {
            const std::size_t quote = text.find('"');
            if (quote == std::string_view::npos) {
                break;
            }
            // One quote of a pair is kept; after the closing quote the rest is plain text.
            quoted = quote + 1 < text.size() && text[quote + 1] == '"';
            append(text.substr(0, quoted ? quote + 1 : quote));
            text.remove_prefix(quoted ? quote + 2 : quote + 1);
        }
        append(text);
        piece.end = m_buffer.size();
    }
    for (const Piece& piece : m_pieces) {
        m_fields[piece.field] =
            std::string_view(m_buffer).substr(piece.start, piece.end - piece.start);
    }
}

void CsvScanner::SkipLine() {
    while (m_pos != m_end && *m_pos != '\r' && *m_pos != '\n') {
        ++m_pos;
    }
    SkipLineEnd();
}

void CsvScanner::SkipLineEnd() {
    if (m_pos == m_end) {
        return;
    }
    if (*m_pos == '\r' && m_pos + 1 != m_end && m_pos[1] == '\n') {
        ++m_pos;
    }
    ++m_pos;
    ++m_line;
}

int EstimateCsvRecords(std::size_t bytes) {
    return static_cast<int>(std::min<std::size_t>(bytes / 32 + 1, 1 << 24));
}

// The rows of the records of a receiver CSV text, in order, whether it is read whole or a block
// at a time.
struct CsvRecordFeed::Rows {
    ProblemList report;
    CsvRecordFeed::Take take;
    std::vector<int>* rowLines;
    std::array<std::string_view, kImportedColumnCount> padded{};  // a record of fewer fields
    bool headerSeen = false;
    int recordsRead = 0;

    void Take(const CsvScanner::Record& record) {
        if (record.blankLine) {
            return;
        }
        if (record.quoteNotClosed) {
            report(record.line, -1, MessageKind::QuoteNotClosed);
        }
        std::span<const std::string_view> cells = record.fields;
        if (cells.size() < padded.size()) {
            std::fill(std::copy(cells.begin(), cells.end(), padded.begin()), padded.end(),
                      std::string_view());
            cells = padded;
        }
        if (!headerSeen) {
            headerSeen = true;
            // Files without a header line start straight with a channel; keep it.
            if (!ParseWholeNumber(cells[Column::Number]).has_value()) {
                return;
            }
        }
        ++recordsRead;
        if (cells[Column::Bandwidth].empty()) {
            if (!std::all_of(record.fields.begin(), record.fields.end(), IsBlank)) {
                report(record.line, Column::Bandwidth, MessageKind::CsvBandwidthEmptySkipped);
            }
            return;
        }
        const auto fieldCount = static_cast<int>(record.fields.size());
        if (fieldCount != kImportedColumnCount) {
            report(record.line, -1,
                   fieldCount < kImportedColumnCount ? MessageKind::CsvFieldsMissing
                                                     : MessageKind::CsvFieldsDropped,
                   {std::to_string(fieldCount)});
        }
        if (rowLines != nullptr) {
            rowLines->push_back(record.line);
        }
        take(cells.first(kImportedColumnCount));
    }
};

int ReadCsvRecords(std::string_view fileBytes, std::vector<Diagnostic>& diagnostics,
                   const std::function<void(std::span<const std::string_view> cells)>& take,
                   std::vector<int>* rowLines) {
    CsvTextScan scan;
    scan.Add(fileBytes);
    scan.Finish();
    return CsvRecordFeed(scan, diagnostics, take, rowLines).Finish(fileBytes);
}

void CsvTextScan::Add(std::string_view block) {
    m_size += block.size();
    if (!m_started) {
        // The first three bytes tell whether the text starts with a byte-order mark.
        const std::size_t wanted = kUtf8ByteOrderMark.size() - m_start.size();
        m_start.append(block.substr(0, wanted));
        block.remove_prefix(std::min(wanted, block.size()));
        if (m_start.size() < kUtf8ByteOrderMark.size()) {
            return;
        }
        Start();
    }
    AddBody(block);
}

void CsvTextScan::Start() {
    m_started = true;
    m_byteOrderMark = m_start == kUtf8ByteOrderMark;
    AddBody(m_byteOrderMark ? std::string_view() : std::string_view(m_start));
}

void CsvTextScan::Finish() {
    if (!m_started) {
        Start();
    }
    // A sequence the text ends inside is no UTF-8.
    m_utf8 = m_utf8 && m_cut.empty();
}

void CsvTextScan::AddBody(std::string_view bytes) {
    m_nul = m_nul || (!bytes.empty() && std::memchr(bytes.data(), '\0', bytes.size()) != nullptr);
    const std::size_t ascii = AsciiPrefixLength(bytes);
    if (ascii == bytes.size() && m_cut.empty()) {
        return;
    }
    m_beyondAscii = m_beyondAscii || ascii != bytes.size();
    if (!m_utf8) {
        return;
    }
    // A sequence the last block cut is checked once this block completes it.
    if (!m_cut.empty()) {
        const auto lead = static_cast<unsigned char>(m_cut[0]);
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        const std::size_t wanted = std::min(length - m_cut.size(), bytes.size());
        m_cut.append(bytes.substr(0, wanted));
        bytes.remove_prefix(wanted);
        if (m_cut.size() < length) {
            return;
        }
        m_utf8 = IsWellFormedUtf8(m_cut);
        m_cut.clear();
    }
    // The last lead byte, when the bytes end before its sequence does, starts the cut one.
    std::size_t whole = bytes.size();
    for (std::size_t back = 1; back <= std::min<std::size_t>(3, bytes.size()); ++back) {
        const auto byte = static_cast<unsigned char>(bytes[bytes.size() - back]);
        if ((byte & 0xC0) == 0x80) {
            continue;  // a continuation byte
        }
        const std::size_t length = byte >= 0xF8   ? 1
                                   : byte >= 0xF0 ? 4
                                   : byte >= 0xE0 ? 3
                                   : byte >= 0xC0 ? 2
                                                  : 1;
        whole = length > back ? bytes.size() - back : whole;
        break;
    }
    m_utf8 = m_utf8 && IsWellFormedUtf8(bytes.substr(0, whole));
    m_cut.assign(bytes.substr(whole));
}

CsvRecordFeed::CsvRecordFeed(const CsvTextScan& scan, std::vector<Diagnostic>& diagnostics,
                             Take take, std::vector<int>* rowLines)
    : m_rows(std::make_unique<Rows>(
          Rows{ProblemList(diagnostics, Diagnostic::Place::Line), std::move(take), rowLines})),
      m_convert(!scan.ReadAsUtf8()) {
    if (scan.ReadAsUtf8() && scan.BeyondAscii()) {
        m_rows->report(1, -1, MessageKind::CsvUtf8);
    }
}

CsvRecordFeed::~CsvRecordFeed() = default;

void CsvRecordFeed::Add(std::string_view block) {
    m_text.append(block);
    if (!m_started) {
        if (m_text.size() < kUtf8ByteOrderMark.size()) {
            return;
        }
        m_started = true;
        m_text.erase(0, m_text.size() - WithoutByteOrderMark(m_text).size());
    }
    // A quoted field that ran to the end of the text is tried again once the text has doubled,
    // so a quote that is never closed costs a few passes over the file, not one a block.
    if (m_text.size() >= m_retryAt) {
        m_text.erase(0, ReadRecords(m_text, false));
    }
}

int CsvRecordFeed::Finish(std::string_view rest) {
    // What no block carried over is read where it lies.
    std::string_view text = rest;
    if (!m_text.empty()) {
        m_text.append(rest);
        text = m_text;
    }
    ReadRecords(m_started ? text : WithoutByteOrderMark(text), true);
    return m_rows->recordsRead;
}

std::size_t CsvRecordFeed::ReadRecords(std::string_view text, bool last) {
    const char* const start = text.data();
    if (!last) {
        // Records before the last line end are whole unless a quoted field goes on past it; a
        // CR that ends the text may have its LF in the next block.
        std::size_t end = text.find_last_of("\r\n");
        if (end != std::string_view::npos && text[end] == '\r' && end + 1 == text.size()) {
            end = end == 0 ? std::string_view::npos : text.find_last_of("\r\n", end - 1);
        }
        if (end == std::string_view::npos) {
            return 0;
        }
        text = text.substr(0, end + 1);
    }
    CsvScanner scanner(text, true, m_convert, m_line);
    const char* read = start;
    bool cut = false;
    while (!scanner.AtEnd()) {
        const CsvScanner::Record record = scanner.Next();
        if (record.quoteNotClosed && !last) {
            cut = true;
            break;
        }
        m_rows->Take(record);
        read = scanner.Position();
        m_line = scanner.Line();
    }
    const auto taken = static_cast<std::size_t>(read - start);
    m_retryAt = cut ? 2 * (m_text.size() - taken) : 0;
    return taken;
}

CsvImport ReadCsvMemory(std::string_view fileBytes) {
    CsvImport result;
    const int records = EstimateCsvRecords(fileBytes.size());
    result.table.ReserveChannels(records);
    result.origins.lines.reserve(static_cast<std::size_t>(records));
    result.recordsRead = ReadCsvRecords(
        fileBytes, result.diagnostics,
        [&](std::span<const std::string_view> cells) { result.table.AppendRow(cells); },
        &result.origins.lines);
    return result;
}

CsvTextCheck CheckCsvTextBytes(const std::string& path, std::string_view text, bool hint) {
    // Text holds no NUL bytes. One means a binary file (a .g3m memory file picked by mistake)
    // or text saved as UTF-16, which would read as nothing but garbage.
    const std::string_view body = WithoutByteOrderMark(text);
    const void* nul = body.empty() ? nullptr : std::memchr(body.data(), '\0', body.size());
    if (nul != nullptr) {
        const auto at = static_cast<std::size_t>(static_cast<const char*>(nul) - text.data());
        return {Error{hint ? MessageKind::ErrorNulByteMemoryFile : MessageKind::ErrorNulByte,
                      {std::to_string(LineAt(text, at)), std::to_string(at + 1)},
                      path}};
    }
    return {Done{}, AsciiPrefixLength(body) != body.size()};
}

}  // namespace corvalen

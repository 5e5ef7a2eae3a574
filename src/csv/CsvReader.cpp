#include "csv/CsvReader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <deque>
#include <exception>
#include <iterator>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <thread>
#include <utility>

#include "convert/NumberText.h"
#include "convert/Windows1252.h"
#include "csv/BlockScan.h"
#include "csv/ByteScan.h"
#include "io/SafeFile.h"
#include "io/ThreadsApart.h"
#include "io/TwoThreads.h"

namespace corvalen {

namespace {

constexpr char kQuote = '"';

// For the paths that few fields take: kept out of the loop that nearly every field takes, so
// its values stay in registers.
#if defined(__GNUC__) || defined(__clang__)
#define CORVALEN_RARE __attribute__((noinline))
#else
#define CORVALEN_RARE
#endif

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

    RecordCells() = default;
    RecordCells(const RecordCells&) = delete;
    RecordCells& operator=(const RecordCells&) = delete;

    // Before each record. The views are set as the fields come (see Begin and End), into
    // `views` (kCount of them) when given, else into the cells' own.
    void Clear(std::string_view* views = nullptr) {
        m_views = views != nullptr ? views : m_own.data();
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
            m_views[k] = bytes;
            return;
        }
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
    // Cell `cell`'s whole text in one piece, kept as it is or converted from Windows-1252.
    void Put(std::size_t cell, std::string_view bytes, bool convert) {
        if (convert) {
            PutConverted(cell, bytes);
        } else {
            m_views[cell] = bytes;
        }
    }
    CORVALEN_RARE void PutConverted(std::size_t cell, std::string_view bytes) {
        Begin(cell);
        Take(bytes, true);
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
        return std::span<const std::string_view, kCount>(m_views, kCount);
    }
    // The cells put together in the cells' own buffer (see Views), one bit each, the first cell
    // in the lowest; none in most records.
    std::uint32_t BufferedCells() const { return m_buffered; }
    bool Buffered(std::size_t cell) const { return ((m_buffered >> cell) & 1) != 0; }
    std::string_view View(std::size_t cell) const {
        return Buffered(cell)
                   ? std::string_view(m_buffer).substr(m_start[cell], m_end[cell] - m_start[cell])
                   : m_views[cell];
    }

private:
    std::array<std::string_view, kCount> m_own{};
    std::string_view* m_views = m_own.data();
    static_assert(kCount <= 32, "one bit a cell");
    std::uint32_t m_buffered = 0;
    std::array<std::size_t, kCount> m_start{};
    std::array<std::size_t, kCount> m_end{};
    std::string m_buffer;
    std::size_t m_current = kCount;
};

// Finds the end of each field with a search of its own, 16 bytes at a time where the processor
// allows it (see ByteScan.h).
class FieldFinder {
public:
    explicit FieldFinder(const char* end) : m_end(end) {}
    // As BlockFinder::QuickField, with a search of its own for the field's end.
    QuickFieldText QuickField(const char* from) { return QuickFieldBySearch(*this, from, m_end); }
    const char* FieldEnd(const char* from, bool& high) const {
        return FindFirstOf3(from, m_end, ',', '\r', '\n', high);
    }
    const char* QuotedEnd(const char* from, bool& high) const {
        return FindFirstOf3(from, m_end, kQuote, '\r', '\n', high);
    }

private:
    const char* m_end;
};

// Walks the file once, one record per line. A record ends at CR LF, LF or a lone CR, except
// inside a quoted field, which may run over line ends and keeps them in its text. The bytes
// that end a field are found by `Finder` (FieldFinder or BlockFinder), which both give the same
// answers.
template <typename Finder>
class RecordScanner {
public:
    // `utf8`: the bytes are UTF-8 already and are taken as they are.
    RecordScanner(std::string_view bytes, bool utf8, Finder finder)
        : m_end(bytes.data() + bytes.size()), m_pos(bytes.data()), m_utf8(utf8), m_find(finder) {}

    bool AtEnd() const { return m_pos >= m_end; }

    // Reads the next record into `cells`, which the caller hands in cleared.
    //
    // The two forms nearly every field has (see QuickField) are read here without a step to
    // spare; ReadField reads every other form. A field read either way is blank only when it
    // is empty or ReadField says so, since the quick forms never start with a space.
    RecordShape Next(RecordCells& cells) {
        RecordShape shape;
        shape.line = m_line;
        // In locals, which the stores of the cells' views cannot be taken to change.
        const char* const end = m_end;
        const bool windows1252 = !m_utf8;
        Finder find = m_find;
        const char* p = m_pos;
        std::size_t field = 0;
        bool quoted = false;
        bool anyNonBlank = false;
        for (;; ++field) {
            const QuickFieldText quick = p != end ? find.QuickField(p) : QuickFieldText{};
            if (quick.next != nullptr) {
                quoted = quick.quoted;
                anyNonBlank |= quick.start != quick.stop;
                if (field < RecordCells::kCount) {
                    cells.Put(field,
                              std::string_view(quick.start,
                                               static_cast<std::size_t>(quick.stop - quick.start)),
                              quick.high && windows1252);
                }
                p = quick.next;
                if (!quick.comma) {
                    break;
                }
                ++p;
                continue;
            }
            m_pos = p;
            m_find = find;
            cells.Begin(field);
            quoted = ReadField(cells, shape);
            p = m_pos;
            find = m_find;
            if (p < end && *p == ',') {
                ++p;
                continue;
            }
            break;
        }
        m_pos = p;
        m_find = find;
        SkipLineEnd();
        shape.fieldCount = static_cast<int>(field + 1);
        cells.End(field + 1);
        shape.anyNonBlank = shape.anyNonBlank || anyNonBlank;
        shape.blankLine = shape.fieldCount == 1 && !quoted && !shape.anyNonBlank;
        return shape;
    }

private:
    // Reads one field up to (not including) the comma or line end that ends it.
    // Returns whether the field was quoted.
    CORVALEN_RARE bool ReadField(RecordCells& cells, RecordShape& shape) {
        const char* p = m_pos;
        while (p < m_end && *p == ' ') {
            ++p;
        }
        if (p < m_end && *p == kQuote) {
            m_pos = ReadQuoted(p + 1, cells, shape);
            return true;
        }
        bool high = false;
        const char* stop = m_find.FieldEnd(p, high);
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
            p = m_find.QuotedEnd(p, high);
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
        const char* end = m_find.FieldEnd(text, high2);
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
    Finder m_find;
    int m_line = 1;
};

}  // namespace

int EstimateCsvRecords(std::string_view bytes) {
    if (bytes.empty()) {
        return 1;  // an empty buffer may have no address at all, which memchr must not see
    }
    // A large file's lines are counted in its first 256 KiB and the count scaled to its size,
    // an eighth more for lines that get longer further on: counting them all took as long as a
    // tenth of reading the file.
    constexpr std::size_t kSample = std::size_t{256} << 10;
    const std::string_view sample = bytes.substr(0, kSample);
    const auto count = [&](char c) {
        std::ptrdiff_t n = 0;
        const char* end = sample.data() + sample.size();
        for (const char* p = sample.data();
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
    if (bytes.size() > sample.size()) {
        const double scale = static_cast<double>(bytes.size()) / static_cast<double>(sample.size());
        lines = static_cast<std::ptrdiff_t>(static_cast<double>(lines) * scale * 1.125);
    }
    return static_cast<int>(std::min<std::ptrdiff_t>(lines + 1, 1 << 24));
}

namespace {

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

namespace {

using TakeRecord = std::function<void(std::span<const std::string_view> cells)>;

// Where ReadRecords puts the records it reads: `Slot()` gives room for the views of the next
// record's cells (nullptr: the cells' own), and `Take(cells)` takes a record read into it.
// A record passed over leaves its slot to the next.
struct TakingSink {
    const TakeRecord& take;
    std::string_view* Slot() { return nullptr; }
    void Take(RecordCells& cells) { take(cells.Views()); }
};

// Reads the records of `bytes` with `scanner` into `sink` (see ReadCsvRecords).
template <typename Finder, typename Sink>
int ReadRecords(RecordScanner<Finder>& scanner, std::vector<Diagnostic>& diagnostics, Sink& sink,
                std::vector<int>* rowLines) {
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
        cells.Clear(sink.Slot());
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
        sink.Take(cells);
    }
    return recordsRead;
}

// The block classifier `scan` stands for; nullptr for the field-by-field search.
ClassifyBlock ClassifierFor(CsvScan scan) {
    switch (scan) {
        case CsvScan::Fields:
            return nullptr;
        case CsvScan::Sse2Blocks:
            return Sse2BlockClassifier();
        case CsvScan::Avx2Blocks:
            return Avx2BlockClassifier();
        case CsvScan::Best:
            break;
    }
    const ClassifyBlock avx2 = Avx2BlockClassifier();
    return avx2 != nullptr ? avx2 : Sse2BlockClassifier();
}

}  // namespace

bool CsvScanAvailable(CsvScan scan) {
    return scan == CsvScan::Best || scan == CsvScan::Fields || ClassifierFor(scan) != nullptr;
}

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// ReadCsvRecords, its records put into `sink` (see ReadRecords).
template <typename Sink>
int ReadTextRecords(std::string_view fileBytes, std::vector<Diagnostic>& diagnostics, Sink& sink,
                    CsvScan scan, std::vector<int>* rowLines, std::optional<bool> beyondAscii) {
    // A spreadsheet may have saved the file as UTF-8, with or without a byte-order mark. Text in
    // Windows-1252 with letters beyond ASCII is almost never well-formed UTF-8, so such a file
    // is read as UTF-8 and its characters come through as they were.
    const bool byteOrderMark = fileBytes.starts_with(kByteOrderMark);
    if (byteOrderMark) {
        fileBytes.remove_prefix(kByteOrderMark.size());
    }
    if (!beyondAscii) {
        beyondAscii = AnyHighByte(fileBytes.data(), fileBytes.data() + fileBytes.size());
    }
    const bool utf8 = (byteOrderMark || *beyondAscii) && IsWellFormedUtf8(fileBytes);
    if (utf8 && *beyondAscii) {
        diagnostics.push_back(Diagnostic{Diagnostic::Place::Line, 1, -1, MessageKind::CsvUtf8, {}});
    }
    const char* end = fileBytes.data() + fileBytes.size();
    if (const ClassifyBlock classify = ClassifierFor(scan)) {
        RecordScanner scanner(fileBytes, utf8, BlockFinder(fileBytes.data(), end, classify));
        return ReadRecords(scanner, diagnostics, sink, rowLines);
    }
    RecordScanner scanner(fileBytes, utf8, FieldFinder(end));
    return ReadRecords(scanner, diagnostics, sink, rowLines);
}

}  // namespace

int ReadCsvRecords(std::string_view fileBytes, std::vector<Diagnostic>& diagnostics,
                   const TakeRecord& take, CsvScan scan, std::vector<int>* rowLines,
                   std::optional<bool> beyondAscii) {
    TakingSink sink{take};
    return ReadTextRecords(fileBytes, diagnostics, sink, scan, rowLines, beyondAscii);
}

namespace {

// Records read on one thread and taken on another, some thousands at a time (1.2 MB of views, in
// one large page, so that the batches cost few page faults and the threads seldom wait). Each batch
// keeps the records' cells as views: into the file's bytes, or into the batch's own text for cells
// the reader put together (converted letters, doubled quotes), which it holds only until its next
// record.
class RecordBatch {
public:
    // Small enough that a batch's views and the file bytes they point to are still in the
    // processor's caches when the taking thread gets them.
    static constexpr std::size_t kRecords = 1024;
    using Cells = std::array<std::string_view, RecordCells::kCount>;

    // The room for the records is made by the reading thread as it first fills the batch, not
    // before the reading starts.
    RecordBatch() = default;
    // Whether the batch holds `records` (at most kRecords).
    bool Holds(std::size_t records) const { return m_count == records; }
    void Clear() {
        m_count = 0;
        m_pieces.clear();
        m_text.clear();
    }
    // Room for the views of the next record's cells, which the reader reads straight into it.
    std::string_view* Slot() {
        if (m_records.empty()) {
            m_records.resize(kRecords);
            m_text.reserve(kRecords * 16);
        }
        return m_records[m_count].data();
    }
    // Takes the record the reader has read into Slot(), its views made whole (Views). A cell
    // the reader put together in its own buffer, which it reuses, is copied into the batch's
    // text; most records have none.
    void Add(const RecordCells& cells) {
        const Cells& record = m_records[m_count++];
        for (std::uint32_t left = cells.BufferedCells(); left != 0; left &= left - 1) {
            const auto k = static_cast<std::size_t>(std::countr_zero(left));
            m_pieces.push_back({m_count - 1, k, m_text.size(), record[k].size()});
            m_text.append(record[k]);
        }
    }
    // Hands every record to `take`, in order.
    void TakeAll(const TakeRecord& take) {
        for (const Piece& piece : m_pieces) {
            m_records[piece.record][piece.cell] =
                std::string_view(m_text).substr(piece.offset, piece.size);
        }
        for (std::size_t k = 0; k < m_count; ++k) {
            take(m_records[k]);
        }
    }

private:
    struct Piece {
        std::size_t record;
        std::size_t cell;
        std::size_t offset;
        std::size_t size;
    };
    std::vector<Cells> m_records;  // the first m_count are read
    std::size_t m_count = 0;
    std::vector<Piece> m_pieces;
    std::string m_text;
};

// The batches going round between the reading thread and the taking one: empty ones to the
// reader, full ones to the taker, in order.
class BatchRing {
public:
    static constexpr std::size_t kBatches = 4;
    static_assert(kBatches * RecordBatch::kRecords <= kRecordsReadAhead);

    BatchRing() {
        for (std::size_t k = 0; k < kBatches; ++k) {
            m_empty.push_back(std::make_unique<RecordBatch>());
        }
    }
    // For the reader: an empty batch, or nullptr once the taker has stopped.
    std::unique_ptr<RecordBatch> Empty() {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return !m_empty.empty() || m_stopped; });
        if (m_stopped) {
            return nullptr;
        }
        std::unique_ptr<RecordBatch> batch = std::move(m_empty.front());
        m_empty.pop_front();
        return batch;
    }
    // The taker's work of preparing records (SetPrepare) when the taker has a full batch
    // waiting besides the one the reader has just put: it is slower than the reader. Else
    // nullptr. (The batch just put is nearly always still there when the reader asks, so
    // counting it made the reader prepare almost every batch and do most of the work itself
    // while the taker waited.)
    const PrepareRecord* PrepareWhenBehind() {
        const std::lock_guard lock(m_mutex);
        return m_full.size() > 1 ? m_prepare : nullptr;
    }
    // For the taker, once it takes batches: its work of preparing records (nullptr for none).
    void SetPrepare(const PrepareRecord* prepare) {
        const std::lock_guard lock(m_mutex);
        m_prepare = prepare;
    }
    void PutFull(std::unique_ptr<RecordBatch> batch) {
        {
            const std::lock_guard lock(m_mutex);
            m_full.push_back(std::move(batch));
        }
        m_changed.notify_all();
    }
    // For the taker: the next full batch, or nullptr after the last.
    std::unique_ptr<RecordBatch> Full() {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return !m_full.empty() || m_finished; });
        if (m_full.empty()) {
            return nullptr;
        }
        std::unique_ptr<RecordBatch> batch = std::move(m_full.front());
        m_full.pop_front();
        return batch;
    }
    void PutEmpty(std::unique_ptr<RecordBatch> batch) {
        batch->Clear();
        {
            const std::lock_guard lock(m_mutex);
            m_empty.push_back(std::move(batch));
        }
        m_changed.notify_all();
    }
    // The reader has put its last batch.
    void Finish() {
        {
            const std::lock_guard lock(m_mutex);
            m_finished = true;
        }
        m_changed.notify_all();
    }
    // The taker stops early (it threw): the reader gets no more batches.
    void Stop() {
        {
            const std::lock_guard lock(m_mutex);
            m_stopped = true;
        }
        m_changed.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::unique_ptr<RecordBatch>> m_empty;
    std::deque<std::unique_ptr<RecordBatch>> m_full;
    bool m_finished = false;
    bool m_stopped = false;
    const PrepareRecord* m_prepare = nullptr;
};

// Thrown on the reading thread to end the reading once the taker has stopped.
struct ReadingStopped {};

// Where the reading thread reads records: straight into the batch it fills, which goes to the
// taker once full. The taker's work is shared batch by batch: while it has a full batch
// waiting, the records of the next are prepared here too.
struct BatchSink {
    BatchRing& ring;
    std::unique_ptr<RecordBatch> batch;
    // The first batch is small, so that the taker soon has work.
    std::size_t batchRecords = RecordBatch::kRecords / 8;
    std::size_t index = 0;
    const PrepareRecord* preparing = nullptr;  // for the records of this batch

    std::string_view* Slot() {
        if (batch == nullptr) {
            throw ReadingStopped{};
        }
        return batch->Slot();
    }
    void Take(RecordCells& cells) {
        const std::span<const std::string_view> views = cells.Views();
        if (preparing != nullptr) {
            (*preparing)(index, views);
        }
        ++index;
        batch->Add(cells);
        if (batch->Holds(batchRecords)) {
            ring.PutFull(std::move(batch));
            batch = ring.Empty();
            batchRecords = RecordBatch::kRecords;
            preparing = ring.PrepareWhenBehind();
        }
    }
};

}  // namespace

bool ReadsAhead(std::string_view fileBytes) {
    // Small files are read at once; a second thread costs more than it saves there.
    constexpr std::size_t kWorthAThread = std::size_t{256} << 10;
    return fileBytes.size() >= kWorthAThread && std::thread::hardware_concurrency() >= 2;
}

// What the reading thread and the taking one share.
struct CsvRecordsAhead::Reading {
    BatchRing ring;
    std::vector<Diagnostic> found;
    int records = 0;
    std::exception_ptr failure;
    std::vector<int> lines;  // set once, when the reading ends
    std::optional<ThreadsApart> apart;
    std::thread reader;
};

CsvRecordsAhead::CsvRecordsAhead(std::string_view fileBytes, CsvScan scan, bool withLines,
                                 std::optional<bool> beyondAscii)
    : m_fileBytes(fileBytes), m_scan(scan), m_withLines(withLines), m_beyondAscii(beyondAscii) {
    if (!ReadsAhead(fileBytes)) {
        return;
    }
    m_reading = std::make_unique<Reading>();
    Reading& reading = *m_reading;
    reading.apart.emplace();
    reading.reader = std::thread([this, &reading] {
        // The lines go into a vector on this thread's own stack: one the taker can reach might
        // share a cache line with what the taker writes record after record, and the two
        // threads would then take that line from each other for every record.
        std::vector<int> lines;
        try {
            BatchSink sink{reading.ring, reading.ring.Empty()};
            reading.records = ReadTextRecords(m_fileBytes, reading.found, sink, m_scan,
                                              m_withLines ? &lines : nullptr, m_beyondAscii);
            if (sink.batch != nullptr) {
                reading.ring.PutFull(std::move(sink.batch));
            }
        } catch (const ReadingStopped&) {
        } catch (...) {
            reading.failure = std::current_exception();
        }
        reading.lines = std::move(lines);
        reading.ring.Finish();
    });
    reading.apart->Place(reading.reader);
}

CsvRecordsAhead::~CsvRecordsAhead() {
    if (m_reading != nullptr) {
        m_reading->ring.Stop();
        m_reading->reader.join();
    }
}

int CsvRecordsAhead::TakeAll(std::vector<Diagnostic>& diagnostics, const TakeRecord& take,
                             std::vector<int>* rowLines, const PrepareRecord& prepare) {
    if (m_reading == nullptr) {
        return ReadCsvRecords(m_fileBytes, diagnostics, take, m_scan,
                              m_withLines ? rowLines : nullptr, m_beyondAscii);
    }
    Reading& reading = *m_reading;
    reading.ring.SetPrepare(prepare ? &prepare : nullptr);
    try {
        while (std::unique_ptr<RecordBatch> batch = reading.ring.Full()) {
            batch->TakeAll(take);
            reading.ring.PutEmpty(std::move(batch));
        }
    } catch (...) {
        reading.ring.Stop();
        reading.reader.join();
        m_reading.reset();
        throw;
    }
    reading.reader.join();
    const std::unique_ptr<Reading> read = std::move(m_reading);
    if (rowLines != nullptr && m_withLines) {
        if (rowLines->empty()) {
            *rowLines = std::move(read->lines);
        } else {
            rowLines->insert(rowLines->end(), read->lines.begin(), read->lines.end());
        }
    }
    if (read->failure) {
        std::rethrow_exception(read->failure);
    }
    diagnostics.insert(diagnostics.end(), std::make_move_iterator(read->found.begin()),
                       std::make_move_iterator(read->found.end()));
    return read->records;
}

int ReadCsvRecordsAhead(std::string_view fileBytes, std::vector<Diagnostic>& diagnostics,
                        const TakeRecord& take, CsvScan scan, std::vector<int>* rowLines,
                        const PrepareRecord& prepare, std::optional<bool> beyondAscii) {
    CsvRecordsAhead ahead(fileBytes, scan, rowLines != nullptr, beyondAscii);
    return ahead.TakeAll(diagnostics, take, rowLines, prepare);
}

CsvImport ReadCsvMemory(std::string_view fileBytes, CsvScan scan, std::optional<bool> beyondAscii) {
    CsvImport result;
    const int records = EstimateCsvRecords(fileBytes);
    result.table.ReserveChannels(records);
    // The rows' cell offsets plus their text, which is the file's bytes less the quotes and
    // commas, and some room for letters that take more bytes in UTF-8 than in Windows-1252.
    result.table.ReserveRowBytes(static_cast<std::size_t>(records) * 4 *
                                     (kImportedColumnCount + 2) +
                                 fileBytes.size() + fileBytes.size() / 8);
    result.origins.lines.reserve(static_cast<std::size_t>(records));
    // Packing the rows costs about half as much as reading them: read on a second thread.
    result.recordsRead = ReadCsvRecordsAhead(
        fileBytes, result.diagnostics,
        [&](std::span<const std::string_view> cells) { result.table.AppendRow(cells); }, scan,
        &result.origins.lines, {}, beyondAscii);
    return result;
}

// From this size on, the text is checked in two halves at once.
constexpr std::size_t kTextCheckedInHalves = std::size_t{1} << 20;

CsvTextCheck CheckCsvTextBytes(const std::string& path, std::string_view text,
                               std::string_view hint) {
    // Text holds no NUL bytes. One means a binary file (a .g3m memory file picked by mistake)
    // or text saved as UTF-16, which would read as nothing but garbage.
    const std::size_t mark = text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
    const char* end = text.data() + text.size();
    bool high = false;
    const char* at = end;
    if (text.size() >= kTextCheckedInHalves && HasTwoCores()) {
        // A large file's later half is looked at on a second processor: the first look at a
        // mapped file's bytes is mostly the faults that bring its pages in.
        const char* middle = text.data() + text.size() / 2;
        bool laterHigh = false;
        const char* laterNul = end;
        RunInTwoThreads([&] { at = FindNul(text.data() + mark, middle, high); },
                        [&] { laterNul = FindNul(middle, end, laterHigh); });
        at = at != middle ? at : laterNul;
        high = high || laterHigh;
    } else {
        at = FindNul(text.data() + mark, end, high);
    }
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

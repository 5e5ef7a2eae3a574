// The receiver software's CSV memory file (Windows-1252, a header line, 19 fields a line).

#include <cstring>

#include "channel/CellChecks.h"
#include "convert/TextLines.h"
#include "csv/CsvReader.h"
#include "csv/CsvWriter.h"
#include "files/ChannelFiles.h"
#include "files/EditorText.h"
#include "formats/EibiSchedule.h"
#include "io/BlockDigest.h"
#include "io/SafeFile.h"

namespace corvalen {

namespace {

// The bytes of a file read at a time when its rows are handed over as they are read.
constexpr std::size_t kBlockBytes = std::size_t{1} << 18;

class ReceiverCsv final : public ChannelFormat {
public:
    std::string_view ShortName() const override { return "csv"; }
    std::string_view Name() const override { return "receiver CSV"; }
    std::vector<std::string_view> Extensions(ReceiverModel) const override { return {".csv"}; }
    FormatTexts Texts(ReceiverModel) const override {
        return {QT_TRANSLATE_NOOP("corvalen::FileActions", "Data files (*.csv)|*.csv"),
                QT_TRANSLATE_NOOP("corvalen::FileActions", "Memory files (*.csv)|*.csv"),
                QT_TRANSLATE_NOOP("corvalen::FileActions", "Read %1 from %2"),
                QT_TRANSLATE_NOOP("corvalen::FileActions", "Saved %1 to %2"),
                {"row", "rows"},
                {"line", "lines"},
                {"cell", "cells"}};
    }
    bool LooksLike(std::string_view bytes, ReceiverModel) const override {
        // The header line the receiver software writes starts with its Number column.
        const std::string_view start = WithoutByteOrderMark(bytes.substr(0, 16));
        return start.starts_with("\"Number\"") || start.starts_with("Number,");
    }
    std::size_t LooksAtStart() const override { return 16; }

    Result<ChannelFileRead> Read(const std::string& path, std::string_view bytes,
                                 const ReadSettings&) const override {
        const CsvTextCheck text = CheckText(path, bytes);
        if (!text.status) {
            return text.status.error();
        }
        return FromCsvImport(ReadCsvMemory(bytes));
    }

    Result<RowSource> RowsOf(const std::string& path, std::size_t maxBytes,
                             ChannelFileReport& report) const override {
        // A first read goes as far as it takes to tell how the text is read: to the end, unless
        // a byte sequence that is no UTF-8 settles it sooner.
        CsvTextScan scan;
        BlockDigest first;
        std::string start;
        const Result<std::optional<unsigned long long>> size =
            ReadFileBlocks(path, maxBytes, kBlockBytes, [&](std::string_view block) {
                if (start.empty()) {
                    start = block.substr(0, 8);
                }
                scan.Add(block);
                first.Add(block);
                return !scan.Settled();
            });
        if (!size) {
            return size.error();
        }
        scan.Finish();
        if (!*size || scan.HoldsNul() || LooksLikeEibiSchedule(start)) {
            return RowSource{};  // Read tells why it is refused, with its line
        }
        const auto rows = static_cast<std::size_t>(EstimateCsvRecords(**size));
        return RowSource{
            rows, [&report, path, maxBytes, scan, first, rows](const RowSink& take) -> Status {
                report.origins.lines.reserve(rows);
                CsvRecordFeed feed(scan, report.diagnostics, take, &report.origins.lines);
                // The blocks the first read saw decided how to read the text: they must come again.
                BlockDigest digest;
                unsigned long long taken = 0;
                bool nul = false;
                const Result<std::optional<unsigned long long>> read =
                    ReadFileBlocks(path, maxBytes, kBlockBytes, [&](std::string_view block) {
                        if (taken < scan.Size()) {
                            digest.Add(block);
                        }
                        taken += block.size();
                        nul = std::memchr(block.data(), '\0', block.size()) != nullptr;
                        if (!nul) {
                            feed.Add(block);
                        }
                        return !nul;
                    });
                std::optional<Error> refused;
                if (!read) {
                    refused = read.error();
                } else if (!*read || !(digest == first)) {
                    refused = Error{MessageKind::ErrorChangedWhileRead, {}, path};
                } else if (nul) {
                    refused = RefusalOfWhole(path, maxBytes);
                }
                if (refused) {
                    // A file that cannot be taken reports nothing of what it held.
                    report.diagnostics.clear();
                    return *refused;
                }
                report.recordsRead = feed.Finish();
                return Done{};
            }};
    }

    Result<ChannelFileReport> Write(const std::string& path, const MemoryTable& table,
                                    const WriteSettings& settings) const override {
        CsvText text = BuildCsvText(table, settings.importForm);
        return SaveFormatText(path, text.bytes,
                              {.channels = table.ChannelCount() - text.rowsSkipped,
                               .rowsSkipped = text.rowsSkipped,
                               .diagnostics = std::move(text.diagnostics)});
    }

private:
    // Why Read refuses the file at `path`, found a NUL byte past where the first read went: the
    // whole read names its line and byte.
    static Error RefusalOfWhole(const std::string& path, std::size_t maxBytes) {
        const Result<ByteBuffer> bytes = ReadWholeFileBuffer(path, maxBytes);
        if (!bytes) {
            return bytes.error();
        }
        const CsvTextCheck text = CheckText(path, std::string_view(bytes->data(), bytes->size()));
        return text.status ? Error{MessageKind::ErrorChangedWhileRead, {}, path}
                           : text.status.error();
    }

    // Text, and no broadcast schedule (which holds broadcasts to pick rather than channels).
    static CsvTextCheck CheckText(const std::string& path, std::string_view bytes) {
        if (LooksLikeEibiSchedule(bytes)) {
            return {Error{MessageKind::ScheduleNoChannels, {path}}};
        }
        return CheckCsvTextBytes(path, bytes);
    }
};

}  // namespace

const ChannelFormat& ReceiverCsvFormat() {
    static const ReceiverCsv format;
    return format;
}

}  // namespace corvalen

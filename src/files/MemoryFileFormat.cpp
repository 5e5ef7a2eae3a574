// The receiver's binary memory file: one record per channel number, at the channel's place;
// .g3m files for the G313 and G303, .15m files for the G305 and G315.

#include <algorithm>
#include <cstdint>
#include <span>

#include "channel/CellChecks.h"
#include "files/ChannelFiles.h"
#include "files/EditorText.h"
#include "g3m/MemoryFile.h"
#include "g3m/RecordChecksum.h"
#include "g3m/RecordLayout.h"
#include "io/SafeFile.h"

namespace corvalen {

namespace {

// Whether `bytes` hold records of `model`: at least one record that is no empty place, and
// the checksum of every such whole record matches.
bool HoldsRecords(std::string_view bytes, ReceiverModel model) {
    const std::size_t length = model.RecordLength();
    bool any = false;
    for (std::size_t at = 0; at + length <= bytes.size(); at += length) {
        const std::span<const std::uint8_t> record(
            reinterpret_cast<const std::uint8_t*>(bytes.data()) + at, length);
        if (std::all_of(record.begin(), record.end(), [](std::uint8_t b) { return b == 0; })) {
            continue;
        }
        if (GetLe32(record, kChecksumOffset) != ComputeRecordChecksum(record)) {
            return false;
        }
        any = true;
    }
    return any;
}

// The decoded records of a memory file, refused when too long or when no record is sound.
Result<MemoryFileReadReport> DecodeMemoryFile(const std::string& path, std::string_view bytes,
                                              ReceiverModel model) {
    if (bytes.size() > MaxMemoryFileBytes(model)) {
        return Error{MessageKind::ErrorTooManyRecords,
                     {GroupedDigits(bytes.size() / model.RecordLength()),
                      std::to_string(model.RecordLength()), GroupedDigits(kMaxRecords)},
                     path};
    }
    MemoryFileReadReport read = DecodeMemoryFileImage(bytes, model);
    if (read.placesUsed > 0 && read.badChecksums == read.placesUsed) {
        return Error{MessageKind::ErrorNoChecksumMatches,
                     {GroupedDigits(static_cast<std::size_t>(read.placesUsed)), model.Name()},
                     path};
    }
    return read;
}

class MemoryFile final : public ChannelFormat {
public:
    std::string_view ShortName() const override { return "memory"; }
    std::string_view Name() const override { return "memory file"; }
    std::vector<std::string_view> Extensions(ReceiverModel model) const override {
        return {model.FileSuffix()};
    }
    std::vector<std::string_view> AllExtensions() const override { return {".g3m", ".15m"}; }
    FormatTexts Texts(ReceiverModel model) const override {
        return {model.HoldsSecondarySquelch()
                    ? QT_TRANSLATE_NOOP("corvalen::FileActions", "Memory files (*.15m)|*.15m")
                    : QT_TRANSLATE_NOOP("corvalen::FileActions", "Memory files (*.g3m)|*.g3m"),
                nullptr,
                QT_TRANSLATE_NOOP("corvalen::FileActions", "Read %1 from %2 (%3-byte records)"),
                QT_TRANSLATE_NOOP("corvalen::FileActions", "Wrote %1 of %3 bytes to %2"),
                {"record", "records"},
                {"problem", "problems"},
                {nullptr, nullptr}};
    }
    // Opened with a command of its own, for the receiver model's files.
    bool OpenedAsChannelFile() const override { return false; }
    bool HoldsRecords() const override { return true; }
    std::size_t MaxFileBytes(ReceiverModel model) const override {
        return MaxMemoryFileBytes(model);
    }
    // What EncodeRecord stores and DecodeMemoryFileImage reads back: no Priority, no reserved
    // fields; IF Shift and Bandwidth, and the secondary squelch, only where the model's keep them.
    ColumnSet HeldColumns(ReceiverModel model) const override {
        ColumnSet held{Number,       Frequency, Groups,   Hotkey,  Lockout,
                       LevelSquelch, Mode,      Callsign, Comments};
        if (model.HoldsIfShiftAndBandwidth()) {
            held.Add(Bandwidth).Add(IfShift);
        }
        if (model.HoldsSecondarySquelch()) {
            held.Add(SecondarySquelchType).Add(SecondarySquelchValue);
        }
        return held;
    }
    bool LooksLike(std::string_view bytes, ReceiverModel model) const override {
        return corvalen::HoldsRecords(bytes, model);
    }

    Result<ChannelFileRead> Read(const std::string& path, std::string_view bytes,
                                 const ReadSettings& settings) const override {
        Result<MemoryFileReadReport> decoded = DecodeMemoryFile(path, bytes, settings.model);
        if (!decoded) {
            return decoded.error();
        }
        ChannelFileRead read;
        read.table = std::move(decoded->table);
        read.report.recordsRead = decoded->recordsRead;
        read.report.badChecksums = decoded->badChecksums;
        read.report.incompleteBytes = decoded->incompleteBytes;
        read.report.diagnostics = std::move(decoded->problems);
        return read;
    }

    Result<ChannelFileReport> Write(const std::string& path, const MemoryTable& table,
                                    const WriteSettings& settings) const override {
        const RowSource rows{static_cast<std::size_t>(table.RowCount()),
                             [&table](const RowSink& take) -> Status {
                                 for (int row = 1; row < table.RowCount(); ++row) {
                                     take(PresentCells(table, RowTextsOf(table, row)));
                                 }
                                 return Done{};
                             }};
        return WriteRows(path, rows, settings);
    }

    // Updates the memory file at `path` in place with the records of the rows `rows` hands over:
    // whatever else the old file holds stays; a file not there yet starts empty. The file stays
    // locked from reading to writing, so a second program updating it waits for this one.
    Result<ChannelFileReport> WriteRows(const std::string& path, const RowSource& rows,
                                        const WriteSettings& settings) const override {
        MemoryFileSaveReport saved;
        std::vector<std::string> notices;
        const Status updated = UpdateFileAtomically(
            path, MaxMemoryFileBytes(settings.model),
            [&](ByteBuffer& image, const PutBytes& put) -> Status {
                RecordPlacer placer(settings.model, image, rows.expectedRows, put);
                if (Status walked = rows.walk(
                        [&](std::span<const std::string_view> cells) { placer.Place(cells); });
                    !walked) {
                    return walked;
                }
                saved = placer.Finish();
                return placer.Written();
            },
            notices);
        if (!updated) {
            return updated.error();
        }
        return ChannelFileReport{.recordsWritten = saved.recordsWritten,
                                 .recordsKept = saved.recordsKept,
                                 .rowsReplaced = std::move(saved.rowsReplaced),
                                 .rowsNotWritten = saved.rowsNotWritten,
                                 .rowsSkipped = saved.rowsSkipped,
                                 .diagnostics = std::move(saved.problems),
                                 .saveNotices = std::move(notices)};
    }
};

}  // namespace

std::size_t MaxMemoryFileBytes(ReceiverModel model) {
    return static_cast<std::size_t>(kMaxRecords) * model.RecordLength();
}

const ChannelFormat& MemoryFileFormat() {
    static const MemoryFile format;
    return format;
}

bool IsMemoryFilePath(std::string_view path) {
    return MemoryFileFormat().HasExtensionOf(path);
}

bool Is15mPath(std::string_view path) {
    return ExtensionOf(path) == ".15m";
}

bool MemoryFileFitsModel(std::string_view path, ReceiverModel model) {
    return Is15mPath(path) == model.HoldsSecondarySquelch();
}

}  // namespace corvalen

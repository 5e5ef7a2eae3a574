#include "files/ChannelFiles.h"

#include <algorithm>
#include <fstream>
#include <utility>

#include "csv/ChirpCsv.h"
#include "csv/CsvReader.h"
#include "formats/BookmarkList.h"
#include "formats/EibiSchedule.h"
#include "g3m/G3mReader.h"
#include "g3m/MemoryRecord.h"
#include "io/SafeFile.h"

namespace corvalen {

namespace {

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size()) {
        return false;
    }
    return std::equal(suffix.begin(), suffix.end(), text.end() - suffix.size(), [](char a, char b) {
        const auto lower = [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        };
        return lower(a) == lower(b);
    });
}

// Reads an SDR# or SDR++ bookmark list from the bytes of the file at `path`.
Result<MemoryFileRead> ReadBookmarkFile(const std::string& path, std::string_view text,
                                        MemoryFileKind kind,
                                        const std::vector<std::string>& knownGroups) {
    Result<BookmarkRead> list = kind == MemoryFileKind::SdrSharpList
                                    ? ReadSdrSharpList(text, knownGroups)
                                    : ReadSdrppList(text, knownGroups);
    if (!list) {
        return Error{"Cannot read \"" + path + "\": " + list.error().message};
    }
    MemoryFileRead read;
    read.kind = kind;
    read.recordsRead = list->table.ChannelCount();
    read.table = std::move(list->table);
    read.diagnostics = std::move(list->diagnostics);
    read.groupNames = std::move(list->groupNames);
    return read;
}

}  // namespace

bool IsRecordFilePath(std::string_view path) {
    return EndsWithNoCase(path, ".g3m") || Is15mPath(path);
}

bool IsCsvFilePath(std::string_view path) {
    return EndsWithNoCase(path, ".csv");
}

bool Is15mPath(std::string_view path) {
    return EndsWithNoCase(path, ".15m");
}

bool RecordFileFitsModel(std::string_view path, ReceiverModel model) {
    return Is15mPath(path) == model.HoldsSecondarySquelch();
}

MemoryFileKind KindOfMemoryFile(std::string_view path, std::string_view firstBytes) {
    if (IsRecordFilePath(path)) {
        return MemoryFileKind::Records;
    }
    if (LooksLikeSdrSharpList(firstBytes)) {
        return MemoryFileKind::SdrSharpList;
    }
    if (LooksLikeSdrppList(firstBytes)) {
        return MemoryFileKind::SdrppList;
    }
    return LooksLikeChirpCsv(firstBytes) ? MemoryFileKind::ChirpCsv : MemoryFileKind::ReceiverCsv;
}

Result<MemoryFileRead> ReadMemoryFile(const std::string& path, ReceiverModel model,
                                      const std::vector<std::string>& knownGroups) {
    if (!IsRecordFilePath(path)) {
        return ReadCsvFile(path, knownGroups);
    }
    Result<G3mReadReport> decoded = ReadG3mFile(path, model);
    if (!decoded) {
        return decoded.error();
    }
    MemoryFileRead read;
    read.kind = MemoryFileKind::Records;
    read.table = std::move(decoded->table);
    read.recordsRead = decoded->recordsRead;
    read.diagnostics = std::move(decoded->problems);
    read.badChecksums = decoded->badChecksums;
    read.incompleteBytes = decoded->incompleteBytes;
    return read;
}

Result<MemoryFileRead> ReadCsvFile(const std::string& path,
                                   const std::vector<std::string>& knownGroups) {
    // Read once: a pipe or a FIFO gives its bytes only once, so the kind is told from them.
    const Result<ByteBuffer> text = ReadCsvText(path);
    if (!text) {
        return text.error();
    }
    return ReadCsvBytes(path, std::string_view(text->data(), text->size()), knownGroups);
}

Result<MemoryFileRead> ReadCsvBytes(const std::string& path, std::string_view bytes,
                                    const std::vector<std::string>& knownGroups) {
    MemoryFileRead read;
    const MemoryFileKind kind = KindOfMemoryFile(path, bytes);
    if (kind == MemoryFileKind::SdrSharpList || kind == MemoryFileKind::SdrppList) {
        return ReadBookmarkFile(path, bytes, kind, knownGroups);
    }
    if (LooksLikeEibiSchedule(bytes)) {
        return Error{"\"" + path +
                     "\" is an EiBi broadcast schedule: pick its broadcasts with File > Import "
                     "Broadcast Schedule, or with corvalen-cli schedule"};
    }
    const bool chirp = kind == MemoryFileKind::ChirpCsv;
    CsvImport imported = chirp ? ReadChirpCsv(bytes) : ReadCsvMemory(bytes);
    read.kind = chirp ? MemoryFileKind::ChirpCsv : MemoryFileKind::ReceiverCsv;
    read.table = std::move(imported.table);
    read.recordsRead = imported.recordsRead;
    read.diagnostics = std::move(imported.diagnostics);
    read.origins = std::move(imported.origins);
    read.holdsLocationZero = imported.holdsLocationZero;
    return read;
}

void ApplyChirpNumbering(MemoryFileRead& read, ChirpNumbering numbering) {
    if (read.kind != MemoryFileKind::ChirpCsv) {
        return;
    }
    CsvImport import{std::move(read.table), read.recordsRead, std::move(read.diagnostics),
                     std::move(read.origins), read.holdsLocationZero};
    ApplyChirpNumbering(import, numbering);
    read.table = std::move(import.table);
    read.diagnostics = std::move(import.diagnostics);
    read.origins = std::move(import.origins);
    read.holdsLocationZero = import.holdsLocationZero;
}

Result<StreamedConversion> ConvertCsvToRecordFile(const std::string& csvPath,
                                                  const std::string& recordPath,
                                                  ReceiverModel model) {
    const Result<ByteBuffer> text = ReadCsvText(csvPath);
    if (!text) {
        return text.error();
    }
    return ConvertCsvBytesToRecordFile(std::string_view(text->data(), text->size()), recordPath,
                                       model);
}

StreamedConversion ConvertCsvBytesToRecordFile(std::string_view bytes,
                                               const std::string& recordPath,
                                               ReceiverModel model) {
    StreamedConversion conversion;
    conversion.saved = SaveRecordFile(
        recordPath, model,
        [&](RecordPlacer& placer) {
            // The records' cells are checked and encoded on the reading thread too, whenever
            // the placing falls behind; the placing keeps row order.
            if (ReadsAhead(bytes)) {
                placer.PrepareAhead(kRecordsReadAhead);
            }
            conversion.recordsRead = ReadCsvRecordsAhead(
                bytes, conversion.lineDiagnostics,
                [&](std::span<const std::string_view> cells) { placer.Place(cells); },
                CsvScan::Best, &conversion.origins.lines,
                [&](std::size_t index, std::span<const std::string_view> cells) {
                    placer.Prepare(static_cast<int>(index) + 1, cells);
                });
        },
        static_cast<std::size_t>(EstimateCsvRecords(bytes)));
    return conversion;
}

}  // namespace corvalen

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

// Enough of a file to find its header line behind a few "#" comment lines.
constexpr std::size_t kSniffBytes = 64 * 1024;

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

// The first bytes of the file, or nothing when it cannot be opened (the full read that follows
// then says why).
std::string FirstBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::string bytes(kSniffBytes, '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(file ? bytes.size()
                      : static_cast<std::size_t>(std::max<std::streamsize>(0, file.gcount())));
    return bytes;
}

// Reads an SDR# or SDR++ bookmark list whole, refusing one past the size such lists have.
Result<MemoryFileRead> ReadBookmarkFile(const std::string& path, MemoryFileKind kind,
                                        const std::vector<std::string>& knownGroups) {
    Result<ByteBuffer> bytes = ReadWholeFileBuffer(path, kMaxBookmarkListBytes);
    if (!bytes) {
        return bytes.error();
    }
    const std::string_view text(bytes->data(), bytes->size());
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
    return read;
}

Result<MemoryFileRead> ReadCsvFile(const std::string& path,
                                   const std::vector<std::string>& knownGroups) {
    MemoryFileRead read;
    const std::string firstBytes = FirstBytes(path);
    const MemoryFileKind kind = KindOfMemoryFile(path, firstBytes);
    if (kind == MemoryFileKind::SdrSharpList || kind == MemoryFileKind::SdrppList) {
        return ReadBookmarkFile(path, kind, knownGroups);
    }
    if (LooksLikeEibiSchedule(firstBytes)) {
        return Error{"\"" + path +
                     "\" is an EiBi broadcast schedule: pick its broadcasts with File > Import "
                     "Broadcast Schedule, or with corvalen-cli schedule"};
    }
    if (kind != MemoryFileKind::ChirpCsv) {
        Result<CsvImport> imported = ReadCsvMemoryFile(path);
        if (!imported) {
            return imported.error();
        }
        read.kind = MemoryFileKind::ReceiverCsv;
        read.table = std::move(imported->table);
        read.recordsRead = imported->recordsRead;
        read.diagnostics = std::move(imported->diagnostics);
        read.origins = std::move(imported->origins);
        return read;
    }
    Result<std::string> bytes = ReadWholeFile(path);
    if (!bytes) {
        return bytes.error();
    }
    // As for the receiver's CSV files: a NUL byte means no text file.
    if (const std::size_t nul = bytes->find('\0'); nul != std::string::npos) {
        const auto line =
            1 + std::count(bytes->begin(), bytes->begin() + static_cast<std::ptrdiff_t>(nul), '\n');
        return Error{"Cannot read \"" + path + "\": line " + std::to_string(line) +
                     " holds a NUL byte (byte " + std::to_string(nul + 1) +
                     "), so this is no CSV text file"};
    }
    CsvImport imported = ReadChirpCsv(*bytes);
    read.kind = MemoryFileKind::ChirpCsv;
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

bool IsReceiverCsvFile(const std::string& path) {
    return KindOfMemoryFile(path, FirstBytes(path)) == MemoryFileKind::ReceiverCsv;
}

Result<StreamedConversion> ConvertCsvToRecordFile(const std::string& csvPath,
                                                  const std::string& recordPath,
                                                  ReceiverModel model) {
    const Result<ByteBuffer> text = ReadCsvText(csvPath);
    if (!text) {
        return text.error();
    }
    StreamedConversion conversion;
    const std::string_view bytes(text->data(), text->size());
    conversion.saved = SaveRecordFile(
        recordPath, model,
        [&](RecordPlacer& placer) {
            conversion.recordsRead = ReadCsvRecordsAhead(
                bytes, conversion.lineDiagnostics,
                [&](std::span<const std::string_view> cells) { placer.Place(cells); },
                CsvScan::Best, &conversion.origins.lines);
        },
        static_cast<std::size_t>(EstimateCsvRecords(bytes)));
    return conversion;
}

}  // namespace corvalen

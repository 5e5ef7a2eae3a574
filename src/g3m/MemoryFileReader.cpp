#include "g3m/MemoryFileReader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <utility>

#include "channel/CellChecks.h"
#include "convert/Windows1252.h"
#include "g3m/MemoryRecord.h"
#include "g3m/RecordChecksum.h"
#include "g3m/RecordLayout.h"

namespace corvalen {

namespace {

using Record = std::span<const std::uint8_t>;

// The most rows reserved up front: the channel numbers a table can hold. A larger file still
// decodes; it only grows the table as it goes.
constexpr int kMaxReservedRows = 65535;

std::int32_t GetSigned32(Record record, std::size_t offset) {
    return static_cast<std::int32_t>(GetLe32(record, offset));
}

// A text field up to its first zero byte (or its full width), from Windows-1252 to UTF-8.
void TextField(Record record, std::size_t offset, std::size_t width, std::string& text) {
    const auto begin = record.begin() + static_cast<std::ptrdiff_t>(offset);
    const auto end = std::find(begin, begin + static_cast<std::ptrdiff_t>(width), std::uint8_t{0});
    const std::string_view bytes(reinterpret_cast<const char*>(&*begin),
                                 static_cast<std::size_t>(end - begin));
    AppendUtf8FromWindows1252(bytes, text);
}

bool AllZero(Record bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
}

// Offsets of the record no column keeps: a save writes zeros there. Lists, as "14 to 19, 79",
// the part of each such area that holds anything but zeros; empty when they all are zero. A
// record is as long as the model's words, so none lies behind them.
std::string UnkeptBytes(Record record) {
    struct Area {
        std::size_t first;
        std::size_t end;
    };
    const auto textTail = [&](std::size_t offset, std::size_t width) {
        const auto begin = record.begin() + static_cast<std::ptrdiff_t>(offset);
        const auto zero = std::find(begin, begin + static_cast<std::ptrdiff_t>(width), 0);
        return Area{static_cast<std::size_t>(zero - record.begin()), offset + width};
    };
    const Area areas[] = {
        {kUnusedOffset, kUnusedEnd},
        textTail(kCallsignOffset, kCallsignWidth),
        textTail(kCommentOffset, kCommentWidth),
        {kCommentOffset + kCommentWidth, kChecksumOffset},
    };
    std::string list;
    for (const Area& area : areas) {
        std::size_t first = area.first;
        std::size_t last = area.end;
        while (first < last && record[first] == 0) {
            ++first;
        }
        while (last > first && record[last - 1] == 0) {
            --last;
        }
        if (first == last) {
            continue;
        }
        list += list.empty() ? "" : ", ";
        list += std::to_string(first);
        if (last - 1 > first) {
            list += " to " + std::to_string(last - 1);
        }
    }
    return list;
}

// Adds a problem when the record's checksum word does not match its bytes; true when it does.
bool ChecksumMatches(Record record, int place, std::vector<Diagnostic>& problems) {
    const std::uint32_t stored = GetLe32(record, kChecksumOffset);
    const std::uint32_t computed = ComputeRecordChecksum(record);
    if (stored == computed) {
        return true;
    }
    ProblemList(problems, Diagnostic::Place::Record)(
        place, -1, MessageKind::ChecksumMismatch, {ChecksumText(stored), ChecksumText(computed)});
    return false;
}

// Adds a problem when the image ends inside a record; returns how many bytes of it there are.
int IncompleteRecord(std::string_view image, std::size_t recordLength,
                     std::vector<Diagnostic>& problems) {
    const std::size_t bytes = image.size() % recordLength;
    if (bytes != 0) {
        ProblemList(problems, Diagnostic::Place::Record)(
            static_cast<int>(image.size() / recordLength) + 1, -1, MessageKind::FileEndsInRecord,
            {std::to_string(bytes), std::to_string(recordLength)});
    }
    return static_cast<int>(bytes);
}

}  // namespace

MemoryFileReadReport DecodeMemoryFileImage(std::string_view image, ReceiverModel model) {
    MemoryFileReadReport report;
    const auto recordLength = model.RecordLength();
    const bool ifShiftAndBandwidth = model.HoldsIfShiftAndBandwidth();
    const bool secondarySquelch = model.HoldsSecondarySquelch();
    const std::size_t wholeRecords = image.size() / recordLength;
    report.recordsRead = static_cast<int>(wholeRecords);
    report.table.ReserveChannels(static_cast<int>(
        std::min<std::size_t>(wholeRecords, static_cast<std::size_t>(kMaxReservedRows))));

    // The cell texts are built in the same strings for every record, so they allocate only once.
    std::array<std::string, kImportedColumnCount> cells;
    std::array<std::string_view, kImportedColumnCount> views;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(image.data());
    for (std::size_t index = 0; index < wholeRecords; ++index) {
        const Record record(bytes + index * recordLength, recordLength);
        if (AllZero(record)) {
            continue;
        }
        for (std::string& cell : cells) {
            cell.clear();
        }
        const int place = static_cast<int>(index) + 1;
        const auto note = [&](MessageKind kind, MessageValues values) {
            report.problems.push_back(
                Diagnostic{Diagnostic::Place::Record, place, -1, kind, std::move(values)});
        };

        ++report.placesUsed;
        // A record whose checksum does not match is no channel the receiver would take.
        if (!ChecksumMatches(record, place, report.problems)) {
            ++report.badChecksums;
            continue;
        }

        const std::uint32_t number = GetLe32(record, kNumberOffset);
        cells[Number] = std::to_string(number);
        if (number != static_cast<std::uint32_t>(place)) {
            note(MessageKind::RecordNumberElsewhere, {cells[Number], std::to_string(place)});
        }
        cells[Frequency] =
            std::to_string(GetLe32(record, kFrequencyOffset) |
                           static_cast<std::uint64_t>(GetLe32(record, kFrequencyOffset + 4)) << 32);
        if (ifShiftAndBandwidth) {
            cells[Bandwidth] = std::to_string(GetSigned32(record, kBandwidthOffset));
            cells[IfShift] = std::to_string(GetSigned32(record, kIfShiftOffset));
        } else {
            // An empty Bandwidth would make the CSV import skip the row.
            cells[Bandwidth] = "0";
            cells[IfShift] = "0";
        }
        if (secondarySquelch) {
            cells[SecondarySquelchType] =
                std::to_string(GetSigned32(record, kSecondarySquelchTypeOffset));
            cells[SecondarySquelchValue] =
                std::to_string(GetSigned32(record, kSecondarySquelchValueOffset));
        }
        AppendGroupList(
            static_cast<std::uint16_t>(record[kGroups0To7Offset] << 8 | record[kGroups8To15Offset]),
            "+", cells[Groups]);
        cells[Hotkey] = std::to_string(GetLe32(record, kHotkeyOffset));
        cells[Lockout] = std::to_string(GetLe32(record, kLockoutOffset));
        // A record has no priority: the cell shows what every save writes for it.
        cells[Priority] = "0";
        if (GetLe32(record, kSquelchOffset) != kEmptySquelchWord) {
            cells[LevelSquelch] = std::to_string(GetSigned32(record, kSquelchOffset));
        }
        const std::uint32_t mode = GetLe32(record, kModeOffset);
        if (const std::string_view name = ModeName(mode); !name.empty()) {
            cells[Mode] = name;
        } else {
            cells[Mode] = std::to_string(mode);
            note(MessageKind::RecordModeUnknown, {cells[Mode]});
        }
        TextField(record, kCallsignOffset, kCallsignWidth, cells[Callsign]);
        TextField(record, kCommentOffset, kCommentWidth, cells[Comments]);

        if (const std::string unkept = UnkeptBytes(record); !unkept.empty()) {
            const bool one = unkept.find_first_of(", ") == std::string::npos;
            note(one ? MessageKind::RecordByteUnkept : MessageKind::RecordBytesUnkept, {unkept});
        }
        std::copy(cells.begin(), cells.end(), views.begin());
        report.table.AppendRow(views);
    }

    report.incompleteBytes = IncompleteRecord(image, recordLength, report.problems);
    return report;
}

MemoryFileVerifyReport VerifyMemoryFileImage(std::string_view image, ReceiverModel model) {
    MemoryFileVerifyReport report;
    const auto recordLength = model.RecordLength();
    const std::size_t wholeRecords = image.size() / recordLength;
    report.recordsChecked = static_cast<int>(wholeRecords);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(image.data());
    for (std::size_t index = 0; index < wholeRecords; ++index) {
        const Record record(bytes + index * recordLength, recordLength);
        if (!ChecksumMatches(record, static_cast<int>(index) + 1, report.problems)) {
            ++report.badChecksums;
        }
    }
    report.incompleteBytes = IncompleteRecord(image, recordLength, report.problems);
    return report;
}

}  // namespace corvalen

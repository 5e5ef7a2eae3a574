#include "g3m/G3mFile.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <span>
#include <string_view>
#include <system_error>
#include <vector>

#include "g3m/CellChecks.h"
#include "g3m/MemoryRecord.h"
#include "io/SafeFile.h"

namespace corvalen {

namespace {

// The size the image will have once every row with a usable channel number is placed, so the
// image can be grown once instead of record by record.
std::size_t FinalImageSize(const MemoryTable& table, std::size_t recordLength,
                           std::size_t currentSize) {
    std::size_t highest = 0;
    for (int row = 1; row < table.RowCount() && table.ColCount() > Number; ++row) {
        if (const auto channel = ChannelNumber(table.CellText(row, Number))) {
            highest = std::max<std::size_t>(highest, *channel);
        }
    }
    return std::max(currentSize, highest * recordLength);
}

}  // namespace

G3mSaveReport PlaceRecords(const MemoryTable& table, std::string_view model, std::string& image) {
    G3mSaveReport report;
    const auto recordLength = static_cast<std::size_t>(RecordLengthFor(model));
    std::array<std::uint8_t, kMaxRecordLength> buffer{};
    const std::span<std::uint8_t> record(buffer.data(), recordLength);
    const std::size_t oldRecords = image.size() / recordLength;
    std::vector<bool> replaced(oldRecords, false);
    image.reserve(FinalImageSize(table, recordLength, image.size()));

    report.rowsSkipped = ReadTableRecords(
        table, report.problems, [&](int row, std::span<const std::string_view> cells) {
            const std::uint16_t channel =
                WriteMemoryRecord(cells, model, record, row, report.problems);
            if (channel == 0) {
                return;  // no channel number: the row has no place in the file
            }
            const std::size_t offset = (static_cast<std::size_t>(channel) - 1) * recordLength;
            if (image.size() < offset + recordLength) {
                image.resize(offset + recordLength, '\0');
            }
            std::memcpy(image.data() + offset, record.data(), recordLength);
            if (channel <= oldRecords) {
                replaced[channel - 1u] = true;
            }
            ++report.recordsWritten;
        });
    report.rowsNotWritten = table.ChannelCount() - report.recordsWritten - report.rowsSkipped;
    for (std::size_t place = 0; place < oldRecords; ++place) {
        const std::string_view old(image.data() + place * recordLength, recordLength);
        if (!replaced[place] && old.find_first_not_of('\0') != std::string_view::npos) {
            ++report.recordsKept;
        }
    }
    return report;
}

Result<G3mSaveReport> SaveG3mFile(const std::string& path, const MemoryTable& table,
                                  std::string_view model) {
    // Records are updated in place: whatever the old file holds beyond or between the channels
    // of this table stays as it was. A file that is not there yet starts empty.
    std::string image;
    std::error_code statusError;
    const auto status = std::filesystem::status(path, statusError);
    if (status.type() != std::filesystem::file_type::not_found) {
        Result<std::string> old = ReadWholeFile(path);
        if (!old) {
            return old.error();
        }
        image = std::move(*old);
    }

    G3mSaveReport report = PlaceRecords(table, model, image);
    if (const Status written = WriteFileAtomically(path, image); !written) {
        return written.error();
    }
    return report;
}

}  // namespace corvalen

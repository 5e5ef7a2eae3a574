#include "g3m/MemoryRecord.h"

#include <algorithm>
#include <cassert>

#include "g3m/RecordChecksum.h"
#include "g3m/RecordLayout.h"

namespace corvalen {

std::uint16_t WriteMemoryRecord(std::span<const std::string_view> cells, ReceiverModel model,
                                std::span<std::uint8_t> record, int row,
                                std::vector<Diagnostic>& problems, RowKeys* keys) {
    assert(record.size() == model.RecordLength());
    const RecordFields fields = ReadRecordFields(cells, model, row, problems, keys);
    // The fields at the offsets of RecordLayout.h; bytes no field fills are zero.
    std::fill(record.begin(), record.end(), std::uint8_t{0});
    if (fields.channel == 0 || record.size() < kShortRecordLength) {
        return fields.channel;
    }
    PutLe16(record, kNumberOffset, fields.channel);
    PutLe32(record, kFrequencyOffset, fields.frequency);
    record[kGroups0To7Offset] = static_cast<std::uint8_t>(fields.groups >> 8);
    record[kGroups8To15Offset] = static_cast<std::uint8_t>(fields.groups);
    PutLe32(record, kHotkeyOffset, fields.hotkey);
    PutLe32(record, kLockoutOffset, fields.lockout);
    PutLe32(record, kSquelchOffset, kEmptySquelchWord | fields.squelchLow);
    record[kModeOffset] = fields.mode;
    std::ranges::copy(fields.callsign,
                      record.begin() + static_cast<std::ptrdiff_t>(kCallsignOffset));
    std::ranges::copy(fields.comment, record.begin() + static_cast<std::ptrdiff_t>(kCommentOffset));
    // Only the longer records have room for bandwidth and IF shift, and the longest for the
    // secondary squelch.
    if (model.HoldsIfShiftAndBandwidth() && record.size() >= kLongRecordLength) {
        PutLe32(record, kIfShiftOffset, fields.ifShift);
        PutLe32(record, kBandwidthOffset, fields.bandwidth);
    }
    if (model.HoldsSecondarySquelch() && record.size() >= kG315RecordLength) {
        PutLe32(record, kSecondarySquelchTypeOffset, fields.secondarySquelchType);
        PutLe32(record, kSecondarySquelchValueOffset, fields.secondarySquelchValue);
    }
    PutLe32(record, kChecksumOffset, ComputeRecordChecksum(record));
    return fields.channel;
}

}  // namespace corvalen

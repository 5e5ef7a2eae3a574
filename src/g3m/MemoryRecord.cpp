#include "g3m/MemoryRecord.h"

#include <algorithm>
#include <array>
#include <cassert>

#include "g3m/RecordChecksum.h"
#include "g3m/RecordLayout.h"

namespace corvalen {

namespace {

struct ModeEntry {
    std::string_view text;
    int code;
    std::string_view defaultBandwidth;  // Hz, for channels made without a Bandwidth
};
// Codes 3, 6, 7 and 9 belong to no mode the receiver software writes.
constexpr std::array<ModeEntry, 11> kModes = {{
    {"CW", 0, "500"},
    {"AM", 1, "6000"},
    {"FM", 2, "15000"},
    {"LSB", 4, "2700"},
    {"USB", 5, "2700"},
    {"AMS", 8, "6000"},
    {"FM3", 10, "3000"},
    {"FM6", 11, "6000"},
    {"AMN", 12, "3000"},
    {"DSB", 13, "6000"},
    {"ISB", 14, "6000"},
}};

// Lays out a record for `model` from its fields, all little-endian: Number at 0; Frequency at 4;
// Groups at 12-13; Hotkey at 20 and Lockout at 24; Level Squelch as its low 16 bits at 28 with
// FF FF at 30; Mode code at 32; Callsign (12 bytes) at 36 and Comments (31 bytes, then a zero)
// at 48; the checksum at 80; for "313", "305" and "315" IF Shift at 84 and Bandwidth at 88; for
// "305" and "315" the secondary squelch type at 92 and value at 96. Bytes no field fills are zero.
void EncodeRecord(const RecordFields& fields, std::string_view model,
                  std::span<std::uint8_t> record);

}  // namespace

int RecordLengthFor(std::string_view model) {
    if (model == "303") {
        return static_cast<int>(kShortRecordLength);
    }
    return HoldsSecondarySquelch(model) ? static_cast<int>(kG315RecordLength)
                                        : static_cast<int>(kLongRecordLength);
}

bool HoldsIfShiftAndBandwidth(std::string_view model) {
    return model == "313" || HoldsSecondarySquelch(model);
}

bool HoldsSecondarySquelch(std::string_view model) {
    return model == "305" || model == "315";
}

int ModeCode(std::string_view modeText) {
    // Every name has two or three letters; the last letter tells most of them apart, so few
    // whole names are compared.
    if (modeText.size() < 2 || modeText.size() > 3) {
        return -1;
    }
    for (const ModeEntry& mode : kModes) {
        if (mode.text.back() == modeText.back() && mode.text == modeText) {
            return mode.code;
        }
    }
    return -1;
}

std::string_view ModeName(std::uint32_t code) {
    for (const ModeEntry& mode : kModes) {
        if (static_cast<std::uint32_t>(mode.code) == code) {
            return mode.text;
        }
    }
    return {};
}

std::string_view DefaultBandwidth(std::string_view modeText) {
    for (const ModeEntry& mode : kModes) {
        if (mode.text == modeText) {
            return mode.defaultBandwidth;
        }
    }
    return kFallbackBandwidth;
}

namespace {

void EncodeRecord(const RecordFields& fields, std::string_view model,
                  std::span<std::uint8_t> record) {
    std::fill(record.begin(), record.end(), std::uint8_t{0});
    if (record.size() < kShortRecordLength) {
        return;
    }
    PutLe16(record, kNumberOffset, fields.channel);
    PutLe32(record, kFrequencyOffset, fields.frequency);
    record[kGroups8To15Offset] = fields.groups8To15;
    record[kGroups0To7Offset] = fields.groups0To7;
    PutLe32(record, kHotkeyOffset, fields.hotkey);
    PutLe32(record, kLockoutOffset, fields.lockout);
    PutLe32(record, kSquelchOffset, kEmptySquelchWord | fields.squelchLow);
    record[kModeOffset] = fields.mode;
    std::copy(fields.callsign.begin(), fields.callsign.end(),
              record.begin() + static_cast<std::ptrdiff_t>(kCallsignOffset));
    std::copy(fields.comment.begin(), fields.comment.end(),
              record.begin() + static_cast<std::ptrdiff_t>(kCommentOffset));
    // Only the longer records have room for bandwidth and IF shift, and the longest for the
    // secondary squelch.
    if (HoldsIfShiftAndBandwidth(model) && record.size() >= kLongRecordLength) {
        PutLe32(record, kIfShiftOffset, fields.ifShift);
        PutLe32(record, kBandwidthOffset, fields.bandwidth);
    }
    if (HoldsSecondarySquelch(model) && record.size() >= kG315RecordLength) {
        PutLe32(record, kSecondarySquelchTypeOffset, fields.secondarySquelchType);
        PutLe32(record, kSecondarySquelchValueOffset, fields.secondarySquelchValue);
    }
    PutLe32(record, kChecksumOffset, ComputeRecordChecksum(record));
}

}  // namespace

std::uint16_t WriteMemoryRecord(std::span<const std::string_view> cells, std::string_view model,
                                std::span<std::uint8_t> record, int row,
                                std::vector<Diagnostic>& problems) {
    assert(record.size() == static_cast<std::size_t>(RecordLengthFor(model)));
    const RecordFields fields = ReadRecordFields(cells, model, row, problems);
    if (fields.channel == 0) {
        std::fill(record.begin(), record.end(), std::uint8_t{0});
        return 0;
    }
    EncodeRecord(fields, model, record);
    return fields.channel;
}

}  // namespace corvalen

#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "channel/ChannelFields.h"

namespace corvalen {

// Where each field of a memory record lies. Offsets 0 to 83 are the same for every model; a
// "313" record adds the IF shift and bandwidth words behind the checksum, and a "305" or "315"
// record the two secondary squelch words behind those.
inline constexpr std::size_t kShortRecordLength = 84;  // model "303"
inline constexpr std::size_t kLongRecordLength = 92;   // model "313"
inline constexpr std::size_t kG315RecordLength = 100;  // models "305" and "315"
inline constexpr std::size_t kNumberOffset = 0;
inline constexpr std::size_t kFrequencyOffset = 4;
inline constexpr std::size_t kGroups8To15Offset = 12;  // flag 8 in bit 7 ... flag 15 in bit 0
inline constexpr std::size_t kGroups0To7Offset = 13;   // flag 0 in bit 7 ... flag 7 in bit 0
inline constexpr std::size_t kHotkeyOffset = 20;
inline constexpr std::size_t kLockoutOffset = 24;
inline constexpr std::size_t kSquelchOffset = 28;
inline constexpr std::size_t kModeOffset = 32;
inline constexpr std::size_t kCallsignOffset = 36;
inline constexpr std::size_t kCommentOffset = 48;
// kCommentWidth bytes: offset 79 stays 0 and ends the comment
inline constexpr std::size_t kIfShiftOffset = 84;
inline constexpr std::size_t kBandwidthOffset = 88;
inline constexpr std::size_t kSecondarySquelchTypeOffset = 92;
inline constexpr std::size_t kSecondarySquelchValueOffset = 96;

// Bytes 14 to 19 (the rest of the group word and the unused BFO word) belong to no column.
inline constexpr std::size_t kUnusedOffset = 14;
inline constexpr std::size_t kUnusedEnd = kHotkeyOffset;

// The squelch word the writer stores for an empty (or zero) Level Squelch cell.
inline constexpr std::uint32_t kEmptySquelchWord = 0xFFFF0000u;

// The record's little-endian words, read and written byte by byte so that the bytes come out
// the same on any machine (the compiler still reads a word in one load where it may).
inline std::uint32_t GetLe32(std::span<const std::uint8_t> record, std::size_t offset) {
    const std::uint8_t* bytes = record.data() + offset;
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

inline void PutLe16(std::span<std::uint8_t> record, std::size_t offset, std::uint16_t value) {
    record[offset] = static_cast<std::uint8_t>(value);
    record[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

inline void PutLe32(std::span<std::uint8_t> record, std::size_t offset, std::uint32_t value) {
    PutLe16(record, offset, static_cast<std::uint16_t>(value));
    PutLe16(record, offset + 2, static_cast<std::uint16_t>(value >> 16));
}

}  // namespace corvalen

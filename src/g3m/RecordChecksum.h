#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace corvalen {

inline constexpr std::size_t kChecksumOffset = 80;

// The checksum of a .g3m record: the sum, modulo 2^32, of every 32-bit little-endian word of the
// record except the checksum word at offsets 80 to 83 (whose old content therefore never
// matters). An 84-byte record sums 20 words, a 92-byte one 22.
std::uint32_t ComputeRecordChecksum(std::span<const std::uint8_t> record);

// The checksum as the receiver software shows it: eight upper-case hexadecimal digits.
std::string ChecksumText(std::uint32_t checksum);

}  // namespace corvalen

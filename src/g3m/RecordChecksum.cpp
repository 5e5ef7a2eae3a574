#include "g3m/RecordChecksum.h"

#include <algorithm>

#include "g3m/RecordLayout.h"

namespace corvalen {

std::uint32_t ComputeRecordChecksum(std::span<const std::uint8_t> record) {
    // Unsigned arithmetic wraps, which is exactly the modulo 2^32 the checksum wants.
    // The words before the checksum's and those after it, each run summed without a test.
    std::uint32_t sum = 0;
    const std::size_t words = record.size() / 4;
    const std::size_t before = std::min(words, kChecksumOffset / 4);
    for (std::size_t k = 0; k < before; ++k) {
        sum += GetLe32(record, 4 * k);
    }
    for (std::size_t k = before + 1; k < words; ++k) {
        sum += GetLe32(record, 4 * k);
    }
    return sum;
}

std::string ChecksumText(std::uint32_t checksum) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text(8, '0');
    for (int k = 7; k >= 0; --k) {
        text[static_cast<std::size_t>(k)] = kDigits[checksum & 0xF];
        checksum >>= 4;
    }
    return text;
}

}  // namespace corvalen

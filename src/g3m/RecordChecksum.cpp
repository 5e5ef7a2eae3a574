#include "g3m/RecordChecksum.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "g3m/RecordLayout.h"

namespace corvalen {

std::uint32_t ComputeRecordChecksum(std::span<const std::uint8_t> record) {
    // Unsigned arithmetic wraps, which is exactly the modulo 2^32 the checksum wants.
    // The words before the checksum's and those after it, each run summed without a test.
    const std::size_t words = record.size() / 4;
    const std::size_t before = std::min(words, kChecksumOffset / 4);
    std::uint32_t sum = 0;
    if constexpr (std::endian::native == std::endian::little) {
        // The words as they lie in memory, which the compiler sums several at a time.
        const auto word = [&](std::size_t k) {
            std::uint32_t value;
            std::memcpy(&value, record.data() + 4 * k, sizeof value);
            return value;
        };
        for (std::size_t k = 0; k < before; ++k) {
            sum += word(k);
        }
        for (std::size_t k = before + 1; k < words; ++k) {
            sum += word(k);
        }
        return sum;
    }
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

#include "g3m/RecordChecksum.h"

#include "g3m/RecordLayout.h"

namespace corvalen {

std::uint32_t ComputeRecordChecksum(std::span<const std::uint8_t> record) {
    // Unsigned arithmetic wraps, which is exactly the modulo 2^32 the checksum wants. Each word
    // is put together from its bytes, little-endian, so the sum is the same on any processor.
    // Every word is summed, and the checksum word's own content taken away again.
    const std::size_t words = record.size() / 4;
    std::uint32_t sum = 0;
    for (std::size_t k = 0; k < words; ++k) {
        sum += GetLe32(record, 4 * k);
    }
    if (words > kChecksumOffset / 4) {
        sum -= GetLe32(record, kChecksumOffset);
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

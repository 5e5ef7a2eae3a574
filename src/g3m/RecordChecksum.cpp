#include "g3m/RecordChecksum.h"

#include <cstdio>

#include "g3m/RecordLayout.h"

namespace corvalen {

std::uint32_t ComputeRecordChecksum(std::span<const std::uint8_t> record) {
    // Unsigned arithmetic wraps modulo 2^32. Every word is summed, and the checksum word's own
    // content taken away again.
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
    char text[9];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(checksum));
    return text;
}

}  // namespace corvalen

#include "g3m/RecordChecksum.h"

#include "g3m/RecordLayout.h"

namespace corvalen {

std::uint32_t ComputeRecordChecksum(std::span<const std::uint8_t> record) {
    // Unsigned arithmetic wraps, which is exactly the modulo 2^32 the checksum wants.
    std::uint32_t sum = 0;
    for (std::size_t offset = 0; offset + 4 <= record.size(); offset += 4) {
        if (offset == kChecksumOffset) {
            continue;
        }
        sum += GetLe32(record, offset);
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

#include "convert/Utf16.h"

#include <cstddef>
#include <cstdint>

#include "convert/Windows1252.h"

namespace corvalen {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(std::uint32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(std::uint32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

bool StartsWithUtf16Mark(std::string_view bytes) {
    return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

std::string Utf8FromUtf16(std::string_view bytes) {
    if (!StartsWithUtf16Mark(bytes)) {
        return {};
    }
    const bool little = bytes[0] == '\xFF';
    bytes.remove_prefix(2);
    const std::size_t units = bytes.size() / 2;
    const auto unitAt = [&](std::size_t k) -> std::uint32_t {
        const auto first = static_cast<unsigned char>(bytes[2 * k]);
        const auto second = static_cast<unsigned char>(bytes[2 * k + 1]);
        return little ? (second << 8u | first) : (first << 8u | second);
    };
    std::string out;
    // Most lists are ASCII, one byte a unit; letters beyond take two or three.
    out.reserve(units + units / 4);
    for (std::size_t k = 0; k < units; ++k) {
        const std::uint32_t unit = unitAt(k);
        if (IsHighSurrogate(unit) && k + 1 < units && IsLowSurrogate(unitAt(k + 1))) {
            AppendUtf8(0x10000 + ((unit - 0xD800) << 10) + (unitAt(k + 1) - 0xDC00), out);
            ++k;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            AppendUtf8(kReplacement, out);
        } else {
            AppendUtf8(unit, out);
        }
    }
    if (bytes.size() % 2 != 0) {
        AppendUtf8(kReplacement, out);
    }
    return out;
}

}  // namespace corvalen

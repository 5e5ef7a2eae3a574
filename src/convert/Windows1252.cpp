#include "convert/Windows1252.h"

#include <algorithm>
#include <array>

namespace corvalen {

namespace {

// Code points of the bytes 0x80 to 0x9F. The five bytes Windows-1252 leaves unassigned keep the
// C1 control of their own value, so that reading and writing give back every byte.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

// Decodes one UTF-8 sequence starting at text[i]. Returns the code point and advances i past
// it, or returns -1 (and advances by one byte) for a malformed or overlong sequence.
long DecodeUtf8(std::string_view text, std::size_t& i) {
    const std::size_t start = i++;
    const auto lead = static_cast<unsigned char>(text[start]);
    if (lead < 0x80) {
        return lead;
    }
    const std::size_t length = (lead & 0xE0) == 0xC0   ? 2
                               : (lead & 0xF0) == 0xE0 ? 3
                               : (lead & 0xF8) == 0xF0 ? 4
                                                       : 0;
    if (length == 0 || start + length > text.size()) {
        return -1;
    }
    char32_t cp = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[start + k]);
        if ((next & 0xC0) != 0x80) {
            return -1;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};  // by length
    if (cp < kShortest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return -1;
    }
    i = start + length;
    return static_cast<long>(cp);
}

// The Windows-1252 byte of one Unicode code point, or -1 when it has none.
int Windows1252Byte(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        return static_cast<int>(codePoint);
    }
    const auto* found = std::find(kHighControls.begin(), kHighControls.end(), codePoint);
    return found == kHighControls.end() ? -1
                                        : static_cast<int>(0x80 + (found - kHighControls.begin()));
}

}  // namespace

void AppendUtf8(char32_t codePoint, std::string& out) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
        return;
    }
    // A lead byte of 110, 1110 or 11110 and the bits beyond the continuation bytes' six each.
    const int extra = codePoint < 0x800 ? 1 : codePoint < 0x10000 ? 2 : 3;
    out += static_cast<char>(((0xFF00u >> (extra + 1)) & 0xFF) | (codePoint >> (6 * extra)));
    for (int shift = 6 * (extra - 1); shift >= 0; shift -= 6) {
        out += static_cast<char>(0x80 | ((codePoint >> shift) & 0x3F));
    }
}

bool IsWellFormedUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        i += AsciiPrefixLength(bytes.substr(i));
        if (i < bytes.size() && DecodeUtf8(bytes, i) < 0) {
            return false;
        }
    }
    return true;
}

std::string WellFormedUtf8(std::string_view text) {
    if (IsWellFormedUtf8(text)) {
        return std::string(text);
    }
    std::string out;
    out.reserve(text.size() + 8);
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t start = i;
        if (DecodeUtf8(text, i) < 0) {
            out += "\xEF\xBF\xBD";
        } else {
            out.append(text.substr(start, i - start));
        }
    }
    return out;
}

void AppendUtf8FromWindows1252(std::string_view bytes, std::string& out) {
    // The UTF-8 form of each byte from 0x80 up, two or three bytes, with room for a third.
    static const std::array<std::string, 128> kHighUtf8 = [] {
        std::array<std::string, 128> forms;
        for (std::size_t b = 0x80; b < 0x100; ++b) {
            AppendUtf8(b < 0xA0 ? kHighControls[b - 0x80] : static_cast<char32_t>(b),
                       forms[b - 0x80]);
        }
        return forms;
    }();
    // Room for three bytes a byte, written in place, then cut to what was written.
    const std::size_t start = out.size();
    out.resize(start + 3 * bytes.size());
    char* to = out.data() + start;
    for (std::size_t i = 0; i < bytes.size();) {
        // The plain text up to the next letter beyond ASCII, copied as it is.
        const std::size_t plain = AsciiPrefixLength(bytes.substr(i));
        std::memcpy(to, bytes.data() + i, plain);
        to += plain;
        i += plain;
        if (i < bytes.size()) {
            const std::string& form = kHighUtf8[static_cast<unsigned char>(bytes[i++]) - 0x80];
            std::memcpy(to, form.c_str(), 3);  // a two-byte form's third is its terminating zero
            to += form.size();
        }
    }
    out.resize(static_cast<std::size_t>(to - out.data()));
}

std::string Utf8FromWindows1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    AppendUtf8FromWindows1252(bytes, out);
    return out;
}

std::size_t Windows1252FromUtf8Into(std::string_view utf8, std::span<char> out,
                                    std::size_t* replaced) {
    std::size_t characters = 0;
    std::size_t unknown = 0;
    std::size_t i = 0;
    while (i < utf8.size()) {
        // Plain ASCII, copied as far as there is room.
        const std::size_t plain = AsciiPrefixLength(utf8.substr(i));
        if (characters < out.size()) {
            std::memcpy(out.data() + characters, utf8.data() + i,
                        std::min(plain, out.size() - characters));
        }
        characters += plain;
        i += plain;
        if (i == utf8.size()) {
            break;
        }
        // A character beyond ASCII, decoded.
        const long cp = DecodeUtf8(utf8, i);
        const int b = cp < 0 ? -1 : Windows1252Byte(static_cast<char32_t>(cp));
        unknown += b < 0 ? 1 : 0;
        const char byte = b < 0 ? '?' : static_cast<char>(b);
        if (characters < out.size()) {
            out[characters] = byte;
        }
        ++characters;
    }
    if (replaced != nullptr) {
        *replaced = unknown;
    }
    return characters;
}

std::size_t AppendWindows1252FromUtf8(std::string_view utf8, std::string& out) {
    // Never more bytes than the UTF-8 text has: written in place, then cut.
    const std::size_t start = out.size();
    out.resize(start + utf8.size());
    std::size_t replaced = 0;
    const std::size_t written =
        Windows1252FromUtf8Into(utf8, std::span(out).subspan(start), &replaced);
    out.resize(start + written);
    return replaced;
}

}  // namespace corvalen

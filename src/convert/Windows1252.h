#pragma once

// Files are Windows-1252 on disk, one byte per character; text inside the program is UTF-8.
// These convert at the file boundary. Every byte round-trips: the five bytes Windows-1252 leaves
// unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

namespace corvalen {

// Appends the UTF-8 form of the Windows-1252 bytes to `out`.
void AppendUtf8FromWindows1252(std::string_view bytes, std::string& out);
std::string Utf8FromWindows1252(std::string_view bytes);

// Appends one Windows-1252 byte per character of the UTF-8 text to `out`. A character with no
// Windows-1252 byte, and every byte of malformed UTF-8, becomes "?". Returns how many characters
// were replaced that way.
std::size_t AppendWindows1252FromUtf8(std::string_view utf8, std::string& out);
// The same into `out`, as far as it has room, without allocating: returns how many bytes the
// whole text takes, and sets `*replaced` (when given) as above.
std::size_t Windows1252FromUtf8Into(std::string_view utf8, std::span<char> out,
                                    std::size_t* replaced = nullptr);

// True when every byte belongs to a well-formed UTF-8 sequence (no overlong forms, no
// surrogates). Windows-1252 text with letters beyond ASCII almost never is.
bool IsWellFormedUtf8(std::string_view bytes);

// The text with every byte that belongs to no well-formed UTF-8 sequence replaced by U+FFFD, so
// that it can be written where only UTF-8 may stand (JSON, XML).
std::string WellFormedUtf8(std::string_view text);

// Appends the UTF-8 form of one Unicode code point to `out`.
void AppendUtf8(char32_t codePoint, std::string& out);

// How many bytes at the start of `text` are ASCII (below 0x80), which read the same in
// Windows-1252 and UTF-8. Looks at eight bytes at a time, so a run of plain text costs little.
inline std::size_t AsciiPrefixLength(std::string_view text) {
    std::size_t i = 0;
    for (; text.size() - i >= 8; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, sizeof word);
        if ((word & 0x8080808080808080u) != 0) {
            break;
        }
    }
    while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80) {
        ++i;
    }
    return i;
}

}  // namespace corvalen

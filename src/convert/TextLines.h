#pragma once

#include <cstddef>
#include <string_view>

// Where a text starts and which line a byte lies on, for every reader of text files.

namespace corvalen {

// The UTF-8 byte-order mark that some programs write before a text.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// `text` without the byte-order mark it may start with.
constexpr std::string_view WithoutByteOrderMark(std::string_view text) {
    return text.starts_with(kUtf8ByteOrderMark) ? text.substr(kUtf8ByteOrderMark.size()) : text;
}

// The line (from 1) that the byte at `offset` of `text` lies on; a line ends in LF, CR LF or a
// CR alone. An offset past the end counts as the end.
constexpr int LineAt(std::string_view text, std::size_t offset) {
    if (offset > text.size()) {
        offset = text.size();
    }
    int line = 1;
    for (std::size_t i = 0; i < offset; ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
            ++line;
        }
    }
    return line;
}

}  // namespace corvalen

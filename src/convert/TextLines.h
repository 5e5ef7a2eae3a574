#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Where a text starts, which line a byte lies on, and the fields of a line, for every reader of
// text files.

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
    int line = 1;
    for (std::size_t i = 0; i < std::min(offset, text.size()); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
            ++line;
        }
    }
    return line;
}

// The pieces of `line` between its `separator`s, in order: one more than it has separators.
inline std::vector<std::string_view> Split(std::string_view line, char separator) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = line.find(separator, start);
        fields.push_back(line.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) {
            return fields;
        }
        start = end + 1;
    }
}

// The texts one after another, `separator` before each but those that start the result.
template <typename Texts>
std::string Joined(const Texts& texts, std::string_view separator) {
    std::string joined;
    for (const auto& text : texts) {
        joined.append(joined.empty() ? std::string_view() : separator).append(text);
    }
    return joined;
}

}  // namespace corvalen

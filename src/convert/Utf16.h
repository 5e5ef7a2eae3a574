#pragma once

// UTF-16 text, as an editor saves a file "as Unicode": only some bookmark lists come so. Text
// inside the program is UTF-8, so such a file is made UTF-8 as it is read.

#include <string>
#include <string_view>

namespace corvalen {

// Whether `bytes` start with a UTF-16 byte-order mark: FF FE (little-endian) or FE FF
// (big-endian). Text without one is never taken for UTF-16.
bool StartsWithUtf16Mark(std::string_view bytes);

// The UTF-16 text after the byte-order mark that `bytes` start with, as UTF-8; empty without a
// mark. A surrogate without its pair, and a last odd byte, each become U+FFFD.
std::string Utf8FromUtf16(std::string_view bytes);

}  // namespace corvalen

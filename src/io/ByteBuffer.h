#pragma once

#include <vector>

namespace corvalen {

// The bytes of a whole file, or of a whole memory file being put together.
using ByteBuffer = std::vector<char>;

}  // namespace corvalen

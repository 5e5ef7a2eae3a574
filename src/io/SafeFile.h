#pragma once

#include <string>
#include <string_view>

#include "io/Result.h"

namespace corvalen {

// Reads a whole file as raw bytes. The error names the path and the reason.
Result<std::string> ReadWholeFile(const std::string& path);

// Writes `bytes` to a temporary file beside `path`, flushes it, checks every step, and only
// then renames it over `path`. On any failure the temporary file is removed and whatever was at
// `path` before is left untouched, so a failed save never costs the user the old file.
Status WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace corvalen

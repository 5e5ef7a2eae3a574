#pragma once

#include <string>
#include <string_view>

#include "io/Result.h"

namespace corvalen {

// Reads a whole file (or what a pipe gives) as raw bytes; a device or a folder is refused. The
// error names the path and the reason.
Result<std::string> ReadWholeFile(const std::string& path);

// Writes `bytes` to a temporary file beside `path`, flushes it, checks every step, and only
// then renames it over `path`. On any failure the temporary file is removed and whatever was at
// `path` before is left untouched, so a failed save never costs the user the old file.
// A target that is marked read-only (no write permission for anyone), or that is no regular
// file (a device, a pipe), is refused and left alone.
Status WriteFileAtomically(const std::string& path, std::string_view bytes);

// For tests: from now on every write of WriteFileAtomically fails with `errorNumber` (ENOSPC
// stands for a full disk) once `acceptedBytes` bytes of the file are written; 0 ends that.
void SimulateWriteFailure(int errorNumber, std::size_t acceptedBytes = 0);

}  // namespace corvalen

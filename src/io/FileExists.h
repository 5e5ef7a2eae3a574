#pragma once

#include <string>

namespace corvalen {

// True when `path` names a file that can be opened for reading; false for a missing file, a
// folder, an empty path or one that access is denied to. Reads nothing and keeps nothing open.
bool FileExists(const std::string& path);

}  // namespace corvalen

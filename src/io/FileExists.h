#pragma once

#include <string>

namespace corvalen {

// True when `path` names a file that can be opened for reading; false for a missing file, a
// folder, an empty path or one that access is denied to. Reads nothing and keeps nothing open.
bool FileExists(const std::string& path);

// What is at `path`, a link followed to what it names: nothing (a save there makes a new file),
// a regular file (readable or not), or something else (a folder, a device, a pipe).
enum class PathKind { Nothing, RegularFile, Other };
PathKind KindAt(const std::string& path);

}  // namespace corvalen

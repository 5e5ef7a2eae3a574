#pragma once

// What the file code of every system shares: the wording of its messages and the names of its
// temporary files. Included only by the implementations in src/io/.

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

#include "io/Result.h"

namespace corvalen::detail {

// "\"PATH\"", or "standard input" for "-": how read errors name what they could not read.
std::string QuotedSource(const std::string& path);
// The refusal of a file of `size` bytes, more than the `maxBytes` that may be read.
Error FileTooLong(const std::string& path, unsigned long long size, std::size_t maxBytes);
// The refusal of a stream that went on past `maxBytes`.
Error StreamTooLong(const std::string& path, std::size_t maxBytes);

// The notice for a saved file that had `otherNames` more names (hard links).
std::string OtherNamesNotice(const std::string& path, unsigned long long otherNames);
// The refusal of an update that found the file locked by another for all of `wait`.
Error LockedByAnother(const std::string& path, std::chrono::milliseconds wait);

// How many temporary names a save of one target tries, one after the other, when saves of it
// run at the same time.
constexpr unsigned kTemporaryNames = 4;
// The temporary name for a save of the file named `targetName` (its last part only):
// ".cvHHHHHHHH.tmp", where HHHHHHHH is a hash of the name and of `attempt` (below
// kTemporaryNames). Short, so it fits beside a name of any length, and the same for every save
// of that name, so a save finds what an earlier killed one left.
std::string TemporaryName(std::string_view targetName, unsigned attempt);

}  // namespace corvalen::detail

#pragma once

// What the file code of every system shares (SafeFile.cpp).

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "io/ByteBuffer.h"
#include "io/Result.h"
#include "io/SafeFile.h"

namespace corvalen::detail {

// Reads through `readSome` until it gives no more, as ReadWholeFileBuffer says, `path` naming
// the source in errors. `readSome` puts at most `room` bytes at `into` and returns how many, 0
// at the end, or -1 with `error` set to the reason.
using ReadSome = std::function<long long(char* into, std::size_t room, std::string& error)>;
Result<ByteBuffer> ReadToEnd(const std::string& path, bool regular, unsigned long long size,
                             std::size_t maxBytes, const ReadSome& readSome);

// ReadFileBlocks over a regular file of `size` bytes that `readSome` reads.
Result<std::optional<unsigned long long>> ReadBlocks(
    const std::string& path, unsigned long long size, std::size_t maxBytes, std::size_t blockBytes,
    const ReadSome& readSome, const std::function<bool(std::string_view block)>& take);

// WriteFileAtomically to a `path` that is not empty, for content that `write` puts, a piece at a
// time, into the temporary file (or the stream that "-" or a named pipe is, which takes its
// pieces in order only).
Status SaveAtomically(const std::string& path,
                      const std::function<Status(const PutBytes& put)>& write,
                      std::vector<std::string>& notices);

// Calls `tryLock` until it returns true or `wait` has passed; false when it never did.
bool LockWithin(std::chrono::milliseconds wait, const std::function<bool()>& tryLock);

// The notice for a saved file that had `otherNames` more names (hard links).
std::string OtherNamesNotice(const std::string& path, unsigned long long otherNames);
// The refusal of an update that found the file locked by another for all of `wait`.
Error LockedByAnother(const std::string& path, std::chrono::milliseconds wait);

// How many temporary names a save of one target tries when saves of it run at the same time.
constexpr unsigned kTemporaryNames = 4;
// The temporary name ".cvHHHHHHHH.tmp" for a save of the file named `targetName` (its last part),
// HHHHHHHH a hash of the name and `attempt`: the same for every save, so a save finds what a
// killed one left.
std::string TemporaryName(std::string_view targetName, unsigned attempt);

}  // namespace corvalen::detail

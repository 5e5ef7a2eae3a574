#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "io/ByteBuffer.h"
#include "io/Result.h"

namespace corvalen {

// Reads at most `maxBytes` bytes of what `path` names (UTF-8), opening it once. A regular file
// longer than that is refused from its size before anything is allocated; a pipe, a character
// device and "-" (standard input) are read as streams, refused once they give more; a folder is
// refused. The error names the file, and for a file too long its size and the cap.
Result<ByteBuffer> ReadWholeFileBuffer(const std::string& path, std::size_t maxBytes);

// Reads the regular file at `path` from its start a block at a time, so that a large file need
// not be held whole: every block but the last holds `blockBytes` bytes, the same blocks on every
// read of the same file. Each goes to `take`, valid only during the call, which returns false to
// stop there. A file is refused as ReadWholeFileBuffer refuses it, one that grows past `maxBytes`
// while it is read too. Standard input, a pipe or a device can be read only once and is left
// unread: the result is then nothing, else the size the file had when it was opened.
Result<std::optional<unsigned long long>> ReadFileBlocks(
    const std::string& path, std::size_t maxBytes, std::size_t blockBytes,
    const std::function<bool(std::string_view block)>& take);

// A digest of the bytes of the regular file at `path` (BlockDigest), read a block at a time;
// nothing when it cannot be read or is no regular file.
std::optional<std::uint64_t> DigestOfFile(const std::string& path);

// Writes `bytes` to a temporary file beside `path`, flushes and closes it, checking every step,
// and only then puts it in place of `path` in one step; on any failure the temporary file is
// removed and `path` left untouched. A target marked read-only, a device or a folder is refused.
// A chain of symbolic links is followed and the file at its end replaced (a link to nothing
// creates it). The owner, group and mode are kept; where the owner or group cannot be given
// back, a notice says so. A file with other names (hard links) is replaced under this name
// only, since writing into the shared file could leave it half written; a notice says so.
//
// The temporary file `.cvHHHHHHHH.tmp` (a hash of the target's name) fits beside a name of any
// length. A save holds a lock on it, so one that finds it unlocked removes what a killed save
// left; SIGINT and SIGTERM remove it before the program ends. The folder is flushed after the
// rename, so a save that reported success survives a power cut. "-" (standard output) and a
// named pipe are written as streams. `notices` gets a sentence for each notice, naming the file.
Status WriteFileAtomically(const std::string& path, std::string_view bytes,
                           std::vector<std::string>& notices);
// The same, for callers that show no notices.
Status WriteFileAtomically(const std::string& path, std::string_view bytes);

// Puts `bytes` at byte `at` of the file being saved, `at` being at most the number of bytes put
// so far (a piece may go over what earlier ones put); the error says why the save cannot go on.
using PutBytes = std::function<Status(std::size_t at, std::string_view bytes)>;

// Updates the file at `path` in place: reads it (a missing file reads as no bytes, a file
// longer than `maxBytes` is refused) and hands its bytes to `update`, which writes the new
// content through `put` into the temporary file that WriteFileAtomically puts in place: what it
// does not put is not in the file, so a large file need not be held whole. All of it happens
// under an advisory lock (flock on POSIX systems, LockFileEx on Windows), so two programs
// updating one file take turns instead of one losing the other's update: a second one waits up
// to `wait`, then fails with a message and writes nothing. When `update` returns an error,
// nothing is written and that error is returned.
Status UpdateFileAtomically(
    const std::string& path, std::size_t maxBytes,
    const std::function<Status(ByteBuffer& bytes, const PutBytes& put)>& update,
    std::vector<std::string>& notices, std::chrono::milliseconds wait = std::chrono::seconds(2));

}  // namespace corvalen

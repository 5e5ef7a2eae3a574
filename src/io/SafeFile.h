#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "io/ByteBuffer.h"
#include "io/Result.h"

namespace corvalen {

// Reads at most `maxBytes` bytes of what `path` names (UTF-8 on every system), opening it once,
// so what comes through a pipe is read as it comes and never asked for twice:
// - a regular file longer than `maxBytes` is refused from its size before anything is read or
//   allocated (a sparse file of gigabytes costs nothing);
// - a named pipe (FIFO), a pipe such as bash's <(...), a character device such as /dev/stdin,
//   and "-" (standard input) are read as streams until their end, and refused as soon as they
//   give more than `maxBytes`;
// - a folder is refused.
// A named pipe waits for its writer, as any program reading one does. The error names the file
// (or "standard input"), and for a file too long its size and the cap.
Result<ByteBuffer> ReadWholeFileBuffer(const std::string& path, std::size_t maxBytes);

// Writes `bytes` to a temporary file beside `path`, flushes it to the disk, closes it, checks
// every step, and only then puts it in place of `path` in one step. On any failure the temporary
// file is removed and whatever was at `path` before is left untouched, so a failed save never
// costs the user the old file. A target that is marked read-only, or that is a device or a
// folder, is refused and left alone.
//
// What is kept of the file replaced:
// - a symbolic link stays a link: the chain of links is followed and the file at its end is the
//   one replaced (its temporary file is written beside it); a link to nothing creates that file;
// - its owner, group and mode. Where the owner or group cannot be given back (a user who may
//   not give files away), the file is saved all the same and a notice says so;
// - a file with several names (hard links) is saved atomically under the name given, like any
//   other: its other names keep the old content, and a notice says so. Writing into the shared
//   file instead would risk it half written, which is the one thing a save must never do.
//
// The temporary file is named `.cvHHHHHHHH.tmp` (HHHHHHHH from the target's name), short
// enough beside a name of any legal length. A save holds a lock on its temporary file, so one
// that finds such a file unlocked knows its save was killed and removes it. SIGINT and SIGTERM
// during a save remove the temporary file before the program ends as it would have. The folder
// is flushed after the rename, so a save that reported success survives a power cut.
//
// "-" writes to standard output, and a named pipe is written as a stream; neither has anything
// to keep.
//
// `notices` gets a sentence for each notice above, naming the file.
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

#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "io/LargePages.h"
#include "io/Result.h"

namespace corvalen {

// Reads a whole file (or what a pipe gives) as raw bytes; a device or a folder is refused. The
// error names the path and the reason. Paths are UTF-8 on every system.
Result<std::string> ReadWholeFile(const std::string& path);
// The same into a ByteBuffer, for files of megabytes that are read once and walked through.
Result<ByteBuffer> ReadWholeFileBuffer(const std::string& path);

// Reads at most `maxBytes` bytes of what `path` names, opening it once, so what comes through a
// pipe is read as it comes and never asked for twice:
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
// costs the user the old file. A target that is marked read-only, or that is no regular file (a
// device, a pipe), is refused and left alone.
//
// On Linux the temporary file has no name until it is complete (O_TMPFILE), so a save that is
// killed half way leaves nothing behind; where the file system refuses that, a named
// `NAME.corvalen-XXXXXX` file is used instead. The folder is flushed after the rename, so a save
// that reported success survives a power cut.
Status WriteFileAtomically(const std::string& path, std::string_view bytes);

// For tests: failures WriteFileAtomically meets from now on, until they are set back to the
// default (no failure). Error numbers are errno values (ENOSPC stands for a full disk).
struct SaveFaults {
    int writeError = 0;              // every write fails once `acceptedBytes` bytes are written
    std::size_t acceptedBytes = 0;   //
    int flushError = 0;              // flushing the temporary file to the disk fails
    int closeError = 0;              // closing the temporary file fails (a failed delayed write)
    bool refuseUnnamedFile = false;  // the file system refuses O_TMPFILE (takes the named way)
};
void SimulateSaveFaults(const SaveFaults& faults);

// For tests: every write fails with `errorNumber` once `acceptedBytes` bytes of the file are
// written; 0 ends that (and every other simulated failure).
void SimulateWriteFailure(int errorNumber, std::size_t acceptedBytes = 0);

namespace detail {
// "\"PATH\"", or "standard input" for "-": how read errors name what they could not read.
std::string QuotedSource(const std::string& path);
// The refusal of a file of `size` bytes, more than the `maxBytes` that may be read.
Error FileTooLong(const std::string& path, unsigned long long size, std::size_t maxBytes);
// The refusal of a stream that went on past `maxBytes`.
Error StreamTooLong(const std::string& path, std::size_t maxBytes);

// The failures a test asked for, shared by the implementations of each system.
const SaveFaults& SimulatedSaveFaults();
// How many of `size` bytes at `offset` a write may take before the simulated failure: `size`
// when no write failure is asked for, 0 when the write is to fail.
std::size_t SimulatedWriteLimit(std::size_t size, std::size_t offset);
}  // namespace detail

}  // namespace corvalen

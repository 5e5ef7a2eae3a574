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
// The failures a test asked for, shared by the implementations of each system.
const SaveFaults& SimulatedSaveFaults();
// How many of `size` bytes at `offset` a write may take before the simulated failure: `size`
// when no write failure is asked for, 0 when the write is to fail.
std::size_t SimulatedWriteLimit(std::size_t size, std::size_t offset);
}  // namespace detail

}  // namespace corvalen

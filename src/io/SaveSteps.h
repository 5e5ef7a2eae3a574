#pragma once

// Where a save may be made to fail, for the tests: every step of WriteFileAtomically that can
// fail for real asks here first. The programs link SaveSteps.cpp, whose answers are those of a
// save that nothing interferes with; the tests link tests/io/SaveFaults.cpp instead, so the
// programs carry no way to make a save fail on purpose.

#include <cstddef>

namespace corvalen::detail {

enum class SaveStep {
    Flush,  // flushing the temporary file to the disk
    Close,  // closing it
};

// 0 for a step that is to go ahead, else the error number (errno value) it fails with.
int SaveStepError(SaveStep step);

// How many of `size` bytes at `offset` of the file a write may take: `size` when nothing
// interferes; 0 when the write fails, with `error` set to the error number.
std::size_t SaveWriteLimit(std::size_t size, std::size_t offset, int& error);

}  // namespace corvalen::detail

#pragma once

// Where the tests make a save fail: the programs link SaveSteps.cpp, where nothing interferes;
// the tests link tests/io/SaveFaults.cpp, so the programs carry no way to fail on purpose.

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

#pragma once

// Failures that WriteFileAtomically meets from now on, until they are set back to the default
// (no failure). Linked into every test (tests/io/SaveFaults.cpp); the programs link
// src/io/SaveSteps.cpp, where nothing fails. Error numbers are errno values (ENOSPC stands for a
// full disk).

#include <cstddef>

namespace corvalen {

struct SaveFaults {
    int writeError = 0;             // every write fails once `acceptedBytes` bytes are written
    std::size_t acceptedBytes = 0;  //
    int flushError = 0;             // flushing the temporary file to the disk fails
    int closeError = 0;             // closing the temporary file fails (a failed delayed write)
    int signal = 0;                 // raised once `acceptedBytes` bytes are written, as if the
                                    // user pressed Ctrl+C (SIGINT) or the system ended the save
};
void SimulateSaveFaults(const SaveFaults& faults);

// Every write fails with `errorNumber` once `acceptedBytes` bytes of the file are written; 0
// ends that (and every other simulated failure).
void SimulateWriteFailure(int errorNumber, std::size_t acceptedBytes = 0);

}  // namespace corvalen

#include "io/SafeFile.h"

#include <algorithm>

// What the save code of every system shares: the failures tests ask for. The platform code is
// in SafeFile_posix.cpp and SafeFile_windows.cpp.

namespace corvalen {

namespace {
SaveFaults g_faults;
}  // namespace

void SimulateSaveFaults(const SaveFaults& faults) {
    g_faults = faults;
}

void SimulateWriteFailure(int errorNumber, std::size_t acceptedBytes) {
    SaveFaults faults;
    faults.writeError = errorNumber;
    faults.acceptedBytes = errorNumber != 0 ? acceptedBytes : 0;
    g_faults = faults;
}

namespace detail {

const SaveFaults& SimulatedSaveFaults() {
    return g_faults;
}

std::size_t SimulatedWriteLimit(std::size_t size, std::size_t offset) {
    if (g_faults.writeError == 0) {
        return size;
    }
    if (offset >= g_faults.acceptedBytes) {
        return 0;
    }
    return std::min(size, g_faults.acceptedBytes - offset);
}

}  // namespace detail

}  // namespace corvalen

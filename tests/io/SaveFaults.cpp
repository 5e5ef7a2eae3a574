#include "io/SaveFaults.h"

#include <algorithm>
#include <csignal>

#include "io/SaveSteps.h"

// The steps of a save in the tests: each fails as the test last asked.

namespace corvalen {

namespace {
SaveFaults g_faults;
}  // namespace

void SimulateSaveFaults(const SaveFaults& faults) {
    g_faults = faults;
}

void SimulateWriteFailure(int errorNumber, std::size_t acceptedBytes) {
    g_faults = SaveFaults{};
    g_faults.writeError = errorNumber;
    g_faults.acceptedBytes = acceptedBytes;
}

namespace detail {

int SaveStepError(SaveStep step) {
    return step == SaveStep::Flush ? g_faults.flushError : g_faults.closeError;
}

std::size_t SaveWriteLimit(std::size_t size, std::size_t offset, int& error) {
    if (g_faults.signal != 0 && offset + size > g_faults.acceptedBytes) {
        std::raise(g_faults.signal);
    }
    if (g_faults.writeError == 0) {
        return size;
    }
    if (offset >= g_faults.acceptedBytes) {
        error = g_faults.writeError;
        return 0;
    }
    return std::min(size, g_faults.acceptedBytes - offset);
}

}  // namespace detail

}  // namespace corvalen

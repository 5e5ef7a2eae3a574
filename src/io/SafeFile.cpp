#include "io/SafeFile.h"

#include <algorithm>
#include <string>

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

namespace {

// 2147483648 as "2,147,483,648", as the programs write counts.
std::string Grouped(unsigned long long value) {
    std::string digits = std::to_string(value);
    for (std::size_t at = digits.size(); at > 3; at -= 3) {
        digits.insert(at - 3, 1, ',');
    }
    return digits;
}

}  // namespace

std::string QuotedSource(const std::string& path) {
    return path == "-" ? "standard input" : "\"" + path + "\"";
}

Error FileTooLong(const std::string& path, unsigned long long size, std::size_t maxBytes) {
    return Error{"Cannot read " + QuotedSource(path) + ": the file is " + Grouped(size) +
                 " bytes long, more than the " + Grouped(maxBytes) + " bytes that are read"};
}

Error StreamTooLong(const std::string& path, std::size_t maxBytes) {
    return Error{"Cannot read " + QuotedSource(path) + ": it gives more than the " +
                 Grouped(maxBytes) + " bytes that are read"};
}

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

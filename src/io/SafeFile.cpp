#include "io/SafeFile.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "io/SafeFileParts.h"

// What the file code of every system shares. The platform code is in SafeFile_posix.cpp and
// SafeFile_windows.cpp.

namespace corvalen {

Status WriteFileAtomically(const std::string& path, std::string_view bytes) {
    std::vector<std::string> notices;
    return WriteFileAtomically(path, bytes, notices);
}

Status BufferSaveWriter::Append(std::string_view bytes) {
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
    return Done{};
}

Status BufferSaveWriter::WriteAt(std::size_t offset, std::string_view bytes) {
    if (offset > m_bytes.size() || bytes.size() > m_bytes.size() - offset) {
        return Error{"Cannot save: a piece was to be written past the end of the file"};
    }
    std::copy(bytes.begin(), bytes.end(), m_bytes.begin() + static_cast<std::ptrdiff_t>(offset));
    return Done{};
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

std::string OtherNamesNotice(const std::string& path, unsigned long long otherNames) {
    return "\"" + path + "\" was replaced under this name only: its " +
           (otherNames == 1 ? std::string("other name (a hard link) keeps")
                            : Grouped(otherNames) + " other names (hard links) keep") +
           " the old content";
}

Error LockedByAnother(const std::string& path, std::chrono::milliseconds wait) {
    const auto tenths = (wait.count() + 50) / 100;
    const std::string seconds =
        std::to_string(tenths / 10) + (tenths % 10 != 0 ? "." + std::to_string(tenths % 10) : "");
    return Error{"Cannot save \"" + path + "\": another program is updating it (waited " + seconds +
                 " s); nothing was written"};
}

std::string TemporaryName(std::string_view targetName, unsigned attempt) {
    // FNV-1a over the name and the attempt.
    std::uint32_t hash = 2166136261u;
    const auto mix = [&hash](unsigned char byte) {
        hash ^= byte;
        hash *= 16777619u;
    };
    for (const char c : targetName) {
        mix(static_cast<unsigned char>(c));
    }
    mix(static_cast<unsigned char>(attempt));
    static const char hex[] = "0123456789abcdef";
    std::string name = ".cv";
    for (int shift = 28; shift >= 0; shift -= 4) {
        name += hex[(hash >> shift) & 0xF];
    }
    return name + ".tmp";
}

}  // namespace detail

}  // namespace corvalen

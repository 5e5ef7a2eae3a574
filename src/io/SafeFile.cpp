#include "io/SafeFile.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <limits>
#include <thread>

#include "io/Backup.h"
#include "io/BlockDigest.h"
#include "io/Messages.h"
#include "io/SafeFileParts.h"

namespace corvalen {

namespace {

std::atomic<bool> g_keepBackups{false};
thread_local bool t_withoutBackups = false;

Error FileTooLong(const std::string& path, unsigned long long size, std::size_t maxBytes) {
    return Error{
        MessageKind::ErrorFileTooLong, {GroupedDigits(size), GroupedDigits(maxBytes)}, path};
}

}  // namespace

void SetKeepBackups(bool keep) {
    g_keepBackups.store(keep);
}

bool KeepBackups() {
    return g_keepBackups.load() && !t_withoutBackups;
}

WithoutBackups::WithoutBackups() : m_before(t_withoutBackups) {
    t_withoutBackups = true;
}

WithoutBackups::~WithoutBackups() {
    t_withoutBackups = m_before;
}

Status WriteFileAtomically(const std::string& path, std::string_view bytes) {
    std::vector<std::string> notices;
    return WriteFileAtomically(path, bytes, notices);
}

Status WriteFileAtomically(const std::string& path, std::string_view bytes,
                           std::vector<std::string>& notices) {
    if (path.empty()) {
        return Error{MessageKind::ErrorNoFileName};
    }
    return detail::SaveAtomically(
        path, [bytes](const PutBytes& put) { return put(0, bytes); }, notices);
}

std::optional<std::uint64_t> DigestOfFile(const std::string& path) {
    BlockDigest digest;
    const Result<std::optional<unsigned long long>> read =
        ReadFileBlocks(path, std::numeric_limits<std::size_t>::max(), std::size_t{1} << 18,
                       [&](std::string_view block) {
                           digest.Add(block);
                           return true;
                       });
    if (!read || !*read) {
        return std::nullopt;
    }
    return digest.Value();
}

namespace detail {

Result<ByteBuffer> ReadToEnd(const std::string& path, bool regular, unsigned long long size,
                             std::size_t maxBytes, const ReadSome& readSome) {
    // The size decides before a byte is allocated: a sparse file of gigabytes costs nothing.
    if (regular && size > maxBytes) {
        return FileTooLong(path, size, maxBytes);
    }
    // A regular file is read straight into a buffer of its size; a file that turns out longer
    // (still being written) or a stream goes on growing it, never past the cap.
    ByteBuffer bytes(regular ? static_cast<std::size_t>(size) : 0);
    std::size_t filled = 0;
    char probe[4096];
    for (;;) {
        // Once the buffer is full, a small read tells whether there is more before it grows.
        const bool full = filled == bytes.size();
        std::string error;
        const long long n = readSome(full ? probe : bytes.data() + filled,
                                     full ? sizeof probe : bytes.size() - filled, error);
        if (n < 0) {
            return Error{MessageKind::ErrorReason, {error}, path};
        }
        if (n == 0) {
            break;
        }
        const auto count = static_cast<std::size_t>(n);
        if (full) {
            if (count > maxBytes - filled) {
                return regular
                           ? FileTooLong(path, filled + count, maxBytes)
                           : Error{
                                 MessageKind::ErrorStreamTooLong, {GroupedDigits(maxBytes)}, path};
            }
            bytes.resize(std::min(std::max(bytes.size() * 2, sizeof probe * 16), maxBytes));
            std::memcpy(bytes.data() + filled, probe, count);
        }
        filled += count;
    }
    bytes.resize(filled);
    return bytes;
}

Result<std::optional<unsigned long long>> ReadBlocks(
    const std::string& path, unsigned long long size, std::size_t maxBytes, std::size_t blockBytes,
    const ReadSome& readSome, const std::function<bool(std::string_view block)>& take) {
    if (size > maxBytes) {
        return FileTooLong(path, size, maxBytes);
    }
    std::vector<char> block(std::max<std::size_t>(blockBytes, 1));
    std::size_t total = 0;
    for (bool more = true; more;) {
        // A block is filled unless the file ends, so every read cuts the file at the same places.
        std::size_t filled = 0;
        while (filled < block.size()) {
            std::string error;
            const long long n = readSome(block.data() + filled, block.size() - filled, error);
            if (n < 0) {
                return Error{MessageKind::ErrorReason, {error}, path};
            }
            if (n == 0) {
                more = false;
                break;
            }
            filled += static_cast<std::size_t>(n);
        }
        if (filled > maxBytes - total) {
            return FileTooLong(path, total + filled, maxBytes);
        }
        total += filled;
        if (filled > 0 && !take(std::string_view(block.data(), filled))) {
            break;
        }
    }
    return std::optional<unsigned long long>(size);
}

bool LockWithin(std::chrono::milliseconds wait, const std::function<bool()>& tryLock) {
    const auto until = std::chrono::steady_clock::now() + wait;
    while (!tryLock()) {
        if (std::chrono::steady_clock::now() >= until) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

std::string OtherNamesNotice(const std::string& path, unsigned long long otherNames) {
    return "\"" + path + "\" was replaced under this name only: its " +
           (otherNames == 1 ? std::string("other name (a hard link) keeps")
                            : GroupedDigits(otherNames) + " other names (hard links) keep") +
           " the old content";
}

Error LockedByAnother(const std::string& path, std::chrono::milliseconds wait) {
    const auto tenths = (wait.count() + 50) / 100;
    const std::string seconds =
        std::to_string(tenths / 10) + (tenths % 10 != 0 ? "." + std::to_string(tenths % 10) : "");
    return Error{MessageKind::ErrorLocked, {seconds}, path, MessageKind::ErrorCannotSave};
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

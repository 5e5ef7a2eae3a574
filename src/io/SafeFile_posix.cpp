#include "io/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "io/LargePages.h"

namespace corvalen {

namespace {

Error SystemError(const std::string& what, const std::string& path, int errorNumber) {
    return Error{what + " \"" + path + "\": " + std::strerror(errorNumber)};
}

// Closes the descriptor on every path out of a function.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() { Close(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return m_fd; }
    // Returns 0, or the errno of a failed close (which can report a failed delayed write).
    int Close() {
        if (m_fd < 0) {
            return 0;
        }
        const int result = ::close(m_fd);
        m_fd = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int m_fd;
};

// The folder that holds `path`, where the temporary file goes so that the final rename stays on
// one file system and is atomic.
std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Writes all of `bytes`; returns 0 or the errno of the write that failed.
int WriteAll(int fd, std::string_view bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const std::size_t allowed = detail::SimulatedWriteLimit(bytes.size() - written, written);
        if (allowed == 0) {
            return detail::SimulatedSaveFaults().writeError;
        }
        const ssize_t n = ::write(fd, bytes.data() + written, allowed);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        written += static_cast<std::size_t>(n);
    }
    return 0;
}

// fsync(2), or the failure a test asked for; returns 0 or an errno.
int Flush(int fd) {
    if (const int simulated = detail::SimulatedSaveFaults().flushError; simulated != 0) {
        return simulated;
    }
    return ::fsync(fd) == 0 ? 0 : errno;
}

// Closes the file, or reports the failure a test asked for (closing it all the same).
int CloseChecked(FileDescriptor& fd) {
    const int error = fd.Close();
    const int simulated = detail::SimulatedSaveFaults().closeError;
    return simulated != 0 ? simulated : error;
}

// Flushes the folder's entry for the renamed file to the disk. A file system that cannot flush
// folders (EINVAL) keeps its entries by other means.
int FlushFolder(const std::string& folder) {
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0) {
        return errno;
    }
    if (::fsync(fd.get()) != 0 && errno != EINVAL) {
        return errno;
    }
    return fd.Close();
}

// The mode of the saved file: that of the file it replaces, else the usual 0666 & ~umask.
mode_t ModeFor(bool targetExists, const struct stat& target) {
    if (targetExists) {
        return target.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Writes, flushes and closes `fd`, then renames `temp` over `path` and flushes the folder. An
// unnamed file (`named` false) gets its name `temp` from `nameFile` after the flush and before
// the close. On failure the temporary file goes and `path` keeps what it held.
template <typename NameFile>
Status Complete(FileDescriptor& fd, const std::string& path, const std::string& temp, bool named,
                mode_t mode, std::string_view bytes, NameFile nameFile) {
    const auto fail = [&](int errorNumber) {
        fd.Close();
        if (named) {
            ::unlink(temp.c_str());
        }
        return SystemError("Cannot save", path, errorNumber);
    };
    if (::fchmod(fd.get(), mode) != 0) {
        return fail(errno);
    }
    if (const int error = WriteAll(fd.get(), bytes); error != 0) {
        return fail(error);
    }
    if (const int error = Flush(fd.get()); error != 0) {
        return fail(error);
    }
    if (!named) {
        if (const int error = nameFile(); error != 0) {
            return fail(error);
        }
        named = true;
    }
    if (const int error = CloseChecked(fd); error != 0) {
        return fail(error);
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        return fail(errno);
    }
    // The new file is in place; only its folder entry may not be on the disk yet.
    if (const int error = FlushFolder(FolderOf(path)); error != 0) {
        return SystemError("Cannot save", path, error);
    }
    return Done{};
}

// A name beside `path` for the moment between naming the complete temporary file and renaming
// it over the target; `attempt` varies it when the name is taken.
std::string TemporaryName(const std::string& path, unsigned attempt) {
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static unsigned long counter = 0;
    unsigned long value = static_cast<unsigned long>(::getpid()) * 1000003UL + ++counter * 7919UL +
                          attempt * 104729UL;
    std::string name = path + ".corvalen-";
    for (int i = 0; i < 6; ++i) {
        name += letters[value % (sizeof letters - 1)];
        value /= sizeof letters - 1;
    }
    return name;
}

#ifdef O_TMPFILE
// Gives the unnamed file `fd` the name `temp`; returns 0 or an errno.
int LinkUnnamedFile(int fd, const std::string& temp) {
    char procPath[64];
    std::snprintf(procPath, sizeof procPath, "/proc/self/fd/%d", fd);
    if (::linkat(AT_FDCWD, procPath, AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        return 0;
    }
    const int procError = errno;
    // Without /proc, a privileged process can link the descriptor itself.
    if (::linkat(fd, "", AT_FDCWD, temp.c_str(), AT_EMPTY_PATH) == 0) {
        return 0;
    }
    return procError;
}
#endif

}  // namespace

namespace {

// How far a read goes: `streams` lets character devices and "-" (standard input) be read as
// streams, which only a read with a cap may do, since a device such as /dev/zero never ends.
struct ReadLimit {
    std::size_t maxBytes = static_cast<std::size_t>(-1);
    bool streams = false;
};

template <typename Bytes>
Result<Bytes> ReadWholeFileAs(const std::string& path, ReadLimit limit) {
    const bool standardInput = limit.streams && path == "-";
    FileDescriptor opened(standardInput ? -1 : ::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    const int fd = standardInput ? STDIN_FILENO : opened.get();
    if (fd < 0) {
        return SystemError("Cannot open", path, errno);
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        return Error{"Cannot read " + detail::QuotedSource(path) + ": " + std::strerror(errno)};
    }
    if (S_ISDIR(info.st_mode)) {
        return SystemError("Cannot read", path, EISDIR);
    }
    const bool regular = S_ISREG(info.st_mode);
    const bool stream = S_ISFIFO(info.st_mode) ||
                        (limit.streams && (S_ISCHR(info.st_mode) || S_ISSOCK(info.st_mode)));
    if (!regular && !stream) {
        return Error{"Cannot read \"" + path + "\": it is no regular file"};
    }
    // The size decides before a byte is allocated: a sparse file of gigabytes costs nothing.
    if (regular && static_cast<unsigned long long>(info.st_size) > limit.maxBytes) {
        return detail::FileTooLong(path, static_cast<unsigned long long>(info.st_size),
                                   limit.maxBytes);
    }
    // A regular file is read straight into a buffer of its size; a file that turns out longer
    // (still being written) or a stream goes on growing it, never past the cap. The buffer's
    // room is filled with zeros once, which is cheaper than copying every byte from a buffer of
    // our own.
    Bytes bytes;
    std::size_t filled = 0;
    if (regular && info.st_size > 0) {
        bytes.reserve(static_cast<std::size_t>(info.st_size));
        PreferLargePages(bytes.data(), bytes.capacity());
        bytes.resize(static_cast<std::size_t>(info.st_size));
    }
    char probe[4096];
    for (;;) {
        // Once the buffer is full, a small read tells whether there is more before it grows.
        const bool full = filled == bytes.size();
        char* into = full ? probe : bytes.data() + filled;
        const ssize_t n = ::read(fd, into, full ? sizeof probe : bytes.size() - filled);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return Error{"Cannot read " + detail::QuotedSource(path) + ": " + std::strerror(errno)};
        }
        if (n == 0) {
            break;
        }
        const auto count = static_cast<std::size_t>(n);
        if (full) {
            if (count > limit.maxBytes - filled) {
                return regular ? detail::FileTooLong(path, filled + count, limit.maxBytes)
                               : detail::StreamTooLong(path, limit.maxBytes);
            }
            bytes.resize(std::min(std::max(bytes.size() * 2, sizeof probe * 16), limit.maxBytes));
            std::memcpy(bytes.data() + filled, probe, count);
        }
        filled += count;
    }
    bytes.resize(filled);
    return bytes;
}

}  // namespace

Result<std::string> ReadWholeFile(const std::string& path) {
    return ReadWholeFileAs<std::string>(path, {});
}

Result<ByteBuffer> ReadWholeFileBuffer(const std::string& path) {
    return ReadWholeFileAs<ByteBuffer>(path, {});
}

Result<ByteBuffer> ReadWholeFileBuffer(const std::string& path, std::size_t maxBytes) {
    return ReadWholeFileAs<ByteBuffer>(path, {maxBytes, true});
}

Status WriteFileAtomically(const std::string& path, std::string_view bytes) {
    if (path.empty()) {
        return Error{"Cannot save: no file name was given"};
    }
    struct stat target {};
    const bool targetExists = ::stat(path.c_str(), &target) == 0;
    if (targetExists && S_ISDIR(target.st_mode)) {
        return SystemError("Cannot save", path, EISDIR);
    }
    if (targetExists && !S_ISREG(target.st_mode)) {
        return Error{"Cannot save \"" + path + "\": it is no regular file"};
    }
    // Renaming over a file needs only the folder's permission, so a file the user marked
    // read-only is checked here; its mode bits count for every user, root included.
    if (targetExists && ((target.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0)) {
        return Error{"Cannot save \"" + path + "\": the file is read-only"};
    }
    const mode_t mode = ModeFor(targetExists, target);

#ifdef O_TMPFILE
    // The unnamed way: nothing is left behind if the save is killed before the file is complete.
    if (!detail::SimulatedSaveFaults().refuseUnnamedFile) {
        FileDescriptor fd(::open(FolderOf(path).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
        if (fd.get() >= 0) {
            std::string temp;
            const int tempFd = fd.get();
            return Complete(fd, path, temp, false, mode, bytes, [&] {
                int error = EEXIST;
                for (unsigned attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
                    temp = TemporaryName(path, attempt);
                    error = LinkUnnamedFile(tempFd, temp);
                }
                return error;
            });
        }
        // Any refusal (a file system without O_TMPFILE, a missing folder, no permission) takes
        // the named way, which reports what is wrong in the same words as always.
    }
#endif

    std::vector<char> tempName(path.begin(), path.end());
    const char suffix[] = ".corvalen-XXXXXX";
    tempName.insert(tempName.end(), suffix, suffix + sizeof suffix);  // includes the NUL
    FileDescriptor fd(::mkstemp(tempName.data()));
    if (fd.get() < 0) {
        return SystemError("Cannot save", path, errno);
    }
    const std::string temp(tempName.data());
    return Complete(fd, path, temp, true, mode, bytes, [] { return 0; });
}

}  // namespace corvalen

#include "io/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

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

int g_simulatedWriteError = 0;
std::size_t g_simulatedAcceptedBytes = 0;

// write(2), or the failure a test asked for once `offset` bytes are in the file.
ssize_t WriteSome(int fd, const char* data, std::size_t size, std::size_t offset) {
    if (g_simulatedWriteError != 0) {
        if (offset >= g_simulatedAcceptedBytes) {
            errno = g_simulatedWriteError;
            return -1;
        }
        size = std::min(size, g_simulatedAcceptedBytes - offset);
    }
    return ::write(fd, data, size);
}

}  // namespace

void SimulateWriteFailure(int errorNumber, std::size_t acceptedBytes) {
    g_simulatedWriteError = errorNumber;
    g_simulatedAcceptedBytes = acceptedBytes;
}

Result<std::string> ReadWholeFile(const std::string& path) {
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        return SystemError("Cannot open", path, errno);
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        return SystemError("Cannot read", path, errno);
    }
    if (S_ISDIR(info.st_mode)) {
        return SystemError("Cannot read", path, EISDIR);
    }
    // A device such as /dev/zero never ends; only files and pipes are read.
    if (!S_ISREG(info.st_mode) && !S_ISFIFO(info.st_mode)) {
        return Error{"Cannot read \"" + path + "\": it is no regular file"};
    }
    std::string bytes;
    if (S_ISREG(info.st_mode) && info.st_size > 0) {
        bytes.reserve(static_cast<std::size_t>(info.st_size));
    }
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return SystemError("Cannot read", path, errno);
        }
        if (n == 0) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return bytes;
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

    // The temporary file sits beside the target so that the final rename stays on one file
    // system and is atomic.
    std::vector<char> tempName(path.begin(), path.end());
    const char suffix[] = ".corvalen-XXXXXX";
    tempName.insert(tempName.end(), suffix, suffix + sizeof suffix);  // includes the NUL
    FileDescriptor fd(::mkstemp(tempName.data()));
    if (fd.get() < 0) {
        return SystemError("Cannot save", path, errno);
    }
    const std::string temp(tempName.data());
    const auto fail = [&](int errorNumber) {
        fd.Close();
        ::unlink(temp.c_str());
        return SystemError("Cannot save", path, errorNumber);
    };

    // Keep the permissions of the file being replaced; a new file gets the usual 0666 & ~umask.
    mode_t mode = 0;
    if (targetExists) {
        mode = target.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd.get(), mode) != 0) {
        return fail(errno);
    }

    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n =
            WriteSome(fd.get(), bytes.data() + written, bytes.size() - written, written);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return fail(errno);
        }
        written += static_cast<std::size_t>(n);
    }
    if (::fsync(fd.get()) != 0) {
        return fail(errno);
    }
    if (const int closeError = fd.Close(); closeError != 0) {
        return fail(closeError);
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        return fail(errno);
    }
    return Done{};
}

}  // namespace corvalen

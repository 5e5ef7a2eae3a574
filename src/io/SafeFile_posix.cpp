#include "io/SafeFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "io/BackupParts.h"
#include "io/SafeFileParts.h"
#include "io/SaveSteps.h"

namespace corvalen {

namespace {

Error SystemError(const std::string& what, const std::string& path, int errorNumber) {
    return Error{what + " \"" + path + "\": " + std::strerror(errorNumber)};
}

// Closes the descriptor on every path out of a function.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : m_fd(fd) {}
    ~FileDescriptor() { Close(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return m_fd; }
    void Reset(int fd) {
        Close();
        m_fd = fd;
    }
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

// The last part of `path`, the file's own name.
std::string NameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// --- Reading ---------------------------------------------------------------------------------

// How far a read goes: `streams` lets character devices and "-" (standard input) be read as
// streams, which only a read with a cap may do, since a device such as /dev/zero never ends.
struct ReadLimit {
    std::size_t maxBytes = static_cast<std::size_t>(-1);
    bool streams = false;
};

// Reads what is left of the open `fd`, which `info` describes, `path` naming it in errors.
template <typename Bytes>
Result<Bytes> ReadFrom(int fd, const struct stat& info, const std::string& path, ReadLimit limit) {
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
    // (still being written) or a stream goes on growing it, never past the cap.
    Bytes bytes;
    std::size_t filled = 0;
    if (regular && info.st_size > 0) {
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

// Opens what `path` names for reading ("-" is standard input where `limit` allows streams) and
// hands `read` its descriptor and what fstat says of it.
template <typename Read>
auto WithFileOpen(const std::string& path, ReadLimit limit, Read read)
    -> decltype(read(0, std::declval<const struct stat&>())) {
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
    return read(fd, info);
}

template <typename Bytes>
Result<Bytes> ReadWholeFileAs(const std::string& path, ReadLimit limit) {
    return WithFileOpen(path, limit, [&](int fd, const struct stat& info) {
        return ReadFrom<Bytes>(fd, info, path, limit);
    });
}

// --- Removing the temporary file when the program is ended -------------------------------------

// The temporary files of the saves under way, for the handler of SIGINT and SIGTERM to remove.
// A slot is free (0), being filled (1) or holds a name the handler removes (2); the handler only
// reads slots in state 2 and calls nothing but unlink, sigaction and raise.
struct TemporarySlot {
    std::atomic<int> state{0};
    char path[4096];
};
TemporarySlot g_temporaries[8];

constexpr int kEndingSignals[] = {SIGINT, SIGTERM};
struct sigaction g_previousActions[2];
bool g_handled[2] = {false, false};
std::mutex g_handlerMutex;
int g_savesUnderWay = 0;

extern "C" void RemoveTemporariesAndEnd(int signal) {
    for (TemporarySlot& slot : g_temporaries) {
        if (slot.state.load() == 2) {
            ::unlink(slot.path);
        }
    }
    // The program ends (or goes on) as it would have without the save: the signal is raised
    // again under the action it had before, and delivered as soon as this handler returns.
    for (int i = 0; i < 2; ++i) {
        if (kEndingSignals[i] == signal) {
            ::sigaction(signal, &g_previousActions[i], nullptr);
        }
    }
    ::raise(signal);
}

// While it lives, SIGINT and SIGTERM remove the temporary file it was given before the program
// ends. A signal the program ignores stays ignored.
class TemporaryGuard {
public:
    TemporaryGuard() {
        const std::lock_guard lock(g_handlerMutex);
        if (g_savesUnderWay++ > 0) {
            return;
        }
        for (int i = 0; i < 2; ++i) {
            struct sigaction action {};
            action.sa_handler = RemoveTemporariesAndEnd;
            sigemptyset(&action.sa_mask);
            ::sigaction(kEndingSignals[i], nullptr, &g_previousActions[i]);
            g_handled[i] = g_previousActions[i].sa_handler != SIG_IGN;
            if (g_handled[i]) {
                ::sigaction(kEndingSignals[i], &action, nullptr);
            }
        }
    }
    ~TemporaryGuard() {
        Forget();
        const std::lock_guard lock(g_handlerMutex);
        if (--g_savesUnderWay > 0) {
            return;
        }
        for (int i = 0; i < 2; ++i) {
            if (g_handled[i]) {
                ::sigaction(kEndingSignals[i], &g_previousActions[i], nullptr);
            }
        }
    }
    TemporaryGuard(const TemporaryGuard&) = delete;
    TemporaryGuard& operator=(const TemporaryGuard&) = delete;

    // From now on `path` is removed if the program is ended.
    void Remember(const std::string& path) {
        Forget();
        if (path.size() >= sizeof TemporarySlot::path) {
            return;
        }
        for (TemporarySlot& slot : g_temporaries) {
            int expected = 0;
            if (slot.state.compare_exchange_strong(expected, 1)) {
                std::memcpy(slot.path, path.c_str(), path.size() + 1);
                slot.state.store(2);
                m_slot = &slot;
                return;
            }
        }
    }
    // The file is in place (or removed): nothing to remove any more.
    void Forget() {
        if (m_slot != nullptr) {
            m_slot->state.store(0);
            m_slot = nullptr;
        }
    }

private:
    TemporarySlot* m_slot = nullptr;
};

// --- Saving ----------------------------------------------------------------------------------

// Writes all of `bytes` at the file's position, which is `offset` bytes into the file, or with
// `at` set at `offset` whatever the position; returns 0 or the errno of the write that failed.
int WriteAll(int fd, std::string_view bytes, std::size_t offset = 0, bool at = false) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        int error = 0;
        const std::size_t allowed =
            detail::SaveWriteLimit(bytes.size() - written, offset + written, error);
        if (allowed == 0) {
            return error;
        }
        const ssize_t n =
            at ? ::pwrite(fd, bytes.data() + written, allowed, static_cast<off_t>(offset + written))
               : ::write(fd, bytes.data() + written, allowed);
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

// fsync(2); returns 0 or an errno.
int Flush(int fd) {
    if (const int error = detail::SaveStepError(detail::SaveStep::Flush); error != 0) {
        return error;
    }
    return ::fsync(fd) == 0 ? 0 : errno;
}

// Closes the file; returns 0 or the errno of the close.
int CloseChecked(FileDescriptor& fd) {
    const int error = fd.Close();
    const int stepError = detail::SaveStepError(detail::SaveStep::Close);
    return stepError != 0 ? stepError : error;
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

// The file at the end of the chain of symbolic links that starts at `path` (`path` itself when
// it is no link). A link to nothing gives the name it points to, where the save creates the file.
Result<std::string> FollowLinks(const std::string& path) {
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return current;
        }
        std::vector<char> target(static_cast<std::size_t>(std::max<off_t>(info.st_size, 255)) + 2);
        const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
        if (length < 0) {
            return SystemError("Cannot save", path, errno);
        }
        const std::string next(target.data(), static_cast<std::size_t>(length));
        const std::size_t slash = current.rfind('/');
        current = next.front() == '/' || slash == std::string::npos
                      ? next
                      : current.substr(0, slash + 1) + next;
    }
    return SystemError("Cannot save", path, ELOOP);
}

// Removes the temporary files that saves of `target` killed before they could finish left in
// `folder`. A save under way holds a lock on its temporary file; a file nobody holds is litter.
void RemoveLeftTemporaries(const std::string& folder, const std::string& target) {
    for (unsigned attempt = 0; attempt < detail::kTemporaryNames; ++attempt) {
        const std::string temp = folder + "/" + detail::TemporaryName(NameOf(target), attempt);
        FileDescriptor fd(::open(temp.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat info {};
        if (fd.get() >= 0 && ::fstat(fd.get(), &info) == 0 && S_ISREG(info.st_mode) &&
            ::flock(fd.get(), LOCK_EX | LOCK_NB) == 0) {
            ::unlink(temp.c_str());
        }
    }
}

// The owner and group of `target` for the new file `fd`, as far as this user may give them.
// Returns a notice when they could not be kept, else an empty text.
std::string KeepOwner(int fd, const struct stat& target, const std::string& path) {
    struct stat mine {};
    if (::fstat(fd, &mine) != 0 || (mine.st_uid == target.st_uid && mine.st_gid == target.st_gid)) {
        return {};
    }
    if (::fchown(fd, target.st_uid, target.st_gid) == 0) {
        return {};
    }
    const int error = errno;
    // A user who may not give a file away may still give it one of their groups.
    const bool groupKept =
        mine.st_gid == target.st_gid || ::fchown(fd, static_cast<uid_t>(-1), target.st_gid) == 0;
    std::string notice = "\"" + path + "\" ";
    if (mine.st_uid != target.st_uid) {
        notice += "now belongs to user " + std::to_string(mine.st_uid) + " instead of user " +
                  std::to_string(target.st_uid);
        if (!groupKept) {
            notice += " and to group " + std::to_string(mine.st_gid) + " instead of group " +
                      std::to_string(target.st_gid);
        }
    } else {
        notice += "now belongs to group " + std::to_string(mine.st_gid) + " instead of group " +
                  std::to_string(target.st_gid);
    }
    return notice + " (" + std::strerror(error) + ")";
}

// A temporary file being written: its descriptor, its name once it has one, and whether it is
// to be removed on failure.
struct Temporary {
    FileDescriptor fd;
    std::string name;
    bool named = false;
};

// Creates the temporary file for `target` in `folder`, locked, and tells `guard` its name once
// it has one.
Status CreateTemporary(Temporary& temp, const std::string& folder, const std::string& target,
                       const std::string& path, TemporaryGuard& guard) {
#ifdef O_TMPFILE
    // The unnamed way: nothing is left behind if the save is killed before the file is complete.
    if (detail::SaveStepError(detail::SaveStep::UnnamedFile) == 0) {
        temp.fd.Reset(::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
        if (temp.fd.get() >= 0) {
            ::flock(temp.fd.get(), LOCK_EX | LOCK_NB);
            return Done{};
        }
        // Any refusal (a file system without O_TMPFILE, a missing folder, no permission) takes
        // the named way, which reports what is wrong in the same words as always.
    }
#endif
    for (unsigned attempt = 0; attempt < detail::kTemporaryNames; ++attempt) {
        const std::string name = folder + "/" + detail::TemporaryName(NameOf(target), attempt);
        temp.fd.Reset(
            ::open(name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (temp.fd.get() < 0) {
            if (errno == EEXIST) {
                continue;  // another save of the same file is under way
            }
            return SystemError("Cannot save", path, errno);
        }
        guard.Remember(name);
        // The lock tells a save that comes later that this file is no litter. A save that took
        // this file for litter in the moment before the lock has removed it: take another name.
        struct stat mine {};
        struct stat named {};
        if (::flock(temp.fd.get(), LOCK_EX | LOCK_NB) != 0 || ::fstat(temp.fd.get(), &mine) != 0 ||
            ::stat(name.c_str(), &named) != 0 || mine.st_ino != named.st_ino ||
            mine.st_dev != named.st_dev) {
            guard.Forget();
            continue;
        }
        temp.name = name;
        temp.named = true;
        return Done{};
    }
    return SystemError("Cannot save", path, EEXIST);
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

// Gives the complete unnamed temporary file a name beside `target`; returns 0 or an errno.
int NameTemporary(Temporary& temp, const std::string& folder, const std::string& target,
                  TemporaryGuard& guard) {
#ifdef O_TMPFILE
    int error = EEXIST;
    for (unsigned attempt = 0; attempt < detail::kTemporaryNames && error == EEXIST; ++attempt) {
        temp.name = folder + "/" + detail::TemporaryName(NameOf(target), attempt);
        error = LinkUnnamedFile(temp.fd.get(), temp.name);
    }
    temp.named = error == 0;
    if (temp.named) {
        guard.Remember(temp.name);
    }
    return error;
#else
    (void)temp, (void)folder, (void)target, (void)guard;
    return 0;
#endif
}

// Writes `bytes` to a stream: standard output for "-", else the named pipe at `target`.
Status WriteStream(const std::string& path, const std::string& target, std::string_view bytes) {
    FileDescriptor opened(path == "-" ? -1 : ::open(target.c_str(), O_WRONLY | O_CLOEXEC));
    const int fd = path == "-" ? STDOUT_FILENO : opened.get();
    if (fd < 0) {
        return SystemError("Cannot save", path, errno);
    }
    if (const int error = WriteAll(fd, bytes); error != 0) {
        return SystemError("Cannot save", path, error);
    }
    if (const int error = opened.Close(); error != 0) {
        return SystemError("Cannot save", path, error);
    }
    return Done{};
}

// Checks the target `target` (at the end of the links of `path`) that `info` describes: a
// folder, a device and a file marked read-only are refused.
Status CheckTarget(const std::string& path, const std::string& target, const struct stat& info) {
    if (S_ISDIR(info.st_mode)) {
        return SystemError("Cannot save", path, EISDIR);
    }
    if (!S_ISREG(info.st_mode)) {
        return Error{"Cannot save \"" + path + "\": it is no regular file"};
    }
    // Renaming over a file needs only the folder's permission, so a file the user marked
    // read-only is checked here; its mode bits count for every user, root included.
    if ((info.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0) {
        return Error{"Cannot save \"" + path + "\": the file is read-only"};
    }
    return Done{};
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

namespace {

// Writes a save's temporary file a piece at a time; the first failure is kept.
class TemporaryWriter : public SaveWriter {
public:
    TemporaryWriter(int fd, const std::string& path) : m_fd(fd), m_path(path) {}
    Status Append(std::string_view bytes) override {
        if (m_error == 0) {
            m_error = WriteAll(m_fd, bytes, m_size);
            m_size += bytes.size();
        }
        return Outcome();
    }
    Status WriteAt(std::size_t offset, std::string_view bytes) override {
        if (m_error == 0) {
            m_error = offset <= m_size && bytes.size() <= m_size - offset
                          ? WriteAll(m_fd, bytes, offset, true)
                          : EINVAL;
        }
        return Outcome();
    }
    int ErrorNumber() const { return m_error; }

private:
    Status Outcome() const {
        return m_error == 0 ? Status(Done{}) : Status(SystemError("Cannot save", m_path, m_error));
    }
    int m_fd;
    const std::string& m_path;
    std::size_t m_size = 0;
    int m_error = 0;
};

// WriteFileAtomically with the bytes written by `write`, a piece at a time.
Status WriteFileInPieces(const std::string& path,
                         const std::function<Status(SaveWriter& out)>& write,
                         std::vector<std::string>& notices) {
    if (path.empty()) {
        return Error{"Cannot save: no file name was given"};
    }
    const auto writeStream = [&](const std::string& target) -> Status {
        ByteBuffer bytes;
        BufferSaveWriter gathered(bytes);
        if (Status written = write(gathered); !written) {
            return written;
        }
        return WriteStream(path, target, std::string_view(bytes.data(), bytes.size()));
    };
    if (path == "-") {
        return writeStream(path);
    }
    const Result<std::string> followed = FollowLinks(path);
    if (!followed) {
        return followed.error();
    }
    const std::string& target = *followed;
    struct stat info {};
    const bool targetExists = ::stat(target.c_str(), &info) == 0;
    if (targetExists && S_ISFIFO(info.st_mode)) {
        return writeStream(target);
    }
    if (targetExists) {
        if (Status usable = CheckTarget(path, target, info); !usable) {
            return usable;
        }
    }
    const std::string folder = FolderOf(target);
    RemoveLeftTemporaries(folder, target);

    TemporaryGuard guard;
    Temporary temp;
    if (Status created = CreateTemporary(temp, folder, target, path, guard); !created) {
        return created;
    }
    // The previous version, kept as the backup once the new file is in place (Backup.h).
    detail::PendingBackup backup(target, targetExists);
    FileDescriptor lockHolder;
    const auto fail = [&](int errorNumber) {
        temp.fd.Close();
        if (temp.named) {
            ::unlink(temp.name.c_str());
        }
        guard.Forget();
        return SystemError("Cannot save", path, errorNumber);
    };
    std::vector<std::string> found;
    if (targetExists) {
        // The owner first: giving a file away clears its set-user-ID bits, which fchmod restores.
        if (std::string notice = KeepOwner(temp.fd.get(), info, path); !notice.empty()) {
            found.push_back(std::move(notice));
        }
        if (info.st_nlink > 1) {
            found.push_back(detail::OtherNamesNotice(target, info.st_nlink - 1));
        }
    }
    if (::fchmod(temp.fd.get(), ModeFor(targetExists, info)) != 0) {
        return fail(errno);
    }
    TemporaryWriter out(temp.fd.get(), path);
    if (Status written = write(out); !written) {
        if (out.ErrorNumber() != 0) {
            return fail(out.ErrorNumber());
        }
        temp.fd.Close();
        if (temp.named) {
            ::unlink(temp.name.c_str());
        }
        guard.Forget();
        return written;
    }
    if (out.ErrorNumber() != 0) {
        return fail(out.ErrorNumber());
    }
    if (const int error = Flush(temp.fd.get()); error != 0) {
        return fail(error);
    }
    if (!temp.named) {
        if (const int error = NameTemporary(temp, folder, target, guard); error != 0) {
            return fail(error);
        }
    }
    // A second descriptor keeps the lock on the temporary file until it has its final name, so
    // no other save takes it for litter in between; the first is closed to learn of a failed
    // delayed write.
    lockHolder.Reset(::dup(temp.fd.get()));
    if (const int error = CloseChecked(temp.fd); error != 0) {
        return fail(error);
    }
    if (::rename(temp.name.c_str(), target.c_str()) != 0) {
        return fail(errno);
    }
    guard.Forget();
    lockHolder.Close();
    backup.Commit(found);
    // The new file is in place; only its folder entry may not be on the disk yet.
    if (const int error = FlushFolder(folder); error != 0) {
        return SystemError("Cannot save", path, error);
    }
    notices.insert(notices.end(), found.begin(), found.end());
    return Done{};
}

}  // namespace

Status WriteFileAtomically(const std::string& path, std::string_view bytes,
                           std::vector<std::string>& notices) {
    return WriteFileInPieces(
        path, [&](SaveWriter& out) { return out.Append(bytes); }, notices);
}

namespace {

// Takes the advisory lock on `fd`, trying until `wait` has passed. True when it is held, or when
// the file system has no such locks (nothing else could take them either).
bool LockWithin(int fd, std::chrono::milliseconds wait) {
    const auto until = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            return true;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= until) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

// Reads the file at `path` under its lock, as UpdateFileAtomically describes, and hands its
// bytes to `save`, which saves the new file while the lock is held.
Status UpdateLocked(const std::string& path, std::size_t maxBytes,
                    const std::function<Status(ByteBuffer& bytes)>& save,
                    std::chrono::milliseconds wait) {
    if (path.empty()) {
        return Error{"Cannot save: no file name was given"};
    }
    const Result<std::string> followed = FollowLinks(path);
    if (!followed) {
        return followed.error();
    }
    const std::string& target = *followed;
    // The lock sits on the file itself. The file is replaced by every update, so once the lock
    // is held the name must still lead to the file locked, else the update that held it has
    // put a new file in place, and that one is locked in turn. A file that is not there yet has
    // its folder locked while it is created.
    for (;;) {
        FileDescriptor file(::open(target.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
        const bool exists = file.get() >= 0;
        if (!exists && errno != ENOENT) {
            return SystemError("Cannot save", path, errno);
        }
        FileDescriptor folder(
            exists ? -1 : ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!exists && folder.get() < 0) {
            return SystemError("Cannot save", path, errno);
        }
        struct stat info {};
        if (exists) {
            if (::fstat(file.get(), &info) != 0) {
                return SystemError("Cannot save", path, errno);
            }
            if (Status usable = CheckTarget(path, target, info); !usable) {
                return usable;
            }
        }
        if (!LockWithin(exists ? file.get() : folder.get(), wait)) {
            return detail::LockedByAnother(path, wait);
        }
        struct stat now {};
        const bool existsNow = ::stat(target.c_str(), &now) == 0;
        if (existsNow != exists ||
            (exists && (now.st_ino != info.st_ino || now.st_dev != info.st_dev))) {
            continue;  // replaced or created while this update waited: lock the file there now
        }
        ByteBuffer bytes;
        if (exists) {
            ::fcntl(file.get(), F_SETFL, ::fcntl(file.get(), F_GETFL) & ~O_NONBLOCK);
            Result<ByteBuffer> old = ReadFrom<ByteBuffer>(file.get(), info, path, {maxBytes});
            if (!old) {
                return old.error();
            }
            bytes = std::move(*old);
        }
        return save(bytes);
    }
}

}  // namespace

Status UpdateFileAtomically(const std::string& path, std::size_t maxBytes,
                            const std::function<Status(ByteBuffer& bytes)>& update,
                            std::vector<std::string>& notices, std::chrono::milliseconds wait) {
    return UpdateLocked(
        path, maxBytes,
        [&](ByteBuffer& bytes) -> Status {
            if (Status updated = update(bytes); !updated) {
                return updated;
            }
            return WriteFileAtomically(path, std::string_view(bytes.data(), bytes.size()), notices);
        },
        wait);
}

Status UpdateFileInPieces(const std::string& path, std::size_t maxBytes,
                          const std::function<Status(ByteBuffer& old, SaveWriter& out)>& update,
                          std::vector<std::string>& notices, std::chrono::milliseconds wait) {
    return UpdateLocked(
        path, maxBytes,
        [&](ByteBuffer& old) {
            return WriteFileInPieces(
                path, [&](SaveWriter& out) { return update(old, out); }, notices);
        },
        wait);
}

}  // namespace corvalen

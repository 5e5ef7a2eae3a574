#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <mutex>

#include "io/Backup.h"
#include "io/FileExists.h"
#include "io/SafeFile.h"
#include "io/SafeFileParts.h"
#include "io/SaveSteps.h"

namespace corvalen {

namespace {

Error SystemError(MessageKind step, const std::string& path, int errorNumber) {
    return Error{MessageKind::ErrorReason, {std::strerror(errorNumber)}, path, step};
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

// The folder that holds `path`, where the temporary file goes so that the rename is atomic.
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

// Reads from the open `fd`, retrying a read that a signal cut short.
detail::ReadSome ReaderOf(int fd) {
    return [fd](char* into, std::size_t room, std::string& error) -> long long {
        ssize_t n = 0;
        do {
            n = ::read(fd, into, room);
        } while (n < 0 && errno == EINTR);
        if (n < 0) {
            error = std::strerror(errno);
        }
        return n;
    };
}

// Reads what is left of the open `fd`, which `info` describes, `path` naming it in errors.
Result<ByteBuffer> ReadFrom(int fd, const struct stat& info, const std::string& path,
                            std::size_t maxBytes) {
    if (S_ISDIR(info.st_mode)) {
        return SystemError(MessageKind::ErrorCannotRead, path, EISDIR);
    }
    const bool regular = S_ISREG(info.st_mode);
    if (!regular && !S_ISFIFO(info.st_mode) && !S_ISCHR(info.st_mode) && !S_ISSOCK(info.st_mode)) {
        return Error{.kind = MessageKind::ErrorNotRegular, .file = path};
    }
    return detail::ReadToEnd(path, regular, static_cast<unsigned long long>(info.st_size), maxBytes,
                             ReaderOf(fd));
}

// --- Removing the temporary file when the program is ended -------------------------------------

// The temporary files of the saves under way, for the handler of SIGINT and SIGTERM to remove.
// A slot is free (0), being filled (1) or holds a name (2); the handler reads only the last and
// calls nothing but unlink, sigaction and raise.
struct TemporarySlot {
    std::atomic<int> state{0};
    char path[4096];
};
TemporarySlot g_temporaries[8];

constexpr int kEndingSignals[] = {SIGINT, SIGTERM};
struct sigaction g_previousActions[2];
std::mutex g_handlerMutex;
int g_savesUnderWay = 0;

extern "C" void RemoveTemporariesAndEnd(int signal) {
    for (TemporarySlot& slot : g_temporaries) {
        if (slot.state.load() == 2) {
            ::unlink(slot.path);
        }
    }
    // The program ends (or goes on) as it would have: the signal is raised again under the
    // action it had before.
    ::sigaction(signal, &g_previousActions[signal == SIGINT ? 0 : 1], nullptr);
    ::raise(signal);
}

// While it lives, SIGINT and SIGTERM remove the temporary file it was given; a signal the
// program ignores stays ignored.
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
            if (g_previousActions[i].sa_handler != SIG_IGN) {
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
            ::sigaction(kEndingSignals[i], &g_previousActions[i], nullptr);
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

// Writes all of `bytes` at byte `at`, or where a stream stands; returns 0 or the errno.
int WriteAll(int fd, std::string_view bytes, off_t at = -1) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        int error = 0;
        const off_t offset = std::max<off_t>(at, 0) + static_cast<off_t>(written);
        const std::size_t allowed =
            detail::SaveWriteLimit(bytes.size() - written, static_cast<std::size_t>(offset), error);
        if (allowed == 0) {
            return error;
        }
        const ssize_t n = at < 0 ? ::write(fd, bytes.data() + written, allowed)
                                 : ::pwrite(fd, bytes.data() + written, allowed, offset);
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

// The usual mode of a new file, 0666 & ~umask.
mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The file at the end of the chain of symbolic links that starts at `path` (a link to nothing
// gives the name it points to).
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
            return SystemError(MessageKind::ErrorCannotSave, path, errno);
        }
        const std::string next(target.data(), static_cast<std::size_t>(length));
        const std::size_t slash = current.rfind('/');
        current = next.front() == '/' || slash == std::string::npos
                      ? next
                      : current.substr(0, slash + 1) + next;
    }
    return SystemError(MessageKind::ErrorCannotSave, path, ELOOP);
}

// Removes what killed saves of `target` left in `folder`: a temporary file nobody holds locked.
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

// Gives the new file `fd` the owner and group of `target` as far as this user may; returns a
// notice when they could not be kept, else an empty text.
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

// Copies `from` to a new file `to` with its mode, flushed; returns 0 or the errno (and removes
// the failed copy).
int CopyFile(const std::string& from, const std::string& to) {
    FileDescriptor in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (in.get() < 0 || ::fstat(in.get(), &info) != 0) {
        return errno;
    }
    FileDescriptor out(
        ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, info.st_mode & 07777));
    if (out.get() < 0) {
        return errno;
    }
    const Result<ByteBuffer> bytes = ReadFrom(in.get(), info, from, static_cast<std::size_t>(-1));
    int error = bytes ? WriteAll(out.get(), std::string_view(bytes->data(), bytes->size())) : EIO;
    if (error == 0) {
        error = ::fsync(out.get()) == 0 ? out.Close() : errno;
    }
    if (error != 0) {
        ::unlink(to.c_str());
    }
    return error;
}

// The previous version of a file a save replaces (Backup.h), under a hidden name until Commit
// gives it the backup's; destroyed without Commit, it removes what it made.
class PendingBackup {
public:
    PendingBackup(const std::string& target, bool targetExists) : m_target(target) {
        if (!KeepBackups() || !targetExists) {
            return;
        }
        const std::string hidden =
            FolderOf(target) + "/" + detail::TemporaryName(NameOf(target) + "~", 0) + "~";
        ::unlink(hidden.c_str());
        const int error =
            ::link(target.c_str(), hidden.c_str()) == 0 ? 0 : CopyFile(target, hidden);
        if (error == 0) {
            m_hidden = hidden;
        } else {
            m_notice = NoBackup(error);
        }
    }
    ~PendingBackup() {
        if (!m_hidden.empty()) {
            ::unlink(m_hidden.c_str());
        }
    }
    PendingBackup(const PendingBackup&) = delete;
    PendingBackup& operator=(const PendingBackup&) = delete;

    // The new file is in place: the previous version becomes the backup, or `notices` says why
    // not.
    void Commit(std::vector<std::string>& notices) {
        if (!m_hidden.empty()) {
            if (::rename(m_hidden.c_str(), (m_target + "~").c_str()) == 0) {
                m_hidden.clear();
            } else {
                m_notice = NoBackup(errno);
            }
        }
        if (!m_notice.empty()) {
            notices.push_back(m_notice);
        }
    }

private:
    std::string NoBackup(int errorNumber) const {
        return "No backup of \"" + m_target + "\" was kept: " + std::strerror(errorNumber);
    }

    std::string m_target;
    std::string m_hidden;  // the previous version's hidden name; empty when none was taken
    std::string m_notice;
};

// Creates the temporary file for `target` in `folder` into `fd`, locked and known to `guard`;
// returns its name.
Result<std::string> CreateTemporary(FileDescriptor& fd, const std::string& folder,
                                    const std::string& target, const std::string& path,
                                    TemporaryGuard& guard) {
    for (unsigned attempt = 0; attempt < detail::kTemporaryNames; ++attempt) {
        const std::string name = folder + "/" + detail::TemporaryName(NameOf(target), attempt);
        fd.Reset(::open(name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (fd.get() < 0) {
            if (errno == EEXIST) {
                continue;  // another save of the same file is under way
            }
            return SystemError(MessageKind::ErrorCannotSave, path, errno);
        }
        guard.Remember(name);
        // The lock marks it as no litter; one removed as litter before the lock was taken is
        // left for another name.
        struct stat mine {};
        struct stat named {};
        if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0 || ::fstat(fd.get(), &mine) != 0 ||
            ::stat(name.c_str(), &named) != 0 || mine.st_ino != named.st_ino ||
            mine.st_dev != named.st_dev) {
            guard.Forget();
            continue;
        }
        return name;
    }
    return SystemError(MessageKind::ErrorCannotSave, path, EEXIST);
}

// The put of a save to `fd` (`path` named in errors); a stream, which takes its pieces in order
// only, is given `written`, the count of bytes put so far.
PutBytes PutInto(int fd, const std::string& path, std::size_t* written = nullptr) {
    return [fd, &path, written](std::size_t at, std::string_view bytes) -> Status {
        const int error = written == nullptr ? WriteAll(fd, bytes, static_cast<off_t>(at))
                          : at == *written   ? WriteAll(fd, bytes)
                                             : ESPIPE;
        if (written != nullptr) {
            *written += bytes.size();
        }
        return error == 0 ? Status(Done{}) : SystemError(MessageKind::ErrorCannotSave, path, error);
    };
}

// Writes what `write` puts to standard output for "-", else to the named pipe at `target`.
Status WriteStream(const std::string& path, const std::string& target,
                   const std::function<Status(const PutBytes& put)>& write) {
    FileDescriptor opened(path == "-" ? -1 : ::open(target.c_str(), O_WRONLY | O_CLOEXEC));
    const int fd = path == "-" ? STDOUT_FILENO : opened.get();
    if (fd < 0) {
        return SystemError(MessageKind::ErrorCannotSave, path, errno);
    }
    std::size_t written = 0;
    if (Status wrote = write(PutInto(fd, path, &written)); !wrote) {
        return wrote;
    }
    if (const int error = opened.Close(); error != 0) {
        return SystemError(MessageKind::ErrorCannotSave, path, error);
    }
    return Done{};
}

// Refuses a `target` (at the end of the links of `path`; `info` describes it) that is a folder, a
// device or marked read-only.
Status CheckTarget(const std::string& path, const std::string& target, const struct stat& info) {
    if (S_ISDIR(info.st_mode)) {
        return SystemError(MessageKind::ErrorCannotSave, path, EISDIR);
    }
    if (!S_ISREG(info.st_mode)) {
        return Error{MessageKind::ErrorNotRegular, {}, path, MessageKind::ErrorCannotSave};
    }
    // Renaming over a file needs only the folder's permission, so a file the user marked
    // read-only is checked here; its mode bits count for every user, root included.
    if ((info.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0) {
        return Error{MessageKind::ErrorReadOnly, {}, path, MessageKind::ErrorCannotSave};
    }
    return Done{};
}

}  // namespace

bool FileExists(const std::string& path) {
    // O_NONBLOCK keeps a named pipe from holding the caller until a writer appears.
    FileDescriptor fd(path.empty() ? -1 : ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat info {};
    return fd.get() >= 0 && ::fstat(fd.get(), &info) == 0 && !S_ISDIR(info.st_mode);
}

Result<ByteBuffer> ReadWholeFileBuffer(const std::string& path, std::size_t maxBytes) {
    FileDescriptor opened(path == "-" ? -1 : ::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    const int fd = path == "-" ? STDIN_FILENO : opened.get();
    if (fd < 0) {
        return SystemError(MessageKind::ErrorCannotOpen, path, errno);
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        return SystemError(MessageKind::ErrorCannotRead, path, errno);
    }
    return ReadFrom(fd, info, path, maxBytes);
}

Result<std::optional<unsigned long long>> ReadFileBlocks(
    const std::string& path, std::size_t maxBytes, std::size_t blockBytes,
    const std::function<bool(std::string_view block)>& take) {
    // A pipe is told from its name before it is opened: opening one and closing it unread could
    // cut off the program writing into it.
    struct stat named {};
    if (path == "-" || ::stat(path.c_str(), &named) != 0 || !S_ISREG(named.st_mode)) {
        return std::optional<unsigned long long>();
    }
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) {
        return SystemError(MessageKind::ErrorCannotOpen, path, errno);
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        return SystemError(MessageKind::ErrorCannotRead, path, errno);
    }
    if (!S_ISREG(info.st_mode)) {
        return Error{.kind = MessageKind::ErrorNotRegular, .file = path};
    }
    return detail::ReadBlocks(path, static_cast<unsigned long long>(info.st_size), maxBytes,
                              blockBytes, ReaderOf(fd.get()), take);
}

namespace detail {

Status SaveAtomically(const std::string& path,
                      const std::function<Status(const PutBytes& put)>& write,
                      std::vector<std::string>& notices) {
    if (path == "-") {
        return WriteStream(path, path, write);
    }
    const Result<std::string> followed = FollowLinks(path);
    if (!followed) {
        return followed.error();
    }
    const std::string& target = *followed;
    struct stat info {};
    const bool targetExists = ::stat(target.c_str(), &info) == 0;
    if (targetExists && S_ISFIFO(info.st_mode)) {
        return WriteStream(path, target, write);
    }
    if (targetExists) {
        if (Status usable = CheckTarget(path, target, info); !usable) {
            return usable;
        }
    }
    const std::string folder = FolderOf(target);
    RemoveLeftTemporaries(folder, target);

    TemporaryGuard guard;
    FileDescriptor temp;
    const Result<std::string> name = CreateTemporary(temp, folder, target, path, guard);
    if (!name) {
        return name.error();
    }
    // The previous version, kept as the backup once the new file is in place.
    PendingBackup backup(target, targetExists);
    const auto fail = [&](const Status& failed) {
        temp.Close();
        ::unlink(name->c_str());
        guard.Forget();
        return failed;
    };
    const auto failWith = [&](int errorNumber) {
        return fail(SystemError(MessageKind::ErrorCannotSave, path, errorNumber));
    };
    std::vector<std::string> found;
    if (targetExists) {
        // The owner first: giving a file away clears its set-user-ID bits, which fchmod restores.
        if (std::string notice = KeepOwner(temp.get(), info, path); !notice.empty()) {
            found.push_back(std::move(notice));
        }
        if (info.st_nlink > 1) {
            found.push_back(detail::OtherNamesNotice(target, info.st_nlink - 1));
        }
    }
    if (::fchmod(temp.get(), targetExists ? info.st_mode & 07777 : NewFileMode()) != 0) {
        return failWith(errno);
    }
    if (Status wrote = write(PutInto(temp.get(), path)); !wrote) {
        return fail(wrote);
    }
    if (const int error = detail::SaveStepError(detail::SaveStep::Flush); error != 0) {
        return failWith(error);
    }
    if (::fsync(temp.get()) != 0) {
        return failWith(errno);
    }
    // A second descriptor keeps the lock until the file has its final name; the first is closed
    // to learn of a failed delayed write.
    FileDescriptor lockHolder(::dup(temp.get()));
    const int closeError = temp.Close();
    if (const int error = detail::SaveStepError(detail::SaveStep::Close); error != 0) {
        return failWith(error);
    }
    if (closeError != 0) {
        return failWith(closeError);
    }
    if (::rename(name->c_str(), target.c_str()) != 0) {
        return failWith(errno);
    }
    guard.Forget();
    lockHolder.Close();
    backup.Commit(found);
    // The new file is in place; only its folder entry may not be on the disk yet.
    if (const int error = FlushFolder(folder); error != 0) {
        return SystemError(MessageKind::ErrorCannotSave, path, error);
    }
    notices.insert(notices.end(), found.begin(), found.end());
    return Done{};
}

}  // namespace detail

Status UpdateFileAtomically(
    const std::string& path, std::size_t maxBytes,
    const std::function<Status(ByteBuffer& bytes, const PutBytes& put)>& update,
    std::vector<std::string>& notices, std::chrono::milliseconds wait) {
    if (path.empty()) {
        return Error{MessageKind::ErrorNoFileName};
    }
    const Result<std::string> followed = FollowLinks(path);
    if (!followed) {
        return followed.error();
    }
    const std::string& target = *followed;
    // The lock sits on the file, which every update replaces: once it is held, the name must
    // still lead to the file locked, else the new file is locked in turn. A file not there yet
    // has its folder locked.
    for (;;) {
        FileDescriptor file(::open(target.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
        const bool exists = file.get() >= 0;
        if (!exists && errno != ENOENT) {
            return SystemError(MessageKind::ErrorCannotSave, path, errno);
        }
        FileDescriptor folder(
            exists ? -1 : ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!exists && folder.get() < 0) {
            return SystemError(MessageKind::ErrorCannotSave, path, errno);
        }
        struct stat info {};
        if (exists) {
            if (::fstat(file.get(), &info) != 0) {
                return SystemError(MessageKind::ErrorCannotSave, path, errno);
            }
            if (Status usable = CheckTarget(path, target, info); !usable) {
                return usable;
            }
        }
        // A file system without such locks lets every update go on: nothing could take one.
        const int locked = exists ? file.get() : folder.get();
        if (!detail::LockWithin(wait, [locked] {
                return ::flock(locked, LOCK_EX | LOCK_NB) == 0 ||
                       (errno != EWOULDBLOCK && errno != EINTR);
            })) {
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
            Result<ByteBuffer> old = ReadFrom(file.get(), info, path, maxBytes);
            if (!old) {
                return old.error();
            }
            bytes = std::move(*old);
        }
        return detail::SaveAtomically(
            path, [&](const PutBytes& put) { return update(bytes, put); }, notices);
    }
}

}  // namespace corvalen

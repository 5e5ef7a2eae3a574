#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "io/Backup.h"
#include "io/BackupParts.h"
#include "io/SafeFileParts.h"

namespace corvalen::detail {

namespace {

std::string FolderPart(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string NamePart(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string NoBackup(const std::string& target, int errorNumber) {
    return "No backup of \"" + target + "\" was kept: " + std::strerror(errorNumber);
}

// Copies the file at `from` to a new file `to`, flushed to the disk; 0 or the errno.
int CopyFile(const std::string& from, const std::string& to) {
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        return errno;
    }
    struct stat info {};
    const int out =
        ::fstat(in, &info) == 0
            ? ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, info.st_mode & 07777)
            : -1;
    int error = out < 0 ? errno : 0;
    char buffer[1 << 16];
    while (error == 0) {
        const ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got < 0) {
            error = errno == EINTR ? 0 : errno;
            continue;
        }
        if (got == 0) {
            break;
        }
        for (ssize_t done = 0; done < got && error == 0;) {
            const ssize_t put = ::write(out, buffer + done, static_cast<std::size_t>(got - done));
            if (put < 0) {
                error = errno == EINTR ? 0 : errno;
            } else {
                done += put;
            }
        }
    }
    if (error == 0 && ::fsync(out) != 0) {
        error = errno;
    }
    if (out >= 0 && ::close(out) != 0 && error == 0) {
        error = errno;
    }
    ::close(in);
    if (error != 0 && out >= 0) {
        ::unlink(to.c_str());
    }
    return error;
}

}  // namespace

PendingBackup::PendingBackup(const std::string& target, bool targetExists) : m_target(target) {
    if (!KeepBackups() || !targetExists) {
        return;
    }
    const std::string backupName = NamePart(BackupPathOf(target));
    // Hidden and of a fixed length beside a name of any length; one a killed save left is
    // taken over.
    const std::string hidden = FolderPart(target) + TemporaryName(backupName, 0) + "~";
    ::unlink(hidden.c_str());
    if (::link(target.c_str(), hidden.c_str()) == 0) {
        m_hidden = hidden;
        return;
    }
    if (const int error = CopyFile(target, hidden); error != 0) {
        m_notice = NoBackup(target, error);
        return;
    }
    m_hidden = hidden;
}

PendingBackup::~PendingBackup() {
    if (!m_hidden.empty()) {
        ::unlink(m_hidden.c_str());
    }
}

void PendingBackup::Commit(std::vector<std::string>& notices) {
    if (!m_hidden.empty()) {
        if (::rename(m_hidden.c_str(), BackupPathOf(m_target).c_str()) == 0) {
            m_hidden.clear();
        } else {
            m_notice = NoBackup(m_target, errno);
        }
    }
    if (!m_notice.empty()) {
        notices.push_back(m_notice);
    }
}

}  // namespace corvalen::detail

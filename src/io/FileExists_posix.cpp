#include "io/FileExists.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvalen {

bool FileExists(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    // O_NONBLOCK keeps a named pipe from holding the caller until a writer appears.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    const bool isFolder = ::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode);
    ::close(fd);
    return !isFolder;
}

}  // namespace corvalen

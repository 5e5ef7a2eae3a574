#include <windows.h>

#include "io/FileExists.h"
#include "io/WindowsPath.h"

namespace corvalen {

bool FileExists(const std::string& path) {
    const std::wstring wide = windows::WidePath(path);
    if (wide.empty()) {
        return false;
    }
    // Opening for reading checks that access is granted, as on other systems.
    const HANDLE file = ::CreateFileW(wide.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;  // a folder cannot be opened without FILE_FLAG_BACKUP_SEMANTICS
    }
    ::CloseHandle(file);
    return true;
}

}  // namespace corvalen

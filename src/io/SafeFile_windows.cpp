#include <windows.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "io/SafeFile.h"
#include "io/WindowsPath.h"

// The Windows file code: UTF-8 paths become UTF-16 for the wide calls, the temporary file sits
// beside the target, is flushed with FlushFileBuffers and put in place with ReplaceFileW (or,
// for a new file, MoveFileExW with write-through).

namespace corvalen {

namespace windows {

std::wstring WidePath(const std::string& path) {
    if (path.empty() || path.size() > 32767) {
        return {};
    }
    const int size = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(),
                                           static_cast<int>(path.size()), nullptr, 0);
    if (size <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), static_cast<int>(path.size()),
                          wide.data(), size);
    return wide;
}

std::string ErrorText(unsigned long code) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
            return std::strerror(ENOENT);
        case ERROR_ACCESS_DENIED:
            return std::strerror(EACCES);
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return std::strerror(ENOSPC);
        case ERROR_WRITE_PROTECT:
            return std::strerror(EROFS);
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return std::strerror(EEXIST);
        default:
            break;
    }
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text;
    if (length > 0 && buffer != nullptr) {
        const int size = ::WideCharToMultiByte(CP_UTF8, 0, buffer, static_cast<int>(length),
                                               nullptr, 0, nullptr, nullptr);
        text.resize(static_cast<std::size_t>(size > 0 ? size : 0));
        ::WideCharToMultiByte(CP_UTF8, 0, buffer, static_cast<int>(length), text.data(), size,
                              nullptr, nullptr);
    }
    if (buffer != nullptr) {
        ::LocalFree(buffer);
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' ||
                             text.back() == '.')) {
        text.pop_back();
    }
    return text.empty() ? "Windows error " + std::to_string(code) : text;
}

}  // namespace windows

namespace {

Error FileError(const std::string& what, const std::string& path, const std::string& reason) {
    return Error{what + " \"" + path + "\": " + reason};
}

// Closes the handle on every path out of a function.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_handle; }
    void Reset(HANDLE handle) {
        Close();
        m_handle = handle;
    }
    // True when the handle closed cleanly (or was closed already).
    bool Close() {
        if (!valid()) {
            return true;
        }
        const bool closed = ::CloseHandle(m_handle) != 0;
        m_handle = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE m_handle;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A name beside `path` for the temporary file; `attempt` varies it when the name is taken.
std::wstring TemporaryName(const std::wstring& path, unsigned attempt) {
    static const wchar_t letters[] =
        L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static unsigned long long counter = 0;
    unsigned long long value = ::GetCurrentProcessId() * 1000003ULL + ++counter * 7919ULL +
                               attempt * 104729ULL + ::GetTickCount64();
    std::wstring name = path + L".corvalen-";
    for (int i = 0; i < 6; ++i) {
        name += letters[value % (sizeof letters / sizeof letters[0] - 1)];
        value /= sizeof letters / sizeof letters[0] - 1;
    }
    return name;
}

// The full form of `path` (drive, folder and name), which ReplaceFileW needs; `path` itself when
// Windows cannot give one.
std::wstring FullPath(const std::wstring& path) {
    const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) {
        return path;
    }
    std::wstring full(size, L'\0');
    const DWORD length = ::GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) {
        return path;
    }
    full.resize(length);
    return full;
}

}  // namespace

namespace {

// How far a read goes: `streams` lets the console and "-" (standard input) be read as streams,
// which only a read with a cap may do.
struct ReadLimit {
    std::size_t maxBytes = static_cast<std::size_t>(-1);
    bool streams = false;
};

template <typename Bytes>
Result<Bytes> ReadWholeFileAs(const std::string& path, ReadLimit limit) {
    const bool standardInput = limit.streams && path == "-";
    FileHandle opened(INVALID_HANDLE_VALUE);
    HANDLE handle = INVALID_HANDLE_VALUE;
    if (standardInput) {
        handle = ::GetStdHandle(STD_INPUT_HANDLE);
        if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
            return Error{"Cannot read standard input: " + windows::ErrorText(ERROR_INVALID_HANDLE)};
        }
    } else {
        const std::wstring wide = windows::WidePath(path);
        if (wide.empty()) {
            return FileError("Cannot open", path, std::strerror(ENOENT));
        }
        const DWORD attributes = ::GetFileAttributesW(wide.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            return FileError("Cannot read", path, std::strerror(EISDIR));
        }
        opened.Reset(::CreateFileW(wide.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!opened.valid()) {
            return FileError("Cannot open", path, windows::ErrorText(::GetLastError()));
        }
        handle = opened.get();
    }
    // A device such as the console never ends; only files and pipes are read, and the console
    // only by a read with a cap.
    const DWORD type = ::GetFileType(handle);
    const bool regular = type == FILE_TYPE_DISK;
    if (!regular && type != FILE_TYPE_PIPE && !(limit.streams && type == FILE_TYPE_CHAR)) {
        return FileError("Cannot read", path, "it is no regular file");
    }
    Bytes bytes;
    LARGE_INTEGER size{};
    if (regular && ::GetFileSizeEx(handle, &size) && size.QuadPart > 0) {
        // The size decides before a byte is allocated.
        if (static_cast<unsigned long long>(size.QuadPart) > limit.maxBytes) {
            return detail::FileTooLong(path, static_cast<unsigned long long>(size.QuadPart),
                                       limit.maxBytes);
        }
        bytes.reserve(static_cast<std::size_t>(size.QuadPart));
    }
    char buffer[1 << 16];
    for (;;) {
        DWORD n = 0;
        if (!::ReadFile(handle, buffer, sizeof buffer, &n, nullptr)) {
            const DWORD error = ::GetLastError();
            if (error == ERROR_BROKEN_PIPE) {
                break;  // the writing end of a pipe closed: the end of the input
            }
            return Error{"Cannot read " + detail::QuotedSource(path) + ": " +
                         windows::ErrorText(error)};
        }
        if (n == 0) {
            break;
        }
        if (n > limit.maxBytes - bytes.size()) {
            return regular ? detail::FileTooLong(path, bytes.size() + n, limit.maxBytes)
                           : detail::StreamTooLong(path, limit.maxBytes);
        }
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
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
    const std::wstring given = windows::WidePath(path);
    if (given.empty()) {
        return FileError("Cannot save", path, std::strerror(ENOENT));
    }
    const std::wstring wide = FullPath(given);
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return FileError("Cannot save", path, std::strerror(EISDIR));
    }
    // A device name (NUL, CON, COM1) opens as something that is no file on the disk.
    bool targetExists = false;
    {
        FileHandle existing(::CreateFileW(wide.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        if (existing.valid()) {
            if (::GetFileType(existing.get()) != FILE_TYPE_DISK) {
                return FileError("Cannot save", path, "it is no regular file");
            }
            targetExists = true;
        }
    }
    if (targetExists && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return FileError("Cannot save", path, "the file is read-only");
    }

    // The temporary file sits beside the target, so the replacement stays on one volume.
    std::wstring temp;
    HANDLE handle = INVALID_HANDLE_VALUE;
    for (unsigned attempt = 0; attempt < 100 && handle == INVALID_HANDLE_VALUE; ++attempt) {
        temp = TemporaryName(wide, attempt);
        handle = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        const DWORD error = ::GetLastError();
        if (handle == INVALID_HANDLE_VALUE && error != ERROR_FILE_EXISTS &&
            error != ERROR_ALREADY_EXISTS) {
            return FileError("Cannot save", path, windows::ErrorText(error));
        }
    }
    if (handle == INVALID_HANDLE_VALUE) {
        return FileError("Cannot save", path, std::strerror(EEXIST));
    }
    FileHandle file(handle);
    const auto fail = [&](const std::string& reason) {
        file.Close();
        ::DeleteFileW(temp.c_str());
        return FileError("Cannot save", path, reason);
    };

    const SaveFaults& faults = detail::SimulatedSaveFaults();
    std::size_t written = 0;
    while (written < bytes.size()) {
        std::size_t chunk = detail::SimulatedWriteLimit(bytes.size() - written, written);
        if (chunk == 0) {
            return fail(std::strerror(faults.writeError));
        }
        chunk = chunk > (1u << 30) ? (1u << 30) : chunk;
        DWORD n = 0;
        if (!::WriteFile(file.get(), bytes.data() + written, static_cast<DWORD>(chunk), &n,
                         nullptr)) {
            return fail(windows::ErrorText(::GetLastError()));
        }
        written += n;
    }
    if (faults.flushError != 0) {
        return fail(std::strerror(faults.flushError));
    }
    if (!::FlushFileBuffers(file.get())) {
        return fail(windows::ErrorText(::GetLastError()));
    }
    const bool closed = file.Close();
    if (faults.closeError != 0) {
        return fail(std::strerror(faults.closeError));
    }
    if (!closed) {
        return fail(windows::ErrorText(::GetLastError()));
    }

    if (!targetExists) {
        if (!::MoveFileExW(temp.c_str(), wide.c_str(), MOVEFILE_WRITE_THROUGH)) {
            return fail(windows::ErrorText(::GetLastError()));
        }
        return Done{};
    }
    // ReplaceFileW keeps the target's attributes and security settings.
    if (!::ReplaceFileW(wide.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                        nullptr, nullptr)) {
        const DWORD error = ::GetLastError();
        // Here the old file is gone already and the new one still has its temporary name.
        if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 &&
            ::MoveFileExW(temp.c_str(), wide.c_str(), MOVEFILE_WRITE_THROUGH)) {
            return Done{};
        }
        return fail(windows::ErrorText(error));
    }
    return Done{};
}

}  // namespace corvalen

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <cwctype>
#include <string>
#include <utility>

#include "io/Backup.h"
#include "io/FileExists.h"
#include "io/SafeFile.h"
#include "io/SafeFileParts.h"
#include "io/SaveSteps.h"

// The Windows file code: UTF-8 paths become UTF-16; the temporary file is marked to be deleted
// should the program end, flushed, and put in place with ReplaceFileW (MoveFileExW for a new
// file). Updates in place lock the file with LockFileEx.

namespace corvalen {

namespace {

// The UTF-8 `path` as the UTF-16 text the wide Windows calls take; empty when `path` is empty
// or no valid UTF-8.
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

// The text of Windows error `code`, in the C library's words where one says the same thing
// (so "No such file or directory" reads as on other systems), else in Windows' own.
std::string ErrorText(unsigned long code) {
    constexpr std::pair<DWORD, int> kSame[] = {
        {ERROR_FILE_NOT_FOUND, ENOENT}, {ERROR_PATH_NOT_FOUND, ENOENT},
        {ERROR_INVALID_NAME, ENOENT},   {ERROR_INVALID_DRIVE, ENOENT},
        {ERROR_BAD_NETPATH, ENOENT},    {ERROR_ACCESS_DENIED, EACCES},
        {ERROR_DISK_FULL, ENOSPC},      {ERROR_HANDLE_DISK_FULL, ENOSPC},
        {ERROR_WRITE_PROTECT, EROFS},   {ERROR_FILE_EXISTS, EEXIST},
        {ERROR_ALREADY_EXISTS, EEXIST}};
    for (const auto& [windows, posix] : kSame) {
        if (code == windows) {
            return std::strerror(posix);
        }
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

Error FileError(MessageKind step, const std::string& path, const std::string& reason) {
    return Error{MessageKind::ErrorReason, {reason}, path, step};
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

// Reads from the open `handle`; a pipe whose writing end closed has ended.
detail::ReadSome ReaderOf(HANDLE handle) {
    return [handle](char* into, std::size_t room, std::string& error) -> long long {
        DWORD n = 0;
        if (::ReadFile(handle, into, static_cast<DWORD>(std::min<std::size_t>(room, 1u << 30)), &n,
                       nullptr)) {
            return n;
        }
        const DWORD code = ::GetLastError();
        if (code == ERROR_BROKEN_PIPE) {
            return 0;
        }
        error = ErrorText(code);
        return -1;
    };
}

// Reads what is left of the open `handle`, `path` naming it in errors: a file, or a pipe or
// the console as a stream.
Result<ByteBuffer> ReadFrom(HANDLE handle, const std::string& path, std::size_t maxBytes) {
    const DWORD type = ::GetFileType(handle);
    const bool regular = type == FILE_TYPE_DISK;
    if (!regular && type != FILE_TYPE_PIPE && type != FILE_TYPE_CHAR) {
        return Error{.kind = MessageKind::ErrorNotRegular, .file = path};
    }
    LARGE_INTEGER size{};
    if (regular && !::GetFileSizeEx(handle, &size)) {
        size.QuadPart = 0;
    }
    return detail::ReadToEnd(path, regular, static_cast<unsigned long long>(size.QuadPart),
                             maxBytes, ReaderOf(handle));
}

// --- Saving ----------------------------------------------------------------------------------

// The folder part of the full path `path`, with its final backslash.
std::wstring FolderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

// The last part of the UTF-8 `path`, the file's own name.
std::string NameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a link (a reparse point) at `wide` leads to; `wide` itself for a plain file.
std::wstring FollowLinks(const std::wstring& wide) {
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        return wide;
    }
    FileHandle file(::CreateFileW(wide.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return wide;
    }
    std::wstring final(32768, L'\0');
    const DWORD length = ::GetFinalPathNameByHandleW(
        file.get(), final.data(), static_cast<DWORD>(final.size()), FILE_NAME_NORMALIZED);
    if (length == 0 || length >= final.size()) {
        return wide;
    }
    final.resize(length);
    return final;
}

// Writes all of `bytes` to `handle`, at byte `at` of the file or, for a stream (`seek` false),
// where it stands; returns an empty text or the reason it failed.
std::string WriteAll(HANDLE handle, std::string_view bytes, std::size_t at = 0, bool seek = false) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        int error = 0;
        std::size_t chunk = detail::SaveWriteLimit(bytes.size() - written, at + written, error);
        if (chunk == 0) {
            return std::strerror(error);
        }
        chunk = chunk > (1u << 30) ? (1u << 30) : chunk;
        DWORD n = 0;
        OVERLAPPED place{};
        place.Offset = static_cast<DWORD>((at + written) & 0xFFFFFFFFu);
        place.OffsetHigh = static_cast<DWORD>(static_cast<unsigned long long>(at + written) >> 32);
        if (!::WriteFile(handle, bytes.data() + written, static_cast<DWORD>(chunk), &n,
                         seek ? &place : nullptr)) {
            return ErrorText(::GetLastError());
        }
        written += n;
    }
    return {};
}

// Marks the open file to be deleted when its last handle closes (`remove`), or no longer: while
// marked, a program that is ended, however, takes its temporary file with it.
void DeleteWhenClosed(HANDLE handle, bool remove) {
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = remove ? TRUE : FALSE;
    ::SetFileInformationByHandle(handle, FileDispositionInfo, &disposition, sizeof disposition);
}

// The put of a save to `handle`, where `path` (named in its errors) is a file, or a stream when
// `written` is given: the count of the bytes it took so far, since it takes them in order only.
PutBytes PutInto(HANDLE handle, const std::string& path, std::size_t* written = nullptr) {
    return [handle, &path, written](std::size_t at, std::string_view bytes) -> Status {
        const std::string failed = written == nullptr ? WriteAll(handle, bytes, at, true)
                                   : at == *written   ? WriteAll(handle, bytes)
                                                      : std::string(std::strerror(ESPIPE));
        if (written != nullptr) {
            *written += bytes.size();
        }
        return failed.empty() ? Status(Done{})
                              : FileError(MessageKind::ErrorCannotSave, path, failed);
    };
}

Status WriteStandardOutput(const std::function<Status(const PutBytes& put)>& write) {
    const HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
    if (output == nullptr || output == INVALID_HANDLE_VALUE) {
        return FileError(MessageKind::ErrorCannotSave, "-", ErrorText(ERROR_INVALID_HANDLE));
    }
    static const std::string standardOutput = "-";
    std::size_t written = 0;
    return write(PutInto(output, standardOutput, &written));
}

// The volume and file number of the file open as `handle`, which tell whether two handles are
// the same file.
std::pair<DWORD, ULONGLONG> FileIdentity(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(handle, &info)) {
        return {0, 0};
    }
    return {info.dwVolumeSerialNumber,
            (static_cast<ULONGLONG>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

// Takes the lock on `handle`, trying until `wait` has passed. The lock covers one byte far past
// any real end of file, so it stops other updates but no reader. A file system without locks
// lets every update go on: nothing else can take one either.
bool LockWithin(HANDLE handle, std::chrono::milliseconds wait) {
    return detail::LockWithin(wait, [handle] {
        OVERLAPPED place{};
        place.Offset = 0xFFFFFFFEu;
        place.OffsetHigh = 0x7FFFFFFFu;
        return ::LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                            &place) ||
               ::GetLastError() != ERROR_LOCK_VIOLATION;
    });
}

// A lock on the update of a file that does not exist yet: a named mutex of the session, named
// after the file's full path.
class NewFileLock {
public:
    explicit NewFileLock(const std::wstring& fullPath) {
        std::string lower;
        for (const wchar_t c : fullPath) {
            const wchar_t folded = c < 128 ? static_cast<wchar_t>(::towlower(c)) : c;
            lower += static_cast<char>(folded & 0xFF);
            lower += static_cast<char>(folded >> 8);
        }
        const std::wstring name = L"Local\\corvalen-" + WidePath(detail::TemporaryName(lower, 0));
        m_mutex = ::CreateMutexW(nullptr, FALSE, name.c_str());
    }
    ~NewFileLock() {
        if (m_owned) {
            ::ReleaseMutex(m_mutex);
        }
        if (m_mutex != nullptr) {
            ::CloseHandle(m_mutex);
        }
    }
    NewFileLock(const NewFileLock&) = delete;
    NewFileLock& operator=(const NewFileLock&) = delete;

    bool Take(std::chrono::milliseconds wait) {
        if (m_mutex == nullptr) {
            return true;
        }
        const DWORD result = ::WaitForSingleObject(m_mutex, static_cast<DWORD>(wait.count()));
        m_owned = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
        return m_owned;
    }

private:
    HANDLE m_mutex = nullptr;
    bool m_owned = false;
};

}  // namespace

bool FileExists(const std::string& path) {
    const std::wstring wide = WidePath(path);
    if (wide.empty()) {
        return false;
    }
    // Opening for reading checks that access is granted, as on other systems; a folder cannot
    // be opened without FILE_FLAG_BACKUP_SEMANTICS.
    const FileHandle file(::CreateFileW(wide.c_str(), GENERIC_READ, kShareAll, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.valid();
}

Result<ByteBuffer> ReadWholeFileBuffer(const std::string& path, std::size_t maxBytes) {
    if (path == "-") {
        const HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
        if (input == nullptr || input == INVALID_HANDLE_VALUE) {
            return FileError(MessageKind::ErrorCannotRead, "-", ErrorText(ERROR_INVALID_HANDLE));
        }
        return ReadFrom(input, path, maxBytes);
    }
    const std::wstring wide = WidePath(path);
    if (wide.empty()) {
        return FileError(MessageKind::ErrorCannotOpen, path, std::strerror(ENOENT));
    }
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return FileError(MessageKind::ErrorCannotRead, path, std::strerror(EISDIR));
    }
    FileHandle file(::CreateFileW(wide.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return FileError(MessageKind::ErrorCannotOpen, path, ErrorText(::GetLastError()));
    }
    return ReadFrom(file.get(), path, maxBytes);
}

Result<std::optional<unsigned long long>> ReadFileBlocks(
    const std::string& path, std::size_t maxBytes, std::size_t blockBytes,
    const std::function<bool(std::string_view block)>& take) {
    const std::wstring wide = path == "-" ? std::wstring() : WidePath(path);
    const DWORD attributes =
        wide.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
        wide.starts_with(L"\\\\.\\")) {
        // Standard input, a device or pipe, a folder, or nothing to read.
        return std::optional<unsigned long long>();
    }
    FileHandle file(::CreateFileW(wide.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return FileError(MessageKind::ErrorCannotOpen, path, ErrorText(::GetLastError()));
    }
    LARGE_INTEGER size{};
    if (::GetFileType(file.get()) != FILE_TYPE_DISK || !::GetFileSizeEx(file.get(), &size)) {
        return Error{.kind = MessageKind::ErrorNotRegular, .file = path};
    }
    return detail::ReadBlocks(path, static_cast<unsigned long long>(size.QuadPart), maxBytes,
                              blockBytes, ReaderOf(file.get()), take);
}

namespace detail {

Status SaveAtomically(const std::string& path,
                      const std::function<Status(const PutBytes& put)>& write,
                      std::vector<std::string>& notices) {
    if (path == "-") {
        return WriteStandardOutput(write);
    }
    const std::wstring given = WidePath(path);
    if (given.empty()) {
        return FileError(MessageKind::ErrorCannotSave, path, std::strerror(ENOENT));
    }
    const std::wstring wide = FollowLinks(FullPath(given));
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return FileError(MessageKind::ErrorCannotSave, path, std::strerror(EISDIR));
    }
    // A device name (NUL, CON, COM1) opens as something that is no file on the disk.
    bool targetExists = false;
    std::vector<std::string> found;
    {
        FileHandle existing(::CreateFileW(wide.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        if (existing.valid()) {
            if (::GetFileType(existing.get()) != FILE_TYPE_DISK) {
                return Error{MessageKind::ErrorNotRegular, {}, path, MessageKind::ErrorCannotSave};
            }
            targetExists = true;
            BY_HANDLE_FILE_INFORMATION info{};
            if (::GetFileInformationByHandle(existing.get(), &info) && info.nNumberOfLinks > 1) {
                found.push_back(detail::OtherNamesNotice(path, info.nNumberOfLinks - 1));
            }
        }
    }
    if (targetExists && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return Error{MessageKind::ErrorReadOnly, {}, path, MessageKind::ErrorCannotSave};
    }

    // The temporary file sits beside the target, so the replacement stays on one volume. A
    // temporary file of a save under way is open and cannot be deleted; one that can is what
    // an ended save left.
    const std::wstring folder = FolderOf(wide);
    const std::string name = NameOf(path);
    for (unsigned attempt = 0; attempt < detail::kTemporaryNames; ++attempt) {
        ::DeleteFileW((folder + WidePath(detail::TemporaryName(name, attempt))).c_str());
    }
    std::wstring temp;
    HANDLE handle = INVALID_HANDLE_VALUE;
    for (unsigned attempt = 0; attempt < detail::kTemporaryNames; ++attempt) {
        temp = folder + WidePath(detail::TemporaryName(name, attempt));
        handle = ::CreateFileW(temp.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            break;
        }
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            return FileError(MessageKind::ErrorCannotSave, path, ErrorText(error));
        }
    }
    if (handle == INVALID_HANDLE_VALUE) {
        return FileError(MessageKind::ErrorCannotSave, path, std::strerror(EEXIST));
    }
    FileHandle file(handle);
    DeleteWhenClosed(file.get(), true);
    const auto failed = [&](const Status& why) {
        file.Close();
        ::DeleteFileW(temp.c_str());
        return why;
    };
    const auto fail = [&](const std::string& reason) {
        return failed(FileError(MessageKind::ErrorCannotSave, path, reason));
    };

    if (Status wrote = write(PutInto(file.get(), path)); !wrote) {
        return failed(wrote);
    }
    if (const int error = detail::SaveStepError(detail::SaveStep::Flush); error != 0) {
        return fail(std::strerror(error));
    }
    if (!::FlushFileBuffers(file.get())) {
        return fail(ErrorText(::GetLastError()));
    }
    DeleteWhenClosed(file.get(), false);
    const bool closed = file.Close();
    if (const int error = detail::SaveStepError(detail::SaveStep::Close); error != 0) {
        return fail(std::strerror(error));
    }
    if (!closed) {
        return fail(ErrorText(::GetLastError()));
    }

    if (!targetExists) {
        if (!::MoveFileExW(temp.c_str(), wide.c_str(), MOVEFILE_WRITE_THROUGH)) {
            return fail(ErrorText(::GetLastError()));
        }
        return Done{};
    }
    // ReplaceFileW keeps the target's attributes and security settings, its owner among them;
    // with backups kept, it keeps the previous version as NAME~ (Backup.h).
    const std::wstring backup = wide + L"~";
    if (!::ReplaceFileW(wide.c_str(), temp.c_str(), KeepBackups() ? backup.c_str() : nullptr,
                        REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
        const DWORD error = ::GetLastError();
        // Here the old file is gone already and the new one still has its temporary name.
        if (error != ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 ||
            !::MoveFileExW(temp.c_str(), wide.c_str(), MOVEFILE_WRITE_THROUGH)) {
            return fail(ErrorText(error));
        }
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
    const std::wstring given = WidePath(path);
    if (given.empty()) {
        return FileError(MessageKind::ErrorCannotSave, path, std::strerror(ENOENT));
    }
    const std::wstring wide = FollowLinks(FullPath(given));
    // As on other systems: the lock sits on the file, which every update replaces, so once it
    // is held the name must still lead to the file locked.
    for (;;) {
        FileHandle file(::CreateFileW(wide.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        const DWORD openError = file.valid() ? ERROR_SUCCESS : ::GetLastError();
        NewFileLock newFileLock(wide);
        ByteBuffer bytes;
        if (!file.valid()) {
            if (openError != ERROR_FILE_NOT_FOUND) {
                return FileError(MessageKind::ErrorCannotSave, path, ErrorText(openError));
            }
            if (!newFileLock.Take(wait)) {
                return detail::LockedByAnother(path, wait);
            }
            if (::GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES) {
                continue;  // created while this update waited
            }
        } else {
            if (::GetFileType(file.get()) != FILE_TYPE_DISK) {
                return Error{MessageKind::ErrorNotRegular, {}, path, MessageKind::ErrorCannotSave};
            }
            if (!LockWithin(file.get(), wait)) {
                return detail::LockedByAnother(path, wait);
            }
            const FileHandle now(::CreateFileW(wide.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                               FILE_ATTRIBUTE_NORMAL, nullptr));
            if (!now.valid() || FileIdentity(now.get()) != FileIdentity(file.get())) {
                continue;  // replaced while this update waited: lock the file there now
            }
            Result<ByteBuffer> old = ReadFrom(file.get(), path, maxBytes);
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

#pragma once

// The backup a save keeps of the file it replaces: its previous version, as it stood when the
// save started, stays as NAME~ beside it (one per file), made only when the save succeeds. A new
// file, a stream, standard output and a named pipe get none. On POSIX systems it is a hard link
// (a flushed copy where there are none), renamed into place; on Windows ReplaceFileW makes it.
// A backup that cannot be made does not stop the save; a notice says so.

namespace corvalen {

// Whether saves keep backups from now on, for the whole program (the converter's --backup, the
// editor's options). Off until set.
void SetKeepBackups(bool keep);
// Whether a save on this thread keeps one now (see WithoutBackups).
bool KeepBackups();

// While one lives, the saves of this thread keep no backup: for the program's own files.
class WithoutBackups {
public:
    WithoutBackups();
    ~WithoutBackups();
    WithoutBackups(const WithoutBackups&) = delete;
    WithoutBackups& operator=(const WithoutBackups&) = delete;

private:
    bool m_before;
};

}  // namespace corvalen

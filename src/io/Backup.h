#pragma once

// The backup a save keeps of the file it replaces: the previous version of NAME stays as
// NAME~ beside it, as careful desktop editors keep it (gedit, Kate, Emacs), one backup per file,
// the older backup replaced. It is made only when the save succeeds: a save that fails leaves
// the file, and any backup it already had, as they were. A file that did not exist before, a
// stream, standard output and a named pipe get none. A memory file updated in place keeps its
// previous version the same way.
//
// The previous version is taken as it stands when the save starts: on POSIX systems as a second
// name of the same file (a hard link, costing nothing), where the file system has no such names
// as a copy, flushed to the disk; its final name is given by a rename once the new file is in
// place. On Windows ReplaceFileW makes it. A backup that cannot be made does not stop the save;
// a notice says so.

namespace corvalen {

// Whether saves keep backups from now on, for the whole program: the editor turns it on unless
// its options say otherwise; the converter only with --backup. Off until set.
void SetKeepBackups(bool keep);
// Whether a save on this thread keeps one now (see WithoutBackups).
bool KeepBackups();

// While one lives, the saves of this thread keep no backup, whatever SetKeepBackups says: for
// files of the program's own (the editor's recovery copy) that no one edits.
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

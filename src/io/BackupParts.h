#pragma once

// How a save on a POSIX system keeps its backup (see Backup.h). Included only by the file code
// in src/io/.

#include <string>
#include <vector>

namespace corvalen::detail {

// The previous version of a file a save is about to replace, held under a hidden name beside
// it from the start of the save until Commit gives it the backup's name. Destroyed without
// Commit (the save failed), it removes what it made and leaves any older backup as it was.
class PendingBackup {
public:
    // Takes the previous version of `target` when backups are kept and `targetExists`; else
    // holds nothing. A version that cannot be taken leaves a notice for Commit to give.
    PendingBackup(const std::string& target, bool targetExists);
    ~PendingBackup();
    PendingBackup(const PendingBackup&) = delete;
    PendingBackup& operator=(const PendingBackup&) = delete;

    // The new file is in place: the previous version becomes the backup. Adds to `notices` why
    // no backup could be kept, if so.
    void Commit(std::vector<std::string>& notices);

private:
    std::string m_target;
    std::string m_hidden;  // the previous version's hidden name; empty when none was taken
    std::string m_notice;
};

}  // namespace corvalen::detail

#pragma once

#include <QString>
#include <QStringList>

namespace corvalen {

class SettingsFile;

// The memory files opened or saved lately, newest first, for the "Recent files" menu. They are
// kept in "Corvalen-recent.txt" (one UTF-8 path per line) in the same folder as "Corvalen.ini",
// which keeps its two-line form. The list is a convenience: when it cannot be written the
// editor goes on without it.
class RecentFiles {
public:
    static constexpr const char* kFileName = "Corvalen-recent.txt";
    static constexpr int kMaxFiles = 8;

    // Uses the settings file's folders: beside the program, or the user's folder.
    explicit RecentFiles(const SettingsFile& settings);

    const QStringList& paths() const { return m_paths; }

    // Reads the stored list (missing or unreadable: empty).
    void load();
    // Puts `path` first, drops an older entry of the same file and the entries past kMaxFiles,
    // and stores the list.
    void add(const QString& path);
    // Drops `path` from the list and stores it.
    void remove(const QString& path);

    // Where the list is read from: beside the program, unless the user's folder has a later one.
    QString storePath() const;

private:
    void save() const;

    QString m_programFile;
    QString m_userFile;  // empty when there is no user folder
    QStringList m_paths;
};

}  // namespace corvalen

#pragma once

#include <QString>
#include <QStringList>

#include "app/SettingsFile.h"

namespace corvalen {

// The memory files opened or saved lately, newest first, for the "Recent files" menu. They are
// kept in "Corvalen-recent.txt" (one UTF-8 path per line) beside "Corvalen.ini"
// (SettingsFile::writeBeside).
class RecentFiles {
public:
    static constexpr const char* kFileName = "Corvalen-recent.txt";
    static constexpr int kMaxFiles = 8;

    explicit RecentFiles(SettingsFile settings) : m_settings(std::move(settings)) {}

    const QStringList& paths() const { return m_paths; }

    // Reads the stored list (missing or unreadable: empty).
    void load();
    // Puts `path` first, drops an older entry of the same file and the entries past kMaxFiles,
    // and stores the list.
    void add(const QString& path);
    // Drops `path` from the list and stores it.
    void remove(const QString& path);

private:
    void save() const;

    SettingsFile m_settings;
    QStringList m_paths;
};

}  // namespace corvalen

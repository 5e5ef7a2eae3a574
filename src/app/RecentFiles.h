#pragma once

#include <QString>
#include <QStringList>

#include "app/SettingsFile.h"

namespace corvalen {

// The files opened or saved lately, newest first, one UTF-8 path a line beside "Corvalen.ini".
class RecentFiles {
public:
    static constexpr const char* kFileName = "Corvalen-recent.txt";
    static constexpr int kMaxFiles = 8;

    explicit RecentFiles(SettingsFile settings) : m_settings(std::move(settings)) {}

    const QStringList& paths() const { return m_paths; }

    void load();
    // Puts `path` first, drops an older entry of the same file and the entries past kMaxFiles.
    void add(const QString& path);
    void remove(const QString& path);

private:
    void save() const;

    SettingsFile m_settings;
    QStringList m_paths;
};

}  // namespace corvalen

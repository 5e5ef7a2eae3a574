#pragma once

#include <QObject>
#include <QString>

class QAction;

namespace corvalen {

class SettingsFile;

// Options / "Keep a Backup When Saving": whether a save keeps the file it replaces as NAME~
// (io/Backup.h). On unless the user turned it off; the choice is kept between runs in
// "Corvalen-backups.txt" ("on" or "off") in the same folder as "Corvalen.ini", which keeps its
// two-line form. Like the recent files, a choice that cannot be written only costs the
// convenience.
class BackupOption : public QObject {
    Q_OBJECT

public:
    static constexpr const char* kFileName = "Corvalen-backups.txt";

    BackupOption(const SettingsFile& settings, QObject* parent = nullptr);

    QAction* action() const { return m_action; }
    // The file the choice is read from.
    QString storePath() const;

private:
    void store(bool keep) const;

    QString m_programFile;
    QString m_userFile;
    QAction* m_action;
};

}  // namespace corvalen

#pragma once

#include <QObject>
#include <QString>

#include "app/SettingsFile.h"

class QAction;

namespace corvalen {

// Options / "Keep a Backup When Saving": whether a save keeps the file it replaces as NAME~
// (io/Backup.h). On unless the user turned it off; the choice is kept between runs in
// "Corvalen-backups.txt" ("on" or "off") beside "Corvalen.ini" (SettingsFile::writeBeside).
class BackupOption : public QObject {
    Q_OBJECT

public:
    static constexpr const char* kFileName = "Corvalen-backups.txt";

    BackupOption(SettingsFile settings, QObject* parent = nullptr);

    QAction* action() const { return m_action; }

private:
    SettingsFile m_settings;
    QAction* m_action;
};

}  // namespace corvalen

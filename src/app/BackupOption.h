#pragma once

#include <QObject>

#include "app/SettingsFile.h"

class QAction;

namespace corvalen {

// Options / "Keep a Backup When Saving" (io/Backup.h): on unless the user turned it off, kept as
// "on" or "off" beside "Corvalen.ini".
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

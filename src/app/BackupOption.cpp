#include "app/BackupOption.h"

#include <QAction>

#include "io/Backup.h"

namespace corvalen {

BackupOption::BackupOption(SettingsFile settings, QObject* parent)
    : QObject(parent),
      m_settings(std::move(settings)),
      m_action(new QAction(tr("Keep a &Backup When Saving"), this)) {
    m_action->setObjectName(QStringLiteral("keepBackupAction"));
    m_action->setCheckable(true);
    m_action->setToolTip(
        tr("Before a save replaces a file, its previous version is kept beside it as NAME~"));
    const bool keep = m_settings.readBeside(kFileName, 16).trimmed() != "off";
    m_action->setChecked(keep);
    SetKeepBackups(keep);
    connect(m_action, &QAction::toggled, this, [this](bool on) {
        SetKeepBackups(on);
        m_settings.writeBeside(kFileName, on ? "on\r\n" : "off\r\n");
    });
}

}  // namespace corvalen

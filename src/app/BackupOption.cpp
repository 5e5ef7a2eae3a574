#include "app/BackupOption.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "app/SettingsFile.h"
#include "io/Backup.h"

namespace corvalen {

namespace {

QString SiblingOf(const QString& settingsPath) {
    if (settingsPath.isEmpty()) {
        return {};
    }
    return QFileInfo(settingsPath).dir().filePath(QString::fromLatin1(BackupOption::kFileName));
}

bool WriteWhole(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

}  // namespace

BackupOption::BackupOption(const SettingsFile& settings, QObject* parent)
    : QObject(parent),
      m_programFile(SiblingOf(settings.programPath())),
      m_userFile(SiblingOf(settings.userPath())),
      m_action(new QAction(tr("Keep a &Backup When Saving"), this)) {
    m_action->setObjectName(QStringLiteral("keepBackupAction"));
    m_action->setCheckable(true);
    m_action->setToolTip(
        tr("Before a save replaces a file, its previous version is kept beside it as NAME~"));
    bool keep = true;
    QFile file(storePath());
    if (file.open(QIODevice::ReadOnly)) {
        keep = file.read(16).trimmed() != "off";
    }
    m_action->setChecked(keep);
    SetKeepBackups(keep);
    connect(m_action, &QAction::toggled, this, [this](bool on) {
        SetKeepBackups(on);
        store(on);
    });
}

QString BackupOption::storePath() const {
    // As with the settings: a file beside the program that can no longer be written is older
    // than the user's one.
    const bool userExists = !m_userFile.isEmpty() && QFileInfo::exists(m_userFile);
    if (!userExists ||
        (QFileInfo::exists(m_programFile) && QFileInfo(m_programFile).isWritable())) {
        return m_programFile;
    }
    return m_userFile;
}

void BackupOption::store(bool keep) const {
    const QByteArray bytes = keep ? "on\r\n" : "off\r\n";
    if (WriteWhole(m_programFile, bytes) || m_userFile.isEmpty()) {
        return;
    }
    QDir().mkpath(QFileInfo(m_userFile).path());
    WriteWhole(m_userFile, bytes);
}

}  // namespace corvalen

#include "app/SettingsActions.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QWidget>
#include <algorithm>

#include "app/Document.h"
#include "app/FileDialog.h"
#include "app/MessageBoxes.h"
#include "app/StatusText.h"

namespace corvalen {

SettingsActions::SettingsActions(Document& document, const SettingsFile& settings,
                                 SharedFileDialog& fileDialog, MessageBoxes& messages,
                                 QWidget* window)
    : QObject(window),
      m_document(document),
      m_settings(settings),
      m_fileDialog(fileDialog),
      m_messages(messages),
      m_winradioFolder(new QAction(tr("Winradio Folder"), this)),
      m_kept(new QAction(this)) {
    m_winradioFolder->setObjectName(QStringLiteral("winradioFolderAction"));
    m_kept->setObjectName(QStringLiteral("settingsKeptAction"));
    m_kept->setEnabled(false);
    connect(m_winradioFolder, &QAction::triggered, this, &SettingsActions::chooseWinradioFolder);
}

void SettingsActions::load() {
    m_kept->setText(tr("Settings kept in %1").arg(DisplayPath(m_settings.keptPath())));
    const std::optional<StoredSettings> stored = m_settings.read();
    if (!stored) {
        m_messages.information(
            kAppTitle,
            tr("This appears to be the first time you have run this application. Please go to "
               "the Options Menu and select your Winradio .exe file so that the Winradio path can "
               "be saved."));
        return;
    }
    m_document.setWinradioPath(stored->winradioPath);
    if (const QString refused = m_document.setModelName(stored->model); !refused.isEmpty()) {
        emit status(tr("%1: %2; the editor writes for the model %3")
                        .arg(DisplayPath(m_settings.readPathOf(SettingsFile::kFileName)), refused,
                             m_document.modelName()));
    }
}

std::optional<QString> SettingsActions::save() {
    const SettingsFile::WriteOutcome outcome =
        m_settings.write({m_document.winradioPath(), m_document.modelName()});
    if (!outcome.ok) {
        emit status(tr("Could not save the settings to %1: %2")
                        .arg(DisplayPath(outcome.path), outcome.error));
        return std::nullopt;
    }
    m_kept->setText(tr("Settings kept in %1").arg(DisplayPath(outcome.path)));
    return tr("settings saved to %1").arg(DisplayPath(outcome.path)) +
           CountIn(tr("; %1 written as \"?\" (no Windows-1252 byte)"), outcome.replaced,
                   "character", "characters");
}

void SettingsActions::chooseWinradioFolder() {
    const QString programFiles = QStringLiteral("c:\\program files\\Winradio");
    const std::optional<QString> chosen =
        m_fileDialog.show(QFileInfo(programFiles).isDir() ? programFiles : QDir::homePath(),
                          tr("Winradio File (*.exe)|*.exe"), tr("Select your Winradio file"),
                          FileDialogSettings::Form::Open);
    if (!chosen) {
        return;
    }
    const QString path = QDir::toNativeSeparators(*chosen);
    const qsizetype separator =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    const QString folder = separator < 0 ? QString() : path.left(separator);
    // The folder's name ends in the model ("...\G313"); a folder that names none is refused,
    // and the folder and model stay as they were.
    if (const QString refused = m_document.setModelName(folder.right(3)); !refused.isEmpty()) {
        emit status(tr("Winradio folder %1: %2; the folder and model stay as they were")
                        .arg(folder, refused));
        return;
    }
    m_document.setWinradioPath(folder);
    if (const std::optional<QString> savedNote = save()) {
        emit status(tr("Winradio folder %1, receiver model \"%2\"; %3")
                        .arg(folder, m_document.modelName(), *savedNote));
    }
}

}  // namespace corvalen

#include "app/WorkKeeper.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QWidget>

#include "app/CompareDialog.h"
#include "app/Document.h"
#include "app/FileActions.h"
#include "app/FileDialog.h"
#include "app/FileWatch.h"
#include "app/MessageBoxes.h"
#include "app/RecoveryCopy.h"
#include "app/SettingsFile.h"
#include "app/StatusText.h"
#include "app/Translations.h"
#include "app/UndoSteps.h"
#include "files/ChannelDiff.h"
#include "files/ChannelFiles.h"
#include "io/Backup.h"

namespace corvalen {

WorkKeeper::WorkKeeper(Document& document, FileActions& fileActions, SharedFileDialog& fileDialog,
                       MessageBoxes& messages, const SettingsFile& settings, QWidget* window)
    : QObject(window),
      m_document(document),
      m_fileActions(fileActions),
      m_backup(new QAction(
          QCoreApplication::translate("corvalen::BackupOption", "Keep a &Backup When Saving"),
          this)),
      m_recovery(new RecoveryCopy(document, this)),
      m_watch(new FileWatch(this)),
      m_fileDialog(fileDialog),
      m_compare(new QAction(tr("Co&mpare with File\u2026"), this)),
      m_messages(messages) {
    m_backup->setObjectName(QStringLiteral("keepBackupAction"));
    m_backup->setCheckable(true);
    m_backup->setToolTip(QCoreApplication::translate(
        "corvalen::BackupOption",
        "Before a save replaces a file, its previous version is kept beside it as NAME~"));
    const bool keep = settings.readBeside(kBackupsFile, 16).trimmed() != "off";
    m_backup->setChecked(keep);
    SetKeepBackups(keep);
    connect(m_backup, &QAction::toggled, this, [settings](bool on) {
        SetKeepBackups(on);
        settings.writeBeside(kBackupsFile, on ? "on\r\n" : "off\r\n");
    });
    m_compare->setObjectName(QStringLiteral("compareAction"));
    connect(m_compare, &QAction::triggered, this, &WorkKeeper::compareWithFile);
    connect(&fileActions, &FileActions::fileUsed, m_watch, &FileWatch::used);
    connect(m_watch, &FileWatch::changed, this, [this](const QString& path) {
        emit status((QFileInfo::exists(path)
                         ? tr("%1 was changed by another program; a save over it asks first")
                         : tr("%1 was removed or renamed by another program"))
                        .arg(QFileInfo(path).fileName()));
    });
    fileActions.setWriteCheck([this](const QString& path) {
        if (!mayWrite(path)) {
            return false;
        }
        m_watch->ownWriteStarting(path);
        return true;
    });
    connect(&fileActions, &FileActions::writeEnded, m_watch, &FileWatch::ownWriteEnded);
    connect(m_recovery, &RecoveryCopy::written, this, [this](const QString& error) {
        if (!error.isEmpty()) {
            emit status(tr("The recovery copy could not be written: %1").arg(error));
        }
    });
}

WorkKeeper::~WorkKeeper() {
    m_fileActions.setWriteCheck({});
}

void WorkKeeper::startRecovery(const QString& folder) {
    QString error;
    if (!m_recovery->start(folder, error)) {
        emit status(tr("No recovery copy will be kept: %1").arg(error));
    }
}

void WorkKeeper::offerRecovery() {
    for (LeftRecovery& copy : m_recovery->leftCopies()) {
        const RecoveryContents& contents = copy.contents;
        const QString file = contents.filePath.isEmpty()
                                 ? tr("a table never saved")
                                 : QDir::toNativeSeparators(contents.filePath);
        const QString when =
            QLocale().toString(contents.writtenAt.toLocalTime(), QLocale::ShortFormat);
        const QString text =
            tr("Corvalen ended without saving the changes to %1. A recovery copy of them from "
               "%2 holds %3 changed.\n\nRestore it into the table, keep it for later, or "
               "discard it?")
                .arg(file, when, Count(contents.channelsChanged, "channel", "channels"));
        if (const RecoveryAnswer answer = m_messages.askRecovery(kAppTitle, text);
            answer != RecoveryAnswer::Restore) {
            if (answer == RecoveryAnswer::Discard) {
                QFile::remove(copy.path);
            }
            copy.lock->unlock();
            continue;
        }
        // The file as it was saved, for counting what the restored table changes in it.
        MemoryTable baseline = MemoryTable::StartupLayout();
        if (!contents.filePath.isEmpty()) {
            ReadSettings settings;
            settings.model = m_document.receiverModel();
            if (Result<ChannelFileRead> read =
                    ReadChannelFile(LocalPath(contents.filePath), settings)) {
                baseline = std::move(read->table);
            }
        }
        m_document.setModelName(contents.model);
        LoadTableStep::Push(m_document, contents.table, tr("Restore Unsaved Changes"));
        m_document.setFilePath(contents.filePath);
        emit m_fileActions.tableLoaded();
        // The restored table's own copy is written before the old one goes.
        m_recovery->restored(std::move(baseline));
        QFile::remove(copy.path);
        copy.lock->unlock();
        emit status(tr("Restored %1 changed in %2 from the recovery copy of %3; not saved yet")
                        .arg(Count(contents.channelsChanged, "channel", "channels"), file, when));
        break;
    }
}

bool WorkKeeper::mayWrite(const QString& path) {
    if (!m_watch->watches(path) || !m_watch->changedElsewhere() || !QFileInfo::exists(path)) {
        return true;
    }
    const QString name = QFileInfo(path).fileName();
    const QString text = tr("%1 was changed by another program since it was opened or saved "
                            "here. Saving now replaces those changes.\n\nCompare the table with "
                            "the file, reload the file (your edits stay one Undo away), "
                            "overwrite it, or cancel?")
                             .arg(name);
    for (;;) {
        switch (m_messages.askFileChanged(kAppTitle, text)) {
            case FileChangedAnswer::Compare:
                m_messages.showComparison(
                    kAppTitle, tr("What differs between %1 on disk and the table:").arg(name),
                    comparison(path));
                continue;
            case FileChangedAnswer::Reload:
                m_fileActions.openChannelFile(path, [this, name] {
                    emit status(
                        tr("Reloaded %1; the edits it replaced are one Undo away").arg(name));
                });
                return false;
            case FileChangedAnswer::Overwrite:
                return true;
            case FileChangedAnswer::Cancel:
                emit status(tr("Not saved: %1 was changed by another program").arg(name));
                return false;
        }
    }
}

QString WorkKeeper::comparison(const QString& path) const {
    ReadSettings settings;
    settings.model = m_document.receiverModel();
    settings.emptyAllowed = true;
    const Result<ChannelFileRead> read = ReadChannelFile(LocalPath(path), settings);
    if (!read) {
        return ErrorText(read.error());
    }
    const MemoryTable& table = m_document.table().table();
    const ReceiverModel model = m_document.receiverModel();
    const ChannelDiff diff =
        DiffChannels(read->table, table, read->report.format->HeldColumns(model), model);
    QStringList lines;
    for (const std::string& line : ChangeLines(diff, read->table, table, EditorTexts())) {
        lines << QString::fromStdString(line);
    }
    if (lines.isEmpty()) {
        lines << tr("The same channels in the fields the file holds.");
    }
    return lines.join(QLatin1Char('\n'));
}

void WorkKeeper::compareWithFile() {
    const std::optional<QString> chosen =
        m_fileDialog.show(m_document.winradioPath(), FileActions::ChannelFilesFilter(),
                          tr("Compare with File"), FileDialogSettings::Form::Open);
    if (!chosen) {
        return;
    }
    CompareDialog dialog(m_document, *chosen, qobject_cast<QWidget*>(parent()));
    if (!dialog.loaded()) {
        emit status(dialog.error());
        return;
    }
    dialog.exec();
}

}  // namespace corvalen

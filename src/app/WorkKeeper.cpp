#include "app/WorkKeeper.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStandardPaths>
#include <QWidget>

#include "app/BackupOption.h"
#include "app/Document.h"
#include "app/FileActions.h"
#include "app/KeeperQuestions.h"
#include "app/RecoveryCopy.h"
#include "app/StatusText.h"
#include "app/UndoSteps.h"
#include "files/ChannelFiles.h"

namespace corvalen {

namespace {

const QString kAppTitle = QStringLiteral("Corvalen");

}  // namespace

WorkKeeper::WorkKeeper(Document& document, FileActions& fileActions, const SettingsFile& settings,
                       QWidget* window)
    : QObject(window),
      m_document(document),
      m_fileActions(fileActions),
      m_window(window),
      m_backups(new BackupOption(settings, this)),
      m_recovery(new RecoveryCopy(document, this)),
      m_ownQuestions(std::make_unique<QtKeeperQuestions>(window)) {
    connect(m_recovery, &RecoveryCopy::written, this, [this](const QString& error) {
        if (!error.isEmpty()) {
            emit status(tr("The recovery copy could not be written: %1").arg(error));
        }
    });
}

WorkKeeper::~WorkKeeper() = default;

QAction* WorkKeeper::backupAction() const {
    return m_backups->action();
}

void WorkKeeper::setQuestions(KeeperQuestions* questions) {
    m_questions = questions;
}

KeeperQuestions& WorkKeeper::questions() const {
    return m_questions != nullptr ? *m_questions : *m_ownQuestions;
}

QString WorkKeeper::DefaultRecoveryFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("recovery"));
}

void WorkKeeper::startRecovery(const QString& folder) {
    QString error;
    if (!m_recovery->start(folder, error)) {
        emit status(tr("No recovery copy will be kept: %1").arg(error));
    }
}

void WorkKeeper::offerRecovery() {
    std::vector<LeftRecovery> left = m_recovery->leftCopies();
    for (LeftRecovery& copy : left) {
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
        switch (questions().askRecovery(kAppTitle, text)) {
            case RecoveryAnswer::Keep:
                copy.lock->unlock();
                continue;
            case RecoveryAnswer::Discard:
                QFile::remove(copy.path);
                copy.lock->unlock();
                continue;
            case RecoveryAnswer::Restore:
                break;
        }
        // The file as it was saved, for counting what the restored table changes in it.
        MemoryTable baseline = MemoryTable::StartupLayout();
        if (!contents.filePath.isEmpty()) {
            ReadSettings settings;
            settings.model = m_document.receiverModel();
            if (Result<ChannelFileRead> read =
                    ReadChannelFile(QFile::encodeName(contents.filePath).toStdString(), settings)) {
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

}  // namespace corvalen

#include "app/WorkKeeper.h"

#include <QWidget>

#include "app/BackupOption.h"
#include "app/Document.h"
#include "app/FileActions.h"

namespace corvalen {

WorkKeeper::WorkKeeper(Document& document, FileActions& fileActions, const SettingsFile& settings,
                       QWidget* window)
    : QObject(window),
      m_document(document),
      m_fileActions(fileActions),
      m_window(window),
      m_backups(new BackupOption(settings, this)) {}

WorkKeeper::~WorkKeeper() = default;

QAction* WorkKeeper::backupAction() const {
    return m_backups->action();
}

}  // namespace corvalen

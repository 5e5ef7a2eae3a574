#pragma once

#include <QObject>
#include <QString>

class QAction;
class QWidget;

namespace corvalen {

class BackupOption;
class Document;
class FileActions;
class SettingsFile;

// What keeps the user's work between two saves and across other programs: the backup a save
// keeps of the file it replaces (Options / "Keep a Backup When Saving"). The main window owns
// one and puts its actions into its menus.
class WorkKeeper : public QObject {
    Q_OBJECT

public:
    WorkKeeper(Document& document, FileActions& fileActions, const SettingsFile& settings,
               QWidget* window);
    ~WorkKeeper() override;

    QAction* backupAction() const;

signals:
    // What the keeper has to say on the status line.
    void status(const QString& text);

private:
    Document& m_document;
    FileActions& m_fileActions;
    QWidget* m_window;
    BackupOption* m_backups;
};

}  // namespace corvalen

#pragma once

#include <QObject>
#include <QString>

class QAction;
class QWidget;

namespace corvalen {

class BackupOption;
class Document;
class FileActions;
class FileWatch;
class MessageBoxes;
class RecoveryCopy;
class SettingsFile;
class SharedFileDialog;

// What keeps the user's work between two saves and across other programs: the backup a save
// keeps, the recovery copy of unsaved changes (RecoveryCopy.h), the watch of the file last
// opened or saved (FileWatch.h), and File / "Compare with File…".
class WorkKeeper : public QObject {
    Q_OBJECT

public:
    WorkKeeper(Document& document, FileActions& fileActions, SharedFileDialog& fileDialog,
               MessageBoxes& messages, const SettingsFile& settings, QWidget* window);
    ~WorkKeeper() override;

    QAction* backupAction() const;
    QAction* compareAction() const { return m_compare; }

    // Says on the status line when it cannot.
    void startRecovery(const QString& folder);
    // Offers each recovery copy an editor left, newest first: restore it into the table, keep
    // it for later, or discard it. After a restore the others wait for the next start.
    void offerRecovery();
    RecoveryCopy& recovery() const { return *m_recovery; }
    FileWatch& fileWatch() const { return *m_watch; }

    static QString DefaultRecoveryFolder();

signals:
    void status(const QString& text);

private:
    void compareWithFile();
    // False when the file changed elsewhere and the user chose not to overwrite it.
    bool mayWrite(const QString& path);
    QString comparison(const QString& path) const;

    Document& m_document;
    FileActions& m_fileActions;
    QWidget* m_window;
    BackupOption* m_backups;
    RecoveryCopy* m_recovery;
    FileWatch* m_watch;
    SharedFileDialog& m_fileDialog;
    QAction* m_compare;
    MessageBoxes& m_messages;
};

}  // namespace corvalen

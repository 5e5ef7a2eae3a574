#pragma once

#include <QObject>
#include <QString>

class QAction;
class QWidget;

namespace corvalen {

class Document;
class FileActions;
class FileWatch;
class MessageBoxes;
class RecoveryCopy;
class SettingsFile;
class SharedFileDialog;

// What keeps the user's work between two saves and across other programs: Options / "Keep a
// Backup When Saving" (io/Backup.h), the recovery copy of unsaved changes (RecoveryCopy.h), the
// watch of the file last opened or saved (FileWatch.h), and File / "Compare with File…".
class WorkKeeper : public QObject {
    Q_OBJECT

public:
    WorkKeeper(Document& document, FileActions& fileActions, SharedFileDialog& fileDialog,
               MessageBoxes& messages, const SettingsFile& settings, QWidget* window);
    ~WorkKeeper() override;

    // The backup option is on unless the user turned it off, kept as "on" or "off" in this file
    // beside "Corvalen.ini".
    static constexpr const char* kBackupsFile = "Corvalen-backups.txt";

    QAction* backupAction() const { return m_backup; }
    QAction* compareAction() const { return m_compare; }

    // Says on the status line when it cannot.
    void startRecovery(const QString& folder);
    // Offers each recovery copy an editor left, newest first, until one is restored.
    void offerRecovery();
    RecoveryCopy& recovery() const { return *m_recovery; }
    FileWatch& fileWatch() const { return *m_watch; }

signals:
    void status(const QString& text);

private:
    void compareWithFile();
    // False when the file changed elsewhere and the user chose not to overwrite it.
    bool mayWrite(const QString& path);
    QString comparison(const QString& path) const;

    Document& m_document;
    FileActions& m_fileActions;
    QAction* m_backup;
    RecoveryCopy* m_recovery;
    FileWatch* m_watch;
    SharedFileDialog& m_fileDialog;
    QAction* m_compare;
    MessageBoxes& m_messages;
};

}  // namespace corvalen

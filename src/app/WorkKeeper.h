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

// What keeps the user's work between two saves and across other programs:
// - the backup a save keeps of the file it replaces (Options / "Keep a Backup When Saving");
// - the recovery copy of a table with unsaved changes (RecoveryCopy.h), and at start the offer
//   to restore one that an editor which ended unexpectedly left;
// - the watch of the file last opened or saved (FileWatch.h): the status line says at once
//   when another program changes it, and a save over it first asks whether to compare the
//   table with it, reload it, overwrite it, or cancel;
// - the comparison of the table with any channel file (File / "Compare with File…").
// The main window owns one and puts its actions into its menus.
class WorkKeeper : public QObject {
    Q_OBJECT

public:
    WorkKeeper(Document& document, FileActions& fileActions, SharedFileDialog& fileDialog,
               MessageBoxes& messages, const SettingsFile& settings, QWidget* window);
    ~WorkKeeper() override;

    QAction* backupAction() const;
    // File / "Compare with File…": asks for a channel file and shows what differs between it
    // and the table (CompareDialog.h).
    QAction* compareAction() const { return m_compare; }

    // Keeps recovery copies in `folder` from now on (the program gives its data folder's
    // "recovery"). Says on the status line when it cannot.
    void startRecovery(const QString& folder);
    // Offers each recovery copy an editor left, newest first: restore it into the table, keep
    // it for later, or discard it. After a restore the others wait for the next start.
    void offerRecovery();
    RecoveryCopy& recovery() const { return *m_recovery; }
    FileWatch& fileWatch() const { return *m_watch; }

    // The recovery folder the program uses: "recovery" in the user's data folder.
    static QString DefaultRecoveryFolder();

signals:
    // What the keeper has to say on the status line.
    void status(const QString& text);

private:
    void compareWithFile();
    // Before a save writes `path`: false when the file changed elsewhere and the user chose not
    // to overwrite it.
    bool mayWrite(const QString& path);
    // The differences between the file at `path` and the table, one line each.
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

#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/FileDialog.h"
#include "files/ChannelFormat.h"
#include "io/Diagnostic.h"
#include "table/MemoryTable.h"

class QAction;
class QMenu;
class QMimeData;
class QWidget;

namespace corvalen {

class BackgroundWork;
class Document;
class MessageBoxes;
class RecentFiles;
class SettingsFile;

// The file commands: open, append and save channel files in any format the registry knows, and
// the question before unsaved changes would be lost. Filters, names and texts come from the
// formats themselves (ChannelFormat.h).
class FileActions : public QObject {
    Q_OBJECT

public:
    FileActions(Document& document, SharedFileDialog& fileDialog, MessageBoxes& messages,
                const SettingsFile& settings, QWidget* window);
    ~FileActions() override;

    QAction* openCsvAction() const { return m_openCsv; }
    QAction* openMemoryFileAction() const { return m_openMemoryFile; }
    // In menu order: the two saves that mark the table saved, then the exports.
    const QList<QAction*>& saveActions() const { return m_saves; }
    QAction* appendAction() const { return m_append; }
    QMenu* recentMenu() const { return m_recentMenu; }
    RecentFiles& recentFiles() { return *m_recent; }

    void updateModelTexts();

    // A file dropped or picked from "Recent files": unsaved changes settled first.
    bool openFile(const QString& path);
    // Reads any channel file into the table as one undo step, off the window's thread, then
    // calls `loaded`. False when the file is refused at once.
    bool openChannelFile(const QString& path, std::function<void()> loaded = {});
    bool appendFile(const QString& path);
    // Adds `channels` after the last row as one undo step, when the table has room (and numbers
    // from `numberedFrom`) for them. Returns the row they follow, or why not (`what` begins it).
    Result<int> appendChannels(MemoryTable channels, const QString& step, std::string_view what,
                               std::optional<int> numberedFrom = std::nullopt);

    // Asks whether to save unsaved changes, discard them or cancel. True when the caller may go
    // on now; a save calls `proceed` once it has ended well, without rows or cells reported.
    bool settleUnsavedChanges(std::function<void()> proceed = {});

    // The one channel file a drag brings, or an empty text.
    static QString DroppedChannelFile(const QMimeData* data);
    static QString ChannelFilesFilter();

    // Files read and written off the window's thread: the window must not close while it runs.
    BackgroundWork& background() const { return *m_background; }

    // `before` may refuse a save of `path`.
    void setWriteCheck(std::function<bool(const QString& path)> before) {
        m_beforeWrite = std::move(before);
    }

public slots:
    // False when nothing is saved; true once the file is written, or while it is being written.
    bool saveCsv() { return save(0); }
    bool saveMemoryFile() { return save(1); }

signals:
    // What the last command did, and the lines it reported (for the status line's tooltip).
    void status(const QString& text, const QString& details);
    void tableLoaded();
    void fileUsed(const QString& path);    // opened or saved
    void writeEnded(const QString& path);  // a write that went ahead, well or not

private:
    // `records`: "Open .g3m file…", else "Open Winradio .csv file".
    void openFromDialog(bool records);
    // `command` is an index of saveActions(). Asks for a file in one of the command's formats,
    // named with the extension of the format chosen unless it has another offered's; a memory
    // file of another model is refused.
    bool save(int command, std::function<void()> written = {});
    void report(const QString& text, const QString& details = QString());
    // The status line `text`, and the tooltip: `firstLine` when given, then the diagnostics.
    void report(const QString& text, const std::vector<Diagnostic>& diagnostics,
                const RowOrigins* origins = nullptr, const QString& firstLine = QString());
    // Reads a file off the window's thread and hands it to `then`, or reports why not, ending in
    // `failureTail`. False when it is refused at once.
    bool readFile(const QString& path, const QString& failureTail, ReadSettings settings,
                  std::function<void(ChannelFileRead read)> then);
    // Puts `read` in the window as the document of `path`; false when the user cancelled.
    bool loadRead(const QString& path, ChannelFileRead read);
    void appendRead(const QString& path, ChannelFileRead read, int firstNumber);
    // Asks how a CHIRP file holding Location 0 is numbered; false when the user cancelled.
    bool numberChirpChannels(ChannelFileRead& read, const QString& path);
    // `marksSaved` for a save (the table counts as saved), not an export.
    bool writeFile(const QString& path, const ChannelFormat& format, bool marksSaved,
                   std::function<void()> written);
    void reportSaved(const QString& path, const ChannelFormat& format,
                     const ChannelFileReport& saved);
    // "Replaced by a later row with the same Number: row 3 (by row 9), …", the first rows only.
    static QString ReplacedRowsText(const std::vector<ReplacedRow>& replaced);
    void fillRecentMenu();
    void rememberFile(const QString& path);
    // Empty when a memory file of this name fits the receiver model, else why it does not.
    QString modelMismatch(const QString& path) const;
    QString memoryExtension() const;  // ".15m" or ".g3m"

    Document& m_document;
    SharedFileDialog& m_fileDialog;
    MessageBoxes& m_messages;
    std::unique_ptr<RecentFiles> m_recent;
    QAction* m_openCsv;
    QAction* m_openMemoryFile;
    QList<QAction*> m_saves;
    QAction* m_append;
    QMenu* m_recentMenu;
    QString m_lastStatus;
    QString m_lastDetails;
    bool m_lastSaveReported = false;  // the last save reported rows or cells
    std::unique_ptr<BackgroundWork> m_background;
    std::function<bool(const QString& path)> m_beforeWrite;
};

}  // namespace corvalen

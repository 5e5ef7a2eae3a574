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
class SharedFileDialog;

// The file commands: open a channel file (from the dialogs, "Recent files" or a drop), append
// one, save the table in any format the registry knows, and the question asked before unsaved
// changes would be lost. Every filter, proposed name, extension and status text comes from the
// formats themselves (ChannelFormat.h). It owns the actions and the "Recent files" menu; the
// window puts them into its menus and on its buttons, and shows what each command reports on
// its status line.
class FileActions : public QObject {
    Q_OBJECT

public:
    // `window` is the parent of the dialogs and of the "Recent files" menu.
    FileActions(Document& document, SharedFileDialog& fileDialog, MessageBoxes& messages,
                const SettingsFile& settings, QWidget* window);
    ~FileActions() override;

    QAction* openCsvAction() const { return m_openCsv; }
    QAction* openMemoryFileAction() const { return m_openMemoryFile; }
    // The save commands in menu order: "Save .csv file" and "Save .g3m file" first (the two
    // that mark the table saved), then the exports.
    const QList<QAction*>& saveActions() const { return m_saves; }
    QAction* appendAction() const { return m_append; }
    QMenu* recentMenu() const { return m_recentMenu; }
    RecentFiles& recentFiles() { return *m_recent; }

    // Names the memory-file commands after the receiver model's files.
    void updateModelTexts();

    // Opens a memory file picked without the dialog (dropped, or from "Recent files"): first
    // settles unsaved changes, then reads it like openChannelFile.
    bool openFile(const QString& path);
    // Reads any channel file (its content, else its name, tells its format) into the table, as
    // one undo step, off the window's thread; `loaded` is called once it is in the table. On
    // failure the table and document stay as they were. False when the file is refused at once.
    bool openChannelFile(const QString& path, std::function<void()> loaded = {});
    // Adds the channels of any channel file after the last row, each with its own number, as
    // one undo step. On failure the table stays as it was. Returns as openChannelFile.
    bool appendFile(const QString& path);
    // Adds the channel rows of `channels` (19 columns) after the last row as one undo step named
    // `step`, when the table has room for them; a start-up grid first gets the 19 columns.
    // Channels numbered one up from `numberedFrom` are refused too when a number would pass
    // 65535. Returns the row they follow, or why nothing was added (`what` begins that text:
    // "The file holds").
    Result<int> appendChannels(MemoryTable channels, const QString& step, std::string_view what,
                               std::optional<int> numberedFrom = std::nullopt);

    // Before unsaved changes would be lost: when there are any, asks once whether to save them
    // as .csv or .g3m, discard them, or cancel. True when the caller may go on now (nothing to
    // save, or discarded); false when the user cancelled or chose to save. A save goes on off
    // the window's thread and calls `proceed`, when given, once it has ended well: not when it
    // failed or reported rows or cells it could not write as they stand (the status line then
    // shows the report, and the table counts as saved).
    bool settleUnsavedChanges(std::function<void()> proceed = {});

    // The one channel file a drag brings, or an empty text.
    static QString DroppedChannelFile(const QMimeData* data);
    // "Channel files" with the extensions of every format, for the dialogs that read any.
    static QString ChannelFilesFilter();

    // Whether a file is being read or written off the window's thread: the window must not
    // close meanwhile.
    bool busy() const;
    void waitForSaves();

    // `before` is asked before a save writes `path`: false leaves the file as it is and the save
    // is not made (the work keeper asks first about a file another program changed). `after` is
    // told once a write that went ahead has ended, whether it succeeded or not.
    void setWriteHooks(std::function<bool(const QString& path)> before,
                       std::function<void(const QString& path)> after) {
        m_beforeWrite = std::move(before);
        m_afterWrite = std::move(after);
    }

public slots:
    // "Save .csv file" and "Save .g3m file". False when nothing is saved; true once the file
    // is written, or while it is being written off the window's thread.
    bool saveCsv() { return save(0); }
    bool saveMemoryFile() { return save(1); }

signals:
    // What the last command did, and the lines it reported (for the status line's tooltip).
    void status(const QString& text, const QString& details);
    // A file's table replaced the one shown.
    void tableLoaded();
    // The file at `path` was opened or saved: the table now stands for it.
    void fileUsed(const QString& path);

private:
    struct SaveTarget {
        QString path;
        const ChannelFormat* format;
    };
    // "Open Winradio .csv file" and "Open .g3m file…": `records` the formats whose files hold
    // records, else the others the dialog offers.
    void openFromDialog(bool records);
    // The save command `command` (an index of saveActions()); `written` called once the file is
    // written. Returns as saveCsv.
    bool save(int command, std::function<void()> written = {});
    // Asks for a file to save to in one of `offered` (one filter entry each), proposing the
    // document's name with the first's extension. The chosen name gets the extension of the
    // format chosen when it has none of its own (another format's is replaced); a memory file
    // of another receiver model is refused, saying so. In the save form an existing file is
    // asked about first, and Cancel there goes back to the dialog. Nothing when the dialog is
    // cancelled or the name refused.
    std::optional<SaveTarget> chooseSaveTarget(const std::vector<const ChannelFormat*>& offered,
                                               const QString& title, FileDialogSettings::Form form,
                                               const QString& acceptLabel);
    void report(const QString& text, const QString& details = QString());
    // The status line `text`, and the tooltip: `firstLine` when given, then the diagnostics.
    void report(const QString& text, const std::vector<Diagnostic>& diagnostics,
                const RowOrigins* origins = nullptr, const QString& firstLine = QString());
    // Reads a file through the door with `settings` (the receiver model filled in), and hands
    // what it read to `then`; reports why when it cannot, ending in `failureTail`. The file is
    // read off the window's thread: false when it is refused at once, else true.
    bool readFile(const QString& path, const QString& failureTail, ReadSettings settings,
                  std::function<void(ChannelFileRead read)> then);
    void loadRead(const QString& path, ChannelFileRead read);
    void appendRead(const QString& path, ChannelFileRead read, int firstNumber);
    // Asks how a CHIRP file holding Location 0 is numbered, and numbers it so.
    // False when the user cancelled the question: the file is not to be read in.
    bool numberChirpChannels(ChannelFileRead& read, const QString& path);
    // Writes the table to `target` and reports what the file holds; `marksSaved` for a save
    // (the table counts as saved), not an export; `written` called once the file is written.
    // The file is written off the window's thread. Returns as readFile.
    bool writeFile(const SaveTarget& target, bool marksSaved, std::function<void()> written);
    // The status line and tooltip of a save: what the file holds now.
    void reportSaved(const QString& path, const ChannelFormat& format,
                     const ChannelFileReport& saved);
    void fillRecentMenu();
    // A file was opened or saved: the document's file, first in "Recent files".
    void rememberFile(const QString& path);
    // Empty when a memory file of this name fits the receiver model, else why it does not.
    QString modelMismatch(const QString& path) const;
    // The extension of the receiver model's memory files: ".15m" for the 305 and 315, else
    // ".g3m".
    QString memoryExtension() const;

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
    bool m_lastSaveReported = false;  // the last save reported rows or cells (see its status)
    std::unique_ptr<BackgroundWork> m_background;  // where large files are read and written
    std::function<bool(const QString& path)> m_beforeWrite;
    std::function<void(const QString& path)> m_afterWrite;
};

}  // namespace corvalen

#pragma once

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

// The file commands: open a CSV or .g3m memory file (from the dialog, "Recent files" or a drop),
// save the table as .csv or .g3m, and the question asked before unsaved changes would be lost.
// It owns their actions and the "Recent files" menu; the window puts them into its menus and on
// its buttons, and shows what each command reports on its status line.
class FileActions : public QObject {
    Q_OBJECT

public:
    // `window` is the parent of the dialogs and of the "Recent files" menu.
    FileActions(Document& document, SharedFileDialog& fileDialog, MessageBoxes& messages,
                const SettingsFile& settings, QWidget* window);
    ~FileActions() override;

    QAction* openCsvAction() const { return m_openCsv; }
    QAction* openMemoryFileAction() const { return m_openMemoryFile; }
    QAction* saveCsvAction() const { return m_saveCsv; }
    QAction* saveMemoryFileAction() const { return m_saveMemoryFile; }
    QAction* saveChirpAction() const { return m_saveChirp; }
    QAction* saveListAction() const { return m_saveList; }
    QAction* appendAction() const { return m_append; }
    QMenu* recentMenu() const { return m_recentMenu; }
    RecentFiles& recentFiles() { return *m_recent; }

    // The memory files of the receiver model: ".15m" for the 305 and 315, else ".g3m".
    QString memoryExtension() const;
    // Names the memory-file commands after the receiver model's files; called whenever the
    // model changes.
    void updateModelTexts();

    // Imports a chosen CSV file: a receiver CSV memory file, or a CHIRP file (told apart by its
    // first line). On failure the table and document stay as they were.
    bool importCsvFile(const QString& path);
    // Opens a .g3m memory file for the receiver model into the table (19-column form), as one
    // undo step. On failure the table and document stay as they were.
    bool openMemoryFileAt(const QString& path);
    // Opens a memory file picked without the dialog (dropped, or from "Recent files"): first
    // settles unsaved changes, then reads it as a memory file (.g3m, .15m) or CSV by its
    // extension.
    bool openFile(const QString& path);
    // Reads any channel file (its content, else its name, tells its format) into the table, as
    // one undo step. On failure the table and document stay as they were.
    bool openChannelFile(const QString& path);
    // Whether `path` names a file the editor opens: one whose extension a format has (.csv,
    // .g3m, .15m, .xml, .json), in any case.
    static bool IsChannelFilePath(const QString& path);
    // Adds the channels of a receiver CSV, CHIRP or memory file after the last row, each with
    // its own number, as one undo step. On failure the table stays as it was.
    bool appendFile(const QString& path);
    // Adds the channel rows of `channels` (19 columns) after the last row as one undo step named
    // `step`, when the table has room for them; a start-up grid first gets the 19 columns.
    // Channels numbered one up from `numberedFrom` are refused too when a number would pass
    // 65535. Returns the row they follow, or why nothing was added (`what` begins that text:
    // "The file holds").
    Result<int> appendChannels(MemoryTable channels, const QString& step, std::string_view what,
                               std::optional<int> numberedFrom = std::nullopt);

    // Replaces the whole table with one loaded from a file, as one undo step named
    // `actionName` (for example "Open memories.csv"). The loaded table counts as saved, and
    // "Save .csv file" then writes the 19-column form.
    void loadTable(MemoryTable table, const QString& actionName);

    // Before unsaved changes would be lost: when there are any, asks once whether to save them
    // as .csv or .g3m, discard them, or cancel. True when the caller may go on now (nothing to
    // save, saved, or discarded); false when the user cancelled, the save failed, the save
    // reported rows or cells it could not write as they stand (the status line then shows the
    // report, and the table counts as saved), or the save goes on off the window's thread:
    // `proceed`, when given, is then called once it has ended well.
    bool settleUnsavedChanges(std::function<void()> proceed = {});

    // The one memory file a drag brings, or an empty text.
    static QString DroppedChannelFile(const QMimeData* data);

    // Whether a file is being read or written off the window's thread: the window takes no
    // input and must not close meanwhile.
    bool busy() const;
    // Waits for a save running off the window's thread to end, before the table goes.
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
    void openCsv();                        // "Open Winradio .csv file"
    void openMemoryFile();                        // File / "Open .g3m file…"
    void openRecent(const QString& path);  // File / "Recent files"
    // "Save .csv file" and "Save .g3m file". False when nothing is saved; true once the file
    // is written, or while it is being written off the window's thread.
    bool saveCsv();
    bool saveMemoryFile();
    // File / "Save as CHIRP .csv file…": the table as a CHIRP file. An export: the table's
    // unsaved-changes mark stays. Returns as saveCsv.
    bool saveChirp();
    // File / "Save as SDR Bookmark List…": the table as an SDR# list (.xml) or an SDR++ list
    // (.json), by the filter entry chosen; the name gets that list's extension. An export, as
    // the CHIRP one. True once written.
    bool saveList();
    void appendFromFile();  // File / "Append Channels from File…"

signals:
    // What the last command did, and the lines it reported (for the status line's tooltip).
    void status(const QString& text, const QString& details);
    // A file's table replaced the one shown.
    void tableLoaded();
    // The file at `path` was opened or saved: the table now stands for it.
    void fileUsed(const QString& path);

private:
    // Where a save goes and in which format.
    struct SaveTarget {
        QString path;
        const ChannelFormat* format;
    };
    // Asks for a file to save to in one of `offered` (one filter entry each), proposing the
    // document's name with the first's extension. The chosen name gets the extension of the
    // format chosen when it has none of its own (another format's is replaced); a memory file
    // of another receiver model is refused, saying so. In the save form an existing file is
    // asked about first, and Cancel there goes back to the dialog. Nothing when the dialog is
    // cancelled or the name refused.
    std::optional<SaveTarget> chooseSaveTarget(const std::vector<const ChannelFormat*>& offered,
                                               const QString& title, FileDialogSettings::Form form,
                                               const QString& acceptLabel = QString());
    // Writes the table to `target` and reports what the file holds; `marksSaved` for a save
    // (the table counts as saved), not an export; `written` called once the file is written.
    // Returns as writeFile.
    bool save(const SaveTarget& target, bool marksSaved, std::function<void()> written = {});
    void report(const QString& text, const QString& details = QString());
    // The status line `text`, and the tooltip: `firstLine` when given, then the diagnostics.
    void report(const QString& text, const std::vector<Diagnostic>& diagnostics,
                const RowOrigins* origins = nullptr, const QString& firstLine = QString());
    // Reads a file through the door, a bookmark list's groups after `knownGroups`, and hands
    // what it read to `then`; reports why when it cannot, ending in `failureTail`. A file
    // without channels is refused unless `emptyAllowed`; a list whose entries have no numbers
    // is numbered from `firstNumber`. A small file is read at once, any other off the window's
    // thread. False when the file could not be read, or `then` returned false; true once
    // `then` returned true, or while the file is being read.
    bool readFile(const QString& path, const QString& failureTail,
                  const std::vector<std::string>& knownGroups, bool emptyAllowed, int firstNumber,
                  std::function<bool(ChannelFileRead read)> then);
    // What opening and appending do with the file they have read.
    bool loadRead(const QString& path, ChannelFileRead read);
    bool appendRead(const QString& path, ChannelFileRead read, int firstNumber);
    // The two saves of the table, `written` called once the file is written.
    bool saveCsvThen(std::function<void()> written);
    bool saveMemoryFileThen(std::function<void()> written);
    // Asks how a CHIRP file holding Location 0 is numbered, and numbers it so.
    // False when the user cancelled the question: the file is not to be read in.
    bool numberChirpChannels(ChannelFileRead& read, const QString& path);
    // Writes the table in `format` and hands the report to `then`; reports why when it cannot,
    // ending in `failureTail`. A small table is written at once, a large one, or one written
    // into a pipe, off the window's thread. Returns as readFile.
    bool writeFile(const QString& path, const ChannelFormat& format, const QString& failureTail,
                   std::function<void(ChannelFileReport saved)> then);
    // The status line and tooltip of a save: what the file holds now.
    void reportSaved(const QString& path, const ChannelFormat& format,
                     const ChannelFileReport& saved);
    void fillRecentMenu();
    // A file was opened or saved: it goes first in "Recent files".
    void rememberFile(const QString& path);
    // Empty when a memory file of this name fits the receiver model, else why it does not.
    QString modelMismatch(const QString& path) const;

    Document& m_document;
    SharedFileDialog& m_fileDialog;
    MessageBoxes& m_messages;
    std::unique_ptr<RecentFiles> m_recent;
    QAction* m_openCsv;
    QAction* m_openMemoryFile;
    QAction* m_saveCsv;
    QAction* m_saveMemoryFile;
    QAction* m_saveChirp;
    QAction* m_saveList;
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

#pragma once

#include <QMainWindow>
#include <memory>
#include <vector>

#include "app/Document.h"
#include "app/FileDialog.h"
#include "app/MessageBoxes.h"
#include "app/SettingsFile.h"
#include "io/Diagnostic.h"

class QCloseEvent;
class QDragEnterEvent;
class QDropEvent;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableView;
class QTimer;
class QToolBar;

namespace corvalen {

class ChannelViewModel;
class ProblemIndex;
class ProblemsPanel;
class RecentFiles;

// The editor's one window, "Grid View": the memory table grid in the upper frame, the bar of
// eight command buttons in the lower frame, the "Options" menu, and a status line that says what
// the last file command did. It owns the document and the shared file dialog.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // Without a presenter or message boxes of its own the window uses Qt's dialogs.
    explicit MainWindow(SettingsFile settings, FileDialogPresenter* fileDialogs = nullptr,
                        MessageBoxes* messages = nullptr, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Reads the settings (or shows the first-run message) and then shows the window.
    void start();

    Document& document() { return m_document; }
    SharedFileDialog& fileDialog() { return m_cmDialog1; }
    QTableView* grid() const { return m_grid; }
    // What the grid shows: the table sorted and filtered, with problem cells tinted.
    ChannelViewModel& view() const { return *m_view; }
    ProblemIndex& problems() const { return *m_problems; }
    QString statusText() const;
    // The lines behind the status line (the diagnostics of the last file command).
    QString statusDetails() const;

    // Imports a chosen CSV memory file. On failure the table and document stay as they were.
    bool importCsvFile(const QString& path);
    // Opens a .g3m memory file for the receiver model into the table (19-column form), as one
    // undo step. On failure the table and document stay as they were.
    bool openG3mFile(const QString& path);
    // Opens a memory file picked without the dialog (dropped, or from "Recent files"): first
    // settles unsaved changes, then reads it as .g3m or CSV by its extension.
    bool openFile(const QString& path);
    // Whether `path` names a file the editor opens: a .csv or .g3m file, in any case.
    static bool IsMemoryFilePath(const QString& path);
    RecentFiles& recentFiles() { return *m_recent; }

    // Replaces the whole table with one loaded from a file, as one undo step named
    // `actionName` (for example "Open memories.csv"). The loaded table counts as saved, and
    // "Save .csv file" then writes the 19-column form.
    void loadTable(MemoryTable table, const QString& actionName);

    // Before unsaved changes would be lost: when there are any, asks once whether to save them
    // as .csv or .g3m, discard them, or cancel. True when the caller may go on (nothing to save,
    // saved, or discarded); false when the user cancelled, the save failed or was cancelled, or
    // the save reported rows or cells it could not write as they stand (the status line then
    // shows the report, and the table counts as saved).
    bool settleUnsavedChanges();

    // The window's design size, its client area without menu and status bar.
    static QSize designClientSize();
    // The smallest client area at which every control is fully visible.
    static QSize minimumClientSize();

    // Makes the cell at a table row and column (-1: the row) the grid's current cell and scrolls
    // to it; a find text that hides its row is cleared first.
    void showCell(int tableRow, int column);
    // Filters the grid at once to the rows holding `text` (the find box waits for a pause in
    // typing before it does this).
    void findRows(const QString& text);

public slots:
    void openCsv();                        // "Open Winradio .csv file"
    void openG3m();                        // File / "Open .g3m file…"
    void openRecent(const QString& path);  // File / "Recent files"
    void addRow();                         // "Add Row"
    void insertRow();                      // "Insert Row"
    void deleteRows();                     // "Delete Row(s)"
    void reIndex();                        // "Re-Index"
    bool saveCsv();                        // "Save .csv file"; true once the file is written
    bool saveG3m();                        // "Save .g3m file"; true once the file is written
    void exitProgram();                    // "Exit"
    void chooseWinradioFolder();           // Options / "Winradio Folder"
    void showFindBar();                    // View / "Find..." (Ctrl+F)
    void closeFindBar();                   // Esc in the find box: shows every row again
    // Edit / "Cut", "Copy", "Paste": the selected rows (or the current cell) as tab-separated
    // text, the way spreadsheets exchange cells. Paste starts at the current cell; a block of
    // whole rows starts at the row's first column.
    void cutCells();
    void copyCells();
    void pasteCells();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildWindow();
    void buildEditMenu(QMenu* before);
    void layOut();
    void readSettings();
    // Writes the settings file; on failure the status line says why.
    bool writeSettings(QString& savedNote);
    void showStatus(const QString& text, const QString& details = QString());
    void showStatus(const QString& text, const std::vector<Diagnostic>& diagnostics);
    int selectionEndRow() const;
    // The cells Copy and Cut work on: the selected rows in the grid's order (table rows) across
    // the selected columns, or the current cell when nothing is selected.
    struct CellSelection {
        std::vector<int> rows;
        int firstColumn = 0;
        int lastColumn = -1;
    };
    CellSelection selectedCells() const;
    // Puts the cells on the clipboard; returns the status line's words for them.
    QString copyToClipboard(const CellSelection& cells);
    // The one place where grid indexes and model indexes meet: the grid may show the model
    // through a proxy (sorted or filtered), the commands work on model rows.
    QModelIndex toModel(const QModelIndex& gridIndex) const;
    QModelIndex toGrid(const QModelIndex& modelIndex) const;

    // The "File" menu: the file commands with their shortcuts and "Recent files".
    void buildFileMenu(QMenu* before);
    void fillRecentMenu();
    // A file was opened or saved: it goes first in "Recent files".
    void rememberFile(const QString& path);

    // Sorting, the find bar, the problem tint, the "Problems" panel and the problem count.
    void buildBrowsing();
    void updateProblemCount();
    // Sizes the window so the client area has its design size beside the panel and the bars.
    void fitAroundClientArea();
    // Closes the find bar when its text hides the table row.
    void revealRow(int tableRow);
    // The grid's index of a table row's cell, through toGrid (invalid when the find text hides
    // the row).
    QModelIndex gridIndexAt(int tableRow, int column) const;

    SettingsFile m_settings;
    std::unique_ptr<FileDialogPresenter> m_ownFileDialogs;
    std::unique_ptr<MessageBoxes> m_ownMessages;
    FileDialogPresenter* m_fileDialogs;
    MessageBoxes* m_messages;

    Document m_document;
    bool m_lastSaveReported = false;  // the last save reported rows or cells (see its status)
    SharedFileDialog m_cmDialog1;

    QWidget* m_client = nullptr;
    QFrame* m_frame1 = nullptr;
    QFrame* m_frame2 = nullptr;
    QTableView* m_grid = nullptr;
    QPushButton* m_exitButton = nullptr;
    QLabel* m_status = nullptr;

    std::unique_ptr<RecentFiles> m_recent;
    QMenu* m_recentMenu = nullptr;

    ChannelViewModel* m_view = nullptr;
    ProblemIndex* m_problems = nullptr;
    ProblemsPanel* m_problemsPanel = nullptr;
    QLabel* m_problemCount = nullptr;
    QToolBar* m_findBar = nullptr;
    QLineEdit* m_findBox = nullptr;
    QLabel* m_findCount = nullptr;
    QTimer* m_findTimer = nullptr;
};

}  // namespace corvalen

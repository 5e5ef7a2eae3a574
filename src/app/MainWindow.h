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
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QTableView;

namespace corvalen {

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
    QString statusText() const;
    // The lines behind the status line (the diagnostics of the last file command).
    QString statusDetails() const;

    // Imports a chosen CSV memory file. On failure the table and document stay as they were.
    bool importCsvFile(const QString& path);

    // Replaces the whole table with one loaded from a file, as one undo step named
    // `actionName` (for example "Open memories.csv"). The loaded table counts as saved, and
    // "Save .csv file" then writes the 19-column form.
    void loadTable(MemoryTable table, const QString& actionName);

    // Before unsaved changes would be lost: when there are any, asks once whether to save them
    // as .csv or .g3m, discard them, or cancel. True when the caller may go on (nothing to save,
    // saved, or discarded); false when the user cancelled or the save failed or was cancelled.
    bool settleUnsavedChanges();

    // The window's design size, its client area without menu and status bar.
    static QSize designClientSize();
    // The smallest client area at which every control is fully visible.
    static QSize minimumClientSize();

public slots:
    void openCsv();               // "Open Winradio .csv file"
    void addRow();                // "Add Row"
    void insertRow();             // "Insert Row"
    void deleteRows();            // "Delete Row(s)"
    void reIndex();               // "Re-Index"
    bool saveCsv();               // "Save .csv file"; true once the file is written
    bool saveG3m();               // "Save .g3m file"; true once the file is written
    void exitProgram();           // "Exit"
    void chooseWinradioFolder();  // Options / "Winradio Folder"

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

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
    // The one place where grid indexes and model indexes meet: the grid may show the model
    // through a proxy (sorted or filtered), the commands work on model rows.
    QModelIndex toModel(const QModelIndex& gridIndex) const;
    QModelIndex toGrid(const QModelIndex& modelIndex) const;

    SettingsFile m_settings;
    std::unique_ptr<FileDialogPresenter> m_ownFileDialogs;
    std::unique_ptr<MessageBoxes> m_ownMessages;
    FileDialogPresenter* m_fileDialogs;
    MessageBoxes* m_messages;

    Document m_document;
    SharedFileDialog m_cmDialog1;

    QWidget* m_client = nullptr;
    QFrame* m_frame1 = nullptr;
    QFrame* m_frame2 = nullptr;
    QTableView* m_grid = nullptr;
    QPushButton* m_exitButton = nullptr;
    QLabel* m_status = nullptr;
};

}  // namespace corvalen

#pragma once

#include <QMainWindow>
#include <memory>
#include <optional>

#include "app/Document.h"
#include "app/FileDialog.h"
#include "app/MessageBoxes.h"
#include "app/SettingsFile.h"

class QLabel;
class QTableView;

namespace corvalen {

class ChannelActions;
class ChannelViewModel;
class ClientArea;
class EditActions;
class FileActions;
class FindBar;
class GridViewOptions;
class OnAirNow;
class PrintActions;
class ProblemIndex;
class ProblemsPanel;
class ScheduleActions;
class SettingsActions;
class WorkKeeper;

// The editor's one window, "Grid View": the grid above the command buttons, the menus, the find
// bar, the "Problems" panel and the status line. It owns the document and wires the pieces.
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
    SharedFileDialog& fileDialog() { return m_fileDialog; }
    FileActions& fileActions() const { return *m_fileActions; }
    PrintActions& printActions() const { return *m_printActions; }
    ScheduleActions& scheduleActions() const { return *m_scheduleActions; }
    FindBar& findBar() const { return *m_findBar; }
    OnAirNow& onAirNow() const { return *m_onAir; }
    ChannelActions& channelActions() const { return *m_channelActions; }
    GridViewOptions& viewOptions() const { return *m_viewOptions; }
    WorkKeeper& keeper() const { return *m_keeper; }
    ProblemsPanel& problemsPanel() const { return *m_problemsPanel; }
    QTableView* grid() const;
    ChannelViewModel& view() const { return *m_view; }
    ProblemIndex& problems() const { return *m_problems; }

    // Makes a table row's cell the current one, first ending a filter that hides it.
    void showCell(int tableRow, int column);

public slots:
    void exitProgram();  // "Exit"

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMenus();
    void buildButtons();
    void buildBrowsing();
    void showStatus(const QString& text, const QString& details = QString());
    void showFileInTitle(const QString& path);
    void updateProblemCount();
    // Closes the find bar, and then turns On Air Now off, when they hide the table row.
    void revealRow(int tableRow);
    // Fitted to the contents, then the widths the user dragged.
    void fitColumns();
    // Its sort arrow included while it has one.
    int headingWidth(int column) const;

    SettingsFile m_settings;
    std::unique_ptr<FileDialogPresenter> m_ownFileDialogs;
    std::unique_ptr<MessageBoxes> m_ownMessages;
    MessageBoxes* m_messages;

    Document m_document;
    SharedFileDialog m_fileDialog;

    ClientArea* m_client = nullptr;
    QLabel* m_status = nullptr;
    ChannelViewModel* m_view = nullptr;
    ProblemIndex* m_problems = nullptr;
    ProblemsPanel* m_problemsPanel = nullptr;
    QLabel* m_problemCount = nullptr;
    FindBar* m_findBar = nullptr;
    OnAirNow* m_onAir = nullptr;
    FileActions* m_fileActions = nullptr;
    PrintActions* m_printActions = nullptr;
    ScheduleActions* m_scheduleActions = nullptr;
    EditActions* m_editActions = nullptr;
    ChannelActions* m_channelActions = nullptr;
    GridViewOptions* m_viewOptions = nullptr;
    SettingsActions* m_settingsActions = nullptr;
    WorkKeeper* m_keeper = nullptr;  // backups, the recovery copy, the file changed on disk
    // View / "Problems"; the panel shows only while it has something to list.
    bool m_problemsWanted = true;
    QList<int> m_columnWidths;  // the widths the user dragged, per column (0: none)
    bool m_fittingColumns = false;
    bool m_userSizing = false;  // a mouse button is down on the headings
    // The size the program gave the first run's window, which it may widen.
    std::optional<QSize> m_programSize;
};

}  // namespace corvalen

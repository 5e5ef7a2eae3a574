#include "app/MainWindow.h"

#include <QAbstractProxyModel>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFrame>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>
#include <algorithm>
#include <functional>
#include <limits>
#include <set>

#include "app/ChannelViewModel.h"
#include "app/ProblemIndex.h"
#include "app/ProblemsPanel.h"
#include "app/RecentFiles.h"
#include "app/TabSeparatedText.h"
#include "app/TableCommands.h"
#include "app/WrappingButton.h"
#include "csv/CsvReader.h"
#include "csv/CsvWriter.h"
#include "csv/FileExists.h"
#include "g3m/G3mFile.h"
#include "g3m/G3mReader.h"

namespace corvalen {
namespace {

const QString kAppTitle = QStringLiteral("Corvalen");

// Window geometry is designed in twips; 15 twips make one pixel at 96 dots per inch, and Qt's
// device-independent pixels carry that over to other resolutions.
constexpr int Twips(int twips) {
    return (twips + 7) / 15;
}

// The client area at design time and the places of the controls in it.
constexpr int kClientWidth = 14175;
constexpr int kClientHeight = 9780;
constexpr int kFrameLeft = 250;
constexpr int kFrameTop = 100;
constexpr int kFrameRightMargin = 130;
constexpr int kFrameGap = 50;  // between the grid frame and the button bar
constexpr int kBarHeight = 975;
constexpr int kBarBottomMargin = 170;
constexpr int kGridLeft = 400;  // inside the grid frame
constexpr int kGridTop = 250;
constexpr int kGridRightMargin = 100;
constexpr int kGridBottomMargin = 50;
constexpr int kButtonLeft = 120;  // inside the button bar
constexpr int kButtonTop = 240;
constexpr int kButtonPitch = 1440;
constexpr int kButtonWidth = 1335;
constexpr int kButtonHeight = 495;
constexpr int kExitRightMargin = 100;
constexpr int kMinimumGridHeight = 1500;  // header and a few rows stay visible
constexpr int kMinimumButtonGap = 100;    // between "Save .g3m file" and "Exit"

const QString kCsvOpenFilter = QStringLiteral("Memory files (*.csv)|*.csv");
const QString kCsvSaveFilter = QStringLiteral("Data files (*.csv)|*.csv");
const QString kG3mFilter = QStringLiteral("Memory files (*.g3m)|*.g3m");
const QString kExeFilter = QStringLiteral("Winradio File (*.exe)|*.exe");
const QString kSelectFileTitle = QStringLiteral("Select your File");

const QString kFirstRunText = QStringLiteral(
    "This appears to be the first time you have run this application. Please go to the Options "
    "Menu\r\nand select your Winradio .exe file so that the Winradio path can be saved.");

const QString kUnsavedText = QStringLiteral(
    "The memory table has changes that are not saved.\r\nSave them as a .csv or .g3m file "
    "first, or discard them?");

std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString DisplayPath(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString Count(qsizetype n, const char* singular, const char* plural) {
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? singular : plural));
}

// The line for a failed file command: the core's reason (which names the file; if it does not,
// the file is put in front) and what that means for the user's data.
QString FailureText(const QString& path, const Error& error, const QString& consequence) {
    QString message = QString::fromStdString(error.message);
    if (!message.contains(path) && !message.contains(DisplayPath(path))) {
        message = DisplayPath(path) + QStringLiteral(": ") + message;
    }
    return message + QStringLiteral("; ") + consequence;
}

// Shows the busy pointer for as long as it lives.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace

MainWindow::MainWindow(SettingsFile settings, FileDialogPresenter* fileDialogs,
                       MessageBoxes* messages, QWidget* parent)
    : QMainWindow(parent),
      m_settings(std::move(settings)),
      m_ownFileDialogs(fileDialogs ? nullptr : std::make_unique<QtFileDialogPresenter>(this)),
      m_ownMessages(messages ? nullptr : std::make_unique<QtMessageBoxes>(this)),
      m_fileDialogs(fileDialogs ? fileDialogs : m_ownFileDialogs.get()),
      m_messages(messages ? messages : m_ownMessages.get()),
      m_cmDialog1(*m_fileDialogs) {
    buildWindow();
}

MainWindow::~MainWindow() = default;

QSize MainWindow::designClientSize() {
    return {Twips(kClientWidth), Twips(kClientHeight)};
}

QSize MainWindow::minimumClientSize() {
    // "Exit" must clear the seven buttons to its left, and the grid keep a few rows.
    const int buttonsRight = Twips(kButtonLeft) + 6 * Twips(kButtonPitch) + Twips(kButtonWidth);
    const int barWidth =
        buttonsRight + Twips(kMinimumButtonGap) + Twips(kButtonWidth) + Twips(kExitRightMargin);
    const int frameHeight = Twips(kMinimumGridHeight) + Twips(kGridTop) + Twips(kGridBottomMargin);
    return {barWidth + Twips(kFrameLeft) + Twips(kFrameRightMargin),
            Twips(kFrameTop) + frameHeight + Twips(kFrameGap) + Twips(kBarHeight) +
                Twips(kBarBottomMargin)};
}

void MainWindow::buildWindow() {
    setObjectName(QStringLiteral("frmGrid"));
    // "[*]" shows as "*" while the table has changes that are not saved.
    setWindowTitle(QStringLiteral("Grid View[*]"));
    connect(&m_document.undoStack(), &QUndoStack::cleanChanged, this,
            [this](bool clean) { setWindowModified(!clean); });

    QMenu* options = menuBar()->addMenu(QStringLiteral("Options"));
    options->setObjectName(QStringLiteral("mnuOpt"));
    QAction* winradio = options->addAction(QStringLiteral("Winradio Folder"));
    winradio->setObjectName(QStringLiteral("mnuWin"));
    connect(winradio, &QAction::triggered, this, &MainWindow::chooseWinradioFolder);
    buildFileMenu(options);
    buildEditMenu(options);

    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("clientArea"));
    m_client->setMinimumSize(minimumClientSize());
    m_client->installEventFilter(this);
    setCentralWidget(m_client);

    m_frame1 = new QFrame(m_client);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_frame1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    m_frame2 = new QFrame(m_client);
    m_frame2->setObjectName(QStringLiteral("Frame2"));
    m_frame2->setFrameStyle(QFrame::Box | QFrame::Sunken);

    m_grid = new QTableView(m_frame1);
    m_grid->setObjectName(QStringLiteral("RefGrid"));
    buildBrowsing();
    QFont gridFont(QStringLiteral("Courier New"));
    gridFont.setStyleHint(QFont::TypeWriter);
    gridFont.setFixedPitch(true);
    const QFontMetrics metrics(gridFont);
    if (metrics.horizontalAdvance(QLatin1Char('i')) !=
        metrics.horizontalAdvance(QLatin1Char('W'))) {
        // No Courier New and no fixed-pitch stand-in for it: take the system's fixed font.
        gridFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    }
    gridFont.setPointSizeF(8.25);
    m_grid->setFont(gridFont);
    QPalette gridPalette = m_grid->palette();
    gridPalette.setColor(QPalette::AlternateBase, QColor(192, 255, 192));
    m_grid->setPalette(gridPalette);
    m_grid->setAlternatingRowColors(true);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                            QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    m_grid->setTabKeyNavigation(true);
    m_grid->setWordWrap(false);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // Every row starts at one height and rows are never measured for their content, so a view
    // of 65,535 rows scrolls without work per row; the user can still drag a row taller.
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_grid->verticalHeader()->setDefaultSectionSize(QFontMetrics(gridFont).height() + 4);

    struct CommandButton {
        const char* name;
        const char* caption;
        void (*command)(MainWindow*);
    };
    // The bar from left to right; "Exit" stands apart at its right end.
    static const CommandButton kButtons[] = {
        {"Command8", "Open Winradio .csv file", [](MainWindow* w) { w->openCsv(); }},
        {"Command2", "Add Row", [](MainWindow* w) { w->addRow(); }},
        {"Command7", "Insert Row", [](MainWindow* w) { w->insertRow(); }},
        {"Command4", "Delete Row(s)", [](MainWindow* w) { w->deleteRows(); }},
        {"Command3", "Re-Index", [](MainWindow* w) { w->reIndex(); }},
        {"Command6", "Save .csv file", [](MainWindow* w) { w->saveCsv(); }},
        {"Command1", "Save .g3m file", [](MainWindow* w) { w->saveG3m(); }},
        {"Command5", "Exit", [](MainWindow* w) { w->exitProgram(); }},
    };
    QFont buttonFont = font();
    buttonFont.setPointSizeF(std::min(buttonFont.pointSizeF(), 8.0));
    int index = 0;
    for (const CommandButton& entry : kButtons) {
        auto* button = new WrappingButton(QString::fromLatin1(entry.caption), m_frame2);
        button->setObjectName(QString::fromLatin1(entry.name));
        button->setFont(buttonFont);
        button->setAutoDefault(false);
        button->setGeometry(Twips(kButtonLeft) + index * Twips(kButtonPitch), Twips(kButtonTop),
                            Twips(kButtonWidth), Twips(kButtonHeight));
        connect(button, &QPushButton::clicked, this,
                [this, command = entry.command] { command(this); });
        m_exitButton = button;  // the last one is "Exit"
        ++index;
    }

    // Keyboard focus order: the grid, then the buttons in the order their users reach them.
    QWidget* previous = m_grid;
    for (const char* name : {"Command8", "Command6", "Command4", "Command3", "Command2", "Command5",
                             "Command1", "Command7"}) {
        QWidget* next = m_frame2->findChild<QWidget*>(QString::fromLatin1(name));
        setTabOrder(previous, next);
        previous = next;
    }

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("statusLine"));
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statusBar()->addWidget(m_status, 1);

    layOut();
}

void MainWindow::buildEditMenu(QMenu* before) {
    auto* edit = new QMenu(QStringLiteral("Edit"), this);
    edit->setObjectName(QStringLiteral("mnuEdit"));
    menuBar()->insertMenu(before->menuAction(), edit);

    // The stack keeps the two actions' texts ("Undo Paste") and enabled states up to date.
    QAction* undo = m_document.undoStack().createUndoAction(edit, QStringLiteral("Undo"));
    undo->setObjectName(QStringLiteral("mnuUndo"));
    undo->setShortcuts(QKeySequence::Undo);
    edit->addAction(undo);
    QAction* redo = m_document.undoStack().createRedoAction(edit, QStringLiteral("Redo"));
    redo->setObjectName(QStringLiteral("mnuRedo"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    edit->addAction(redo);
    edit->addSeparator();

    struct ClipboardAction {
        const char* name;
        const char* caption;
        QKeySequence::StandardKey key;
        void (MainWindow::*command)();
    };
    static const ClipboardAction kActions[] = {
        {"mnuCut", "Cut", QKeySequence::Cut, &MainWindow::cutCells},
        {"mnuCopy", "Copy", QKeySequence::Copy, &MainWindow::copyCells},
        {"mnuPaste", "Paste", QKeySequence::Paste, &MainWindow::pasteCells},
    };
    for (const ClipboardAction& entry : kActions) {
        QAction* action = edit->addAction(QString::fromLatin1(entry.caption));
        action->setObjectName(QString::fromLatin1(entry.name));
        action->setShortcuts(entry.key);
        connect(action, &QAction::triggered, this, entry.command);
    }
}

void MainWindow::start() {
    const QSize client = designClientSize();
    resize(client.width(),
           client.height() + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
    fitAroundClientArea();
    if (const QScreen* screen = QApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    readSettings();
    show();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_client && event->type() == QEvent::Resize) {
        layOut();
    }
    return QMainWindow::eventFilter(watched, event);
}

// Places the two frames, the grid and "Exit" for the current client size: the frames and the
// grid take up every change of size, "Exit" keeps its distance from the bar's right edge, and
// the seven other buttons stay where they are.
void MainWindow::layOut() {
    const int width = std::max(m_client->width(), minimumClientSize().width());
    const int height = std::max(m_client->height(), minimumClientSize().height());

    const QRect frame1(
        Twips(kFrameLeft), Twips(kFrameTop), width - Twips(kFrameLeft) - Twips(kFrameRightMargin),
        height - Twips(kFrameTop) - Twips(kFrameGap) - Twips(kBarHeight) - Twips(kBarBottomMargin));
    m_frame1->setGeometry(frame1);
    m_frame2->setGeometry(frame1.left(), frame1.bottom() + 1 + Twips(kFrameGap), frame1.width(),
                          Twips(kBarHeight));
    m_grid->setGeometry(Twips(kGridLeft), Twips(kGridTop),
                        frame1.width() - Twips(kGridLeft) - Twips(kGridRightMargin),
                        frame1.height() - Twips(kGridTop) - Twips(kGridBottomMargin));
    m_exitButton->move(m_frame2->width() - (m_exitButton->width() + Twips(kExitRightMargin)),
                       Twips(kButtonTop));
}

void MainWindow::readSettings() {
    if (const std::optional<StoredSettings> stored = m_settings.read()) {
        m_document.winradioPath = stored->winradioPath;
        m_document.model = stored->model;
        return;
    }
    m_messages->information(kAppTitle, kFirstRunText);
}

bool MainWindow::writeSettings(QString& savedNote) {
    const SettingsFile::WriteOutcome outcome =
        m_settings.write({m_document.winradioPath, m_document.model});
    if (!outcome.ok) {
        showStatus(QStringLiteral("Could not save the settings to %1: %2")
                       .arg(DisplayPath(outcome.path), outcome.error));
        return false;
    }
    savedNote = QStringLiteral("settings saved to %1").arg(DisplayPath(outcome.path));
    if (outcome.replaced > 0) {
        savedNote += QStringLiteral("; %1 written as \"?\" (no Windows-1252 byte)")
                         .arg(Count(outcome.replaced, "character", "characters"));
    }
    return true;
}

QString MainWindow::statusText() const {
    return m_status->text();
}

QString MainWindow::statusDetails() const {
    return m_status->toolTip();
}

void MainWindow::showStatus(const QString& text, const QString& details) {
    m_status->setText(text);
    m_status->setToolTip(details);
}

void MainWindow::showStatus(const QString& text, const std::vector<Diagnostic>& diagnostics) {
    // The tooltip lists the problems; a very long list is cut so the tooltip stays usable.
    constexpr std::size_t kMaxLines = 40;
    QStringList lines;
    for (std::size_t i = 0; i < diagnostics.size() && i < kMaxLines; ++i) {
        lines << QString::fromStdString(diagnostics[i].ToString());
    }
    if (diagnostics.size() > kMaxLines) {
        lines << QStringLiteral("... and %1 more").arg(diagnostics.size() - kMaxLines);
    }
    showStatus(text, lines.join(QLatin1Char('\n')));
}

void MainWindow::openCsv() {
    if (!settleUnsavedChanges()) {
        return;
    }
    const std::optional<QString> chosen = m_cmDialog1.show(
        m_document.winradioPath, kCsvOpenFilter, kSelectFileTitle, FileDialogSettings::Form::Open);
    if (!chosen) {
        return;  // cancelled: the table and its unsaved edits stay
    }
    importCsvFile(*chosen);
}

bool MainWindow::importCsvFile(const QString& path) {
    BusyCursor busy;
    Result<CsvImport> imported = ReadCsvMemoryFile(LocalPath(path));
    if (!imported) {
        showStatus(FailureText(path, imported.error(), QStringLiteral("nothing imported")));
        return false;
    }
    m_document.fileName = path;
    rememberFile(path);
    const int channels = imported->table.ChannelCount();
    loadTable(std::move(imported->table),
              QStringLiteral("Open %1").arg(QFileInfo(path).fileName()));

    QString text = QStringLiteral("Read %1 from %2")
                       .arg(Count(channels, "channel", "channels"), QFileInfo(path).fileName());
    if (!imported->diagnostics.empty()) {
        text += QStringLiteral("; %1 reported")
                    .arg(Count(imported->diagnostics.size(), "line", "lines"));
    }
    showStatus(text, imported->diagnostics);
    return true;
}

void MainWindow::loadTable(MemoryTable table, const QString& actionName) {
    m_document.undoStack().push(new LoadTableCommand(m_document, std::move(table), actionName));
    m_document.undoStack().setClean();
    m_grid->horizontalHeader()->resizeSections(QHeaderView::ResizeToContents);
}

bool MainWindow::settleUnsavedChanges() {
    if (m_document.undoStack().isClean()) {
        return true;
    }
    bool saved = false;
    switch (m_messages->askUnsavedChanges(kAppTitle, kUnsavedText)) {
        case UnsavedChangesAnswer::SaveCsv:
            saved = saveCsv();
            break;
        case UnsavedChangesAnswer::SaveG3m:
            saved = saveG3m();
            break;
        case UnsavedChangesAnswer::Discard:
            return true;
        case UnsavedChangesAnswer::Cancel:
            return false;
    }
    if (saved && m_lastSaveReported) {
        // Rows or cells did not go into the file as they stand. The user gets to read that on
        // the status line before the table goes; the table now counts as saved, so the next try
        // goes on without asking.
        showStatus(statusText() + QStringLiteral("; stopped so you can check this first"),
                   statusDetails());
        return false;
    }
    return saved;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!settleUnsavedChanges()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

QModelIndex MainWindow::toModel(const QModelIndex& gridIndex) const {
    if (const auto* proxy = qobject_cast<const QAbstractProxyModel*>(m_grid->model())) {
        return proxy->mapToSource(gridIndex);
    }
    return gridIndex;
}

QModelIndex MainWindow::toGrid(const QModelIndex& modelIndex) const {
    if (const auto* proxy = qobject_cast<const QAbstractProxyModel*>(m_grid->model())) {
        return proxy->mapFromSource(modelIndex);
    }
    return modelIndex;
}

void MainWindow::addRow() {
    auto* command = new AddRowCommand(m_document.table(), std::nullopt);
    m_document.undoStack().push(command);
    revealRow(command->row());
    const QModelIndex cell = gridIndexAt(command->row(), 0);
    m_grid->setCurrentIndex(cell);
    m_grid->scrollTo(cell);
}

// The row at the moving end of the selection: where the user's last click or key put the cursor.
int MainWindow::selectionEndRow() const {
    const QModelIndex current = toModel(m_grid->currentIndex());
    if (current.isValid()) {
        return MemoryTableModel::tableRow(current.row());
    }
    return -1;  // no cursor row: "Insert Row" then adds at the end
}

void MainWindow::insertRow() {
    auto* command = new AddRowCommand(m_document.table(), selectionEndRow());
    m_document.undoStack().push(command);
    revealRow(command->row());
}

void MainWindow::deleteRows() {
    // Every selected row goes, however the selection was made, and nothing else: a selection of
    // several separate ranges is removed range by range from the bottom, so no unselected row in
    // between is lost, and with no row selected nothing is removed.
    std::set<int> rows;
    for (const QItemSelectionRange& range : m_grid->selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            const QModelIndex cell = toModel(range.model()->index(row, 0, range.parent()));
            rows.insert(MemoryTableModel::tableRow(cell.row()));
        }
    }
    std::vector<std::pair<int, int>> ranges;
    for (const int row : rows) {
        if (!ranges.empty() && ranges.back().second == row - 1) {
            ranges.back().second = row;
        } else {
            ranges.emplace_back(row, row);
        }
    }
    if (!ranges.empty()) {
        m_document.undoStack().push(new DeleteRowsCommand(m_document.table(), std::move(ranges)));
    }
}

void MainWindow::reIndex() {
    m_document.undoStack().push(new ReIndexCommand(m_document.table()));
}

MainWindow::CellSelection MainWindow::selectedCells() const {
    CellSelection cells;
    std::set<int> gridRows;
    int firstColumn = std::numeric_limits<int>::max();
    int lastColumn = -1;
    for (const QItemSelectionRange& range : m_grid->selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            gridRows.insert(row);
        }
        firstColumn = std::min(firstColumn, range.left());
        lastColumn = std::max(lastColumn, range.right());
    }
    if (gridRows.empty()) {
        const QModelIndex current = m_grid->currentIndex();
        if (!current.isValid()) {
            return cells;
        }
        gridRows.insert(current.row());
        firstColumn = lastColumn = current.column();
    }
    for (const int row : gridRows) {
        const QModelIndex cell = toModel(m_grid->model()->index(row, firstColumn));
        cells.rows.push_back(MemoryTableModel::tableRow(cell.row()));
    }
    cells.firstColumn = firstColumn;
    cells.lastColumn = lastColumn;
    return cells;
}

QString MainWindow::copyToClipboard(const CellSelection& cells) {
    const MemoryTableModel& model = m_document.table();
    CellBlock block;
    block.reserve(cells.rows.size());
    for (const int row : cells.rows) {
        block.push_back(std::move(model.cells(row, row, cells.firstColumn, cells.lastColumn)[0]));
    }
    QApplication::clipboard()->setText(QString::fromStdString(EncodeTabSeparated(block)));
    const int columns = cells.lastColumn - cells.firstColumn + 1;
    if (columns == model.columnCount()) {
        return Count(static_cast<qsizetype>(cells.rows.size()), "row", "rows");
    }
    return Count(static_cast<qsizetype>(cells.rows.size()) * columns, "cell", "cells");
}

void MainWindow::copyCells() {
    const CellSelection cells = selectedCells();
    if (cells.rows.empty()) {
        return;
    }
    showStatus(QStringLiteral("Copied %1").arg(copyToClipboard(cells)));
}

void MainWindow::cutCells() {
    CellSelection cells = selectedCells();
    if (cells.rows.empty()) {
        return;
    }
    const QString what = copyToClipboard(cells);
    std::sort(cells.rows.begin(), cells.rows.end());
    if (std::unique_ptr<QUndoCommand> clear =
            MakeClearCommand(m_document.table(), cells.rows, cells.firstColumn, cells.lastColumn,
                             QStringLiteral("Cut"))) {
        m_document.undoStack().push(clear.release());
    }
    showStatus(QStringLiteral("Cut %1").arg(what));
}

void MainWindow::pasteCells() {
    const std::string text = QApplication::clipboard()->text().toStdString();
    CellBlock block = DecodeTabSeparated(text);
    if (block.empty()) {
        showStatus(QStringLiteral("Nothing to paste: the clipboard holds no text"));
        return;
    }
    MemoryTableModel& model = m_document.table();
    // Over the rows the grid shows from the current cell down; without a current cell, below
    // the last row, so nothing is overwritten.
    const QModelIndex current = m_grid->currentIndex();
    std::vector<int> targetRows;
    if (current.isValid()) {
        const int lastGridRow =
            std::min(m_grid->model()->rowCount(), current.row() + static_cast<int>(block.size()));
        for (int row = current.row(); row < lastGridRow; ++row) {
            const QModelIndex cell = toModel(m_grid->model()->index(row, current.column()));
            targetRows.push_back(MemoryTableModel::tableRow(cell.row()));
        }
    }
    int column = current.isValid() ? toModel(current).column() : 0;
    std::size_t width = 0;
    for (const std::vector<std::string>& cells : block) {
        width = std::max(width, cells.size());
    }
    if (width == static_cast<std::size_t>(model.columnCount())) {
        column = 0;  // whole rows go into their own columns
    }
    const int firstRow = targetRows.empty() ? model.table().RowCount() : targetRows.front();
    PasteOutcome outcome;
    std::unique_ptr<QUndoCommand> paste =
        MakePasteCommand(model, targetRows, column, std::move(block), outcome);
    if (!paste) {
        return;
    }
    m_document.undoStack().push(paste.release());
    QString status =
        QStringLiteral("Pasted %1 of %2 at row %3")
            .arg(Count(outcome.rows, "row", "rows"), Count(outcome.columns, "cell", "cells"))
            .arg(firstRow);
    if (outcome.rowsAdded > 0) {
        status += QStringLiteral("; %1 added").arg(Count(outcome.rowsAdded, "row", "rows"));
    }
    if (outcome.columnsLeftOut > 0) {
        status += QStringLiteral("; %1 past the last column left out")
                      .arg(Count(outcome.columnsLeftOut, "column", "columns"));
    }
    showStatus(status);
    m_grid->scrollTo(toGrid(model.index(MemoryTableModel::modelRow(firstRow), column)));
}

bool MainWindow::saveCsv() {
    // The file's text is fixed by the table as it stands now; a second pass through the dialog
    // after "Cancel" in the overwrite prompt writes the same text.
    CsvText text;
    {
        BusyCursor busy;
        text = BuildCsvText(m_document.table().table(), m_document.csvLoaded);
    }
    for (;;) {
        const std::optional<QString> chosen =
            m_cmDialog1.show(m_document.winradioPath, kCsvSaveFilter,
                             QStringLiteral("Save to CSV File"), FileDialogSettings::Form::Save);
        if (!chosen) {
            return false;
        }
        const QString path = *chosen;
        m_document.fileName = path;
        if (FileExists(LocalPath(path)) &&
            !m_messages->confirmOverwrite(
                kAppTitle,
                DisplayPath(path) + QStringLiteral(" already exists.\r\nSelect OK to overwrite, "
                                                   "or Cancel to try again."))) {
            continue;
        }
        Status written = [&] {
            BusyCursor busy;
            return WriteCsvFile(LocalPath(path), text);
        }();
        if (!written) {
            showStatus(FailureText(path, written.error(), QStringLiteral("nothing saved")));
            return false;
        }
        m_document.undoStack().setClean();
        rememberFile(path);
        const int rows = m_document.table().table().ChannelCount();
        QString status = QStringLiteral("Saved %1 to %2")
                             .arg(Count(rows, "row", "rows"), QFileInfo(path).fileName());
        if (!text.diagnostics.empty()) {
            status += QStringLiteral("; %1 reported")
                          .arg(Count(text.diagnostics.size(), "cell", "cells"));
        }
        showStatus(status, text.diagnostics);
        m_lastSaveReported = !text.diagnostics.empty();
        return true;
    }
}

bool MainWindow::saveG3m() {
    m_cmDialog1.settings().fileName.clear();  // a .g3m save always starts from an empty name
    const std::optional<QString> chosen = m_cmDialog1.show(
        m_document.winradioPath, kG3mFilter, kSelectFileTitle, FileDialogSettings::Form::Open);
    if (!chosen) {
        m_document.fileName.clear();
        return false;
    }
    const QString path = *chosen;
    m_document.fileName = path;
    Result<G3mSaveReport> saved = [&] {
        BusyCursor busy;
        return SaveG3mFile(LocalPath(path), m_document.table().table(),
                           m_document.model.toStdString());
    }();
    if (!saved) {
        m_document.fileName.clear();
        showStatus(FailureText(path, saved.error(), QStringLiteral("the file was not changed")));
        return false;
    }
    m_document.undoStack().setClean();
    rememberFile(path);
    QString status = QStringLiteral("Wrote %1 of %2 bytes to %3")
                         .arg(Count(saved->recordsWritten, "record", "records"))
                         .arg(m_document.recordLength())
                         .arg(QFileInfo(path).fileName());
    if (saved->rowsNotWritten > 0) {
        status +=
            QStringLiteral("; %1 not written").arg(Count(saved->rowsNotWritten, "row", "rows"));
    }
    if (!saved->problems.empty()) {
        status += QStringLiteral("; %1 reported")
                      .arg(Count(saved->problems.size(), "problem", "problems"));
    }
    showStatus(status, saved->problems);
    m_lastSaveReported = saved->rowsNotWritten > 0 || !saved->problems.empty();
    return true;
}

void MainWindow::exitProgram() {
    QString savedNote;
    if (!writeSettings(savedNote)) {
        // The reason is on the status line; the close box still ends the program without them.
        return;
    }
    close();  // asks about unsaved changes; the window stays open if the user cancels
}

void MainWindow::chooseWinradioFolder() {
    const QString programFiles = QStringLiteral("c:\\program files\\Winradio");
    const std::optional<QString> chosen = m_cmDialog1.show(
        QFileInfo(programFiles).isDir() ? programFiles : QDir::homePath(), kExeFilter,
        QStringLiteral("Select your Winradio file"), FileDialogSettings::Form::Open);
    if (!chosen) {
        return;
    }
    const QString path = QDir::toNativeSeparators(*chosen);
    m_document.fileName = path;
    const qsizetype separator =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    m_document.winradioPath = separator < 0 ? QString() : path.left(separator);
    m_document.model = m_document.winradioPath.right(3);
    m_problems->scheduleCheck();  // the model decides what a record can hold
    QString savedNote;
    if (writeSettings(savedNote)) {
        showStatus(QStringLiteral("Winradio folder %1, receiver model \"%2\"; %3")
                       .arg(m_document.winradioPath, m_document.model, savedNote));
    }
}

// --- The File menu: opening .g3m files, recent files and dropped files ---

void MainWindow::buildFileMenu(QMenu* before) {
    auto* file = new QMenu(QStringLiteral("File"), this);
    file->setObjectName(QStringLiteral("mnuFile"));
    menuBar()->insertMenu(before->menuAction(), file);

    struct FileCommand {
        const char* name;
        QString text;
        QKeySequence shortcut;
        std::function<void()> run;
    };
    const FileCommand opens[] = {
        {"mnuOpenCsv", QStringLiteral("Open Winradio .csv file"),
         QKeySequence(Qt::CTRL | Qt::Key_O), [this] { openCsv(); }},
        {"mnuOpenG3m", QStringLiteral("Open .g3m file\u2026"),
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O), [this] { openG3m(); }},
    };
    const FileCommand saves[] = {
        {"mnuSaveCsv", QStringLiteral("Save .csv file"), QKeySequence(Qt::CTRL | Qt::Key_S),
         [this] { saveCsv(); }},
        {"mnuSaveG3m", QStringLiteral("Save .g3m file"),
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { saveG3m(); }},
    };
    const auto add = [this, file](const FileCommand& command) {
        QAction* action = file->addAction(command.text);
        action->setObjectName(QString::fromLatin1(command.name));
        action->setShortcut(command.shortcut);
        connect(action, &QAction::triggered, this, command.run);
    };
    for (const FileCommand& command : opens) {
        add(command);
    }
    m_recentMenu = file->addMenu(QStringLiteral("Recent files"));
    m_recentMenu->setObjectName(QStringLiteral("mnuRecent"));
    connect(m_recentMenu, &QMenu::aboutToShow, this, &MainWindow::fillRecentMenu);
    file->addSeparator();
    for (const FileCommand& command : saves) {
        add(command);
    }
    file->addSeparator();
    add({"mnuExit", QStringLiteral("Exit"), QKeySequence(Qt::CTRL | Qt::Key_Q),
         [this] { exitProgram(); }});

    m_recent = std::make_unique<RecentFiles>(m_settings);
    m_recent->load();
    fillRecentMenu();
    // A .csv or .g3m file dropped on the window is opened.
    setAcceptDrops(true);
}

void MainWindow::fillRecentMenu() {
    // The old entries go once control is back in the event loop: one of them may be the entry
    // whose command is running now.
    for (QAction* old : m_recentMenu->actions()) {
        m_recentMenu->removeAction(old);
        old->deleteLater();
    }
    const QStringList& paths = m_recent->paths();
    if (paths.isEmpty()) {
        m_recentMenu->addAction(QStringLiteral("No recent files"))->setEnabled(false);
        return;
    }
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QString path = paths[i];
        QString label = DisplayPath(path);
        label.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* action = m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(label));
        connect(action, &QAction::triggered, this, [this, path] { openRecent(path); });
    }
}

void MainWindow::rememberFile(const QString& path) {
    m_recent->add(path);
    fillRecentMenu();
}

bool MainWindow::IsMemoryFilePath(const QString& path) {
    const QString suffix = QFileInfo(path).suffix();
    return suffix.compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0 ||
           suffix.compare(QLatin1String("g3m"), Qt::CaseInsensitive) == 0;
}

void MainWindow::openG3m() {
    if (!settleUnsavedChanges()) {
        return;
    }
    // As for the .g3m save, the name box starts empty: a .csv name left there would be read as
    // a memory file.
    m_cmDialog1.settings().fileName.clear();
    const std::optional<QString> chosen = m_cmDialog1.show(
        m_document.winradioPath, kG3mFilter, kSelectFileTitle, FileDialogSettings::Form::Open);
    if (!chosen) {
        return;  // cancelled: the table and its unsaved edits stay
    }
    openG3mFile(*chosen);
}

bool MainWindow::openG3mFile(const QString& path) {
    BusyCursor busy;
    Result<G3mReadReport> read = ReadG3mFile(LocalPath(path), m_document.model.toStdString());
    if (!read) {
        showStatus(FailureText(path, read.error(), QStringLiteral("nothing opened")));
        return false;
    }
    m_document.fileName = path;
    rememberFile(path);
    const int channels = read->table.ChannelCount();
    loadTable(std::move(read->table), QStringLiteral("Open %1").arg(QFileInfo(path).fileName()));

    QString text = QStringLiteral("Read %1 from %2 (%3-byte records)")
                       .arg(Count(channels, "channel", "channels"), QFileInfo(path).fileName())
                       .arg(m_document.recordLength());
    if (!read->problems.empty()) {
        text += QStringLiteral("; %1 reported")
                    .arg(Count(read->problems.size(), "problem", "problems"));
    }
    showStatus(text, read->problems);
    return true;
}

bool MainWindow::openFile(const QString& path) {
    if (!settleUnsavedChanges()) {
        return false;
    }
    const bool g3m =
        QFileInfo(path).suffix().compare(QLatin1String("g3m"), Qt::CaseInsensitive) == 0;
    return g3m ? openG3mFile(path) : importCsvFile(path);
}

void MainWindow::openRecent(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        m_recent->remove(path);
        fillRecentMenu();
        showStatus(QStringLiteral("%1 no longer exists; removed from Recent files")
                       .arg(DisplayPath(path)));
        return;
    }
    openFile(path);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls[0].isLocalFile() && IsMemoryFilePath(urls[0].toLocalFile())) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls[0].isLocalFile() || !IsMemoryFilePath(urls[0].toLocalFile())) {
        return;
    }
    event->acceptProposedAction();
    // Opened once the drop is over: the question about unsaved changes must not hold up the
    // program the file was dragged from.
    const QString path = urls[0].toLocalFile();
    QTimer::singleShot(0, this, [this, path] { openFile(path); });
}

// --- Browsing: sort, find and the problems of the table ---

void MainWindow::buildBrowsing() {
    m_view = new ChannelViewModel(m_document.table(), this);
    m_grid->setModel(m_view);
    // A click on a column header sorts by that column, the next one reverses the order and a
    // third gives back the table's own order. Nothing is sorted at start.
    QHeaderView* header = m_grid->horizontalHeader();
    header->setSortIndicatorClearable(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    m_grid->setSortingEnabled(true);

    m_problems = new ProblemIndex(
        m_document.table(), [this] { return m_document.model.toStdString(); }, this);
    m_view->setProblems(m_problems);
    m_problemsPanel = new ProblemsPanel(*m_problems, this);
    addDockWidget(Qt::BottomDockWidgetArea, m_problemsPanel);
    connect(m_problemsPanel, &ProblemsPanel::cellChosen, this, &MainWindow::showCell);
    m_problemCount = new QLabel(this);
    m_problemCount->setObjectName(QStringLiteral("problemCount"));
    m_problemCount->setToolTip(
        QStringLiteral("Cells a .g3m save cannot use as they stand; see the Problems panel"));
    statusBar()->addPermanentWidget(m_problemCount);
    connect(m_problems, &ProblemIndex::problemsChanged, this, &MainWindow::updateProblemCount);
    updateProblemCount();

    m_findBar = new QToolBar(QStringLiteral("Find"), this);
    m_findBar->setObjectName(QStringLiteral("findBar"));
    m_findBar->setMovable(false);
    m_findBar->setFloatable(false);
    m_findBar->toggleViewAction()->setVisible(false);
    addToolBar(Qt::TopToolBarArea, m_findBar);
    m_findBox = new QLineEdit(m_findBar);
    m_findBox->setObjectName(QStringLiteral("findBox"));
    m_findBox->setPlaceholderText(QStringLiteral("Find in every column"));
    m_findBox->setClearButtonEnabled(true);
    m_findBox->setMaximumWidth(Twips(4500));
    m_findBar->addWidget(m_findBox);
    m_findCount = new QLabel(m_findBar);
    m_findCount->setObjectName(QStringLiteral("findCount"));
    m_findCount->setContentsMargins(8, 0, 8, 0);
    m_findBar->addWidget(m_findCount);
    m_findBar->addAction(QStringLiteral("Close"), this, &MainWindow::closeFindBar);
    m_findBar->setVisible(false);
    auto* escape = new QAction(m_findBox);
    escape->setShortcut(Qt::Key_Escape);
    escape->setShortcutContext(Qt::WidgetShortcut);
    m_findBox->addAction(escape);
    connect(escape, &QAction::triggered, this, &MainWindow::closeFindBar);
    // Filtering 65,535 rows on every key would make fast typing stutter: wait for a pause.
    m_findTimer = new QTimer(this);
    m_findTimer->setSingleShot(true);
    m_findTimer->setInterval(150);
    connect(m_findBox, &QLineEdit::textChanged, m_findTimer, qOverload<>(&QTimer::start));
    connect(m_findTimer, &QTimer::timeout, this, [this] { findRows(m_findBox->text()); });
    const auto countFound = [this] {
        m_findCount->setText(m_view->findText().isEmpty()
                                 ? QString()
                                 : QStringLiteral("%1 of %2 rows")
                                       .arg(m_view->rowCount())
                                       .arg(m_document.table().rowCount()));
    };
    connect(m_view, &QAbstractItemModel::rowsInserted, this, countFound);
    connect(m_view, &QAbstractItemModel::rowsRemoved, this, countFound);
    connect(m_view, &QAbstractItemModel::modelReset, this, countFound);
    connect(m_view, &QAbstractItemModel::layoutChanged, this, countFound);

    QMenu* viewMenu = new QMenu(QStringLiteral("View"), this);
    viewMenu->setObjectName(QStringLiteral("mnuView"));
    QAction* find = viewMenu->addAction(QStringLiteral("Find..."), this, &MainWindow::showFindBar);
    find->setObjectName(QStringLiteral("actionFind"));
    find->setShortcut(QKeySequence::Find);
    QAction* panel = m_problemsPanel->toggleViewAction();
    panel->setText(QStringLiteral("Problems"));
    viewMenu->addAction(panel);
    // Before "Options", which stays the last menu.
    QMenu* options = menuBar()->findChild<QMenu*>(QStringLiteral("mnuOpt"));
    menuBar()->insertMenu(options ? options->menuAction() : nullptr, viewMenu);
}

void MainWindow::fitAroundClientArea() {
    // The panel starts a few lines high, and the window grows by what the panel and the other
    // bars take, so the client area keeps its design size.
    const int lines = 6;
    resizeDocks({m_problemsPanel}, {m_problemsPanel->fontMetrics().height() * lines}, Qt::Vertical);
    layout()->activate();
    const QSize missing = designClientSize() - m_client->size();
    if (!missing.isNull()) {
        resize(size() + missing);
        layout()->activate();
    }
}

void MainWindow::updateProblemCount() {
    const qsizetype count = m_problems->count();
    m_problemCount->setText(count == 0 ? QStringLiteral("No problems")
                                       : Count(count, "problem", "problems"));
}

QModelIndex MainWindow::gridIndexAt(int tableRow, int column) const {
    return toGrid(m_document.table().index(MemoryTableModel::modelRow(tableRow), column));
}

void MainWindow::revealRow(int tableRow) {
    if (!m_view->findText().isEmpty() && !gridIndexAt(tableRow, 0).isValid()) {
        closeFindBar();  // the find text hides the row the user is to see
    }
}

void MainWindow::showCell(int tableRow, int column) {
    const MemoryTable& table = m_document.table().table();
    if (tableRow < 1 || tableRow >= table.RowCount() || table.ColCount() == 0) {
        return;
    }
    revealRow(tableRow);
    const QModelIndex cell = gridIndexAt(tableRow, std::clamp(column, 0, table.ColCount() - 1));
    m_grid->setCurrentIndex(cell);
    m_grid->scrollTo(cell);
    m_grid->setFocus();
}

void MainWindow::findRows(const QString& text) {
    m_findTimer->stop();
    if (m_findBox->text() != text) {
        const QSignalBlocker quiet(m_findBox);
        m_findBox->setText(text);
    }
    if (!text.isEmpty()) {
        m_findBar->setVisible(true);  // a filter is never in force unseen
    }
    m_view->setFindText(text);
    if (m_grid->currentIndex().isValid()) {
        m_grid->scrollTo(m_grid->currentIndex());
    }
}

void MainWindow::showFindBar() {
    m_findBar->setVisible(true);
    m_findBox->setFocus(Qt::ShortcutFocusReason);
    m_findBox->selectAll();
}

void MainWindow::closeFindBar() {
    findRows(QString());
    m_findBar->setVisible(false);
    m_grid->setFocus();
}

}  // namespace corvalen

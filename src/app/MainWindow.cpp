#include "app/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QTreeView>
#include <QUndoStack>
#include <algorithm>

#include "app/BackgroundWork.h"
#include "app/CellEditorDelegate.h"
#include "app/ChannelActions.h"
#include "app/ChannelViewModel.h"
#include "app/ClientArea.h"
#include "app/EditActions.h"
#include "app/FileActions.h"
#include "app/FindBar.h"
#include "app/GridView.h"
#include "app/GridViewOptions.h"
#include "app/OnAirNow.h"
#include "app/PrintActions.h"
#include "app/ProblemIndex.h"
#include "app/ProblemsPanel.h"
#include "app/ScheduleActions.h"
#include "app/SettingsActions.h"
#include "app/StatusText.h"
#include "app/WorkKeeper.h"

namespace corvalen {
MainWindow::MainWindow(SettingsFile settings, FileDialogPresenter* fileDialogs,
                       MessageBoxes* messages, QWidget* parent)
    : QMainWindow(parent),
      m_settings(std::move(settings)),
      m_ownFileDialogs(fileDialogs ? nullptr : std::make_unique<QtFileDialogPresenter>(this)),
      m_ownMessages(messages ? nullptr : MakeQtMessageBoxes(this)),
      m_messages(messages ? messages : m_ownMessages.get()),
      m_fileDialog(fileDialogs ? *fileDialogs : *m_ownFileDialogs) {
    setObjectName(QStringLiteral("mainWindow"));
    // "[*]" shows as "*" while the table has unsaved changes.
    showFileInTitle(QString());
    connect(&m_document, &Document::fileChanged, this, &MainWindow::showFileInTitle);
    connect(&m_document, &Document::modifiedChanged, this, &QWidget::setWindowModified);

    m_client = new ClientArea(this);
    setCentralWidget(m_client);
    buildBrowsing();

    m_fileActions = new FileActions(m_document, m_fileDialog, *m_messages, m_settings, this);
    connect(m_fileActions, &FileActions::status, this, &MainWindow::showStatus);
    m_scheduleActions = new ScheduleActions(m_document, m_fileDialog, *m_fileActions, this);
    connect(m_scheduleActions, &ScheduleActions::status, this, &MainWindow::showStatus);
    // A file opened shows its first row and first column, wherever the last one was scrolled.
    connect(m_fileActions, &FileActions::tableLoaded, this, [this] {
        fitColumns();
        grid()->scrollToTop();
        grid()->horizontalScrollBar()->setValue(0);
    });
    const auto showLine = [this](const QString& text) { showStatus(text); };
    m_printActions = new PrintActions(
        *grid(), m_fileDialog, *m_messages, [this] { return m_document.filePath(); }, this);
    connect(m_printActions, &PrintActions::status, this, showLine);
    m_editActions = new EditActions(m_document, *grid(), this);
    connect(m_editActions, &EditActions::status, this, showLine);
    connect(m_editActions, &EditActions::revealRow, this, &MainWindow::revealRow);
    m_channelActions = new ChannelActions(m_document, *grid(), this);
    connect(m_channelActions, &ChannelActions::status, this, showLine);
    connect(m_channelActions, &ChannelActions::revealRow, this, &MainWindow::revealRow);
    m_viewOptions = new GridViewOptions(*m_client->grid(), m_settings, this);
    m_view->setShownText([delegate = &m_viewOptions->delegate()](const QModelIndex& index) {
        return delegate->shownText(index);
    });
    // Every change names itself on the status line, so the line never tells of an older
    // command; the commands that say more (a count, a row) say it right after.
    connect(&m_document.undoStack(), &QUndoStack::indexChanged, this, [this](int index) {
        QUndoStack& stack = m_document.undoStack();
        if (index == stack.count() && index > 0) {
            showStatus(tr("Last change: %1").arg(stack.undoText()));
        }
    });
    connect(&m_viewOptions->delegate(), &CellEditorDelegate::refused, this, showLine);
    connect(grid()->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int width) {
                // Only the user's own sizing counts: a width the program gave a column (for
                // another unit, or other contents) would later cut texts it was not made for.
                // The last column stretches with the window.
                const QHeaderView* header = grid()->horizontalHeader();
                if (m_fittingColumns || !m_userSizing || column < 0 || column >= 64 ||
                    (header->stretchLastSection() && column == header->count() - 1)) {
                    return;
                }
                m_columnWidths.resize(std::max<qsizetype>(m_columnWidths.size(), column + 1));
                m_columnWidths[column] = width;
            });
    grid()->horizontalHeader()->viewport()->installEventFilter(this);
    m_settingsActions =
        new SettingsActions(m_document, m_settings, m_fileDialog, *m_messages, this);
    connect(m_settingsActions, &SettingsActions::status, this, showLine);
    connect(&m_document, &Document::modelChanged, m_fileActions, &FileActions::updateModelTexts);
    m_keeper =
        new WorkKeeper(m_document, *m_fileActions, m_fileDialog, *m_messages, m_settings, this);
    connect(m_keeper, &WorkKeeper::status, this, showLine);

    buildMenus();
    buildButtons();

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("statusLine"));
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statusBar()->addWidget(m_status, 1);
    statusBar()->addPermanentWidget(m_onAir->label());
    statusBar()->addPermanentWidget(m_problemCount);
    setAcceptDrops(true);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // The user sizes columns by dragging (or double-clicking) a heading's edge.
    if (watched == grid()->horizontalHeader()->viewport()) {
        if (event->type() == QEvent::MouseButtonPress ||
            event->type() == QEvent::MouseButtonDblClick) {
            m_userSizing = true;
        } else if (event->type() == QEvent::MouseButtonRelease) {
            m_userSizing = false;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

MainWindow::~MainWindow() {
    // A save off the window's thread reads the document, which goes before the file actions.
    m_fileActions->background().waitForSaves();
    // The grid goes after the members its signals would reach.
    disconnect(grid()->horizontalHeader(), nullptr, this, nullptr);
    // The keeper goes before the document it follows: it removes its recovery copy.
    delete m_keeper;
}

void MainWindow::showFileInTitle(const QString& path) {
    setWindowFilePath(path);
    setWindowTitle(path.isEmpty() ? tr("Grid View[*]")
                                  : tr("Grid View \u2014 %1[*]").arg(QFileInfo(path).fileName()));
}

QTableView* MainWindow::grid() const {
    return m_client->grid();
}

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("fileMenu"));
    file->addActions({m_fileActions->openCsvAction(), m_fileActions->openMemoryFileAction()});
    file->addMenu(m_fileActions->recentMenu());
    file->addActions({m_fileActions->appendAction(), m_scheduleActions->importAction()});
    file->addAction(m_keeper->compareAction());
    file->addSeparator();
    file->addActions(m_fileActions->saveActions());
    file->addSeparator();
    file->addActions({m_printActions->printAction(), m_printActions->exportPdfAction()});
    file->addSeparator();
    QAction* exit = file->addAction(tr("Exit"), this, &MainWindow::exitProgram);
    exit->setObjectName(QStringLiteral("exitAction"));
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->setObjectName(QStringLiteral("editMenu"));
    edit->setToolTipsVisible(true);
    edit->addActions(m_editActions->menuActions());
    edit->addActions(m_channelActions->menuActions());

    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->setObjectName(QStringLiteral("viewMenu"));
    QAction* find = view->addAction(tr("Find..."), m_findBar, &FindBar::open);
    find->setObjectName(QStringLiteral("findAction"));
    find->setShortcut(QKeySequence::Find);
    QAction* panel = m_problemsPanel->toggleViewAction();
    panel->setText(tr("Problems"));
    view->addAction(panel);
    connect(panel, &QAction::triggered, this, [this](bool wanted) { m_problemsWanted = wanted; });
    view->addSeparator();
    view->addActions({m_onAir->showAction(), m_onAir->withinHourAction()});
    view->addSeparator();
    view->addActions(m_viewOptions->frequencyActions());
    view->addMenu(m_viewOptions->columnsMenu());

    QMenu* options = menuBar()->addMenu(tr("&Options"));
    options->setObjectName(QStringLiteral("optionsMenu"));
    options->addAction(m_settingsActions->winradioFolderAction());
    options->addAction(m_keeper->backupAction());
    options->addSeparator();
    options->addAction(m_settingsActions->keptAction());
}

void MainWindow::buildButtons() {
    // Each button named after its action ("addRowButton"); "Exit" stands apart at the right.
    const QList<QAction*> actions = QList<QAction*>{m_fileActions->openCsvAction()} +
                                    m_editActions->rowActions() +
                                    m_fileActions->saveActions().mid(0, 2);
    // Keyboard focus goes from the grid to the buttons, left to right, then the Problems panel.
    QWidget* previous = grid();
    for (QAction* action : actions) {
        QPushButton* button = m_client->addButton(
            action->objectName().replace(QLatin1String("Action"), QLatin1String("Button")),
            action->text());
        connect(button, &QPushButton::clicked, action, &QAction::trigger);
        button->setToolTip(action->toolTip());
        // A caption that follows the receiver model (".15m") follows on the button.
        connect(action, &QAction::changed, button, [button, action] {
            button->setText(action->text());
            button->setToolTip(action->toolTip());
        });
        setTabOrder(previous, button);
        previous = button;
    }
    QPushButton* exit = m_client->addEndButton(QStringLiteral("exitButton"), tr("Exit"));
    connect(exit, &QPushButton::clicked, this, &MainWindow::exitProgram);
    setTabOrder(previous, exit);
    setTabOrder(exit, m_problemsPanel->list());
}

void MainWindow::buildBrowsing() {
    m_view = new ChannelViewModel(m_document.table(), this);
    grid()->setModel(m_view);
    // A third click on a header gives back the table's own order.
    QHeaderView* header = grid()->horizontalHeader();
    header->setSortIndicatorClearable(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    grid()->setSortingEnabled(true);
    // The sorted column widens where its heading would not leave room for the arrow.
    connect(header, &QHeaderView::sortIndicatorChanged, this, [this](int column) {
        QHeaderView* heading = grid()->horizontalHeader();
        if (column >= 0 && column < heading->count() &&
            heading->sectionSize(column) < headingWidth(column)) {
            m_fittingColumns = true;  // the user's widths stay as they are
            heading->resizeSection(column, headingWidth(column));
            m_fittingColumns = false;
        }
    });

    m_problems = new ProblemIndex(
        m_document.table(), [this] { return m_document.receiverModel(); }, this);
    connect(&m_document, &Document::modelChanged, m_problems, &ProblemIndex::scheduleCheck);
    m_view->setProblems(m_problems);
    m_problemsPanel = new ProblemsPanel(*m_problems, m_document.table(), this);
    // In the grid's room, so the buttons stay where they are when it comes and goes.
    m_problemsPanel->setFeatures(QDockWidget::DockWidgetClosable);
    grid()->setAccessibleName(tr("Memory channels"));
    m_problemsPanel->list()->setAccessibleName(tr("Problems"));
    m_problemsPanel->hide();
    m_client->addPanel(m_problemsPanel);
    connect(m_problemsPanel, &ProblemsPanel::cellChosen, this, &MainWindow::showCell);
    m_problemCount = new QLabel(this);
    m_problemCount->setObjectName(QStringLiteral("problemCount"));
    m_problemCount->setToolTip(
        tr("Problems: cells a save cannot use as they stand. Notices: values written a little "
           "differently, and channels alike. See the Problems panel"));
    connect(m_problems, &ProblemIndex::problemsChanged, this, &MainWindow::updateProblemCount);
    updateProblemCount();

    m_findBar = new FindBar(*m_view, this);
    addToolBar(Qt::TopToolBarArea, m_findBar);
    const auto showCurrent = [this] {
        if (grid()->currentIndex().isValid()) {
            grid()->scrollTo(grid()->currentIndex());
        }
    };
    connect(m_findBar, &FindBar::rowsFound, this, showCurrent);
    m_onAir = new OnAirNow(*m_view, this);
    connect(m_onAir, &OnAirNow::rowsFiltered, this, showCurrent);
    connect(m_findBar, &FindBar::closed, this, [this] {
        grid()->setFocus();
        // Every row is back: the view goes to the row the find left current.
        if (grid()->currentIndex().isValid()) {
            m_client->grid()->layOutRowsNow();
            grid()->scrollTo(grid()->currentIndex(), QAbstractItemView::PositionAtCenter);
        }
    });
}

void MainWindow::start() {
    const QSize client = ClientArea::designSize();
    resize(client.width(),
           client.height() + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
    // The client area gets its design size beside the bars.
    layout()->activate();
    if (const QSize missing = client - m_client->size(); !missing.isNull()) {
        resize(size() + missing);
        layout()->activate();
    }
    if (const QScreen* screen = QApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    fitColumns();
    if (const std::optional<WindowLayout> stored = m_settings.readWindowLayout()) {
        restoreGeometry(stored->geometry);
        m_columnWidths = stored->columnWidths;
        m_viewOptions->setFrequencyUnit(stored->frequencyUnit);
        fitColumns();
    } else {
        m_programSize = size();
    }
    m_settingsActions->load();
    show();
}

void MainWindow::fitColumns() {
    QHeaderView* header = grid()->horizontalHeader();
    m_fittingColumns = true;
    // The header's own fitting keeps room for a sort arrow by every heading: 19 columns too wide.
    int needed = 0;  // of all columns shown
    for (int column = 0; column < header->count(); ++column) {
        int width = std::max(m_client->grid()->cellsWidth(column), headingWidth(column));
        if (column < m_columnWidths.size() && m_columnWidths[column] > 0) {
            width = m_columnWidths[column];
        }
        header->resizeSection(column, width);
        if (!header->isSectionHidden(column)) {
            needed += width;
        }
    }
    m_fittingColumns = false;
    // The window widens so the columns fit, as far as the screen allows; only the first run's
    // window, as long as the user has not sized it: longer headings (German ones) would
    // otherwise hide the last columns behind the scroll bar.
    if (m_programSize != size() || isMaximized() || isFullScreen()) {
        return;
    }
    const int missing = needed - grid()->viewport()->width();
    const QScreen* screen = this->screen();
    if (missing <= 0 || screen == nullptr) {
        return;
    }
    const QRect room = screen->availableGeometry();
    const int frame = frameGeometry().width() - width();
    const int wider = std::min(width() + missing, room.width() - frame);
    if (wider <= width()) {
        return;
    }
    resize(wider, height());
    // Moved left as far as the screen's right edge needs, but not past its left edge.
    const QRect placed = frameGeometry();
    move(std::max(room.left(), std::min(placed.left(), room.right() + 1 - placed.width())),
         placed.top());
    m_programSize = size();
    layout()->activate();
}

int MainWindow::headingWidth(int column) const {
    const QHeaderView* header = grid()->horizontalHeader();
    const QString heading = grid()->model()->headerData(column, Qt::Horizontal).toString();
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    int width = header->fontMetrics().horizontalAdvance(heading) + 2 * margin;
    if (header->isSortIndicatorShown() && header->sortIndicatorSection() == column) {
        // The sort arrow takes its room from the heading's text.
        width += margin + header->style()->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, header);
    }
    return width;
}

void MainWindow::showStatus(const QString& text, const QString& details) {
    m_status->setText(text);
    m_status->setToolTip(details);
}

void MainWindow::exitProgram() {
    if (m_settingsActions->save()) {  // else the status line says why
        close();  // asks about unsaved changes; the window stays open if the user cancels
    }
}

bool MainWindow::event(QEvent* event) {
    // The check of a change and the layouts it changes come before the paint: else the grid
    // would show the rows' old problems, or stand where it stood, and be painted again.
    if (event->type() == QEvent::UpdateRequest && m_problems != nullptr) {
        m_problems->checkNow();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        m_client->grid()->layOutRowsNow();
    }
    return QMainWindow::event(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A file being read or written keeps the window; a save of the unsaved changes closes it
    // once it has ended well.
    if (m_fileActions->background().running() ||
        !m_fileActions->settleUnsavedChanges([this] { close(); })) {
        event->ignore();
        return;
    }
    m_settings.writeWindowLayout({saveGeometry(), m_columnWidths, m_viewOptions->frequencyUnit()});
    QMainWindow::closeEvent(event);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!FileActions::DroppedChannelFile(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString path = FileActions::DroppedChannelFile(event->mimeData());
    if (path.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    // Opened once the drop is over: the question about unsaved changes must not hold up the
    // program the file was dragged from.
    QTimer::singleShot(0, this, [this, path] { m_fileActions->openFile(path); });
}

void MainWindow::updateProblemCount() {
    const qsizetype notices = m_problems->noticeCount();
    const qsizetype errors = m_problems->count() - notices;
    m_problemCount->setText(m_problems->count() == 0 ? tr("No problems")
                                                     : ProblemsText(errors, notices));
    const bool show = m_problemsWanted && m_problems->count() > 0;
    if (show && m_problemsPanel->isHidden()) {
        m_problemsPanel->show();
        constexpr int kLines = 6;
        m_client->showPanel(m_problemsPanel,
                            m_problemsPanel->fontMetrics().height() * (kLines + 2));
    } else if (!show) {
        m_problemsPanel->hide();
    }
}

void MainWindow::revealRow(int tableRow) {
    const auto hidden = [&] {
        return !m_editActions->selection().gridIndexAt(tableRow, 0).isValid();
    };
    if (!m_view->findText().isEmpty() && hidden()) {
        m_findBar->close();  // the find text hides the row the user is to see
    }
    if (m_onAir->isOn() && hidden()) {
        m_onAir->showAction()->setChecked(false);
    }
}

void MainWindow::showCell(int tableRow, int column) {
    const MemoryTable& table = m_document.table().table();
    if (tableRow < 1 || tableRow >= table.RowCount() || table.ColCount() == 0) {
        return;
    }
    revealRow(tableRow);
    m_editActions->selection().setCurrentCell(tableRow,
                                              std::clamp(column, 0, table.ColCount() - 1));
    grid()->setFocus();
}

}  // namespace corvalen

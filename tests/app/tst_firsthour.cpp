// The editor as a first-time user meets it: an empty start without problems, channels that
// survive a save and a reopen, notices for values written differently, and the keyboard
// reaching every command.

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>
#include <QTreeView>
#include <QUndoStack>

#include "EditorTest.h"
#include "app/ChannelViewModel.h"
#include "app/ProblemIndex.h"
#include "channel/CellChecks.h"
#include "channel/TableChecks.h"

using namespace corvalen;

class TestFirstHour : public EditorTest {
    Q_OBJECT

    QString countText() const {
        return m_window->findChild<QLabel*>(QStringLiteral("problemCount"))->text();
    }
    QAbstractItemModel* problemLines() const {
        return m_window->findChild<QTreeView*>(QStringLiteral("problemList"))->model();
    }

private slots:
    void init() { setUpEditor(); }

    // Add Row, type a frequency, save as .csv: the missing Bandwidth is the one problem before
    // the save and in its report (the 49 empty rows are none), and the empty rows are skipped and
    // counted.
    void channelWithoutBandwidthIsReported() {
        MainWindow& window = startWindow();
        trigger("addRowAction");
        const QModelIndex current = window.grid()->currentIndex();
        QCOMPARE(current.column(), int(Frequency));
        const int row = window.view().mapToSource(current).row() + 1;
        QVERIFY(window.view().setData(current, QStringLiteral("7100000")));
        window.problems().checkNow();
        QCOMPARE(window.problems().problems(), std::vector<Diagnostic>{EmptyBandwidthProblem(row)});
        QCOMPARE(countText(), QStringLiteral("1 problem"));

        m_dialogs->answers.push_back(path(QStringLiteral("new.csv")));
        trigger("saveCsvAction");
        QCOMPARE(statusLine(window),
                 QStringLiteral("Saved 1 row to new.csv; 49 empty rows skipped; 1 cell reported"));
        QVERIFY(statusTooltip(window).contains(
            QStringLiteral("Bandwidth is empty; the channel will be skipped")));
    }

    // Values written differently are notices: tinted apart from errors, listed and counted.
    void noticesTintedApart() {
        MemoryTable table = testing::Channels(3);
        table.SetCellText(2, Frequency, "7100000.9");
        table.SetCellText(3, Frequency, std::string(table.CellText(1, Frequency)));
        table.SetCellText(3, Mode, "WFM");
        MainWindow& window = startWindow(table);
        window.document().setModelName(QStringLiteral("313"));
        window.problems().scheduleCheck();
        window.problems().checkNow();
        QCOMPARE(countText(), QStringLiteral("1 problem, 1 notice"));
        const QModelIndex fraction = window.grid()->model()->index(1, Frequency);
        QCOMPARE(fraction.data(Qt::BackgroundRole).value<QColor>(), ChannelViewModel::kNoticeTint);
        QCOMPARE(
            fraction.data(Qt::ToolTipRole).toString(),
            QStringLiteral("Frequency 7100000.9 Hz is not a whole number; written as 7100000"));
        QCOMPARE(window.grid()->model()->index(2, Mode).data(Qt::BackgroundRole).value<QColor>(),
                 ChannelViewModel::kProblemTint);
        QCOMPARE(problemLines()->index(0, 0).data().toString(),
                 QStringLiteral("row 2, Frequency: 7100000.9 Hz is not a whole number; written as "
                                "7100000 (Number 2)"));
        QCOMPARE(problemLines()->index(0, 0).data(Qt::BackgroundRole).value<QColor>(),
                 ChannelViewModel::kNoticeTint);

        // The same frequency and mode as row 1, by an edit of the Mode cell alone.
        MemoryTableModel& model = window.document().table();
        QVERIFY(model.setData(model.index(2, Mode), QStringLiteral("USB")));
        window.problems().checkNow();
        QCOMPARE(countText(), QStringLiteral("2 notices"));
        QCOMPARE(problemLines()->index(1, 0).data().toString(),
                 QStringLiteral("row 3, Frequency: 7005000 Hz with mode USB is already in row 1 "
                                "(Number 3)"));
        // An edit of another cell of that row keeps the notice.
        QVERIFY(model.setData(model.index(2, Callsign), QStringLiteral("X")));
        window.problems().checkNow();
        QCOMPARE(window.problems().problems(), CheckCells(model.table(), "313"));
    }

    // Menus open with Alt and a letter; the row commands are in the Edit menu with shortcuts that
    // clash with nothing, shown in their tooltips (and on the buttons).
    void menusAndShortcuts() {
        MainWindow& window = startWindow();
        QStringList titles;
        for (QAction* menu : window.menuBar()->actions()) {
            titles << menu->text();
        }
        QCOMPARE(titles, QStringList({"&File", "&Edit", "&View", "&Options"}));
        auto* edit = window.findChild<QMenu*>(QStringLiteral("editMenu"));
        QVERIFY(edit->toolTipsVisible());
        for (const char* name :
             {"addRowAction", "insertRowAction", "deleteRowsAction", "reIndexAction"}) {
            auto* action = window.findChild<QAction*>(QString::fromLatin1(name));
            QVERIFY2(edit->actions().contains(action), name);
            QVERIFY2(!action->shortcut().isEmpty(), name);
            QVERIFY2(
                action->toolTip().contains(action->shortcut().toString(QKeySequence::NativeText)),
                name);
            QCOMPARE(button(action->text())->toolTip(), action->toolTip());
        }
        QHash<QKeySequence, QString> seen;
        for (QAction* action : window.findChildren<QAction*>()) {
            for (const QKeySequence& key : action->shortcuts()) {
                QVERIFY2(!seen.contains(key), qPrintable(key.toString() + " " + seen.value(key) +
                                                         " " + action->objectName()));
                seen.insert(key, action->objectName());
            }
        }
    }

    // Delete empties the selected cells in one undo step.
    void deleteClearsSelectedCells() {
        MainWindow& window = startWindow(testing::Channels(4));
        const MemoryTable before = table();
        QTableView* grid = window.grid();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        grid->setFocus();
        grid->selectRow(1);
        grid->selectionModel()->select(grid->model()->index(2, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QTest::keyClick(grid, Qt::Key_Delete);
        QVERIFY(IsEmptyRow(table(), 2) && IsEmptyRow(table(), 3) && !IsEmptyRow(table(), 1));
        QUndoStack& stack = window.document().undoStack();
        QCOMPARE(stack.undoText(), QStringLiteral("Clear Cells"));
        stack.undo();
        QVERIFY(table() == before);
    }

    // Tab leaves the grid after its last cell, Ctrl+Tab from anywhere.
    void tabLeavesTheGrid() {
        MainWindow& window = startWindow(testing::Channels(2));
        QTableView* grid = window.grid();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(1, kImportedColumnCount - 2));
        QTest::keyClick(grid, Qt::Key_Tab);
        QVERIFY(grid->hasFocus());
        QCOMPARE(grid->currentIndex().column(), kImportedColumnCount - 1);
        QTest::keyClick(grid, Qt::Key_Tab);
        QVERIFY(!grid->hasFocus());

        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(0, 1));
        QTest::keyClick(grid, Qt::Key_Tab, Qt::ControlModifier);
        QVERIFY(!grid->hasFocus());
    }

    // The current cell has a frame of its own among the selected row's cells.
    void currentCellIsMarked() {
        MainWindow& window = startWindow(testing::Channels(2));
        QTableView* grid = window.grid();
        grid->setCurrentIndex(grid->model()->index(0, Frequency));
        const QRect cell = grid->visualRect(grid->currentIndex());
        const QImage image = grid->viewport()->grab().toImage();
        const QColor frame = grid->palette().color(QPalette::Inactive, QPalette::Text);
        const QColor left = image.pixelColor(image.devicePixelRatio() * (cell.left() + 1),
                                             image.devicePixelRatio() * cell.center().y());
        QCOMPARE(left, frame);
        const QRect other = grid->visualRect(grid->model()->index(0, Bandwidth));
        QVERIFY(grid->viewport()->rect().contains(other));
        QVERIFY(image.pixelColor(image.devicePixelRatio() * (other.left() + 1),
                                 image.devicePixelRatio() * other.center().y()) != frame);
    }

    // After Add Row or Insert Row the cursor is on the new row's Frequency; Re-Index and
    // Delete Row(s) say what they did.
    void rowCommandsPlaceTheCursorAndReport() {
        MainWindow& window = startWindow(testing::Channels(4));
        QTableView* grid = window.grid();
        grid->setCurrentIndex(grid->model()->index(1, Callsign));
        trigger("insertRowAction");
        QCOMPARE(grid->currentIndex().row(), 2);
        QCOMPARE(grid->currentIndex().column(), int(Frequency));
        trigger("reIndexAction");
        QCOMPARE(statusLine(window), QStringLiteral("Renumbered 5 rows 1 to 5"));
        trigger("reIndexAction");
        QCOMPARE(statusLine(window),
                 QStringLiteral("Every row already has its number (1 to 5); nothing changed"));
        grid->selectionModel()->select(
            grid->model()->index(0, 0),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        grid->selectionModel()->select(grid->model()->index(3, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        trigger("deleteRowsAction");
        QCOMPARE(statusLine(window), QStringLiteral("Deleted 2 rows; the rest renumbered 1 to 3"));
        trigger("addRowAction");
        QCOMPARE(grid->currentIndex().row(), 3);
        QCOMPARE(grid->currentIndex().column(), int(Frequency));
    }
};

QTEST_MAIN(TestFirstHour)
#include "tst_firsthour.moc"

// The editor beyond its buttons: sorting and finding, the problem tint and panel, and the File
// menu's .g3m open, recent files and dropped files.

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QToolBar>
#include <QTreeView>
#include <QUrl>
#include <algorithm>
#include <memory>

#include "EditorTest.h"
#include "app/ChannelViewModel.h"
#include "app/MainWindow.h"
#include "app/ProblemIndex.h"
#include "app/RecentFiles.h"
#include "channel/CellChecks.h"
#include "channel/TableChecks.h"
#include "csv/CsvWriter.h"
#include "files/ChannelFiles.h"
#include "g3m/MemoryFile.h"
#include "g3m/MemoryFileReader.h"
#include "io/Messages.h"
#include "table/Columns.h"

using namespace corvalen;

namespace {

// Six channels whose Number, Frequency and Callsign cells sort differently as numbers and as
// text; the Comments of row 4 hold letters outside ASCII.
MemoryTable SortingTable() {
    struct Channel {
        const char* number;
        const char* frequency;
        const char* callsign;
        const char* comment;
    };
    const Channel channels[] = {
        {"10", "10000", "delta", ""}, {"9", "9000", "Alpha", ""},
        {"100", "", "", ""},          {" 2", "n/a", "charlie", "R\u00c1DIO Amaz\u00f4nia"},
        {"30", "-5", "bravo", ""},    {"abc", " 700", "ALPHA2", ""},
    };
    MemoryTable table = MemoryTable::ImportLayout();
    for (const Channel& c : channels) {
        table.AppendRow({c.number, c.frequency, "2400", "0", "", "", "", "", "", "1", "", "", "",
                         "", "", "", "USB", c.callsign, c.comment});
    }
    return table;
}

struct Edit {
    int row;  // table row
    int column;
    QString text;
};

}  // namespace

class TestBrowsing : public EditorTest {
    Q_OBJECT

private:
    QString writeMemoryFile(const QString& name, const MemoryTable& table,
                            corvalen::ReceiverModel model) {
        const QString file = path(name);
        [&] {
            QVERIFY(
                WriteChannelFile(file.toStdString(), table, MemoryFileFormat(), {model, true, {}})
                    .ok());
        }();
        return file;
    }

    // Whether the window takes `file` as a drop; if it does, drops it.
    bool drop(const QString& file) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        const QPoint centre = m_window->rect().center();
        QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_window.get(), &enter);
        if (!enter.isAccepted()) {
            return false;
        }
        QDropEvent dropped(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_window.get(), &dropped);
        return dropped.isAccepted();
    }

    // The table rows the grid shows, top to bottom.
    QList<int> shownRows() const {
        QList<int> rows;
        for (int r = 0; r < m_window->view().rowCount(); ++r) {
            rows << tableRowOf(m_window->view().index(r, 0));
        }
        return rows;
    }

    void clickHeader(int column) {
        QTableView* grid = m_window->grid();
        grid->scrollTo(grid->model()->index(0, column));
        QHeaderView* header = grid->horizontalHeader();
        const QPoint centre(
            header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
            header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    }

private slots:
    void init() { setUpEditor(); }
    void cleanup() { m_window.reset(); }

    // A group of the Problems panel: its heading says what its rows share, and each row is shown
    // with its own values; expanding it lists every row.
    void problemsPanelGroupsSayEachRowsOwnValues() {
        MemoryTable table = testing::Channels(8);
        table.SetCellText(3, Callsign, "WWV Fort Collins Colorado");
        table.SetCellText(7, Callsign, "CFRX Toronto Ontario");
        MainWindow& window = startWindow(table);
        checkFor313();
        auto* list = window.findChild<QTreeView*>(QStringLiteral("problemList"));
        QVERIFY(list != nullptr);
        QModelIndex group;
        for (int row = 0; row < list->model()->rowCount(); ++row) {
            if (list->model()->hasChildren(list->model()->index(row, 0))) {
                group = list->model()->index(row, 0);
            }
        }
        QVERIFY(group.isValid());
        QCOMPARE(group.data().toString(),
                 QStringLiteral("2 channels: Callsign longer than 12 characters, cut to 12: row 3 "
                                "(Number 3): \"WWV Fort Collins Colorado\" → \"WWV Fort Col\"; "
                                "row 7 (Number 7): \"CFRX Toronto Ontario\" → \"CFRX Toronto\""));
        QCOMPARE(list->model()->rowCount(group), 2);
        QCOMPARE(list->model()->index(1, 0, group).data().toString(),
                 QStringLiteral("row 7, Callsign: \"CFRX Toronto Ontario\" is longer than 12 "
                                "characters; written as \"CFRX Toronto\""));
    }
    void headerClicksSort_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<QList<int>>("rows");  // table rows, top to bottom

        const auto row = [](const char* name, int column, int clicks, const QList<int>& rows) {
            QTest::newRow(name) << column << clicks << rows;
        };
        row("Number as numbers, text after", Number, 1, {4, 2, 1, 5, 3, 6});
        row("Frequency: sign, blanks; text, then empty last", Frequency, 1, {5, 6, 2, 1, 4, 3});
        row("second click reverses", Frequency, 2, {3, 4, 1, 2, 6, 5});
        row("third click: table order", Frequency, 3, {1, 2, 3, 4, 5, 6});
        row("Callsign as text, case ignored", Callsign, 1, {2, 6, 5, 4, 1, 3});
    }

    void headerClicksSort() {
        QFETCH(int, column);
        QFETCH(int, clicks);
        QFETCH(QList<int>, rows);
        startWindow(SortingTable());
        const MemoryTable before = m_window->document().table().table();
        for (int i = 0; i < clicks; ++i) {
            clickHeader(column);
        }
        QCOMPARE(shownRows(), rows);
        QVERIFY(m_window->document().table().table() == before);  // the view sorts, not the table
    }

    void findFiltersRows_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("rows");
        QTest::newRow("ASCII, case ignored") << "aLpHa" << QList<int>{2, 6};
        QTest::newRow("any column") << "700" << QList<int>{6};
        QTest::newRow("outside ASCII, case ignored") << "r\u00e1dio" << QList<int>{4};
        QTest::newRow("no match") << "zzz" << QList<int>{};
    }

    void findFiltersRows() {
        QFETCH(QString, text);
        QFETCH(QList<int>, rows);
        MainWindow& window = startWindow(SortingTable());
        QToolBar* bar = window.findChild<QToolBar*>(QStringLiteral("findBar"));
        auto* box = window.findChild<QLineEdit*>(QStringLiteral("findBox"));
        QVERIFY(!bar->isVisible());

        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(window.grid(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(bar->isVisible());
        QCOMPARE(QApplication::focusWidget(), box);
        box->insert(text);                // typed; keyClicks knows ASCII only
        QTRY_COMPARE(shownRows(), rows);  // the box waits for a pause in typing

        QTest::keyClick(box, Qt::Key_Escape);
        QCOMPARE(shownRows(), (QList<int>{1, 2, 3, 4, 5, 6}));
        QVERIFY(!bar->isVisible());
        QVERIFY(box->text().isEmpty());
    }

    // The grid is filtered again in one step; the current cell and the selected rows stay
    // with their table rows as long as those are shown.
    void findKeepsCurrentCellAndSelection_data() {
        QTest::addColumn<QStringList>("finds");    // applied one after another
        QTest::addColumn<int>("currentRow");       // table row of the current cell after, or -1
        QTest::addColumn<QList<int>>("selected");  // selected table rows after, ascending
        QTest::newRow("narrowed") << QStringList{"alpha"} << 6 << QList<int>{2, 6};
        QTest::newRow("narrowed further") << QStringList{"alph", "alpha2"} << 6 << QList<int>{6};
        QTest::newRow("narrowed, then Backspace to empty")
            << QStringList{"alpha", ""} << 6 << QList<int>{2, 6};  // row 5 was hidden
        QTest::newRow("current row hidden") << QStringList{"bravo"} << -1 << QList<int>{5};
        QTest::newRow("hidden, then shown again")
            << QStringList{"bravo", ""} << -1 << QList<int>{5};
    }

    void findKeepsCurrentCellAndSelection() {
        QFETCH(QStringList, finds);
        QFETCH(int, currentRow);
        QFETCH(QList<int>, selected);
        MainWindow& window = startWindow(SortingTable());
        clickHeader(Frequency);  // sorted too: grid rows are not table rows
        QTableView* grid = window.grid();
        grid->selectionModel()->clear();
        for (const int row : {2, 5, 6}) {
            grid->selectionModel()->setCurrentIndex(
                gridCell(row, Callsign), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        for (const QString& text : finds) {
            window.findBar().findRows(text);
        }

        const QModelIndex current = grid->currentIndex();
        QCOMPARE(current.isValid() ? tableRowOf(current) : -1, currentRow);
        if (current.isValid()) {
            QCOMPARE(current.column(), int(Callsign));
        }
        QList<int> rows;
        for (const QModelIndex& index : grid->selectionModel()->selectedRows()) {
            rows << tableRowOf(index);
        }
        std::sort(rows.begin(), rows.end());
        QCOMPARE(rows, selected);
    }

    // Row commands take their rows from the sorted, filtered grid and must hit the same rows of
    // the table.
    void rowCommandsOnSortedFilteredView_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("find");
        QTest::addColumn<QList<int>>("selected");  // grid rows
        QTest::addColumn<QStringList>("callsigns");

        const auto row = [](const char* name, const char* caption, const char* find,
                            const QList<int>& selected, const char* callsigns) {
            QTest::newRow(name) << caption << find << selected << QString(callsigns).split('/');
        };
        // Sorted by Frequency the grid shows table rows 5, 6, 2, 1, 4, 3.
        row("Delete Row(s), sorted", "Delete Row(s)", "", {0, 2}, "delta//charlie/ALPHA2");
        row("Delete Row(s), sorted and filtered: rows 6, 2", "Delete Row(s)", "alpha", {0, 1},
            "delta//charlie/bravo");
        row("Insert Row below table row 2, sorted", "Insert Row", "", {2},
            "delta/Alpha///charlie/bravo/ALPHA2");
        row("Insert Row, the new row shows despite the find text", "Insert Row", "alpha", {1},
            "delta/Alpha///charlie/bravo/ALPHA2");
    }

    void rowCommandsOnSortedFilteredView() {
        QFETCH(QString, caption);
        QFETCH(QString, find);
        QFETCH(QList<int>, selected);
        QFETCH(QStringList, callsigns);
        MainWindow& window = startWindow(SortingTable());
        clickHeader(Frequency);
        window.findBar().findRows(find);
        selectGridRows(selected);
        click(caption);
        QCOMPARE(testing::ColumnTexts(table(), Callsign), callsigns);
        if (caption == QStringLiteral("Insert Row")) {
            QVERIFY(window.view().findText().isEmpty());
            QCOMPARE(window.view().rowCount(), 7);
        }
    }

    // A cell the writer cannot use is tinted with the core's reason as its tooltip, wherever
    // the sorted grid shows its row; the panel lists it and a click there goes to it.
    void problemCellsTintedListedAndReached_data() {
        QTest::addColumn<int>("row");  // the cell made bad
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("flaggedRow");  // the cell the problem is reported on
        QTest::addColumn<int>("flaggedColumn");

        const auto row = [](const char* name, int bad, int column, const char* text,
                            int flaggedRow) {  // the problem is on the column made bad
            QTest::newRow(name) << bad << column << text << flaggedRow << column;
        };
        row("Frequency not a number", 4, Frequency, "7 MHz", 4);
        row("unknown Mode", 2, Mode, "XYZ", 2);
        row("Groups entry outside 1 to 16", 5, Groups, "2+17", 5);
        row("repeated channel number: the earlier row loses its record", 5, Number, "2", 2);
    }

    void problemCellsTintedListedAndReached() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(int, flaggedRow);
        QFETCH(int, flaggedColumn);
        MemoryTable table = testing::Channels(6);
        table.SetCellText(row, column, text.toStdString());
        MainWindow& window = startWindow(table);
        checkFor313();
        const std::vector<Diagnostic> expected = CheckCells(table, "313");
        QVERIFY(!expected.empty());
        QCOMPARE(window.problems().problems(), expected);
        const auto* count = window.findChild<QLabel*>(QStringLiteral("problemCount"));
        QCOMPARE(count->text(), expected.size() == 1
                                    ? QStringLiteral("1 problem")
                                    : QStringLiteral("%1 problems").arg(expected.size()));

        clickHeader(Callsign);
        clickHeader(Callsign);  // descending: grid rows differ from table rows
        QTableView* grid = window.grid();
        const QModelIndex cell = gridCell(flaggedRow, flaggedColumn);
        QVERIFY(cell.isValid() && cell.row() != flaggedRow - 1);
        QCOMPARE(cell.data(Qt::BackgroundRole).value<QColor>(), ChannelViewModel::kProblemTint);
        QVERIFY(cell.data(Qt::ToolTipRole)
                    .toString()
                    .contains(QString::fromStdString(MessageText(expected[0]))));
        const QModelIndex neighbour =
            cell.siblingAtColumn(flaggedColumn == Callsign ? 0 : Callsign);
        QVERIFY(!neighbour.data(Qt::BackgroundRole).isValid());
        QVERIFY(!neighbour.data(Qt::ToolTipRole).isValid());

        // The panel's line for it (its words: tst_firsthour), clicked while the find text hides
        // the row.
        auto* list = window.findChild<QTreeView*>(QStringLiteral("problemList"));
        QCOMPARE(list->model()->rowCount(), static_cast<int>(expected.size()));
        const QModelIndex line = list->model()->index(0, 0);
        QVERIFY(line.data().toString().startsWith(QStringLiteral("row %1, ").arg(flaggedRow)));
        window.findBar().findRows(QStringLiteral("no row holds this"));
        QCOMPARE(grid->model()->rowCount(), 0);
        list->scrollTo(line);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list->visualRect(line).center());
        QVERIFY(window.view().findText().isEmpty());
        const QModelIndex current = grid->currentIndex();
        QCOMPARE(tableRowOf(current), flaggedRow);
        QCOMPARE(current.column(), flaggedColumn);
        QVERIFY(grid->selectionModel()->isRowSelected(current.row(), QModelIndex()));

        // Mending the cell takes the tint and the line away.
        MemoryTableModel& model = window.document().table();
        const MemoryTable clean = testing::Channels(6);
        QVERIFY(model.setData(model.index(row - 1, column),
                              QString::fromStdString(std::string(clean.CellText(row, column)))));
        QTRY_COMPARE(count->text(), QStringLiteral("No problems"));
        QCOMPARE(list->model()->rowCount(), 0);
        QVERIFY(!grid->currentIndex().data(Qt::BackgroundRole).isValid());
    }

    // After an edit outside the Number column only that row is checked again; the result must
    // be what a check of the whole table says.
    void editsKeepTheProblemsOfTheWholeTable_data() {
        QTest::addColumn<QList<Edit>>("edits");
        QTest::newRow("cells made bad and good again")
            << QList<Edit>{{2, Frequency, "x"},
                           {3, Mode, "ABC"},
                           {2, Frequency, "7005000"},
                           {3, Callsign, "a callsign far too long"},
                           {3, Mode, "USB"}};
        QTest::newRow("rows sharing a channel number")
            << QList<Edit>{{4, Number, "2"}, {2, Mode, "XYZ"}, {4, Mode, "XYZ"},
                           {2, Mode, "AM"},  {2, Number, "9"}, {4, Groups, "0"}};
        QTest::newRow("row without a channel number")
            << QList<Edit>{{3, Number, "0"}, {3, Frequency, "bad"}, {3, Number, "3"}};
        // Row 2 has 7010000 Hz in USB: a notice on the later row survives edits of its other
        // cells and goes when the mode differs.
        QTest::newRow("frequencies alike") << QList<Edit>{
            {3, Frequency, "7010000"}, {3, Callsign, "X"}, {3, Groups, "0"},
            {2, Mode, "AM"},           {2, Mode, "USB"},   {4, Frequency, "7010000.5"},
            {4, Comments, ""}};
        // Rows 2, 4 and 5 alike: one edit of row 2 changes the notices of both later rows.
        QTest::newRow("frequencies alike in three rows") << QList<Edit>{{4, Frequency, "7010000"},
                                                                        {5, Frequency, "7010000"},
                                                                        {2, Mode, "AM"},
                                                                        {2, Mode, "USB"}};
    }

    void editsKeepTheProblemsOfTheWholeTable() {
        QFETCH(QList<Edit>, edits);
        MainWindow& window = startWindow(testing::Channels(5));
        checkFor313();
        clickHeader(Number);
        clickHeader(Number);  // descending: grid rows differ from table rows
        MemoryTableModel& model = window.document().table();
        // Every cell's tint and tip as the grid shows them.
        const QAbstractItemModel* grid = window.grid()->model();
        const auto looks = [grid] {
            QList<QVariant> all;
            for (int r = 0; r < grid->rowCount(); ++r) {
                for (int c = 0; c < grid->columnCount(); ++c) {
                    all << grid->index(r, c).data(Qt::BackgroundRole)
                        << grid->index(r, c).data(Qt::ToolTipRole);
                }
            }
            return all;
        };
        for (const Edit& edit : edits) {
            const QList<QVariant> before = looks();
            QSignalSpy told(grid, &QAbstractItemModel::dataChanged);
            QSignalSpy reordered(grid, &QAbstractItemModel::layoutChanged);
            QVERIFY(model.setData(model.index(edit.row - 1, edit.column), edit.text));
            window.problems().checkNow();
            QCOMPARE(window.problems().problems(), CheckCells(model.table(), "313"));
            if (!reordered.isEmpty()) {
                continue;  // the whole grid is laid out again
            }
            // The grid is told of every cell whose tint or tip changed, wherever its row is.
            const QList<QVariant> after = looks();
            for (int at = 0; at < after.size(); ++at) {
                const int r = at / 2 / grid->columnCount();
                const int c = at / 2 % grid->columnCount();
                const bool toldOf =
                    std::any_of(told.begin(), told.end(), [&](const QList<QVariant>& s) {
                        const QModelIndex from = s[0].toModelIndex();
                        const QModelIndex to = s[1].toModelIndex();
                        return from.row() <= r && r <= to.row() && from.column() <= c &&
                               c <= to.column();
                    });
                QVERIFY2(before[at] == after[at] || toldOf,
                         qPrintable(QStringLiteral("grid row %1, column %2").arg(r).arg(c)));
            }
        }
    }

    void openMemoryFileByShortcut_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("status");
        QTest::newRow("G313") << "313"
                              << "Read 3 channels from memories.g3m (92-byte records)";
        QTest::newRow("G303") << "303"
                              << "Read 3 channels from memories.g3m (84-byte records)";
    }

    void openMemoryFileByShortcut() {
        QFETCH(QString, model);
        QFETCH(QString, status);
        MainWindow& window = startWindow();
        window.document().setWinradioPath(m_dir->path());
        window.document().setModelName(model);
        const QString file = writeMemoryFile(QStringLiteral("memories.g3m"), testing::Channels(3),
                                             testing::Model(model));
        window.fileDialog().settings().fileName = QStringLiteral("left over.csv");
        m_dialogs->answers.push_back(file);

        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
        waitForFiles();
        const FileDialogSettings expected{
            m_dir->path(), QString(), QStringLiteral("Memory files (*.g3m)|*.g3m"),
            QStringLiteral("Select your File"), FileDialogSettings::Form::Open};
        QCOMPARE(m_dialogs->shown.size(), 1);
        QVERIFY(m_dialogs->shown[0] == expected);

        const Result<ChannelFileRead> reference =
            ReadChannelFile(file.toStdString(), {testing::Model(model), {}});
        QVERIFY(reference.ok());
        QVERIFY(window.document().table().table() == reference->table);
        QCOMPARE(window.document().table().columnCount(), kImportedColumnCount);
        QVERIFY(window.document().hasImportColumns());
        QCOMPARE(statusLine(window), status);
        QCOMPARE(window.document().undoStack().undoText(), QStringLiteral("Open memories.g3m"));
        QVERIFY(!window.isWindowModified());
        QCOMPARE(window.fileActions().recentFiles().paths(), QStringList{file});
    }

    void recentFilesPersistAndArePruned() {
        MainWindow& window = startWindow();
        const QString csv = writeCsv(QStringLiteral("a.csv"), testing::Channels(2));
        const QString g3m = writeMemoryFile(QStringLiteral("b.g3m"), testing::Channels(3), "313");
        const QString saved = path(QStringLiteral("c.csv"));
        m_dialogs->answers = {csv, g3m, saved};
        trigger("openCsvAction");
        trigger("openMemoryFileAction");
        trigger("saveCsvAction");
        trigger("openCsvAction");  // cancelled: no change
        QCOMPARE(window.fileActions().recentFiles().paths(), (QStringList{saved, g3m, csv}));
        const QString store = path(QStringLiteral("program/Corvalen-recent.txt"));
        QCOMPARE(testing::ReadBytes(store),
                 (saved + "\r\n" + g3m + "\r\n" + csv + "\r\n").toUtf8());
        QVERIFY(!QFile::exists(path(QStringLiteral("program/Corvalen.ini"))));

        // The next run has the list; a file gone since is reported and leaves it.
        QVERIFY(QFile::remove(g3m));
        MainWindow& next = startWindow();
        auto* recent = next.findChild<QMenu*>(QStringLiteral("recentMenu"));
        QCOMPARE(recent->actions().size(), 3);
        recent->actions()[1]->trigger();
        QCOMPARE(statusLine(next),
                 QDir::toNativeSeparators(g3m) + " no longer exists; removed from Recent files");
        QCOMPARE(next.fileActions().recentFiles().paths(), (QStringList{saved, csv}));
        QCOMPARE(testing::ReadBytes(store), (saved + "\r\n" + csv + "\r\n").toUtf8());
        QCOMPARE(recent->actions().size(), 2);

        recent->actions()[1]->trigger();  // opens a.csv, which moves to the front
        waitForFiles();
        QCOMPARE(next.document().table().rowCount(), 2);
        QCOMPARE(next.fileActions().recentFiles().paths(), (QStringList{csv, saved}));

        // Only the latest eight are kept.
        for (int i = 0; i < 10; ++i) {
            next.fileActions().recentFiles().add(path(QStringLiteral("f%1.csv").arg(i)));
        }
        QCOMPARE(next.fileActions().recentFiles().paths().size(), RecentFiles::kMaxFiles);
        QCOMPARE(next.fileActions().recentFiles().paths().first(), path(QStringLiteral("f9.csv")));
        QCOMPARE(next.fileActions().recentFiles().paths().last(), path(QStringLiteral("f2.csv")));
    }

    void droppedFileOpens_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("taken");
        QTest::newRow("CSV") << "dropped.csv" << true;
        QTest::newRow(".g3m in capitals") << "DROPPED.G3M" << true;
        QTest::newRow("other file") << "dropped.txt" << false;
    }

    void droppedFileOpens() {
        QFETCH(QString, name);
        QFETCH(bool, taken);
        MainWindow& window = startWindow();
        const QString file = name.endsWith(QStringLiteral(".csv"))
                                 ? writeCsv(name, testing::Channels(4))
                                 : writeMemoryFile(name, testing::Channels(4), "313");

        QCOMPARE(drop(file), taken);
        if (taken) {
            QTRY_COMPARE(window.document().table().rowCount(), 4);
            QCOMPARE(window.fileActions().recentFiles().paths(), QStringList{file});
        } else {
            QCOMPARE(window.document().table().rowCount(), 49);
        }
        QVERIFY(m_dialogs->shown.isEmpty());
    }
};

QTEST_MAIN(TestBrowsing)
#include "tst_browsing.moc"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QPaintEvent>
#include <QSpinBox>

#include "EditorTest.h"
#include "ScriptedEditDialogs.h"
#include "app/CellEditorDelegate.h"
#include "app/ChannelActions.h"
#include "app/ChannelRangeDialog.h"
#include "app/GridViewOptions.h"
#include "app/ProblemsPanel.h"
#include "app/SetFieldDialog.h"

using namespace corvalen;
using testing::Channels;
using testing::ColumnTexts;

// Editing through the real window, and what the user sees while editing: bulk edits, channel
// ranges, moving rows, going to a channel, the cell editors, the Frequency editor in the unit of
// the view, the row a command leaves selected, the status line after each command, the texts
// that follow the receiver model, and a window that keeps its place, its size and its columns.
class TestEditorView : public EditorTest {
    Q_OBJECT

private:
    std::unique_ptr<ScriptedEditDialogs> m_edits;

    MainWindow& open(int channels) {
        startWindow(testing::Channels(channels));
        m_edits = std::make_unique<ScriptedEditDialogs>();
        m_window->channelActions().setDialogs(m_edits.get());
        return *m_window;
    }

    // The grid's paints: the problems counted at the first, and the paints of the whole grid.
    struct GridPaints : QObject {
        QWidget* viewport = nullptr;
        const ProblemIndex* problems = nullptr;
        qsizetype problemsAtFirst = -1;
        int whole = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint) {
                problemsAtFirst = problemsAtFirst < 0 ? problems->count() : problemsAtFirst;
                whole += static_cast<QPaintEvent*>(event)->rect() == viewport->rect() ? 1 : 0;
            }
            return false;
        }
    };
    // Watches them once the window shows, its problems checked.
    void watchPaints(GridPaints& paints) {
        QTRY_COMPARE(m_window->problems().count(), qsizetype(0));
        QTRY_VERIFY(m_window->grid()->viewport()->isVisible());
        paints.viewport = m_window->grid()->viewport();
        paints.problems = &m_window->problems();
        paints.viewport->installEventFilter(&paints);
    }

    void sortBy(int column, Qt::SortOrder order) {
        m_window->grid()->horizontalHeader()->setSortIndicator(column, order);
    }

    // Drags the right edge of a column's heading with the mouse until the column is `width`
    // wide, as the user sizes a column.
    static void dragColumnEdge(QTableView& grid, int column, int width) {
        grid.scrollTo(grid.model()->index(0, column));
        QHeaderView* header = grid.horizontalHeader();
        const int y = header->height() / 2;
        const QPoint edge(header->sectionViewportPosition(column) + header->sectionSize(column) - 1,
                          y);
        const QPoint to = edge + QPoint(width - header->sectionSize(column), 0);
        QTest::mousePress(header->viewport(), Qt::LeftButton, Qt::NoModifier, edge);
        QTest::mouseMove(header->viewport(), to);
        QTest::mouseRelease(header->viewport(), Qt::LeftButton, Qt::NoModifier, to);
        QCOMPARE(header->sectionSize(column), width);
    }

private slots:
    void init() { setUpEditor(); }
    void cleanup() {
        m_window.reset();
        QLocale::setDefault(QLocale::c());
    }

    // The grid, a screen reader and the cell editor give a frequency in the unit of the view
    // with the language's decimal separator; the cell keeps its Hz, and text that is no whole
    // number of Hz stands as the file has it. What is typed is read in that unit.
    void frequencyEditorWorksInTheViewUnit_data() {
        QTest::addColumn<QString>("unitAction");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("gridText");  // in the grid and to a screen reader
        QTest::addColumn<QString>("shown");     // what the editor starts with
        QTest::addColumn<QString>("typed");     // empty: Enter on the text as it started
        QTest::addColumn<QString>("stored");    // empty: refused, the cell keeps its text
        QTest::addColumn<QString>("status");

        // (How typed text is read in each unit: tst_editing's cellEditorTexts; here the editor
        // in each view and language, and what a refusal does.)
        const QLocale en(QLocale::English, QLocale::UnitedKingdom);
        const QLocale de(QLocale::German, QLocale::Germany);
        const auto row = [](const char* name, const char* unit, const QLocale& locale,
                            const char* cell, const char* grid, const char* shown,
                            const char* typed, const char* stored, const char* status = "") {
            QTest::newRow(name) << QString("frequency%1Action").arg(unit) << locale << cell << grid
                                << shown << typed << stored << status;
        };
        const char* hz = "7005000";
        row("MHz view, no unit", "MHz", en, hz, "7.005000", "7.005 MHz", "7.2", "7200000");
        row("kHz view, M typed", "KHz", en, hz, "7005.000", "7005 kHz", "7.2M", "7200000");
        row("Hz view", "Hz", en, hz, hz, hz, "7200000", "7200000");
        row("German decimal comma", "MHz", de, hz, "7,005000", "7,005 MHz", "146,52", "146520000");
        row("German kHz view, comma", "KHz", de, hz, "7005,000", "7005 kHz", "7200,5", "7200500");
        row("German, not whole Hz", "MHz", de, hz, "7,005000", "7,005 MHz", "7,1000005", "",
            "7,1000005 is not a whole number of Hz");
        row("not a number", "MHz", en, hz, "7.005000", "7.005 MHz", "seven", "",
            "\"seven\" is not a frequency");
        row("English MHz, unchanged", "MHz", en, "146520000", "146.520000", "146.52 MHz", "", "");
        row("German kHz, unchanged", "KHz", de, "7005500", "7005,500", "7005,5 kHz", "", "");
        row("German, a cell with a point", "MHz", de, "7.005", "7.005", "7.005", "", "");
    }

    void frequencyEditorWorksInTheViewUnit() {
        QFETCH(QString, unitAction);
        QFETCH(QLocale, locale);
        QFETCH(QString, cell);
        QFETCH(QString, gridText);
        QFETCH(QString, shown);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(QString, status);
        QLocale::setDefault(locale);
        MemoryTable channels = Channels(3);
        channels.SetCellText(1, Frequency, cell.toStdString());
        startWindow(channels);
        trigger(unitAction);
        const auto frequency = [&] { return cellText(1, Frequency); };

        const QModelIndex index = grid().model()->index(0, Frequency);
        QCOMPARE(m_window->viewOptions().delegate().shownText(index), gridText);
        QCOMPARE(index.data(Qt::AccessibleTextRole).toString(), gridText);
        grid().setCurrentIndex(index);
        grid().edit(index);
        auto* line = qobject_cast<QLineEdit*>(grid().indexWidget(index));
        QVERIFY(line != nullptr);
        QCOMPARE(line->text(), shown);
        if (!typed.isEmpty()) {
            line->setText(typed);
        }
        QTest::keyClick(line, Qt::Key_Return);
        if (!stored.isEmpty()) {
            QTRY_COMPARE(frequency(), stored);
            return;
        }
        QCOMPARE(frequency(), cell);
        if (!typed.isEmpty()) {
            // Refused with the reason; the editor stays open to correct the text.
            VERIFY_STARTS(statusLine(*m_window), status);
            QVERIFY(grid().indexWidget(grid().currentIndex()) != nullptr || line->isVisible());
            // Leaving the editor does not store it either.
            grid().setFocus();
            QTest::keyClick(line, Qt::Key_Escape);
            QCOMPARE(frequency(), cell);
        }
        QCOMPARE(m_window->document().undoStack().count(), 1);  // the import only
    }

    // Set Field of Selected Rows converts a frequency as the cell editor does: a unit typed
    // with it wins, a number without one is in the grid's unit, either decimal separator is
    // taken; text that is no frequency is refused with the cell editor's reason, nothing written,
    // and the dialog stays open. (Every way of typing a frequency:
    // frequencyEditorWorksInTheViewUnit; here the rows that show Set Field takes the view's unit,
    // the language's separator, and refuses as it does.)
    void setFieldConvertsFrequencies_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");  // empty: refused, the cells keep theirs
        QTest::addColumn<QString>("status");  // what a refusal starts with

        const QLocale en(QLocale::English, QLocale::UnitedKingdom);
        const QLocale de(QLocale::German, QLocale::Germany);
        const auto row = [](const char* name, const QLocale& locale, const char* unit,
                            const char* typed, const char* stored, const char* status = "") {
            QTest::newRow(name) << locale << QString(unit) << typed << stored << status;
        };
        row("English, MHz typed", en, "Hz", "7.2 MHz", "7200000", "Set Frequency of 2 rows");
        row("no unit in the MHz view", en, "MHz", "7.2", "7200000");
        row("German comma in the MHz view", de, "MHz", "7,2", "7200000");
        row("English, comma is no point", en, "MHz", "7,2", "", "\"7,2\" is not a frequency");
        row("German, not whole Hz", de, "Hz", "7,5", "", "7,5 is not a whole number of Hz");
    }

    void setFieldConvertsFrequencies() {
        QFETCH(QLocale, locale);
        QFETCH(QString, unit);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(QString, status);
        QLocale::setDefault(locale);
        open(3);
        trigger("frequency" + unit + "Action");

        // The dialog itself; another column takes any text.
        SetFieldDialog dialog(table(), Frequency, 2, nullptr,
                              m_window->viewOptions().frequencyUnit());
        dialog.valueField()->setText(typed);
        dialog.accept();
        QCOMPARE(dialog.result(), int(stored.isEmpty() ? QDialog::Rejected : QDialog::Accepted));
        QCOMPARE(dialog.refusalLabel()->isHidden(), !stored.isEmpty());
        if (stored.isEmpty()) {
            VERIFY_STARTS(dialog.refusalLabel()->text(), status);
            dialog.columnField()->setCurrentIndex(Callsign);
            dialog.accept();
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }

        selectGridRows({0, 1});
        m_edits->fieldEdits.push_back({FieldEdit::Kind::Set, Frequency, typed.toStdString(), 0});
        trigger("setFieldAction");
        QCOMPARE(m_edits->fieldEditRows, 2);
        const QString kept = cellText(3, Frequency);
        if (stored.isEmpty()) {
            VERIFY_STARTS(statusLine(*m_window), status);
            QCOMPARE(m_window->document().undoStack().count(), 1);  // the import only
        } else {
            QCOMPARE(cellText(1, Frequency), stored);
            QCOMPARE(cellText(2, Frequency), stored);
            if (!status.isEmpty()) {
                QCOMPARE(statusLine(*m_window), status);
            }
        }
        QVERIFY(kept != stored);  // the row not selected keeps its own
    }

    // The new row alone is selected, the cursor on its Frequency.
    void newRowAloneSelected_data() {
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<int>("row");  // the grid row of the new row
        QTest::newRow("Add Row") << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A) << 5;
        QTest::newRow("Insert Row") << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I) << 3;
    }

    void newRowAloneSelected() {
        QFETCH(QKeySequence, keys);
        QFETCH(int, row);
        startWindow(Channels(5));
        activate();
        grid().selectRow(2);
        grid().setFocus();
        QTest::keySequence(&grid(), keys);
        QCOMPARE(table().ChannelCount(), 6);
        QCOMPARE(grid().selectionModel()->selectedRows().size(), 1);
        QCOMPARE(grid().currentIndex(), grid().model()->index(row, Frequency));
        trigger("deleteRowsAction");
        QCOMPARE(table().ChannelCount(), 5);
        QCOMPARE(testing::ColumnTexts(table(), Callsign),
                 (QStringList{"C1", "C2", "C3", "C4", "C5"}));
    }

    void statusSaysWhatTheLastCommandDid_data() {
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QString>("status");
        const auto row = [](const char* name, const char* actions, const char* status) {
            QTest::newRow(name) << QString(actions).split(' ') << status;
        };
        row("Add Row", "addRowAction", "Added an empty row as row 4");
        row("Insert Row", "insertRowAction", "Inserted an empty row as row 3");
        row("Move Up", "moveUpAction", "Moved 1 row up");
        row("Move to Bottom", "moveToBottomAction", "Moved 1 row to the bottom");
        row("Undo", "moveUpAction undoAction", "Undid Move Up");
        row("Redo", "moveUpAction undoAction redoAction", "Redid Move Up");
        row("Clear Cells", "clearCellsAction", "Last change: Clear Cells");
        row("Delete Row(s)", "deleteRowsAction", "Deleted 1 row; the rest renumbered 1 to 2");
        row("Re-Index", "insertRowAction reIndexAction", "Renumbered 4 rows 1 to 4");
        row("Re-Index, in order", "insertRowAction reIndexAction reIndexAction",
            "Every row already has its number (1 to 4); nothing changed");
    }

    void statusSaysWhatTheLastCommandDid() {
        QFETCH(QStringList, actions);
        QFETCH(QString, status);
        open(3);
        m_edits->channelNumbers = {2};
        trigger("goToChannelAction");  // "Channel 2 is in row 2"
        for (const QString& action : actions) {
            trigger(action);
        }
        QCOMPARE(statusLine(*m_window), status);
    }

    // The Problems panel takes the grid's room: the buttons stay where they are.
    void problemsPanelLeavesTheButtonsInPlace() {
        startWindow();
        QDockWidget& panel = m_window->problemsPanel();
        QPushButton* add = button(QStringLiteral("Add Row"));
        const QPoint before = add->mapTo(m_window.get(), QPoint());
        QVERIFY(panel.isHidden());
        openCsv(QStringLiteral("bad.csv"), Channels(3),
                "4,abc,2400,0,,,,,,1,0,0,0,-100,,,FM,,\r\n");
        QTRY_VERIFY(panel.isVisible());
        QVERIFY(panel.height() > 3 * panel.fontMetrics().height());
        QCOMPARE(add->mapTo(m_window.get(), QPoint()), before);
        m_window->findChild<QAction*>(QStringLiteral("undoAction"))->trigger();
        QTRY_VERIFY(panel.isHidden());
        QCOMPARE(add->mapTo(m_window.get(), QPoint()), before);
    }

    // The first run keeps the designed size; later runs come back as they were left: the
    // window's place and size, the column widths, the frequency unit and the hidden columns,
    // none of them in the two-line settings file.
    void windowRemembersItsLayout() {
        const QString ini = path(QStringLiteral("program/Corvalen.ini"));
        const QByteArray settings = "C:\\WiNRADiO\r\n313\r\n";
        testing::WriteBytes(ini, settings);
        MainWindow& first = startWindow(Channels(2));
        const QSize designed = first.size();
        first.resize(designed + QSize(120, 80));
        first.move(40, 30);
        dragColumnEdge(*first.grid(), Callsign, 211);
        trigger("frequencyKHzAction");
        trigger("column5Action");  // the first reserved column
        trigger("column6Action");
        QCOMPARE(testing::ReadBytes(m_programDir + "/" + GridViewOptions::kHiddenColumnsFile),
                 QByteArray("5\r\n6\r\n"));
        QVERIFY(first.close());
        const QRect left = first.geometry();

        MainWindow& second = startWindow();
        QCOMPARE(second.size(), left.size());
        QCOMPARE(second.geometry().topLeft(), left.topLeft());
        QCOMPARE(int(second.viewOptions().frequencyUnit()), int(FrequencyUnit::kHz));
        QVERIFY(second.findChild<QAction*>("frequencyKHzAction")->isChecked());
        openCsv(QStringLiteral("c.csv"), Channels(2));
        QCOMPARE(second.grid()->horizontalHeader()->sectionSize(Callsign), 211);
        QVERIFY(grid().isColumnHidden(4) && grid().isColumnHidden(5) && !grid().isColumnHidden(6));
        trigger("column5Action");  // shown again
        QVERIFY(!grid().isColumnHidden(4));
        QCOMPARE(testing::ReadBytes(ini), settings);

        // A layout file that holds no geometry is a first run again.
        testing::WriteBytes(path(QStringLiteral("program/Corvalen-window.ini")), "[window]\n");
        QCOMPARE(startWindow().size(), designed);
    }

    void setFieldWorksOnTheRowsTheGridShows_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("expected");  // the column's texts, in table order
        const auto row = [](const char* name, FieldEdit::Kind kind, int column, const char* value,
                            const char* expected) {
            QTest::newRow(name) << int(kind) << column << value << QString(expected).split('/');
        };
        row("set Mode", FieldEdit::Kind::Set, Mode, "AM", "USB/USB/USB/AM/AM");
        row("add group 3", FieldEdit::Kind::AddGroup, Groups, "3", "2/3/1/2+3/3");
        row("remove group 2", FieldEdit::Kind::RemoveGroup, Groups, "2", "2/3/1//3");
    }
    void setFieldWorksOnTheRowsTheGridShows() {
        QFETCH(int, kind);
        QFETCH(int, column);
        QFETCH(QString, value);
        QFETCH(QStringList, expected);
        open(5);
        // Sorted by Frequency from the highest: the two rows at the top are table rows 5 and 4.
        sortBy(Frequency, Qt::DescendingOrder);
        selectGridRows({0, 1});
        const MemoryTable before = table();
        FieldEdit edit{FieldEdit::Kind(kind), column, value.toStdString(), value.toInt()};
        m_edits->fieldEdits.push_back(edit);
        trigger("setFieldAction");
        QCOMPARE(m_edits->fieldEditRows, 2);
        // Rows picked by their headers make Number the current column: the dialog starts on Mode.
        QCOMPARE(m_edits->fieldEditColumn, int(Mode));
        QCOMPARE(ColumnTexts(table(), column), expected);
        QCOMPARE(m_window->document().undoStack().count(), 2);  // the import, then this edit
        checkUndoRedo(before);
        // Otherwise it starts on the current column.
        m_window->grid()->setCurrentIndex(m_window->grid()->model()->index(1, Callsign));
        trigger("setFieldAction");
        QCOMPARE(m_edits->fieldEditColumn, int(Callsign));
    }

    void addRangeAppendsOneUndoStep() {
        open(3);
        const MemoryTable before = table();
        RangeFill fill;
        fill.range = {118000000, 118050000, 25000, 1, {}};
        fill.cells = {{Mode, "AM"}, {Callsign, "TWR"}};
        m_edits->ranges.push_back(fill);
        trigger("addRangeAction");
        QCOMPARE(table().ChannelCount(), 6);
        QCOMPARE(ColumnTexts(table(), Number).mid(3), (QStringList{"4", "5", "6"}));
        QCOMPARE(ColumnTexts(table(), Frequency).mid(3),
                 (QStringList{"118000000", "118025000", "118050000"}));
        QCOMPARE(statusLine(*m_window), QString("Added 3 channels, numbered 4 to 6"));
        QCOMPARE(m_window->document().undoStack().undoText(), QString("Add Channel Range"));
        checkUndoRedo(before);
        // A cancelled dialog changes nothing.
        trigger("addRangeAction");
        QCOMPARE(m_window->document().undoStack().count(), 2);
    }

    void moveRows_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("expected");  // callsigns in table order
        QTest::newRow("up") << "moveUpAction" << QStringList{"C2", "C1", "C4", "C3", "C5"};
        QTest::newRow("down") << "moveDownAction" << QStringList{"C1", "C3", "C2", "C5", "C4"};
        QTest::newRow("to top") << "moveToTopAction" << QStringList{"C2", "C4", "C1", "C3", "C5"};
        QTest::newRow("to bottom")
            << "moveToBottomAction" << QStringList{"C1", "C3", "C5", "C2", "C4"};
    }
    void moveRows() {
        QFETCH(QString, action);
        QFETCH(QStringList, expected);
        open(5);
        selectGridRows({1, 3});  // two separate rows: table rows 2 and 4
        const MemoryTable before = table();
        trigger(action);
        QCOMPARE(ColumnTexts(table(), Callsign), expected);
        // The numbers travel with their rows, and the selection with them.
        QCOMPARE(ColumnTexts(table(), Number)[expected.indexOf("C2")], QString("2"));
        QList<QString> selected;
        for (const QModelIndex& row : m_window->grid()->selectionModel()->selectedRows(Callsign)) {
            selected << row.data().toString();
        }
        std::sort(selected.begin(), selected.end());
        QCOMPARE(selected, (QList<QString>{"C2", "C4"}));
        checkUndoRedo(before);
    }

    void movesAreOffWhileSorted() {
        open(3);
        activate();
        auto* up = m_window->findChild<QAction*>("moveUpAction");
        QVERIFY(up->isEnabled());
        sortBy(Callsign, Qt::AscendingOrder);
        QVERIFY(!up->isEnabled());
        selectGridRows({1});
        const MemoryTable before = table();
        QTest::keyClick(m_window->grid(), Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(table(), before);
        sortBy(-1, Qt::AscendingOrder);
        QVERIFY(up->isEnabled());
        // Ctrl+Up moves the row through the real shortcut.
        selectGridRows({1});
        QTest::keyClick(m_window->grid(), Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(ColumnTexts(table(), Callsign), (QStringList{"C2", "C1", "C3"}));
    }

    void goToChannel() {
        open(4);
        model().setData(model().index(2, Number), "40");
        m_edits->channelNumbers = {40, 77};
        trigger("goToChannelAction");
        QCOMPARE(m_window->grid()->currentIndex(), gridCell(3, 0));
        QCOMPARE(statusLine(*m_window), QString("Channel 40 is in row 3"));
        trigger("goToChannelAction");
        QCOMPARE(statusLine(*m_window), QString("No row holds channel 77"));
        QCOMPARE(m_window->grid()->currentIndex(), gridCell(3, 0));
    }

    // (The Frequency editor: tst_editorview's frequencyEditorWorksInTheViewUnit.)
    void cellEditors_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Groups: tick 5, untick the row's 3") << int(Groups) << "5";
        QTest::newRow("Lockout: scan lockout and squelch") << int(Lockout) << "5";
        QTest::newRow("Hotkey: F7") << int(Hotkey) << "7";
        QTest::newRow("Mode: picked from the list") << int(Mode) << "LSB";
        QTest::newRow("Mode: other text typed") << int(Mode) << "WFM";
    }
    void cellEditors() {
        QFETCH(int, column);
        QFETCH(QString, expected);
        open(2);  // row 2: group 3, Lockout 0, Hotkey 0
        QTableView* grid = m_window->grid();
        const QModelIndex cell = gridCell(2, column);
        grid->setCurrentIndex(cell);
        grid->edit(cell);
        QWidget* editor = nullptr;
        if (auto* flags = grid->viewport()->findChild<FlagsEditor*>()) {
            // Bit n is box n.
            const QList<QCheckBox*> boxes = flags->findChildren<QCheckBox*>();
            QCOMPARE(boxes[2]->isChecked(), column == Groups);  // group 3
            boxes[2]->setChecked(column != Groups);
            boxes[column == Groups ? 4 : 0]->setChecked(true);
            editor = flags;
        } else {
            auto* box = grid->viewport()->findChild<QComboBox*>();
            QVERIFY(box);
            editor = box;
            if (column == Hotkey) {
                box->setCurrentIndex(box->findText("F7"));
            } else if (expected == "WFM") {
                box->setEditText("WFM");
            } else {
                box->setCurrentIndex(box->findText(expected));
            }
        }
        const MemoryTable before = table();
        // Enter commits the editor, as the user would.
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(cellText(2, column), expected);
        checkUndoRedo(before);
    }

    // The grid is painted after the check of a whole-table change, not before it: painted
    // first, it would show the rows' old problems and be painted whole again.
    void gridPaintsTheCheckedProblems() {
        open(3);
        GridPaints paints;
        watchPaints(paints);
        grid().selectAll();
        m_edits->fieldEdits.push_back({FieldEdit::Kind::Set, Bandwidth, "abc", 0});
        trigger("setFieldAction");
        QTRY_VERIFY(paints.problemsAtFirst >= 0);
        QCOMPARE(paints.problemsAtFirst, qsizetype(3));
    }

    // Appending rows to an empty table is a whole-table change: the grid lays its rows out
    // before the window paints, not while it paints, and is painted whole once, in a window wide
    // enough for every column too (where the rows' header and scroll bar narrow the last column).
    void appendedRowsArePaintedOnce() {
        open(0);
        m_window->resize(3000, m_window->height());
        MemoryTable rows = testing::Channels(5000);
        rows.SetCellText(1, Frequency, "abc");  // a problem: the Problems panel shows
        const QString file = writeCsv(QStringLiteral("more.csv"), rows);
        QTest::qWait(50);
        GridPaints paints;
        watchPaints(paints);
        QVERIFY(m_window->fileActions().appendFile(file));
        QTRY_VERIFY(m_window->problemsPanel().isVisible());
        QTest::qWait(100);
        QCOMPARE(paints.whole, 1);
    }

    void rangeDialogCountsAndRefuses_data() {
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("last");  // the last row's Number; 0: as the table has it
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("preview");
        QTest::addColumn<bool>("ok");
        // The dialog takes the range when its preview says what it adds.
        const auto row = [](const char* name, int channels, int last, const char* step,
                            const QString& preview) {
            QTest::newRow(name) << channels << last << step << preview
                                << preview.startsWith("Adds");
        };
        row("airband", 2, 0, "25", "Adds 760 channels, numbered 3 to 762; 762 rows in all.");
        // Numbers go on after the highest Number, not after the count of rows (the tables of
        // numbers: tst_editing's rangeNumbersAfterTheHighest).
        row("after a gap", 2, 40, "25", "Adds 760 channels, numbered 41 to 800; 762 rows in all.");
        row("step not whole Hz", 2, 0, "8.3333", "Step \"8.3333\" is not a whole number of Hz");
    }
    void rangeDialogCountsAndRefuses() {
        QFETCH(int, channels);
        QFETCH(int, last);
        QFETCH(QString, step);
        QFETCH(QString, preview);
        QFETCH(bool, ok);
        MemoryTable table = testing::Channels(channels);
        if (last != 0) {
            table.SetCellText(channels, Number, std::to_string(last));
        }
        ChannelRangeDialog dialog(table);
        const auto field = [&](const char* name) { return dialog.findChild<QLineEdit*>(name); };
        field("start")->setText("118");
        field("stop")->setText("136.975 MHz");
        field("step")->setText(step);
        QCOMPARE(dialog.findChild<QLabel*>("preview")->text(), preview);
        QCOMPARE(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled(),
                 ok);
        QCOMPARE(dialog.fill().has_value(), ok);
        if (ok) {
            dialog.findChild<QComboBox*>("mode")->setEditText("FM");
            QVERIFY(field("bandwidth")->placeholderText().contains("15000"));
            QCOMPARE(dialog.fill()->range.stepHz, std::uint64_t(25000));
        }
    }

    void setFieldDialogOffersGroupsOnlyForGroups() {
        const MemoryTable table = testing::Channels(1);
        SetFieldDialog dialog(table, Mode, 3);
        QVERIFY(!dialog.actionField()->isEnabled());
        dialog.valueField()->setText("CW");
        QCOMPARE(dialog.edit().column, int(Mode));
        QCOMPARE(dialog.edit().value, std::string("CW"));
        dialog.columnField()->setCurrentIndex(Groups);
        QVERIFY(dialog.actionField()->isEnabled());
        dialog.actionField()->setCurrentIndex(2);
        dialog.groupField()->setValue(9);
        QCOMPARE(int(dialog.edit().kind), int(FieldEdit::Kind::RemoveGroup));
        QCOMPARE(dialog.edit().group, 9);
        QVERIFY(!dialog.valueField()->isEnabled());
    }
};

QTEST_MAIN(TestEditorView)
#include "tst_editorview.moc"

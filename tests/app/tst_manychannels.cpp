// Editing many channels through the real window: bulk edit, channel ranges, moving rows, going
// to a channel, the cell editors, the frequency unit, the column choice and the Problems panel.

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QSpinBox>
#include <QTableView>

#include "EditorTest.h"
#include "ScriptedEditDialogs.h"
#include "app/CellEditorDelegate.h"
#include "app/ChannelActions.h"
#include "app/ChannelRangeDialog.h"
#include "app/ChannelViewModel.h"
#include "app/GridViewOptions.h"
#include "app/ProblemIndex.h"
#include "app/ProblemsPanel.h"
#include "app/SetFieldDialog.h"
#include "table/Columns.h"

using namespace corvalen;
using testing::ColumnTexts;

class TestManyChannels : public EditorTest {
    Q_OBJECT

private:
    std::unique_ptr<ScriptedEditDialogs> m_edits;

    MainWindow& open(int channels) {
        startWindow(testing::Channels(channels));
        m_edits = std::make_unique<ScriptedEditDialogs>();
        m_window->channelActions().setDialogs(m_edits.get());
        return *m_window;
    }

    void sortBy(int column, Qt::SortOrder order) {
        m_window->grid()->horizontalHeader()->setSortIndicator(column, order);
    }

    // Undo gives back exactly the table from before, redo the one after.
    void checkUndoRedo(const MemoryTable& before) {
        const MemoryTable after = table();
        m_window->document().undoStack().undo();
        QCOMPARE(table(), before);
        m_window->document().undoStack().redo();
        QCOMPARE(table(), after);
    }

private slots:
    void init() { setUpEditor(); }
    void cleanup() { m_window.reset(); }

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
        QCOMPARE(ColumnTexts(table(), column), expected);
        QCOMPARE(m_window->document().undoStack().count(), 2);  // the import, then this edit
        checkUndoRedo(before);
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
        QCOMPARE(ColumnTexts(table(), Bandwidth).mid(3), (QStringList{"6000", "6000", "6000"}));
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
        trigger(action.toLatin1().constData());
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
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
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
                QCOMPARE(box->currentText(), QString("none"));
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

    void hiddenColumnsAreRemembered() {
        open(1);
        const QByteArray settings = "C:\\WiNRADiO\r\n313\r\n";
        testing::WriteBytes(m_programDir + "/Corvalen.ini", settings);
        trigger("column5Action");  // the first reserved column
        trigger("column6Action");
        QVERIFY(m_window->grid()->isColumnHidden(4));
        QVERIFY(m_window->grid()->isColumnHidden(5));
        QVERIFY(!m_window->grid()->isColumnHidden(6));
        QCOMPARE(testing::ReadBytes(m_programDir + "/" + GridViewOptions::kHiddenColumnsFile),
                 QByteArray("5\r\n6\r\n"));
        QCOMPARE(testing::ReadBytes(m_programDir + "/Corvalen.ini"), settings);
        // The next run starts with them hidden, and they can be shown again.
        open(1);
        QVERIFY(m_window->grid()->isColumnHidden(4));
        trigger("column5Action");
        QVERIFY(!m_window->grid()->isColumnHidden(4));
    }

    // The grid is painted after the check of a whole-table change, not before it: painted
    // first, it would show the rows' old problems and be painted whole again.
    void gridPaintsTheCheckedProblems() {
        open(3);
        QTRY_COMPARE(m_window->problems().count(), qsizetype(0));
        QTableView* grid = m_window->grid();
        QTRY_VERIFY(grid->viewport()->isVisible());
        struct FirstPaint : QObject {
            const ProblemIndex* problems = nullptr;
            qsizetype seen = -1;
            bool eventFilter(QObject*, QEvent* event) override {
                if (event->type() == QEvent::Paint && seen < 0) {
                    seen = problems->count();
                }
                return false;
            }
        } firstPaint;
        firstPaint.problems = &m_window->problems();
        grid->viewport()->installEventFilter(&firstPaint);
        grid->selectAll();
        m_edits->fieldEdits.push_back({FieldEdit::Kind::Set, Bandwidth, "abc", 0});
        trigger("setFieldAction");
        QTRY_VERIFY(firstPaint.seen >= 0);
        QCOMPARE(firstPaint.seen, qsizetype(3));
    }

    // Appending rows to an empty table is a whole-table change: the grid lays its rows out
    // before the window paints, not while it paints, and is painted whole once. Laid out during
    // the paint, it was painted whole a second time; and in a window wide enough for every
    // column, the row numbers' header and the scroll bar that the rows brought narrowed the
    // stretched last column after the paint, which had it painted whole again.
    void appendedRowsArePaintedOnce() {
        open(0);
        m_window->resize(3000, m_window->height());
        QTRY_COMPARE(m_window->problems().count(), qsizetype(0));
        QTableView* grid = m_window->grid();
        QTRY_VERIFY(grid->viewport()->isVisible());
        MemoryTable rows = testing::Channels(5000);
        rows.SetCellText(1, Frequency, "abc");  // a problem: the Problems panel shows
        const QString file = writeCsv(QStringLiteral("more.csv"), rows);
        QTest::qWait(50);
        struct WholePaints : QObject {
            QWidget* viewport = nullptr;
            int count = 0;
            bool eventFilter(QObject*, QEvent* event) override {
                if (event->type() == QEvent::Paint &&
                    static_cast<QPaintEvent*>(event)->rect() == viewport->rect()) {
                    ++count;
                }
                return false;
            }
        } paints;
        paints.viewport = grid->viewport();
        grid->viewport()->installEventFilter(&paints);
        QVERIFY(m_window->fileActions().appendFile(file));
        QTRY_VERIFY(m_window->problemsPanel().isVisible());
        QTest::qWait(100);
        QCOMPARE(paints.count, 1);
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
        row("too many rows", 65000, 0, "25",
            "The range makes 760 channels; with the 65000 rows already in the table that is more "
            "than 65535 rows; 535 more fit");
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

QTEST_MAIN(TestManyChannels)
#include "tst_manychannels.moc"

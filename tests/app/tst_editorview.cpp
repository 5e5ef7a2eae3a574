#include <QComboBox>
#include <QDockWidget>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>

#include "EditorTest.h"
#include "ScriptedEditDialogs.h"
#include "app/CellEditorDelegate.h"
#include "app/ChannelActions.h"
#include "app/GridViewOptions.h"
#include "app/ProblemsPanel.h"
#include "app/SetFieldDialog.h"
#include "table/Columns.h"

using namespace corvalen;
using testing::Channels;

// What the user sees while editing: the Frequency editor in the unit of the view, the row a
// command leaves selected, the status line after each command, the texts that follow the
// receiver model, and a window that keeps its place, its size and its buttons.
class TestEditorView : public EditorTest {
    Q_OBJECT

private:
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
        row("German, point typed", "MHz", de, hz, "7,005000", "7,005 MHz", "146.52", "146520000");
        row("German kHz view, comma", "KHz", de, hz, "7005,000", "7005 kHz", "7200,5", "7200500");
        row("German, not whole Hz", "MHz", de, hz, "7,005000", "7,005 MHz", "7,1000005", "",
            "7,1000005 is not a whole number of Hz");
        row("fraction of a Hz in the Hz view", "Hz", en, hz, hz, hz, "7.2", "",
            "7.2 is not a whole number of Hz");
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
        trigger(unitAction.toLatin1().constData());
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
            QVERIFY2(statusLine(*m_window).startsWith(status), qPrintable(statusLine(*m_window)));
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
        row("German, no unit in the kHz view", de, "KHz", "7200,5", "7200500");
        row("English, comma is no point", en, "MHz", "7,2", "", "\"7,2\" is not a frequency");
        row("not a frequency", de, "Hz", "seven", "",
            "\"seven\" is not a frequency: type a number, in Hz");
        row("German, not whole Hz", de, "Hz", "7,5", "", "7,5 is not a whole number of Hz");
    }

    void setFieldConvertsFrequencies() {
        QFETCH(QLocale, locale);
        QFETCH(QString, unit);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(QString, status);
        QLocale::setDefault(locale);
        auto edits = std::make_unique<ScriptedEditDialogs>();
        startWindow(Channels(3));
        m_window->channelActions().setDialogs(edits.get());
        trigger(("frequency" + unit + "Action").toLatin1().constData());

        // The dialog itself; another column takes any text.
        SetFieldDialog dialog(table(), Frequency, 2, nullptr,
                              m_window->viewOptions().frequencyUnit());
        dialog.valueField()->setText(typed);
        dialog.accept();
        QCOMPARE(dialog.result(), int(stored.isEmpty() ? QDialog::Rejected : QDialog::Accepted));
        QCOMPARE(dialog.refusalLabel()->isHidden(), !stored.isEmpty());
        if (stored.isEmpty()) {
            QVERIFY2(dialog.refusalLabel()->text().startsWith(status),
                     qPrintable(dialog.refusalLabel()->text()));
            dialog.columnField()->setCurrentIndex(Callsign);
            dialog.accept();
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }

        selectGridRows({0, 1});
        edits->fieldEdits.push_back({FieldEdit::Kind::Set, Frequency, typed.toStdString(), 0});
        trigger("setFieldAction");
        QCOMPARE(edits->fieldEditRows, 2);
        const QString kept = cellText(3, Frequency);
        if (stored.isEmpty()) {
            QVERIFY2(statusLine(*m_window).startsWith(status), qPrintable(statusLine(*m_window)));
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

    void newRowAloneSelected_data() {
        QTest::addColumn<QKeySequence>("keys");
        QTest::newRow("Add Row") << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A);
        QTest::newRow("Insert Row") << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I);
    }

    void newRowAloneSelected() {
        QFETCH(QKeySequence, keys);
        startWindow(Channels(5));
        QApplication::setActiveWindow(m_window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        grid().selectRow(2);
        grid().setFocus();
        QTest::keySequence(&grid(), keys);
        QCOMPARE(table().ChannelCount(), 6);
        QCOMPARE(grid().selectionModel()->selectedRows().size(), 1);
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
    }

    void statusSaysWhatTheLastCommandDid() {
        QFETCH(QStringList, actions);
        QFETCH(QString, status);
        auto edits = std::make_unique<ScriptedEditDialogs>();
        startWindow(Channels(3));
        m_window->channelActions().setDialogs(edits.get());
        edits->channelNumbers = {2};
        trigger("goToChannelAction");  // "Channel 2 is in row 2"
        for (const QString& action : actions) {
            trigger(action.toLatin1().constData());
        }
        QCOMPARE(statusLine(*m_window), status);
    }

    // Rows picked by their headers make Number the current column; the dialog starts on Mode.
    void setFieldStartsOnASensibleColumn() {
        auto edits = std::make_unique<ScriptedEditDialogs>();
        startWindow(Channels(3));
        m_window->channelActions().setDialogs(edits.get());
        grid().selectRow(1);
        trigger("setFieldAction");
        QCOMPARE(edits->fieldEditColumn, int(Mode));
        grid().setCurrentIndex(grid().model()->index(1, Callsign));
        trigger("setFieldAction");
        QCOMPARE(edits->fieldEditColumn, int(Callsign));
    }

    void savesAddTheFiltersExtension_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        const auto row = [](const char* name, const char* model, const char* action,
                            const char* typed, const char* written) {
            QTest::newRow(name) << model << action << typed << written;
        };
        // Every save of the 313's formats: tst_savenames.
        row("315 memory file", "315", "saveMemoryFileAction", "list", "list.15m");
        row("pdf", "313", "exportPdfAction", "list", "list.pdf");
    }

    void savesAddTheFiltersExtension() {
        QFETCH(QString, model);
        QFETCH(QString, action);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        startWindow(Channels(2));
        m_window->document().setModelName(model);
        m_dialogs->answers = {path(typed)};
        trigger(action.toLatin1().constData());
        QVERIFY2(QFile::exists(path(written)), qPrintable(statusLine(*m_window)));
        QCOMPARE(QDir(m_dir->path()).entryList({QStringLiteral("list*")}, QDir::Files),
                 QStringList{written});
    }

    void textsFollowTheReceiverModel() {
        startWindow(Channels(1));
        // The first-run message is one paragraph, broken only where the box is too narrow.
        QCOMPARE(m_boxes->shown.first().kind, QStringLiteral("information"));
        QVERIFY(!m_boxes->shown.first().text.contains(QLatin1Char('\n')));
        const QString program = path(QStringLiteral("WR315/WR-G315.exe"));
        QVERIFY(QDir().mkpath(path(QStringLiteral("WR315"))));
        testing::WriteBytes(program, "MZ");
        m_dialogs->answers = {program};
        trigger("winradioFolderAction");
        QVERIFY(button(QStringLiteral("Save .15m file")) != nullptr);
        QCOMPARE(m_window->findChild<QAction*>(QStringLiteral("openMemoryFileAction"))->text(),
                 QStringLiteral("Open .15m file\u2026"));
        trigger("addRowAction");
        QVERIFY(!m_window->fileActions().settleUnsavedChanges());  // cancelled
        QVERIFY(m_boxes->shown.last().text.contains(QStringLiteral("a .csv or .15m file")));
        QVERIFY(m_boxes->shown.last().text.endsWith(QStringLiteral("|.15m")));
    }

    void headingsNameEveryColumn() {
        startWindow();
        QAbstractItemModel& view = *grid().model();
        QCOMPARE(view.columnCount(), kStartupColumnCount);
        for (int column = 0; column < view.columnCount(); ++column) {
            QVERIFY(!view.headerData(column, Qt::Horizontal).toString().isEmpty());
        }
        m_window->fileActions().openChannelFile(writeCsv(QStringLiteral("c.csv"), Channels(1)));
        waitForFiles();
        QCOMPARE(view.headerData(SecondarySquelchType, Qt::Horizontal).toString(), "x");
        QCOMPARE(view.headerData(SecondarySquelchType, Qt::Horizontal, Qt::ToolTipRole).toString(),
                 "CSV header: Secondary squelch type");
        QMenu* columns = m_window->findChild<QMenu*>(QStringLiteral("columnsMenu"));
        QCOMPARE(columns->actions().value(SecondarySquelchType)->text(),
                 "x (Secondary squelch type)");
        QCOMPARE(columns->actions().value(Reserved5)->text(), "x (reserved, column 6)");
    }

    // The Problems panel takes the grid's room: the buttons stay where they are.
    void problemsPanelLeavesTheButtonsInPlace() {
        startWindow();
        QDockWidget& panel = m_window->problemsPanel();
        QPushButton* add = button(QStringLiteral("Add Row"));
        const QPoint before = add->mapTo(m_window.get(), QPoint());
        QVERIFY(panel.isHidden());
        m_window->fileActions().openChannelFile(writeCsv(
            QStringLiteral("bad.csv"), Channels(3), "4,abc,2400,0,,,,,,1,0,0,0,-100,,,FM,,\r\n"));
        waitForFiles();
        QTRY_VERIFY(panel.isVisible());
        QVERIFY(panel.height() > 3 * panel.fontMetrics().height());
        QCOMPARE(add->mapTo(m_window.get(), QPoint()), before);
        m_window->findChild<QAction*>(QStringLiteral("undoAction"))->trigger();
        QTRY_VERIFY(panel.isHidden());
        QCOMPARE(add->mapTo(m_window.get(), QPoint()), before);
    }

    // Tab goes through the buttons left to right, as they stand.
    void tabFollowsTheButtons() {
        startWindow();
        QStringList order;
        QWidget* widget = button(QStringLiteral("Open Winradio .csv file"));
        for (int i = 0; i < 8 && widget != nullptr; ++i) {
            order << widget->objectName();
            widget = widget->nextInFocusChain();
            while (widget != nullptr && widget->focusPolicy() == Qt::NoFocus) {
                widget = widget->nextInFocusChain();
            }
        }
        QCOMPARE(order, (QStringList{"openCsvButton", "addRowButton", "insertRowButton",
                                     "deleteRowsButton", "reIndexButton", "saveCsvButton",
                                     "saveMemoryFileButton", "exitButton"}));
    }

    // The first run keeps the designed size; later runs come back as they were left.
    void windowRemembersItsLayout() {
        MainWindow& first = startWindow(Channels(2));
        const QSize designed = first.size();
        first.resize(designed + QSize(120, 80));
        first.move(40, 30);
        dragColumnEdge(*first.grid(), Callsign, 211);
        QVERIFY(first.close());
        const QRect left = first.geometry();

        MainWindow& second = startWindow();
        QCOMPARE(second.size(), left.size());
        QCOMPARE(second.geometry().topLeft(), left.topLeft());
        second.fileActions().openChannelFile(writeCsv(QStringLiteral("c.csv"), Channels(2)));
        QTRY_VERIFY(!second.fileActions().busy());
        QCOMPARE(second.grid()->horizontalHeader()->sectionSize(Callsign), 211);

        // A layout file that holds no geometry is a first run again.
        testing::WriteBytes(path(QStringLiteral("program/Corvalen-window.ini")), "[window]\n");
        QCOMPARE(startWindow().size(), designed);
    }
};

QTEST_MAIN(TestEditorView)
#include "tst_editorview.moc"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleInterface>
#include <QScrollBar>

#include "EditorTest.h"
#include "app/CellEditorDelegate.h"
#include "app/ChannelRangeDialog.h"
#include "app/GridViewOptions.h"
#include "app/ProblemsPanel.h"
#include "app/SetFieldDialog.h"
#include "files/ChannelFiles.h"

using namespace corvalen;
using testing::Channels;

// What a newcomer meets in the first minutes: typing into cells, the lists of the Mode and
// Hotkey cells, texts that fit their columns, and a view that stays with the file and the row
// the user is at. And the window as a screen reader (Orca, through Qt's accessibility
// interfaces) and a keyboard reach it: every control and cell has a name, and every command has
// a way from the keyboard.
class TestFirstLook : public EditorTest {
    Q_OBJECT

private:
    // A table of VHF channels whose frequencies need every digit in MHz.
    static MemoryTable VhfChannels() {
        MemoryTable table = Channels(3);
        const char* frequencies[] = {"146700000", "146520005", "1296123456"};
        for (int row = 1; row <= 3; ++row) {
            table.SetCellText(row, Frequency, frequencies[row - 1]);
            table.SetCellText(row, Callsign, "Voice repeater " + std::to_string(row));
        }
        return table;
    }

    // What a failed check of a width says.
    static QByteArray Needs(const QString& text, int needed, int has) {
        return QStringLiteral("\"%1\" needs %2, has %3").arg(text).arg(needed).arg(has).toUtf8();
    }

    // The width a cell's text takes in the grid, with the room a cell keeps around it.
    int neededWidth(const QModelIndex& index) const {
        auto& delegate = m_window->viewOptions().delegate();
        const QString text = delegate.shownText(index);
        const int margin =
            2 * (grid().style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid()) + 1);
        return QFontMetrics(grid().font()).horizontalAdvance(text) + margin;
    }

    // The roles of the things a user acts on or reads, which must be named.
    static bool MustBeNamed(QAccessible::Role role) {
        using A = QAccessible;
        static const QSet<QAccessible::Role> named{
            A::PushButton,   A::CheckBox, A::RadioButton, A::ComboBox,       A::EditableText,
            A::SpinBox,      A::MenuItem, A::ButtonMenu,  A::ButtonDropDown, A::Cell,
            A::ColumnHeader, A::List,     A::ListItem,    A::Table,          A::Tree,
            A::TreeItem,     A::PageTab,  A::Slider,      A::ToolBar,        A::Window,
            A::Dialog};
        return named.contains(role);
    }

    // Every shown element without a name under `node`, as "role at path".
    static void unnamed(QAccessibleInterface* node, const QString& path, QStringList& found,
                        int depth = 0) {
        if (node == nullptr || !node->isValid() || depth > 40 || node->state().invisible) {
            return;
        }
        const QAccessible::Role role = node->role();
        const QString here = path + QLatin1Char('/') + QString::number(int(role), 16);
        if (MustBeNamed(role) && node->text(QAccessible::Name).trimmed().isEmpty()) {
            QString what = QStringLiteral("role 0x%1 at %2").arg(int(role), 0, 16).arg(here);
            if (QObject* object = node->object()) {
                what += QStringLiteral(" (%1 \"%2\")")
                            .arg(QString::fromLatin1(object->metaObject()->className()),
                                 object->objectName());
            }
            found << what;
        }
        for (int i = 0; i < node->childCount(); ++i) {
            unnamed(node->child(i), here, found, depth + 1);
        }
    }

    static QStringList unnamedIn(QObject* root) {
        QStringList found;
        unnamed(QAccessible::queryAccessibleInterface(root), QString(), found);
        return found;
    }

private slots:
    void init() { setUpEditor(); }
    void cleanup() {
        m_window.reset();
        InstallLanguage({QLocale::English, QLocale::UnitedStates});
    }

    // A typed character starts a new value in every cell; F2 keeps the text to edit it.
    void typingReplacesTheCell_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");  // empty: F2, End, then "X"
        QTest::addColumn<QString>("stored");
        const auto row = [](const char* name, int column, const char* typed, const char* stored) {
            QTest::newRow(name) << column << QString(typed) << QString(stored);
        };
        row("Mode", Mode, "AM", "AM");
        row("Callsign", Callsign, "WWV", "WWV");
        row("Frequency", Frequency, "7200000", "7200000");
        row("F2 on Mode", Mode, "", "USBX");
        row("F2 on Callsign", Callsign, "", "C1X");
    }
    void typingReplacesTheCell() {
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        startWindow(Channels(2));
        activate();
        grid().setFocus();
        grid().setCurrentIndex(grid().model()->index(0, column));
        if (typed.isEmpty()) {
            QTest::keyClick(&grid(), Qt::Key_F2);
        } else {
            QTest::keyClick(&grid(), typed.at(0).toLatin1());
        }
        QWidget* editor = QApplication::focusWidget();
        QVERIFY(editor != nullptr && editor != &grid());
        if (typed.isEmpty()) {
            QTest::keyClick(editor, Qt::Key_End);
            QTest::keyClick(editor, 'X', Qt::ShiftModifier);
        }
        QTest::keyClicks(editor, typed.mid(1));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(cellText(1, column), stored);
    }

    // The Mode and Hotkey lists show every entry whole, the cell's value selected.
    void listsShowTheirEntriesWhole_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("current");
        QTest::newRow("Mode") << int(Mode) << "USB";
        QTest::newRow("Hotkey") << int(Hotkey) << "none";
    }
    void listsShowTheirEntriesWhole() {
        QFETCH(int, column);
        QFETCH(QString, current);
        startWindow(Channels(2));
        activate();
        const QModelIndex index = grid().model()->index(0, column);
        grid().setCurrentIndex(index);
        grid().edit(index);
        QComboBox* box = grid().viewport()->findChild<QComboBox*>();
        QVERIFY(box != nullptr);
        QCOMPARE(box->currentText(), current);
        QVERIFY(box->isVisible());
        // The box shows its value whole: as wide as the widest entry needs.
        int widest = 0;
        for (int i = 0; i < box->count(); ++i) {
            widest = std::max(widest, box->fontMetrics().horizontalAdvance(box->itemText(i)));
        }
        QVERIFY2(box->width() >= widest + 20,
                 qPrintable(QStringLiteral("%1 for %2").arg(box->width()).arg(widest)));
        box->showPopup();
        QAbstractItemView* list = box->view();
        QTRY_VERIFY(list->isVisible());
        QCOMPARE(list->currentIndex().data().toString(), current);
        QVERIFY2(
            list->viewport()->width() >= widest,
            qPrintable(QStringLiteral("%1 for %2").arg(list->viewport()->width()).arg(widest)));
        box->hidePopup();
    }

    // In each unit, every frequency shows all its digits, and callsigns show whole.
    void columnsFitTheirTextInEachUnit_data() {
        QTest::addColumn<QString>("unitAction");
        QTest::addColumn<bool>("unitFirst");   // chosen before the file is opened
        QTest::addColumn<bool>("shortFirst");  // a file of short texts was open before
        QTest::newRow("MHz after opening") << "frequencyMHzAction" << false << false;
        QTest::newRow("MHz, short texts before") << "frequencyMHzAction" << true << true;
        QTest::newRow("kHz after opening") << "frequencyKHzAction" << false << false;
        QTest::newRow("Hz") << "frequencyHzAction" << false << false;
        QTest::newRow("Hz, short texts before") << "frequencyHzAction" << true << true;
    }
    void columnsFitTheirTextInEachUnit() {
        QFETCH(QString, unitAction);
        QFETCH(bool, unitFirst);
        QFETCH(bool, shortFirst);
        startWindow();
        if (shortFirst) {
            // Frequencies one digit shorter, which the unit's change widens the column for.
            MemoryTable shorter = Channels(2);
            shorter.SetCellText(1, Frequency, "999999999");
            shorter.SetCellText(2, Callsign, "Voice");
            openCsv(QStringLiteral("hf.csv"), shorter);
        }
        if (unitFirst) {
            trigger(unitAction);
        }
        openCsv(QStringLiteral("vhf.csv"), VhfChannels());
        if (!unitFirst) {
            trigger(unitAction);
        }
        for (int row = 0; row < 3; ++row) {
            for (const int column : {int(Frequency), int(Callsign)}) {
                const QModelIndex index = grid().model()->index(row, column);
                const QString text = m_window->viewOptions().delegate().shownText(index);
                QVERIFY2(grid().columnWidth(column) >= neededWidth(index),
                         Needs(text, neededWidth(index), grid().columnWidth(column)).constData());
            }
        }
    }

    // A sorted column keeps its heading whole beside the sort arrow.
    void sortArrowLeavesTheHeadingWhole() {
        startWindow(Channels(3));
        QHeaderView* header = grid().horizontalHeader();
        for (const int column : {int(Frequency), int(Number), int(Mode)}) {
            header->setSortIndicator(column, Qt::AscendingOrder);
            const QString heading = grid().model()->headerData(column, Qt::Horizontal).toString();
            const int margin =
                header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
            const int arrow =
                header->style()->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, header);
            const int needed =
                QFontMetrics(header->font()).horizontalAdvance(heading) + 3 * margin + arrow;
            QVERIFY2(header->sectionSize(column) >= needed,
                     Needs(heading, needed, header->sectionSize(column)).constData());
        }
    }

    // With fresh settings the window opens wide enough for every column of the sample file, and
    // stays on the screen; the dialogs show their texts whole. In English and in German.
    void firstWindowFitsItsColumns_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany);
    }
    void firstWindowFitsItsColumns() {
        QFETCH(QLocale, locale);
        InstallLanguage(locale);
        MainWindow& window = startWindow();
        QVERIFY(window.fileActions().openFile(
            QStringLiteral(CORVALEN_TEST_DATA_DIR "/../../docs/sample.csv")));
        waitForFiles();
        QCOMPARE(window.document().table().table().ColCount(), kImportedColumnCount);
        QApplication::processEvents();
        const QRect room = window.screen()->availableGeometry();
        QVERIFY2(room.contains(window.frameGeometry()),
                 qPrintable(QStringLiteral("window %1 wide on a screen %2 wide")
                                .arg(window.frameGeometry().width())
                                .arg(room.width())));
        if (room.width() >= 1600) {
            QTRY_COMPARE(grid().horizontalScrollBar()->maximum(), 0);
        }
        // The user's size is the user's: opening another file does not change it.
        window.resize(window.size() - QSize(200, 0));
        const QSize chosen = window.size();
        QVERIFY(window.fileActions().openFile(
            QStringLiteral(CORVALEN_TEST_DATA_DIR "/../../docs/sample.csv")));
        waitForFiles();
        QCOMPARE(window.size(), chosen);

        // The dialogs' titles are not cut, nor the hints in Add Channel Range's empty fields.
        const MemoryTable channels = Channels(3);
        SetFieldDialog setField(channels, Mode, 2);
        ChannelRangeDialog range(channels);
        for (QDialog* dialog : std::initializer_list<QDialog*>{&setField, &range}) {
            dialog->show();
            QApplication::processEvents();
            // A title bar's text beside its buttons (close, maximise, minimise and the icon).
            const int needed = QFontMetrics(QApplication::font("QMdiSubWindowTitleBar"))
                                   .horizontalAdvance(dialog->windowTitle()) +
                               4 * dialog->style()->pixelMetric(QStyle::PM_TitleBarHeight);
            QVERIFY2(dialog->width() >= needed,
                     Needs(dialog->windowTitle(), needed, dialog->width()).constData());
        }
        // The Mode box keeps its arrow beside its text field.
        auto* mode = range.findChild<QComboBox*>(QStringLiteral("mode"));
        QVERIFY(mode->lineEdit()->geometry().right() < mode->width() - 10);
        for (const QLineEdit* edit : range.findChildren<QLineEdit*>()) {
            const int hint = edit->fontMetrics().horizontalAdvance(edit->placeholderText());
            // The room the text has inside the field's frame and margins.
            QStyleOptionFrame frame;
            frame.initFrom(edit);
            const QRect room =
                edit->style()->subElementRect(QStyle::SE_LineEditContents, &frame, edit) -
                edit->textMargins();
            QVERIFY2(room.width() >= hint,
                     Needs(edit->placeholderText(), hint, room.width()).constData());
        }
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

    // Closing Find leaves the view on the row found; a file opened shows its first row, wherever
    // the previous one was scrolled to.
    void viewStaysWithTheRowAndTheFile() {
        MainWindow& window = startWindow(Channels(600));
        grid().resize(grid().width(), 300);
        window.findBar().findRows(QStringLiteral("C590"));
        QCOMPARE(grid().model()->rowCount(), 1);
        grid().setCurrentIndex(grid().model()->index(0, Callsign));
        window.findBar().close();
        QCOMPARE(grid().model()->rowCount(), 600);
        QCOMPARE(grid().currentIndex().row(), 589);
        QApplication::processEvents();
        const QRect shown = grid().visualRect(grid().currentIndex());
        QVERIFY2(grid().viewport()->rect().intersects(shown),
                 qPrintable(QStringLiteral("row at %1").arg(shown.top())));

        grid().horizontalScrollBar()->setValue(grid().horizontalScrollBar()->maximum());
        QVERIFY(grid().verticalScrollBar()->value() > 0);
        openCsv(QStringLiteral("b.csv"), Channels(300));
        QCOMPARE(grid().verticalScrollBar()->value(), 0);
        QCOMPARE(grid().horizontalScrollBar()->value(), 0);
    }

    // Every control and cell of the window has a name, with the file open, a problem listed
    // and the find bar shown; a cell is named by what the grid shows in it, an empty one says so.
    void everyControlHasAName() {
        MemoryTable channels = testing::Channels(3);
        channels.SetCellText(2, Groups, "2+17");  // listed in the Problems panel
        channels.SetCellText(3, Comments, "");    // an empty cell has a name too
        MainWindow& window = startWindow(channels);
        window.findBar().open();
        QTRY_VERIFY(window.problemsPanel().isVisible());
        const QStringList found = unnamedIn(&window);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
        trigger("frequencyMHzAction");
        QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(window.grid());
        QVERIFY(grid != nullptr && grid->tableInterface() != nullptr);
        const auto name = [&](int row, int column) {
            QAccessibleInterface* cell = grid->tableInterface()->cellAt(row, column);
            return cell != nullptr ? cell->text(QAccessible::Name) : QStringLiteral("(none)");
        };
        QCOMPARE(name(0, Callsign), QStringLiteral("C1"));
        QCOMPARE(name(0, Frequency), QStringLiteral("7.005000"));
        QCOMPARE(name(2, Comments), QStringLiteral("empty"));
    }

    // Each dialog's controls are named too.
    void everyDialogControlHasAName_data() {
        QTest::addColumn<QString>("action");
        QTest::newRow("Add Channel Range") << "addRangeAction";
        QTest::newRow("Set Field") << "setFieldAction";
        QTest::newRow("Go to Channel") << "goToChannelAction";
    }
    void everyDialogControlHasAName() {
        QFETCH(QString, action);
        MainWindow& window = startWindow(testing::Channels(3));
        window.grid()->selectRow(0);
        QStringList found;
        QVERIFY(WithModal([&] { trigger(action); },
                          [&](QWidget* dialog) {
                              found = unnamedIn(dialog);
                              QMetaObject::invokeMethod(dialog, "reject");
                          }));
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
    }

    // Every command of the window is in a menu that opens with Alt and a letter (its entries
    // are then reached with the arrow keys), the buttons' commands included, and no two share a
    // shortcut; the row commands are in the Edit menu, their shortcuts shown in their tooltips
    // and on the buttons. Tab goes through the buttons of the bar below the grid left to right,
    // and to the Problems list.
    void everyCommandIsReachedByKeyboard() {
        MemoryTable channels = testing::Channels(2);
        channels.SetCellText(2, Groups, "2+17");
        MainWindow& window = startWindow(channels);
        QTRY_VERIFY(window.problemsPanel().isVisible());
        QStringList problems;
        QSet<QAction*> inMenus;
        QSet<QString> menuTexts;
        std::function<void(QMenu*)> walk = [&](QMenu* menu) {
            for (QAction* action : menu->actions()) {
                inMenus.insert(action);
                menuTexts.insert(QString(action->text()).remove(QLatin1Char('&')));
                if (action->menu() != nullptr) {
                    walk(action->menu());
                }
            }
        };
        QSet<QChar> letters;
        for (QAction* title : window.menuBar()->actions()) {
            const QString text = title->text();
            const qsizetype mark = text.indexOf(QLatin1Char('&'));
            if (mark < 0 || mark + 1 >= text.size() || letters.contains(text[mark + 1].toLower())) {
                problems << text + " opens with no letter of its own";
            } else {
                letters.insert(text[mark + 1].toLower());
            }
            if (title->menu() != nullptr) {
                walk(title->menu());
            }
        }
        QHash<QKeySequence, QString> keys;
        for (QAction* action : window.findChildren<QAction*>()) {
            if (action->objectName().endsWith(QStringLiteral("Action")) &&
                !inMenus.contains(action)) {
                problems << action->objectName() + " is in no menu";
            }
            for (const QKeySequence& key : action->shortcuts()) {
                if (keys.contains(key)) {
                    problems << key.toString() + " is " + keys[key] + " and " +
                                    action->objectName();
                }
                keys.insert(key, action->objectName());
            }
        }
        auto* edit = window.findChild<QMenu*>(QStringLiteral("editMenu"));
        QVERIFY(edit->toolTipsVisible());
        for (const char* name :
             {"addRowAction", "insertRowAction", "deleteRowsAction", "reIndexAction"}) {
            auto* action = window.findChild<QAction*>(QString::fromLatin1(name));
            const QString shortcut = action->shortcut().toString(QKeySequence::NativeText);
            if (!edit->actions().contains(action) || shortcut.isEmpty() ||
                !action->toolTip().contains(shortcut) ||
                button(action->text())->toolTip() != action->toolTip()) {
                problems << QString::fromLatin1(name) + " is not in Edit with its shortcut shown";
            }
        }
        QList<QWidget*> chain;
        for (QWidget* widget = window.grid()->nextInFocusChain();
             widget != nullptr && widget != window.grid() && chain.size() < 1000;
             widget = widget->nextInFocusChain()) {
            chain << widget;
        }
        QStringList tabOrder;
        int left = -1;
        for (QWidget* widget : chain) {
            auto* button = qobject_cast<QPushButton*>(widget);
            if (button == nullptr || !button->isVisible()) {
                continue;
            }
            tabOrder << button->objectName();
            if (button->x() <= left || button->mapTo(&window, QPoint()).y() <=
                                           window.grid()->mapTo(&window, QPoint()).y()) {
                problems << button->text() + " is not right of the one before, below the grid";
            }
            left = button->x();
            if (!menuTexts.contains(QString(button->text()).remove(QLatin1Char('&')))) {
                problems << button->text() + " is in no menu";
            }
            if (button->focusPolicy() == Qt::NoFocus) {
                problems << button->text() + " is not in the Tab order";
            }
        }
        QCOMPARE(tabOrder, (QStringList{"openCsvButton", "addRowButton", "insertRowButton",
                                        "deleteRowsButton", "reIndexButton", "saveCsvButton",
                                        "saveMemoryFileButton", "exitButton"}));
        if (window.problemsPanel().list()->focusPolicy() == Qt::NoFocus) {
            problems << QStringLiteral("the Problems list takes no focus");
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
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
};

QTEST_MAIN(TestFirstLook)
#include "tst_firstlook.moc"

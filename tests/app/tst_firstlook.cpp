#include <QAbstractItemView>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>

#include "EditorTest.h"
#include "TestData.h"
#include "app/CellEditorDelegate.h"
#include "app/ChannelRangeDialog.h"
#include "app/GridViewOptions.h"
#include "app/SetFieldDialog.h"
#include "app/Translations.h"
#include "files/ChannelFiles.h"
#include "table/Columns.h"

using namespace corvalen;
using testing::Channels;

// What a newcomer meets in the first minutes: typing into cells, the lists of the Mode and
// Hotkey cells, texts that fit their columns, priorities as saved, questions that can be
// cancelled, and a view that stays with the file and the row the user is at.
class TestFirstLook : public EditorTest {
    Q_OBJECT

private:
    void activate() {
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

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

private slots:
    void init() { setUpEditor(); }
    void cleanup() {
        m_window.reset();
        corvalen::InstallTranslations(*QCoreApplication::instance(),
                                      QLocale(QLocale::English, QLocale::UnitedStates));
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
        QCOMPARE(list->currentIndex().row(), box->currentIndex());
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
        QTest::newRow("MHz before opening") << "frequencyMHzAction" << true << false;
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
            m_window->fileActions().openChannelFile(writeCsv(QStringLiteral("hf.csv"), shorter));
            waitForFiles();
        }
        if (unitFirst) {
            trigger(unitAction.toLatin1().constData());
        }
        m_window->fileActions().openChannelFile(writeCsv(QStringLiteral("vhf.csv"), VhfChannels()));
        waitForFiles();
        if (!unitFirst) {
            trigger(unitAction.toLatin1().constData());
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
    void sortArrowLeavesTheHeadingWhole_data() {
        QTest::addColumn<int>("column");
        QTest::newRow("Frequency") << int(Frequency);
        QTest::newRow("Number") << int(Number);
        QTest::newRow("Mode") << int(Mode);
    }
    void sortArrowLeavesTheHeadingWhole() {
        QFETCH(int, column);
        startWindow(Channels(3));
        QHeaderView* header = grid().horizontalHeader();
        header->setSortIndicator(column, Qt::AscendingOrder);
        const QString heading = grid().model()->headerData(column, Qt::Horizontal).toString();
        const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
        const int arrow = header->style()->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, header);
        const int needed =
            QFontMetrics(header->font()).horizontalAdvance(heading) + 3 * margin + arrow;
        QVERIFY2(header->sectionSize(column) >= needed,
                 Needs(heading, needed, header->sectionSize(column)).constData());
    }

    // With fresh settings the window opens wide enough for every column of the sample file, in
    // English and in German, and stays on the screen.
    void firstWindowFitsItsColumns_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany);
    }
    void firstWindowFitsItsColumns() {
        QFETCH(QLocale, locale);
        corvalen::InstallTranslations(*QCoreApplication::instance(), locale);
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
    }

    // The dialogs' titles are not cut, nor the hints in Add Channel Range's empty fields, in
    // English and in German.
    void dialogTextsShowWhole_data() { firstWindowFitsItsColumns_data(); }
    void dialogTextsShowWhole() {
        QFETCH(QLocale, locale);
        corvalen::InstallTranslations(*QCoreApplication::instance(), locale);
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

    // In German, Add Channel Range takes the decimal comma, as the cell editor does.
    void channelRangeTakesTheDecimalComma() {
        QVERIFY(corvalen::InstallTranslations(*QCoreApplication::instance(),
                                              QLocale(QLocale::German, QLocale::Germany)));
        const MemoryTable channels = Channels(2);  // the dialog reads it while it is open
        ChannelRangeDialog dialog(channels);
        dialog.findChild<QLineEdit*>(QStringLiteral("start"))->setText(QStringLiteral("118,1"));
        dialog.findChild<QLineEdit*>(QStringLiteral("stop"))->setText(QStringLiteral("118,15"));
        dialog.findChild<QLineEdit*>(QStringLiteral("step"))->setText(QStringLiteral("8,33"));
        const std::optional<RangeFill> fill = dialog.fill();
        QVERIFY2(fill.has_value(), qPrintable(dialog.findChild<QLabel*>("preview")->text()));
        QVERIFY2(dialog.findChild<QLabel*>("preview")->text().startsWith(QStringLiteral("Fügt ")),
                 qPrintable(dialog.findChild<QLabel*>("preview")->text()));
        QVERIFY(fill->range.Count() >= 2);
    }

    // Every question the editor asks has Cancel, and Esc is Cancel.
    void escapeCancelsEveryQuestion_data() {
        QTest::addColumn<QString>("question");
        QTest::newRow("overwrite") << "overwrite";
        QTest::newRow("unsaved changes") << "unsaved";
        QTest::newRow("Location 0") << "location";
    }
    void escapeCancelsEveryQuestion() {
        QFETCH(QString, question);
        QWidget parent;
        QtMessageBoxes boxes(&parent);
        bool hadCancel = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            hadCancel = box->button(QMessageBox::Cancel) != nullptr;
            QTest::keyClick(box, Qt::Key_Escape);
        });
        if (question == QLatin1String("overwrite")) {
            QVERIFY(!boxes.confirmOverwrite(QStringLiteral("Corvalen"), QStringLiteral("?")));
        } else if (question == QLatin1String("unsaved")) {
            QCOMPARE(boxes.askUnsavedChanges(QStringLiteral("Corvalen"), QStringLiteral("?"),
                                             QStringLiteral(".g3m")),
                     UnsavedChangesAnswer::Cancel);
        } else {
            QVERIFY(!boxes.askChirpNumbering(QStringLiteral("Corvalen"), QStringLiteral("?")));
        }
        QVERIFY(hadCancel);
    }

    // A file opened shows its first row, wherever the previous one was scrolled to.
    void openedFileShowsItsFirstRow() {
        MainWindow& window = startWindow(Channels(300));
        grid().scrollToBottom();
        grid().horizontalScrollBar()->setValue(grid().horizontalScrollBar()->maximum());
        QVERIFY(grid().verticalScrollBar()->value() > 0);
        QVERIFY(window.fileActions().openFile(writeCsv(QStringLiteral("b.csv"), Channels(300))));
        waitForFiles();
        QCOMPARE(grid().verticalScrollBar()->value(), 0);
        QCOMPARE(grid().horizontalScrollBar()->value(), 0);
    }

    // Closing Find leaves the view on the row found.
    void closingFindKeepsTheRowFoundInView() {
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
    }

    // The unit the grid shows frequencies in comes back in the next run.
    void frequencyUnitIsRemembered_data() {
        QTest::addColumn<QString>("unitAction");
        QTest::addColumn<int>("unit");
        QTest::newRow("MHz") << "frequencyMHzAction" << int(FrequencyUnit::MHz);
        QTest::newRow("kHz") << "frequencyKHzAction" << int(FrequencyUnit::kHz);
    }
    void frequencyUnitIsRemembered() {
        QFETCH(QString, unitAction);
        QFETCH(int, unit);
        MainWindow& first = startWindow();
        trigger(unitAction.toLatin1().constData());
        QVERIFY(first.close());
        const QByteArray settings =
            testing::ReadBytes(path(QStringLiteral("program/Corvalen.ini")));
        MainWindow& second = startWindow();
        QCOMPARE(int(second.viewOptions().frequencyUnit()), unit);
        QVERIFY(second.findChild<QAction*>(unitAction)->isChecked());
        // The two-line settings file is what it was.
        QCOMPARE(testing::ReadBytes(path(QStringLiteral("program/Corvalen.ini"))), settings);
    }

    // The title names the open file, with "*" while it has unsaved changes.
    void titleNamesTheFile() {
        MainWindow& window = startWindow();
        QCOMPARE(window.windowTitle(), QStringLiteral("Grid View[*]"));
        QVERIFY(window.fileActions().openFile(writeCsv(QStringLiteral("sample.csv"), Channels(2))));
        waitForFiles();
        QCOMPARE(window.windowTitle(), QStringLiteral("Grid View \u2014 sample.csv[*]"));
        QVERIFY(!window.isWindowModified());
        model().setData(model().index(0, Callsign), QStringLiteral("NEW"));
        QVERIFY(window.isWindowModified());
    }
};

QTEST_MAIN(TestFirstLook)
#include "tst_firstlook.moc"

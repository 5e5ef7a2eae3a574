#include <QCheckBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTimer>
#include <QUndoStack>

#include "EditorTest.h"
#include "TestData.h"
#include "app/PrintActions.h"
#include "app/ProblemIndex.h"
#include "app/ScheduleActions.h"
#include "app/ScheduleDialog.h"
#include "csv/ChirpCsv.h"
#include "files/ChannelFiles.h"
#include "formats/BookmarkList.h"
#include "formats/EibiSchedule.h"
#include "g3m/MemoryFile.h"
#include "io/SafeFile.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace corvalen;

namespace {

// Prints into a PDF file instead of asking for a printer; `accept` false is a cancel.
class PdfPrinterChooser : public PrinterChooser {
public:
    QString file;
    bool accept = true;
    bool choose(QPrinter& printer) override {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        // A printer with the margins of an exported PDF, so the two give the same pages: a
        // real printer brings its own.
        printer.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
        return accept;
    }
};

int PdfPages(const QByteArray& pdf) {
    return int(
        QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

// Answers the schedule's filter question with a filter given in advance.
class ScriptedScheduleFilter : public ScheduleFilterAsker {
public:
    ScheduleFilter filter;
    std::optional<ScheduleChoice> askScheduleFilter(const Schedule&, const QString&) override {
        return ScheduleChoice{filter};
    }
    bool confirmSeasonUpdate(const MemoryTable&, const SeasonUpdate&, const QString&) override {
        return false;
    }
};

const QString kTestData = QStringLiteral(CORVALEN_TEST_DATA_DIR "/formats/");

}  // namespace

class TestExchange : public EditorTest {
    Q_OBJECT

    QString writeChirp(const QString& name, int channels) {
        testing::WriteBytes(path(name), QByteArray::fromStdString(
                                            BuildChirpCsvText(testing::Channels(channels)).bytes));
        return path(name);
    }

private slots:
    void init() { setUpEditor(); }

    void everyOpenRecognisesChirpFiles() {
        MainWindow& window = startWindow(testing::Channels(5));
        m_dialogs->answers = {writeChirp(QStringLiteral("list.csv"), 3)};
        trigger("openCsvAction");
        QCOMPARE(table().ChannelCount(), 3);
        QCOMPARE(table().CellText(2, Frequency), std::string("7010000"));
        QCOMPARE(table().CellText(2, Mode), std::string("USB"));
        QVERIFY2(status().startsWith("Read 3 channels from the CHIRP file list.csv"),
                 qPrintable(status()));
        window.document().undoStack().undo();
        QCOMPARE(table().ChannelCount(), 5);
        // A file from "Recent files" or a drop is recognised the same way.
        m_boxes->unsavedAnswers = {UnsavedChangesAnswer::Discard};  // the undone open
        QVERIFY(window.fileActions().openFile(path(QStringLiteral("list.csv"))));
        QCOMPARE(table().ChannelCount(), 3);
    }

    // A CHIRP list starting at Location 0: the editor asks once how to number it, and numbers it
    // so; a list without Location 0 is not asked about.
    void locationZeroAsksForTheNumbering_data() {
        QTest::addColumn<int>("answer");  // ChirpNumbering
        QTest::addColumn<QStringList>("numbers");
        QTest::newRow("Location + 1") << int(ChirpNumbering::Shift) << QStringList{"1", "2", "6"};
        QTest::newRow("keep, Location 0 left out")
            << int(ChirpNumbering::Keep) << QStringList{"1", "5"};
        QTest::newRow("1 to n") << int(ChirpNumbering::Sequential) << QStringList{"1", "2", "3"};
        // Cancel (or Esc) reads nothing in: the table open before stays.
        QTest::newRow("Cancel") << -1 << QStringList{"1", "2"};
    }
    void locationZeroAsksForTheNumbering() {
        QFETCH(int, answer);
        QFETCH(QStringList, numbers);
        startWindow(testing::Channels(2));
        const QString list = path(QStringLiteral("zero.csv"));
        testing::WriteBytes(list,
                            "Location,Name,Frequency,Mode\r\n0,A,146.52,FM,\r\n"
                            "1,B,146.55,FM,\r\n,,,,\r\n5,C,146.58,FM,\r\n");
        m_boxes->numberingAnswers = {
            answer < 0 ? std::nullopt : std::optional(static_cast<ChirpNumbering>(answer))};
        m_dialogs->answers = {list};
        trigger("openCsvAction");
        const auto asked = [this] {
            return std::count_if(m_boxes->shown.begin(), m_boxes->shown.end(), [](const auto& box) {
                return box.kind == QStringLiteral("askChirpNumbering");
            });
        };
        QCOMPARE(asked(), 1);
        QCOMPARE(testing::ColumnTexts(table(), Number), numbers);
        m_dialogs->answers = {writeChirp(QStringLiteral("list.csv"), 3)};
        m_boxes->unsavedAnswers = {UnsavedChangesAnswer::Discard};
        trigger("openCsvAction");
        QCOMPARE(asked(), 1);
    }

    void saveAsChirpKeepsTheUnsavedMark() {
        MainWindow& window = startWindow(testing::Channels(3));
        model().setData(model().index(0, Callsign), QStringLiteral("NEW"));
        QVERIFY(window.isWindowModified());
        const QString target = path(QStringLiteral("chirp.csv"));
        m_dialogs->answers = {target};
        trigger("saveChirpAction");
        QCOMPARE(testing::ReadBytes(target),
                 QByteArray::fromStdString(BuildChirpCsvText(table()).bytes));
        QVERIFY2(status().startsWith("Saved 3 channels to the CHIRP file chirp.csv; 1 problem "
                                     "reported\nrow 1: values of Bandwidth \"2400\""),
                 qPrintable(status()));
        QCOMPARE(m_dialogs->shown.last().filter, QStringLiteral("CHIRP files (*.csv)|*.csv"));
        QVERIFY(window.isWindowModified());  // an export: the table itself is not saved
    }

    // The channels of each kind of file go after the last row, with their own numbers (a list
    // without numbers goes on after the table's highest), as one undo step.
    void append_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QStringList>("numbers");
        const QStringList own{"1", "2", "1", "2", "3"};
        const auto row = [](const char* name, const char* file, const char* model,
                            const QStringList& numbers) {
            QTest::newRow(name) << file << model << numbers;
        };
        row("CHIRP file", "chirp.csv", "313", own);
        row("receiver CSV file", "receiver.csv", "313", own);
        row("G315 memory file", "memory.15m", "315", own);
        row("SDR# list", "list.xml", "313", {"1", "2", "3", "4", "5"});
    }
    void append() {
        QFETCH(QString, file);
        QFETCH(QString, model);
        QFETCH(QStringList, numbers);
        startWindow(testing::Channels(2));
        m_window->document().setModelName(model);
        const MemoryTable channels = testing::Channels(3);
        if (file.endsWith(".15m")) {
            QVERIFY(WriteChannelFile(path(file).toStdString(), channels, MemoryFileFormat(),
                                     {"315", true, {}})
                        .ok());
        } else if (file.startsWith("chirp")) {
            writeChirp(file, 3);
        } else if (file.endsWith(".xml")) {
            testing::WriteBytes(path(file),
                                QByteArray::fromStdString(WriteSdrSharpList(channels, {})->bytes));
        } else {
            writeCsv(file, channels);
        }
        QUndoStack& undo = m_window->document().undoStack();
        const int steps = undo.count();
        m_dialogs->answers = {path(file)};
        trigger("appendAction");
        QVERIFY2(status().startsWith("Appended 3 channels from " + file + " after row 2"),
                 qPrintable(status()));
        QCOMPARE(testing::ColumnTexts(table(), Number), numbers);
        QCOMPARE(table().CellText(5, Callsign), std::string("C3"));
        QCOMPARE(undo.count(), steps + 1);
        undo.undo();
        QCOMPARE(table().ChannelCount(), 2);
        undo.redo();
        QCOMPARE(table().ChannelCount(), 5);
    }

    // A file of a receiver's worth of channels: read into one block of its own, whose rows the
    // table must keep readable through undo and redo. The table never passes 65,535 channels.
    void appendAWholeReceiver_data() {
        QTest::addColumn<int>("channels");  // in the table before
        QTest::addColumn<QString>("refusal");
        QTest::newRow("to an empty table") << 0 << "";
        QTest::newRow("to a full table")
            << 65535
            << "whole.csv: The file holds 65535 channels; with the 65535 rows already in the "
               "table that is more than 65535 rows; no more fit; nothing appended";
    }
    void appendAWholeReceiver() {
        QFETCH(int, channels);
        QFETCH(QString, refusal);
        static const MemoryTable whole = testing::Channels(65535);
        MainWindow& window = startWindow(testing::Channels(channels));
        const QString file = writeCsv(QStringLiteral("whole.csv"), whole);
        QUndoStack& undo = window.document().undoStack();
        const int steps = undo.count();
        window.fileActions().appendFile(file);  // read off the window's thread
        waitForFiles();
        if (!refusal.isEmpty()) {
            QVERIFY2(statusLine(window).endsWith(refusal), qPrintable(status()));
            QCOMPARE(table().ChannelCount(), channels);
            QCOMPARE(undo.count(), steps);
            return;
        }
        for (int pass = 0; pass < 2; ++pass) {
            window.problems().checkNow();
            QCOMPARE(table().ChannelCount(), 65535);
            QCOMPARE(table().CellText(65535, Callsign), std::string("C65535"));
            undo.undo();
            window.problems().checkNow();
            QCOMPARE(table().ChannelCount(), 0);
            undo.redo();
        }
    }

    // A file that is slow to come (a named pipe whose writer is late) is read while the window
    // shows so, with a Cancel button. Cancel leaves the table as it was and ends the wait for
    // the writer, so the window's closing is not held.
    void slowFileShowsItsReading_data() {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("the file comes while the dialog shows") << false;
        QTest::newRow("Cancel pressed, the file never comes") << true;
    }
    void slowFileShowsItsReading() {
#ifdef _WIN32
        QSKIP("Windows has no named pipes among its files");
#endif
        QFETCH(bool, cancel);
        MainWindow& window = startWindow(testing::Channels(2));
        const QByteArray bytes =
            testing::ReadBytes(writeCsv(QStringLiteral("written.csv"), testing::Channels(3)));
        const QString pipe = path(QStringLiteral("slow.csv"));
#ifndef _WIN32
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
#endif
        const auto writeThePipe = [&] {
            QFile writer(pipe);
            return writer.open(QIODevice::WriteOnly) && writer.write(bytes) == bytes.size();
        };
        const int steps = window.document().undoStack().count();

        bool dialogSeen = false;
        bool written = false;
        QTimer look;
        connect(&look, &QTimer::timeout, [&] {
            auto* dialog =
                window.findChild<QProgressDialog*>(QStringLiteral("backgroundWorkDialog"));
            if (dialogSeen || dialog == nullptr || !dialog->isVisible()) {
                return;
            }
            dialogSeen = dialog->labelText() == QStringLiteral("Reading slow.csv\u2026");
            if (cancel) {
                dialog->findChild<QPushButton*>()->click();
            } else {
                written = writeThePipe();
            }
        });
        look.start(10);
        QVERIFY(window.fileActions().appendFile(pipe));  // the reading has started
        waitForFiles();
        look.stop();
        QVERIFY(dialogSeen);
        if (cancel) {
            QVERIFY2(status().startsWith("Stopped reading slow.csv; nothing appended"),
                     qPrintable(status()));
            QTest::qWait(50);
            QCOMPARE(table().ChannelCount(), 2);
            QCOMPARE(window.document().undoStack().count(), steps);
            QElapsedTimer closing;
            closing.start();
            m_window.reset();
            QVERIFY2(closing.elapsed() < 30000, "the window's closing waited for the pipe");
        } else {
            QVERIFY(written);
            QVERIFY2(status().startsWith("Appended 3 channels from slow.csv after row 2"),
                     qPrintable(status()));
            QCOMPARE(table().ChannelCount(), 5);
        }
    }

    // A save to a target slow to take it (a named pipe whose reader is late) is written while
    // the window repaints and says so; the window does not close before the save has ended.
    void slowSaveKeepsTheWindow() {
#ifdef _WIN32
        QSKIP("Windows has no named pipes among its files");
#endif
        MainWindow& window = startWindow(testing::Channels(3));
        const QString pipe = path(QStringLiteral("slow.csv"));
#ifndef _WIN32
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
#endif
        QString statusWhileSaving;
        bool closedWhileSaving = true;
        QByteArray written;
        QTimer look;
        int turns = 0;
        connect(&look, &QTimer::timeout, [&] {
            if (++turns != 5) {
                return;
            }
            statusWhileSaving = statusLine(window);
            closedWhileSaving = window.close();
            QFile reader(pipe);
            if (reader.open(QIODevice::ReadOnly)) {
                written = reader.readAll();
            }
        });
        look.start(10);
        m_dialogs->answers = {pipe};
        m_boxes->overwriteAnswers = {true};
        trigger("saveCsvAction");
        look.stop();
        QCOMPARE(statusWhileSaving, QStringLiteral("Saving slow.csv\u2026"));
        QVERIFY(!closedWhileSaving);
        QVERIFY(window.isVisible());
        QVERIFY2(status().startsWith("Saved 3 rows to slow.csv"), qPrintable(status()));

        m_dialogs->answers = {path(QStringLiteral("plain.csv"))};
        trigger("saveCsvAction");
        QCOMPARE(written, testing::ReadBytes(path(QStringLiteral("plain.csv"))));
    }

    // Closing with unsaved changes of a large table, saved as asked: the save goes on off the
    // window's thread and the window stays until it has ended; then it closes, the file
    // written, unless the save reported a cell (an empty row here), which the user gets to read
    // first: the table then counts as saved, and the next close goes through without asking.
    void largeSaveBeforeClosing_data() {
        QTest::addColumn<bool>("emptyRow");
        QTest::newRow("a cell edited: closes once written") << false;
        QTest::newRow("an empty row reported: stays") << true;
    }
    void largeSaveBeforeClosing() {
        QFETCH(bool, emptyRow);
        MainWindow& window = startWindow(testing::Channels(5000));
        if (emptyRow) {
            trigger("addRowAction");
        } else {
            QAbstractItemModel* grid = window.grid()->model();
            QVERIFY(grid->setData(grid->index(0, Callsign), QStringLiteral("Edited")));
        }
        QVERIFY(!window.document().undoStack().isClean());
        m_boxes->unsavedAnswers = {UnsavedChangesAnswer::SaveCsv};
        m_dialogs->answers = {path(QStringLiteral("saved.csv"))};
        window.show();
        QVERIFY(!window.close());  // not yet: the save has only started
        QVERIFY(window.fileActions().busy());
        waitForFiles();
        if (emptyRow) {
            QVERIFY2(status().contains("; 1 cell reported; stopped so you can check this first"),
                     qPrintable(status()));
            QVERIFY(window.isVisible());
        } else {
            QTRY_VERIFY2(!window.isVisible(), qPrintable(statusLine(window)));
        }
        QVERIFY(window.document().undoStack().isClean());
        QCOMPARE(testing::ReadBytes(path(QStringLiteral("saved.csv"))).count('\n'),
                 emptyRow ? 5003 : 5002);
        QVERIFY(window.close());
        QCOMPARE(m_boxes->shown.size(), 2);  // the first-run message, one question
    }

    // A schedule's channels come as one undo step, and only when the table has room for all.
    void scheduleImportIsOneUndoStep_data() {
        QTest::addColumn<int>("channels");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("two channels") << 2 << QString();
        QTest::newRow("room for two of five")
            << 65533
            << "sked-A26.csv: The filter gives 5 channels; with the 65533 rows already in the "
               "table that is more than 65535 rows; 2 more fit; nothing imported";
        // Room for the rows, but numbers after channel 65534 run out.
        QTest::newRow("numbers past 65535")
            << -65534
            << "sked-A26.csv: Channel numbers 65535 to 65539 go past 65535, the highest channel "
               "number; nothing imported";
    }
    void scheduleImportIsOneUndoStep() {
        QFETCH(int, channels);  // below 0: one channel numbered -channels
        QFETCH(QString, refusal);
        MemoryTable start = testing::Channels(std::max(channels, 1));
        if (channels < 0) {
            start.SetCellText(1, Number, std::to_string(-channels));
            channels = 1;
        }
        MainWindow& window = startWindow(start);
        ScriptedScheduleFilter asker;
        asker.filter.languages = {"E"};
        window.scheduleActions().setAsker(&asker);
        QUndoStack& undo = window.document().undoStack();
        const int steps = undo.count();
        m_dialogs->answers = {kTestData + "eibi/sked-A26.csv"};
        trigger("importScheduleAction");
        if (!refusal.isEmpty()) {
            QVERIFY2(status().contains(refusal), qPrintable(status()));
            QCOMPARE(table().ChannelCount(), channels);
            QCOMPARE(undo.count(), steps);
            return;
        }
        QVERIFY2(status().startsWith("Imported 5 channels from 5 of 14 broadcasts after row 2; "
                                     "2 lines reported\nline 16: kHz \"abc\""),
                 qPrintable(status()));
        QCOMPARE(testing::ColumnTexts(table(), Number),
                 QStringList({"1", "2", "3", "4", "5", "6", "7"}));
        QCOMPARE(table().CellText(3, Callsign), std::string("R Habana Cuba"));
        QCOMPARE(table().CellText(3, Comments), std::string("2300-2400[Sa,Su] E NAm"));
        QCOMPARE(undo.count(), steps + 1);
        undo.undo();
        QCOMPARE(table().ChannelCount(), 2);
    }

    void scheduleDialogCountsAsYouType() {
        const std::string bytes = testing::ReadBytes(kTestData + "eibi/sked-A26.csv").toStdString();
        const Schedule schedule = ReadEibiSchedule(bytes);
        ScheduleDialog dialog(schedule, QStringLiteral("sked-A26.csv"));
        auto* count = dialog.findChild<QLabel*>(QStringLiteral("count"));
        auto* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        QCOMPARE(count->text(), QStringLiteral("13 of 14 broadcasts pass, on 10 channels"));
        dialog.findChild<QLineEdit*>(QStringLiteral("at"))->setText(QStringLiteral("1800"));
        QCOMPARE(count->text(), QStringLiteral("5 of 14 broadcasts pass, on 5 channels"));
        dialog.findChild<QLineEdit*>(QStringLiteral("station"))->setText(QStringLiteral("nowhere"));
        QCOMPARE(count->text(), QStringLiteral("0 of 14 broadcasts pass, on 0 channels"));
        QVERIFY(!ok->isEnabled());
        // An update that keeps no broadcast removes the schedule's channels: it may be asked for.
        dialog.findChild<QCheckBox*>(QStringLiteral("updateChannels"))->setChecked(true);
        QVERIFY(ok->isEnabled() && dialog.updateChosen());
        QCOMPARE(ok->text(), QStringLiteral("Preview\u2026"));
        dialog.findChild<QLineEdit*>(QStringLiteral("at"))->setText(QStringLiteral("25"));
        QVERIFY(count->text().startsWith(QStringLiteral("The time \"25\" is neither")));
    }

    void bookmarkListsOpenAppendAndSave() {
        MainWindow& window = startWindow(testing::Channels(2));
        m_dialogs->answers = {kTestData + "sdrsharp_awkward/input.xml"};
        trigger("openCsvAction");
        QVERIFY2(status().startsWith("Read 7 channels from the SDR# list input.xml; 4 lines"),
                 qPrintable(status()));
        QVERIFY(window.fileActions().appendFile(kTestData + "sdrpp_lists/input.json"));
        waitForFiles();
        QCOMPARE(window.document().groupNames(),
                 (std::vector<std::string>{"Aircraft", "Broadcast", "Digital", "Air",
                                           "Rundfunk Österreich"}));
        QCOMPARE(table().CellText(8, Groups), std::string("4"));
        m_dialogs->answers = {path(QStringLiteral("out.json"))};
        trigger("saveListAction");
        QCOMPARE(testing::ReadBytes(path(QStringLiteral("out.json"))),
                 QByteArray::fromStdString(
                     WriteSdrppList(table(), window.document().groupNames()).bytes));
        QVERIFY2(status().startsWith("Saved 16 channels to the SDR++ list out.json"),
                 qPrintable(status()));
        // gqrx bookmarks, told by their content under a .csv name, keep their tags' colours.
        QVERIFY(window.fileActions().appendFile(kTestData + "gqrx_as_written/input.csv"));
        waitForFiles();
        m_dialogs->answers = {path(QStringLiteral("out.csv"))};
        m_dialogs->filters = {2};
        trigger("saveListAction");
        const QByteArray gqrx = testing::ReadBytes(path(QStringLiteral("out.csv")));
        QVERIFY2(gqrx.contains("\nProt Civ            ; #ff5500\n"), gqrx.constData());
        QVERIFY2(status().startsWith("Saved 29 channels to the gqrx bookmarks out.csv"),
                 qPrintable(status()));
    }

    // Channels appended to a table of 976 rows: what the file's reader says names the table rows
    // they became, with the file's line beside each.
    void appendedChannelsNameTableRows_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("said");
        QTest::newRow("CHIRP list")
            << QByteArray(
                   "Location,Name,Frequency,Mode\r\n1,A,146.52,FM\r\n2,B,88.5,WFM\r\n"
                   "3,C,98.1,WFM\r\n")
            << "list.csv"
            << "2 channels: Mode \"WFM\" is no mode the receiver has; kept as it is: row 978 (line "
               "3, Location 2); row 979 (line 4, Location 3)";
        QTest::newRow("receiver file, a line cut short")
            << QByteArray("Number,Frequency,Bandwidth\r\n1,7000000,2400\r\n") << "memories.csv"
            << "row 977: 3 fields where 19 were expected; missing fields left empty (line 2, "
               "Number 1)";
    }
    void appendedChannelsNameTableRows() {
        QFETCH(QByteArray, file);
        QFETCH(QString, name);
        QFETCH(QString, said);
        MainWindow& window = startWindow(testing::Channels(976));
        const QString list = path(name);
        testing::WriteBytes(list, file);
        QVERIFY(window.fileActions().appendFile(list));
        QVERIFY2(status().contains(said), qPrintable(status()));
    }

    void appendToTheStartupGrid() {
        MainWindow& window = startWindow();
        QVERIFY(window.fileActions().appendFile(writeChirp(QStringLiteral("list.csv"), 2)));
        QCOMPARE(table().ColCount(), kImportedColumnCount);
        QCOMPARE(table().ChannelCount(), kStartupRowCount - 1 + 2);
        QCOMPARE(table().CellText(kStartupRowCount + 1, Callsign), std::string("C2"));
        QVERIFY(window.document().hasImportColumns());
        window.document().undoStack().undo();
        QCOMPARE(table().ColCount(), kStartupColumnCount);
        QVERIFY(!window.document().hasImportColumns());
    }

    void memoryFilesFollowTheModel_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("otherFile");
        QTest::addColumn<QString>("refusal");
        const auto row = [](const char* model, const char* filter, const char* otherFile,
                            const char* refusal) {
            QTest::newRow(model) << model << filter << otherFile << refusal;
        };
        row("313", "Memory files (*.g3m)|*.g3m", "x.15m",
            "x.15m is a .15m memory file, for the receiver models 305 and 315, not \"313\"; "
            "nothing opened");
        row("315", "Memory files (*.15m)|*.15m", "x.g3m",
            "x.g3m is a .g3m memory file; the receiver model 315 uses .15m files; nothing opened");
    }
    void memoryFilesFollowTheModel() {
        QFETCH(QString, model);
        QFETCH(QString, filter);
        QFETCH(QString, otherFile);
        QFETCH(QString, refusal);
        MainWindow& window = startWindow(testing::Channels(2));
        window.document().setModelName(model);
        trigger("openMemoryFileAction");  // cancelled
        QCOMPARE(m_dialogs->shown.last().filter, filter);
        testing::WriteBytes(path(otherFile), QByteArray(100, '\0'));
        QVERIFY(!window.fileActions().openFile(path(otherFile)));
        QVERIFY2(statusLine(window).endsWith(refusal), qPrintable(statusLine(window)));
        QCOMPARE(table().ChannelCount(), 2);
    }

    // Printing takes the rows, columns and order the grid shows.
    void printsTheGridAsShown() {
        MainWindow& window = startWindow(testing::Channels(12));
        QTableView& grid = *window.grid();
        grid.sortByColumn(Frequency, Qt::DescendingOrder);
        grid.setColumnHidden(Bandwidth, true);
        grid.horizontalHeader()->moveSection(Callsign, 0);
        window.findBar().findRows(QStringLiteral("C1"));  // C1, C10, C11, C12
        const ChannelListPrint list = window.printActions().listToPrint();
        QCOMPARE(list.title, QStringLiteral("channels.csv"));
        QCOMPARE(PrintedHeadings(list).mid(0, 4),
                 QStringList({"Callsign", "Number", "Frequency", "IF Shift"}));
        QCOMPARE(list.model->rowCount(), 4);
        QCOMPARE(PrintedRow(list, 3).mid(0, 3), QStringList({"C1", "1", "7005000"}));
        // Frequencies in the unit the grid shows.
        trigger("frequencyMHzAction");
        QCOMPARE(PrintedRow(window.printActions().listToPrint(), 3).mid(0, 3),
                 QStringList({"C1", "1", "7.005000"}));
    }

    // The layout and every page are told to the progress, which can stop the printing.
    void printingCanBeCancelled() {
        MainWindow& window = startWindow(testing::Channels(150));
        struct StopAtTheSecondStep : Progress {
            int heard = 0;
            bool Advance(std::int64_t done, std::int64_t) override {
                ++heard;
                return done < 1;
            }
        } progress;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path(QStringLiteral("cancelled.pdf")));
        QCOMPARE(PrintChannelList(printer, window.printActions().listToPrint(), &progress),
                 kPrintCancelled);
        QCOMPARE(progress.heard, 2);
    }

    void printAndExportPdf() {
        MainWindow& window = startWindow(testing::Channels(150));
        PdfPrinterChooser chooser;
        chooser.file = path(QStringLiteral("printed.pdf"));
        window.printActions().setPrinterChooser(&chooser);
        trigger("printAction");
        const int pages = PdfPages(testing::ReadBytes(chooser.file));
        QVERIFY2(pages >= 2, qPrintable(QString::number(pages)));  // 150 rows: more than a page
        QCOMPARE(statusLine(window), QStringLiteral("Printed %1 pages").arg(pages));

        const QString pdf = path(QStringLiteral("list.pdf"));
        m_dialogs->answers = {pdf};
        trigger("exportPdfAction");
        QVERIFY(testing::ReadBytes(pdf).startsWith("%PDF"));
        QCOMPARE(PdfPages(testing::ReadBytes(pdf)), pages);
        QCOMPARE(statusLine(window), QStringLiteral("Exported %1 pages to list.pdf").arg(pages));
        QCOMPARE(QDir(m_dir->path()).entryList({QStringLiteral(".*")}, QDir::Hidden | QDir::Files),
                 QStringList());  // no temporary file left behind
        // The mode every other save gives (the user's umask applied), not a private one.
        const QString csv = path(QStringLiteral("list.csv"));
        QVERIFY(corvalen::WriteFileAtomically(csv.toStdString(), "x").ok());
        QCOMPARE(QFile::permissions(pdf), QFile::permissions(csv));

        chooser.accept = false;
        trigger("printAction");
        QCOMPARE(statusLine(window), QStringLiteral("Exported %1 pages to list.pdf").arg(pages));
    }
};

QTEST_MAIN(TestExchange)
#include "tst_exchange.moc"

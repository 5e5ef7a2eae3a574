// Files into and out of the editor: CHIRP files, bookmark lists, broadcast schedules and the
// channels made from them (On Air Now, a new season's update), slow files, and printing. And the
// names the save dialogs produce: a save never writes one format under another's name, it
// proposes the document's name with its format's extension, and a dialog's last name stays with
// its own kind of file.

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPrinter>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QTabWidget>

#include "EditorTest.h"
#include "app/OnAirNow.h"
#include "app/PrintActions.h"
#include "app/ScheduleActions.h"
#include "app/ScheduleDialog.h"
#include "app/SeasonPreviewDialog.h"
#include "csv/ChirpCsv.h"
#include "files/ChannelFiles.h"
#include "formats/BookmarkList.h"
#include "formats/EibiSchedule.h"
#include "formats/SeasonUpdate.h"
#include "g3m/MemoryFile.h"
#include "io/SafeFile.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace corvalen;
using testing::Channels;
using testing::RowsNumbered;

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

// Answers the schedule's filter question with `choice`; an update's preview is shown, and
// answered with `apply`.
class ScheduleScript : public ScheduleFilterAsker {
public:
    ScheduleChoice choice;
    bool apply = true;
    QStringList tabs;  // the preview's tab titles; empty when it was not shown
    std::optional<ScheduleChoice> askScheduleFilter(const Schedule&, const QString&) override {
        return choice;
    }
    bool confirmSeasonUpdate(const MemoryTable& table, const SeasonUpdate& update,
                             const QString& fileName) override {
        SeasonPreviewDialog preview(table, update, fileName);
        auto* lists = preview.findChild<QTabWidget*>(QStringLiteral("lists"));
        for (int tab = 0; tab < lists->count(); ++tab) {
            const auto* view = qobject_cast<QTableView*>(lists->widget(tab));
            // The title, and the Callsign of each row listed.
            QString listed = lists->tabText(tab) + ':';
            for (int row = 0; row < view->model()->rowCount(); ++row) {
                listed += ' ' + view->model()->index(row, 2).data().toString();
            }
            tabs << listed;
        }
        return apply;
    }
};

struct Channel {
    const char* callsign;
    const char* frequency;
    const char* comments;
};

// Channels 1.. with these cells, the others as testing::Channels makes them.
MemoryTable TableOf(const std::vector<Channel>& channels) {
    MemoryTable table = testing::Channels(static_cast<int>(channels.size()));
    for (int row = 1; row <= static_cast<int>(channels.size()); ++row) {
        const Channel& channel = channels[static_cast<std::size_t>(row - 1)];
        table.SetCellText(row, Callsign, channel.callsign);
        table.SetCellText(row, Frequency, channel.frequency);
        table.SetCellText(row, Comments, channel.comments);
    }
    return table;
}

const QString kTestData = QStringLiteral(CORVALEN_TEST_DATA_DIR "/formats/");

// The save commands: the action, the filter entry the name is chosen under, and the format
// that entry stands for (its --to word).
struct SaveCommand {
    const char* tag;
    const char* action;
    int filter;
    std::string_view format;
};
constexpr SaveCommand kSaves[] = {
    {"Save .csv", "saveCsvAction", 0, "csv"},
    {"Save .g3m", "saveMemoryFileAction", 0, "memory"},
    {"Save as CHIRP", "saveChirpAction", 0, "chirp"},
    {"Save as SDR# list", "saveListAction", 0, "sdrsharp"},
    {"Save as SDR++ list", "saveListAction", 1, "sdrpp"},
    {"Save as gqrx bookmarks", "saveListAction", 2, "gqrx"},
};

const ChannelFormat& Format(std::string_view word) {
    return *FormatNamed(word);
}

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Whether a name ending in `extension` is one a format `action` offers writes as it stands.
bool OffersExtension(const char* action, const QString& extension) {
    for (const SaveCommand& save : kSaves) {
        for (const std::string_view own : Format(save.format).AllExtensions()) {
            if (QLatin1String(save.action) == action &&
                extension.compare(Latin1(own), Qt::CaseInsensitive) == 0) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

class TestExchange : public EditorTest {
    Q_OBJECT

    QString writeChirp(const QString& name, int channels) {
        testing::WriteBytes(path(name), QByteArray::fromStdString(
                                            BuildChirpCsvText(testing::Channels(channels)).bytes));
        return path(name);
    }

    QStringList shownCallsigns() const {
        QStringList shown;
        ChannelViewModel& view = m_window->view();
        for (int row = 0; row < view.rowCount(); ++row) {
            shown << view.index(row, Callsign).data().toString();
        }
        return shown;
    }
    // Sets the clock to `day` (0 Monday) of a week at HH:MM UTC.
    void setClock(int day, const QString& time) {
        const QDateTime at(QDate(2026, 12, 7).addDays(day),
                           QTime::fromString(time, QStringLiteral("HH:mm")), Qt::UTC);
        m_window->onAirNow().setClock([at] { return at; });
    }

private slots:
    void init() { setUpEditor(); }

    // A CHIRP list starting at Location 0: the editor asks once how to number it, and numbers it
    // so; a list without Location 0 is not asked about. Every open recognises CHIRP files, one
    // from "Recent files" or a drop too.
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
        trigger("openCsvAction", list);
        const auto asked = [this] {
            return std::count_if(m_boxes->shown.begin(), m_boxes->shown.end(), [](const auto& box) {
                return box.kind == QStringLiteral("askChirpNumbering");
            });
        };
        QCOMPARE(asked(), 1);
        QCOMPARE(testing::ColumnTexts(table(), Number), numbers);
        m_boxes->unsavedAnswers = {UnsavedChangesAnswer::Discard};
        QVERIFY(m_window->fileActions().openFile(writeChirp(QStringLiteral("list.csv"), 3)));
        VERIFY_STARTS(status(), "Read 3 channels from the CHIRP file list.csv");
        QCOMPARE(asked(), 1);
        QCOMPARE(table().ChannelCount(), 3);
        QCOMPARE(table().CellText(2, Frequency), std::string("7010000"));
        QCOMPARE(table().CellText(2, Mode), std::string("USB"));
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
        const MemoryTable before = table();
        const int steps = m_window->document().undoStack().count();
        trigger("appendAction", path(file));
        VERIFY_STARTS(status(), "Appended 3 channels from " + file + " after row 2");
        QCOMPARE(testing::ColumnTexts(table(), Number), numbers);
        QCOMPARE(table().CellText(5, Callsign), std::string("C3"));
        QCOMPARE(m_window->document().undoStack().count(), steps + 1);
        checkUndoRedo(before);
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
        QFETCH(bool, cancel);
        const QString pipe = path(QStringLiteral("slow.csv"));
#ifdef _WIN32
        QSKIP("Windows has no named pipes among its files");
#else
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
#endif
        MainWindow& window = startWindow(testing::Channels(2));
        const QByteArray bytes =
            testing::ReadBytes(writeCsv(QStringLiteral("written.csv"), testing::Channels(3)));
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
            VERIFY_STARTS(status(), "Stopped reading slow.csv; nothing appended");
            QTest::qWait(50);
            QCOMPARE(table().ChannelCount(), 2);
            QCOMPARE(window.document().undoStack().count(), steps);
            QElapsedTimer closing;
            closing.start();
            m_window.reset();
            QVERIFY2(closing.elapsed() < 30000, "the window's closing waited for the pipe");
        } else {
            QVERIFY(written);
            VERIFY_STARTS(status(), "Appended 3 channels from slow.csv after row 2");
            QCOMPARE(table().ChannelCount(), 5);
        }
    }

    // A save to a target slow to take it (a named pipe whose reader is late) is written while
    // the window repaints and says so; the window does not close before the save has ended.
    void slowSaveKeepsTheWindow() {
        const QString pipe = path(QStringLiteral("slow.csv"));
#ifdef _WIN32
        QSKIP("Windows has no named pipes among its files");
#else
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
#endif
        MainWindow& window = startWindow(testing::Channels(3));
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
        VERIFY_STARTS(status(), "Saved 3 rows to slow.csv");

        trigger("saveCsvAction", path(QStringLiteral("plain.csv")));
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
        QVERIFY(window.fileActions().background().running());
        waitForFiles();
        if (emptyRow) {
            VERIFY_HOLDS(status(), "; 1 cell reported; stopped so you can check this first");
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
    }
    void scheduleImportIsOneUndoStep() {
        QFETCH(int, channels);
        QFETCH(QString, refusal);
        MainWindow& window = startWindow(testing::Channels(channels));
        ScheduleScript asker;
        asker.choice.filter.languages = {"E"};
        window.scheduleActions().setAsker(&asker);
        QUndoStack& undo = window.document().undoStack();
        const int steps = undo.count();
        trigger("importScheduleAction", kTestData + "eibi/sked-A26.csv");
        if (!refusal.isEmpty()) {
            VERIFY_HOLDS(status(), refusal);
            QCOMPARE(table().ChannelCount(), channels);
            QCOMPARE(undo.count(), steps);
            return;
        }
        VERIFY_STARTS(status(),
                      "Imported 5 channels from 5 of 14 broadcasts after row 2; "
                      "2 lines reported\nline 16: kHz \"abc\"");
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
        // (A time that is none: tst_translations' germanMessagesAndNumbers.)
    }

    void bookmarkListsOpenAppendAndSave() {
        MainWindow& window = startWindow(testing::Channels(2));
        trigger("openCsvAction", kTestData + "sdrsharp_awkward/input.xml");
        VERIFY_STARTS(status(), "Read 7 channels from the SDR# list input.xml; 4 lines");
        trigger("appendAction", kTestData + "sdrpp_lists/input.json");
        QCOMPARE(window.document().groupNames(),
                 (std::vector<std::string>{"Aircraft", "Broadcast", "Digital", "Air",
                                           "Rundfunk Österreich"}));
        QCOMPARE(table().CellText(8, Groups), std::string("4"));
        trigger("saveListAction", path(QStringLiteral("out.json")));
        QCOMPARE(testing::ReadBytes(path(QStringLiteral("out.json"))),
                 QByteArray::fromStdString(
                     WriteSdrppList(table(), window.document().groupNames())->bytes));
        VERIFY_STARTS(status(), "Saved 16 channels to the SDR++ list out.json");
        // gqrx bookmarks, told by their content under a .csv name, keep their tags' colours.
        trigger("appendAction", kTestData + "gqrx_as_written/input.csv");
        m_dialogs->filters = {2};
        trigger("saveListAction", path(QStringLiteral("out.csv")));
        const QByteArray gqrx = testing::ReadBytes(path(QStringLiteral("out.csv")));
        QVERIFY2(gqrx.contains("\nProt Civ            ; #ff5500\n"), gqrx.constData());
        VERIFY_STARTS(status(), "Saved 29 channels to the gqrx bookmarks out.csv");
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
        VERIFY_HOLDS(status(), said);
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

    // The memory file's kind follows the receiver model: the dialog offers it, the other kind is
    // refused.
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
        // The captions and the unsaved-changes question name the model's memory file too.
        const QString own = filter.right(4);
        QVERIFY(button("Save " + own + " file") != nullptr);
        QCOMPARE(window.findChild<QAction*>(QStringLiteral("openMemoryFileAction"))->text(),
                 "Open " + own + " file\u2026");
        editCell(1, Callsign, QStringLiteral("NEW"));
        QVERIFY(!window.fileActions().settleUnsavedChanges());  // cancelled
        VERIFY_HOLDS(m_boxes->shown.last().text, "a .csv or " + own + " file");
        QVERIFY(m_boxes->shown.last().text.endsWith('|' + own));
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

    // Printing and the PDF export give the same pages; a cancel prints nothing.
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
        trigger("exportPdfAction", pdf);
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

        // The layout and every page are told to the progress, which can stop the printing.
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

    void onAirShowsTheChannelsOnAir_data() {
        QTest::addColumn<int>("day");
        QTest::addColumn<QString>("time");
        QTest::addColumn<bool>("withinHour");
        QTest::addColumn<QString>("find");
        QTest::addColumn<QStringList>("shown");
        const auto row = [](const char* name, int day, const char* time, bool hour,
                            const char* find, const QStringList& shown) {
            QTest::newRow(name) << day << QString::fromLatin1(time) << hour
                                << QString::fromLatin1(find) << shown;
        };
        // The clock's weekdays and minutes (which summary is on air when: tst_summary).
        row("Saturday, start minute on", 5, "18:00", false, "", {"DAILY", "WEEK", "ALL"});
        row("Sunday, past midnight", 6, "00:30", false, "", {"SAT", "ALL"});
        row("Monday, past midnight", 0, "00:30", false, "", {"ALL", "MON"});
        row("within the hour, into Monday", 6, "23:30", true, "", {"ALL", "MON"});
        row("with the find text", 5, "18:00", false, "18", {"DAILY", "WEEK"});
    }
    void onAirShowsTheChannelsOnAir() {
        QFETCH(int, day);
        QFETCH(QString, time);
        QFETCH(bool, withinHour);
        QFETCH(QString, find);
        QFETCH(QStringList, shown);
        startWindow(TableOf({{"DAILY", "5920000", "1800-1900 E Eu"},
                             {"SAT", "7400000", "2300-0100[Sa] E"},
                             {"WEEK", "6005000", "0600-0800[Mo-Fr],1800-1830[Sa,Su] D"},
                             {"USER", "5000000", "Time signal, 1800-1900"},
                             {"EMPTY", "5025000", ""},
                             {"ALL", "6070000", "0000-2400 E NAm"},
                             {"IRR", "9670000", "1700-1800[irr] E"},
                             {"MON", "9420000", "0015-0100[Mo] F"}}));
        setClock(day, time);
        m_window->findBar().findRows(find);
        if (withinHour) {
            trigger("onAirHourAction");
        }
        trigger("onAirAction");
        QCOMPARE(shownCallsigns(), shown);
        const QString label = m_window->findChild<QLabel*>(QStringLiteral("onAirLabel"))->text();
        QVERIFY2(
            label.startsWith(withinHour ? "On air from " + time + " to " : "On air at " + time) &&
                label.endsWith(QStringLiteral(": %1 of 8 rows").arg(shown.size())),
            qPrintable(label));
        trigger("onAirAction");
        QCOMPARE(shownCallsigns().size(), find.isEmpty() ? 8 : 4);
    }

    // The filter follows the minute, edits of Comments and new rows; a row the user is to see
    // turns it off.
    void onAirFollowsTheTable() {
        MainWindow& window = startWindow(TableOf({{"DAILY", "5920000", "1800-1900 E Eu"},
                                                  {"USER", "5000000", "Time signal"},
                                                  {"LATE", "7400000", "1900-2000 E"}}));
        setClock(2, QStringLiteral("18:59"));
        trigger("onAirAction");
        QCOMPARE(shownCallsigns(), QStringList({"DAILY"}));
        setClock(2, QStringLiteral("19:00"));
        window.onAirNow().refresh();
        QCOMPARE(shownCallsigns(), QStringList({"LATE"}));
        editCell(2, Comments, QStringLiteral("1830-1930 E"));
        QCOMPARE(shownCallsigns(), QStringList({"USER", "LATE"}));
        window.document().undoStack().undo();
        QCOMPARE(shownCallsigns(), QStringList({"LATE"}));
        trigger("onAirAction");
        m_window->grid()->setCurrentIndex(m_window->grid()->model()->index(0, 0));
        trigger("insertRowAction");  // the new row has no Comments: to show it, the filter goes
        QVERIFY(!window.onAirNow().isOn());
        QCOMPARE(shownCallsigns().size(), 4);
        trigger("onAirAction");
        // Rows taken out and put back while it is on: the rows below keep their own summaries.
        window.document().undoStack().undo();
        QCOMPARE(shownCallsigns(), QStringList({"LATE"}));
        window.document().undoStack().redo();
        QCOMPARE(shownCallsigns(), QStringList({"LATE"}));
    }

    // A new season updates the schedule channels as one undo step; the user's channels, and
    // every cell but the Comments of the rows kept, stay as they are.
    void seasonUpdateIsOneUndoStep_data() {
        QTest::addColumn<bool>("apply");
        QTest::addColumn<QByteArray>("season");
        QTest::addColumn<QStringList>("tabs");
        QTest::addColumn<QStringList>("rows");  // "Callsign: Comments"; none: as they were
        const QByteArray header =
            "kHz:75;Time(UTC):93;Days:59;ITU:49;Station:201;Lng:49;"
            "Target:62;Remarks:135;P:35;Start:60;Stop:60;\r\n";
        const QByteArray next = header +
                                "5920;1800-1900;Sa,Su;D;Radio Europa;E,D;Eu;;1;;\r\n"
                                "7400;1900-2100;;BUL;Radio Bulgaria;E;Eu;;1;;\r\n"
                                "9670;1700-1830;irr;ROU;Radio Romania Int;E;Eu;;1;;\r\n"
                                "9420;2100-0100;;GRC;Radio Athens;Gr,E;Eu;;1;;\r\n\r\n";
        const QStringList tabs{"Updated (1): Radio Bulgaria", "Added (1): Radio Athens",
                               "Removed (1): ORTM Bamako", "Kept (2): Radio Europa Radio Romani"};
        QTest::newRow("applied") << true << next << tabs
                                 << QStringList{"WWV: Time signal, Fort Collins",
                                                "Radio Europa: 1800-1900[Sa,Su] E,D Eu",
                                                "Radio Bulgaria: 1900-2100 E Eu",
                                                "Radio Romani: 1700-1830[irr] E Eu",
                                                "Radio Athens: 2100-0100 Gr,E Eu"};
        QTest::newRow("cancelled") << false << next << tabs << QStringList();
        QTest::newRow("nothing to change, no preview")
            << true
            << header +
                   "5920;1800-1900;Sa,Su;D;Radio Europa;E,D;Eu;;1;;\r\n"
                   "7400;1800-2000;;BUL;Radio Bulgaria;E;Eu;;1;;\r\n"
                   "9635;1800-1900;Sa;MLI;ORTM Bamako;F;Af;;1;;\r\n"
                   "9670;1700-1830;irr;ROU;Radio Romania International;E;Eu;;1;;\r\n"
            << QStringList() << QStringList();
    }
    void seasonUpdateIsOneUndoStep() {
        QFETCH(bool, apply);
        QFETCH(QByteArray, season);
        QFETCH(QStringList, tabs);
        QFETCH(QStringList, rows);
        const MemoryTable start = TableOf({{"WWV", "5000000", "Time signal, Fort Collins"},
                                           {"Radio Europa", "5920000", "1800-1900[Sa,Su] E,D Eu"},
                                           {"Radio Bulgaria", "7400000", "1800-2000 E Eu"},
                                           {"ORTM Bamako", "9635000", "1800-1900[Sa] F Af"},
                                           {"Radio Romani", "9670000", "1700-1830[irr] E Eu"}});
        MainWindow& window = startWindow(start);
        ScheduleScript script;
        script.choice.update = true;  // every broadcast
        script.apply = apply;
        window.scheduleActions().setAsker(&script);
        const QString file = path(QStringLiteral("sked-B26.csv"));
        testing::WriteBytes(file, season);
        QUndoStack& undo = window.document().undoStack();
        const int steps = undo.count();
        QCOMPARE(window.scheduleActions().importFile(file), !rows.isEmpty());
        QCOMPARE(script.tabs, tabs);
        QCOMPARE(undo.count(), steps + (rows.isEmpty() ? 0 : 1));
        const std::string before = BuildCsvText(start, true).bytes;
        if (rows.isEmpty()) {
            QCOMPARE(BuildCsvText(table(), true).bytes, before);
            return;
        }
        QStringList shown;
        for (int row = 1; row < table().RowCount(); ++row) {
            shown << QString::fromStdString(std::string(table().CellText(row, Callsign)) + ": " +
                                            std::string(table().CellText(row, Comments)));
        }
        QCOMPARE(shown, rows);
        VERIFY_STARTS(status(),
                      "Updated the schedule channels from sked-B26.csv: 2 kept, "
                      "1 updated, 1 added, 1 removed");
        QCOMPARE(testing::ColumnTexts(table(), Number), QStringList({"1", "2", "3", "5", "6"}));
        const std::string after = BuildCsvText(table(), true).bytes;
        undo.undo();
        QCOMPARE(BuildCsvText(table(), true).bytes, before);
        undo.redo();
        QCOMPARE(BuildCsvText(table(), true).bytes, after);
    }

    // Every save, given a name with the extension of any format (or none), writes its own
    // format under its own extension and leaves the other file alone; a name with the extension
    // of a format the dialog offers picks that format. A memory file of another receiver model
    // is refused, not written as one of this model's. Each save proposes the document's name.
    void savedUnderTheFormatsExtension_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");  // empty: refused
        QTest::addColumn<QString>("model");
        // The document's name with the extension of the format the dialog offers first; empty:
        // not checked.
        QTest::addColumn<QString>("proposed");
        QStringList extensions = {QString()};
        for (const ChannelFormat* format : ChannelFormats()) {
            for (const std::string_view extension : format->AllExtensions()) {
                extensions << Latin1(extension) << Latin1(extension).toUpper();
            }
        }
        extensions.removeDuplicates();
        const ReceiverModel model("313");
        for (const SaveCommand& save : kSaves) {
            const QString own = Latin1(Format(save.format).Extensions(model).front());
            const SaveCommand& first =
                *std::find_if(std::begin(kSaves), std::end(kSaves), [&](const SaveCommand& other) {
                    return QLatin1String(other.action) == save.action;
                });
            const QString proposed =
                "channels" + Latin1(Format(first.format).Extensions(model).front());
            for (const QString& typed : extensions) {
                const bool refused =
                    save.format == "memory" && typed.compare(".15m", Qt::CaseInsensitive) == 0;
                const QString written = refused                               ? QString()
                                        : OffersExtension(save.action, typed) ? "list" + typed
                                                                              : "list" + own;
                QTest::addRow("%s as list%s", save.tag, qPrintable(typed))
                    << save.action << save.filter << "list" + typed << written << "313" << proposed;
            }
        }
        // A name that says no format gets the format's extension after it.
        QTest::newRow("Save as SDR++ list as my.list") << "saveListAction" << 1 << "my.list"
                                                       << "my.list.json"
                                                       << "313"
                                                       << "channels.xml";
        QTest::newRow("Save .15m for the 315") << "saveMemoryFileAction" << 0 << "list"
                                               << "list.15m"
                                               << "315"
                                               << "channels.15m";
        QTest::newRow("Export PDF") << "exportPdfAction" << 0 << "list"
                                    << "list.pdf"
                                    << "313"
                                    << "";
    }
    void savedUnderTheFormatsExtension() {
        QFETCH(QString, action);
        QFETCH(int, filter);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QFETCH(QString, model);
        QFETCH(QString, proposed);
        if (action == QLatin1String("saveListAction") && filter == 0 && !SdrSharpListsSupported()) {
            QSKIP("this build writes no SDR# lists");
        }
        startWindow(Channels(2));
        m_window->document().setModelName(model);
        editCell(1, Comments, QStringLiteral("edited"));
        // The file the typed name points at, when it exists, keeps its bytes.
        const QByteArray old("bytes of another file");
        const bool other = typed != written;
        if (other) {
            QVERIFY(testing::WriteBytes(path(typed), old));
        }
        m_dialogs->answers = {path(typed)};
        m_dialogs->filters = {filter};
        trigger(action);
        // The name alone: the dialog starts in the Winradio folder.
        QCOMPARE(proposed.isEmpty() ? QString() : m_dialogs->shown.last().fileName, proposed);
        QCOMPARE(m_dialogs->shown.last().initialFolder, m_window->document().winradioPath());
        if (written.isEmpty()) {
            VERIFY_HOLDS(statusLine(*m_window), "is a .15m memory file");
        } else {
            QVERIFY2(QFile::exists(path(written)), qPrintable(statusLine(*m_window)));
            VERIFY_HOLDS(statusLine(*m_window), written);
        }
        if (other) {
            QCOMPARE(testing::ReadBytes(path(typed)), old);
        }
        QStringList files = QDir(m_dir->path()).entryList({"list*", "my*"}, QDir::Files);
        if (other) {
            files.removeAll(typed);
        }
        QCOMPARE(files, written.isEmpty() ? QStringList() : QStringList{written});
        // Only the table's own kinds of file save it; an export leaves its changes unsaved.
        const bool saves = action == "saveCsvAction" || action == "saveMemoryFileAction";
        QCOMPARE(m_window->isWindowModified(), !saves || written.isEmpty());
    }

    // A name chosen in one kind of dialog is not where another kind starts; within its kind it
    // is kept.
    void lastNameStaysWithItsKind_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("startsFrom");  // the second dialog's file name
        const auto row = [](const char* name, const char* first, const char* answer,
                            const char* second, const char* startsFrom) {
            QTest::newRow(name) << first << answer << second << startsFrom;
        };
        row("Winradio program, then Open", "winradioFolderAction", "G313/G313.exe", "openCsvAction",
            "");
        row("Winradio program, then Open .g3m", "winradioFolderAction", "G313/G313.exe",
            "openMemoryFileAction", "");
        row("Appended SDR++ list, then Save as list", "appendAction", "extra.json",
            "saveListAction", "=channels.xml");
        row("Schedule, then Append", "importScheduleAction", "sked-A26.csv", "appendAction", "");
        row("Open, then Open again", "openCsvAction", "other.csv", "openCsvAction", "other.csv");
        row("Open .g3m, then Open .g3m again", "openMemoryFileAction", "other.g3m",
            "openMemoryFileAction", "other.g3m");
    }
    void lastNameStaysWithItsKind() {
        QFETCH(QString, first);
        QFETCH(QString, answer);
        QFETCH(QString, second);
        QFETCH(QString, startsFrom);
        startWindow(Channels(2));
        trigger(first, path(answer));
        m_window->document().undoStack().setClean();  // no question before an open
        trigger(second, QString());
        // "=name": the name a save proposes, as it stands.
        QCOMPARE(m_dialogs->shown.last().fileName, startsFrom.isEmpty()         ? QString()
                                                   : startsFrom.startsWith('=') ? startsFrom.mid(1)
                                                                                : path(startsFrom));
    }

    // The status line and its tooltip count what the memory file holds after the save. (Over
    // a file with empty places, which are not counted as kept: the converter's
    // summaryCountsWhatTheFileHolds.)
    void memoryFileSaveCountsWhatTheFileHolds_data() {
        QTest::addColumn<QList<int>>("numbers");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("firstDetail");
        QTest::newRow("rows repeat")
            << QList<int>{1, 2, 3, 2, 1}
            << "Wrote 3 records of 92 bytes to m.g3m; 2 rows replaced by a later row with the "
               "same Number; 2 problems reported"
            << "Replaced by a later row with the same Number: row 1 (by row 5), row 2 (by row 4)";
        QList<int> chirp;  // 134 rows, the last 25 repeating channels 1 to 25
        QString rows;
        for (int n = 1; n <= 134; ++n) {
            chirp << (n <= 109 ? n : n - 109);
            rows +=
                n <= 20 ? QStringLiteral("row %1 (by row %2), ").arg(n).arg(109 + n) : QString();
        }
        QTest::newRow("134 rows, 25 repeated")
            << chirp
            << "Wrote 109 records of 92 bytes to m.g3m; 25 rows replaced by a later row with the "
               "same Number; 25 problems reported"
            << "Replaced by a later row with the same Number: " + rows + "5 more";
    }
    void memoryFileSaveCountsWhatTheFileHolds() {
        QFETCH(QList<int>, numbers);
        QFETCH(QString, status);
        QFETCH(QString, firstDetail);
        startWindow(RowsNumbered(numbers));
        trigger("saveMemoryFileAction", path("m.g3m"));
        QCOMPARE(statusLine(*m_window), status);
        QCOMPARE(statusTooltip(*m_window).section('\n', 0, 0), firstDetail);
        // (What the file then holds: the converter's summaryCountsWhatTheFileHolds.)
    }
};

QTEST_MAIN(TestExchange)
#include "tst_exchange.moc"

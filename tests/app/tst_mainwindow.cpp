// The main window: its controls and row commands, files opened and saved, the settings, undo,
// unsaved changes, the clipboard and the layout; and beyond its buttons: sorting and finding,
// the problem tint and panel, recent files and dropped files.

#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QSignalSpy>
#include <QToolBar>
#include <QUrl>
#include <algorithm>

#include "EditorTest.h"
#include "app/ClientArea.h"
#include "app/RecentFiles.h"
#include "app/StatusText.h"
#include "channel/CellChecks.h"
#include "files/ChannelFiles.h"
#include "g3m/MemoryFile.h"
#include "table/TabSeparatedText.h"

using namespace corvalen;

using testing::CellTexts;
using testing::ColumnTexts;
using testing::ReadBytes;
using testing::WriteBytes;

namespace {

QString TabText(const MemoryTable& table, const QList<int>& rows) {
    const std::vector<int> order(rows.begin(), rows.end());
    return QString::fromStdString(EncodeTabSeparated(table, order, 0, table.ColCount() - 1));
}

QStringList Sequence(const QString& pattern, int first, int last) {
    QStringList texts;
    for (int n = first; n <= last; ++n) {
        texts << pattern.arg(n);
    }
    return texts;
}

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

class TestMainWindow : public EditorTest {
    Q_OBJECT

private:
    void importChannels(int channels) {
        m_dialogs->answers.push_back(
            writeCsv(QStringLiteral("channels.csv"), testing::Channels(channels)));
        click(QStringLiteral("Open Winradio .csv file"));
        QCOMPARE(m_window->document().table().rowCount(), channels);
    }

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

    void rowButtons_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QList<int>>("selected");  // table rows
        QTest::addColumn<int>("current");          // table row of the cursor, 0 for none
        QTest::addColumn<QStringList>("numbers");
        QTest::addColumn<QStringList>("callsigns");

        const QStringList numbers = Sequence("%1", 1, 10);
        const QStringList calls = Sequence("C%1", 1, 10);
        QTest::newRow("Add Row") << "Add Row" << QList<int>{5} << 5 << numbers + QStringList{" 11"}
                                 << calls + QStringList{""};
        QTest::newRow("Insert Row below row 3")
            << "Insert Row" << QList<int>{3} << 3
            << Sequence("%1", 1, 3) + QStringList{" 11"} + Sequence("%1", 4, 10)
            << Sequence("C%1", 1, 3) + QStringList{""} + Sequence("C%1", 4, 10);
        QTest::newRow("Insert Row without a cursor")
            << "Insert Row" << QList<int>{} << 0 << numbers + QStringList{" 11"}
            << calls + QStringList{""};
        QTest::newRow("Delete Row(s), range extended upward")
            << "Delete Row(s)" << QList<int>{3, 4, 5} << 3 << Sequence(" %1", 1, 7)
            << Sequence("C%1", 1, 2) + Sequence("C%1", 6, 10);
        QTest::newRow("Delete Row(s), separate rows keep the rows between")
            << "Delete Row(s)" << QList<int>{2, 4} << 4 << Sequence(" %1", 1, 8)
            << QStringList{"C1", "C3"} + Sequence("C%1", 5, 10);
        QTest::newRow("Delete Row(s), nothing selected")
            << "Delete Row(s)" << QList<int>{} << 0 << numbers << calls;
        QTest::newRow("Re-Index") << "Re-Index" << QList<int>{} << 0 << Sequence(" %1", 1, 10)
                                  << calls;
    }

    void rowButtons() {
        QFETCH(QString, caption);
        QFETCH(QList<int>, selected);
        QFETCH(int, current);
        QFETCH(QStringList, numbers);
        QFETCH(QStringList, callsigns);

        MainWindow& window = startWindow(testing::Channels(10));
        QAbstractItemModel* grid = window.grid()->model();  // unsorted: grid rows are table rows
        QItemSelectionModel* selection = window.grid()->selectionModel();
        selection->clear();
        for (int row : selected) {
            selection->select(grid->index(row - 1, 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        if (current > 0) {
            selection->setCurrentIndex(grid->index(current - 1, 0), QItemSelectionModel::NoUpdate);
        }

        const MemoryTable before = table();
        click(caption);
        QCOMPARE(ColumnTexts(table(), Number), numbers);
        QCOMPARE(ColumnTexts(table(), Callsign), callsigns);
        QCOMPARE(table().Caption(Callsign), std::string("Callsign"));

        // Each command is one undo step that gives back the exact table; one that changed
        // nothing leaves no step and no unsaved-changes mark.
        const MemoryTable after = table();
        QUndoStack& stack = window.document().undoStack();
        QCOMPARE(stack.isClean(), after == before);
        QCOMPARE(window.isWindowModified(), after != before);
        if (after == before) {
            return;
        }
        QCOMPARE(stack.undoText(), caption);
        if (caption == QStringLiteral("Re-Index")) {
            click(caption);  // already in order: no second step
            QCOMPARE(stack.count(), 2);
        }
        stack.undo();
        QVERIFY(table() == before);
        QVERIFY(!window.isWindowModified());
        stack.redo();
        QVERIFY(table() == after);
    }

    void importFailureKeepsTheTable_data() {
        QTest::addColumn<QByteArray>("action");
        QTest::addColumn<QString>("answer");  // empty: the dialog is cancelled
        QTest::addColumn<QString>("tail");    // of the status line
        // (Files that cannot be read through "Open Winradio .csv file": tst_editor_badinput.)
        QTest::newRow("cancelled") << QByteArray("openCsvAction") << QString() << QString();
        QTest::newRow("missing memory file") << QByteArray("openMemoryFileAction") << "missing.g3m"
                                             << "nothing opened";
        // Refused, saying how to import it.
        QTest::newRow("EiBi schedule")
            << QByteArray("openCsvAction") << CORVALEN_TEST_DATA_DIR "/formats/eibi/sked-A26.csv"
            << "is an EiBi broadcast schedule: pick its broadcasts with "
               "File > Import Broadcast Schedule, or with corvalen-cli "
               "schedule";
    }

    void importFailureKeepsTheTable() {
        QFETCH(QByteArray, action);
        QFETCH(QString, answer);
        QFETCH(QString, tail);
        MainWindow& window = startWindow();
        editCell(3, Frequency, QStringLiteral("9410000"));
        const MemoryTable before = table();
        const QString chosen = QDir::isAbsolutePath(answer) ? answer : path(answer);
        if (!answer.isEmpty()) {
            m_dialogs->answers.push_back(chosen);
        }
        m_boxes->unsavedAnswers = {UnsavedChangesAnswer::Discard};

        trigger(action.constData());
        QCOMPARE(m_dialogs->shown.size(), 1);
        QVERIFY(table() == before);
        QVERIFY(!window.document().hasImportColumns());
        QVERIFY(window.isWindowModified());  // discarding only gave way to the import
        QVERIFY(window.fileActions().recentFiles().paths().isEmpty());
        if (!answer.isEmpty()) {
            VERIFY_HOLDS(statusLine(window), chosen);
            VERIFY_HOLDS(statusLine(window), tail);
        }
    }

    // The file chosen is read as the reader reads it, as one undo step, and counts as saved; the
    // export of an empty memory opens as an empty table to fill (the converter refuses it). A
    // memory file opens by Ctrl+Shift+O too, its dialog starting from no CSV file's name.
    void importReadsTheChosenFile_data() {
        QTest::addColumn<QString>("model");  // empty: a CSV file
        QTest::addColumn<int>("channels");
        QTest::addColumn<QByteArray>("extraLines");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("details");  // how the status line's tooltip starts
        QTest::newRow("a line reported")
            << "" << 12 << QByteArray("\"13\",\"6000000\",\"5000\"\r\n")
            << "Read 13 channels from memories.csv; 1 line reported"
            << "line 15: ";
        QTest::newRow("the export of an empty memory")
            << "" << 0 << QByteArray() << "Read 0 channels from memories.csv"
            << "";
        QTest::newRow("G313 memory file")
            << "313" << 3 << QByteArray() << "Read 3 channels from memories.g3m (92-byte records)"
            << "";
        QTest::newRow("G303 memory file")
            << "303" << 3 << QByteArray() << "Read 3 channels from memories.g3m (84-byte records)"
            << "";
    }
    void importReadsTheChosenFile() {
        QFETCH(QString, model);
        QFETCH(int, channels);
        QFETCH(QByteArray, extraLines);
        QFETCH(QString, status);
        QFETCH(QString, details);
        MainWindow& window = startWindow();
        window.document().setWinradioPath(m_dir->path());
        const bool csv = model.isEmpty();
        QString file = path(QStringLiteral("memories.g3m"));
        if (csv) {
            file =
                writeCsv(QStringLiteral("memories.csv"), testing::Channels(channels), extraLines);
            m_dialogs->answers.push_back(file);
            click(QStringLiteral("Open Winradio .csv file"));
        } else {
            window.document().setModelName(model);
            writeMemoryFile(QStringLiteral("memories.g3m"), testing::Channels(channels),
                            testing::Model(model));
            window.fileDialog().settings().fileName = QStringLiteral("left over.csv");
            m_dialogs->answers.push_back(file);
            activate();
            QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
            waitForFiles();
        }
        const FileDialogSettings expected{
            m_dir->path(), QString(),
            csv ? QStringLiteral("Memory files (*.csv)|*.csv|SDR# frequency list (*.xml)|*.xml|"
                                 "SDR++ frequency manager (*.json)|*.json")
                : QStringLiteral("Memory files (*.g3m)|*.g3m"),
            QStringLiteral("Select your File"), FileDialogSettings::Form::Open};
        QCOMPARE(m_dialogs->shown.size(), 1);
        QVERIFY(m_dialogs->shown[0] == expected);
        QVERIFY(table() ==
                (csv ? testing::ReadCsvFile(file).table
                     : ReadChannelFile(file.toStdString(), {testing::Model(model), {}})->table));
        QVERIFY(window.document().hasImportColumns());
        QCOMPARE(statusLine(window), status);
        QCOMPARE(statusTooltip(window).left(details.size()), details);
        const QString name = QFileInfo(file).fileName();
        QCOMPARE(window.document().undoStack().undoText(), "Open " + name);
        // The title names the file, with "*" once it has unsaved changes.
        QCOMPARE(window.windowTitle(), QStringLiteral("Grid View \u2014 %1[*]").arg(name));
        QVERIFY(!window.isWindowModified());
        if (csv) {
            QCOMPARE(window.fileDialog().settings().fileName, file);
        }
    }

    void saveCsvPromptsAndRetries_data() {
        QTest::addColumn<bool>("imported");
        QTest::newRow("after an import: 19 columns") << true;
        QTest::newRow("start-up grid: 10 columns") << false;
    }

    void saveCsvPromptsAndRetries() {
        QFETCH(bool, imported);
        MainWindow& window = startWindow();
        window.document().setWinradioPath(m_dir->path());
        if (imported) {
            importChannels(10);
            editCell(2, Callsign, QStringLiteral("new"));  // saved too, and marked saved
        }
        const QString importedPath = window.fileDialog().settings().fileName;
        const QString taken = path(QStringLiteral("taken.csv"));
        const QString other = path(QStringLiteral("other.csv"));
        WriteBytes(taken, "old");
        WriteBytes(other, "older");
        // The name chosen gets the format's extension: the question asks about that file, and
        // the dialog asked again starts from it.
        m_dialogs->answers = {path(QStringLiteral("taken.g3m")), other};
        m_boxes->overwriteAnswers = {false, true};
        const qsizetype before = m_dialogs->shown.size();

        click(QStringLiteral("Save .csv file"));
        // Cancel in the prompt goes back to the dialog; OK writes the file built before it.
        // The document's name is proposed, in the Winradio folder.
        FileDialogSettings expected{m_dir->path(), QFileInfo(importedPath).fileName(),
                                    QStringLiteral("Data files (*.csv)|*.csv"),
                                    QStringLiteral("Save to CSV File"),
                                    FileDialogSettings::Form::Save};
        QCOMPARE(m_dialogs->shown.size(), before + 2);
        QVERIFY(m_dialogs->shown[before] == expected);
        expected.fileName = taken;
        QVERIFY(m_dialogs->shown[before + 1] == expected);
        QCOMPARE(m_boxes->shown.size(), 3);  // first-run message, then two prompts
        for (int i : {1, 2}) {
            QCOMPARE(m_boxes->shown[i].kind, QStringLiteral("confirmOverwrite"));
            QCOMPARE(m_boxes->shown[i].text,
                     QDir::toNativeSeparators(i == 1 ? taken : other) +
                         " already exists.\r\nSelect OK to overwrite, or Cancel to try again.");
        }
        QCOMPARE(ReadBytes(taken), QByteArray("old"));
        QVERIFY(!QFile::exists(path(QStringLiteral("taken.g3m"))));
        const CsvText text = BuildCsvText(table(), imported);
        QCOMPARE(ReadBytes(other), QByteArray::fromStdString(text.bytes));
        // The start-up grid's empty rows are no channels: skipped, and counted.
        QCOMPARE(statusLine(window),
                 imported ? QStringLiteral("Saved 10 rows to other.csv")
                          : QStringLiteral("Saved 0 rows to other.csv; 49 empty rows skipped"));
        QVERIFY(!window.isWindowModified());
    }

    void saveMemoryFileWritesTheCoreBytes_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<bool>("imported");
        QTest::addColumn<QString>("status");
        // The old file holds 32 whole records of 92 bytes (35 of 84); those no channel replaces
        // are kept, and counted.
        const auto row = [](const char* name, const char* model, bool imported,
                            const char* status) {
            QTest::newRow(name) << model << imported << status;
        };
        row("G313", "313", true,
            "Wrote 10 records of 92 bytes to memories.g3m; 22 records already in the file kept");
        row("G303", "303", true,
            "Wrote 10 records of 84 bytes to memories.g3m; 25 records already in the file kept");
        row("start-up grid", "313", false,
            "Wrote 0 records of 92 bytes to memories.g3m; 32 records already in the file kept; "
            "49 empty rows skipped");
    }

    void saveMemoryFileWritesTheCoreBytes() {
        QFETCH(QString, model);
        QFETCH(bool, imported);
        QFETCH(QString, status);
        MainWindow& window = startWindow();
        window.document().setWinradioPath(m_dir->path());
        window.document().setModelName(model);
        if (imported) {
            importChannels(10);
            editCell(2, Callsign, QStringLiteral("new"));  // saved too, and marked saved
        }
        window.fileDialog().settings().fileName = QStringLiteral("left over");

        // An existing longer file keeps the bytes no record covers.
        const QString target = path(QStringLiteral("memories.g3m"));
        const QString reference = path(QStringLiteral("reference.g3m"));
        WriteBytes(target, QByteArray(3000, '\xab'));
        WriteBytes(reference, QByteArray(3000, '\xab'));
        QVERIFY(WriteChannelFile(reference.toStdString(), table(), MemoryFileFormat(),
                                 {window.document().receiverModel(), true, {}})
                    .ok());
        m_dialogs->answers.push_back(target);

        click(QStringLiteral("Save .g3m file"));
        // The save proposes the document's name with the memory file's extension; the start-up
        // grid has none, and no memory file was chosen before.
        const FileDialogSettings expected{m_dir->path(),
                                          imported ? QStringLiteral("channels.g3m") : QString(),
                                          QStringLiteral("Memory files (*.g3m)|*.g3m"),
                                          QStringLiteral("Select your File"),
                                          FileDialogSettings::Form::Open,
                                          QStringLiteral("&Save")};
        QVERIFY(m_dialogs->shown.last() == expected);
        QCOMPARE(ReadBytes(target), ReadBytes(reference));
        QCOMPARE(statusLine(window), status);
        QVERIFY(!window.isWindowModified());
        // The next dialog of another command has its own button again.
        trigger("openCsvAction", QString());
        QVERIFY(m_dialogs->shown.last().acceptLabel.isEmpty());
    }

    void winradioFolder_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QByteArray>("settings");

        const auto row = [](const char* name, const QString& chosen, const char* folder,
                            const QByteArray& settings) {
            QTest::newRow(name) << chosen << folder << "313" << settings;
        };
        row("cancelled", QString(), "/radio/G313", QByteArray());
        QTest::newRow("G303 folder") << "/radio/G303/prog.exe"
                                     << "/radio/G303"
                                     << "303" << QByteArray("/radio/G303\r\n303\r\n");
        // A folder whose name ends in no model is refused: nothing changes, nothing is written.
        row("other folder name", "D:\\Tools\\prog.exe", "/radio/G313", QByteArray());
        row("drive root", "C:\\prog.exe", "/radio/G313", QByteArray());
        row("comma and quotes", "/srv/Radio, \"new\"/G313/g313.exe", "/srv/Radio, \"new\"/G313",
            "/srv/Radio, \"new\"/G313\r\n313\r\n");
        row("accented", "/home/op/Récepteur G313/g313.exe", "/home/op/Récepteur G313",
            "/home/op/R\xe9"
            "cepteur G313\r\n313\r\n");
    }

    void winradioFolder() {
        QFETCH(QString, chosen);
        QFETCH(QString, folder);
        QFETCH(QString, model);
        QFETCH(QByteArray, settings);
#ifdef _WIN32
        // A folder picked on Windows is kept as Windows writes it, with backslashes.
        if (!settings.isEmpty()) {
            folder = QDir::toNativeSeparators(folder);
            settings.replace('/', '\\');
        }
#endif
        MainWindow& window = startWindow();
        window.document().setWinradioPath(QStringLiteral("/radio/G313"));
        window.document().setModelName(QStringLiteral("313"));
        window.fileDialog().settings().fileName = QStringLiteral("/last/choice.csv");
        m_dialogs->answers.push_back(chosen);

        trigger("winradioFolderAction");
        // The name a CSV dialog left is not where the program's dialog starts.
        const FileDialogSettings expected{
            QDir::homePath(), QString(), QStringLiteral("Winradio File (*.exe)|*.exe"),
            QStringLiteral("Select your Winradio file"), FileDialogSettings::Form::Open};
        QVERIFY(m_dialogs->shown.last() == expected);
        QCOMPARE(window.document().winradioPath(), folder);
        QCOMPARE(window.document().modelName(), model);
        QCOMPARE(ReadBytes(path(QStringLiteral("program/Corvalen.ini"))), settings);
        if (chosen.isNull()) {
            return;  // a cancel changes nothing and writes nothing
        }
        if (settings.isEmpty()) {
            VERIFY_HOLDS(statusLine(window), QStringLiteral("is no receiver model"));
            return;
        }

        // The next start reads back what was written, without the first-run message.
        m_boxes->shown.clear();
        MainWindow& next = startWindow();
        QCOMPARE(next.document().winradioPath(), folder);
        QCOMPARE(next.document().modelName(), model);
        QVERIFY(m_boxes->shown.isEmpty());
    }

    void exitWritesSettings_data() {
        QTest::addColumn<QString>("programDir");
        QTest::addColumn<QString>("userDir");
        QTest::addColumn<QString>("written");
        QTest::newRow("beside the program") << "program"
                                            << "user"
                                            << "program/Corvalen.ini";
        QTest::newRow("program folder not writable") << "blocker/program"
                                                     << "user"
                                                     << "user/Corvalen.ini";
    }

    void exitWritesSettings() {
        QFETCH(QString, programDir);
        QFETCH(QString, userDir);
        QFETCH(QString, written);
        WriteBytes(path(QStringLiteral("blocker")), "a file, so no folder can be made in it");
        m_programDir = path(programDir);
        m_userDir = path(userDir);

        // The first run says so, in one paragraph, before the window shows; it writes no settings
        // until Exit.
        MainWindow& window = startWindow();
        QVERIFY(window.isVisible());
        QCOMPARE(m_boxes->shown.size(), 1);
        QCOMPARE(m_boxes->shown[0].kind, QStringLiteral("information"));
        VERIFY_STARTS(m_boxes->shown[0].text,
                      "This appears to be the first time you have run this application.");
        QVERIFY(!m_boxes->shown[0].text.contains(QLatin1Char('\n')));
        QVERIFY2(!m_boxes->shown[0].windowVisible, "shown before the window");
        // The settings go to the user's folder when the program's takes none; Options says
        // where, which is no command. (Settings written nowhere: tst_editor_badinput.)
        auto* where = window.findChild<QAction*>(QStringLiteral("settingsKeptAction"));
        QCOMPARE(where->text(), QStringLiteral("Settings kept in ") + DisplayPath(path(written)));
        QVERIFY(!where->isEnabled());
        QVERIFY(!QFile::exists(path(written)));
        click(QStringLiteral("Exit"));
        QVERIFY(!window.isVisible());
        QCOMPARE(ReadBytes(path(written)), QByteArray("\r\n313\r\n"));

        m_boxes->shown.clear();
        startWindow();
        QVERIFY(m_boxes->shown.isEmpty());
    }

    // A cell edit and an import are undo steps like the row commands. A loaded file counts as
    // saved; undoing the import brings back the table and the column form from before it. Each
    // open keeps the whole table it replaced for undo, so the history reaches back over one
    // open: the next starts it afresh, and can itself still be undone.
    void undoReachesBackOverOneOpen_data() {
        QTest::addColumn<int>("opens");             // files of 1, 2, ... channels, opened in turn
        QTest::addColumn<int>("steps");             // undo steps then
        QTest::addColumn<int>("rowsAtStart");       // channel rows once every step is undone
        QTest::newRow("one open") << 1 << 2 << 49;  // the edit, the open; the start-up grid
        QTest::newRow("second open starts afresh") << 2 << 1 << 1;
        QTest::newRow("third open") << 3 << 1 << 2;
    }

    void undoReachesBackOverOneOpen() {
        QFETCH(int, opens);
        QFETCH(int, steps);
        QFETCH(int, rowsAtStart);
        MainWindow& window = startWindow();
        QUndoStack& stack = window.document().undoStack();
        const MemoryTable startUp = table();
        editCell(1, Frequency, QStringLiteral("9410000"));
        editCell(1, Frequency, QStringLiteral("9410000"));
        QCOMPARE(stack.count(), 1);  // the same text again is no change
        QCOMPARE(stack.undoText(), QStringLiteral("Edit Cell"));
        QVERIFY(window.isWindowModified());
        const MemoryTable edited = table();
        m_boxes->unsavedAnswers = {UnsavedChangesAnswer::Discard};
        for (int channels = 1; channels <= opens; ++channels) {
            importChannels(channels);
        }
        const MemoryTable loaded = table();
        QVERIFY(!window.isWindowModified());
        QCOMPARE(stack.count(), steps);
        QAction* undo = window.findChild<QAction*>(QStringLiteral("undoAction"));
        QAction* redo = window.findChild<QAction*>(QStringLiteral("redoAction"));
        QCOMPARE(undo->text(), QStringLiteral("Undo Open channels.csv"));
        undo->trigger();
        if (opens == 1) {
            QVERIFY(table() == edited);
            QVERIFY(!window.document().hasImportColumns());
            QVERIFY(window.isWindowModified());
            QCOMPARE(redo->text(), QStringLiteral("Redo Open channels.csv"));
        }
        while (undo->isEnabled()) {
            undo->trigger();
        }
        QCOMPARE(model().rowCount(), rowsAtStart);
        QVERIFY(rowsAtStart != 49 || table() == startUp);
        stack.setIndex(stack.count());
        QVERIFY(table() == loaded);
        QVERIFY(window.document().hasImportColumns());
        QVERIFY(!window.isWindowModified());
    }

    void unsavedChangesAreAskedAbout_data() {
        QTest::addColumn<QString>("trigger");  // "close", "Exit" or "open"
        QTest::addColumn<bool>("edited");
        QTest::addColumn<UnsavedChangesAnswer>("answer");
        QTest::addColumn<QString>("saveAs");  // what the save's file dialog answers; null: cancel
        QTest::addColumn<bool>("goesOn");

        using A = UnsavedChangesAnswer;
        const QString csv = QStringLiteral("kept.csv");
        const QString g3m = QStringLiteral("kept.g3m");
        // Each answer once, each way of asking at least once.
        QTest::newRow("open: nothing to save") << "open" << false << A::Cancel << QString() << true;
        QTest::newRow("close: save as .csv") << "close" << true << A::SaveCsv << csv << true;
        QTest::newRow("open: save as .g3m") << "open" << true << A::SaveMemoryFile << g3m << true;
        QTest::newRow("Exit: save cancelled in its dialog")
            << "Exit" << true << A::SaveCsv << QString() << false;
        QTest::newRow("Exit: discard") << "Exit" << true << A::Discard << QString() << true;
        QTest::newRow("open: cancel") << "open" << true << A::Cancel << QString() << false;
        QTest::newRow("close: cancel") << "close" << true << A::Cancel << QString() << false;
    }

    void unsavedChangesAreAskedAbout() {
        QFETCH(QString, trigger);
        QFETCH(bool, edited);
        QFETCH(UnsavedChangesAnswer, answer);
        QFETCH(QString, saveAs);
        QFETCH(bool, goesOn);
        MainWindow& window = startWindow();
        window.document().setModelName(QStringLiteral("313"));
        importChannels(3);
        if (edited) {
            editCell(3, Comments, QStringLiteral("edited"));
        }
        const MemoryTable kept = table();
        m_boxes->shown.clear();
        m_boxes->unsavedAnswers = {answer};
        m_dialogs->answers.clear();
        if (answer == UnsavedChangesAnswer::SaveCsv ||
            answer == UnsavedChangesAnswer::SaveMemoryFile) {
            m_dialogs->answers.push_back(saveAs.isNull() ? QString() : path(saveAs));
        }
        const QString other = writeCsv(QStringLiteral("other.csv"), testing::Channels(5));
        m_dialogs->answers.push_back(other);

        if (trigger == QStringLiteral("close")) {
            window.close();
            waitForFiles();
        } else if (trigger == QStringLiteral("Exit")) {
            click(QStringLiteral("Exit"));
            QVERIFY(QFile::exists(path(QStringLiteral("program/Corvalen.ini"))));
        } else {
            click(QStringLiteral("Open Winradio .csv file"));
        }

        QCOMPARE(m_boxes->shown.size(), edited ? 1 : 0);
        if (edited) {
            QCOMPARE(m_boxes->shown[0].kind, QStringLiteral("askUnsavedChanges"));
            QVERIFY(m_boxes->shown[0].text.startsWith(
                QStringLiteral("The memory table has changes that are not saved.")));
        }
        if (trigger == QStringLiteral("open")) {
            QCOMPARE(model().rowCount(), goesOn ? 5 : 3);
        } else {
            QCOMPARE(window.isVisible(), !goesOn);
        }
        if (!saveAs.isNull()) {
            QVERIFY(QFile::exists(path(saveAs)));
        }
        if (saveAs.endsWith(QStringLiteral(".csv"))) {
            QCOMPARE(ReadBytes(path(saveAs)),
                     QByteArray::fromStdString(BuildCsvText(kept, true).bytes));
        }
        if (!goesOn) {
            QVERIFY(table() == kept);
            QVERIFY(window.isWindowModified());
        }
    }

    // Ctrl+C and Ctrl+X on the grid copy the selected rows whole, in order, as spreadsheet
    // text; a cut, or Delete, empties them in one undo step; Ctrl+V puts them back at the cursor
    // row.
    void clipboardMovesWholeRows() {
        MainWindow& window = startWindow(testing::Channels(6));
        QUndoStack& stack = window.document().undoStack();
        editCell(2, Comments, QStringLiteral("tab\there, \"quoted\""));
        const MemoryTable before = table();
        QTableView* grid = window.grid();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        grid->setFocus();
        grid->selectRow(1);
        grid->selectionModel()->select(grid->model()->index(3, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);

        QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), TabText(before, {2, 4}));
        QCOMPARE(statusLine(window), QStringLiteral("Copied 2 rows"));

        QTest::keyClick(grid, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), TabText(before, {2, 4}));
        QCOMPARE(statusLine(window), QStringLiteral("Cut 2 rows"));
        const auto emptied = [&](const char* step) {
            for (const int row : {2, 4}) {
                QCOMPARE(CellTexts(table(), row), QStringList(19));
            }
            QCOMPARE(CellTexts(table(), 3), CellTexts(before, 3));
            QCOMPARE(stack.undoText(), QString::fromLatin1(step));
            stack.undo();
            QVERIFY(table() == before);
        };
        emptied("Cut");
        QTest::keyClick(grid, Qt::Key_Delete);
        emptied("Clear Cells");

        // Whole rows go into their own columns, wherever the cursor is in the row.
        grid->setCurrentIndex(grid->model()->index(5, Callsign));
        QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(statusLine(window),
                 QStringLiteral("Pasted 2 rows of 19 cells at row 6; 1 row added"));
        QCOMPARE(model().rowCount(), 7);
        QCOMPARE(CellTexts(table(), 6), CellTexts(before, 2));
        QCOMPARE(CellTexts(table(), 7), CellTexts(before, 4));
        QCOMPARE(stack.undoText(), QStringLiteral("Paste"));
        stack.undo();
        QVERIFY(table() == before);
    }

    void pasteAtTheCursor_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("row");  // table row of the cursor; 0: no cursor
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("cells");  // "row,column=text" after the paste

        QTest::newRow("block inside the table")
            << "a\tb\r\nc\td\r\n"
            << 2 << int(Callsign) << "Pasted 2 rows of 2 cells at row 2" << 3
            << QStringList{"2,17=a", "2,18=b", "3,17=c", "3,18=d", "1,17=C1"};
        QTest::newRow("rows past the last row are added, each numbered as its row")
            << "w\nx\ny\nz" << 3 << int(Mode) << "Pasted 4 rows of 1 cell at row 3; 3 rows added"
            << 6 << QStringList{"3,16=w", "4,16=x", "6,16=z", "4,0= 4",
                                "5,0= 5", "6,0= 6", "6,17=",  "3,0=3"};
        QTest::newRow("a Number column pasted into new rows is kept")
            << "1\t7\n2\t8\n"
            << 3 << int(Number) << "Pasted 2 rows of 2 cells at row 3; 1 row added" << 4
            << QStringList{"3,0=1", "3,1=7", "4,0=2", "4,1=8"};
        QTest::newRow("columns past the last one left out")
            << "a\tb\tc\td\n"
            << 1 << int(Callsign)
            << "Pasted 1 row of 2 cells at row 1; 2 columns past the last column left out" << 3
            << QStringList{"1,17=a", "1,18=b"};
        QTest::newRow("no cursor: below the last row")
            << "\"multi\nline\"\n"
            << 0 << 0 << "Pasted 1 row of 1 cell at row 4; 1 row added" << 4
            << QStringList{"4,0=multi\nline", "3,0=3"};
        QTest::newRow("empty clipboard")
            << "" << 1 << 0 << "Nothing to paste: the clipboard holds no text" << 3
            << QStringList{"1,0=1"};
        // Sorted, a paste goes down the rows as the grid shows them: C3, C2, C1.
        QTest::newRow("sorted by Callsign, descending")
            << "x\ny\nz\n"
            << 3 << int(Comments) << "Pasted 3 rows of 1 cell at row 3" << 3
            << QStringList{"3,18=x", "2,18=y", "1,18=z"};
    }

    // A paste is one undo step, whatever it wrote and added.
    void pasteAtTheCursor() {
        QFETCH(QString, text);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, status);
        QFETCH(int, rows);
        QFETCH(QStringList, cells);
        MainWindow& window = startWindow(testing::Channels(3));
        const MemoryTable before = table();
        if (QByteArray(QTest::currentDataTag()).startsWith("sorted")) {
            window.grid()->sortByColumn(Callsign, Qt::DescendingOrder);
        }
        window.grid()->selectionModel()->clear();
        if (row > 0) {
            window.grid()->setCurrentIndex(gridCell(row, column));
        }
        QApplication::clipboard()->setText(text);

        trigger("pasteAction");
        QCOMPARE(statusLine(window), status);
        QCOMPARE(model().rowCount(), rows);
        for (const QString& expected : cells) {
            const QStringList parts = expected.split(QLatin1Char('='));
            const QStringList place = parts[0].split(QLatin1Char(','));
            QCOMPARE(std::string(table().CellText(place[0].toInt(), place[1].toInt())),
                     expected.mid(parts[0].size() + 1).toStdString());
        }
        if (table() == before) {
            QVERIFY(window.document().undoStack().isClean());
            return;
        }
        checkUndoRedo(before);
    }

    void resizeGrowsGridAndBar_data() {
        QTest::addColumn<QSize>("growth");
        QTest::newRow("wider and taller") << QSize(150, 40);
        QTest::newRow("narrower and lower") << QSize(-60, -90);
    }

    void resizeGrowsGridAndBar() {
        QFETCH(QSize, growth);
        MainWindow& window = startWindow();
        QWidget* client = window.centralWidget();
        QCOMPARE(client->size(), ClientArea::designSize());
        const auto geometry = [&](const char* name) {
            return window.findChild<QWidget*>(QString::fromLatin1(name))->geometry();
        };
        const QRect frame1 = geometry("gridFrame");
        const QRect frame2 = geometry("buttonBar");
        const QRect grid = geometry("grid");
        const QRect exit = geometry("exitButton");
        const QRect addRow = geometry("addRowButton");
        const QFontMetrics metrics(window.grid()->font());  // fixed pitch: every letter is as wide
        QCOMPARE(metrics.horizontalAdvance('i'), metrics.horizontalAdvance('W'));

        window.resize(window.size() + growth);
        QTRY_COMPARE(client->size(), ClientArea::designSize() + growth);
        QCOMPARE(geometry("gridFrame"), frame1.adjusted(0, 0, growth.width(), growth.height()));
        QCOMPARE(geometry("buttonBar"),
                 frame2.adjusted(0, growth.height(), growth.width(), growth.height()));
        QCOMPARE(geometry("grid"), grid.adjusted(0, 0, growth.width(), growth.height()));
        QCOMPARE(geometry("exitButton"), exit.translated(growth.width(), 0));
        QCOMPARE(geometry("addRowButton"), addRow);
        QCOMPARE(geometry("buttonBar").width() - geometry("exitButton").right() - 1,
                 7);  // 100 twips
    }

    void smallestWindowShowsEverything() {
        MainWindow& window = startWindow();
        window.resize(100, 100);
        QTRY_COMPARE(window.centralWidget()->size(), window.centralWidget()->minimumSizeHint());
        QWidget* frame1 = window.findChild<QWidget*>(QStringLiteral("gridFrame"));
        QWidget* frame2 = window.findChild<QWidget*>(QStringLiteral("buttonBar"));
        QWidget* grid = window.grid();
        QVERIFY(window.centralWidget()->rect().contains(frame1->geometry()));
        QVERIFY(window.centralWidget()->rect().contains(frame2->geometry()));
        QVERIFY(!frame1->geometry().intersects(frame2->geometry()));
        QVERIFY(frame1->rect().contains(grid->geometry()));
        QVERIFY(grid->height() >= 100);
        const QList<QPushButton*> buttons = frame2->findChildren<QPushButton*>();
        QCOMPARE(buttons.size(), 8);
        for (QPushButton* b : buttons) {
            QVERIFY2(frame2->rect().contains(b->geometry()), qPrintable(b->text()));
            for (QPushButton* other : buttons) {
                QVERIFY(b == other || !b->geometry().intersects(other->geometry()));
            }
        }
    }

    // The real dialogs, answered as soon as they are up; checked once they are closed. Every
    // question has Cancel, and Esc is Cancel.
    void qtDialogsShowTheSettings() {
        // The file dialog opens with the filter entry asked for, and says which entry the name
        // was chosen under.
        QtFileDialogPresenter presenter(nullptr);
        const QString chosen = path(QStringLiteral("new.json"));  // does not exist yet
        FileDialogSettings settings{m_dir->path(), QString(),
                                    "Memory files (*.g3m)|*.g3m|SDR++ frequency manager|*.json",
                                    "Select your File", FileDialogSettings::Form::Open};
        settings.filterIndex = 1;
        QStringList seen;
        std::optional<QString> answer;
        QVERIFY(WithModal([&] { answer = presenter.show(settings); },
                          [&](QWidget* widget) {
                              auto* dialog = qobject_cast<QFileDialog*>(widget);
                              seen << dialog->windowTitle() << dialog->nameFilters()
                                   << QString::number(dialog->acceptMode())
                                   << dialog->selectedNameFilter();
                              // Typed, as a user would: selectFile leaves a focused name
                              // field as it is, and the dialog is focused once it is active.
                              dialog->findChild<QLineEdit*>("fileNameEdit")->setText(chosen);
                              static_cast<QDialog*>(dialog)->accept();
                          }));
        QCOMPARE(answer, std::optional<QString>(chosen));
        QCOMPARE(seen, (QStringList{"Select your File", "Memory files (*.g3m)",
                                    "SDR++ frequency manager (*.json)",
                                    QString::number(QFileDialog::AcceptOpen),
                                    "SDR++ frequency manager (*.json)"}));
        QCOMPARE(presenter.chosenFilter(), 1);

        // Each question's text and buttons, the default one first; then Esc.
        const auto boxes = MakeQtMessageBoxes(nullptr);
        QString text;
        QStringList buttons;
        const auto escape = [&](QWidget* widget) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            text = box->text();
            buttons = QStringList{box->defaultButton() ? box->defaultButton()->text() : QString()};
            for (QAbstractButton* b : box->buttons()) {
                // Every button but Cancel (Esc) has its Alt letter.
                if (!b->text().contains(QLatin1Char('&')) && b->text() != "Cancel") {
                    buttons << QStringLiteral("no letter: ") + b->text();
                }
                buttons << b->text().remove(QLatin1Char('&'));
            }
            QTest::keyClick(box, Qt::Key_Escape);
        };
        QVERIFY(WithModal(
            [&] {
                QVERIFY(!boxes->confirmOverwrite("Corvalen", "a.csv already exists.\r\nSelect OK"));
            },
            escape));
        QCOMPARE(text, QStringLiteral("a.csv already exists.\nSelect OK"));
        QVERIFY(buttons.contains(QStringLiteral("Cancel")));
        QVERIFY(WithModal([&] { QVERIFY(!boxes->askChirpNumbering("Corvalen", "?")); }, escape));
        QVERIFY(buttons.contains(QStringLiteral("Cancel")));
        // The unsaved-changes question: saving as .csv is the default.
        QVERIFY(WithModal(
            [&] {
                QCOMPARE(boxes->askUnsavedChanges("Corvalen", "Changes", ".g3m"),
                         UnsavedChangesAnswer::Cancel);
            },
            escape));
        QCOMPARE(buttons.value(0), QStringLiteral("Save as .&csv"));  // Alt+C
        QVERIFY2(buttons.contains(QStringLiteral("Save as .g3m")) &&
                     buttons.contains(QStringLiteral("Discard")) &&
                     buttons.contains(QStringLiteral("Cancel")) &&
                     buttons.filter(QStringLiteral("no letter")).isEmpty(),
                 qPrintable(buttons.join(QLatin1Char(','))));
    }

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

        activate();
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
    // the sorted grid shows its row; the panel lists it and a click there goes to it. A value
    // written differently is a notice, tinted apart.
    void problemCellsTintedListedAndReached_data() {
        QTest::addColumn<int>("row");  // the cell made bad
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("flaggedRow");  // the cell the problem is reported on
        QTest::addColumn<int>("flaggedColumn");
        QTest::addColumn<QString>("count");

        const auto row = [](const char* name, int bad, int column, const char* text, int flaggedRow,
                            const char* count = "1 problem") {
            QTest::newRow(name) << bad << column << text << flaggedRow << column << count;
        };
        row("Frequency not a number", 4, Frequency, "7 MHz", 4);
        row("unknown Mode", 2, Mode, "XYZ", 2);
        row("repeated channel number: the earlier row loses its record", 5, Number, "2", 2);
        row("notice: Frequency not whole Hz", 2, Frequency, "7100000.9", 2, "1 notice");
        row("notice: frequency and mode of row 2", 3, Frequency, "7010000", 3, "1 notice");
    }

    void problemCellsTintedListedAndReached() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(int, flaggedRow);
        QFETCH(int, flaggedColumn);
        QFETCH(QString, count);
        MemoryTable table = testing::Channels(6);
        table.SetCellText(row, column, text.toStdString());
        MainWindow& window = startWindow(table);
        checkFor313();
        const std::vector<Diagnostic> expected = CheckCells(table, "313");
        QVERIFY(!expected.empty());
        QCOMPARE(window.problems().problems(), expected);
        const auto* countLabel = window.findChild<QLabel*>(QStringLiteral("problemCount"));
        QCOMPARE(countLabel->text(), count);
        const QColor tint = count.contains(QStringLiteral("notice"))
                                ? ChannelViewModel::kNoticeTint
                                : ChannelViewModel::kProblemTint;

        clickHeader(Callsign);
        clickHeader(Callsign);  // descending: grid rows differ from table rows
        QTableView* grid = window.grid();
        const QModelIndex cell = gridCell(flaggedRow, flaggedColumn);
        QVERIFY(cell.isValid() && cell.row() != flaggedRow - 1);
        QCOMPARE(cell.data(Qt::BackgroundRole).value<QColor>(), tint);
        QVERIFY(cell.data(Qt::ToolTipRole)
                    .toString()
                    .contains(QString::fromStdString(MessageText(expected[0]))));
        const QModelIndex neighbour =
            cell.siblingAtColumn(flaggedColumn == Callsign ? 0 : Callsign);
        QVERIFY(!neighbour.data(Qt::BackgroundRole).isValid());
        QVERIFY(!neighbour.data(Qt::ToolTipRole).isValid());

        // The panel's line for it, clicked while the find text hides the row.
        auto* list = window.findChild<QTreeView*>(QStringLiteral("problemList"));
        QCOMPARE(list->model()->rowCount(), static_cast<int>(expected.size()));
        const QModelIndex line = list->model()->index(0, 0);
        QVERIFY(line.data().toString().startsWith(QStringLiteral("row %1, ").arg(flaggedRow)));
        QCOMPARE(line.data(Qt::BackgroundRole).value<QColor>(), tint);
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
        editCell(row, column, testing::Cell(testing::Channels(6), row, column));
        QTRY_COMPARE(countLabel->text(), QStringLiteral("No problems"));
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
            editCell(edit.row, edit.column, edit.text);
            window.problems().checkNow();
            QCOMPARE(window.problems().problems(), CheckCells(table(), "313"));
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

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

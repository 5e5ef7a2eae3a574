#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QUndoStack>
#include <memory>

#include "EditorTest.h"
#include "app/ClientArea.h"
#include "app/RecentFiles.h"
#include "app/StatusText.h"
#include "csv/CsvReader.h"
#include "csv/CsvWriter.h"
#include "files/ChannelFiles.h"
#include "g3m/MemoryFile.h"
#include "table/Columns.h"
#include "table/TabSeparatedText.h"

using namespace corvalen;

using testing::ColumnTexts;
using testing::ReadBytes;
using testing::WriteBytes;

namespace {

std::vector<std::string> RowStrings(const MemoryTable& table, int row) {
    std::vector<std::string> texts;
    for (int column = 0; column < table.ColCount(); ++column) {
        texts.emplace_back(table.CellText(row, column));
    }
    return texts;
}

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

private slots:
    void init() { setUpEditor(); }
    void cleanup() { m_window.reset(); }

    // The first run says so before the window shows, and writes no settings. (Settings read
    // back: winradioFolder, and exitWritesSettings from the user's folder.)
    void firstRunSaysSo() {
        MainWindow& window = startWindow();
        QVERIFY(window.isVisible());
        QCOMPARE(window.document().winradioPath(), QString());
        QCOMPARE(window.document().modelName(), QStringLiteral("313"));
        QCOMPARE(m_boxes->shown.size(), 1);
        QCOMPARE(m_boxes->shown[0].kind, QStringLiteral("information"));
        QCOMPARE(m_boxes->shown[0].title, QStringLiteral("Corvalen"));
        QVERIFY(m_boxes->shown[0].text.startsWith(
            QStringLiteral("This appears to be the first time you have run this application.")));
        QVERIFY2(!m_boxes->shown[0].windowVisible, "shown before the window");
        QVERIFY(!QFile::exists(path(QStringLiteral("program/Corvalen.ini"))));
    }

    void windowHasTheDesignedControls() {
        MainWindow& window = startWindow();
        QCOMPARE(window.windowTitle(), QStringLiteral("Grid View[*]"));
        QVERIFY(!window.isWindowModified());
        QTableView* grid = window.grid();
        QCOMPARE(grid->model()->rowCount(), 49);
        QCOMPARE(grid->model()->columnCount(), 10);
        const QFontMetrics metrics(grid->font());  // fixed pitch: every letter is as wide
        QCOMPARE(metrics.horizontalAdvance(QLatin1Char('i')),
                 metrics.horizontalAdvance(QLatin1Char('W')));

        // The bar from left to right, below the grid.
        const QStringList captions = {"Open Winradio .csv file", "Add Row",  "Insert Row",
                                      "Delete Row(s)",           "Re-Index", "Save .csv file",
                                      "Save .g3m file",          "Exit"};
        int left = -1;
        for (const QString& caption : captions) {
            QPushButton* b = button(caption);
            QVERIFY2(b, qPrintable(caption));
            QVERIFY(b->mapTo(&window, QPoint(0, 0)).y() > grid->mapTo(&window, QPoint(0, 0)).y());
            QVERIFY(b->x() > left);
            left = b->x();
        }
        QMenu* options = window.findChild<QMenu*>(QStringLiteral("optionsMenu"));
        QCOMPARE(options->title(), QStringLiteral("&Options"));
        QCOMPARE(options->actions().size(), 4);
        QCOMPARE(options->actions()[0]->text(), QStringLiteral("Winradio Folder"));
        QCOMPARE(options->actions()[1]->text(), QStringLiteral("Keep a &Backup When Saving"));
        // Then, after a separator, where the settings are kept, which is no command.
        QVERIFY(options->actions()[2]->isSeparator());
        QVERIFY(options->actions()[3]->text().startsWith(QStringLiteral("Settings kept in ")));
        QVERIFY(!options->actions()[3]->isEnabled());

        // The row commands already work on the start-up grid.
        click(QStringLiteral("Add Row"));
        QCOMPARE(table().RowCount(), 51);
        QCOMPARE(table().CellText(50, Number), std::string(" 50"));
        QCOMPARE(grid->currentIndex().row(), 49);
    }

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

        MainWindow& window = startWindow();
        importChannels(10);
        MemoryTableModel& model = window.document().table();
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

        const MemoryTable before = model.table();
        click(caption);
        QCOMPARE(ColumnTexts(model.table(), Number), numbers);
        QCOMPARE(ColumnTexts(model.table(), Callsign), callsigns);
        QCOMPARE(model.table().Caption(Callsign), std::string("Callsign"));

        // Each command is one undo step that gives back the exact table; one that changed
        // nothing leaves no step and no unsaved-changes mark.
        const MemoryTable after = model.table();
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
        QVERIFY(model.table() == before);
        QVERIFY(!window.isWindowModified());
        stack.redo();
        QVERIFY(model.table() == after);
    }

    void importFailureKeepsTheTable_data() {
        QTest::addColumn<QByteArray>("action");
        QTest::addColumn<QString>("answer");  // empty: the dialog is cancelled
        QTest::addColumn<QString>("tail");    // of the status line
        // (Files that cannot be read through "Open Winradio .csv file": tst_editor_badinput.)
        QTest::newRow("cancelled") << QByteArray("openCsvAction") << QString() << QString();
        QTest::newRow("missing memory file") << QByteArray("openMemoryFileAction")
                                             << "missing.g3m" << "nothing opened";
    }

    void importFailureKeepsTheTable() {
        QFETCH(QByteArray, action);
        QFETCH(QString, answer);
        QFETCH(QString, tail);
        MainWindow& window = startWindow();
        MemoryTableModel& model = window.document().table();
        QVERIFY(model.setData(model.index(2, Frequency), QStringLiteral("9410000")));
        const MemoryTable before = model.table();
        if (!answer.isEmpty()) {
            m_dialogs->answers.push_back(path(answer));
        }
        m_boxes->unsavedAnswers = {UnsavedChangesAnswer::Discard};

        trigger(action.constData());
        QCOMPARE(m_dialogs->shown.size(), 1);
        QVERIFY(model.table() == before);
        QVERIFY(!window.document().hasImportColumns());
        QVERIFY(window.isWindowModified());  // discarding only gave way to the import
        QVERIFY(window.fileActions().recentFiles().paths().isEmpty());
        if (!answer.isEmpty()) {
            QVERIFY2(statusLine(window).contains(path(answer)), qPrintable(statusLine(window)));
            QVERIFY(statusLine(window).contains(tail));
        }
    }

    // The file chosen is read as the reader reads it; the export of an empty memory opens as an
    // empty table to fill (the converter refuses it).
    void importReadsTheChosenFile_data() {
        QTest::addColumn<int>("channels");
        QTest::addColumn<QByteArray>("extraLines");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("details");  // how the status line's tooltip starts
        QTest::newRow("a line reported") << 12 << QByteArray("\"13\",\"6000000\",\"5000\"\r\n")
                                         << "Read 13 channels from memories.csv; 1 line reported"
                                         << "line 15: ";
        QTest::newRow("the export of an empty memory")
            << 0 << QByteArray() << "Read 0 channels from memories.csv"
            << "";
    }
    void importReadsTheChosenFile() {
        QFETCH(int, channels);
        QFETCH(QByteArray, extraLines);
        QFETCH(QString, status);
        QFETCH(QString, details);
        MainWindow& window = startWindow();
        window.document().setWinradioPath(m_dir->path());
        const QString file =
            writeCsv(QStringLiteral("memories.csv"), testing::Channels(channels), extraLines);
        m_dialogs->answers.push_back(file);

        click(QStringLiteral("Open Winradio .csv file"));
        const FileDialogSettings expected{
            m_dir->path(), QString(),
            QStringLiteral("Memory files (*.csv)|*.csv|SDR# frequency list (*.xml)|*.xml|"
                           "SDR++ frequency manager (*.json)|*.json"),
            QStringLiteral("Select your File"), FileDialogSettings::Form::Open};
        QCOMPARE(m_dialogs->shown.size(), 1);
        QVERIFY(m_dialogs->shown[0] == expected);
        const CsvImport reference = testing::ReadCsvFile(file);
        QVERIFY(window.document().table().table() == reference.table);
        QVERIFY(window.document().hasImportColumns());
        QCOMPARE(window.fileDialog().settings().fileName, file);
        QCOMPARE(statusLine(window), status);
        QCOMPARE(statusTooltip(window).left(details.size()), details);
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
            QCOMPARE(m_boxes->shown[i].title, QStringLiteral("Corvalen"));
            QCOMPARE(m_boxes->shown[i].text,
                     QDir::toNativeSeparators(i == 1 ? taken : other) +
                         " already exists.\r\nSelect OK to overwrite, or Cancel to try again.");
        }
        QCOMPARE(ReadBytes(taken), QByteArray("old"));
        QVERIFY(!QFile::exists(path(QStringLiteral("taken.g3m"))));
        const CsvText text = BuildCsvText(window.document().table().table(), imported);
        QCOMPARE(ReadBytes(other), QByteArray::fromStdString(text.bytes));
        // The start-up grid's empty rows are no channels: skipped, and counted.
        QCOMPARE(statusLine(window),
                 imported ? QStringLiteral("Saved 10 rows to other.csv")
                          : QStringLiteral("Saved 0 rows to other.csv; 49 empty rows skipped"));
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
        }
        window.fileDialog().settings().fileName = QStringLiteral("left over");

        // An existing longer file keeps the bytes no record covers.
        const QString target = path(QStringLiteral("memories.g3m"));
        const QString reference = path(QStringLiteral("reference.g3m"));
        WriteBytes(target, QByteArray(3000, '\xab'));
        WriteBytes(reference, QByteArray(3000, '\xab'));
        QVERIFY(WriteChannelFile(reference.toStdString(), window.document().table().table(),
                                 MemoryFileFormat(), {window.document().receiverModel(), true, {}})
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
        // The next dialog of another command has its own button again.
        m_dialogs->answers.push_back(QString());
        trigger("openCsvAction");
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
            QVERIFY2(statusLine(window).contains(QStringLiteral("is no receiver model")),
                     qPrintable(statusLine(window)));
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
        QTest::addColumn<QString>("written");  // empty: nowhere, the window stays open
        const auto row = [](const char* name, const char* program, const char* user,
                            const char* written) {
            QTest::newRow(name) << program << user << written;
        };
        row("beside the program", "program", "user", "program/Corvalen.ini");
        row("program folder not writable", "blocker/program", "user", "user/Corvalen.ini");
        row("no folder writable", "blocker/program", "blocker/user", "");
    }

    void exitWritesSettings() {
        QFETCH(QString, programDir);
        QFETCH(QString, userDir);
        QFETCH(QString, written);
        WriteBytes(path(QStringLiteral("blocker")), "a file, so no folder can be made in it");
        m_programDir = path(programDir);
        m_userDir = path(userDir);

        MainWindow& window = startWindow();
        QCOMPARE(m_boxes->shown.size(), 1);
        // Options says where the settings go: the user's folder when the program's takes none.
        const QString kept = path(written.isEmpty() ? userDir + QStringLiteral("/Corvalen.ini")
                                                    : written);
        QCOMPARE(window.findChild<QAction*>(QStringLiteral("settingsKeptAction"))->text(),
                 QStringLiteral("Settings kept in ") + DisplayPath(kept));
        click(QStringLiteral("Exit"));
        if (written.isEmpty()) {
            QVERIFY(window.isVisible());
            // The path as the system writes it (backslashes on Windows).
            QVERIFY2(statusLine(window).startsWith(QStringLiteral("Could not save the settings "
                                                                  "to ") +
                                                   QDir::toNativeSeparators(path(userDir))),
                     qPrintable(statusLine(window)));
            return;
        }
        QVERIFY(!window.isVisible());
        QCOMPARE(ReadBytes(path(written)), QByteArray("\r\n313\r\n"));

        m_boxes->shown.clear();
        startWindow();
        QVERIFY(m_boxes->shown.isEmpty());
    }

    // A cell edit and an import are undo steps like the row commands. A loaded file counts as
    // saved; undoing the import brings back the table and the column form from before it.
    void cellEditAndImportUndo() {
        MainWindow& window = startWindow();
        MemoryTableModel& model = window.document().table();
        QUndoStack& stack = window.document().undoStack();
        const MemoryTable startUp = model.table();
        QVERIFY(model.setData(model.index(0, Frequency), QStringLiteral("9410000")));
        QVERIFY(model.setData(model.index(0, Frequency), QStringLiteral("9410000")));
        QCOMPARE(stack.count(), 1);  // the same text again is no change
        QCOMPARE(stack.undoText(), QStringLiteral("Edit Cell"));
        QVERIFY(window.isWindowModified());
        const MemoryTable edited = model.table();

        m_boxes->unsavedAnswers = {UnsavedChangesAnswer::Discard};
        importChannels(3);
        const MemoryTable loaded = model.table();
        QVERIFY(!window.isWindowModified());
        QAction* undo = window.findChild<QAction*>(QStringLiteral("undoAction"));
        QAction* redo = window.findChild<QAction*>(QStringLiteral("redoAction"));
        QCOMPARE(undo->text(), QStringLiteral("Undo Open channels.csv"));
        QCOMPARE(undo->shortcut(), QKeySequence(QKeySequence::Undo));
        QCOMPARE(redo->shortcuts(),
                 (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Y")),
                                      QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}));

        undo->trigger();
        QVERIFY(model.table() == edited);
        QVERIFY(!window.document().hasImportColumns());
        QVERIFY(window.isWindowModified());
        QCOMPARE(redo->text(), QStringLiteral("Redo Open channels.csv"));
        undo->trigger();
        QVERIFY(model.table() == startUp);
        QVERIFY(!undo->isEnabled());
        redo->trigger();
        redo->trigger();
        QVERIFY(model.table() == loaded);
        QVERIFY(window.document().hasImportColumns());
        QVERIFY(!window.isWindowModified());
    }

    // Each open keeps the whole table it replaced for undo, so the history reaches back over
    // at most two opens: a third starts it afresh, and can itself still be undone.
    void undoReachesBackOverTwoOpens_data() {
        QTest::addColumn<int>("opens");             // files of 1, 2, ... channels, opened in turn
        QTest::addColumn<int>("steps");             // undo steps then
        QTest::addColumn<int>("rowsAtStart");       // channel rows once every step is undone
        QTest::newRow("one open") << 1 << 2 << 49;  // the edit, the open; the start-up grid
        QTest::newRow("two opens") << 2 << 3 << 49;
        QTest::newRow("third open starts afresh") << 3 << 1 << 2;
        QTest::newRow("fourth open") << 4 << 2 << 2;
    }

    void undoReachesBackOverTwoOpens() {
        QFETCH(int, opens);
        QFETCH(int, steps);
        QFETCH(int, rowsAtStart);
        MainWindow& window = startWindow();
        MemoryTableModel& model = window.document().table();
        QUndoStack& stack = window.document().undoStack();
        QVERIFY(model.setData(model.index(0, Frequency), QStringLiteral("9410000")));
        m_boxes->unsavedAnswers = {UnsavedChangesAnswer::Discard};
        for (int channels = 1; channels <= opens; ++channels) {
            importChannels(channels);
        }
        QCOMPARE(stack.count(), steps);
        QCOMPARE(stack.undoText(), QStringLiteral("Open channels.csv"));
        while (stack.canUndo()) {
            stack.undo();
        }
        QCOMPARE(model.rowCount(), rowsAtStart);
        stack.setIndex(stack.count());
        QCOMPARE(model.rowCount(), opens);
    }

    void savesMarkTheTableSaved_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("file");
        for (const char* extension : {"csv", "g3m"}) {
            QTest::addRow(".%s", extension) << QStringLiteral("Save .%1 file").arg(extension)
                                            << QStringLiteral("saved.%1").arg(extension);
        }
    }

    void savesMarkTheTableSaved() {
        QFETCH(QString, caption);
        QFETCH(QString, file);
        MainWindow& window = startWindow();
        window.document().setModelName(QStringLiteral("313"));
        importChannels(3);
        MemoryTableModel& model = window.document().table();
        QVERIFY(model.setData(model.index(1, Callsign), QStringLiteral("new")));
        QVERIFY(window.isWindowModified());

        m_dialogs->answers = {path(QStringLiteral("no such folder/") + file)};
        click(caption);
        QVERIFY2(window.isWindowModified(), "a failed save saves nothing");
        m_dialogs->answers = {path(file)};
        click(caption);
        QVERIFY(QFile::exists(path(file)));
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
        MemoryTableModel& model = window.document().table();
        if (edited) {
            QVERIFY(model.setData(model.index(2, Comments), QStringLiteral("edited")));
        }
        const MemoryTable table = model.table();
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
            QCOMPARE(m_boxes->shown[0].title, QStringLiteral("Corvalen"));
            QVERIFY(m_boxes->shown[0].text.startsWith(
                QStringLiteral("The memory table has changes that are not saved.")));
        }
        if (trigger == QStringLiteral("open")) {
            QCOMPARE(model.rowCount(), goesOn ? 5 : 3);
        } else {
            QCOMPARE(window.isVisible(), !goesOn);
        }
        if (!saveAs.isNull()) {
            QVERIFY(QFile::exists(path(saveAs)));
        }
        if (saveAs.endsWith(QStringLiteral(".csv"))) {
            QCOMPARE(ReadBytes(path(saveAs)),
                     QByteArray::fromStdString(BuildCsvText(table, true).bytes));
        }
        if (!goesOn) {
            QVERIFY(model.table() == table);
            QVERIFY(window.isWindowModified());
        }
    }

    // Ctrl+C and Ctrl+X on the grid copy the selected rows whole, in order, as spreadsheet
    // text; a cut empties them in one undo step; Ctrl+V puts them back at the cursor row.
    void clipboardMovesWholeRows() {
        MainWindow& window = startWindow();
        importChannels(6);
        MemoryTableModel& model = window.document().table();
        QUndoStack& stack = window.document().undoStack();
        QVERIFY(model.setData(model.index(1, Comments), QStringLiteral("tab\there, \"quoted\"")));
        const MemoryTable before = model.table();
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
        for (const int row : {2, 4}) {
            QVERIFY(RowStrings(model.table(), row) == std::vector<std::string>(19));
        }
        QCOMPARE(stack.undoText(), QStringLiteral("Cut"));
        stack.undo();
        QVERIFY(model.table() == before);

        // Whole rows go into their own columns, wherever the cursor is in the row.
        grid->setCurrentIndex(grid->model()->index(5, Callsign));
        QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(statusLine(window),
                 QStringLiteral("Pasted 2 rows of 19 cells at row 6; 1 row added"));
        QCOMPARE(model.rowCount(), 7);
        QVERIFY(RowStrings(model.table(), 6) == RowStrings(before, 2));
        QVERIFY(RowStrings(model.table(), 7) == RowStrings(before, 4));
        QCOMPARE(stack.undoText(), QStringLiteral("Paste"));
        stack.undo();
        QVERIFY(model.table() == before);
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
    }

    // A paste is one undo step, whatever it wrote and added.
    void pasteAtTheCursor() {
        QFETCH(QString, text);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, status);
        QFETCH(int, rows);
        QFETCH(QStringList, cells);
        MainWindow& window = startWindow();
        importChannels(3);
        MemoryTableModel& model = window.document().table();
        const MemoryTable before = model.table();
        window.grid()->selectionModel()->clear();
        if (row > 0) {
            window.grid()->setCurrentIndex(window.grid()->model()->index(row - 1, column));
        }
        QApplication::clipboard()->setText(text);

        trigger("pasteAction");
        QCOMPARE(statusLine(window), status);
        QCOMPARE(model.rowCount(), rows);
        for (const QString& expected : cells) {
            const QStringList parts = expected.split(QLatin1Char('='));
            const QStringList place = parts[0].split(QLatin1Char(','));
            QCOMPARE(std::string(model.table().CellText(place[0].toInt(), place[1].toInt())),
                     expected.mid(parts[0].size() + 1).toStdString());
        }
        QUndoStack& stack = window.document().undoStack();
        if (model.table() == before) {
            QVERIFY(stack.isClean());
            return;
        }
        const MemoryTable after = model.table();
        stack.undo();
        QVERIFY(model.table() == before);
        QVERIFY(stack.isClean());
        stack.redo();
        QVERIFY(model.table() == after);
    }

    // In a sorted grid a paste goes down the rows as the grid shows them.
    void pasteFollowsTheSortedGrid() {
        MainWindow& window = startWindow();
        importChannels(4);
        QTableView* grid = window.grid();
        grid->sortByColumn(Callsign, Qt::DescendingOrder);  // C4, C3, C2, C1
        grid->setCurrentIndex(grid->model()->index(1, Comments));
        QApplication::clipboard()->setText(QStringLiteral("x\ny\nz\n"));
        trigger("pasteAction");
        QCOMPARE(statusLine(window), QStringLiteral("Pasted 3 rows of 1 cell at row 3"));
        QCOMPARE(ColumnTexts(window.document().table().table(), Comments).mid(0, 3),
                 (QStringList{"z", "y", "x"}));
        QCOMPARE(window.document().undoStack().count(), 2);  // the import, then the paste
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

    // The real dialogs, answered as soon as they are up; checked once they are closed.
    void qtDialogsShowTheSettings() {
        // The file dialog opens with the filter entry asked for, and says which entry the name
        // was chosen under.
        QtFileDialogPresenter presenter(nullptr);
        const QString chosen = path(QStringLiteral("new.json"));  // does not exist yet
        QStringList seen;
        QTimer::singleShot(0, this, [&] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                seen << dialog->windowTitle() << dialog->nameFilters()
                     << QString::number(dialog->acceptMode()) << dialog->selectedNameFilter();
                dialog->selectFile(chosen);
                static_cast<QDialog*>(dialog)->accept();
            }
        });
        FileDialogSettings settings{m_dir->path(), QString(),
                                    "Memory files (*.g3m)|*.g3m|SDR++ frequency manager|*.json",
                                    "Select your File", FileDialogSettings::Form::Open};
        settings.filterIndex = 1;
        QCOMPARE(presenter.show(settings), std::optional<QString>(chosen));
        QCOMPARE(seen, (QStringList{"Select your File", "Memory files (*.g3m)",
                                    "SDR++ frequency manager (*.json)",
                                    QString::number(QFileDialog::AcceptOpen),
                                    "SDR++ frequency manager (*.json)"}));
        QCOMPARE(presenter.chosenFilter(), 1);

        QtMessageBoxes boxes(nullptr);
        QString text;
        QTimer::singleShot(0, this, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                text = box->text();
                box->button(QMessageBox::Cancel)->click();
            }
        });
        QVERIFY(!boxes.confirmOverwrite("Corvalen", "a.csv already exists.\r\nSelect OK"));
        QCOMPARE(text, QStringLiteral("a.csv already exists.\nSelect OK"));

        // The unsaved-changes question: saving as .csv is the default, Escape cancels.
        QStringList buttons;
        QTimer::singleShot(0, this, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                buttons << box->defaultButton()->text();
                for (QAbstractButton* b : box->buttons()) {
                    // Every button but Cancel (Esc) has its Alt letter.
                    if (!b->text().contains(QLatin1Char('&')) && b->text() != "Cancel") {
                        buttons << QStringLiteral("no letter: ") + b->text();
                    }
                    buttons << b->text().remove(QLatin1Char('&'));
                }
                QTest::keyClick(box, Qt::Key_Escape);
            }
        });
        QCOMPARE(boxes.askUnsavedChanges("Corvalen", "Changes", ".g3m"),
                 UnsavedChangesAnswer::Cancel);
        QCOMPARE(buttons.value(0), QStringLiteral("Save as .&csv"));  // Alt+C
        QVERIFY2(buttons.contains(QStringLiteral("Save as .g3m")) &&
                     buttons.contains(QStringLiteral("Discard")) &&
                     buttons.contains(QStringLiteral("Cancel")) &&
                     buttons.filter(QStringLiteral("no letter")).isEmpty(),
                 qPrintable(buttons.join(QLatin1Char(','))));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

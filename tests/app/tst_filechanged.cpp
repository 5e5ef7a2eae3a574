#include <QSignalSpy>
#include <filesystem>

#include "EditorTest.h"
#include "app/CompareDialog.h"
#include "app/FileWatch.h"
#include "app/StatusText.h"
#include "app/WorkKeeper.h"
#include "io/SafeFile.h"

using namespace corvalen;

// The open file changed by another program: the status line says so, and a save over it asks
// first. And "Compare with File…", which shows what differs.
class TestFileChanged : public EditorTest {
    Q_OBJECT

private:
    QString m_csv;

    // Opens three channels from channels.csv and edits the first callsign.
    void openAndEdit() {
        startWindow();
        m_csv = writeCsv(QStringLiteral("channels.csv"), testing::Channels(3));
        QVERIFY(m_window->fileActions().openChannelFile(m_csv));
        editCell(1, Callsign, QStringLiteral("MINE"));
    }

    // What another program writes: the same channels with channel 2 retuned.
    QByteArray othersBytes() {
        MemoryTable others = testing::Channels(3);
        others.SetCellText(2, Frequency, "7777000");
        return QByteArray::fromStdString(BuildCsvText(others, true).bytes);
    }

    // Another program writes `bytes` to `file` (else to the CSV file open), and the window
    // hears of it.
    void otherProgramWrites(const QByteArray& bytes, const QString& file = QString()) {
        QSignalSpy changed(&m_window->keeper().fileWatch(), &FileWatch::changed);
        QVERIFY(testing::WriteBytes(file.isEmpty() ? m_csv : file, bytes));
        QVERIFY(changed.wait(20000));
    }

    bool saveCsvAgain() {
        m_dialogs->answers.push_back(m_csv);
        const bool started = m_window->fileActions().saveCsv();
        waitForFiles();
        return started;
    }

    // The table: channels 1 to 4. The file: channel 2 retuned and renamed, channel 3 gone,
    // channel 5 new.
    QString writeOther() {
        MemoryTable other = testing::Channels(4);
        other.SetCellText(2, Frequency, "7777000");
        other.SetCellText(2, Callsign, "RENAMED");
        other.RemoveRow(3);
        other.AppendRow({"5", "9420000", "6000", "0", "", "", "", "", "", "1", "0", "0", "0",
                         "-100", "", "", "AM", "NEW", "Athens"});
        return writeCsv(QStringLiteral("other.csv"), other);
    }

    // The visible list rows' channel and kind texts.
    static QStringList Shown(const CompareDialog& dialog) {
        QStringList rows;
        const QAbstractItemModel* model = dialog.list()->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            if (!dialog.list()->isRowHidden(row)) {
                rows << model->index(row, CompareDialog::kChannelColumn).data().toString() + ' ' +
                            model->index(row, CompareDialog::kKindColumn).data().toString();
            }
        }
        return rows;
    }

    static int ListColumnOf(const CompareDialog& dialog, const QString& header) {
        const QAbstractItemModel* model = dialog.list()->model();
        for (int column = 0; column < model->columnCount(); ++column) {
            if (model->headerData(column, Qt::Horizontal).toString() == header) {
                return column;
            }
        }
        return -1;
    }

    static void Select(CompareDialog& dialog, const QString& channel, int column) {
        const QAbstractItemModel* model = dialog.list()->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            if (model->index(row, 0).data().toString() == channel) {
                dialog.list()->setCurrentIndex(model->index(row, column));
                return;
            }
        }
        QFAIL("no such channel in the list");
    }

private slots:
    void init() { setUpEditor(); }

    // Another program's rewrite is noticed whatever it keeps: the size, the millisecond (a
    // rewrite within one tick of the file system's clock), even the time to the last digit.
    void statusSaysSoAtOnce_data() {
        QTest::addColumn<QString>("rewrite");
        QTest::addColumn<QString>("said");
        const QString changed = QStringLiteral("channels.csv was changed by another program");
        QTest::newRow("other bytes") << "other bytes" << changed;
        QTest::newRow("the same size, the same millisecond") << "same millisecond" << changed;
        QTest::newRow("the same size and time") << "same time" << changed;
        QTest::newRow("removed") << "removed"
                                 << "channels.csv was removed or renamed";
    }

    void statusSaysSoAtOnce() {
        QFETCH(QString, rewrite);
        QFETCH(QString, said);
        openAndEdit();
        QSignalSpy changed(&m_window->keeper().fileWatch(), &FileWatch::changed);
        if (rewrite == "other bytes") {
            QVERIFY(testing::WriteBytes(m_csv, othersBytes()));
        } else if (rewrite == "removed") {
            QVERIFY(QFile::remove(m_csv));
        } else {
            const std::filesystem::path file(m_csv.toStdU16String());
            const auto before = std::filesystem::last_write_time(file);
            const QByteArray bytes = testing::ReadBytes(m_csv);
            QVERIFY(testing::WriteBytes(m_csv, QByteArray(bytes).replace("C1", "X1")));
            // A microsecond away, within the same millisecond.
            const auto micro =
                std::chrono::microseconds(before.time_since_epoch() % std::chrono::milliseconds(1) <
                                                  std::chrono::microseconds(500)
                                              ? 1
                                              : -1);
            std::filesystem::last_write_time(
                file, rewrite == "same millisecond" ? before + micro : before);
        }
        QVERIFY(changed.wait(20000));
        VERIFY_HOLDS(status(), said);
        QVERIFY(m_window->keeper().fileWatch().changedElsewhere());
    }

    // What the file does while the editor writes it is the editor's own, whenever the watcher
    // tells of it: during the write or after it.
    void ownWriteIsNoOtherProgram() {
        const QString file = path(QStringLiteral("watched.csv"));
        QVERIFY(testing::WriteBytes(file, "\"Number\"\r\n"));
        FileWatch watch;
        watch.used(file);
        QSignalSpy changed(&watch, &FileWatch::changed);
        watch.ownWriteStarting(file);
        QVERIFY(WriteFileAtomically(LocalPath(file), std::string(5000, 'x')));
        QTest::qWait(300);  // the watcher's events of the write may come now or later
        watch.ownWriteEnded();
        QCoreApplication::processEvents();
        QCOMPARE(changed.count(), 0);
        QVERIFY(!watch.changedElsewhere());
        // What comes after the write is another program's again.
        QVERIFY(testing::WriteBytes(file, "another program"));
        QVERIFY(changed.wait(20000));
        QVERIFY(watch.changedElsewhere());
    }

    void saveOverAChangedFile_data() {
        QTest::addColumn<QList<FileChangedAnswer>>("answers");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QString>("fileHolds");  // "mine" or "others"
        QTest::addColumn<QString>("tableHolds");
        using A = FileChangedAnswer;
        const auto row = [](const char* name, QList<A> answers, bool saved, const char* file,
                            const char* table) {
            QTest::newRow(name) << answers << saved << file << table;
        };
        row("cancel", {A::Cancel}, false, "others", "mine");
        row("overwrite", {A::Overwrite}, true, "mine", "mine");
        row("reload", {A::Reload}, false, "others", "others");
        row("compare, then cancel", {A::Compare, A::Cancel}, false, "others", "mine");
    }

    void saveOverAChangedFile() {
        QFETCH(QList<FileChangedAnswer>, answers);
        QFETCH(bool, saved);
        QFETCH(QString, fileHolds);
        QFETCH(QString, tableHolds);
        openAndEdit();
        otherProgramWrites(othersBytes());
        m_boxes->fileChangedAnswers.assign(answers.begin(), answers.end());

        QCOMPARE(saveCsvAgain(), saved);
        QCOMPARE(m_boxes->asked.size(), answers.size() + (answers.size() > 1 ? 1 : 0));
        QVERIFY(m_boxes->asked[0].startsWith(
            QStringLiteral("fileChanged: channels.csv was changed by another program")));
        if (answers.first() == FileChangedAnswer::Compare) {
            // Channel 1 is edited in the table, channel 2 retuned in the file.
            QCOMPARE(m_boxes->asked[1],
                     QStringLiteral("comparison: What differs between channels.csv on disk and "
                                    "the table:\nchannel 1 changed: Callsign \"C1\" -> \"MINE\"\n"
                                    "channel 2 changed: Frequency \"7777000\" -> \"7010000\""));
        }

        const QByteArray onDisk = testing::ReadBytes(m_csv);
        QCOMPARE(onDisk.contains("\"MINE\""), fileHolds == "mine");
        QCOMPARE(onDisk.contains("\"7777000\""), fileHolds == "others");
        QCOMPARE(table().CellText(1, Callsign) == "MINE", tableHolds == "mine");
        QCOMPARE(table().CellText(2, Frequency) == "7777000", tableHolds == "others");
        if (answers.first() == FileChangedAnswer::Reload) {
            // The edits the reload replaced are one Undo away.
            m_window->document().undoStack().undo();
            QCOMPARE(table().CellText(1, Callsign), std::string_view("MINE"));
        }
        // After a save or reload, the file is the editor's again: its own saves are no other
        // program's, and ask nothing.
        if (fileHolds == "mine" || tableHolds == "others") {
            m_boxes->asked.clear();
            editCell(3, Callsign, QStringLiteral("AGAIN"));
            QVERIFY(saveCsvAgain());
            QCoreApplication::processEvents();
            QVERIFY(m_boxes->asked.isEmpty());
            QVERIFY(!status().contains(QStringLiteral("another program")));
            QVERIFY(!m_window->keeper().fileWatch().changedElsewhere());
        }
    }

    // A reload the user cancels (here at the question how CHIRP's Location 0 is numbered)
    // keeps the table and says so.
    void cancelledReload() {
        openAndEdit();
        otherProgramWrites("Location,Name,Frequency,Mode\r\n0,A,146.52,FM\r\n");
        m_boxes->fileChangedAnswers = {FileChangedAnswer::Reload};
        m_boxes->numberingAnswers = {std::nullopt};
        QVERIFY(!saveCsvAgain());
        QCOMPARE(status(), QStringLiteral("Cancelled; nothing opened\n"));
        QCOMPARE(table().CellText(1, Callsign), std::string_view("MINE"));
    }

    // A memory file updated in place asks the same.
    void memoryFileSaveAsks() {
        startWindow(testing::Channels(3));
        const QString g3m = path(QStringLiteral("memory.g3m"));
        trigger("saveMemoryFileAction", g3m);
        const QByteArray bytes = testing::ReadBytes(g3m) + QByteArray(92, '\0');
        otherProgramWrites(bytes, g3m);
        m_boxes->fileChangedAnswers = {FileChangedAnswer::Cancel};
        m_dialogs->answers.push_back(g3m);
        QVERIFY(!m_window->fileActions().saveMemoryFile());
        QCOMPARE(m_boxes->asked.size(), 1);
        QCOMPARE(testing::ReadBytes(g3m), bytes);
    }

    // File / "Compare with File…": the differences as a list, narrowed by kind and text, and a
    // channel or a cell taken from the file as one undo step.

    // The list, narrowed by kind and text. The changed cells show both values; the others the
    // table's.
    void compareFilters_data() {
        QTest::addColumn<int>("kind");  // the combo's entry
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("all") << 0 << ""
                             << QStringList{"2 changed", "3 only in the table",
                                            "5 only in the file"};
        QTest::newRow("only in the table") << 1 << "" << QStringList{"3 only in the table"};
        QTest::newRow("only in the file") << 2 << "" << QStringList{"5 only in the file"};
        QTest::newRow("changed") << 3 << "" << QStringList{"2 changed"};
        QTest::newRow("text") << 0 << "athens" << QStringList{"5 only in the file"};
        QTest::newRow("text and kind, nothing") << 1 << "RENAMED" << QStringList{};
        QTest::newRow("text in a changed cell") << 3 << "renamed" << QStringList{"2 changed"};
    }
    void compareFilters() {
        QFETCH(int, kind);
        QFETCH(QString, text);
        QFETCH(QStringList, shown);
        startWindow(testing::Channels(4));
        CompareDialog dialog(m_window->document(), writeOther());
        QVERIFY(dialog.loaded());
        dialog.findChild<QComboBox*>(QStringLiteral("compareKind"))->setCurrentIndex(kind);
        dialog.findChild<QLineEdit*>(QStringLiteral("compareText"))->setText(text);
        QCOMPARE(Shown(dialog), shown);
        VERIFY_STARTS(dialog.summary()->text(),
                      "1 channel only in the table, 1 only in the file, 1 changed.");
        if (shown.value(0) != QStringLiteral("2 changed")) {
            return;
        }
        const QAbstractItemModel* model = dialog.list()->model();
        const int frequency = ListColumnOf(dialog, QStringLiteral("Frequency"));
        QVERIFY(frequency > 0);
        QCOMPARE(model->index(0, frequency).data().toString(),
                 QStringLiteral("7010000 \u2192 7777000"));
        QVERIFY(model->index(0, frequency).data(Qt::BackgroundRole).isValid());
        const int mode = ListColumnOf(dialog, QStringLiteral("Mode"));
        QCOMPARE(model->index(0, mode).data().toString(), QStringLiteral("USB"));
        QVERIFY(!model->index(0, mode).data(Qt::BackgroundRole).isValid());
    }

    // A channel, or a cell of it, taken from the file as one undo step; a channel only in the
    // table has nothing to take.
    void compareTakes_data() {
        QTest::addColumn<QString>("channel");
        QTest::addColumn<bool>("cell");  // its Frequency alone
        QTest::newRow("changed") << "2" << false;
        QTest::newRow("the Frequency of a changed channel") << "2" << true;
        QTest::newRow("only in the file") << "5" << false;
        QTest::newRow("only in the table: nothing to take") << "3" << false;
    }

    void compareTakes() {
        QFETCH(QString, channel);
        QFETCH(bool, cell);
        startWindow(testing::Channels(4));
        CompareDialog dialog(m_window->document(), writeOther());
        QUndoStack& stack = m_window->document().undoStack();
        const int steps = stack.count();
        const MemoryTable before = table();
        Select(
            dialog, channel,
            cell ? ListColumnOf(dialog, QStringLiteral("Frequency")) : CompareDialog::kKindColumn);
        const bool taken = channel != "3";
        QCOMPARE(dialog.findChild<QPushButton*>(cell ? "takeCellButton" : "takeChannelButton")
                     ->isEnabled(),
                 taken);
        cell ? dialog.takeCell() : dialog.takeChannel();
        QCOMPARE(stack.count(), steps + (taken ? 1 : 0));
        if (!taken) {
            return;
        }
        QCOMPARE(stack.undoText(),
                 cell ? QStringLiteral("Take Frequency of Channel 2 from other.csv")
                      : QStringLiteral("Take Channel %1 from other.csv").arg(channel));
        // The list follows: channel 2 with its Frequency taken differs in its callsign only.
        if (cell) {
            QCOMPARE(dialog.diff().changes[0].fields.size(), std::size_t{1});
        } else {
            QCOMPARE(Shown(dialog).size(), 2);
        }
        if (channel == "2") {
            QCOMPARE(table().CellText(2, Frequency), std::string_view("7777000"));
            QCOMPARE(table().CellText(2, Callsign), std::string_view(cell ? "C2" : "RENAMED"));
            QCOMPARE(table().RowCount(), before.RowCount());
        } else {
            QCOMPARE(table().RowCount(), before.RowCount() + 1);
            QCOMPARE(table().CellText(5, Number), std::string_view("5"));
            QCOMPARE(table().CellText(5, Callsign), std::string_view("NEW"));
            QCOMPARE(table().CellText(5, Comments), std::string_view("Athens"));
        }
        stack.undo();
        QVERIFY(table() == before);
    }

    // Against a memory file only its own fields count, and taking a channel keeps the fields
    // it has no place for.
    void compareMemoryFileFieldsOnly() {
        MemoryTable channels = testing::Channels(3);
        channels.SetCellText(1, Priority, "1");
        startWindow(channels);
        const QString g3m = path(QStringLiteral("memory.g3m"));
        trigger("saveMemoryFileAction", g3m);
        CompareDialog same(m_window->document(), g3m);
        QVERIFY(same.diff().changes.empty());
        QVERIFY(same.summary()->text().contains(QStringLiteral("the same channels")));

        editCell(1, Callsign, QStringLiteral("CHANGED"));
        CompareDialog dialog(m_window->document(), g3m);
        QCOMPARE(Shown(dialog), QStringList{"1 changed"});
        QCOMPARE(ListColumnOf(dialog, QStringLiteral("Priority")), -1);
        Select(dialog, QStringLiteral("1"), CompareDialog::kKindColumn);
        dialog.takeChannel();
        QCOMPARE(table().CellText(1, Callsign), std::string_view("C1"));
        QCOMPARE(table().CellText(1, Priority), std::string_view("1"));
    }

    void compareSaysAnUnreadableFile() {
        startWindow(testing::Channels(2));
        CompareDialog dialog(m_window->document(), path(QStringLiteral("missing.csv")));
        QVERIFY(!dialog.loaded());
        VERIFY_HOLDS(dialog.error(), QStringLiteral("missing.csv"));
    }
};

QTEST_MAIN(TestFileChanged)
#include "tst_filechanged.moc"

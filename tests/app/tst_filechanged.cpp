#include <QtTest>
#include <filesystem>

#include "EditorTest.h"
#include "app/FileWatch.h"
#include "app/StatusText.h"
#include "app/WorkKeeper.h"
#include "io/SafeFile.h"
#include "table/Columns.h"

using namespace corvalen;

// The open file changed by another program: the status line says so, and a save over it asks
// first.
class TestFileChanged : public EditorTest {
    Q_OBJECT

private:
    QString m_csv;

    // Opens three channels from channels.csv and edits the first callsign.
    void openAndEdit() {
        startWindow();
        m_csv = writeCsv(QStringLiteral("channels.csv"), testing::Channels(3));
        QVERIFY(m_window->fileActions().openChannelFile(m_csv));
        model().setData(model().index(0, Callsign), QStringLiteral("MINE"));
    }

    // What another program writes: the same channels with channel 2 retuned.
    QByteArray othersBytes() {
        MemoryTable others = testing::Channels(3);
        others.SetCellText(2, Frequency, "7777000");
        return QByteArray::fromStdString(BuildCsvText(others, true).bytes);
    }

    void otherProgramWrites() {
        QSignalSpy changed(&m_window->keeper().fileWatch(), &FileWatch::changed);
        QVERIFY(testing::WriteBytes(m_csv, othersBytes()));
        QVERIFY(changed.wait(20000));
    }

    bool saveCsvAgain() {
        m_dialogs->answers.push_back(m_csv);
        const bool started = m_window->fileActions().saveCsv();
        waitForFiles();
        return started;
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
        QTest::newRow("the same size, a later second") << "later second" << changed;
        QTest::newRow("the same size, the same millisecond") << "same millisecond" << changed;
        QTest::newRow("the same size and time") << "same time" << changed;
        QTest::newRow("removed") << "removed" << "channels.csv was removed or renamed";
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
            std::filesystem::last_write_time(file, rewrite == "later second"
                                                       ? before + std::chrono::seconds(5)
                                                   : rewrite == "same millisecond" ? before + micro
                                                                                   : before);
        }
        QVERIFY(changed.wait(20000));
        QVERIFY2(status().contains(said), qPrintable(status()));
        QVERIFY(m_window->keeper().fileWatch().changedElsewhere());
    }

    // The editor's own saves are no other program's: nothing is said, nothing asked.
    void ownSavesAskNothing() {
        openAndEdit();
        QVERIFY(saveCsvAgain());
        model().setData(model().index(1, Callsign), QStringLiteral("AGAIN"));
        QVERIFY(saveCsvAgain());
        QCoreApplication::processEvents();
        QVERIFY(m_boxes->asked.isEmpty());
        QVERIFY(!status().contains(QStringLiteral("another program")));
        QVERIFY(!m_window->keeper().fileWatch().changedElsewhere());
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
        otherProgramWrites();
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
        // After a save or reload, the file is the editor's again: the next save asks nothing.
        if (fileHolds == "mine" || tableHolds == "others") {
            m_boxes->asked.clear();
            QVERIFY(saveCsvAgain());
            QVERIFY(m_boxes->asked.isEmpty());
        }
    }

    // A memory file updated in place asks the same.
    void memoryFileSaveAsks() {
        startWindow(testing::Channels(3));
        const QString g3m = path(QStringLiteral("memory.g3m"));
        m_dialogs->answers.push_back(g3m);
        trigger("saveMemoryFileAction");
        QSignalSpy changed(&m_window->keeper().fileWatch(), &FileWatch::changed);
        QByteArray bytes = testing::ReadBytes(g3m);
        bytes.append(QByteArray(92, '\0'));
        QVERIFY(testing::WriteBytes(g3m, bytes));
        QVERIFY(changed.wait(20000));
        m_boxes->fileChangedAnswers = {FileChangedAnswer::Cancel};
        m_dialogs->answers.push_back(g3m);
        QVERIFY(!m_window->fileActions().saveMemoryFile());
        QCOMPARE(m_boxes->asked.size(), 1);
        QCOMPARE(testing::ReadBytes(g3m), bytes);
    }
};

QTEST_MAIN(TestFileChanged)
#include "tst_filechanged.moc"

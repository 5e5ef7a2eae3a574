#include <QProcess>
#include <csignal>

#include "EditorTest.h"
#include "app/RecoveryCopy.h"
#include "app/WorkKeeper.h"
#include "io/Backup.h"

using namespace corvalen;

// The recovery copy: a table with unsaved changes survives the editor being killed, and the next
// start offers it back. And the backup a save keeps of the file it replaces.
class TestRecovery : public EditorTest {
    Q_OBJECT

private:
    QString recoveryFolder() const { return path(QStringLiteral("recovery")); }

    QStringList copiesLeft() const {
        return QDir(recoveryFolder())
            .entryList({QStringLiteral("*") + QLatin1String(RecoveryCopy::kSuffix)}, QDir::Files);
    }

    MainWindow& startKeeping(const MemoryTable& table) {
        startWindow(table);
        m_window->keeper().startRecovery(recoveryFolder());
        return *m_window;
    }

    // The host a lock names, as QLockFile tells it: Windows' computer name there.
    static QByteArray lockHostName() {
#ifdef _WIN32
        return qgetenv("COMPUTERNAME");
#else
        return QSysInfo::machineHostName().toUtf8();
#endif
    }

    QAction* option() const {
        return m_window->keeper().backupAction();
    }

private slots:
    void init() {
        setUpEditor();
    }

    // The cells come back exactly, whatever they hold, first in their row or not.
    void copyKeepsEveryCell() {
        const QStringList cells = {"CFRX",
                                   "",
                                   "a\tb",
                                   "one\r\ntwo\nthree\r",
                                   "C:\\Winradio\\\\x\\t",
                                   "\"Toronto\", ON",
                                   "Z\u00fcrich \u2013 \u65e5\u672c",
                                   QString(5000, 'x')};
        RecoveryContents contents{QStringLiteral("/home/k\u00e4the/tab\there.csv"),
                                  QDateTime(QDate(2026, 12, 9), QTime(3, 4, 5, 678), Qt::UTC),
                                  QStringLiteral("303"), 7, testing::Channels(int(cells.size()))};
        for (int row = 1; row <= cells.size(); ++row) {
            contents.table.SetCellText(row, Callsign, cells[row - 1].toStdString());
            contents.table.SetCellText(row, Number, cells[cells.size() - row].toStdString());
        }
        const std::optional<RecoveryContents> back = DecodeRecovery(EncodeRecovery(contents));
        QVERIFY(back);
        QCOMPARE(back->filePath, contents.filePath);
        QCOMPARE(back->writtenAt, contents.writtenAt);
        QCOMPARE(back->model, contents.model);
        QCOMPARE(back->channelsChanged, 7);
        QVERIFY(back->table == contents.table);
    }

    // A copy cut short (the disk filled up while another program wrote it, say) is no copy.
    void cutCopyIsRefused() {
        RecoveryContents contents;
        contents.writtenAt = QDateTime::currentDateTimeUtc();
        contents.table = testing::Channels(4);
        contents.table.SetCellText(2, Comments, "a\tb");
        const QByteArray whole = EncodeRecovery(contents);
        for (const qsizetype keep :
             {qsizetype(0), qsizetype(10), whole.size() / 2, whole.size() - 5, whole.size() - 1}) {
            QVERIFY2(!DecodeRecovery(whole.left(keep)), qPrintable(QString::number(keep)));
        }
        QVERIFY(DecodeRecovery(whole));
        // An escape no cell makes.
        QVERIFY(!DecodeRecovery(QByteArray(whole).replace("a\\tb", "a\\qb")));
    }

    // The test the feature is for: the editor is killed with SIGKILL after edits, and the next
    // start restores every one of them.
    void killedEditorsEditsComeBack() {
        const MemoryTable opened = testing::Channels(5);
        const QString csv = writeCsv(QStringLiteral("channels.csv"), opened);
        QProcess crasher;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        crasher.setProcessEnvironment(environment);
        crasher.setProcessChannelMode(QProcess::ForwardedChannels);
        crasher.start(QStringLiteral(RECOVERY_CRASHER), {m_programDir, recoveryFolder(), csv});
        QVERIFY(crasher.waitForFinished(120000));
#ifdef _WIN32
        QCOMPARE(crasher.exitCode(), 9);  // TerminateProcess's code, an exit of its own
#else
        QCOMPARE(crasher.exitStatus(), QProcess::CrashExit);
        QCOMPARE(crasher.exitCode(), SIGKILL);
#endif
        QCOMPARE(copiesLeft().size(), 1);
        // An editor that was killed before it had anything to keep leaves only its lock.
        QVERIFY(testing::WriteBytes(recoveryFolder() + QStringLiteral("/9-y") +
                                        QLatin1String(RecoveryCopy::kSuffix) +
                                        QStringLiteral(".lock"),
                                    "999999999\ncorvalen\n" + lockHostName() + "\n"));

        m_boxes->recoveryAnswers = {RecoveryAnswer::Restore};
        startKeeping(MemoryTable::StartupLayout());
        m_window->keeper().offerRecovery();

        QCOMPARE(m_boxes->asked.size(), 1);
        const QString& asked = m_boxes->asked[0];
        VERIFY_HOLDS(asked, QDir::toNativeSeparators(csv));
        VERIFY_HOLDS(asked, QStringLiteral("holds 3 channels changed"));
        VERIFY_HOLDS(asked, QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));

        MemoryTable expected = opened;
        expected.SetCellText(1, Callsign, "EDITED");
        expected.SetCellText(2, Frequency, "9999000");
        QCOMPARE(table().RowCount(), expected.RowCount() + 1);
        for (int row = 1; row < expected.RowCount(); ++row) {
            for (int column = 0; column < kImportedColumnCount; ++column) {
                QCOMPARE(table().CellText(row, column), expected.CellText(row, column));
            }
        }
        const int added = table().RowCount() - 1;
        QCOMPARE(table().CellText(added, Frequency), std::string_view("7100000"));
        QCOMPARE(table().CellText(added, Comments), std::string_view("tab\there, \"quoted\""));
        QCOMPARE(m_window->document().filePath(), csv);
        QVERIFY(m_window->document().isModified());
        QVERIFY(status().contains(QStringLiteral("not saved yet")));

        // The restored changes are kept by this editor's own copy now; the old copy is gone, and
        // so are the locks of editors that are gone.
        QCOMPARE(copiesLeft().size(), 1);
        QCOMPARE(QDir(recoveryFolder()).entryList(QDir::Files | QDir::Hidden).size(), 2);
        QCOMPARE(copiesLeft()[0], QFileInfo(m_window->keeper().recovery().path()).fileName());
        // Saving them removes the copy.
        trigger("saveCsvAction", path(QStringLiteral("saved.csv")));
        QVERIFY(copiesLeft().isEmpty());
    }

    void copyFollowsTheUnsavedChanges() {
        startKeeping(testing::Channels(3));
        RecoveryCopy& recovery = m_window->keeper().recovery();
        recovery.flush();
        QVERIFY(copiesLeft().isEmpty());  // nothing unsaved, nothing kept

        editCell(1, Callsign, QStringLiteral("NEW"));
        recovery.flush();
        QCOMPARE(copiesLeft().size(), 1);
        // Read and closed again: Windows removes no file that is open.
        const std::optional<RecoveryContents> contents =
            DecodeRecovery(testing::ReadBytes(recovery.path()));
        QVERIFY(contents);
        QCOMPARE(contents->channelsChanged, 1);
        QCOMPARE(contents->table.CellText(1, Callsign), std::string_view("NEW"));

        // Undone to the file as opened: nothing unsaved, and the copy goes.
        m_window->document().undoStack().undo();
        QVERIFY(copiesLeft().isEmpty());

        // A clean exit removes it too.
        editCell(2, Callsign, QStringLiteral("AGAIN"));
        recovery.flush();
        QCOMPARE(copiesLeft().size(), 1);
        m_window.reset();
        QVERIFY(QDir(recoveryFolder()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }

    // Two editors running never share a copy, nor offer each other's.
    void runningEditorsCopyIsNotOffered() {
        startKeeping(testing::Channels(3));
        editCell(1, Callsign, QStringLiteral("MINE"));
        m_window->keeper().recovery().flush();
        QCOMPARE(copiesLeft().size(), 1);

        ScriptedFileDialogs dialogs;
        ScriptedMessageBoxes boxes;
        MainWindow second(SettingsFile(m_programDir, m_userDir), &dialogs, &boxes);
        second.start();
        second.keeper().startRecovery(recoveryFolder());
        QVERIFY(second.keeper().recovery().path() != m_window->keeper().recovery().path());
        QVERIFY(second.keeper().recovery().leftCopies().empty());
        second.keeper().offerRecovery();
        QVERIFY(boxes.asked.isEmpty());
    }

    // Keep for later leaves the copy for the next start; Discard removes it.
    void keepForLaterAndDiscard() {
        const RecoveryContents contents{path(QStringLiteral("gone.csv")),
                                        QDateTime::currentDateTimeUtc(), QStringLiteral("313"), 2,
                                        testing::Channels(2)};
        QVERIFY(QDir().mkpath(recoveryFolder()));
        // A copy of an editor that is gone: no lock file at all.
        testing::WriteBytes(
            recoveryFolder() + QStringLiteral("/1-x") + QLatin1String(RecoveryCopy::kSuffix),
            EncodeRecovery(contents));

        m_boxes->recoveryAnswers = {RecoveryAnswer::Keep};
        startKeeping(MemoryTable::StartupLayout());
        m_window->keeper().offerRecovery();
        QCOMPARE(m_boxes->asked.size(), 1);
        QVERIFY(m_boxes->asked[0].contains(QStringLiteral("holds 2 channels changed")));
        QCOMPARE(copiesLeft().size(), 1);
        QVERIFY(!m_window->document().isModified());

        m_boxes->recoveryAnswers = {RecoveryAnswer::Discard};
        m_window->keeper().offerRecovery();
        QCOMPARE(m_boxes->asked.size(), 2);
        QVERIFY(copiesLeft().isEmpty());
        QVERIFY(!m_window->document().isModified());
    }

    // Options / "Keep a Backup When Saving": on until turned off, remembered between runs, and what
    // the editor's saves do with it.

    void onUntilTurnedOffAndRemembered() {
        startWindow(testing::Channels(2));
        const QByteArray opened = testing::ReadBytes(path(QStringLiteral("channels.csv")));
        QVERIFY(option()->isChecked());
        editCell(1, Callsign, QStringLiteral("NEW"));
        trigger("saveCsvAction", path(QStringLiteral("channels.csv")));  // over the file opened
        QCOMPARE(testing::ReadBytes(path(QStringLiteral("channels.csv~"))), opened);

        option()->setChecked(false);
        QVERIFY(!KeepBackups());
        QCOMPARE(testing::ReadBytes(m_programDir + QStringLiteral("/Corvalen-backups.txt")),
                 QByteArray("off\r\n"));
        QVERIFY(QFile::remove(path(QStringLiteral("channels.csv~"))));
        trigger("saveCsvAction", path(QStringLiteral("channels.csv")));
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("channels.csv~"))));

        // The next run starts with the option as it was left.
        startWindow();
        QVERIFY(!option()->isChecked());
        QVERIFY(!KeepBackups());
        option()->setChecked(true);
        startWindow();
        QVERIFY(option()->isChecked());
        QVERIFY(KeepBackups());
    }

    // Only "off" (blanks around allowed) turns backups off; anything else in the file leaves them
    // on.
    void onlyOffTurnsThemOff_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("other words") << QByteArray("[Options]\r\nbackup=no\r\n");
        QTest::newRow("off with blanks") << QByteArray("  off  \r\n");
    }

    void onlyOffTurnsThemOff() {
        QFETCH(QByteArray, bytes);
        QVERIFY(testing::WriteBytes(m_programDir + QStringLiteral("/Corvalen-backups.txt"), bytes));
        startWindow();
        QCOMPARE(option()->isChecked(), bytes.trimmed() != "off");
    }
};

QTEST_MAIN(TestRecovery)
#include "tst_recovery.moc"

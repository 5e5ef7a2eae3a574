
#include "EditorTest.h"
#include "app/WorkKeeper.h"
#include "io/Backup.h"

using namespace corvalen;

// Options / "Keep a Backup When Saving": on until turned off, remembered between runs, and what
// the editor's saves do with it.
class TestBackupOption : public EditorTest {
    Q_OBJECT

private:
    QAction* option() const { return m_window->keeper().backupAction(); }

    // Saves the table over an existing channels.csv.
    void saveOverExisting() {
        m_dialogs->answers.push_back(path(QStringLiteral("channels.csv")));
        trigger("saveCsvAction");
    }

private slots:
    void init() { setUpEditor(); }

    void onUntilTurnedOffAndRemembered() {
        startWindow(testing::Channels(2));
        const QByteArray opened = testing::ReadBytes(path(QStringLiteral("channels.csv")));
        QVERIFY(option()->isChecked());
        model().setData(model().index(0, Callsign), QStringLiteral("NEW"));
        saveOverExisting();
        QCOMPARE(testing::ReadBytes(path(QStringLiteral("channels.csv~"))), opened);

        option()->setChecked(false);
        QVERIFY(!KeepBackups());
        QCOMPARE(testing::ReadBytes(m_programDir + QStringLiteral("/Corvalen-backups.txt")),
                 QByteArray("off\r\n"));
        QVERIFY(QFile::remove(path(QStringLiteral("channels.csv~"))));
        saveOverExisting();
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

QTEST_MAIN(TestBackupOption)
#include "tst_backupoption.moc"

#include <QtTest>

#include "../TestTables.h"
#include "ConverterRun.h"

// The converter keeps a backup of the file it replaces only when asked with --backup.

namespace {

using testing::ReadBytes;
using testing::WriteBytes;

const QByteArray kCsv =
    "\"Number\",\"Frequency\",\"Bandwidth\",\"IF Shift\",\"reserved\",\"reserved\",\"reserved\","
    "\"reserved\",\"reserved\",\"Groups\",\"Hotkey\",\"Lockout\",\"Priority\",\"Level Squelch\","
    "\"Secondary squelch type\",\"Secondary squelch value\",\"Mode\",\"Callsign\",\"Comments\"\r\n"
    "\"1\",\"6070000\",\"5000\",\"0\",\"\",\"\",\"\",\"\",\"\",\"1\",\"0\",\"0\",\"0\",\"-100\","
    "\"\",\"\",\"AM\",\"CFRX\",\"Toronto\"\r\n";

}  // namespace

class TestCliBackup : public QObject {
    Q_OBJECT

private slots:
    void backupOnlyWithTheOption_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("output");
        QTest::addColumn<bool>("backup");
        QTest::newRow("csv, no option") << QStringList() << "out.csv" << false;
        QTest::newRow("csv, --backup first") << QStringList{"--backup"} << "out.csv" << true;
        QTest::newRow("g3m updated in place")
            << QStringList{"--model", "313", "--backup"} << "out.g3m" << true;
        QTest::newRow("g3m, no option") << QStringList{"--model", "313"} << "out.g3m" << false;
    }

    void backupOnlyWithTheOption() {
        QFETCH(QStringList, options);
        QFETCH(QString, output);
        QFETCH(bool, backup);
        QTemporaryDir dir;
        const QString input = dir.filePath("in.csv");
        const QString out = dir.filePath(output);
        QVERIFY(WriteBytes(input, kCsv));
        // A first write makes the file; it had no earlier version, so it has no backup.
        QStringList args = QStringList{"convert"} + options + QStringList{input, out};
        QCOMPARE(testing::RunConverterWith(args).status, 0);
        QVERIFY(!QFileInfo::exists(out + "~"));
        const QByteArray first = ReadBytes(out);

        QVERIFY(WriteBytes(input, QByteArray(kCsv).replace("6070000", "6080000")));
        QCOMPARE(testing::RunConverterWith(args).status, 0);
        QVERIFY(ReadBytes(out) != first);
        QCOMPARE(QFileInfo::exists(out + "~"), backup);
        if (backup) {
            QCOMPARE(ReadBytes(out + "~"), first);
        }
        // The option holds for one run only.
        args.removeAll("--backup");
        QVERIFY(QFile::remove(out + "~") || !backup);
        QCOMPARE(testing::RunConverterWith(args).status, 0);
        QVERIFY(!QFileInfo::exists(out + "~"));
    }
};

QTEST_GUILESS_MAIN(TestCliBackup)
#include "tst_cli_backup.moc"

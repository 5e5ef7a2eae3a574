#include <QtTest>

#include "ConverterRun.h"

// The converter keeps a backup of the file it replaces only when asked with --backup.

namespace {

const QByteArray kCsv =
    "\"Number\",\"Frequency\",\"Bandwidth\",\"IF Shift\",\"reserved\",\"reserved\",\"reserved\","
    "\"reserved\",\"reserved\",\"Groups\",\"Hotkey\",\"Lockout\",\"Priority\",\"Level Squelch\","
    "\"Secondary squelch type\",\"Secondary squelch value\",\"Mode\",\"Callsign\",\"Comments\"\r\n"
    "\"1\",\"6070000\",\"5000\",\"0\",\"\",\"\",\"\",\"\",\"\",\"1\",\"0\",\"0\",\"0\",\"-100\","
    "\"\",\"\",\"AM\",\"CFRX\",\"Toronto\"\r\n";

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

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
        WriteAll(input, kCsv);
        // A first write makes the file; it had no earlier version, so it has no backup.
        std::vector<std::string> args = {"convert"};
        for (const QString& option : options) {
            args.push_back(option.toStdString());
        }
        args.push_back(input.toStdString());
        args.push_back(out.toStdString());
        QCOMPARE(testing::RunConverterWith(args).status, 0);
        QVERIFY(!QFileInfo::exists(out + "~"));
        const QByteArray first = ReadAll(out);

        WriteAll(input, QByteArray(kCsv).replace("6070000", "6080000"));
        QCOMPARE(testing::RunConverterWith(args).status, 0);
        QVERIFY(ReadAll(out) != first);
        QCOMPARE(QFileInfo::exists(out + "~"), backup);
        if (backup) {
            QCOMPARE(ReadAll(out + "~"), first);
        }
        // The option holds for one run only.
        args.erase(std::remove(args.begin(), args.end(), std::string("--backup")), args.end());
        QVERIFY(QFile::remove(out + "~") || !backup);
        QCOMPARE(testing::RunConverterWith(args).status, 0);
        QVERIFY(!QFileInfo::exists(out + "~"));
    }
};

QTEST_GUILESS_MAIN(TestCliBackup)
#include "tst_cli_backup.moc"

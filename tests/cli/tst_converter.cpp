#include <QtTest>

#include <sstream>

#include "TestData.h"
#include "cli/ConvertCommand.h"

using namespace corvalen;

namespace {

const QString kAwkward = QStringLiteral(CORVALEN_TEST_DATA_DIR "/cli/awkward/");

struct Run {
    int status = -1;
    std::string out;
    std::string err;
};

Run Convert(std::vector<std::string> args) {
    std::vector<std::string_view> views(args.begin(), args.end());
    std::ostringstream out;
    std::ostringstream err;
    Run run;
    run.status = RunConverter(views, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray FromHex(const char* hex) {
    return QByteArray::fromHex(hex);
}

}  // namespace

class TestConverter : public QObject {
    Q_OBJECT

private slots:
    void csvOutputIsByteExact() {
        QTemporaryDir dir;
        const QString out = dir.filePath("out.CSV");
        const Run run =
            Convert({"convert", (kAwkward + "input.csv").toStdString(), out.toStdString()});
        QCOMPARE(run.status, kExitOk);
        QCOMPARE(ReadAll(out), ReadAll(kAwkward + "expected.csv"));
        QCOMPARE(run.out, "wrote 6 channels to " + out.toStdString() + "; 1 input line reported\n");
        QVERIFY2(run.err.starts_with("line 4: "), run.err.c_str());
    }

    void g3mOutputUpdatesExistingFileInPlace() {
        QTemporaryDir dir;
        const QString out = dir.filePath("memory.g3m");
        // An existing file of 100 records of filler: only the channels in the input change.
        const QByteArray filler(100 * 92, char(0xAB));
        WriteAll(out, filler);

        const Run run = Convert({"convert", "--model", "313",
                                 (kAwkward + "input.csv").toStdString(), out.toStdString()});
        QCOMPARE(run.status, kExitOk);
        QCOMPARE(run.out, "wrote 5 records to " + out.toStdString() +
                              "; 1 row not written; 1 input line reported\n");
        const QStringList problems =
            QString::fromStdString(run.err).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(problems.size(), 5);
        QVERIFY(problems[0].startsWith("line 4: "));
        QCOMPARE(problems[1],
                 "row 2: Number \"1\" is used again in row 6, whose record replaces "
                 "this row's");
        QVERIFY(problems[2].startsWith("row 3: ") && problems[2].contains("\"usb\""));
        QVERIFY(problems[3].startsWith("row 4: ") && problems[3].contains("Frequency"));
        QCOMPARE(problems[4],
                 "row 5: Number \"abc\" is not a channel number from 1 to 65535; row not written");

        const QByteArray image = ReadAll(out);
        QCOMPARE(image.size(), filler.size());
        // Channel 5 is the well-known reference record.
        QCOMPARE(image.mid(4 * 92, 92),
                 FromHex("05000000809FD50000000000000000000000000000000000000000009CFFFFFF"
                         "0500000041424300000000000000000054657374000000000000000000000000"
                         "00000000000000000000000000000000"
                         "3F4A8C75"
                         "24FAFFFF60090000"));
        // Channel 1: the later row with the same number wins.
        const QByteArray one = image.left(92);
        QCOMPARE(one.mid(36, 4), QByteArray("DUP\0", 4));
        QCOMPARE(one.mid(4, 4), FromHex("00DD6D00"));  // 7200000
        // Channel 2 had no bandwidth and was never imported; 6 to 100 were never in the file.
        QCOMPARE(image.mid(92, 92), filler.mid(92, 92));
        QCOMPARE(image.mid(5 * 92), filler.mid(5 * 92));
    }

    void refusals_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const QString in = kAwkward + "input.csv";
        QTest::newRow("no arguments") << QStringList{} << int(kExitUsageError) << "usage:";
        QTest::newRow("unknown command")
            << QStringList{"export"} << int(kExitUsageError) << "unknown command";
        QTest::newRow("g3m without model")
            << QStringList{"convert", in, "@/x.g3m"} << int(kExitUsageError) << "--model";
        QTest::newRow("other extension")
            << QStringList{"convert", in, "@/x.txt"} << int(kExitUsageError) << ".g3m or .csv";
        QTest::newRow("one file") << QStringList{"convert", in} << int(kExitUsageError)
                                  << "INPUT and an OUTPUT";
        QTest::newRow("unknown option")
            << QStringList{"convert", "--fast", in, "@/x.csv"} << int(kExitUsageError) << "--fast";
        QTest::newRow("missing input")
            << QStringList{"convert", "@/none.csv", "@/x.csv"} << int(kExitFileError) << "none.csv";
        QTest::newRow("input is a folder")
            << QStringList{"convert", "@", "@/x.csv"} << int(kExitFileError) << "Cannot";
        QTest::newRow("output folder missing")
            << QStringList{"convert", "--model", "313", in, "@/no/dir/x.g3m"} << int(kExitFileError)
            << "no/dir/x.g3m";
    }
    void refusals() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, message);
        QTemporaryDir dir;
        std::vector<std::string> argv;
        for (QString arg : args) {
            argv.push_back(arg.replace("@", dir.path()).toStdString());
        }
        const Run run = Convert(argv);
        QCOMPARE(run.status, status);
        QVERIFY2(QString::fromStdString(run.err).contains(message), run.err.c_str());
        QCOMPARE(run.out, std::string());
        // Nothing was created.
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
    }

    void failedInputLeavesOutputAlone() {
        QTemporaryDir dir;
        const QString out = dir.filePath("keep.g3m");
        WriteAll(out, "old bytes");
        const Run run = Convert({"convert", "--model", "303",
                                 dir.filePath("missing.csv").toStdString(), out.toStdString()});
        QCOMPARE(run.status, kExitFileError);
        QCOMPARE(ReadAll(out), QByteArray("old bytes"));
    }

    void binaryExitCodes() {
        QProcess help;
        help.start(CORVALEN_CLI_PATH, {"--help"});
        QVERIFY(help.waitForFinished(30000));
        QCOMPARE(help.exitCode(), 0);
        QVERIFY(help.readAllStandardOutput().startsWith("usage: corvalen-cli convert"));

        QProcess wrong;
        wrong.start(CORVALEN_CLI_PATH, {"convert"});
        QVERIFY(wrong.waitForFinished(30000));
        QCOMPARE(wrong.exitCode(), 2);
        QVERIFY(wrong.readAllStandardError().contains("usage:"));
    }
};

QTEST_GUILESS_MAIN(TestConverter)
#include "tst_converter.moc"

#include <QtTest>

#include "../TestTables.h"
#include "ConverterRun.h"
#include "TestData.h"
#include "cli/Converter.h"

using namespace corvalen;

namespace {

using testing::ReadBytes;

const QString kData = QStringLiteral(CORVALEN_TEST_DATA_DIR "/cli/");

using testing::Run;

Run Cli(const QStringList& args) {
    return testing::RunConverterWith(args);
}

}  // namespace

class TestFill : public QObject {
    Q_OBJECT

private slots:
    void appendsToInputByteExact() {
        QTemporaryDir dir;
        const QString out = dir.filePath("out.csv");
        const Run run =
            Cli({"fill", "--start", "118", "--stop", "118.05", "--step", "25", "--set", "mode=AM",
                 "--set=Callsign=TWR", "--first-number", "10", kData + "awkward/input.csv", out});
        QCOMPARE(run.status, kExitOk);
        QCOMPARE(ReadBytes(out), ReadBytes(kData + "fill/expected.csv"));
        QCOMPARE(run.out, "wrote 9 channels to " + out.toStdString() +
                              ": 3 new, numbered 10 to 12; 1 input line reported\n");
        QVERIFY2(run.err.starts_with("line 4: "), run.err.c_str());
    }

    // Each row: the arguments after "fill" (OUTPUT appended), the first and last new line.
    void newChannels_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("firstLine");
        QTest::addColumn<QString>("lastLine");
        QTest::addColumn<int>("lines");  // channel lines
        QTest::newRow("8.33 kHz airband, FM default bandwidth")
            << QStringList{"--start", "118.000 MHz", "--stop",  "118.03332M", "--step",
                           "8330 Hz", "--set",       "Mode=FM", "--set",      "Groups=1+2"}
            << R"("1","118000000","15000","","","","","","","1+2","0","0","0","","","","FM","","")"
            << R"("5","118033320","15000","","","","","","","1+2","0","0","0","","","","FM","","")"
            << 5;
        QTest::newRow("given bandwidth wins")
            << QStringList{"--start=9580k", "--stop=9580k",   "--step=5k",
                           "--set",         "Bandwidth=9000", "--set",
                           "MODE=AM",       "--set",          "comments=a, \"b\""}
            << R"("1","9580000","9000","","","","","","","","0","0","0","","","","AM","","a, ""b""")"
            << R"("1","9580000","9000","","","","","","","","0","0","0","","","","AM","","a, ""b""")"
            << 1;
        QTest::newRow("no mode: CW and its bandwidth")
            << QStringList{"--start", "7", "--stop", "7.001", "--step", "0.5"}
            << R"("1","7000000","500","","","","","","","","0","0","0","","","","CW","","")"
            << R"("3","7001000","500","","","","","","","","0","0","0","","","","CW","","")" << 3;
        // 7 is a sum of lockout flags (scan lockout, mode and squelch not set): taken.
        QTest::newRow("every lockout flag")
            << QStringList{"--start", "7", "--stop", "7", "--step", "1", "--set", "Lockout=7"}
            << R"("1","7000000","500","","","","","","","","0","7","0","","","","CW","","")"
            << R"("1","7000000","500","","","","","","","","0","7","0","","","","CW","","")" << 1;
        QTest::newRow("fills to 65535")
            << QStringList{"--start", "1", "--stop", "66.534", "--step", "1"}
            << R"("1","1000000","500","","","","","","","","0","0","0","","","","CW","","")"
            << R"("65535","66534000","500","","","","","","","","0","0","0","","","","CW","","")"
            << 65535;
    }
    void newChannels() {
        QFETCH(QStringList, args);
        QFETCH(QString, firstLine);
        QFETCH(QString, lastLine);
        QFETCH(int, lines);
        QTemporaryDir dir;
        const QString out = dir.filePath("new.CSV");
        const Run run = Cli(QStringList{"fill"} + args + QStringList{out});
        QCOMPARE(run.status, kExitOk);
        QCOMPARE(run.err, std::string());
        const QStringList written = QString::fromLatin1(ReadBytes(out)).split("\r\n");
        QCOMPARE(written.size(), lines + 3);  // the header, the extra line end, the empty rest
        QVERIFY(written[0].startsWith("\"Number\",\"Frequency\",\"Bandwidth\""));
        QCOMPARE(written[1], firstLine);
        QCOMPARE(written[lines], lastLine);
    }

    // "8.33k" is the airband raster: it ends on its stop, and says so (the rasters themselves:
    // tst_editing).
    void airbandRaster() {
        QTemporaryDir dir;
        const QString out = dir.filePath("air.csv");
        Run run = Cli({"fill", "--start", "118", "--stop", "136.975", "--step", "8.33k", out});
        QCOMPARE(run.status, kExitOk);
        QCOMPARE(run.err,
                 "Step \"8.33k\" is taken as the airband raster of 25/3 kHz (8333.33... "
                 "Hz); each channel is rounded to the nearest Hz\n");
        const QStringList written = QString::fromLatin1(ReadBytes(out)).split("\r\n");
        QCOMPARE(written.size(), 2278 + 3);
        QVERIFY(written[2278].startsWith(R"("2278","136975000","500")"));
    }

    void refused_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const QStringList range{"--start", "1", "--stop", "2", "--step", "100"};
        // (Every range refused: tst_editing; here that fill says it and writes nothing.)
        QTest::newRow("too many channels")
            << QStringList{"--start",        "1",      "--stop",
                           "66.534",         "--step", "1",
                           "--first-number", "1",      kData + "awkward/input.csv"}
            << 2
            << "The range makes 65535 channels; with the 6 rows already in the table that is "
               "more than 65535 rows; 65529 more fit; nothing written";
        QTest::newRow("first number 0") << range + QStringList{"--first-number", "0"} << 2
                                        << "--first-number 0 is not a channel number";
        QTest::newRow("no step") << QStringList{"--start", "1", "--stop", "2"} << 2
                                 << "fill needs --start, --stop and --step";
        QTest::newRow("unknown column") << range + QStringList{"--set", "Colour=red"} << 2
                                        << "--set Colour: no column of the CSV header";
        QTest::newRow("ambiguous column")
            << range + QStringList{"--set", "reserved=1"} << 2 << "5 columns have that name";
        QTest::newRow("frequency is the range's")
            << range + QStringList{"--set", "Frequency=1"} << 2
            << "the range gives every new channel its own Frequency";
        QTest::newRow("set without value")
            << range + QStringList{"--set", "Mode"} << 2 << "--set Mode is not COLUMN=VALUE";
        QTest::newRow("unknown option")
            << range + QStringList{"--model", "313"} << 2 << "unknown option --model";
        QTest::newRow("input missing") << range + QStringList{"missing.csv"} << 1 << "missing.csv";
        // Each --set value as `check` reads it; a first number onto INPUT's own numbers.
        for (const char* set :
             {"Mode=XYZ", "Bandwidth=abc", "Bandwidth=-5", "Groups=99", "Hotkey=F2"}) {
            QTest::newRow(set) << range + QStringList{"--set", set} << 2
                               << QString("--set ") + set + ": ";
        }
        QTest::newRow("first number repeats INPUT's")
            << range + QStringList{"--first-number", "2", kData + "awkward/input.csv"} << 2
            << "--first-number 2: new channel 5 would repeat channel 5 of ";
        QTest::newRow("input without channels")
            << range + QStringList{kData + "../csv/header_only/input.csv"} << 1
            << "no channels in ";
        QTest::newRow("input not csv")
            << range + QStringList{kData + "../g3m/channel5_313.g3m"} << 2 << "ending in .csv";
    }
    void refused() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const Run run = Cli(QStringList{"fill"} + args + QStringList{dir.filePath("out.csv")});
        QCOMPARE(run.status, status);
        QVERIFY2(QString::fromStdString(run.err).contains(message), run.err.c_str());
        QVERIFY2(run.err.find("cli: corvalen-cli:") == std::string::npos, run.err.c_str());
        QCOMPARE(run.out, std::string());
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
    }

    // An OUTPUT that cannot be written fails the fill; what reading INPUT found is said first.
    void unwritableOutput_data() {
        QTest::addColumn<QStringList>("input");  // none, or INPUT
        QTest::addColumn<QString>("said");       // how stderr starts
        QTest::newRow("no INPUT") << QStringList{} << "corvalen-cli: ";
        QTest::newRow("INPUT with a line skipped")
            << QStringList{kData + "awkward/input.csv"}
            << "line 4: Bandwidth is empty; channel skipped\ncorvalen-cli: ";
    }
    void unwritableOutput() {
        QFETCH(QStringList, input);
        QFETCH(QString, said);
        QTemporaryDir dir;
        const Run run = Cli(QStringList{"fill", "--start", "1", "--stop", "1", "--step", "1"} +
                            input + QStringList{dir.filePath("no/such/folder/out.csv")});
        QCOMPARE(run.status, kExitFileError);
        QCOMPARE(run.out, std::string());
        QVERIFY2(QString::fromStdString(run.err).startsWith(said), run.err.c_str());
        QVERIFY2(QString::fromStdString(run.err).contains("no/such/folder/out.csv"),
                 run.err.c_str());
    }
};

QTEST_GUILESS_MAIN(TestFill)
#include "tst_fill.moc"

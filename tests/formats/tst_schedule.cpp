#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "../TestTables.h"
#include "../cli/ConverterRun.h"
#include "TestData.h"
#include "cli/Converter.h"
#include "csv/CsvReader.h"
#include "formats/EibiSchedule.h"

using namespace corvalen;

namespace {

const QString kSked = QStringLiteral(CORVALEN_TEST_DATA_DIR "/formats/eibi/sked-A26.csv");

// The header line of an EiBi schedule.
const QByteArray kHeader =
    "kHz:75;Time(UTC):93;Days:59;ITU:49;Station:201;Lng:49;Target:62;Remarks:135;P:35;Start:60;"
    "Stop:60;\r\n";

struct Run {
    int status = 0;
    QString err;
    QStringList channels;  // "Hz Callsign" per row of the CSV written
};

Run RunSchedule(const QStringList& options, const QString& sked, const QString& output) {
    const testing::Run cli =
        testing::RunConverterWith(QStringList{"schedule"} + options + QStringList{sked, output});
    Run run{cli.status, QString::fromStdString(cli.err), {}};
    const MemoryTable written = testing::ReadCsvFile(output).table;
    const QStringList callsigns = testing::ColumnTexts(written, Callsign);
    for (const QString& hz : testing::ColumnTexts(written, Frequency)) {
        run.channels << hz + " " + callsigns[run.channels.size()];
    }
    return run;
}

// A list as people keep it: two channels of an import, one with its days, a hand-made one
// whose comment starts like a summary, one with blanks after its summary.
const QByteArray kList =
    "Number,Frequency,Bandwidth,IF Shift,reserved,reserved,reserved,reserved,reserved,Groups,"
    "Hotkey,Lockout,Priority,Level Squelch,Secondary squelch type,Secondary squelch value,Mode,"
    "Callsign,Comments\n"
    "3,6000000,6000,,,,,,,,0,0,0,,,,AM,R Habana Cuba,0000-0100 S NAm\n"
    "7,9420000,6000,,,,,,,,0,0,0,,,,AM,ERT,2100-0100[Sa] Gr Eu\n"
    "12,7100000,2400,,,,,,,,0,0,0,,,,LSB,Ham net,1800-1900 news at nine\n"
    "20,5000000,6000,,,,,,,,0,0,0,,,,AM,WWV,0000-2400[Mo-Fr] -TS NAm  \n";

}  // namespace

class TestSchedule : public QObject {
    Q_OBJECT

private slots:
    void days_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("days");  // bit 0 Monday; -1 cannot be read
        QTest::newRow("empty") << "" << 0x7F;
        QTest::newRow("digits") << "1245" << 0b0011011;
        QTest::newRow("list") << "Sa,Su" << 0b1100000;
        QTest::newRow("run together") << "SaSu" << 0b1100000;
        QTest::newRow("range") << "Mo-Fr" << 0b0011111;
        QTest::newRow("wrapping range") << "We-Mo" << 0b1111101;
        QTest::newRow("range and day") << "Mo-We,Sa" << 0b0100111;
        for (const char* special : {"irr", "alt", "1.Sa", "Sa2", "Last7", "24Dec", "8"}) {
            QTest::newRow(special) << special << -1;
        }
    }
    void days() {
        QFETCH(QString, text);
        QFETCH(int, days);
        std::uint8_t read = 0;
        const bool ok = ReadScheduleDays(text.toStdString(), read);
        QCOMPARE(ok ? read : -1, days);
    }

    // The held-out schedule's kind of lines: wrapping times, days as digits and lists, decimal
    // kHz, inactive entries, dates with brackets and typos, Windows-1252 accents.
    void filters_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("channels");
        const QString cri = "9610000 China Radio Int.", foni = "9420000 Fonì tis Elládas",
                      wwv = "5000000 WWV", habana = "6000000 R Habana Cuba",
                      funk = "6000000 Funkhaus Europa", orf = "6155000 Radio Österreich Int",
                      odd = "7325000 Odd time", rna = "11780500 Rádio Nacional da Amazônia",
                      saq = "17200 SAQ Grimeton", test = "16600100 Test digital Ü";
        QTest::newRow("no filter, inactive left out")
            << QStringList{} << QStringList{saq, wwv, habana, funk, orf, odd, foni, cri, rna, test};
        QTest::newRow("at, start included")
            << QStringList{"--at", "1800"} << QStringList{wwv, funk, foni, cri, rna};
        QTest::newRow("at, end excluded") << QStringList{"--at=0100"} << QStringList{wwv, rna};
        QTest::newRow("at, past midnight")
            << QStringList{"--at", "0030"} << QStringList{wwv, habana, foni, rna};
        QTest::newRow("span across midnight")
            << QStringList{"--at", "2330-0015"} << QStringList{wwv, habana, foni, rna};
        QTest::newRow("Saturday, unreadable days kept")
            << QStringList{"--day", "Sa"}
            << QStringList{saq, wwv, habana, orf, odd, foni, cri, rna};
        QTest::newRow("Tuesday") << QStringList{"--day", "tu"}
                                 << QStringList{saq, wwv, habana, funk, orf, odd, foni, cri, rna};
        QTest::newRow("language in a list")
            << QStringList{"--language", "E"} << QStringList{habana, odd, foni, cri, test};
        QTest::newRow("two languages")
            << QStringList{"--language", "Gr,P"} << QStringList{foni, rna};
        QTest::newRow("target") << QStringList{"--target", "Af,CAm"} << QStringList{cri};
        QTest::newRow("station, any case") << QStringList{"--station", "RÁDIO"} << QStringList{rna};
        QTest::newRow("station, accents")
            << QStringList{"--station", "fonÌ TIS ELLÁ"} << QStringList{foni};
        QTest::newRow("band, ends included")
            << QStringList{"--band", "6000-9420"} << QStringList{habana, funk, orf, odd, foni};
        QTest::newRow("decimal band")
            << QStringList{"--band", "16600.1-16600.1"} << QStringList{test};
        QTest::newRow("date in winter")
            << QStringList{"--date", "2026-12-24"}
            << QStringList{saq, wwv, habana, orf, odd, foni, cri, rna, test};
        QTest::newRow("date in summer")
            << QStringList{"--date", "2026-07-01"}
            << QStringList{wwv, habana, funk, orf, odd, foni, cri, rna, test};
        QTest::newRow("all together")
            << QStringList{"--at", "1800", "--day", "Sa", "--language", "E", "--target", "Af"}
            << QStringList{cri};
    }
    void filters() {
        QFETCH(QStringList, options);
        QFETCH(QStringList, channels);
        QTemporaryDir dir;
        const Run run = RunSchedule(options, kSked, dir.filePath("out.csv"));
        QCOMPARE(run.channels, channels);
        QCOMPARE(run.status, kExitFileError);  // the file's broken lines are always reported
        QVERIFY(run.err.contains("line 16: kHz \"abc\""));
    }

    void notices() {
        QTemporaryDir dir;
        const Run days = RunSchedule({"--day", "Mo"}, kSked, dir.filePath("a.csv"));
        QVERIFY(
            days.err.contains("line 2: 2 entries have Days that say no plain weekday "
                              "(first \"24Dec\"); kept"));
        const Run dates = RunSchedule({"--date", "2026-01-01"}, kSked, dir.filePath("b.csv"));
        QVERIFY2(dates.err.contains("line 14: 1 entry has a Start or Stop that is no day and "
                                    "month DDMM; that date not checked"),
                 qPrintable(dates.err));
    }

    void exitStatus_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("status");
        QTest::newRow("clean") << QStringList{} << kExitOk;
        QTest::newRow("nothing passes") << QStringList{"--at", "1200"} << kExitFileError;
        QTest::newRow("time 2400") << QStringList{"--at", "2400"} << kExitUsageError;
        QTest::newRow("day") << QStringList{"--day", "Xx"} << kExitUsageError;
        QTest::newRow("band backwards") << QStringList{"--band", "9000-5000"} << kExitUsageError;
        QTest::newRow("no leap day") << QStringList{"--date", "2027-02-29"} << kExitUsageError;
        QTest::newRow("memory file without model") << QStringList{"--to", "x"} << kExitUsageError;
    }
    void exitStatus() {
        QFETCH(QStringList, options);
        QFETCH(int, status);
        QTemporaryDir dir;
        const QString sked = dir.filePath("sked.csv");
        QVERIFY(testing::WriteBytes(sked,
                                    kHeader + "6000;0000-0100;;CUB;R Habana Cuba;S;NAm;;1;;\r\n"));
        const Run run = RunSchedule(options, sked, dir.filePath("out.csv"));
        QCOMPARE(run.status, status);
        QCOMPARE(QFile::exists(dir.filePath("out.csv")),
                 status != kExitUsageError && run.channels.size() == 1);
    }

    // The channels of a list on air at a minute, on a day or any day, or within a span.
    void onAir_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("status");
        const QString cuba = "3 6000 kHz R Habana Cuba: 0000-0100 S NAm",
                      ert = "7 9420 kHz ERT: 2100-0100[Sa] Gr Eu",
                      wwv = "20 5000 kHz WWV: 0000-2400[Mo-Fr] -TS NAm";
        QTest::newRow("any day") << QStringList{"--at", "0030"} << QStringList{cuba, ert, wwv}
                                 << kExitOk;
        QTest::newRow("past midnight, not the day it starts")
            << QStringList{"--at", "0030", "--day", "Sa"} << QStringList{cuba} << kExitOk;
        QTest::newRow("the day it starts")
            << QStringList{"--at=2330", "--day=sa"} << QStringList{ert} << kExitOk;
        QTest::newRow("within a span")
            << QStringList{"--at", "2345-0015", "--day", "Su"} << QStringList{cuba, wwv} << kExitOk;
        QTest::newRow("none on air")
            << QStringList{"--at", "1830", "--day", "Sa"} << QStringList{} << kExitOk;
        QTest::newRow("no time") << QStringList{"--day", "Sa"} << QStringList{} << kExitUsageError;
        QTest::newRow("unknown option")
            << QStringList{"--at", "1800", "--within", "60"} << QStringList{} << kExitUsageError;
        QTest::newRow("two lists")
            << QStringList{"--at", "1800", "@/list.csv"} << QStringList{} << kExitUsageError;
    }
    void onAir() {
        QFETCH(QStringList, options);
        QFETCH(QStringList, lines);
        QFETCH(int, status);
        QTemporaryDir dir;
        QVERIFY(testing::WriteBytes(dir.filePath("list.csv"), kList));
        const testing::Run run = testing::RunConverterWith(
            QStringList{"on-air"} + options + QStringList{"@/list.csv"}, dir.path());
        QCOMPARE(run.status, status);
        QCOMPARE(QString::fromStdString(run.out).split('\n', Qt::SkipEmptyParts), lines);
        QVERIFY2(QString::fromStdString(run.err).contains(
                     status == kExitOk ? QString("%1 of 4 channels in %2/list.csv on air")
                                             .arg(lines.size())
                                             .arg(dir.path())
                                       : QString("see corvalen-cli --help")),
                 run.err.c_str());
    }

    // A new season over the list: the user's rows as they were, the schedule's kept, updated,
    // removed, and the new ones numbered after the highest Number.
    void seasonUpdate_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("listEnd");    // more rows of the list
        QTest::addColumn<QStringList>("channels");  // "Number Callsign Comments" of OUTPUT
        QTest::addColumn<QString>("said");
        QTest::addColumn<int>("status");
        QTest::newRow("kept, updated, added, removed")
            << QStringList{"--band", "6000-9420"} << QByteArray()
            << QStringList{"3 R Habana Cuba 0000-0200 S NAm", "7 ERT 2100-0100[Sa] Gr Eu",
                           "12 Ham net 1800-1900 news at nine", "21 New one 1800-1900 E Eu"}
            << "over @/list.csv: 1 kept, 1 updated, 1 added, 1 removed" << kExitOk;
        QTest::newRow("numbers run out")
            << QStringList{} << QByteArray("65535,7000000,500,,,,,,,,0,0,0,,,,CW,Top,\n")
            << QStringList{}
            << "Channel numbers 65536 to 65536 go past 65535, the highest channel number; "
               "nothing written"
            << kExitFileError;
        QTest::newRow("memory file without model")
            << QStringList{"--update", "@/list.g3m"} << QByteArray() << QStringList{}
            << "reading a .g3m file needs --model" << kExitUsageError;
        QTest::newRow("list missing") << QStringList{"--update", "@/none.csv"} << QByteArray()
                                      << QStringList{} << "none.csv" << kExitFileError;
    }
    void seasonUpdate() {
        QFETCH(QStringList, options);
        QFETCH(QByteArray, listEnd);
        QFETCH(QStringList, channels);
        QFETCH(QString, said);
        QFETCH(int, status);
        QTemporaryDir dir;
        QVERIFY(testing::WriteBytes(dir.filePath("list.csv"), kList + listEnd));
        QVERIFY(testing::WriteBytes(dir.filePath("sked.csv"),
                                    kHeader + "6000;0000-0200;;CUB;R Habana Cuba;S;NAm;;1;;\r\n"
                                              "9420;2100-0100;Sa;GRC;ERT;Gr;Eu;;1;;\r\n"
                                              "9420;1800-1900;Su;GRC;ERT;Gr;Eu;;8;;\r\n"
                                              "7400;1800-1900;;D;New one;E;Eu;;1;;\r\n"));
        if (!options.contains("--update")) {
            options = QStringList{"--update", "@/list.csv"} + options;
        }
        const testing::Run run = testing::RunConverterWith(
            QStringList{"schedule"} + options + QStringList{"@/sked.csv", "@/out.csv"}, dir.path());
        QCOMPARE(run.status, status);
        said.replace("@", dir.path());
        QVERIFY2(QString::fromStdString(run.out + run.err).contains(said),
                 (run.out + run.err).c_str());
        QCOMPARE(QFile::exists(dir.filePath("out.csv")), !channels.isEmpty());
        const MemoryTable written = testing::ReadCsvFile(dir.filePath("out.csv")).table;
        QStringList rows;
        for (int row = 1; row < written.RowCount(); ++row) {
            rows << QString::fromStdString(std::string(written.CellText(row, Number)) + " " +
                                           std::string(written.CellText(row, Callsign)) + " " +
                                           std::string(written.CellText(row, Comments)));
        }
        QCOMPARE(rows, channels);
    }

    // One channel per broadcast: a receiver's 65,535 are written, one more is refused whole.
    void channelLimit_data() {
        QTest::addColumn<int>("broadcasts");
        QTest::addColumn<int>("status");
        QTest::newRow("a whole memory") << 65535 << kExitOk;
        QTest::newRow("one channel more") << 65536 << kExitFileError;
    }
    void channelLimit() {
        QFETCH(int, broadcasts);
        QFETCH(int, status);
        QTemporaryDir dir;
        QByteArray bytes = kHeader;
        for (int i = 0; i < broadcasts; ++i) {
            bytes += QByteArray::number(1000 + i) + ";0000-2400;;D;S" + QByteArray::number(i) +
                     ";E;Eu;;1;;\r\n";
        }
        const QString sked = dir.filePath("sked.csv");
        QVERIFY(testing::WriteBytes(sked, bytes));
        const Run run = RunSchedule({}, sked, dir.filePath("out.csv"));
        QCOMPARE(run.status, status);
        QCOMPARE(run.channels.size(), status == kExitOk ? broadcasts : 0);
        QCOMPARE(run.err.contains("65536 channels, more than the 65535 a receiver holds"),
                 status != kExitOk);
    }
};

QTEST_GUILESS_MAIN(TestSchedule)
#include "tst_schedule.moc"

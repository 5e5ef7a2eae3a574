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

using testing::kEibiHeader;

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
        QTest::addColumn<QString>("notice");  // said besides the file's broken lines
        const auto row = [](const char* name, const QStringList& options,
                            const QStringList& channels, const QString& notice = {}) {
            QTest::newRow(name) << options << channels << notice;
        };
        const QString cri = "9610000 China Radio Int.", foni = "9420000 Fonì tis Elládas",
                      wwv = "5000000 WWV", habana = "6000000 R Habana Cuba",
                      funk = "6000000 Funkhaus Europa", orf = "6155000 Radio Österreich Int",
                      odd = "7325000 Odd time", rna = "11780500 Rádio Nacional da Amazônia",
                      saq = "17200 SAQ Grimeton", test = "16600100 Test digital Ü";
        row("no filter, inactive left out", {},
            {saq, wwv, habana, funk, orf, odd, foni, cri, rna, test});
        row("at, start included", {"--at", "1800"}, {wwv, funk, foni, cri, rna});
        row("at, end excluded", {"--at=0100"}, {wwv, rna});
        row("at, past midnight", {"--at", "0030"}, {wwv, habana, foni, rna});
        row("span across midnight", {"--at", "2330-0015"}, {wwv, habana, foni, rna});
        row("Saturday, unreadable days kept", {"--day", "Sa"},
            {saq, wwv, habana, orf, odd, foni, cri, rna});
        row("Tuesday", {"--day", "tu"}, {saq, wwv, habana, funk, orf, odd, foni, cri, rna});
        row("Monday: Days that are no weekday said", {"--day", "Mo"},
            {saq, wwv, habana, funk, orf, odd, foni, cri, rna},
            "line 2: 2 entries have Days that say no plain weekday (first \"24Dec\"); kept");
        row("a date: Start and Stop that are no date said", {"--date", "2026-01-01"},
            {wwv, habana, orf, odd, foni, cri, rna, test},
            "line 14: 1 entry has a Start or Stop that is no day and month DDMM; that date not "
            "checked");
        row("language in a list", {"--language", "E"}, {habana, odd, foni, cri, test});
        row("two languages", {"--language", "Gr,P"}, {foni, rna});
        row("target", {"--target", "Af,CAm"}, {cri});
        row("station, any case", {"--station", "RÁDIO"}, {rna});
        row("station, accents", {"--station", "fonÌ TIS ELLÁ"}, {foni});
        row("band, ends included", {"--band", "6000-9420"}, {habana, funk, orf, odd, foni});
        row("decimal band", {"--band", "16600.1-16600.1"}, {test});
        row("date in winter", {"--date", "2026-12-24"},
            {saq, wwv, habana, orf, odd, foni, cri, rna, test});
        row("date in summer", {"--date", "2026-07-01"},
            {wwv, habana, funk, orf, odd, foni, cri, rna, test});
        row("all together", {"--at", "1800", "--day", "Sa", "--language", "E", "--target", "Af"},
            {cri});
    }
    void filters() {
        QFETCH(QStringList, options);
        QFETCH(QStringList, channels);
        QFETCH(QString, notice);
        QTemporaryDir dir;
        const Run run = RunSchedule(options, kSked, dir.filePath("out.csv"));
        QCOMPARE(run.channels, channels);
        QCOMPARE(run.status, kExitFileError);  // the file's broken lines are always reported
        QVERIFY(run.err.contains("line 16: kHz \"abc\""));
        QVERIFY2(run.err.contains(notice), qPrintable(run.err));
    }

    // One channel per broadcast, each on air from 0000 to 0100: a receiver's 65,535 are
    // written, one more is refused whole; options that cannot be read write nothing.
    void exitStatus_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("broadcasts");
        const auto row = [](const char* name, const QStringList& options, int status,
                            int broadcasts = 1) {
            QTest::newRow(name) << options << status << broadcasts;
        };
        row("clean", {}, kExitOk);
        row("nothing passes", {"--at", "1200"}, kExitFileError);
        row("time 2400", {"--at", "2400"}, kExitUsageError);
        row("day", {"--day", "Xx"}, kExitUsageError);
        row("band backwards", {"--band", "9000-5000"}, kExitUsageError);
        row("no leap day", {"--date", "2027-02-29"}, kExitUsageError);
        row("memory file without model", {"--to", "x"}, kExitUsageError);
        row("a whole memory", {}, kExitOk, 65535);
        row("one channel more", {}, kExitFileError, 65536);
    }
    void exitStatus() {
        QFETCH(QStringList, options);
        QFETCH(int, status);
        QFETCH(int, broadcasts);
        QTemporaryDir dir;
        QByteArray bytes = kEibiHeader;
        for (int i = 0; i < broadcasts; ++i) {
            bytes += QByteArray::number(1000 + i) + ";0000-0100;;D;S" + QByteArray::number(i) +
                     ";E;Eu;;1;;\r\n";
        }
        const QString sked = dir.filePath("sked.csv");
        QVERIFY(testing::WriteBytes(sked, bytes));
        const Run run = RunSchedule(options, sked, dir.filePath("out.csv"));
        QCOMPARE(run.status, status);
        QCOMPARE(run.channels.size(), status == kExitOk ? broadcasts : 0);
        QCOMPARE(QFile::exists(dir.filePath("out.csv")), status == kExitOk);
        QCOMPARE(run.err.contains("65536 channels, more than the 65535 a receiver holds"),
                 broadcasts > 65535);
    }

    // The channels of a list on air at a minute, on a day or any day, or within a span.
    void onAir_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("status");
        const auto row = [](const char* name, const QStringList& options, const QStringList& lines,
                            int status) { QTest::newRow(name) << options << lines << status; };
        const QString cuba = "3 6000 kHz R Habana Cuba: 0000-0100 S NAm",
                      ert = "7 9420 kHz ERT: 2100-0100[Sa] Gr Eu",
                      wwv = "20 5000 kHz WWV: 0000-2400[Mo-Fr] -TS NAm";
        row("any day", {"--at", "0030"}, {cuba, ert, wwv}, kExitOk);
        row("the day it starts", {"--at=2330", "--day=sa"}, {ert}, kExitOk);
        row("within a span", {"--at", "2345-0015", "--day", "Su"}, {cuba, wwv}, kExitOk);
        row("none on air", {"--at", "1830", "--day", "Sa"}, {}, kExitOk);
        row("no time", {"--day", "Sa"}, {}, kExitUsageError);
        row("unknown option", {"--at", "1800", "--within", "60"}, {}, kExitUsageError);
        row("two lists", {"--at", "1800", "@/list.csv"}, {}, kExitUsageError);
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
                                    kEibiHeader + "6000;0000-0200;;CUB;R Habana Cuba;S;NAm;;1;;\r\n"
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
};

QTEST_GUILESS_MAIN(TestSchedule)
#include "tst_schedule.moc"

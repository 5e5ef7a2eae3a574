#include <QtTest>

#include "../TestTables.h"
#include "ConverterRun.h"
#include "TestData.h"
#include "cli/Converter.h"
#include "csv/CsvReader.h"
#include "files/ChannelFiles.h"
#include "files/ChannelFormat.h"
#include "io/Messages.h"

using namespace corvalen;

namespace {

using testing::ReadBytes;
using testing::WriteBytes;

const QString kAwkward = QStringLiteral(CORVALEN_TEST_DATA_DIR "/cli/awkward/");
const QString kChannel5 = QStringLiteral(CORVALEN_TEST_DATA_DIR "/g3m/channel5_313.g3m");

using testing::Run;

Run Convert(const QStringList& args) {
    return testing::RunConverterWith(args);
}

}  // namespace

class TestConverter : public QObject {
    Q_OBJECT

private slots:
    // Each OUTPUT against its golden file, with the summary on stdout and how stderr starts
    // (empty: nothing on stderr); "@" stands for the test's folder.
    void goldenOutputs_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("golden");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        const auto row = [](const char* name, const QStringList& args, const QString& golden,
                            const QString& out, const QString& err) {
            QTest::newRow(name) << args << golden << out << err;
        };
        const QString data = CORVALEN_TEST_DATA_DIR "/cli/";
        row("receiver CSV", {"convert", kAwkward + "input.csv", "@/out.CSV"},
            data + "awkward/expected.csv", "wrote 6 channels to @/out.CSV; 1 input line reported\n",
            "line 4: ");
        row("memory file to CSV", {"convert", "--model=313", kChannel5, "@/out.csv"},
            data + "channel5/expected.csv",
            "wrote 1 channel to @/out.csv from 5 records of " + kChannel5 + "\n", "");
        row("fill appends to INPUT",
            {"fill", "--start", "118", "--stop", "118.05", "--step", "25", "--set", "mode=AM",
             "--set=Callsign=TWR", "--first-number", "10", kAwkward + "input.csv", "@/out.csv"},
            data + "fill/expected.csv",
            "wrote 9 channels to @/out.csv: 3 new, numbered 10 to 12; 1 input line reported\n",
            "line 4: ");
        // gqrx bookmarks, told by their content under a .csv name, to gqrx: the tags keep their
        // colours.
        const QString gqrx = CORVALEN_TEST_DATA_DIR "/formats/gqrx_as_written/";
        row("gqrx to gqrx", {"convert", "--to", "gqrx", gqrx + "input.csv", "@/out.csv"},
            gqrx + "gqrx.csv", "wrote 13 channels to @/out.csv; 6 input lines reported\n",
            "row 1: Groups now stand for the gqrx bookmark file's group names");
    }
    void goldenOutputs() {
        QFETCH(QStringList, args);
        QFETCH(QString, golden);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QTemporaryDir dir;
        const Run run = testing::RunConverterWith(args, dir.path());
        QCOMPARE(run.status, kExitOk);
        QCOMPARE(ReadBytes(QString(args.last()).replace("@", dir.path())), ReadBytes(golden));
        QCOMPARE(QString::fromStdString(run.out), out.replace("@", dir.path()));
        QVERIFY2(err.isEmpty() ? run.err.empty() : run.err.starts_with(err.toStdString()),
                 run.err.c_str());
    }

    // New channels from a range, each row the arguments after "fill" (OUTPUT appended), the
    // first and last new line, and what stderr holds. (What a range makes without --set, up to
    // 65,535 rows: tst_editing's makeRangeRows.)
    void fillNewChannels_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("firstLine");
        QTest::addColumn<QString>("lastLine");
        QTest::addColumn<int>("lines");  // channel lines
        QTest::addColumn<QString>("err");
        const auto row = [](const char* name, const QStringList& args, const char* first,
                            const char* last, int lines, const char* err = "") {
            QTest::newRow(name) << args << first << last << lines << err;
        };
        row("8.33 kHz airband, FM default bandwidth",
            {"--start", "118.000 MHz", "--stop", "118.03332M", "--step", "8330 Hz", "--set",
             "Mode=FM", "--set", "Groups=1+2"},
            R"("1","118000000","15000","","","","","","","1+2","0","0","0","","","","FM","","")",
            R"("5","118033320","15000","","","","","","","1+2","0","0","0","","","","FM","","")",
            5);
        const char* given =
            R"("1","9580000","9000","","","","","","","","0","0","0","","","","AM","","a, ""b""")";
        row("given bandwidth wins",
            {"--start=9580k", "--stop=9580k", "--step=5k", "--set", "Bandwidth=9000", "--set",
             "MODE=AM", "--set", "comments=a, \"b\""},
            given, given, 1);
        // 7 is a sum of lockout flags (scan lockout, mode and squelch not set): taken.
        const char* lockout =
            R"("1","7000000","500","","","","","","","","0","7","0","","","","CW","","")";
        row("every lockout flag",
            {"--start", "7", "--stop", "7", "--step", "1", "--set", "Lockout=7"}, lockout, lockout,
            1);
        // "8.33k" is the airband raster: it ends on its stop, and says so.
        row("airband raster", {"--start", "118", "--stop", "136.975", "--step", "8.33k"},
            R"("1","118000000","500","","","","","","","","0","0","0","","","","CW","","")",
            R"("2278","136975000","500","","","","","","","","0","0","0","","","","CW","","")",
            2278,
            "Step \"8.33k\" is taken as the airband raster of 25/3 kHz (8333.33... Hz); each "
            "channel is rounded to the nearest Hz\n");
    }
    void fillNewChannels() {
        QFETCH(QStringList, args);
        QFETCH(QString, firstLine);
        QFETCH(QString, lastLine);
        QFETCH(int, lines);
        QFETCH(QString, err);
        QTemporaryDir dir;
        const QString out = dir.filePath("new.CSV");
        const Run run = testing::RunConverterWith(QStringList{"fill"} + args + QStringList{out});
        QCOMPARE(run.status, kExitOk);
        QCOMPARE(QString::fromStdString(run.err), err);
        const QStringList written = QString::fromLatin1(ReadBytes(out)).split("\r\n");
        QCOMPARE(written.size(), lines + 3);  // the header, the extra line end, the empty rest
        QVERIFY(written[0].startsWith("\"Number\",\"Frequency\",\"Bandwidth\""));
        QCOMPARE(written[1], firstLine);
        QCOMPARE(written[lines], lastLine);
    }

    // The converter keeps a backup of the file it replaces only when asked with --backup, for
    // one run.
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
        const auto write = [&](const QList<int>& numbers) {
            return WriteChannelFile(input.toStdString(), testing::RowsNumbered(numbers),
                                    ReceiverCsvFormat(), {})
                .ok();
        };
        QVERIFY(write({1}));
        // A first write makes the file; it had no earlier version, so it has no backup.
        QStringList args = QStringList{"convert"} + options + QStringList{input, out};
        QCOMPARE(testing::RunConverterWith(args).status, 0);
        QVERIFY(!QFileInfo::exists(out + "~"));
        const QByteArray first = ReadBytes(out);
        QVERIFY(write({1, 2}));
        QCOMPARE(testing::RunConverterWith(args).status, 0);
        QVERIFY(ReadBytes(out) != first);
        QCOMPARE(QFileInfo::exists(out + "~"), backup);
        if (backup) {
            QCOMPARE(ReadBytes(out + "~"), first);
        }
        args.removeAll("--backup");
        QVERIFY(QFile::remove(out + "~") || !backup);
        QCOMPARE(testing::RunConverterWith(args).status, 0);
        QVERIFY(!QFileInfo::exists(out + "~"));
    }

    void memoryFileOutputUpdatesExistingFileInPlace() {
        QTemporaryDir dir;
        const QString out = dir.filePath("memory.g3m");
        // An existing file of 100 records of filler: only the channels in the input change.
        const QByteArray filler(100 * 92, char(0xAB));
        QVERIFY(WriteBytes(out, filler));

        const Run run =
            Convert({"convert", "--model", "313", "--all", kAwkward + "input.csv", out});
        QCOMPARE(run.status, kExitOk);
        // Channels 1, 3, 4 and 5 are written; the other 96 records stay and are counted.
        // Row 2's channel 1 is replaced by row 6's: the file holds four records of the rows.
        QCOMPARE(run.out, "wrote 4 records to " + out.toStdString() +
                              "; 1 row not written; 96 records already in the file kept; 1 row "
                              "replaced by a later row with the same Number; 1 input line "
                              "reported\n");
        // A line each for the line skipped and rows 2 to 5 (their words: check, tst_g3m's field).
        const QString err = QString::fromStdString(run.err);
        QCOMPARE(err.count('\n'), 5);
        QCOMPARE(err.count(QRegularExpression("^(line 4|row [2-5]): ",
                                              QRegularExpression::MultilineOption)),
                 5);

        const QByteArray image = ReadBytes(out);
        QCOMPARE(image.size(), filler.size());
        // Channel 5 is the reference record of the golden memory file.
        QCOMPARE(image.mid(4 * 92, 92), ReadBytes(kChannel5).mid(4 * 92));
        // Channel 1: the later row with the same number wins.
        const QByteArray one = image.left(92);
        QCOMPARE(one.mid(36, 4), QByteArray("DUP\0", 4));
        QCOMPARE(one.mid(4, 4), QByteArray::fromHex("00DD6D00"));  // 7200000
        // Channel 2 had no bandwidth and was never imported; 6 to 100 were never in the file.
        QCOMPARE(image.mid(92, 92), filler.mid(92, 92));
        QCOMPARE(image.mid(5 * 92), filler.mid(5 * 92));
    }

    // An OUTPUT that cannot be written fails the conversion or the fill, but what reading INPUT
    // found is still said first: the memory file, which is opened before its records are read,
    // too.
    void unwritableOutputStillReportsTheInput_data() {
        QTest::addColumn<QStringList>("args");  // without OUTPUT; "@" stands for the test's folder
        QTest::addColumn<QString>("output");    // "@/file" is a regular file
        QTest::addColumn<QString>("said");      // how the first line on stderr starts
        const QString awkward = kAwkward + "input.csv";
        const QString skipped = "line 4: Bandwidth is empty; channel skipped";
        const auto row = [](const char* name, const QStringList& args, const char* output,
                            const QString& said) { QTest::newRow(name) << args << output << said; };
        const QStringList m313{"convert", "--model", "313"};
        row("CSV, folder missing", m313 + QStringList{awkward}, "@/none/out.csv", skipped);
        row(".g3m, folder a file", m313 + QStringList{awkward}, "@/file/out.g3m", skipped);
        row(".15m, folder missing", {"convert", "--model", "315", awkward}, "@/none/out.15m",
            skipped);
        row("SDR# list, folder missing", {"convert", awkward}, "@/none/out.xml", skipped);
        row("CHIRP notice, .g3m", m313 + QStringList{"@/chirp.csv"}, "@/none/out.g3m",
            "line 2: the file holds Location 0: every channel is numbered its Location + 1");
        row("all lines, .g3m", {"convert", "--model", "313", "--all", awkward}, "@/none/out.g3m",
            skipped);
        const QStringList fill{"fill", "--start", "1", "--stop", "1", "--step", "1"};
        row("fill, no INPUT", fill, "@/none/out.csv", "corvalen-cli: ");
        row("fill, INPUT with a line skipped", fill + QStringList{awkward}, "@/none/out.csv",
            skipped);
    }
    void unwritableOutputStillReportsTheInput() {
        QFETCH(QStringList, args);
        QFETCH(QString, output);
        QFETCH(QString, said);
        QTemporaryDir dir;
        QVERIFY(WriteBytes(dir.filePath("file"), "a file, no folder\r\n"));
        QVERIFY(WriteBytes(dir.filePath("chirp.csv"),
                           "Location,Name,Frequency,Mode\r\n0,A,1,FM\r\n1,B,2,FM\r\n"));
        output.replace("@", dir.path());
        const Run run = testing::RunConverterWith(args + QStringList{output}, dir.path());
        QCOMPARE(run.status, kExitFileError);
        QCOMPARE(run.out, std::string());
        const QStringList lines = QString::fromStdString(run.err).split('\n', Qt::SkipEmptyParts);
        QVERIFY2(!lines.isEmpty() && lines.front().startsWith(said), run.err.c_str());
        QVERIFY2(lines.back().startsWith("corvalen-cli: ") && lines.back().contains(output),
                 run.err.c_str());
        QVERIFY(!QFileInfo::exists(output));
    }

    // A memory file that fails: each record named, and the summary (one that passes:
    // chirpAndFifteenM).
    void verifyNamesEachBadRecord() {
        QByteArray damaged = ReadBytes(kChannel5) + "abc";
        damaged[4 * 92 + 36] = 'X';
        QTemporaryDir dir;
        const QString path = dir.filePath("memory.g3m");
        QVERIFY(WriteBytes(path, damaged));
        const Run run = Convert({"verify", "--model", "313", path});
        QCOMPARE(run.status, kExitVerifyFailed);
        QCOMPARE(QString::fromStdString(run.out),
                 "checked 5 records of " + path +
                     ": 1 bad checksum, and the file ends inside a record\n");
        QCOMPARE(run.err,
                 "record 5: checksum 758C4A3F does not match the record, whose bytes sum "
                 "to 758C4A56\nrecord 6: the file ends 3 bytes into this record of 92 "
                 "bytes; it is not read\n");
    }

    // `check` prints the Problems panel's lines on stdout and a summary; exit 0 for none, 1 for
    // some (2 for wrong arguments or a file it cannot read: refusals).
    void check_data() {
        QTest::addColumn<QStringList>("args");  // "@" stands for a folder of the test's own
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");  // stdout; "<golden>" stands for expected.txt;
                                           // "<ends>": stdout ends with the rest
        QTest::addColumn<QString>("err");  // what stderr holds
        const QString check = QStringLiteral(CORVALEN_TEST_DATA_DIR "/cli/check/input.csv");
        const auto row = [](const char* name, const QStringList& args, int status,
                            const QString& out, const QString& err) {
            QTest::newRow(name) << args << status << out << err;
        };
        row("one line per kind", {"check", check}, 1,
            "<grouped>checked 6 channels of " + check + ": 3 problems, 4 notices\n", "");
        row("every line", {"check", "--all", check}, 1,
            "<golden>checked 6 channels of " + check + ": 3 problems, 4 notices\n", "");
        row("same for the 303", {"check", "--model", "303", "--all", check}, 1,
            "<golden>checked 6 channels of " + check + ": 3 problems, 4 notices\n", "");
        row("reading reported on stderr", {"check", "--all", kAwkward + "input.csv"}, 1,
            R"(row 2, Number: "1" is used again in row 6; only row 6 is written as channel 1)"
            "\n"
            R"(row 3, Mode: "usb" is not a mode the receiver knows (CW, AM, FM, LSB, USB, AMS, )"
            "FM3, FM6, AMN, DSB, ISB); written as CW\n"
            R"(row 4, Frequency: "abc" is not a number of Hz; written as 0 Hz)"
            "\n"
            R"(row 5, Number: "abc" is not a channel number from 1 to 65535; row not written)"
            "\nchecked 6 channels of " +
                kAwkward + "input.csv: 4 problems, 0 notices; 1 input line reported\n",
            "line 4: Bandwidth is empty; channel skipped");
        // Notices alone (a channel repeated, a frequency rounded to whole Hz) fail the check as
        // a problem does; "@/NAME.csv" is one of the small files the test writes.
        row("notices only", {"check", "@/notices.csv"}, 1,
            "<ends>checked 3 channels of @/notices.csv: 0 problems, 2 notices\n", "");
        row("problems only", {"check", "@/problems.csv"}, 1,
            "<ends>checked 2 channels of @/problems.csv: 1 problem, 0 notices\n", "");
        row("clean CSV file", {"check", "@/clean.csv"}, 0,
            "checked 2 channels of @/clean.csv: no problems or notices\n", "");
        row("clean .g3m file", {"check", "--model", "313", kChannel5}, 0,
            "checked 1 channel of " + kChannel5 + ": no problems or notices\n", "");
    }
    void check() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QTemporaryDir dir;
        // Channels on AM, each written as the editor's export writes it.
        const QByteArray header = "\"Number\",\"Frequency\",\"Bandwidth\"\r\n";
        const QByteArray am =
            ",\"6000\",\"0\",,,,,,\"1\",\"0\",\"0\",\"0\",,,,\"AM\",\"RA\",\"\"\r\n";
        QVERIFY(WriteBytes(dir.filePath("notices.csv"), header + "\"1\",\"9580000\"" + am +
                                                            "\"2\",\"9580000\"" + am +
                                                            "\"3\",\"7100000.9\"" + am));
        QVERIFY(WriteBytes(dir.filePath("problems.csv"), header + "\"1\",\"9580000\"" + am +
                                                             "\"2\",\"7100000\"" +
                                                             QByteArray(am).replace("AM", "WFM")));
        QVERIFY(WriteBytes(dir.filePath("clean.csv"),
                           header + "\"1\",\"9580000\"" + am + "\"2\",\"7100000\"" + am));
        out.replace("@", dir.path());
        const Run run = testing::RunConverterWith(args, dir.path());
        QCOMPARE(run.status, status);
        out.replace("<golden>", ReadBytes(CORVALEN_TEST_DATA_DIR "/cli/check/expected.txt"));
        out.replace("<grouped>", ReadBytes(CORVALEN_TEST_DATA_DIR "/cli/check/grouped.txt"));
        if (out.startsWith("<ends>")) {
            // Only the summary is the behaviour here; the lines before it are the reports'.
            QVERIFY2(QString::fromStdString(run.out).endsWith(out.mid(6)), run.out.c_str());
        } else {
            QCOMPARE(QString::fromStdString(run.out), out);
        }
        QVERIFY2(QString::fromStdString(run.err).contains(err), run.err.c_str());
        // With --all every line but the summary names a row and a column, as the Problems
        // panel's rows do; else each names the file's line and the channel.
        for (const QString& line :
             QString::fromStdString(run.out).split('\n', Qt::SkipEmptyParts)) {
            QVERIFY2(
                QRegularExpression(args.contains("--all") ? "^row \\d+, [A-Z][a-zA-Z ]+: |^checked "
                                                          : "\\(line \\d+, Number \\d+|^checked ")
                    .match(line)
                    .hasMatch(),
                qPrintable(line));
        }
    }

    // A published CHIRP list: 626 channels from Location 0, long names, a comma at the end of
    // every line, a blank line, modes the receiver lacks. `check` says it in a few lines, and
    // the converter keeps the channel at Location 0 (as channel 1 unless told otherwise).
    void chirpListAsPublished_data() {
        QTest::addColumn<QStringList>("numbering");
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("said");  // on stderr
        QTest::newRow("shifted by default")
            << QStringList{} << 626
            << "line 2: the file holds Location 0: every channel is "
               "numbered its Location + 1";
        QTest::newRow("keep") << QStringList{"--numbering", "keep"} << 625
                              << "Location 0 is no channel number of the receiver; 1 channel "
                                 "left out";
        QTest::newRow("German") << QStringList{"LANG=de_DE.UTF-8"} << 626
                                << "Zeile 2: die Datei hat Location 0: jeder Kanal erhält die "
                                   "Nummer Location + 1";
    }
    void chirpListAsPublished() {
        QFETCH(QStringList, numbering);
        QFETCH(int, records);
        QFETCH(QString, said);
        QTemporaryDir dir;
        QByteArray list = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,Mode,Comment,\r\n";
        for (int location = 0; location < 626; ++location) {
            list += QByteArray::number(location) + ",Repeater number " +
                    QByteArray::number(location) + "," + QByteArray::number(144 + location / 100) +
                    ".5,+,0.6,Tone,88.5," + (location % 7 == 0 ? "DV" : "FM") + ",,\r\n";
            list += location == 300 ? ",,,,,,,,,\r\n" : "";
        }
        const QString chirp = dir.filePath("list.csv");
        QVERIFY(WriteBytes(chirp, list));
        // The language from the environment, as a shell gives it.
        const QByteArray locale = qgetenv("LC_ALL");
        if (numbering.value(0).startsWith("LANG=")) {
            qputenv("LC_ALL", numbering.takeFirst().mid(5).toUtf8());
        }
        const auto run = [&](QStringList args) {
            return Convert(args.mid(0, 1) + numbering + args.mid(1));
        };
        const Run check = run({"check", chirp});
        const QString out = QString::fromStdString(check.out + check.err);
        QVERIFY2(out.count('\n') <= 12, qPrintable(out));
        const QString records15m = dir.filePath("list.15m");
        const Run converted = run({"convert", "--model", "315", chirp, records15m});
        qputenv("LC_ALL", locale);
        QCOMPARE(converted.status, kExitOk);
        QVERIFY2(QString::fromStdString(converted.err).contains(said), converted.err.c_str());
        QVERIFY(QString::fromStdString(converted.err).count('\n') <= 8);
        const QByteArray image = ReadBytes(records15m);
        QCOMPARE(image.size(), 626 * 100 - (records == 625 ? 100 : 0));
        // Channel 1 is Location 0 (DV, written as CW: mode code 0) unless it was left out, when
        // it is Location 1 (FM, code 2).
        QCOMPARE(int(image[32]), records == 625 ? 2 : 0);
    }

    // No format is written under a name whose extension belongs to another: every format asked
    // for with --to, against every extension of every other format. The old file there keeps
    // its bytes and nothing else is created.
    void refusesAnotherFormatsExtension_data() {
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("owner");
        for (const ChannelFormat* format : ChannelFormats()) {
            for (const ChannelFormat* other : ChannelFormats()) {
                for (const std::string_view extension : other->AllExtensions()) {
                    const std::string name = "list" + std::string(extension);
                    if (format->HasExtensionOf(name) || ExtensionOwner(name) != other) {
                        continue;  // its own, or one another format says (CHIRP's .csv)
                    }
                    const QString to = QString::fromUtf8(format->ShortName());
                    QTest::addRow("%s to list%s", qPrintable(to), extension.data())
                        << to << QString::fromUtf8(extension) << QString::fromUtf8(other->Name());
                }
            }
        }
    }
    void refusesAnotherFormatsExtension() {
        QFETCH(QString, to);
        QFETCH(QString, extension);
        QFETCH(QString, owner);
        QTemporaryDir dir;
        const QString target = dir.filePath("list" + extension.toUpper());
        const QByteArray old("old bytes of another format\r\n");
        QVERIFY(WriteBytes(target, old));
        // The model fits the extension asked about, so that only the name is wrong.
        const QString model = extension == ".15m" ? "315" : "313";
        const Run run =
            Convert({"convert", "--model", model, "--to", to, kAwkward + "input.csv", target});
        QCOMPARE(run.status, kExitUsageError);
        QCOMPARE(run.out, std::string());
        if (FormatNamed(to.toStdString())->Supported()) {
            const QString said = QString::fromStdString(run.err);
            QVERIFY2(
                said.contains("the extension " + extension + " of OUTPUT belongs to the " + owner),
                run.err.c_str());
            QVERIFY2(said.contains("nothing written"), run.err.c_str());
        }
        QCOMPARE(ReadBytes(target), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{QFileInfo(target).fileName()});
    }

    // The summary counts what the memory file holds after the save: the records the rows put
    // there (a channel once, however many rows have its Number), the records of the old file
    // kept (not its empty places), and the rows a later row with the same Number replaced.
    void summaryCountsWhatTheFileHolds_data() {
        QTest::addColumn<QList<int>>("numbers");    // the Number of each row, in row order
        QTest::addColumn<QByteArray>("oldPlaces");  // per old record: '#' one, '0' an empty place
        QTest::addColumn<QString>("summary");       // after "wrote "
        const auto row = [](const char* name, const QList<int>& numbers,
                            const QByteArray& oldPlaces, const QString& summary) {
            QTest::newRow(name) << numbers << oldPlaces << summary;
        };
        row("no repeats", {1, 2, 3, 4, 5}, QByteArray(), "5 records to @; 0 rows not written");
        row("rows repeat", {1, 2, 3, 2, 1}, QByteArray(),
            "3 records to @; 0 rows not written; 2 rows replaced by a later row with the same "
            "Number");
        row("existing file with empty places", {1, 2, 2, 3}, "#####0#0##",
            "3 records to @; 0 rows not written; 5 records already in the file kept; 1 row "
            "replaced by a later row with the same Number");
        row("one channel three times over an empty file", {4, 4, 4}, "0000",
            "1 record to @; 0 rows not written; 2 rows replaced by a later row with the same "
            "Number");
    }
    void summaryCountsWhatTheFileHolds() {
        QFETCH(QList<int>, numbers);
        QFETCH(QByteArray, oldPlaces);
        QFETCH(QString, summary);
        QTemporaryDir dir;
        const QString input = dir.filePath("in.csv");
        QVERIFY(WriteChannelFile(input.toStdString(), testing::RowsNumbered(numbers),
                                 ReceiverCsvFormat(), {})
                    .ok());
        const QString output = dir.filePath("out.g3m");
        QByteArray old;
        for (const char place : oldPlaces) {
            old += QByteArray(92, place == '#' ? char(0xAB) : char(0));
        }
        if (!oldPlaces.isEmpty()) {
            QVERIFY(WriteBytes(output, old));
        }
        const Run run = Convert({"convert", "--model", "313", input, output});
        QCOMPARE(run.status, kExitOk);
        QCOMPARE(QString::fromStdString(run.out),
                 "wrote " + QString(summary).replace("@", output) + "\n");
    }

    // The rows a memory file gets row by row, without a table, are found repeated as `check`
    // finds them in the table, whatever their Number, Frequency and Mode cells hold.
    void repeatsAreFoundAsCheckFindsThem() {
        const QStringList numbers{"5", " 5 ", "05", "", "65536", "x", "6"};
        const QStringList frequencies{"7100000",    " 7100000 ", "7100000.9", "7100000.4",
                                      "07100000",   "",          "  ",        "-5",
                                      "4294967296", "1e3",       "abc",       "4294967295.5"};
        const QStringList modes{"USB", "usb", "", "  ", "XYZ", "CW", "(no cell)"};
        QByteArray csv =
            "Number,Frequency,Bandwidth,IF Shift,a,b,c,d,e,Groups,Hotkey,Lockout,"
            "Priority,Level Squelch,f,g,Mode,Callsign,Comments\r\n";
        for (int row = 0; row < 84; ++row) {
            const QString mode = modes[row % 7];
            csv += (numbers[row % 7] + "," + frequencies[row % 12] + ",2400,,,,,,,,,,,,,," +
                    (mode == "(no cell)" ? "" : "," + mode) + "\r\n")
                       .toUtf8();
        }
        QTemporaryDir dir;
        QVERIFY(WriteBytes(dir.filePath("in.csv"), csv));
        const QString in = dir.filePath("in.csv");
        const auto repeats = [](const std::string& said) {
            QStringList lines = QString::fromStdString(said).split('\n').filter(
                QRegularExpression("already in row|used again in row"));
            lines.replaceInStrings(QRegularExpression("^(row \\d+), ([^:]+):"), "\\1: \\2");
            lines.sort();
            return lines;
        };
        const QStringList checked = repeats(Convert({"check", "--all", in}).out);
        QVERIFY(checked.size() > 20);
        QCOMPARE(repeats(Convert({"convert", "--model", "313", "--all", in, in + ".g3m"}).err),
                 checked);
    }

    // A receiver CSV file goes to a memory file row by row, without a table; the reports still
    // name each row's own line and Number, which here differ from the row (a blank line, a row
    // skipped for its empty Bandwidth, Numbers out of order), as `check`, which reads a table,
    // names them.
    void reportsNameEachRowsLineAndNumber_data() {
        QTest::addColumn<QStringList>("command");  // before the input; "@" the test's folder
        QTest::newRow("convert to a memory file") << QStringList{"convert", "--model", "313"};
        QTest::newRow("check") << QStringList{"check"};
    }
    void reportsNameEachRowsLineAndNumber() {
        QFETCH(QStringList, command);
        QTemporaryDir dir;
        const QByteArray row = R"(,"6000","0","","","","","","","0","0","0","","","","AM",)";
        QVERIFY(WriteBytes(dir.filePath("in.csv"),
                           "\"Number\",\"Frequency\"\r\n\"40\",\"9580000\"" + row +
                               "\"WWV Fort Collins\",\"\"\r\n\r\n\"12\",\"7100000\"" + row +
                               "\"RA\",\"\"\r\n\"5\",\"6000000\",\"\"\r\n\"7\",\"6070000\"" + row +
                               "\"CFRX Toronto Ontario\",\"\"\r\n"));
        QStringList args = command << dir.filePath("in.csv");
        if (command.front() == "convert") {
            args << dir.filePath("out.g3m");
        }
        const Run run = testing::RunConverterWith(args);
        const QString said =
            QString::fromStdString(command.front() == "convert" ? run.err : run.out);
        QVERIFY2(said.split('\n').contains(QString::fromUtf8(
                     R"(2 channels: Callsign longer than 12 characters, cut to 12: row 1 (line 2, )"
                     R"(Number 40): "WWV Fort Collins" → "WWV Fort Col"; row 3 (line 6, Number )"
                     R"(7): "CFRX Toronto Ontario" → "CFRX Toronto")")),
                 qPrintable(said));
        QVERIFY2(run.err.find("line 5: Bandwidth is empty; channel skipped") != std::string::npos,
                 run.err.c_str());
    }

    // Wrong arguments (exit status 2), and inputs that are not converted (1), are said in one
    // line on stderr; nothing goes to stdout, and no file is made or changed ("@/old.g3m" is
    // there before).
    void refusals_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("status");
        const QString in = kAwkward + "input.csv";
        const auto row = [](const char* name, const QStringList& args, const QString& message,
                            int status = kExitUsageError) {
            QTest::newRow(name) << args << message << status;
        };
        row("no arguments", {}, "--help");
        row("unknown command", {"export"}, "unknown command");
        row("g3m without model", {"convert", in, "@/x.g3m"}, "--model");
        row("reading g3m without model", {"convert", kChannel5, "@/x.csv"}, "--model");
        row("g3m to g3m", {"convert", "--model", "313", kChannel5, "@/x.g3m"},
            "not to a memory file");
        row("verify without model", {"verify", kChannel5}, "--model");
        row("verify two files", {"verify", "--model", "313", kChannel5, in}, "one FILE.g3m");
        row("other extension", {"convert", in, "@/x.txt"}, ".csv, .g3m, .15m, .xml or .json");
        row("15m for 313", {"convert", "--model", "313", in, "@/x.15m"},
            R"(a .15m file is for the models ("305" or "315"), not "313")");
        row("g3m for 315", {"convert", "--model=315", in, "@/x.g3m"},
            R"(a .g3m file is for the models ("313" or "303"), not "315")");
        row("reading 15m without model", {"convert", "@/x.15m", "@/x.csv"},
            R"(reading a .15m file needs --model ("305" or "315"))");
        row("verify 15m without model", {"verify", "@/x.15m"},
            R"(verify needs --model ("305" or "315"))");
        row("to what", {"convert", "--to", "xls", in, "@/x.csv"},
            "--to takes csv, chirp, memory, sdrsharp, sdrpp or gqrx, not xls");
        // With --to, a name that says no format is refused too: nothing is written under a name
        // that does not say what the file holds.
        row("list without extension", {"convert", "--to", "sdrpp", in, "@/frequencies"},
            "--to sdrpp writes an OUTPUT ending in .json");
        row("chirp to a text file", {"convert", "--to", "chirp", in, "@/x.txt"},
            "--to chirp writes an OUTPUT ending in .csv");
        row("memory file to standard output",
            {"convert", "--model", "313", "--to", "memory", in, "-"},
            "not written to standard output");
        row("memory file of the other model",
            {"convert", "--model", "313", "--to", "memory", in, "@/x.15m"},
            R"(a .15m file is for the models ("305" or "315"))");
        row("one file", {"convert", in}, "INPUT and an OUTPUT");
        row("unknown option", {"convert", "--fast", in, "@/x.csv"}, "--fast");
        row("verify numbers nothing",
            {"verify", "--numbering", "keep", "--model", "313", kChannel5},
            "unknown option --numbering");
        row("check a .g3m without model", {"check", kChannel5}, "needs --model");
        row("check a missing file", {"check", "@/none.csv"}, "No such file or directory");
        row("verify a missing file", {"verify", "--model", "313", "@/none.g3m"},
            "No such file or directory");
        row("check two files", {"check", in, in}, "check needs one FILE");
        row("check with an unknown option", {"check", "--every", in},
            "unknown option --every; see corvalen-cli --help");
        // A model that is none of the four is refused before anything is read or written.
        for (const char* model : {"999", "abc", "0", " 313", ""}) {
            const QString said = QString("--model \"%1\" is no receiver model").arg(model);
            QTest::addRow("convert for model \"%s\"", model)
                << QStringList{"convert", "--model", model, in, "@/out.g3m"} << said << 2;
            QTest::addRow("check for model \"%s\"", model)
                << QStringList{"check", "--model=" + QString(model), kChannel5} << said << 2;
        }
        // An EiBi schedule looks like a receiver CSV file but holds broadcasts to pick: every
        // conversion refuses it, saying how to import it.
        const QString sked = CORVALEN_TEST_DATA_DIR "/formats/eibi/sked-A26.csv";
        const QString pick = '"' + sked +
                             "\" is an EiBi broadcast schedule: pick its broadcasts with File > "
                             "Import Broadcast Schedule, or with corvalen-cli schedule";
        row("schedule to a memory file", {"convert", "--model", "313", sked, "@/x.g3m"}, pick, 1);
        row("schedule to a CSV file", {"convert", sked, "@/x.csv"}, pick, 1);
        row("schedule to an SDR++ list", {"convert", "--to", "sdrpp", sked, "@/x.json"}, pick, 1);
        // A file without channels writes no memory file, not even an empty one.
        const QString empty = CORVALEN_TEST_DATA_DIR "/csv/header_only/input.csv";
        row("no channels", {"convert", "--model", "313", empty, "@/x.g3m"}, "no channels in", 1);
        row("no channels over a memory file", {"convert", "--model", "313", empty, "@/old.g3m"},
            "no channels in", 1);
        // fill: every range refused is readChannelRange's; here that fill says it and writes
        // nothing.
        const QStringList fill{"fill", "--start", "1", "--stop", "2", "--step", "100"};
        const QString out = "@/out.csv";
        row("fill, too many channels",
            {"fill", "--start", "1", "--stop", "66.534", "--step", "1", "--first-number", "1", in,
             out},
            "The range makes 65535 channels; with the 6 rows already in the table that is more "
            "than 65535 rows; 65529 more fit; nothing written");
        row("fill, first number 0", fill + QStringList{"--first-number", "0", out},
            "--first-number 0 is not a channel number");
        row("fill, no step", {"fill", "--start", "1", "--stop", "2", out},
            "fill needs --start, --stop and --step");
        row("fill, unknown column", fill + QStringList{"--set", "Colour=red", out},
            "--set Colour: no column of the CSV header");
        row("fill, ambiguous column", fill + QStringList{"--set", "reserved=1", out},
            "5 columns have that name");
        row("fill, frequency is the range's", fill + QStringList{"--set", "Frequency=1", out},
            "the range gives every new channel its own Frequency");
        row("fill, set without value", fill + QStringList{"--set", "Mode", out},
            "--set Mode is not COLUMN=VALUE");
        row("fill, unknown option", fill + QStringList{"--model", "313", out},
            "unknown option --model");
        row("fill, input missing", fill + QStringList{"@/missing.csv", out}, "missing.csv", 1);
        // Each --set value as `check` reads it; a first number onto INPUT's own numbers.
        for (const char* set :
             {"Mode=XYZ", "Bandwidth=abc", "Bandwidth=-5", "Groups=99", "Hotkey=F2"}) {
            QTest::addRow("fill, %s", set)
                << fill + QStringList{"--set", set, out} << QString("--set ") + set + ": " << 2;
        }
        row("fill, first number repeats INPUT's",
            fill + QStringList{"--first-number", "2", in, out},
            "--first-number 2: new channel 5 would repeat channel 5 of ");
        row("fill, input without channels", fill + QStringList{empty, out}, "no channels in ", 1);
        row("fill, input not csv", fill + QStringList{kChannel5, out}, "ending in .csv");
    }
    void refusals() {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        QFETCH(int, status);
        QTemporaryDir dir;
        const QByteArray old(92, char(0xAB));
        QVERIFY(WriteBytes(dir.filePath("old.g3m"), old));
        const Run run = testing::RunConverterWith(args, dir.path());
        QCOMPARE(run.status, status);
        const QString said = QString::fromStdString(run.err);
        QVERIFY2(said.lastIndexOf("corvalen-cli: ") == 0 && said.count('\n') == 1 &&
                     said.endsWith('\n') && said.contains(message),
                 run.err.c_str());
        QCOMPARE(run.out, std::string());
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{"old.g3m"});
        QCOMPARE(ReadBytes(dir.filePath("old.g3m")), old);
    }

    // Receiver CSV -> CHIRP -> .15m -> CHIRP again, each step by the converter.
    void chirpAndFifteenM() {
        QTemporaryDir dir;
        const QString chirp = dir.filePath("list.csv");
        Run run = Convert({"convert", "--to", "chirp", "--all", kAwkward + "input.csv", chirp});
        QCOMPARE(run.status, kExitOk);
        QCOMPARE(ReadBytes(chirp), ReadBytes(kAwkward + "chirp.csv"));
        QCOMPARE(QString::fromStdString(run.out),
                 "wrote 5 channels to " + chirp + "; 1 row not written; 1 input line reported\n");
        QCOMPARE(QByteArray::fromStdString(run.err), ReadBytes(kAwkward + "chirp-stderr.txt"));

        const QString records = dir.filePath("list.15m");
        run = Convert({"convert", "--model", "315", chirp, records});
        QCOMPARE(run.status, kExitOk);
        QCOMPARE(QString::fromStdString(run.out),
                 "wrote 4 records to " + records +
                     "; 0 rows not written; 1 row replaced by a later row with the same Number\n");
        // Named by the CHIRP file's line and Location, as its user knows the channel.
        QCOMPARE(run.err, R"(row 2: Number "1" is used again in row 5; only row 5 is written )"
                          "as channel 1 (line 3, Location 1)\n");
        QCOMPARE(ReadBytes(records).size(), 5 * 100);

        run = Convert({"verify", "--model", "305", records});
        QCOMPARE(run.status, kExitOk);
        QCOMPARE(QString::fromStdString(run.out),
                 "checked 5 records of " + records + ": all verify\n");

        const QString back = dir.filePath("back.csv");
        run = Convert({"convert", "--model", "315", "--to", "chirp", records, back});
        QCOMPARE(run.status, kExitOk);
        QCOMPARE(QString::fromStdString(run.out),
                 "wrote 4 channels to " + back + " from 5 records of " + records + "\n");
        const QList<QByteArray> lines = ReadBytes(back).split('\n');
        QCOMPARE(lines.size(), 6);
        QVERIFY(ReadBytes(chirp).contains(lines[4]));  // channel 5 as the first CHIRP file had it
    }

    // A memory file cut inside a record, or with records whose checksum fails: `check` fails as
    // `verify` does; those records are no channels, and a file of nothing else is refused.
    void damagedMemoryFile_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("check");
        QTest::addColumn<int>("convert");
        QTest::addColumn<QString>("says");
        QByteArray good = ReadBytes(kChannel5);
        QByteArray bad = good;
        bad[4 * 92 + 40] = 'X';
        QTest::newRow("cut inside a record")
            << good + good.left(50) << 1 << 0 << "the file ends 50 bytes into this record";
        QTest::newRow("one bad checksum") << good + bad << 1 << 0 << "record 10: checksum ";
        QTest::newRow("every checksum bad") << bad + bad << 2 << 1 << "the checksum of none of";
        QByteArray noise(92 * 50, '\0');
        QRandomGenerator(3).fillRange(reinterpret_cast<quint32*>(noise.data()), 92 * 50 / 4);
        QTest::newRow("random bytes") << noise << 2 << 1 << "the checksum of none of its 50";
        QTest::newRow("only empty places")
            << QByteArray(92 * 3, '\0') << 2 << 1 << "no channels in ";
        QTest::newRow("65,536 records") << QByteArray(92 * 65536, '\0') << 2 << 1
                                        << "more than the 6,029,220 bytes that are read";
    }
    void damagedMemoryFile() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, check);
        QFETCH(int, convert);
        QFETCH(QString, says);
        QTemporaryDir dir;
        const QString in = dir.filePath("in.g3m");
        QVERIFY(WriteBytes(in, bytes));
        const Run checked = Convert({"check", "--model", "313", in});
        QCOMPARE(checked.status, check);
        QVERIFY2(QString::fromStdString(checked.err).contains(says), checked.err.c_str());
        const QString out = dir.filePath("out.csv");
        const Run run = Convert({"convert", "--model", "313", in, out});
        QCOMPARE(run.status, convert);
        QCOMPARE(QFile::exists(out), convert == 0);
        QVERIFY(!ReadBytes(out).contains("X"));
    }

    // A pipe is read as it comes, once: standard input as "-" and as /dev/stdin (what a shell's
    // <(...) hands over is such a pipe too). The converter must tell the format from the bytes
    // it reads, not from a first look and a second read (which found nothing and wrote 0
    // channels): what it writes is what the file gives. An empty pipe holds no channels.
    void pipedInput_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("file");  // what is piped; empty: nothing
        QTest::newRow("-") << "-" << kAwkward + "input.csv";
        QTest::newRow("/dev/stdin") << "/dev/stdin" << kAwkward + "input.csv";
        QTest::newRow("CHIRP on /dev/stdin") << "/dev/stdin" << kAwkward + "chirp.csv";
        QTest::newRow("empty pipe") << "-" << QString();
    }
    void pipedInput() {
        QFETCH(QString, input);
        QFETCH(QString, file);
        QTemporaryDir dir;
        const QString out = dir.filePath("out.g3m");
        QProcess cli;
        cli.start(CORVALEN_CLI_PATH, {"convert", "--model", "313", input, out});
        QVERIFY(cli.waitForStarted(30000));
        cli.write(ReadBytes(file));
        cli.closeWriteChannel();
        QVERIFY(cli.waitForFinished(30000));
        QCOMPARE(cli.exitCode(), file.isEmpty() ? 1 : 0);
        if (file.isEmpty()) {
            QCOMPARE(cli.readAllStandardError(),
                     "corvalen-cli: no channels in " + input.toUtf8() + "\n");
            QVERIFY(!QFile::exists(out));
            return;
        }
        const QByteArray said = cli.readAllStandardOutput();
        QVERIFY2(said.startsWith("wrote ") && !said.startsWith("wrote 0 "), said.constData());
        const QString direct = dir.filePath("direct.g3m");
        QCOMPARE(Convert({"convert", "--model", "313", file, direct}).status, kExitOk);
        QCOMPARE(ReadBytes(out), ReadBytes(direct));
    }

    // A NUL byte makes a file no CSV text wherever it lies, also past the first block of a file
    // that a Windows-1252 letter on its first lines settles, and also when OUTPUT cannot be
    // written: the message is that of the whole file's check, and nothing is written.
    void nulByteOfALargeFile_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("output");
        const QByteArray header =
            "Number,Frequency,Mode,Bandwidth,x,x,x,x,x,x,x,x,x,x,x,x,x,Callsign\r\n";
        const QByteArray rows = QByteArray("1,7100000,AM,6000\r\n").repeated(40000);
        const QByteArray letter = "1,7100000,AM,6000,,,,,,,,,,,,,,Z\xFCrich\r\n";
        const QByteArray late = QByteArray(rows).replace(600003, 1, QByteArray(1, '\0'));
        QTest::newRow("settled early, NUL late") << header + letter + late << "@/x.g3m";
        QTest::newRow("settled early, over a memory file") << header + letter + late << "@/old.g3m";
        QTest::newRow("settled early, no output folder") << header + letter + late << "@/no/x.g3m";
        QTest::newRow("ASCII, NUL late") << header + late << "@/x.g3m";
        QTest::newRow("ASCII, NUL late, no output folder") << header + late << "@/no/x.g3m";
    }
    void nulByteOfALargeFile() {
        QFETCH(QByteArray, text);
        QFETCH(QString, output);
        QTemporaryDir dir;
        const QString input = dir.filePath("in.csv");
        QVERIFY(WriteBytes(input, text));
        const QByteArray old(92, char(0xAB));
        QVERIFY(WriteBytes(dir.filePath("old.g3m"), old));
        const Run run =
            testing::RunConverterWith({"convert", "--model", "313", input, output}, dir.path());
        const CsvTextCheck whole = CheckCsvTextBytes(
            input.toStdString(), std::string_view(text.constData(), std::size_t(text.size())));
        QVERIFY(!whole.status);
        QCOMPARE(run.status, 1);
        QCOMPARE(run.out, std::string());
        QCOMPARE(QString::fromStdString(run.err),
                 QString::fromStdString(
                     "corvalen-cli: " + corvalen::ErrorSentence(whole.status.error()) + "\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList({"in.csv", "old.g3m"}));
        QCOMPARE(ReadBytes(dir.filePath("old.g3m")), old);
    }

    // A large CSV file is read twice, a block at a time: first as far as it takes to tell how
    // its text is read, then for its rows. A change to what the first read saw is refused, not
    // misread; one past it, where a Windows-1252 letter settled it, is read as it is then.
    void inputChangedBetweenItsReads_data() {
        QTest::addColumn<QByteArray>("letter");  // on line 2, or empty
        QTest::addColumn<int>("at");  // where the second read finds a Frequency 9100000; -1: none
        QTest::addColumn<bool>("refused");
        const QByteArray letter = "1,7100000,AM,6000,,,,,,,,,,,,,,Z\xFCrich\r\n";
        QTest::newRow("unchanged") << QByteArray() << -1 << false;
        QTest::newRow("ASCII, changed late") << QByteArray() << 285002 << true;
        QTest::newRow("settled, unchanged") << letter << -1 << false;
        QTest::newRow("settled, changed in the first block") << letter << 990 << true;
        QTest::newRow("settled, changed past it") << letter << 285002 << false;
    }
    void inputChangedBetweenItsReads() {
        QFETCH(QByteArray, letter);
        QFETCH(int, at);
        QFETCH(bool, refused);
        QTemporaryDir dir;
        const std::string path = dir.filePath("in.csv").toStdString();
        const QByteArray header = "Number,Frequency,Mode,Bandwidth\r\n" + letter;
        const QByteArray rows = QByteArray("1,7100000,AM,6000\r\n").repeated(20000);
        WriteBytes(QString::fromStdString(path), header + rows);
        ChannelFileReport report;
        const Result<RowSource> source = ReceiverCsvFormat().RowsOf(path, 1 << 26, report);
        QVERIFY(source.ok() && *source);
        if (at >= 0) {
            WriteBytes(QString::fromStdString(path), header + QByteArray(rows).replace(at, 1, "9"));
        }
        QStringList frequencies;
        const Status walked = source->walk([&](std::span<const std::string_view> cells) {
            frequencies << QString::fromUtf8(cells[Frequency].data(),
                                             qsizetype(cells[Frequency].size()));
        });
        QCOMPARE(walked.ok(), !refused);
        if (refused) {
            QCOMPARE(
                corvalen::ErrorSentence(walked.error()),
                "Cannot read \"" + path + "\": it changed while it was read; nothing was written");
            return;
        }
        QCOMPARE(frequencies.size(), 20000 + (letter.isEmpty() ? 0 : 1));
        QCOMPARE(frequencies.count("9100000"), at >= 0 ? 1 : 0);
    }

    // "-" as OUTPUT writes to standard output what a named OUTPUT would hold, and the summary to
    // standard error, so that the channels can be piped on.
    void standardOutput_data() {
        QTest::addColumn<QStringList>("arguments");  // without OUTPUT
        const QString csv = kAwkward + "input.csv";
        QTest::newRow("receiver CSV") << QStringList{"convert", csv};
        QTest::newRow("CHIRP") << QStringList{"convert", "--to", "chirp", csv};
        QTest::newRow("SDR++") << QStringList{"convert", "--to", "sdrpp", csv};
        QTest::newRow("gqrx") << QStringList{"convert", "--to", "gqrx", csv};
        QTest::newRow("fill") << QStringList{"fill",  "--start", "7M", "--stop",
                                             "7.01M", "--step",  "5k"};
        QTest::newRow("schedule") << QStringList{
            "schedule", "--at", "1800", CORVALEN_TEST_DATA_DIR "/formats/eibi/sked-A26.csv"};
    }
    void standardOutput() {
        QFETCH(QStringList, arguments);
        QTemporaryDir dir;
        const QString named = dir.filePath(arguments.contains("sdrpp") ? "out.json" : "out.csv");
        QProcess toFile;
        toFile.start(CORVALEN_CLI_PATH, arguments + QStringList{named});
        QProcess toPipe;
        toPipe.start(CORVALEN_CLI_PATH, arguments + QStringList{"-"});
        QVERIFY(toFile.waitForFinished(30000) && toPipe.waitForFinished(30000));
        QCOMPARE(toPipe.exitCode(), toFile.exitCode());
        QCOMPARE(toPipe.readAllStandardOutput(), ReadBytes(named));
        QVERIFY(toPipe.readAllStandardError().contains("wrote "));
    }

    // Each command's --help prints its help on standard output and exits 0; --help alone
    // prints every command's.
    void commandHelp() {
        const Run all = Convert({"--help"});
        QCOMPARE(all.status, 0);
        QVERIFY(all.out.starts_with("usage: corvalen-cli convert"));
        for (const QString command : {"fill", "schedule", "on-air", "diff"}) {
            const Run run = Convert({command, "--help"});
            QCOMPARE(run.status, 0);
            QVERIFY2(run.out.starts_with("usage: corvalen-cli " + command.toStdString()),
                     run.out.c_str());
            QCOMPARE(run.err, std::string());
            QVERIFY(all.out.find(run.out) != std::string::npos);
        }
    }
};

QTEST_GUILESS_MAIN(TestConverter)
#include "tst_converter.moc"

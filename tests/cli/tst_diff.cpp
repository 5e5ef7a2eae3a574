#include <QtTest>

#include "../TestTables.h"
#include "ConverterRun.h"
#include "cli/Converter.h"
#include "files/ChannelDiff.h"
#include "table/Columns.h"

using namespace corvalen;

namespace {

using testing::WriteBytes;

using testing::Run;

// A receiver CSV file as the receiver software writes it: a header line, CR LF line ends.
const QByteArray kHeader =
    "\"Number\",\"Frequency\",\"Bandwidth\",\"IF Shift\",\"reserved\",\"reserved\",\"reserved\","
    "\"reserved\",\"reserved\",\"Groups\",\"Hotkey\",\"Lockout\",\"Priority\",\"Level Squelch\","
    "\"Secondary squelch type\",\"Secondary squelch value\",\"Mode\",\"Callsign\",\"Comments\"\r\n";
const QByteArray kBase =
    kHeader +
    "\"1\",\"6070000\",\"5000\",\"0\",\"\",\"\",\"\",\"\",\"\",\"1+3\",\"2\",\"1\",\"0\",\"-100\","
    "\"\",\"\",\"AM\",\"CFRX\",\"Toronto\"\r\n"
    "\"2\",\"9420000\",\"6000\",\"0\",\"\",\"\",\"\",\"\",\"\",\"\",\"0\",\"0\",\"0\",\"\",\"\","
    "\"\",\"AM\",\"ERT\",\"Athens\"\r\n"
    "\"5\",\"14000000\",\"2400\",\"-1500\",\"\",\"\",\"\",\"\",\"\",\"16\",\"0\",\"0\",\"0\","
    "\"-80\",\"\",\"\",\"USB\",\"\",\"\"\r\n";

// kBase with the first `from` replaced by `to`.
QByteArray Edited(const QByteArray& from, const QByteArray& to) {
    QByteArray bytes = kBase;
    const qsizetype at = bytes.indexOf(from);
    if (at < 0) {
        qFatal("no %s in the base file", from.constData());
    }
    return bytes.replace(at, from.size(), to);
}

Run Diff(const std::vector<std::string>& args) {
    std::vector<std::string> all = {"diff"};
    all.insert(all.end(), args.begin(), args.end());
    return testing::RunConverterWith(all);
}

QStringList Lines(const std::string& text) {
    return QString::fromStdString(text).split('\n', Qt::SkipEmptyParts);
}

}  // namespace

class TestDiff : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    // The path of file `name` in the test's folder, written with `bytes`.
    std::string file(const QString& name, const QByteArray& bytes) {
        [&] { QVERIFY(WriteBytes(m_dir.filePath(name), bytes)); }();
        return m_dir.filePath(name).toStdString();
    }

private slots:
    void editedCopies_data() {
        QTest::addColumn<QByteArray>("other");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("lines");  // the lines before the summary
        // (Which cell texts are the same value: sameCellValue; here that the files are compared
        // by it, and how what differs is said.)

        // The files differ (status 1) when there are lines.
        const auto row = [](const char* name, const QByteArray& other, const QStringList& lines) {
            QTest::newRow(name) << other << (lines.isEmpty() ? 0 : 1) << lines;
        };
        row("the file itself", kBase, {});
        row("blanks around a Number", Edited("\"2\",\"9420000\"", "\" 2\",\"9420000\""), {});
        row("groups in another order", Edited("\"1+3\"", "\"3+1\""), {});
        row("a trailing comma and no line end at the end",
            QByteArray(kBase).replace("\"\",\"\"\r\n", "\"\",\"\",\r\n").chopped(2), {});
        row("frequency changed", Edited("\"14000000\"", "\"14000500\""),
            {"channel 5 changed: Frequency \"14000000\" -> \"14000500\""});
        row("two fields changed", Edited("\"AM\",\"CFRX\"", "\"FM\",\"CFRB\""),
            {"channel 1 changed: Mode \"AM\" -> \"FM\"; Callsign \"CFRX\" -> \"CFRB\""});
        row("a blank before a callsign is kept by the receiver", Edited("\"ERT\"", "\" ERT\""),
            {"channel 2 changed: Callsign \"ERT\" -> \" ERT\""});
        row("a fraction of a Hz is rounded, so it differs",
            Edited("\"14000000\"", "\"14000000.4\""),
            {"channel 5 changed: Frequency \"14000000\" -> \"14000000.4\""});
        row("channel added",
            kBase +
                "\"9\",\"7100000\",\"2400\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\","
                "\"\",\"\",\"\",\"LSB\",\"NEW\",\"\"\r\n",
            {"channel 9 added: Frequency \"7100000\", Mode \"LSB\", Callsign \"NEW\""});
        const qsizetype second = kBase.indexOf("\"2\",\"9420000\"");
        row("channel removed", QByteArray(kBase).remove(second, kBase.indexOf("\"5\",") - second),
            {"channel 2 removed: Frequency \"9420000\", Mode \"AM\", Callsign \"ERT\""});
        row("channel renumbered", Edited("\"5\",\"14000000\"", "\"6\",\"14000000\""),
            {"channel 5 removed: Frequency \"14000000\", Mode \"USB\", Callsign \"\"",
             "channel 6 added: Frequency \"14000000\", Mode \"USB\", Callsign \"\""});
    }

    void editedCopies() {
        QFETCH(QByteArray, other);
        QFETCH(int, status);
        QFETCH(QStringList, lines);
        const Run run = Diff({file("a.csv", kBase), file("b.csv", other)});
        QCOMPARE(run.status, status);
        QCOMPARE(Lines(run.out), lines);
        // When they differ, a summary and the fields compared go to stderr. What reading
        // reported (a line of 20 fields) may be said; no repeat and no row left out.
        const QStringList err = Lines(run.err);
        QCOMPARE(run.err.find(" differ: ") != std::string::npos, status == 1);
        if (status == 1) {
            QCOMPARE(err.last(),
                     "compared Frequency, Bandwidth, IF Shift, reserved, Groups, Hotkey, Lockout, "
                     "Priority, Level Squelch, Secondary squelch type, Secondary squelch value, "
                     "Mode, Callsign, Comments");
        }
        QVERIFY2(run.err.find("corvalen-cli:") == std::string::npos, run.err.c_str());
    }

    // A CSV file and the memory file converted from it hold the same channels in the fields a
    // memory file has; what it has no place for is not compared.
    void csvAndItsMemoryFile_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("compared");
        const QString fields313 =
            "compared Frequency, Bandwidth, IF Shift, Groups, Hotkey, Lockout, "
            "Level Squelch, Mode, Callsign, Comments";
        QTest::newRow("313") << "313" << kBase << 0 << fields313;
        QTest::newRow("303: no Bandwidth or IF Shift")
            << "303" << kBase << 0
            << "compared Frequency, Groups, Hotkey, Lockout, Level Squelch, Mode, Callsign, "
               "Comments";
        QTest::newRow("315 .15m") << "315" << kBase << 0
                                  << "compared Frequency, Bandwidth, IF Shift, Groups, Hotkey, "
                                     "Lockout, Level Squelch, Secondary squelch type, Secondary "
                                     "squelch value, Mode, Callsign, Comments";
        QTest::newRow("the receiver's 0 for no group")
            << "313" << Edited("\"16\"", "\"0\"") << 0 << fields313;
        QTest::newRow("a Priority the memory file cannot hold")
            << "313" << Edited("\"0\",\"-80\"", "\"1\",\"-80\"") << 0 << fields313;
        QTest::newRow("a callsign too long for the record")
            << "313" << Edited("\"ERT\"", "\"ERT Athens Greece\"") << 1 << fields313;
        QTest::newRow("a mode the receiver lacks")
            << "313" << Edited("\"USB\"", "\"WFM\"") << 1 << fields313;
    }

    void csvAndItsMemoryFile() {
        QFETCH(QString, model);
        QFETCH(QByteArray, csv);
        QFETCH(int, status);
        QFETCH(QString, compared);
        QTemporaryDir dir;
        const std::string a = dir.filePath("a.csv").toStdString();
        const std::string b =
            dir.filePath(model.startsWith("31") && model != "313" ? "a.15m" : "a.g3m")
                .toStdString();
        QVERIFY(WriteBytes(QString::fromStdString(a), csv));
        const Run converted =
            testing::RunConverterWith({"convert", "--model", model.toStdString(), a, b});
        QCOMPARE(converted.status, 0);
        const Run run = Diff({"--model", model.toStdString(), a, b});
        QCOMPARE(run.status, status);
        QCOMPARE(run.out.empty(), status == 0);
        // Either way round.
        QCOMPARE(Diff({"--model", model.toStdString(), b, a}).status, status);
        // The fields compared, said once the files differ.
        QVERIFY(
            WriteBytes(QString::fromStdString(a), QByteArray(csv).replace("\"CFRX\"", "\"CFRB\"")));
        QCOMPARE(Lines(Diff({"--model", model.toStdString(), a, b}).err).last(), compared);
    }

    // A CHIRP file holds frequency, mode, name, comment and the skip flags only.
    void chirpAgainstCsv() {
        const std::string b =
            file("chirp.csv",
                 "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                 "DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,"
                 "RPT1CALL,RPT2CALL,DVCODE\r\n"
                 "1,CFRX,6.070000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,AM,5.00,S,50W,"
                 "Toronto,,,,\r\n"
                 "2,ERT,9.420000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,AM,5.00,,50W,"
                 "Athens,,,,\r\n"
                 "5,,14.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,USB,5.00,,50W,,,,,\r\n");
        QCOMPARE(Diff({"--numbering", "keep", file("a.csv", kBase), b}).status, 0);
        const Run run =
            Diff({"--numbering", "keep", file("a.csv", Edited("\"CFRX\"", "\"CFRB\"")), b});
        QCOMPARE(run.out, "channel 1 changed: Callsign \"CFRB\" -> \"CFRX\"\n");
        QCOMPARE(Lines(run.err).last(),
                 "compared Frequency, Lockout, Priority, Mode, Callsign, "
                 "Comments");
    }

    // Rows a memory file does not keep: the earlier of two rows with one channel number (the
    // later is compared) and a row without a channel number, which differs unless the other
    // file has the same row at the same turn. Each is said.
    void rowsNoMemoryFileKeeps() {
        const QByteArray repeated =
            kBase +
            "\"2\",\"9420000\",\"6000\",\"0\",\"\",\"\",\"\",\"\",\"\",\"\",\"0\",\"0\",\"0\",\"\","
            "\"\",\"\",\"AM\",\"ERA\",\"Athens\"\r\n";
        const std::string b = file(
            "b.csv", repeated +
                         "\"x1\",\"7100000\",\"2400\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\","
                         "\"\",\"\",\"\",\"\",\"\",\"AM\",\"\",\"\"\r\n,,,,,,,,,,,,,,,,,,\r\n");
        // The row without a number alone makes the files differ.
        QCOMPARE(Diff({file("c.csv", repeated), b}).status, 1);
        QCOMPARE(Diff({b, b}).status, 0);
        const Run run = Diff({file("a.csv", kBase), b});
        QCOMPARE(run.status, 1);
        QCOMPARE(Lines(run.out), QStringList{"channel 2 changed: Callsign \"ERT\" -> \"ERA\""});
        const QStringList err = Lines(run.err);
        const QString named = "corvalen-cli: " + QString::fromStdString(b);
        QCOMPARE(err[0], named +
                             ": channel 2 of line 3 is given again in line 5; only line 5 is "
                             "compared");
        QCOMPARE(err[1], named +
                             ": line 6 has no channel number from 1 to 65535 (\"x1\"); it is "
                             "not compared");
        QVERIFY2(err[2].endsWith("1 changed; 1 row without a channel number"), run.err.c_str());
    }

    void usageAndUnreadable_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("one file") << QStringList{"A"};
        QTest::newRow("three files") << QStringList{"A", "A", "A"};
        QTest::newRow("a missing file") << QStringList{"A", "missing.csv"};
        QTest::newRow("a folder") << QStringList{"A", "."};
        QTest::newRow("a memory file without --model") << QStringList{"A", "m.g3m"};
        QTest::newRow("a .15m file for the 313") << QStringList{"--model", "313", "A", "m.15m"};
        QTest::newRow("unknown option") << QStringList{"--fast", "A", "A"};
        QTest::newRow("an empty file") << QStringList{"A", "empty.csv"};
        QTest::newRow("not a memory file") << QStringList{"--model", "313", "A", "garbage.g3m"};
    }

    void usageAndUnreadable() {
        QFETCH(QStringList, args);
        QTemporaryDir dir;
        QVERIFY(QDir::setCurrent(dir.path()));
        QVERIFY(WriteBytes("A", kBase));
        QVERIFY(WriteBytes("empty.csv", ""));
        QVERIFY(WriteBytes("garbage.g3m", QByteArray(92, 'x')));
        const Run run = testing::RunConverterWith(QStringList{"diff"} + args);
        QCOMPARE(run.status, 2);
        QVERIFY(run.out.empty());
        QVERIFY(run.err.starts_with("corvalen-cli: "));
        QVERIFY(QDir::setCurrent(QDir::tempPath()));
    }

    // The comparison in the core: linear, and every one of 65,535 channels counts.
    void largestFilesChangedEverywhere() {
        MemoryTable a = MemoryTable::ImportLayout();
        MemoryTable b = MemoryTable::ImportLayout();
        for (int n = 1; n <= 65535; ++n) {
            a.AppendRow({std::to_string(n), std::to_string(1000000 + n), "2400"});
            b.AppendRow({std::to_string(n), std::to_string(1000000 + n + (n % 2)), "2400"});
        }
        const ChannelDiff diff = DiffChannels(a, b, ColumnSet::All(), ReceiverModel());
        QCOMPARE(diff.Count(ChannelChange::Kind::Changed), 32768);
        QCOMPARE(diff.changes.front().channel, 1);
        QCOMPARE(diff.changes.back().channel, 65535);
    }

    void sameCellValue_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("same");
        const auto row = [](const char* name, int column, const char* a, const char* b, bool same) {
            QTest::newRow(name) << column << QString(a) << QString(b) << same;
        };
        row("frequency blanks", Frequency, "7100000", " 7100000 ", true);
        row("frequency zeros", Frequency, "7100000", "07100000", true);
        row("frequency kHz", Frequency, "7100000", "7100 kHz", false);
        row("hotkey empty", Hotkey, "", "0", true);
        row("lockout empty", Lockout, "", "0", true);
        row("priority empty", Priority, "", "0", true);
        row("priority blanks", Priority, " 1", "1", true);
        row("priority 1 and 2", Priority, "1", "2", false);
        row("reserved word", Reserved5, "a", "A", false);
        row("groups order", Groups, "2+9+16", "16+9+2", true);
        row("groups 0 is none", Groups, " 0", "", true);
        row("groups 0 and 1", Groups, "0", "1", false);
        row("groups 17", Groups, "17", "", false);
        row("mode case", Mode, "usb", "USB", false);
        row("mode empty", Mode, "", "CW", false);
        row("callsign cut", Callsign, "ABCDEFGHIJKLMNO", "ABCDEFGHIJKL", false);
        row("squelch empty", LevelSquelch, "", "0", true);
        row("comment accents", Comments, "Z\u00fcrich", "Zurich", false);
    }

    void sameCellValue() {
        QFETCH(int, column);
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, same);
        QCOMPARE(SameCellValue(column, a.toStdString(), b.toStdString(), ReceiverModel()), same);
        QCOMPARE(SameCellValue(column, b.toStdString(), a.toStdString(), ReceiverModel()), same);
    }
};

QTEST_GUILESS_MAIN(TestDiff)
#include "tst_diff.moc"

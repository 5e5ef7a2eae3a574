#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

#include "../TestTables.h"
#include "TestData.h"
#include "channel/CellChecks.h"
#include "csv/ChirpCsv.h"
#include "csv/CsvReader.h"
#include "csv/CsvWriter.h"
#include "files/ChannelFiles.h"
#include "io/Messages.h"

using namespace corvalen;

namespace {

using testing::ReadBytes;

QByteArray Lines(const std::vector<Diagnostic>& diagnostics) {
    QByteArray lines;
    for (const Diagnostic& diagnostic : diagnostics) {
        lines += QByteArray::fromStdString(DiagnosticLine(diagnostic)) + '\n';
    }
    return lines;
}

QStringList Strings(const MemoryTable& table, int row) {
    QStringList cells;
    for (int column = 0; column < table.ColCount(); ++column) {
        cells << QString::fromStdString(std::string(table.CellText(row, column)));
    }
    return cells;
}

QStringList RowOf(std::initializer_list<std::pair<int, QString>> cells) {
    QStringList row(kImportedColumnCount);
    for (const auto& [column, text] : cells) {
        row[column] = text;
    }
    return row;
}

MemoryTable TableOf(const QStringList& cells) {
    MemoryTable table = MemoryTable::ImportLayout();
    MemoryTable::Row row;
    for (const QString& cell : cells) {
        row.push_back(cell.toStdString());
    }
    table.AppendRow(row);
    return table;
}

constexpr std::string_view kHeader21 =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n";

}  // namespace

class TestChirpCsv : public QObject {
    Q_OBJECT

private slots:
    void recognised_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("chirp");
        QTest::newRow("plain header") << QByteArray("Location,Name,Frequency\r\n") << true;
        QTest::newRow("quoted header") << QByteArray("\"Location\",\"Name\"\n") << true;
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBFLocation,Name\n") << true;
        QTest::newRow("comments first")
            << QByteArray("# list\r\n#\r\nLocation,Name\r\n1,A\r\n") << true;
        QTest::newRow("header alone") << QByteArray("Location") << true;
        QTest::newRow("receiver header")
            << QByteArray("\"Number\",\"Frequency\",\"Bandwidth\"\r\n") << false;
        QTest::newRow("no header") << QByteArray("\"1\",\"7100000\",\"2400\"\r\n") << false;
        QTest::newRow("longer word") << QByteArray("Locations,Name\n") << false;
        QTest::newRow("only comments") << QByteArray("# Location\n") << false;
        QTest::newRow("empty") << QByteArray() << false;
    }
    void recognised() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, chirp);
        QCOMPARE(LooksLikeChirpCsv(bytes.toStdString()), chirp);
        QCOMPARE(&FormatOf("list.csv", bytes.toStdString(), {}),
                 chirp ? &ChirpCsvFormat() : &ReceiverCsvFormat());
    }

    // Each folder under data/chirp holds a CHIRP file (input.csv), what reading it reports
    // (diagnostics.txt), the receiver CSV the rows read make (expected.csv), and the CHIRP file
    // written back from them (chirp.csv) with what that reports (chirp-diagnostics.txt).
    void goldenFiles_data() {
        QTest::addColumn<QString>("folder");
        const QDir root(QStringLiteral(CORVALEN_TEST_DATA_DIR "/chirp"));
        for (const QString& name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QTest::newRow(name.toUtf8().constData()) << root.filePath(name);
        }
    }
    void goldenFiles() {
        QFETCH(QString, folder);
        const auto read = ReadChannelFile((folder + "/input.csv").toStdString(), {});
        QVERIFY(read.ok());
        QCOMPARE(read->report.format, &ChirpCsvFormat());
        QCOMPARE(Lines(read->report.diagnostics), ReadBytes(folder + "/diagnostics.txt"));
        QCOMPARE(QByteArray::fromStdString(BuildCsvText(read->table, true).bytes),
                 ReadBytes(folder + "/expected.csv"));
        const ChirpText written = BuildChirpCsvText(read->table);
        QCOMPARE(QByteArray::fromStdString(written.bytes), ReadBytes(folder + "/chirp.csv"));
        QCOMPARE(Lines(written.diagnostics), ReadBytes(folder + "/chirp-diagnostics.txt"));

        // What was written reads back to the same table.
        const CsvImport again = ReadChirpCsv(written.bytes);
        for (int row = 1; row < again.table.RowCount(); ++row) {
            if (ChannelNumber(read->table.CellText(row, Number))) {
                QCOMPARE(Strings(again.table, row), Strings(read->table, row));
            }
        }
    }

    // One receiver row written as a CHIRP line, and what the writer says about it.
    void writtenLine_data() {
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("problems");
        const QString plain =
            "1,%1,%2,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,%3,5.00,%4,,%5,,,,";
        const auto row = [](const char* name, const QStringList& cells, const QString& line,
                            const char* problems = "") {
            QTest::newRow(name) << cells << line << QString(problems);
        };
        // Channel 1 on 1 Hz in `mode`, with these cells besides.
        const auto one = [](const char* mode, std::initializer_list<std::pair<int, QString>> more) {
            QStringList cells = RowOf({{Number, "1"}, {Frequency, "1"}, {Mode, mode}});
            for (const auto& [column, text] : more) {
                cells[column] = text;
            }
            return cells;
        };
        row("exact frequency",
            RowOf({{Number, " 1"}, {Frequency, "4294967295"}, {Mode, "USB"}, {Bandwidth, "2700"}}),
            plain.arg("", "4294.967295", "USB", "", ""));
        row("name and comment quoted where needed",
            one("CW", {{Frequency, "0"}, {Callsign, "a,b"}, {Comments, "say \"hi\"\nthere"}}),
            plain.arg("\"a,b\"", "0.000000", "CW", "", "\"say \"\"hi\"\"\nthere\""));
        row("skip from lockout bit 0", one("AM", {{Lockout, "1"}}),
            plain.arg("", "0.000001", "AM", "S", ""));
        row("priority", one("AM", {{Priority, "1"}, {Lockout, "0"}}),
            plain.arg("", "0.000001", "AM", "P", ""));
        row("lockout wins over priority, which is reported",
            one("AM", {{Priority, "1"}, {Lockout, "5"}}), plain.arg("", "0.000001", "AM", "S", ""),
            "row 1: values of Lockout \"5\" and Priority \"1\" have no place in a CHIRP file "
            "(first in row 1, 1 row in all); not written\n");
        row("narrow modes are the same", one("FM6", {}), plain.arg("", "0.000001", "NFM", "", ""));
        row("a CHIRP mode kept from a CHIRP file", one("WFM", {{Bandwidth, "6000"}}),
            plain.arg("", "0.000001", "WFM", "", ""));
        row("nearest mode reported", one("AMS", {}), plain.arg("", "0.000001", "AM", "", ""),
            "row 1: Mode \"AMS\" has no CHIRP equivalent; written as AM\n");
        row("no mode", one("", {}), plain.arg("", "0.000001", "CW", "", ""),
            "row 1: Mode \"\" has no CHIRP equivalent; written as CW\n");
        row("frequency not read", one("AM", {{Frequency, "7.1e6"}}),
            plain.arg("", "0.000000", "AM", "", ""),
            "row 1: Frequency \"7.1e6\" is not a whole number of Hz; written as 0.000000\n");
        row("receiver settings CHIRP cannot keep",
            one("USB", {{Bandwidth, "2400"},
                        {IfShift, "-200"},
                        {Groups, "1+2"},
                        {Hotkey, "0"},
                        {LevelSquelch, "-90"},
                        {SecondarySquelchType, "2"}}),
            plain.arg("", "0.000001", "USB", "", ""),
            "row 1: values of Bandwidth \"2400\", IF Shift \"-200\", Groups \"1+2\", Level "
            "Squelch \"-90\" and Secondary squelch type \"2\" have no place in a CHIRP file "
            "(first in row 1, 1 row in all); not written\n");
    }
    void writtenLine() {
        QFETCH(QStringList, cells);
        QFETCH(QString, line);
        QFETCH(QString, problems);
        const ChirpText text = BuildChirpCsvText(TableOf(cells));
        QCOMPARE(QString::fromStdString(text.bytes),
                 QString::fromUtf8(kHeader21.data(), qsizetype(kHeader21.size())) + line + "\r\n");
        QCOMPARE(QString(Lines(text.diagnostics)), problems);
        QCOMPARE(text.channelsWritten, 1);
    }

    void writerLeavesOutRowsWithoutChannel() {
        MemoryTable table = MemoryTable::ImportLayout();
        table.AppendRow(std::vector<std::string>{"x", "1", "", "", "", "", "", "", "", "1"});
        table.AppendRow(std::vector<std::string>{"2", "1"});
        table.AppendRow(std::vector<std::string>{"3", "1"});
        table.AppendRow(std::vector<std::string>{"2", "2"});
        table.SetCellText(3, Groups, "4");
        for (int row = 2; row <= 4; ++row) {
            table.SetCellText(row, Mode, "AM");
        }
        const ChirpText text = BuildChirpCsvText(table);
        QCOMPARE(text.channelsWritten, 3);
        QCOMPARE(text.rowsNotWritten, 1);
        QCOMPARE(QString(Lines(text.diagnostics)),
                 "row 1: Number \"x\" is not a channel number from 1 to 65535; row not written\n"
                 "row 2: Number \"2\" is used again in row 4; CHIRP keeps only the later line\n"
                 "row 3: values of Groups \"4\" have no place in a CHIRP file (first in row 3, 1 "
                 "row in all); not written\n");
    }

    // One CHIRP line read into its receiver cells, and what the reader says about it.
    void readLine_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QString>("problems");
        const auto line = [](const char* location, const char* frequency, const char* mode,
                             const char* skip = "") {
            return QByteArray(location) + ",N," + frequency +
                   ",,0.000000,,88.5,88.5,023,NN,023,Tone->Tone," + mode + ",5.00," + skip +
                   ",,C,,,,\r\n";
        };
        const auto cells = [](const char* number, const char* frequency, const char* mode,
                              const char* bandwidth) {
            return RowOf({{Number, number},
                          {Frequency, frequency},
                          {Mode, mode},
                          {Bandwidth, bandwidth},
                          {Callsign, "N"},
                          {Comments, "C"}});
        };
        QTest::newRow("exact MHz")
            << line("7", "146.520001", "FM") << cells("7", "146520001", "FM", "15000") << "";
        QTest::newRow("MHz without a point")
            << line("7", "7", "AM") << cells("7", "7000000", "AM", "6000") << "";
        QTest::newRow("with a unit")
            << line("7", "7100 kHz", "LSB") << cells("7", "7100000", "LSB", "2700") << "";
        QTest::newRow("narrow AM")
            << line("7", "1", "NAM") << cells("7", "1000000", "AMN", "3000") << "";
        QTest::newRow("narrow FM")
            << line("7", "1", "NFM") << cells("7", "1000000", "FM6", "6000") << "";
        QTest::newRow("a mode the receiver lacks")
            << line("7", "1", "DV") << cells("7", "1000000", "DV", "6000")
            << "line 2: Mode \"DV\" is no mode the receiver has; kept as it is\n";
        QTest::newRow("fraction of a Hz")
            << line("7", "1.0000005", "CW") << cells("7", "1.0000005", "CW", "500")
            << "line 2: Frequency \"1.0000005\" is not a frequency in MHz; kept as it is\n";
        QTest::newRow("location 0, numbered later")
            << line("0", "1", "CW") << cells("0", "1000000", "CW", "500") << "";
        QStringList skipped = cells("7", "1000000", "CW", "500");
        skipped[Lockout] = "1";
        QTest::newRow("skip") << line("7", "1", "CW", "S") << skipped << "";
        QStringList priority = cells("7", "1000000", "CW", "500");
        priority[Priority] = "1";
        QTest::newRow("priority") << line("7", "1", "CW", "P") << priority << "";
        // Hand-edited files put blanks around the letter.
        QTest::newRow("skip between tabs") << line("7", "1", "CW", "\tS\t") << skipped << "";
        QTest::newRow("priority quoted with spaces")
            << line("7", "1", "CW", "\"  P \"") << priority << "";
        QTest::newRow("skip of blanks only")
            << line("7", "1", "CW", " \t ") << cells("7", "1000000", "CW", "500") << "";
        QTest::newRow("unknown skip")
            << line("7", "1", "CW", "X") << cells("7", "1000000", "CW", "500")
            << "line 2: Skip \"X\" is neither S nor P; ignored\n";
        QTest::newRow("Windows-1252 instead of UTF-8")
            << QByteArray("7,Z\xFCrich,1,,0,,88.5,88.5,023,NN,023,Tone->Tone,CW,5.00,,,C,,,,\r\n")
            <<
            [&] {
                QStringList row = cells("7", "1000000", "CW", "500");
                row[Callsign] = "Zürich";
                return row;
            }()
            << "line 1: the file is not UTF-8 as CHIRP writes it; read as Windows-1252\n";
    }
    void readLine() {
        QFETCH(QByteArray, line);
        QFETCH(QStringList, cells);
        QFETCH(QString, problems);
        const CsvImport read = ReadChirpCsv(std::string(kHeader21) + line.toStdString());
        QCOMPARE(read.recordsRead, 1);
        QCOMPARE(read.table.ChannelCount(), 1);
        QCOMPARE(Strings(read.table, 1), cells);
        QCOMPARE(QString(Lines(read.diagnostics)), problems);
    }

    // Names split as CHIRP's reader splits them: spaces before a quote keep it as text, a doubled
    // quote is one, text after the closing quote stays with its spaces, a line end inside quotes
    // belongs to the name (and counts as a line), comment lines are passed over.
    void fieldsAsChirpReadsThem_data() {
        QTest::addColumn<QByteArray>("lines");  // after the header "Location,Name,Frequency,Mode"
        QTest::addColumn<QString>("name");      // the first channel's Callsign
        QTest::addColumn<QString>("problems");
        const auto row = [](const char* name, const char* lines, const char* callsign,
                            const char* problems = "") {
            QTest::newRow(name) << QByteArray(lines) << QString(callsign) << QString(problems);
        };
        row("plain", "1,Ab c,1,FM\r\n", "Ab c");
        row("quoted, a comma and doubled quotes", "1,\"A, \"\"B\"\"\",1,FM\r\n", "A, \"B\"");
        row("space before the quote", "1, \"A\",1,FM\r\n", " \"A\"");
        row("text after the closing quote", "1,\"A\" b ,1,FM\r\n", "A b ");
        row("spaces after the closing quote", "1,\"A\"  ,1,FM\r\n", "A  ");
        row("line end in quotes", "1,\"A\r\nB\",1,FM\r\n2,C,1,XX\r\n", "A\r\nB",
            "line 4: Mode \"XX\" is no mode the receiver has; kept as it is\n");
        row("comment line", "# a \"note\r\n1,A,1,FM\n3,B,1,XX\n", "A",
            "line 4: Mode \"XX\" is no mode the receiver has; kept as it is\n");
    }
    void fieldsAsChirpReadsThem() {
        QFETCH(QByteArray, lines);
        QFETCH(QString, name);
        QFETCH(QString, problems);
        const CsvImport read =
            ReadChirpCsv("Location,Name,Frequency,Mode\r\n" + lines.toStdString());
        QCOMPARE(QString::fromStdString(std::string(read.table.CellText(1, Callsign))), name);
        QCOMPARE(QString(Lines(read.diagnostics)), problems);
    }

    // Lists as people write them: a comma at the end of every line, blank lines, Location 0 and
    // the numbering chosen for it.
    void asPeopleWriteThem_data() {
        QTest::addColumn<QByteArray>("lines");  // after the header "Location,Name,Frequency,Mode"
        QTest::addColumn<int>("numbering");     // ChirpNumbering
        QTest::addColumn<QStringList>("numbers");
        QTest::addColumn<QString>("problems");
        const int keep = int(ChirpNumbering::Keep);
        const int shift = int(ChirpNumbering::Shift);
        const int sequential = int(ChirpNumbering::Sequential);
        QTest::newRow("trailing comma")
            << QByteArray("1,A,1,FM,\r\n2,B,1,FM,,\r\n") << shift << QStringList{"1", "2"} << "";
        QTest::newRow("blank lines")
            << QByteArray("1,A,1,FM\r\n,,,\r\n\r\n2,B,1,FM\r\n") << shift << QStringList{"1", "2"}
            << "line 3: 2 blank lines skipped (this is the first)\n";
        QTest::newRow("extra field with a value")
            << QByteArray("1,A,1,FM,x\r\n") << shift << QStringList{"1"}
            << "line 2: has 5 fields where the header has 4; the extra ones are ignored\n";
        const QByteArray zero = "0,A,1,FM\r\n1,B,1,FM\r\n";
        QTest::newRow("Location 0 shifted")
            << zero << shift << QStringList{"1", "2"}
            << "line 2: the file holds Location 0: every channel is numbered its Location + 1\n";
        QTest::newRow("Location 0 left out")
            << zero << keep << QStringList{"1"}
            << "line 2: Location 0 is no channel number of the receiver; 1 channel left out\n";
        QTest::newRow("numbered in file order")
            << QByteArray("5,A,1,FM\r\n0,B,1,FM\r\n9,C,1,FM\r\n") << sequential
            << QStringList{"1", "2", "3"}
            << "line 2: channels numbered 1 to 3 in file order, not by their Location\n";
        QTest::newRow("no Location 0 stays")
            << QByteArray("4,A,1,FM\r\n7,B,1,FM\r\n") << shift << QStringList{"4", "7"} << "";
    }
    void asPeopleWriteThem() {
        QFETCH(QByteArray, lines);
        QFETCH(int, numbering);
        QFETCH(QStringList, numbers);
        QFETCH(QString, problems);
        CsvImport read = ReadChirpCsv("Location,Name,Frequency,Mode\r\n" + lines.toStdString());
        ApplyChirpNumbering(read, static_cast<ChirpNumbering>(numbering));
        QCOMPARE(testing::ColumnTexts(read.table, Number), numbers);
        QCOMPARE(QString(Lines(read.diagnostics)), problems);
        QCOMPARE(read.origins.lines.size(), std::size_t(read.table.ChannelCount()));
    }

    void readerReportsLostColumnsOnce() {
        const CsvImport read = ReadChirpCsv(
            "Location,Frequency,Mode,Duplex,Offset,rToneFreq,Power,Extra\n"
            "1,1,AM,,0.6,88.5,,\n"
            "2,1,AM,+,0.6,88.5,,\n"
            "3,1,AM,,5,67.0,5W,x\n"
            "4\n");
        QCOMPARE(read.table.ChannelCount(), 4);
        QCOMPARE(QString(Lines(read.diagnostics)),
                 "line 1: the columns Duplex, Offset, rToneFreq, Power and Extra hold values a "
                 "receiver memory has no place for (first on line 3); not read\n"
                 "line 5: has 1 fields where the header has 8; the missing ones read as empty\n"
                 "line 5: Frequency \"\" is not a frequency in MHz; kept as it is\n"
                 "line 5: Mode \"\" is no mode the receiver has; kept as it is\n");
        // Column names of control characters (NUL bytes from a file that is no text) are
        // quoted four characters to each; the list stops before the line grows past a screen.
        std::string header = "Location,Frequency,Mode";
        std::string values = "1,1,AM";
        for (int column = 0; column < 9; ++column) {
            header += "," + std::string(40, '\0') + char('a' + column);
            values += ",x";
        }
        const CsvImport unreadable = ReadChirpCsv(header + "\n" + values + "\n");
        QCOMPARE(unreadable.diagnostics.size(), std::size_t(1));
        QVERIFY2(MessageText(unreadable.diagnostics.front()).size() <= 1024,
                 MessageText(unreadable.diagnostics.front()).c_str());
        QVERIFY(QString::fromStdString(MessageText(unreadable.diagnostics.front()))
                    .contains(QRegularExpression(" and [0-9] more hold values")));
        const CsvImport noColumns = ReadChirpCsv("Location,Name\n1,A\n");
        QCOMPARE(QString(Lines(noColumns.diagnostics)).section('\n', 0, 0),
                 "line 1: the header has no Frequency and Mode column; those cells stay empty");
    }
};

QTEST_GUILESS_MAIN(TestChirpCsv)
#include "tst_chirpcsv.moc"

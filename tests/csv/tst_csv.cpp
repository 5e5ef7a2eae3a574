#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <tuple>

#include "../TestTables.h"
#include "TestData.h"
#include "channel/CellChecks.h"
#include "csv/ChirpCsv.h"
#include "csv/CsvReader.h"
#include "csv/CsvWriter.h"
#include "files/ChannelFiles.h"
#include "io/FileExists.h"
#include "io/Messages.h"

using namespace corvalen;

Q_DECLARE_METATYPE(corvalen::MemoryTable)

namespace {

using testing::ReadBytes;
using testing::WriteBytes;

// Test lines are easier to read with ' standing for the quotes the writer puts around fields.
std::string Csv(std::string line) {
    std::replace(line.begin(), line.end(), '\'', '"');
    return line;
}

using testing::CellTexts;
using testing::RowOf;

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

class TestCsv : public QObject {
    Q_OBJECT

private slots:
    // Each folder under data/csv holds input.csv, the problems reported while reading it
    // (diagnostics.txt) and what the writer makes of the rows read (expected.csv).
    void goldenFiles_data() { testing::AddFolderRows(CORVALEN_TEST_DATA_DIR "/csv"); }
    void goldenFiles() {
        QFETCH(QString, folder);
        const CsvImport imported = testing::ReadCsvFile(folder + "/input.csv");
        QCOMPARE(testing::DiagnosticLines(imported.diagnostics),
                 ReadBytes(folder + "/diagnostics.txt"));
        const CsvText text = BuildCsvText(imported.table, true);
        QCOMPARE(QByteArray::fromStdString(text.bytes), ReadBytes(folder + "/expected.csv"));
    }

    void readerMakesUtf8AndCountsRecords() {
        const CsvImport imported =
            ReadCsvMemory("h\n1,2,3,,,,,,,,,,,,,,,\"Z\xFCrich \x80\",\x81\xFF\n,,\n\n  \n2,a,\n");
        QCOMPARE(imported.recordsRead, 3);  // the empty line and the blank one are no records
        QCOMPARE(imported.table.ChannelCount(), 1);
        QCOMPARE(imported.table.CellText(1, Callsign), std::string("Z\u00FCrich \u20AC"));
        QCOMPARE(imported.table.CellText(1, Comments), std::string("\u0081\u00FF"));
    }

    void writerForms_data() {
        QTest::addColumn<MemoryTable>("table");
        QTest::addColumn<bool>("importForm");
        QTest::addColumn<std::string>("line");           // the file after the header line
        QTest::addColumn<QList<int>>("emptyBandwidth");  // rows reported for it
        QTest::addColumn<int>("skipped");                // empty rows left out

        MemoryTable full(19);
        const auto row = [](const char* name, const MemoryTable& table, bool importForm,
                            const std::string& line, const QList<int>& emptyBandwidth,
                            int skipped) {
            QTest::newRow(name) << table << importForm << line << emptyBandwidth << skipped;
        };
        full.AppendRow({" 12 ", "7000000", "2400", "", "", "", "", "", "", "", "", " ", "3"});
        MemoryTable narrow(2);
        narrow.AppendRow({"1", "2"});
        row("empty before import", MemoryTable(10), false, std::string("\r\n"), QList<int>(), 0);
        row("10 columns: no header, no fills", full, false,
            Csv("'12','7000000','2400','','','','','','',''\r\n\r\n"), QList<int>(), 0);
        row("19 columns: Number trimmed, empty settings 0", full, true,
            Csv("'12','7000000','2400','','','','','','','','0',' "
                "','3','','','','','',''\r\n\r\n"),
            QList<int>(), 0);
        row("missing columns written empty, Bandwidth reported", narrow, true,
            Csv("'1','2','','','','','','','','','0','0','0','','','','','',''\r\n\r\n"), {1}, 0);
        // The window's start: 49 empty rows, none written; a channel typed into one of them is.
        MemoryTable startup = MemoryTable::StartupLayout();
        startup.SetCellText(3, Frequency, "7100000");
        row("empty rows skipped", startup, false,
            Csv("'','7100000','','','','','','','',''\r\n\r\n"), {3}, kStartupRowCount - 2);
    }
    void writerForms() {
        QFETCH(MemoryTable, table);
        QFETCH(bool, importForm);
        QFETCH(std::string, line);
        const std::string header = ReadBytes(CORVALEN_TEST_DATA_DIR "/csv/header_only/expected.csv")
                                       .chopped(2)
                                       .toStdString();
        QFETCH(QList<int>, emptyBandwidth);
        QFETCH(int, skipped);
        const CsvText text = BuildCsvText(table, importForm);
        QCOMPARE(text.bytes, importForm ? header + line : line);
        std::vector<Diagnostic> expected;
        for (const int row : emptyBandwidth) {
            expected.push_back(EmptyBandwidthProblem(row));
        }
        QCOMPARE(text.diagnostics, expected);
        QCOMPARE(text.rowsSkipped, skipped);
    }

    void writerReplacesCharactersOutsideWindows1252() {
        MemoryTable table(10);
        table.AppendRow(
            {"1", "2", "3", "", "", "", "", "", "", "Caf\u00E9 \u20AC \u2192 \U0001F4FB"});
        const CsvText text = BuildCsvText(table, false);
        QCOMPARE(text.bytes, Csv("'1','2','3','','','','','','','Caf\xE9 \x80 ? ?'\r\n\r\n"));
        const std::vector<Diagnostic> expected = {
            {Diagnostic::Place::Row, 1, Groups, MessageKind::CsvCharactersReplaced, {"2"}}};
        QCOMPARE(text.diagnostics, expected);
        QCOMPARE(MessageText(text.diagnostics.front()),
                 std::string("Groups: 2 characters have no Windows-1252 form and became \"?\""));
    }

    // Whatever a cell holds comes back unchanged: quotes, commas, tabs, line breaks, padding.
    void writeThenReadGivesSameCells() {
        MemoryTable table = MemoryTable::ImportLayout();
        const std::vector<std::string> awkward = {
            "say \"hi\"", "\"",           "a,b",
            "tab\there",  "two\r\nlines", "lf\nonly",
            "cr\ronly",   "  padded ",    "\"Z\u00FCrich\" \u20AC",
            "\"\",\"\"",  "x\r\n\r\n"};
        for (std::size_t k = 0; k < awkward.size(); ++k) {
            MemoryTable::Row row(kImportedColumnCount, awkward[k]);
            row[Number] = std::to_string(k + 1);
            table.AppendRow(row);
        }
        const CsvImport back = ReadCsvMemory(BuildCsvText(table, true).bytes);
        QVERIFY(back.diagnostics.empty());
        QVERIFY(back.table == table);
    }

    // A file counts as there once written; a folder and an empty name do not.
    void fileExists() {
        QTemporaryDir dir;
        const std::string path = dir.filePath("memory.csv").toStdString();
        QVERIFY(!FileExists(path));
        QVERIFY(testing::WriteBytes(dir.filePath("memory.csv"), "\"1\"\r\n"));
        QVERIFY(FileExists(path));
        QVERIFY(!FileExists(dir.path().toStdString()));
        QVERIFY(!FileExists(""));
    }

    // The first NUL byte of a text, named by line and byte (a byte-order mark counts as bytes
    // of the first line), and whether a byte from 0x80 up comes anywhere in a text without one,
    // which the reader is told.
    // "large:" texts are 140,000 lines of 15 bytes with NULs ('\0') and a high byte ('h') put
    // at these offsets from the middle, byte 1,050,000: line 70,001's first byte.
    void nulByteNamed_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("found");  // "line L byte B", or empty for no NUL
        QTest::addColumn<bool>("high");      // for a text without a NUL
        const auto large = [](std::initializer_list<std::pair<qsizetype, char>> bytes) {
            QByteArray text = QByteArray("1,7100000,500\r\n").repeated(140000);
            for (const auto& [at, byte] : bytes) {
                text[text.size() / 2 + at] = byte == 'h' ? '\xE9' : byte;
            }
            return text;
        };
        const auto row = [](const char* name, const QByteArray& text, const QString& found,
                            bool high) { QTest::newRow(name) << text << found << high; };
        row("empty", QByteArray(), QString(), false);
        row("first byte", QByteArray(1, '\0') + "1,2,3\n", "line 1 byte 1", false);
        row("UTF-16 text", QByteArray("N\0u\0m\0", 6), "line 1 byte 2", false);
        row("third line, LF", QByteArray("a\nb\nc\0d", 7), "line 3 byte 6", false);
        row("third line, lone CR", QByteArray("a\rb\rc\0d", 7), "line 3 byte 6", false);
        row("second line, CR LF", QByteArray("a\r\nb\0", 5), "line 2 byte 5", false);
        row("inside quotes over a line end", QByteArray("1,\"a\r\nb\0\"", 9), "line 2 byte 8",
            false);
        row("high byte, no NUL", "1,Z\xFCrich\r\n", QString(), true);
        row("UTF-8, no NUL", "1,7100000,500,\"R\xC3\xA1\"\r\n", QString(), true);
        row("byte-order mark, UTF-8",
            "\xEF\xBB\xBF"
            "1,7100000,500,\xC3\xA9\r\n",
            QString(), true);
        row("byte-order mark, ASCII",
            "\xEF\xBB\xBF"
            "1,2\r\n",
            QString(), false);
        row("large: clean", large({}), QString(), false);
        row("large: high byte late", large({{100000, 'h'}}), QString(), true);
        row("large: high byte early", large({{-100000, 'h'}}), QString(), true);
        row("large: NUL past the middle", large({{15, '\0'}}), "line 70002 byte 1050016", false);
        row("large: NUL on the middle byte", large({{0, '\0'}}), "line 70001 byte 1050001", false);
        row("large: NUL just before the middle's line end", large({{-3, '\0'}}),
            "line 70000 byte 1049998", false);
        row("large: two NULs, the first", large({{-30, '\0'}, {300000, '\0'}}),
            "line 69999 byte 1049971", false);
    }
    void nulByteNamed() {
        QFETCH(QByteArray, text);
        QFETCH(QString, found);
        QFETCH(bool, high);
        const CsvTextCheck checked = CheckCsvTextBytes(
            "f.csv", std::string_view(text.constData(), static_cast<std::size_t>(text.size())), {});
        if (found.isEmpty()) {
            QVERIFY(checked.status);
            QCOMPARE(checked.beyondAscii, high);
            return;
        }
        QVERIFY(!checked.status);
        const QStringList parts = found.split(' ');
        QCOMPARE(QString::fromStdString(corvalen::ErrorSentence(checked.status.error())),
                 "Cannot read \"f.csv\": line " + parts[1] + " holds a NUL byte (byte " + parts[3] +
                     "), so this is no CSV text file");
    }

    // Texts read a block at a time give what the whole text gives, wherever the blocks cut
    // them: inside a field, a quoted line end, a CR LF, a UTF-8 letter or the byte-order mark.
    void blocksReadAsTheWhole_data() {
        QTest::addColumn<QByteArray>("text");
        const auto row = [](const char* name, const QByteArray& text) {
            QTest::newRow(name) << text;
        };
        const QByteArray header = "Number,Frequency,Bandwidth\r\n";
        for (const QString& folder :
             QDir(CORVALEN_TEST_DATA_DIR "/csv").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QTest::newRow(qPrintable("file " + folder))
                << ReadBytes(CORVALEN_TEST_DATA_DIR "/csv/" + folder + "/input.csv");
        }
        row("empty", "");
        row("one byte", "1");
        row("byte-order mark alone", "\xEF\xBB\xBF");
        row("byte-order mark, ASCII", "\xEF\xBB\xBF" + header + "1,2,3\r\n");
        row("byte-order mark, UTF-8", "\xEF\xBB\xBF" + header + "1,\xC3\xA9\xE2\x82\xAC,3\r\n");
        row("UTF-8 without a mark", header + "1,\xF0\x9F\x93\xBB,\xE2\x82\xAC\r\n2,\xC3\xA9,x");
        row("UTF-8 cut at the end", header + "1,\xC3\xA9,\xE2\x82");
        row("UTF-8, then a Windows-1252 letter", header + "1,\xC3\xA9\r\n2,\xE9,\xC3\xA9\r\n");
        row("Windows-1252", header + "1,Z\xFCrich \x80,\x81\xFF\r\n");
        row("lone CR lines", "Number,a\r1,b,c\r\r2,d,e\r");
        row("LF lines, blank ones", header + "\n\n1,2,3\n  \n2,3,4\n");
        row("line ends in quotes", header + "1,\"a\r\nb\r\n\rc\",x\r\n2,\"\"\"q\"\"\",y\r\n");
        row("quote never closed", header + "1,2,3\r\n4,\"a\r\n5,6,7\r\n8,9,10\r\n");
        row("no header, trailing commas", "1,2,3,,,,\r\n2,3,4,\r\n");
        QByteArray many = header;
        for (int line = 0; line < 300; ++line) {
            many += QByteArray::number(line) + ",\"x\r\n" + QByteArray::number(line) + "\",\xE9," +
                    QByteArray(line % 37, 'y') + "\r\n";
        }
        row("many records", many);
    }
    void blocksReadAsTheWhole() {
        QFETCH(QByteArray, text);
        const std::string_view whole(text.constData(), static_cast<std::size_t>(text.size()));
        const auto read = [](const std::function<int(std::vector<Diagnostic>&, CsvRecordFeed::Take,
                                                     std::vector<int>*)>& how) {
            std::vector<Diagnostic> diagnostics;
            std::vector<int> lines;
            std::string rows;
            const int records = how(
                diagnostics,
                [&](std::span<const std::string_view> cells) {
                    for (const std::string_view cell : cells) {
                        rows.append(cell).push_back('|');
                    }
                    rows.push_back('\n');
                },
                &lines);
            return std::make_tuple(records, rows, lines, testing::DiagnosticLines(diagnostics));
        };
        const auto expected = read([&](auto& diagnostics, auto take, auto* lines) {
            return ReadCsvRecords(whole, diagnostics, take, lines);
        });
        const CsvTextCheck check = CheckCsvTextBytes("f.csv", whole);
        for (const std::size_t block : {1, 2, 3, 5, 7, 64, 4096}) {
            CsvTextScan scan;
            for (std::size_t at = 0; at < whole.size(); at += block) {
                scan.Add(whole.substr(at, block));
            }
            scan.Finish();
            QCOMPARE(scan.HoldsNul(), !check.status);
            QCOMPARE(scan.BeyondAscii(), check.beyondAscii);
            QCOMPARE(scan.Size(), static_cast<unsigned long long>(whole.size()));
            const auto got = read([&](auto& diagnostics, auto take, auto* lines) {
                CsvRecordFeed feed(scan, diagnostics, take, lines);
                for (std::size_t at = 0; at < whole.size(); at += block) {
                    feed.Add(whole.substr(at, block));
                }
                return feed.Finish();
            });
            QVERIFY2(got == expected, qPrintable(QString("blocks of %1 bytes").arg(block)));
        }
    }

    // One record after a header line; its first three cells, '|' between them.
    void fieldForms_data() {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QByteArray>("cells");
        const auto row = [](const char* name, const QByteArray& record, const QByteArray& cells) {
            QTest::newRow(name) << record << cells;
        };
        row("plain", "1,abc,d\r\n", "1|abc|d");
        row("quoted", "\"1\",\"a,b\",\"c\"\r\n", "1|a,b|c");
        row("spaces before", "1,  x ,  \"y\"", "1|x |y");
        row("doubled quote", "1,\"a\"\"b\",c", "1|a\"b|c");
        row("text after closing quote", "1,\"a\"  b,\"c\" ,d", "1|a  b|c");
        row("quote inside plain text", "1,a\"b,c", "1|a\"b|c");
        row("quoted, then a quote inside plain text", "1,\"abc\",d\",e", "1|abc|d\"");
        row("line break in quotes", "1,\"a\r\nb\",c\n", "1|a\r\nb|c");
        row("long Windows-1252",
            "1,\"R\xE1"
            "dio Nacional da Amaz\xF4nia\",x",
            "1|R\xC3\xA1"
            "dio Nacional da Amaz\xC3\xB4nia|x");
        row("Windows-1252 after doubled quote", "1,\"\"\"\xE9\",\"\"\"\"", "1|\"\xC3\xA9|\"");
        row("last field unclosed", "1,2,\"abc", "1|2|abc");
        const QByteArray x50(50, 'x');
        row("long quoted field with a letter near its end", "1,\"" + x50 + "\xE9yz\",c",
            "1|" + x50 + "\xC3\xA9yz|c");
        row("comma and letter in a long quoted field", "1,\"" + x50 + "ab,\xE9\",c",
            "1|" + x50 + "ab,\xC3\xA9|c");
        row("long quoted field, then a quoted letter", "1,\"" + x50 + "\",\"\xE9\"\n",
            "1|" + x50 + "|\xC3\xA9");
        row("letter in the last plain field", "1,a,b\xE9", "1|a|b\xC3\xA9");
    }
    // Each form as the file's last record, and with more records after it, which read the same.
    void fieldForms() {
        QFETCH(QByteArray, record);
        QFETCH(QByteArray, cells);
        std::string more = "\r\n";
        for (int line = 0; line < 40; ++line) {
            more += "9,\"pad\",x\r\n";
        }
        const std::string file = "Number,Frequency,Bandwidth\r\n" + record.toStdString();
        const CsvImport imported = ReadCsvMemory(file);
        QCOMPARE(imported.recordsRead, 1);
        QCOMPARE(imported.table.ChannelCount(), 1);
        std::string joined;
        for (int column = 0; column < 3; ++column) {
            joined.append(column == 0 ? "" : "|").append(imported.table.CellText(1, column));
        }
        QCOMPARE(QByteArray::fromStdString(joined), cells);
        const bool unclosed =
            std::any_of(imported.diagnostics.begin(), imported.diagnostics.end(),
                        [](const Diagnostic& d) { return d.kind == MessageKind::QuoteNotClosed; });
        QCOMPARE(unclosed, QByteArray(QTest::currentDataTag()) == "last field unclosed");
        if (unclosed) {
            return;  // the records after it are read into the field
        }

        const CsvImport followed = ReadCsvMemory(file + more);
        QCOMPARE(followed.recordsRead, 41);
        QCOMPARE(followed.table.ChannelCount(), 41);
        for (int column = 0; column < followed.table.ColCount(); ++column) {
            QCOMPARE(followed.table.CellText(1, column), imported.table.CellText(1, column));
        }
        QCOMPARE(followed.table.CellText(41, 1), std::string_view("pad"));
    }

    // Each folder under data/chirp holds a CHIRP file (input.csv), what reading it reports
    // (diagnostics.txt), the receiver CSV the rows read make (expected.csv), and the CHIRP file
    // written back from them (chirp.csv) with what that reports (chirp-diagnostics.txt).
    void chirpGoldenFiles_data() { testing::AddFolderRows(CORVALEN_TEST_DATA_DIR "/chirp"); }
    void chirpGoldenFiles() {
        QFETCH(QString, folder);
        const auto read = ReadChannelFile((folder + "/input.csv").toStdString(), {});
        QVERIFY(read.ok());
        QCOMPARE(read->report.format, &ChirpCsvFormat());
        QCOMPARE(testing::DiagnosticLines(read->report.diagnostics),
                 ReadBytes(folder + "/diagnostics.txt"));
        QCOMPARE(QByteArray::fromStdString(BuildCsvText(read->table, true).bytes),
                 ReadBytes(folder + "/expected.csv"));
        const ChirpText written = BuildChirpCsvText(read->table);
        QCOMPARE(QByteArray::fromStdString(written.bytes), ReadBytes(folder + "/chirp.csv"));
        QCOMPARE(testing::DiagnosticLines(written.diagnostics),
                 ReadBytes(folder + "/chirp-diagnostics.txt"));

        // What was written reads back to the same table.
        const CsvImport again = ReadChirpCsv(written.bytes);
        for (int row = 1; row < again.table.RowCount(); ++row) {
            if (ChannelNumber(read->table.CellText(row, Number))) {
                QCOMPARE(CellTexts(again.table, row), CellTexts(read->table, row));
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
        QCOMPARE(QString(testing::DiagnosticLines(text.diagnostics)), problems);
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
        QCOMPARE(QString(testing::DiagnosticLines(text.diagnostics)),
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
        const auto row = [](const char* name, const QByteArray& line, const QStringList& cells,
                            const QString& problems) {
            QTest::newRow(name) << line << cells << problems;
        };
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
        row("exact MHz", line("7", "146.520001", "FM"), cells("7", "146520001", "FM", "15000"), "");
        row("MHz without a point", line("7", "7", "AM"), cells("7", "7000000", "AM", "6000"), "");
        row("with a unit", line("7", "7100 kHz", "LSB"), cells("7", "7100000", "LSB", "2700"), "");
        row("narrow AM", line("7", "1", "NAM"), cells("7", "1000000", "AMN", "3000"), "");
        row("narrow FM", line("7", "1", "NFM"), cells("7", "1000000", "FM6", "6000"), "");
        row("a mode the receiver lacks", line("7", "1", "DV"), cells("7", "1000000", "DV", "6000"),
            "line 2: Mode \"DV\" is no mode the receiver has; kept as it is\n");
        row("fraction of a Hz", line("7", "1.0000005", "CW"), cells("7", "1.0000005", "CW", "500"),
            "line 2: Frequency \"1.0000005\" is not a frequency in MHz; kept as it is\n");
        row("location 0, numbered later", line("0", "1", "CW"), cells("0", "1000000", "CW", "500"),
            "");
        QStringList skipped = cells("7", "1000000", "CW", "500");
        skipped[Lockout] = "1";
        row("skip", line("7", "1", "CW", "S"), skipped, "");
        QStringList priority = cells("7", "1000000", "CW", "500");
        priority[Priority] = "1";
        row("priority", line("7", "1", "CW", "P"), priority, "");
        // Hand-edited files put blanks around the letter.
        row("skip between tabs", line("7", "1", "CW", "\tS\t"), skipped, "");
        row("priority quoted with spaces", line("7", "1", "CW", "\"  P \""), priority, "");
        row("skip of blanks only", line("7", "1", "CW", " \t "), cells("7", "1000000", "CW", "500"),
            "");
        row("unknown skip", line("7", "1", "CW", "X"), cells("7", "1000000", "CW", "500"),
            "line 2: Skip \"X\" is neither S nor P; ignored\n");
        row(
            "Windows-1252 instead of UTF-8",
            "7,Z\xFCrich,1,,0,,88.5,88.5,023,NN,023,Tone->Tone,CW,5.00,,,C,,,,\r\n",
            [&] {
                QStringList row = cells("7", "1000000", "CW", "500");
                row[Callsign] = "Zürich";
                return row;
            }(),
            "line 1: the file is not UTF-8 as CHIRP writes it; read as Windows-1252\n");
    }
    void readLine() {
        QFETCH(QByteArray, line);
        QFETCH(QStringList, cells);
        QFETCH(QString, problems);
        const CsvImport read = ReadChirpCsv(std::string(kHeader21) + line.toStdString());
        QCOMPARE(read.recordsRead, 1);
        QCOMPARE(read.table.ChannelCount(), 1);
        QCOMPARE(CellTexts(read.table, 1), cells);
        QCOMPARE(QString(testing::DiagnosticLines(read.diagnostics)), problems);
    }

    // CHIRP files as people write them. Names split as CHIRP's reader splits them: spaces before
    // a quote keep it as text, a doubled quote is one, text after the closing quote stays with its
    // spaces, a line end inside quotes belongs to the name (and counts as a line), comment lines
    // are passed over. Lines: a comma at the end of every line, blank lines, Location 0 and the
    // numbering chosen for it.
    void asPeopleWriteThem_data() {
        QTest::addColumn<QByteArray>("lines");  // after the header "Location,Name,Frequency,Mode"
        QTest::addColumn<int>("numbering");     // ChirpNumbering
        QTest::addColumn<QString>("name");      // the first channel's Callsign
        QTest::addColumn<QStringList>("numbers");
        QTest::addColumn<QString>("problems");
        const int keep = int(ChirpNumbering::Keep);
        const int shift = int(ChirpNumbering::Shift);
        const int sequential = int(ChirpNumbering::Sequential);
        const auto row = [](const char* name, const QByteArray& lines, const QString& callsign,
                            const QStringList& numbers, const QString& problems = {},
                            int numbering = int(ChirpNumbering::Shift)) {
            QTest::newRow(name) << lines << numbering << callsign << numbers << problems;
        };
        const QString xx = "line 4: Mode \"XX\" is no mode the receiver has; kept as it is\n";
        row("plain", "1,Ab c,1,FM\r\n", "Ab c", {"1"});
        row("quoted, a comma and doubled quotes", "1,\"A, \"\"B\"\"\",1,FM\r\n", "A, \"B\"", {"1"});
        row("space before the quote", "1, \"A\",1,FM\r\n", " \"A\"", {"1"});
        row("text after the closing quote", "1,\"A\" b ,1,FM\r\n", "A b ", {"1"});
        row("spaces after the closing quote", "1,\"A\"  ,1,FM\r\n", "A  ", {"1"});
        row("line end in quotes", "1,\"A\r\nB\",1,FM\r\n2,C,1,XX\r\n", "A\r\nB", {"1", "2"}, xx);
        row("comment line", "# a \"note\r\n1,A,1,FM\n3,B,1,XX\n", "A", {"1", "3"}, xx);
        row("trailing comma", "1,A,1,FM,\r\n2,B,1,FM,,\r\n", "A", {"1", "2"});
        row("blank lines", "1,A,1,FM\r\n,,,\r\n\r\n2,B,1,FM\r\n", "A", {"1", "2"},
            "line 3: 2 blank lines skipped (this is the first)\n");
        row("extra field with a value", "1,A,1,FM,x\r\n", "A", {"1"},
            "line 2: has 5 fields where the header has 4; the extra ones are ignored\n");
        const QByteArray zero = "0,A,1,FM\r\n1,B,1,FM\r\n";
        row("Location 0 shifted", zero, "A", {"1", "2"},
            "line 2: the file holds Location 0: every channel is numbered its Location + 1\n",
            shift);
        row("Location 0 left out", zero, "B", {"1"},
            "line 2: Location 0 is no channel number of the receiver; 1 channel left out\n", keep);
        row("numbered in file order", "5,A,1,FM\r\n0,B,1,FM\r\n9,C,1,FM\r\n", "A", {"1", "2", "3"},
            "line 2: channels numbered 1 to 3 in file order, not by their Location\n", sequential);
        row("no Location 0 stays", "4,A,1,FM\r\n7,B,1,FM\r\n", "A", {"4", "7"});
    }
    void asPeopleWriteThem() {
        QFETCH(QByteArray, lines);
        QFETCH(int, numbering);
        QFETCH(QString, name);
        QFETCH(QStringList, numbers);
        QFETCH(QString, problems);
        CsvImport read = ReadChirpCsv("Location,Name,Frequency,Mode\r\n" + lines.toStdString());
        ApplyChirpNumbering(read, static_cast<ChirpNumbering>(numbering));
        QCOMPARE(testing::Cell(read.table, 1, Callsign), name);
        QCOMPARE(testing::ColumnTexts(read.table, Number), numbers);
        QCOMPARE(QString(testing::DiagnosticLines(read.diagnostics)), problems);
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
        QCOMPARE(QString(testing::DiagnosticLines(read.diagnostics)),
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
        QCOMPARE(QString(testing::DiagnosticLines(noColumns.diagnostics)).section('\n', 0, 0),
                 "line 1: the header has no Frequency and Mode column; those cells stay empty");
    }
};

QTEST_GUILESS_MAIN(TestCsv)
#include "tst_csv.moc"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

#include "../TestTables.h"
#include "TestData.h"
#include "channel/CellChecks.h"
#include "csv/CsvReader.h"
#include "csv/CsvWriter.h"
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

}  // namespace

class TestCsvFiles : public QObject {
    Q_OBJECT

private slots:
    // Each folder under data/csv holds input.csv, the problems reported while reading it
    // (diagnostics.txt) and what the writer makes of the rows read (expected.csv).
    void goldenFiles_data() {
        QTest::addColumn<QString>("folder");
        const QDir root(QStringLiteral(CORVALEN_TEST_DATA_DIR "/csv"));
        for (const QString& name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QTest::newRow(name.toUtf8().constData()) << root.filePath(name);
        }
    }
    void goldenFiles() {
        QFETCH(QString, folder);
        const CsvImport imported = testing::ReadCsvFile(folder + "/input.csv");
        QByteArray diagnostics;
        for (const Diagnostic& diagnostic : imported.diagnostics) {
            diagnostics += QByteArray::fromStdString(DiagnosticLine(diagnostic)) + '\n';
        }
        QCOMPARE(diagnostics, ReadBytes(folder + "/diagnostics.txt"));
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
        full.AppendRow({" 12 ", "7000000", "2400", "", "", "", "", "", "", "", "", " ", "3"});
        MemoryTable narrow(2);
        narrow.AppendRow({"1", "2"});
        QTest::newRow("empty before import")
            << MemoryTable(10) << false << std::string("\r\n") << QList<int>() << 0;
        QTest::newRow("10 columns: no header, no fills")
            << full << false << Csv("'12','7000000','2400','','','','','','',''\r\n\r\n")
            << QList<int>() << 0;
        QTest::newRow("19 columns: Number trimmed, empty settings 0")
            << full << true
            << Csv("'12','7000000','2400','','','','','','','','0',' "
                   "','3','','','','','',''\r\n\r\n")
            << QList<int>() << 0;
        QTest::newRow("missing columns written empty, Bandwidth reported")
            << narrow << true
            << Csv("'1','2','','','','','','','','','0','0','0','','','','','',''\r\n\r\n")
            << QList<int>{1} << 0;
        // The window's start: 49 empty rows, none written; a channel typed into one of them is.
        MemoryTable startup = MemoryTable::StartupLayout();
        startup.SetCellText(3, Frequency, "7100000");
        QTest::newRow("empty rows skipped")
            << startup << false << Csv("'','7100000','','','','','','','',''\r\n\r\n")
            << QList<int>{3} << kStartupRowCount - 2;
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
};

QTEST_GUILESS_MAIN(TestCsvFiles)
#include "tst_csvfiles.moc"

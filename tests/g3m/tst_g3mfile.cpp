#include <QtTest>

#include <string>

#include "TestData.h"
#include "g3m/G3mFile.h"
#include "io/SafeFile.h"
#include "table/Columns.h"

using namespace corvalen;

namespace {

MemoryTable::Row Channel(const char* number, const char* frequency = "7100000",
                         const char* mode = "AM") {
    MemoryTable::Row cells(kImportedColumnCount);
    cells[Number] = number;
    cells[Frequency] = frequency;
    cells[Mode] = mode;
    return cells;
}

// The bytes of record `channel` (from 1) in an image of `length`-byte records.
std::string RecordAt(const std::string& image, int channel, int length) {
    return image.substr(static_cast<std::size_t>((channel - 1) * length),
                        static_cast<std::size_t>(length));
}

}  // namespace

class TestG3mFile : public QObject {
    Q_OBJECT

private slots:
    void growsWithZerosAndKeepsOtherBytes();
    void laterRowWithSameChannelWins();
    void countsAndReportsInRowOrder();
    void startupTableWritesNothing();
    void recordsOfEveryModelAreWritten();
    void newFileMatchesGolden();
    void savingKeepsRecordsBeyondTheTable();
    void unreadableOrUnwritablePathIsAnError();
};

void TestG3mFile::growsWithZerosAndKeepsOtherBytes() {
    MemoryTable table = MemoryTable::ImportLayout();
    table.AppendRow(Channel("5"));
    table.AppendRow(Channel("2"));
    std::string image(3 * 84, '\xEE');

    const G3mSaveReport report = PlaceRecords(table, "303", image);
    QCOMPARE(report.recordsWritten, 2);
    QCOMPARE(image.size(), std::size_t{5 * 84});
    QCOMPARE(RecordAt(image, 1, 84), std::string(84, '\xEE'));
    QCOMPARE(RecordAt(image, 2, 84).substr(0, 2), std::string("\x02\x00", 2));
    QCOMPARE(RecordAt(image, 3, 84), std::string(84, '\xEE'));
    QCOMPARE(RecordAt(image, 4, 84), std::string(84, '\0'));
    QCOMPARE(RecordAt(image, 5, 84).substr(0, 8),
             std::string("\x05\x00\x00\x00\x60\x56\x6C\x00", 8));

    // An image longer than the records reach never shrinks.
    MemoryTable first = MemoryTable::ImportLayout();
    first.AppendRow(Channel("1"));
    PlaceRecords(first, "303", image);
    QCOMPARE(image.size(), std::size_t{5 * 84});
    QCOMPARE(RecordAt(image, 3, 84), std::string(84, '\xEE'));
}

void TestG3mFile::laterRowWithSameChannelWins() {
    MemoryTable table = MemoryTable::ImportLayout();
    table.AppendRow(Channel("3", "1000"));
    table.AppendRow(Channel("3", "2000"));
    std::string image;
    const G3mSaveReport report = PlaceRecords(table, "313", image);
    QCOMPARE(report.recordsWritten, 2);
    QCOMPARE(image.size(), std::size_t{3 * 92});
    QCOMPARE(RecordAt(image, 3, 92).substr(4, 4), std::string("\xD0\x07\x00\x00", 4));
}

void TestG3mFile::countsAndReportsInRowOrder() {
    MemoryTable table = MemoryTable::ImportLayout();
    table.AppendRow(Channel("1"));
    table.AppendRow(Channel("abc"));
    table.AppendRow(Channel("2", "7100000", "usb"));
    table.AppendRow(Channel(""));
    std::string image;
    const G3mSaveReport report = PlaceRecords(table, "313", image);

    QCOMPARE(report.recordsWritten, 2);
    QCOMPARE(report.rowsNotWritten, 2);
    QStringList lines;
    for (const Diagnostic& problem : report.problems) {
        lines << QString::fromStdString(problem.ToString());
    }
    QCOMPARE(lines,
             QStringList({
                 R"(row 2: Number "abc" is not a channel number from 1 to 65535; row not written)",
                 R"(row 3: Mode "usb" is not a known mode; written as 0)",
                 R"(row 4: Number "" is not a channel number from 1 to 65535; row not written)",
             }));
}

void TestG3mFile::startupTableWritesNothing() {
    // The 49 empty rows the window starts with hold no channel number.
    std::string image;
    const G3mSaveReport report = PlaceRecords(MemoryTable::StartupLayout(), "313", image);
    QCOMPARE(report.recordsWritten, 0);
    QCOMPARE(report.rowsNotWritten, kStartupRowCount - 1);
    QVERIFY(image.empty());
}

void TestG3mFile::recordsOfEveryModelAreWritten() {
    // Without a model the records are 92 bytes long; nothing is silently left out.
    MemoryTable table(kStartupColumnCount);
    table.AppendRow({"2", "7100000"});
    std::string image;
    const G3mSaveReport report = PlaceRecords(table, "", image);
    QCOMPARE(report.recordsWritten, 1);
    QCOMPARE(image.size(), std::size_t{2 * 92});
    QCOMPARE(image.substr(92, 2), std::string("\x02\x00", 2));
}

void TestG3mFile::newFileMatchesGolden() {
    MemoryTable table = MemoryTable::ImportLayout();
    MemoryTable::Row cells(kImportedColumnCount);
    cells[Number] = "5";
    cells[Frequency] = "14000000";
    cells[Bandwidth] = "2400";
    cells[IfShift] = "-1500";
    cells[LevelSquelch] = "-100";
    cells[Mode] = "USB";
    cells[Callsign] = "ABC";
    cells[Comments] = "Test";
    table.AppendRow(cells);

    QTemporaryDir dir;
    const std::string path = dir.filePath("new.g3m").toStdString();
    const Result<G3mSaveReport> saved = SaveG3mFile(path, table, "313");
    QVERIFY(saved.ok());
    QCOMPARE(saved->recordsWritten, 1);
    const auto golden = ReadWholeFile(CORVALEN_TEST_DATA_DIR "/g3m/channel5_313.g3m");
    QVERIFY(golden.ok());
    QCOMPARE(QByteArray::fromStdString(*ReadWholeFile(path)).toHex(' '),
             QByteArray::fromStdString(*golden).toHex(' '));
}

void TestG3mFile::savingKeepsRecordsBeyondTheTable() {
    // A file of 100 records saved from a table of channels 1 to 10 keeps records 11 to 100.
    QTemporaryDir dir;
    const std::string path = dir.filePath("memory.g3m").toStdString();
    std::string old(100 * 84, '\0');
    for (std::size_t i = 0; i < old.size(); ++i) {
        old[i] = static_cast<char>(i * 7);
    }
    QVERIFY(WriteFileAtomically(path, old).ok());

    MemoryTable table = MemoryTable::ImportLayout();
    for (int channel = 1; channel <= 10; ++channel) {
        table.AppendRow(Channel(std::to_string(channel).c_str()));
    }
    const Result<G3mSaveReport> saved = SaveG3mFile(path, table, "303");
    QVERIFY(saved.ok());
    const std::string now = *ReadWholeFile(path);
    QCOMPARE(now.size(), old.size());
    QVERIFY(now.substr(10 * 84) == old.substr(10 * 84));
    QCOMPARE(RecordAt(now, 10, 84).substr(0, 2), std::string("\x0A\x00", 2));
}

void TestG3mFile::unreadableOrUnwritablePathIsAnError() {
    QTemporaryDir dir;
    MemoryTable table = MemoryTable::ImportLayout();
    table.AppendRow(Channel("1"));

    // A folder where the file should be cannot be read as the old file.
    const std::string folder = dir.filePath("folder.g3m").toStdString();
    QVERIFY(QDir().mkpath(QString::fromStdString(folder)));
    const Result<G3mSaveReport> onFolder = SaveG3mFile(folder, table, "313");
    QVERIFY(!onFolder.ok());
    QVERIFY(onFolder.error().message.find(folder) != std::string::npos);

    const std::string missing = dir.filePath("no/such/folder/x.g3m").toStdString();
    const Result<G3mSaveReport> inMissing = SaveG3mFile(missing, table, "313");
    QVERIFY(!inMissing.ok());
    QVERIFY(inMissing.error().message.find(missing) != std::string::npos);
}

QTEST_GUILESS_MAIN(TestG3mFile)
#include "tst_g3mfile.moc"

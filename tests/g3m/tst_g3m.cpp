#include <QtTest>

#include <cstdint>
#include <vector>

#include "TestData.h"
#include "g3m/G3mFile.h"
#include "g3m/MemoryRecord.h"
#include "g3m/RecordChecksum.h"
#include "io/SafeFile.h"

using namespace corvalen;

namespace {

using Cells = std::vector<std::string>;

// The example channel 5 of a "313" receiver and its record, byte for byte.
Cells ExampleRow() {
    Cells cells(kImportedColumnCount);
    cells[Number] = "5", cells[Frequency] = "14000000", cells[Bandwidth] = "2400";
    cells[IfShift] = "-1500", cells[LevelSquelch] = "-100", cells[Mode] = "USB";
    cells[Callsign] = "ABC", cells[Comments] = "Test", cells[Priority] = "1";
    return cells;
}
const QByteArray kExampleRecord = QByteArray::fromHex(
    "05 00 00 00 80 9F D5 00 00 00 00 00 00 00 00 00"
    "00 00 00 00 00 00 00 00 00 00 00 00 9C FF FF FF"
    "05 00 00 00 41 42 43 00 00 00 00 00 00 00 00 00"
    "54 65 73 74 00 00 00 00 00 00 00 00 00 00 00 00"
    "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
    "3F 4A 8C 75 24 FA FF FF 60 09 00 00");

struct Encoded {
    std::uint16_t channel = 0;
    QByteArray record;
    QStringList problems;
};

// Starts from a record full of 0xAA, so a byte the encoder forgets to write shows.
Encoded Encode(const Cells& cells, std::string_view model, int row = 1) {
    std::vector<std::uint8_t> record(static_cast<std::size_t>(RecordLengthFor(model)), 0xAA);
    std::vector<Diagnostic> problems;
    Encoded out;
    out.channel = WriteMemoryRecord(cells, model, record, row, problems);
    out.record = QByteArray(reinterpret_cast<const char*>(record.data()), qsizetype(record.size()));
    for (const Diagnostic& problem : problems) {
        out.problems << QString::fromStdString(problem.ToString());
    }
    return out;
}

MemoryTable TableOf(std::initializer_list<Cells> rows) {
    MemoryTable table = MemoryTable::ImportLayout();
    for (const Cells& row : rows) {
        table.AppendRow(row);
    }
    return table;
}

QByteArray Hex(std::string_view bytes) {
    return QByteArray(bytes.data(), qsizetype(bytes.size())).toHex(' ');
}

}  // namespace

class TestG3m : public QObject {
    Q_OBJECT

private slots:
    void checksum_data() {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QString>("text");
        // The checksum word's own old content (here DE AD BE EF) never counts.
        QTest::newRow("303 example") << QByteArray::fromHex("01000000 809FD500") +
                                            QByteArray(72, 0) + QByteArray::fromHex("DEADBEEF")
                                     << "00D59F81";
        QTest::newRow("313 example wraps")
            << QByteArray::fromHex("02") + QByteArray(87, 0) + QByteArray::fromHex("FFFFFFFF")
            << "00000001";
        QTest::newRow("22 words of FFFFFFFF") << QByteArray(92, '\xFF') << "FFFFFFEA";
    }
    void checksum() {
        QFETCH(QByteArray, record);
        QFETCH(QString, text);
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(record.constData());
        const std::uint32_t sum = ComputeRecordChecksum({bytes, std::size_t(record.size())});
        QCOMPARE(QString::fromStdString(ChecksumText(sum)), text);
    }

    void workedExamples() {
        Encoded out = Encode(ExampleRow(), "313");
        QCOMPARE(out.channel, 5);
        QCOMPARE(out.record.toHex(' '), kExampleRecord.toHex(' '));
        QVERIFY(out.problems.isEmpty());

        // "303": 84 bytes, IF shift and bandwidth neither written nor summed.
        out = Encode(ExampleRow(), "303");
        QCOMPARE(out.record.toHex(' '), kExampleRecord.left(80).toHex(' ') + " bb 46 8c 75");
        QVERIFY(out.problems.isEmpty());
    }

    void field_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("problem");  // what row 7 reports, empty for nothing
        const auto row = [](const char* name, int column, const QString& text, int offset,
                            const QByteArray& hex, const QString& problem = {},
                            const char* model = "313") {
            QTest::newRow(name) << model << column << text << offset << QByteArray::fromHex(hex)
                                << (problem.isEmpty() ? problem : "row 7: " + problem);
        };
        row("number with blanks", Number, " 12 ", 0, "0C 00 00 00");
        row("frequency, fraction cut", Frequency, "7100000.9", 4, "60 56 6C 00");
        row("frequency with unit", Frequency, "14.2MHz", 4, "00 00 00 00",
            R"(Frequency "14.2MHz" is not a frequency from 0 to 4294967295; written as 0)");
        row("frequency too big", Frequency, "4294967296", 4, "00 00 00 00",
            R"(Frequency "4294967296" is not a frequency from 0 to 4294967295; written as 0)");
        row("groups 3 and 10", Groups, "3+10", 11, "00 40 20 00");
        row("groups 1 and 2", Groups, "1+2", 11, "00 00 C0 00");
        row("groups 16, 8, 9", Groups, "16+8+9", 11, "00 81 01 00");
        row("group halves to even", Groups, "2.5+3.5+", 11, "00 00 50 00");
        row("groups outside", Groups, "0+3+x", 11, "00 00 20 00",
            R"(Groups "0+3+x" holds "0", "x", which are not group numbers from 1 to 16; ignored)");
        row("hot key", Hotkey, " 7 ", 20, "07 00 00 00");
        row("hot key text", Hotkey, "F1", 20, "00 00 00 00",
            R"(Hotkey "F1" is not a whole number from 0 to 4294967295; written as 0)");
        row("lockout", Lockout, "4294967295", 24, "FF FF FF FF");
        row("squelch rounded down", LevelSquelch, "-100.5", 28, "9B FF FF FF");
        row("squelch empty", LevelSquelch, "", 28, "00 00 FF FF");
        row("squelch huge", LevelSquelch, "1e300", 28, "00 00 FF FF",
            R"(Level Squelch "1e300" is not a number; read as 1e+300)");
        row("squelch with unit", LevelSquelch, "-1dB", 28, "FF FF FF FF",
            R"(Level Squelch "-1dB" is not a number; read as -1)");
        row("mode", Mode, "ISB", 32, "0E 00 00 00");
        row("mode lower case", Mode, "usb", 32, "00",
            R"(Mode "usb" is not a known mode; written as 0)");
        row("callsign cut", Callsign, "ABCDEFGHIJKLMN", 36,
            "41 42 43 44 45 46 47 48 49 4A 4B 4C 00",
            R"(Callsign "ABCDEFGHIJKLMN" is longer than 12 characters; written as its first 12 )"
            "characters");
        row("callsign Windows-1252", Callsign, "é€ x", 36, "E9 80 20 78 00");
        row("callsign no byte", Callsign, "Ω1", 36, "3F 31 00",
            R"(Callsign "Ω1" has characters with no Windows-1252 byte; written with "?" for them)");
        row("comment ends in zero", Comments, QString(31, 'c'), 48,
            QByteArray(31, 'c').toHex() + "00");
        row("IF shift halves to even", IfShift, "-1500.5", 84, "24 FA FF FF");
        row("IF shift too big", IfShift, "2147483648", 84, "00 00 00 00",
            R"(IF Shift "2147483648" is not a number from -2147483648 to 2147483647; written as 0)");
        row("bandwidth empty", Bandwidth, "", 88, "00 00 00 00");
        row("bandwidth without model", Bandwidth, "2400", 88, "00 00 00 00", {}, "");
        row("bandwidth ignored by 303", Bandwidth, "x", 80, "", {}, "303");
    }
    void field() {
        QFETCH(QString, model);
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(int, offset);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, problem);
        Cells cells(kImportedColumnCount);
        cells[Number] = "1", cells[Frequency] = "0";
        cells[std::size_t(column)] = text.toStdString();
        const Encoded out = Encode(cells, model.toStdString(), 7);
        QVERIFY(out.channel != 0);
        QCOMPARE(out.record.mid(offset, bytes.size()).toHex(' '), bytes.toHex(' '));
        QCOMPARE(out.problems, problem.isEmpty() ? QStringList() : QStringList(problem));
        // Whatever the cells hold, the checksum covers the record as written.
        const auto* data = reinterpret_cast<const std::uint8_t*>(out.record.constData());
        QCOMPARE(qFromLittleEndian<quint32>(data + 80),
                 ComputeRecordChecksum({data, std::size_t(out.record.size())}));
    }

    void rowWithoutChannelNumber_data() {
        QTest::addColumn<QString>("number");
        for (const char* text : {"", "0", "12.7", "65536", "-3", "abc"}) {
            QTest::newRow(*text ? text : "empty") << text;
        }
    }
    void rowWithoutChannelNumber() {
        QFETCH(QString, number);
        Cells cells = ExampleRow();
        cells[Number] = number.toStdString();
        cells[Mode] = "bad";  // not reported: the row is left out anyway
        const Encoded out = Encode(cells, "313", 4);
        QCOMPARE(out.channel, 0);
        const QString expected = R"(row 4: Number "%1" is not a channel number from 1 to 65535; )"
                                 "row not written";
        QCOMPARE(out.problems, QStringList(expected.arg(number)));
    }

    void placeRecords() {
        // Grows with zeros, keeps bytes no record covers, later rows win, reports in row order.
        std::string image(3 * 84, '\xEE');
        MemoryTable table = TableOf({{"5", "1"}, {"x", "1"}, {"2", "1"}, {"2", "2"}});
        table.SetCellText(4, Mode, "usb");
        G3mSaveReport report = PlaceRecords(table, "303", image);
        QCOMPARE(report.recordsWritten, 3);
        QCOMPARE(report.rowsNotWritten, 1);
        QCOMPARE(image.size(), std::size_t(5 * 84));
        QCOMPARE(image.substr(0, 84), std::string(84, '\xEE'));
        QCOMPARE(Hex(image.substr(84, 8)), QByteArray("02 00 00 00 02 00 00 00"));
        QCOMPARE(image.substr(2 * 84, 84), std::string(84, '\xEE'));
        QCOMPARE(image.substr(3 * 84, 84), std::string(84, '\0'));
        QCOMPARE(Hex(image.substr(4 * 84, 2)), QByteArray("05 00"));
        QCOMPARE(report.problems.size(), std::size_t(2));
        QCOMPARE(report.problems[0].number, 2);
        QCOMPARE(report.problems[1].number, 4);

        QCOMPARE(PlaceRecords(TableOf({{"1", "1"}}), "303", image).recordsWritten, 1);
        QCOMPARE(image.size(), std::size_t(5 * 84));  // never shrinks

        // Without a model, and before an import (ten columns), records are 92 bytes long.
        MemoryTable startup = MemoryTable::StartupLayout();
        startup.SetCellText(3, Number, "2");
        startup.SetCellText(3, Groups, "2");
        std::string fresh;
        report = PlaceRecords(startup, "", fresh);
        QCOMPARE(report.recordsWritten, 1);
        QCOMPARE(report.rowsNotWritten, kStartupRowCount - 2);
        QCOMPARE(fresh.size(), std::size_t(2 * 92));
        QCOMPARE(Hex(fresh.substr(92, 16)),
                 QByteArray("02 00 00 00 00 00 00 00 00 00 00 00 00 40 00 00"));
    }

    void saveG3mFile() {
        QTemporaryDir dir;
        const std::string path = dir.filePath("memory.g3m").toStdString();
        QVERIFY(SaveG3mFile(path, TableOf({ExampleRow()}), "313").ok());
        QCOMPARE(Hex(*ReadWholeFile(path)),
                 Hex(*ReadWholeFile(CORVALEN_TEST_DATA_DIR "/g3m/channel5_313.g3m")));

        // Saving channel 1 over a longer file updates it in place and keeps the rest.
        const std::string old(3 * 84, '\xEE');
        QVERIFY(WriteFileAtomically(path, old).ok());
        const MemoryTable table = TableOf({{"1", "7100000"}});
        QCOMPARE(SaveG3mFile(path, table, "303")->recordsWritten, 1);
        const std::string now = *ReadWholeFile(path);
        QCOMPARE(Hex(now.substr(0, 2)), QByteArray("01 00"));
        QVERIFY(now.substr(84) == old.substr(84));

        // An existing file that cannot be read, or a place that cannot be written, is an error
        // that names the path.
        for (const QString& bad : {dir.path(), dir.filePath("no/folder/x.g3m")}) {
            const auto saved = SaveG3mFile(bad.toStdString(), table, "303");
            QVERIFY(!saved.ok());
            QVERIFY(QString::fromStdString(saved.error().message).contains(bad));
        }
    }
};

QTEST_GUILESS_MAIN(TestG3m)
#include "tst_g3m.moc"

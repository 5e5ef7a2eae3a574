#include <QtTest>

#include <cstdint>
#include <string>
#include <vector>

#include "g3m/MemoryRecord.h"
#include "g3m/RecordChecksum.h"
#include "table/Columns.h"

using namespace corvalen;

namespace {

using Cells = std::vector<std::string>;

// The worked example row: channel 5 of a "313" receiver.
Cells ExampleRow() {
    Cells cells(kImportedColumnCount);
    cells[Number] = "5";
    cells[Frequency] = "14000000";
    cells[Bandwidth] = "2400";
    cells[IfShift] = "-1500";
    cells[LevelSquelch] = "-100";
    cells[Mode] = "USB";
    cells[Callsign] = "ABC";
    cells[Comments] = "Test";
    cells[Priority] = "1";  // has no place in the record
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
    std::vector<Diagnostic> problems;
};

// Encodes into a record full of 0xAA, so any byte the encoder forgets to write shows.
Encoded Encode(const Cells& cells, const std::string& model, int row = 1) {
    Encoded out;
    std::vector<std::uint8_t> record(static_cast<std::size_t>(RecordLengthFor(model)), 0xAA);
    out.channel = WriteMemoryRecord(cells, model, record, row, out.problems);
    out.record = QByteArray(reinterpret_cast<const char*>(record.data()),
                            static_cast<qsizetype>(record.size()));
    return out;
}

QStringList Messages(const std::vector<Diagnostic>& problems) {
    QStringList messages;
    for (const Diagnostic& problem : problems) {
        messages << QString::fromStdString(problem.message);
    }
    return messages;
}

}  // namespace

class TestMemoryRecord : public QObject {
    Q_OBJECT

private slots:
    void workedExample313();
    void sameRowAs303();
    void recordLengthFollowsModel_data();
    void recordLengthFollowsModel();
    void field_data();
    void field();
    void rowWithoutChannelNumber_data();
    void rowWithoutChannelNumber();
    void startupRowWithTenCells();
};

void TestMemoryRecord::workedExample313() {
    const Encoded out = Encode(ExampleRow(), "313");
    QCOMPARE(out.channel, std::uint16_t{5});
    QCOMPARE(out.record.toHex(' '), kExampleRecord.toHex(' '));
    QVERIFY(out.problems.empty());
}

void TestMemoryRecord::sameRowAs303() {
    // 84 bytes: the IF shift and bandwidth cells have no place, so they neither appear nor
    // count in the checksum (the example's checksum less -1500 and 2400).
    const Encoded out = Encode(ExampleRow(), "303");
    QCOMPARE(out.record.size(), 84);
    QCOMPARE(out.record.left(80).toHex(' '), kExampleRecord.left(80).toHex(' '));
    QCOMPARE(out.record.mid(80).toHex(' '), QByteArray("bb 46 8c 75"));
    QVERIFY(out.problems.empty());
}

void TestMemoryRecord::recordLengthFollowsModel_data() {
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("length");
    QTest::newRow("303") << "303" << 84;
    QTest::newRow("313") << "313" << 92;
    QTest::newRow("no model yet") << "" << 92;
    QTest::newRow("303 with blank") << "303 " << 92;
    QTest::newRow("other receiver") << "305" << 92;
}

void TestMemoryRecord::recordLengthFollowsModel() {
    QFETCH(QString, model);
    QFETCH(int, length);
    QCOMPARE(RecordLengthFor(model.toStdString()), length);
    // A record is written in every model, the empty one included.
    const Encoded out = Encode(ExampleRow(), model.toStdString());
    QCOMPARE(out.channel, std::uint16_t{5});
    QCOMPARE(out.record.size(), length);
    if (model != "313" && length == 92) {
        QCOMPARE(out.record.mid(84), QByteArray(8, '\0'));  // IF shift and bandwidth unfilled
    }
}

void TestMemoryRecord::field_data() {
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("problem");  // exact message, or empty for none

    const auto row = [](const char* name, int column, const QString& text, int offset,
                        const QByteArray& hex, const QString& problem = {},
                        const char* model = "313") {
        QTest::newRow(name) << QString(model) << column << text << offset
                            << QByteArray::fromHex(hex) << problem;
    };
    row("number 12", Number, "12", 0, "0C 00 00 00");
    row("number with blanks", Number, " 12 ", 0, "0C 00");
    row("number 65535", Number, "65535", 0, "FF FF 00 00");

    row("frequency", Frequency, "7100000", 4, "60 56 6C 00");
    row("frequency fraction cut", Frequency, "7100000.9", 4, "60 56 6C 00");
    row("frequency top", Frequency, "4294967295", 4, "FF FF FF FF");
    row("frequency with unit", Frequency, "14.2MHz", 4, "00 00 00 00",
        R"(Frequency "14.2MHz" is not a frequency from 0 to 4294967295; written as 0)");
    row("frequency too big", Frequency, "4294967296", 4, "00 00 00 00",
        R"(Frequency "4294967296" is not a frequency from 0 to 4294967295; written as 0)");
    row("frequency negative", Frequency, "-5", 4, "00 00 00 00",
        R"(Frequency "-5" is not a frequency from 0 to 4294967295; written as 0)");
    row("frequency empty", Frequency, "", 4, "00 00 00 00",
        R"(Frequency "" is not a frequency from 0 to 4294967295; written as 0)");

    row("groups empty", Groups, "", 11, "00 00 00 00");
    row("groups 3 and 10", Groups, "3+10", 11, "00 40 20 00");
    row("group 1 alone", Groups, "1", 11, "00 00 80 00");
    row("groups 1 and 2", Groups, "1+2", 11, "00 00 C0 00");
    row("groups 8 9 16", Groups, "16+8+9", 11, "00 81 01 00");
    row("group 2.5 to even", Groups, "2.5", 11, "00 00 40 00");
    row("group 3.5 to even", Groups, "3.5", 11, "00 00 10 00");
    row("group with text", Groups, "4abc", 11, "00 00 10 00");
    row("blank pieces", Groups, "3++ +", 11, "00 00 20 00");
    row("groups outside", Groups, "0+3+17", 11, "00 00 20 00",
        R"(Groups "0+3+17" holds "0", "17", which are not group numbers from 1 to 16; ignored)");
    row("group not a number", Groups, "3+ x", 11, "00 00 20 00",
        R"(Groups "3+ x" holds " x", which is not a group number from 1 to 16; ignored)");

    row("hot key", Hotkey, " 7 ", 20, "07 00 00 00");
    row("hot key empty", Hotkey, "", 20, "00 00 00 00");
    row("hot key text", Hotkey, "F1", 20, "00 00 00 00",
        R"(Hotkey "F1" is not a whole number from 0 to 4294967295; written as 0)");
    row("lockout", Lockout, "4294967295", 24, "FF FF FF FF");
    row("lockout too big", Lockout, "4294967296", 24, "00 00 00 00",
        R"(Lockout "4294967296" is not a whole number from 0 to 4294967295; written as 0)");

    row("squelch -100", LevelSquelch, "-100", 28, "9C FF FF FF");
    row("squelch -1", LevelSquelch, "-1", 28, "FF FF FF FF");
    row("squelch empty", LevelSquelch, "", 28, "00 00 FF FF");
    row("squelch rounded down", LevelSquelch, "-100.5", 28, "9B FF FF FF");
    row("squelch -65536", LevelSquelch, "-65536", 28, "00 00 FF FF");
    row("squelch positive", LevelSquelch, "65537", 28, "01 00 FF FF");
    row("squelch huge", LevelSquelch, "1e300", 28, "00 00 FF FF",
        R"(Level Squelch "1e300" is not a number; read as 1e+300)");
    row("squelch with unit", LevelSquelch, "-100dB", 28, "9C FF FF FF",
        R"(Level Squelch "-100dB" is not a number; read as -100)");

    row("mode USB", Mode, "USB", 32, "05 00 00 00");
    row("mode ISB", Mode, "ISB", 32, "0E");
    row("mode empty", Mode, "", 32, "00");
    row("mode lower case", Mode, "usb", 32, "00",
        R"(Mode "usb" is not a known mode; written as 0)");
    row("mode leading blank", Mode, " USB", 32, "00",
        R"(Mode " USB" is not a known mode; written as 0)");

    row("callsign short", Callsign, "ABC", 36, "41 42 43 00 00 00 00 00 00 00 00 00 00");
    row("callsign cut", Callsign, "ABCDEFGHIJKLMNOPQRST", 36,
        "41 42 43 44 45 46 47 48 49 4A 4B 4C 00",
        R"(Callsign "ABCDEFGHIJKLMNOPQRST" is longer than 12 characters; written as its )"
        "first 12 characters");
    row("callsign Windows-1252", Callsign, QString::fromUtf8("é€ x"), 36, "E9 80 20 78 00");
    row("callsign no byte", Callsign, QString::fromUtf8("Ω1"), 36, "3F 31 00",
        QString::fromUtf8(R"(Callsign "Ω1" has characters with no Windows-1252 byte; )"
                          R"(written with "?" for them)"));
    row("comment cut, ends in zero", Comments, QString(40, 'c'), 48,
        QByteArray(31, 'c').toHex() + "00",
        QString(R"(Comments "%1" is longer than 31 characters; written as its first 31 )"
                "characters")
            .arg(QString(40, 'c')));

    row("IF shift", IfShift, "-1500", 84, "24 FA FF FF");
    row("IF shift half to even", IfShift, "-1500.5", 84, "24 FA FF FF");
    row("IF shift 2.5", IfShift, "2.5", 84, "02 00 00 00");
    row("IF shift empty", IfShift, "", 84, "00 00 00 00");
    row("IF shift lowest", IfShift, "-2147483648", 84, "00 00 00 80");
    row("IF shift too big", IfShift, "2147483648", 84, "00 00 00 00",
        R"(IF Shift "2147483648" is not a number from -2147483648 to 2147483647; written as 0)");
    row("bandwidth", Bandwidth, "2400", 88, "60 09 00 00");
    row("bandwidth text", Bandwidth, "2.4k", 88, "00 00 00 00",
        R"(Bandwidth "2.4k" is not a number from -2147483648 to 2147483647; written as 0)");
    row("bandwidth ignored by 303", Bandwidth, "2.4k", 80, "", {}, "303");
    row("bandwidth ignored without model", Bandwidth, "2400", 88, "00 00 00 00", {}, "");
}

void TestMemoryRecord::field() {
    QFETCH(QString, model);
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(int, offset);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, problem);

    Cells cells(kImportedColumnCount);
    cells[Number] = "1";
    cells[Frequency] = "0";
    cells[static_cast<std::size_t>(column)] = text.toStdString();
    const Encoded out = Encode(cells, model.toStdString(), 7);

    QVERIFY(out.channel != 0);
    QCOMPARE(out.record.mid(offset, bytes.size()).toHex(' '), bytes.toHex(' '));
    // Whatever the cells hold, the checksum word covers the record as written.
    const auto* data = reinterpret_cast<const std::uint8_t*>(out.record.constData());
    const std::span<const std::uint8_t> record(data, static_cast<std::size_t>(out.record.size()));
    const std::uint32_t stored =
        data[80] | data[81] << 8 | data[82] << 16 | static_cast<std::uint32_t>(data[83]) << 24;
    QCOMPARE(stored, ComputeRecordChecksum(record));

    QCOMPARE(Messages(out.problems), problem.isEmpty() ? QStringList{} : QStringList{problem});
    for (const Diagnostic& reported : out.problems) {
        QCOMPARE(reported.place, Diagnostic::Place::Row);
        QCOMPARE(reported.number, 7);
        QCOMPARE(reported.column, column);
    }
}

void TestMemoryRecord::rowWithoutChannelNumber_data() {
    QTest::addColumn<QString>("number");
    for (const char* text : {"", " ", "0", "12.7", "70000", "65536", "-3", "abc", "1 2", "+5"}) {
        QTest::newRow(text[0] ? text : "empty") << QString(text);
    }
}

void TestMemoryRecord::rowWithoutChannelNumber() {
    // One number gives both the Number field and the record's place; a row without a usable
    // one is left out and said so, even if its other cells are fine.
    QFETCH(QString, number);
    Cells cells = ExampleRow();
    cells[Number] = number.toStdString();
    cells[Mode] = "bad";
    const Encoded out = Encode(cells, "313", 4);
    QCOMPARE(out.channel, std::uint16_t{0});
    QCOMPARE(out.problems.size(), std::size_t{1});
    const Diagnostic& problem = out.problems.front();
    QCOMPARE(problem.number, 4);
    QCOMPARE(problem.column, int(Number));
    QCOMPARE(QString::fromStdString(problem.message),
             QString(R"(Number "%1" is not a channel number from 1 to 65535; row not written)")
                 .arg(number));
}

void TestMemoryRecord::startupRowWithTenCells() {
    // Before an import rows have ten cells; the rest count as empty.
    const Cells cells = {"3", "7100000", "", "", "", "", "", "", "", "2"};
    const Encoded out = Encode(cells, "303");
    QCOMPARE(out.channel, std::uint16_t{3});
    QCOMPARE(out.record.left(16).toHex(' '),
             QByteArray("03 00 00 00 60 56 6c 00 00 00 00 00 00 40 00 00"));
    QCOMPARE(out.record.mid(28, 4).toHex(' '), QByteArray("00 00 ff ff"));
    QVERIFY(out.problems.empty());
}

QTEST_GUILESS_MAIN(TestMemoryRecord)
#include "tst_memoryrecord.moc"

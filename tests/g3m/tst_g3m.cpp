#include <QtTest>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "../TestTables.h"
#include "../convert/Radix.h"
#include "PlaceRecords.h"
#include "TestData.h"
#include "channel/CellChecks.h"
#include "channel/EditChecks.h"
#include "channel/TableChecks.h"
#include "files/ChannelFiles.h"
#include "g3m/MemoryFile.h"
#include "g3m/MemoryFileReader.h"
#include "g3m/MemoryRecord.h"
#include "g3m/RecordChecksum.h"
#include "io/Messages.h"
#include "io/SafeFile.h"
#include "table/Columns.h"
#include "table/MoveRows.h"

using namespace corvalen;

namespace {

using Cells = std::vector<std::string>;

// The example channel 5 of a "313" receiver; its record is the last of the golden memory file.
Cells ExampleRow() {
    Cells cells(kImportedColumnCount);
    cells[Number] = "5", cells[Frequency] = "14000000", cells[Bandwidth] = "2400";
    cells[IfShift] = "-1500", cells[LevelSquelch] = "-100", cells[Mode] = "USB";
    cells[Callsign] = "ABC", cells[Comments] = "Test", cells[Priority] = "1";
    return cells;
}

struct Encoded {
    std::uint16_t channel = 0;
    QByteArray record;
    QStringList problems;
    int notices = 0;
};

QStringList Problems(const std::vector<Diagnostic>& problems) {
    QStringList lines;
    for (const Diagnostic& problem : problems) {
        lines << QString::fromStdString(DiagnosticLine(problem));
    }
    return lines;
}

// Starts from a record full of 0xAA, so a byte the encoder forgets to write shows.
Encoded Encode(const Cells& cells, ReceiverModel model, int row = 1) {
    std::vector<std::uint8_t> record(model.RecordLength(), 0xAA);
    std::vector<Diagnostic> problems;
    Encoded out;
    const std::vector<std::string_view> views(cells.begin(), cells.end());
    out.channel = WriteMemoryRecord(views, model, record, row, problems);
    out.record = QByteArray(reinterpret_cast<const char*>(record.data()), qsizetype(record.size()));
    out.problems = Problems(problems);
    out.notices = int(NoticeCount(problems));
    return out;
}

MemoryTable TableOf(std::initializer_list<Cells> rows) {
    MemoryTable table = MemoryTable::ImportLayout();
    for (const Cells& row : rows) {
        table.AppendRow(row);
    }
    return table;
}

// What a whole-table check finds, in the order the editor keeps.
std::vector<Diagnostic> Full(const MemoryTable& table) {
    std::vector<Diagnostic> problems = CheckCells(table, ReceiverModel());
    std::stable_sort(problems.begin(), problems.end(),
                     [](const Diagnostic& a, const Diagnostic& b) {
                         return a.number != b.number ? a.number < b.number : a.column < b.column;
                     });
    return problems;
}

QString FirstDifference(const std::vector<Diagnostic>& kept, const std::vector<Diagnostic>& full) {
    const auto [a, b] = std::mismatch(kept.begin(), kept.end(), full.begin(), full.end());
    return QString("kept %1 problems, a full check %2; first differing: %3 / %4")
        .arg(kept.size())
        .arg(full.size())
        .arg(a == kept.end() ? "-" : QString::fromStdString(DiagnosticLine(*a)))
        .arg(b == full.end() ? "-" : QString::fromStdString(DiagnosticLine(*b)));
}

// The problems of each table row.
std::map<int, std::vector<Diagnostic>> ByRow(const std::vector<Diagnostic>& problems) {
    std::map<int, std::vector<Diagnostic>> rows;
    for (const Diagnostic& problem : problems) {
        rows[problem.number].push_back(problem);
    }
    return rows;
}

}  // namespace

class TestMemoryFile : public QObject {
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
        QTest::newRow("24 words of FFFFFFFF") << QByteArray(100, '\xFF') << "FFFFFFE8";
    }
    void checksum() {
        QFETCH(QByteArray, record);
        QFETCH(QString, text);
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(record.constData());
        const std::uint32_t sum = ComputeRecordChecksum({bytes, std::size_t(record.size())});
        QCOMPARE(QString::fromStdString(ChecksumText(sum)), text);
    }

    void workedExamples() {
        const QByteArray reference =
            testing::ReadBytes(CORVALEN_TEST_DATA_DIR "/g3m/channel5_313.g3m").mid(4 * 92);
        Encoded out = Encode(ExampleRow(), "313");
        QCOMPARE(out.channel, 5);
        QCOMPARE(out.record.toHex(' '), reference.toHex(' '));
        QVERIFY(out.problems.isEmpty());

        // "315" (and "305"): 100 bytes, the secondary squelch type and value behind the
        // bandwidth, both summed; "313" and "303" records have no place for them.
        Cells withSecondary = ExampleRow();
        withSecondary[SecondarySquelchType] = "2", withSecondary[SecondarySquelchValue] = "-90";
        for (const ReceiverModel model : {ReceiverModel("315"), ReceiverModel("305")}) {
            out = Encode(withSecondary, model);
            QCOMPARE(out.record.toHex(' '), reference.left(80).toHex(' ') +
                                                " e7 49 8c 75 24 fa ff ff 60 09 00 00 02 00 00 00"
                                                " a6 ff ff ff");
            QVERIFY(out.problems.isEmpty());
        }
        QCOMPARE(Encode(withSecondary, "313").record.toHex(' '), reference.toHex(' '));

        // "303": 84 bytes, IF shift and bandwidth neither written nor summed.
        out = Encode(ExampleRow(), "303");
        QCOMPARE(out.record.toHex(' '), reference.left(80).toHex(' ') + " bb 46 8c 75");
        QVERIFY(out.problems.isEmpty());
    }

    void field_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("bytes");
        // What row 7 reports, empty for nothing; "~" in front marks a notice.
        QTest::addColumn<QString>("problem");
        const auto row = [](const char* name, int column, const QString& text, int offset,
                            const QByteArray& hex, const QString& problem = {},
                            const char* model = "313") {
            QTest::newRow(name) << model << column << text << offset << QByteArray::fromHex(hex)
                                << problem;
        };
        row("number with blanks", Number, " 12 ", 0, "0C 00 00 00");
        // A row without a channel number is no record: nothing else of it is reported.
        for (const char* number : {"", "0", "12.7", "65536", "-3", "abc"}) {
            const QString why =
                *number
                    ? QString(R"(Number "%1" is not a channel number from 1 to 65535)").arg(number)
                    : "Number is empty";
            row(qPrintable("number " + QString(number)), Number, number, 0, "",
                why + "; row not written");
        }
        row("frequency, fraction cut", Frequency, "7100000.9", 4, "60 56 6C 00",
            "~Frequency 7100000.9 Hz is not a whole number; written as 7100000");
        row("frequency, zero fraction", Frequency, "7100000.000", 4, "60 56 6C 00");
        row("frequency with unit", Frequency, "14.2MHz", 4, "00 00 00 00",
            R"(Frequency "14.2MHz" is not a number of Hz; written as 0 Hz)");
        row("frequency too big", Frequency, "4294967296", 4, "00 00 00 00",
            R"(Frequency "4294967296" is above 4294967295 Hz; written as 0 Hz)");
        row("frequency negative", Frequency, "-5", 4, "00 00 00 00",
            R"(Frequency "-5" is below 0 Hz; written as 0 Hz)");
        row("frequency empty", Frequency, "", 4, "00 00 00 00",
            "Frequency is empty; written as 0 Hz");
        row("groups 3 and 10", Groups, "3+10", 11, "00 40 20 00");
        row("groups 1 and 2", Groups, "1+2", 11, "00 00 C0 00");
        row("groups 16, 8, 9", Groups, "16+8+9", 11, "00 81 01 00");
        row("group halves to even", Groups, "2.5+3.5+", 11, "00 00 50 00",
            R"(~Groups "2.5+3.5+" names "2.5", "3.5", which are not whole group numbers; )"
            "written as groups 2, 4");
        row("groups outside", Groups, "0+3+x", 11, "00 00 20 00",
            R"(Groups "0+3+x" names "0", "x", which are not groups from 1 to 16; written as )"
            "group 3");
        row("group zero alone", Groups, "0", 11, "00 00 00 00",
            R"(Groups "0" is not a group from 1 to 16; written as no group)");
        row("group 17 alone", Groups, "17", 11, "00 00 00 00",
            R"(Groups "17" is not a group from 1 to 16; written as no group)");
        row("groups with a zero in front and a plus after", Groups, "03+10+", 11, "00 40 20 00");
        row("group of three digits", Groups, "016+1", 11, "00 01 80 00");
        row("hot key", Hotkey, " 7 ", 20, "07 00 00 00");
        row("hot key text", Hotkey, "F1", 20, "00 00 00 00",
            R"(Hotkey "F1" is not a hot key number (2 to 12 for F2 to F12); written as no hot )"
            "key");
        row("lockout", Lockout, "4294967295", 24, "FF FF FF FF");
        row("lockout text", Lockout, "scan", 24, "00 00 00 00",
            R"(Lockout "scan" is not a sum of lockout flags (1 scan lockout, 2 do not set mode, )"
            "4 do not set squelch); written as no lockout flags");
        row("squelch rounded down", LevelSquelch, "-100.5", 28, "9B FF FF FF",
            "~Level Squelch -100.5 is not a whole number; written as -101");
        row("squelch empty", LevelSquelch, "", 28, "00 00 FF FF");
        row("squelch huge", LevelSquelch, "1e300", 28, "00 00 FF FF",
            R"(Level Squelch "1e300" is not a number; written as 0)");
        row("squelch positive", LevelSquelch, "5", 28, "05 00 FF FF",
            R"(Level Squelch "5" is above 0; written as -65531)");
        row("squelch too low", LevelSquelch, "-65537", 28, "FF FF FF FF",
            R"(Level Squelch "-65537" is too low; written as -1)");
        row("squelch with unit", LevelSquelch, "-1dB", 28, "FF FF FF FF",
            R"(Level Squelch "-1dB" is not a number; written as -1)");
        row("mode", Mode, "ISB", 32, "0E 00 00 00");
        row("mode lower case", Mode, "usb", 32, "00",
            R"(Mode "usb" is not a mode the receiver knows (CW, AM, FM, LSB, USB, AMS, FM3, FM6, )"
            "AMN, DSB, ISB); written as CW");
        row("mode empty", Mode, "", 32, "00", "~Mode is empty; written as CW");
        row("mode with a name's first and last letters", Mode, "LXB", 32, "00",
            R"(Mode "LXB" is not a mode the receiver knows (CW, AM, FM, LSB, USB, AMS, FM3, FM6, )"
            "AMN, DSB, ISB); written as CW");
        row("callsign cut", Callsign, "ABCDEFGHIJKLMN", 36,
            "41 42 43 44 45 46 47 48 49 4A 4B 4C 00",
            "Callsign \"ABCDEFGHIJKLMN\" is longer than 12 characters; written as "
            "\"ABCDEFGHIJKL\"");
        row("callsign Windows-1252", Callsign, "é€ x", 36, "E9 80 20 78 00");
        row("callsign no byte", Callsign, "Ω1", 36, "3F 31 00",
            "Callsign \"Ω1\" has characters a .g3m file cannot hold; written as \"?1\"");
        row("comment ends in zero", Comments, QString(31, 'c'), 48,
            QByteArray(31, 'c').toHex() + "00");
        row("comment cut, no byte", Comments, QString(30, 'c') + "ΩΩ", 48,
            QByteArray(30, 'c').toHex() + "3F 00",
            "Comments \"" + QString(30, 'c') +
                "ΩΩ\" is longer than 31 characters and has characters a .g3m file cannot hold; "
                "written as \"" +
                QString(30, 'c') + "?\"");
        row("IF shift halves to even", IfShift, "-1500.5", 84, "24 FA FF FF",
            "~IF Shift -1500.5 Hz is not a whole number; written as -1500");
        row("IF shift too big", IfShift, "2147483648", 84, "00 00 00 00",
            R"(IF Shift "2147483648" is too large; written as 0 Hz)");
        row("IF shift text", IfShift, "+2k", 84, "00 00 00 00",
            R"(IF Shift "+2k" is not a number of Hz; written as 0 Hz)");
        row("bandwidth fraction", Bandwidth, "2400.5", 88, "60 09 00 00",
            "~Bandwidth 2400.5 Hz is not a whole number; written as 2400");
        row("bandwidth empty", Bandwidth, "", 88, "00 00 00 00",
            "Bandwidth is empty; the channel will be skipped the next time the .csv file is "
            "opened");
        row("bandwidth ignored by 303", Bandwidth, "x", 80, "", {}, "303");
        row("secondary squelch value halves to even", SecondarySquelchValue, "-120.5", 96,
            "88 FF FF FF", "~Secondary squelch value -120.5 is not a whole number; written as -120",
            "315");
        row("secondary squelch value text", SecondarySquelchValue, "off", 96, "00 00 00 00",
            R"(Secondary squelch value "off" is not a number; written as 0)", "305");
        row("secondary squelch ignored by 313", SecondarySquelchType, "x", 92, "", {}, "313");
    }
    void field() {
        QFETCH(QString, model);
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(int, offset);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, problem);
        Cells cells(kImportedColumnCount);
        cells[Number] = "1", cells[Frequency] = "0", cells[Bandwidth] = "2400", cells[Mode] = "CW";
        cells[std::size_t(column)] = text.toStdString();
        const bool notWritten = problem.endsWith("row not written");
        cells[Mode] = notWritten ? "bad" : cells[Mode];
        const Encoded out = Encode(cells, testing::Model(model), 7);
        QCOMPARE(out.channel == 0, notWritten);
        QCOMPARE(out.record.mid(offset, bytes.size()).toHex(' '), bytes.toHex(' '));
        QCOMPARE(out.problems,
                 problem.isEmpty()
                     ? QStringList()
                     : QStringList("row 7: " + QString(problem).remove(QRegularExpression("^~"))));
        QCOMPARE(out.notices, problem.startsWith('~') ? 1 : 0);
        // Whatever the cells hold, the checksum covers the record as written.
        const auto* data = reinterpret_cast<const std::uint8_t*>(out.record.constData());
        QVERIFY(notWritten || qFromLittleEndian<quint32>(data + 80) ==
                                  ComputeRecordChecksum({data, std::size_t(out.record.size())}));
    }

    // The numeric fields and the checksum as a record is described to be built: a field takes
    // its cell's hexadecimal text, padded to the field's digits and stored pair by pair from the
    // field's highest offset down; the checksum is the hexadecimal text of the sum of every
    // other word's value, each word read as its hexadecimal text.
    void fieldsAsTheirHexTextsGive_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<QString>("squelch");
        const auto row = [](const char* model, const char* number, const char* frequency,
                            const char* squelch) {
            QTest::addRow("%s: %s, %s Hz, %s", model, number, frequency, squelch)
                << model << number << frequency << squelch;
        };
        row("313", "5", "14000000", "-100");
        row("313", " 12 ", "7100000.9", "-100.5");
        row("313", "65535", "4294967295", "-65536");
        row("303", "1", "0", "");
        row("303", "256", "255", "0");
        row("315", "4096", "16777216", "-1");
        row("305", "255", "94489", "-255.9");
    }
    void fieldsAsTheirHexTextsGive() {
        QFETCH(QString, model);
        QFETCH(QString, number);
        QFETCH(QString, frequency);
        QFETCH(QString, squelch);
        Cells cells = ExampleRow();
        cells[Number] = number.toStdString(), cells[Frequency] = frequency.toStdString();
        cells[LevelSquelch] = squelch.toStdString();
        const Encoded out = Encode(cells, testing::Model(model));
        QVERIFY(out.channel != 0);
        // The bytes of `decimal`'s hexadecimal text padded to `digits`, the last pair first.
        const auto split = [](const DecimalIn& decimal, std::size_t digits) {
            std::string hex = Dec2Hex(decimal)->hex;
            hex.insert(0, digits - std::min(digits, hex.size()), '0');
            QByteArray bytes;
            for (std::size_t at = hex.size(); bytes.size() < qsizetype(digits / 2); at -= 2) {
                bytes.append(char(*Hex2Dec(hex.substr(at - 2, 2))));
            }
            return bytes.toHex(' ');
        };
        QCOMPARE(out.record.mid(0, 2).toHex(' '), split(number.toStdString(), 4));
        QCOMPARE(out.record.mid(4, 4).toHex(' '), split(frequency.toStdString(), 8));
        const auto level = std::int64_t(std::floor(squelch.toDouble()));
        QCOMPARE(out.record.mid(28, 2).toHex(' '), split(level + 65536, 4));
        double sum = 0;
        for (qsizetype word = 0; word < out.record.size(); word += 4) {
            QByteArray text = out.record.mid(word, 4);
            std::reverse(text.begin(), text.end());
            sum += word == 80 ? 0 : *HexUnsigned2Dbl(text.toHex().toUpper().toStdString());
        }
        QCOMPARE(out.record.mid(80, 4).toHex(' '), split(sum, 8));
    }

    // A file of 140,000 rows, each on a frequency of its own, then a row alike an early row and
    // one alike a late row: both name the earlier row, however large the index has grown.
    void rowsAlikeInALongFile() {
        MemoryTable table = MemoryTable::ImportLayout();
        constexpr int kRows = 140000;
        table.ReserveChannels(kRows + 2);
        Cells cells(kImportedColumnCount);
        cells[Mode] = "AM";
        cells[Bandwidth] = "6000";
        for (int row = 1; row <= kRows; ++row) {
            cells[Number] = std::to_string(row % 65535 + 1);
            cells[Frequency] = std::to_string(1000000 + row);
            table.AppendRow(cells);
        }
        for (const int alike : {2, 139000}) {
            cells[Number] = "7";
            cells[Frequency] = std::to_string(1000000 + alike);
            table.AppendRow(cells);
        }
        QStringList notices;
        for (const Diagnostic& problem : CheckCells(table, "313")) {
            if (problem.kind == MessageKind::FrequencyRepeated) {
                notices << QString::fromStdString(DiagnosticLine(problem));
            }
        }
        QCOMPARE(notices, QStringList({"row 140001: Frequency 1000002 Hz with mode AM is already "
                                       "in row 2",
                                       "row 140002: Frequency 1139000 Hz with mode AM is already "
                                       "in row 139000"}));
    }

    // Problems across rows (a Number used again, however written; a frequency and mode alike,
    // fractions of a Hz included), in the panel's form; each cell's own messages: field.
    void checkCells() {
        const auto ch = [](const char* number, const char* frequency, const char* mode = "USB") {
            Cells cells(kImportedColumnCount);
            cells[Number] = number, cells[Frequency] = frequency, cells[Mode] = mode;
            cells[Bandwidth] = "2400";
            return cells;
        };
        MemoryTable table = TableOf(
            {ch("03", "7100000"), ch("0", "x"), ch("2", "7100000", "usb"), ch("3", "7100000"),
             ch(" 3", "7100000.4"), Cells{}, ch("70000", "1"), ch("8", "9000000", ""),
             ch("9", "9000000", "CW"), ch("10", "9000000", "AM"), ch("11", "7100000", "usb")});
        table.SetCellText(2, Mode, "bad");  // not reported: the row is not written at all
        table.SetCellText(8, Bandwidth, "");
        const std::vector<Diagnostic> problems = CheckCells(table, "303");
        QStringList lines;
        QList<int> notices;
        const MessageTexts& english = CatalogueTexts(Language::English);
        for (const Diagnostic& problem : problems) {
            lines << QString::fromStdString(ProblemLine(problem, english));
            if (problem.IsNotice()) {
                notices << problem.number;
            }
        }
        QCOMPARE(lines, QStringList({
                            R"(row 1, Number: "03" is used again in row 5; only row 5 is written )"
                            "as channel 3",
                            R"(row 2, Number: "0" is not a channel number from 1 to 65535; )"
                            "row not written",
                            R"(row 3, Mode: "usb" is not a mode the receiver knows (CW, AM, FM, )"
                            "LSB, USB, AMS, FM3, FM6, AMN, DSB, ISB); written as CW",
                            R"(row 4, Number: "3" is used again in row 5; only row 5 is written )"
                            "as channel 3",
                            "row 4, Frequency: 7100000 Hz with mode USB is already in row 1",
                            "row 5, Frequency: 7100000.4 Hz is not a whole number; written as "
                            "7100000",
                            "row 5, Frequency: 7100000 Hz with mode USB is already in row 1",
                            R"(row 7, Number: "70000" is not a channel number from 1 to 65535; )"
                            "row not written",
                            "row 8, Bandwidth: is empty; the channel will be skipped the next "
                            "time the .csv file is opened",
                            "row 8, Mode: is empty; written as CW",
                            "row 9, Frequency: 9000000 Hz with mode CW is already in row 8",
                            R"(row 11, Frequency: 7100000 Hz with mode "usb" is already in row 3)",
                            R"(row 11, Mode: "usb" is not a mode the receiver knows (CW, AM, FM, )"
                            "LSB, USB, AMS, FM3, FM6, AMN, DSB, ISB); written as CW",
                        }));
        QCOMPARE(notices, QList<int>({4, 5, 5, 8, 9, 11}));
        QCOMPARE(NoticeCount(problems), std::size_t(6));
        // The converter's form keeps the column name in the message.
        QCOMPARE(DiagnosticLine(problems[9]), "row 8: Mode is empty; written as CW");

        // (CheckCells reads each row's own cells through ReadRecordFields.) Row 6 is empty.
        QVERIFY(IsEmptyRow(table, 6) && !IsEmptyRow(table, 5));
    }

    // A table the window starts with has nothing to say until a row is typed into; a row with
    // a frequency alone needs a Number and a Bandwidth, and a ten-column table has no Mode.
    void startupTable() {
        MemoryTable startup = MemoryTable::StartupLayout();
        QVERIFY(CheckCells(startup, "313").empty());
        startup.SetCellText(4, Frequency, "7100000");
        QCOMPARE(Problems(CheckCells(startup, "313")),
                 QStringList({"row 4: Number is empty; row not written",
                              "row 4: Bandwidth is empty; the channel will be skipped the next "
                              "time the .csv file is opened"}));
        std::vector<Diagnostic> rowProblems;
        const RowTexts cells = RowTextsOf(startup, 4);
        ReadRecordFields(PresentCells(startup, cells), "313", 4, rowProblems);
        QCOMPARE(rowProblems, CheckCells(startup, "313"));
        startup.SetCellText(4, Number, "4");
        startup.SetCellText(4, Bandwidth, "500");
        QVERIFY(CheckCells(startup, "313").empty());
    }

    // A table written as records and read back gives the same cells for every column a record
    // holds; the expected cells are those texts in the form the reader gives them.
    void roundTrip_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QStringList>("written");
        QTest::addColumn<QStringList>("read");
        // Each row for every model; the secondary squelch cells reach "315" records only.
        const auto both = [](const char* name, QStringList written, QStringList read) {
            written[SecondarySquelchType] = "2", written[SecondarySquelchValue] = "-75";
            read[Priority] = "0";  // no record keeps one: read as every save writes it
            QTest::addRow("%s, 313", name) << "313" << written << read;
            QStringList read315 = read;
            read315[SecondarySquelchType] = "2", read315[SecondarySquelchValue] = "-75";
            QTest::addRow("%s, 315", name) << "315" << written << read315;
            read[Bandwidth] = read[IfShift] = "0";
            QTest::addRow("%s, 303", name) << "303" << written << read;
        };
        QStringList plain = testing::CellTexts(TableOf({ExampleRow()}), 1);
        plain[Hotkey] = "3", plain[Lockout] = "1", plain[Priority] = "";
        both("plain", plain, plain);

        QStringList written = plain, read = plain;
        written[Number] = " 12 ", read[Number] = "12";
        written[Hotkey] = written[Lockout] = written[IfShift] = "";
        read[Hotkey] = read[Lockout] = read[IfShift] = "0";
        written[LevelSquelch] = read[LevelSquelch] = "";
        written[Frequency] = "7100000.9", read[Frequency] = "7100000";
        written[Bandwidth] = "2400.5", read[Bandwidth] = "2400";
        both("blanks, empty and fractions", written, read);

        written = read = plain;
        written[Groups] = "16+1+9+1", read[Groups] = "1+9+16";
        both("groups out of order", written, read);
        written[Groups] = read[Groups] = "1+2+3+4+5+6+7+8+9+10+11+12+13+14+15+16";
        both("every group", written, read);

        written = read = testing::RowOf({{Number, "65535"},
                                         {Frequency, "4294967295"},
                                         {Bandwidth, "2147483647"},
                                         {IfShift, "-2147483648"},
                                         {Hotkey, "4294967295"},
                                         {Lockout, "4294967295"},
                                         {LevelSquelch, "-65535"},
                                         {Mode, "ISB"},
                                         {Callsign, "ABCDEFGHIJKL"},
                                         {Comments, QString(31, 'c')}});
        both("largest values, texts at full width", written, read);

        written = read = plain;
        written[Number] = read[Number] = "1";
        written[Frequency] = read[Frequency] = "0";
        written[LevelSquelch] = read[LevelSquelch] = "-1";
        written[Mode] = read[Mode] = "CW";
        written[Callsign] = "Zürich€ cafés", read[Callsign] = "Zürich€ café";
        written[Comments] = QString(40, QChar(0xE9)), read[Comments] = QString(31, QChar(0xE9));
        both("Windows-1252 texts cut to width", written, read);

        for (const char* mode : {"AM", "FM", "LSB", "AMS", "FM3", "FM6", "AMN", "DSB"}) {
            written = read = plain;
            written[Mode] = read[Mode] = mode;
            both(mode, written, read);
        }
    }
    void roundTrip() {
        QFETCH(QString, model);
        QFETCH(QStringList, written);
        QFETCH(QStringList, read);
        MemoryTable table = MemoryTable::ImportLayout();
        Cells cells;
        for (const QString& text : written) {
            cells.push_back(text.toStdString());
        }
        table.AppendRow(cells);
        ByteBuffer image;
        QCOMPARE(PlaceRecords(table, testing::Model(model), image).recordsWritten, 1);

        const MemoryFileReadReport report = DecodeMemoryFileImage(
            std::string_view(image.data(), image.size()), testing::Model(model));
        QCOMPARE(Problems(report.problems), QStringList());
        QCOMPARE(report.table.ChannelCount(), 1);
        QCOMPARE(testing::CellTexts(report.table, 1), read);
    }

    // One field of a record (channel 1 of a "303" file, checksum made to match) read into its
    // cell, and what the reader says about it.
    void decodeField_data() {
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("problem");
        const auto row = [](const char* name, int offset, const char* hex, int column,
                            const QString& cell, const QString& problem = {}) {
            QTest::newRow(name) << offset << QByteArray::fromHex(hex) << column << cell
                                << (problem.isEmpty() ? problem : "record 1: " + problem);
        };
        row("squelch word of an empty cell", 28, "0000FFFF", LevelSquelch, "");
        row("squelch positive", 28, "05000000", LevelSquelch, "5");
        row("frequency above 32 bits", 4, "0000000001000000", Frequency, "4294967296");
        row("groups from both bytes", 12, "8180", Groups, "1+9+16");
        row("unknown mode code", 32, "03", Mode, "3",
            R"(mode code 3 is not a known mode; Mode reads "3")");
        row("number off its place", 0, "07", Number, "7",
            "holds channel number 7 but lies at the place of channel 1");
        row("callsign ends at zero", 36, "41 00 42 43", Callsign, "A",
            "bytes that no column keeps are not zero (offsets 38 to 39); a save writes zeros "
            "there");
        row("byte after the comment", 79, "20", Comments, "",
            "a byte that no column keeps is not zero (offset 79); a save writes zeros there");
        row("unkept bytes", 14, "01 00 00 00 00 02", Number, "1",
            "bytes that no column keeps are not zero (offsets 14 to 19); a save writes zeros "
            "there");
    }
    void decodeField() {
        QFETCH(int, offset);
        QFETCH(QByteArray, bytes);
        QFETCH(int, column);
        QFETCH(QString, cell);
        QFETCH(QString, problem);
        QByteArray record = Encode({"1", "7100000"}, "303").record;
        record.replace(offset, bytes.size(), bytes);
        auto* data = reinterpret_cast<std::uint8_t*>(record.data());
        qToLittleEndian<quint32>(ComputeRecordChecksum({data, 84}), data + 80);

        const MemoryFileReadReport report = DecodeMemoryFileImage(record.toStdString(), "303");
        QCOMPARE(report.table.ChannelCount(), 1);
        QCOMPARE(testing::Cell(report.table, 1, column), cell);
        QCOMPARE(Problems(report.problems),
                 problem.isEmpty() ? QStringList() : QStringList(problem));
    }

    void saveMemoryFileFromTable() {
        QTemporaryDir dir;
        const std::string path = dir.filePath("memory.g3m").toStdString();
        QVERIFY(
            WriteChannelFile(path, TableOf({ExampleRow()}), MemoryFileFormat(), {"313", true, {}})
                .ok());
        QCOMPARE(testing::ReadBytes(dir.filePath("memory.g3m")).toHex(' '),
                 testing::ReadBytes(CORVALEN_TEST_DATA_DIR "/g3m/channel5_313.g3m").toHex(' '));
    }

    // Saving into an existing file counts the old records no row replaced, leaving out the
    // empty (all-zero) places between and after them and a part record at the end.
    void recordsKept_data() {
        // The old file by place: E a record of 0xEE, 0 all zero, F or L all zero but the first or
        // the last byte, p 10 bytes of 0xEE.
        QTest::addColumn<QByteArray>("places");
        QTest::addColumn<QList<int>>("channels");  // saved
        QTest::addColumn<int>("kept");
        QTest::newRow("no old file") << QByteArray() << QList<int>{1} << 0;
        QTest::newRow("records only") << QByteArray("EEE") << QList<int>{1} << 2;
        QTest::newRow("empty places between") << QByteArray("E0E0") << QList<int>{1} << 1;
        QTest::newRow("empty places only") << QByteArray("0000") << QList<int>{2} << 0;
        QTest::newRow("one byte set at either end") << QByteArray("0L0F") << QList<int>{1} << 2;
        QTest::newRow("replaced records are not kept")
            << QByteArray("EEEE") << QList<int>{1, 3} << 2;
        QTest::newRow("an empty place replaced") << QByteArray("0E") << QList<int>{1} << 1;
        QTest::newRow("saved past the end") << QByteArray("E0") << QList<int>{5} << 1;
        QTest::newRow("a part record at the end") << QByteArray("0Ep") << QList<int>{2} << 0;
    }
    void recordsKept() {
        QFETCH(QByteArray, places);
        QFETCH(QList<int>, channels);
        QFETCH(int, kept);
        const ReceiverModel model("303");
        const std::size_t length = model.RecordLength();
        std::string old;
        for (const char place : places) {
            std::string bytes(place == 'p' ? 10 : length, place == '0' ? '\0' : '\xEE');
            if (place == 'F' || place == 'L') {
                bytes.assign(length, '\0');
                bytes[place == 'F' ? 0 : length - 1] = '\x01';
            }
            old += bytes;
        }
        QTemporaryDir dir;
        const std::string path = dir.filePath("memory.g3m").toStdString();
        if (!old.empty()) {
            QVERIFY(WriteFileAtomically(path, old).ok());
        }
        MemoryTable table = MemoryTable::ImportLayout();
        for (const int channel : channels) {
            table.AppendRow({std::to_string(channel), "7100000"});
        }
        const Result<ChannelFileReport> saved =
            WriteChannelFile(path, table, MemoryFileFormat(), {model, true, {}});
        QVERIFY(saved.ok());
        QCOMPARE(saved->recordsWritten, int(channels.size()));
        QCOMPARE(saved->recordsKept, kept);
        // Each row's record is in its channel's place; what no row replaced is still there, byte
        // for byte.
        const std::string now = testing::ReadBytes(dir.filePath("memory.g3m")).toStdString();
        for (std::size_t place = 0; place * length < now.size(); ++place) {
            if (channels.contains(int(place) + 1)) {
                QCOMPARE(int(now[place * length]), int(place) + 1);
            } else if (place * length < old.size()) {
                QVERIFY(now.substr(place * length, length) == old.substr(place * length, length));
            }
        }
    }

    // How a message quotes a cell: as it stands, escaped, or cut after 40 characters; the
    // same whether made alone or added to a message.
    void quotedCells_data() {
        QTest::addColumn<QByteArray>("cell");
        QTest::addColumn<QByteArray>("quoted");
        const auto row = [](const char* name, const QByteArray& cell, const QByteArray& quoted) {
            QTest::newRow(name) << cell << quoted;
        };
        const QByteArray x40(40, 'x');
        const QByteArray omega40 = QByteArray("\xCE\xA9").repeated(40);
        row("empty", "", "\"\"");
        row("plain", "DCF77 Mainflingen", "\"DCF77 Mainflingen\"");
        row("40 characters", x40, "\"" + x40 + "\"");
        row("41 characters", x40 + "x", "\"" + x40 + "...\" (41 characters)");
        row("control characters", "a\tb\r\nc\x01\x7F", "\"a\\tb\\r\\nc\\x01\\x7F\"");
        row("20 letters in UTF-8", omega40.left(40), "\"" + omega40.left(40) + "\"");
        row("40 letters in UTF-8, one past", omega40 + "\xCE\xA9",
            "\"" + omega40 + "...\" (41 characters)");
    }
    void quotedCells() {
        QFETCH(QByteArray, cell);
        QFETCH(QByteArray, quoted);
        const std::string_view text(cell.constData(), std::size_t(cell.size()));
        QCOMPARE(QByteArray::fromStdString(QuotedCell(text)), quoted);
        std::string message = "Callsign ";
        AppendQuotedCellTo(message, text);
        QCOMPARE(QByteArray::fromStdString(message), "Callsign " + quoted);
    }

    // A memory file put a piece at a time, as a save writes one that had no bytes before, holds the
    // same bytes and gives the same report as the whole image: rows in channel order past a piece,
    // then rows out of that order (places already put, channel numbers used again), gaps, and a
    // file with old bytes, which is put whole.
    void piecesAsImage_data() {
        QTest::addColumn<QList<int>>("numbers");
        QTest::addColumn<int>("oldRecords");  // records of an old file: none, or channels 1 to N
        QList<int> inOrder;
        for (int n = 1; n <= 2000; ++n) {
            inOrder << n;
        }
        QTest::newRow("in order") << inOrder << 0;
        QTest::newRow("in order, then late places and numbers again")
            << inOrder + QList<int>{3, 1500, 2000, 2600, 2603, 1, 2603} << 0;
        QTest::newRow("gaps") << QList<int>{5, 900, 1800, 1801, 65535} << 0;
        QTest::newRow("backwards") << QList<int>{2000, 1200, 700, 1} << 0;
        QTest::newRow("old file") << inOrder + QList<int>{2, 2500} << 2100;
    }
    void piecesAsImage() {
        QFETCH(QList<int>, numbers);
        QFETCH(int, oldRecords);
        const MemoryTable table = testing::RowsNumbered(numbers);
        ByteBuffer whole(92 * static_cast<std::size_t>(oldRecords), '\x01');
        ByteBuffer image = whole;
        const MemoryFileSaveReport expected = PlaceRecords(table, "313", whole);
        std::string file;
        bool gap = false;
        RecordPlacer placer("313", image, 0, [&](std::size_t at, std::string_view bytes) {
            gap = gap || at > file.size();
            file.resize(std::max(file.size(), at + bytes.size()));
            file.replace(at, bytes.size(), bytes);
            return Status(Done{});
        });
        for (int row = 1; row < table.RowCount(); ++row) {
            const RowTexts cells = RowTextsOf(table, row);
            placer.Place(PresentCells(table, cells));
        }
        const MemoryFileSaveReport report = placer.Finish();
        QVERIFY(!gap && placer.Written());
        QVERIFY(file == std::string(whole.data(), whole.size()));
        QVERIFY(report.problems == expected.problems);
        QVERIFY(report.rowsReplaced == expected.rowsReplaced);
        QCOMPARE(report.recordsWritten, expected.recordsWritten);
        QCOMPARE(report.recordsKept, expected.recordsKept);
    }

    // Random edits of a table whose values repeat often; after each, the problems kept up to
    // date edit by edit must equal a whole-table check. Row commands of the kinds a step may
    // take, each now and then undone: cells set (as a paste or Set Field does), rows inserted
    // and deleted anywhere, rows moved as a block, and the table sorted. Large tables, whose
    // repeat and alike indexes grow past their first sizes, take a few steps.
    void followsEditsAsAFullCheckWould_data() {
        QTest::addColumn<int>("column");  // the column edited most
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("commands");  // c: cells, i: insert and delete, m: move, s: sort
        QTest::addColumn<int>("channels");
        const auto row = [](const char* name, int column, const QStringList& values,
                            const QString& commands, int channels = 24) {
            QTest::newRow(name) << column << values << commands << channels;
        };
        row("channel numbers", Number, {"1", "2", "3", "03", " 2", "", "x"}, "c");
        row("frequencies", Frequency, {"7005000", "7010000", "7010000.4", "", "abc"}, "c");
        row("modes, known and other", Mode, {"USB", "usb", "AM", "", "WFM", "wfm"}, "c");
        row("groups, no key of a row", Groups, {"1", "1+2", "x", "0", ""}, "c");
        row("rows emptied, inserted and deleted", Callsign, {"", "C1"}, "ci");
        row("rows moved", Number, {"1", "2", "03"}, "cm");
        row("rows sorted", Frequency, {"7005000", ""}, "cs");
        row("every command", Mode, {"USB", "AM", "WFM", ""}, "cims");
        row("4097 channels", Number, {"1", "2", "07"}, "ci", 4097);
        row("20001 channels", Frequency, {"7005000", "7010000.4"}, "c", 20001);
    }
    void followsEditsAsAFullCheckWould() {
        QFETCH(int, column);
        QFETCH(QStringList, values);
        QFETCH(QString, commands);
        QFETCH(int, channels);
        const QStringList numbers{"1", "2", "3", "07", "", "x", "65536", " 3"};
        const QStringList frequencies{"7005000", "7010000", "7010000.4", "", "x", "-5"};
        const QStringList modes{"USB", "AM", "", "WFM", "usb"};
        const QStringList bandwidths{"2400", "2400", ""};
        std::mt19937 random(channels);
        const auto below = [&](int n) { return int(random() % unsigned(n)); };
        const auto pick = [&](const QStringList& list) {
            return list[below(int(list.size()))].toStdString();
        };
        const std::pair<int, const QStringList*> lists[] = {{Number, &numbers},
                                                            {Frequency, &frequencies},
                                                            {Mode, &modes},
                                                            {Bandwidth, &bandwidths}};
        MemoryTable table = testing::Channels(channels);
        for (int r = 1; r < table.RowCount(); ++r) {
            if (below(50) == 0) {
                for (int c = 0; c < table.ColCount(); ++c) {
                    table.SetCellText(r, c, "");
                }
            }
            for (const auto& [c, list] : lists) {
                if (below(4) == 0) {
                    table.SetCellText(r, c, pick(*list));
                }
            }
        }
        // For each row, the row it was at the last check, negated where its cells changed
        // since, in the columns `changed`; 0 for a new row.
        std::vector<int> from;
        ColumnSet changed;
        const auto set = [&](int row, int c, std::string text) {
            table.SetCellText(row, c, std::move(text));
            from[std::size_t(row)] = -std::abs(from[std::size_t(row)]);
            changed.Add(c);
        };
        const auto insert = [&](int at, MemoryTable::Row cells) {
            table.AppendRow(std::move(cells), at);
            from.insert(from.begin() + at, 0);
        };
        const auto reorder = [&](const std::vector<int>& order) {
            table.ReorderRows(order);
            std::vector<int> moved{0};
            for (const int row : order) {
                moved.push_back(from[std::size_t(row)]);
            }
            from = moved;
        };
        std::function<void()> undo;
        EditChecks checks;
        checks.CheckAll(table, ReceiverModel());
        QVERIFY2(checks.Problems() == Full(table),
                 qPrintable(FirstDifference(checks.Problems(), Full(table))));
        for (int step = 0; step < (channels > 24 ? 3 : 400); ++step) {
            from.resize(std::size_t(table.RowCount()));
            std::iota(from.begin(), from.end(), 0);
            changed = ColumnSet();
            const int row = 1 + below(table.ChannelCount());
            const QChar command = commands[below(int(commands.size()))];
            if (undo && below(4) == 0) {
                undo();
                undo = nullptr;
            } else if (command == 'c') {
                const MemoryTable::Row before(table.RowCells(row).begin(),
                                              table.RowCells(row).end());
                const std::pair<int, const QStringList*> edits[] = {{Number, &numbers},
                                                                    {Frequency, &frequencies},
                                                                    {Mode, &modes},
                                                                    {column, &values}};
                const auto& [edited, list] = edits[below(4)];
                set(row, edited, pick(*list));
                undo = [&, row, before] {
                    for (int c = 0; c < table.ColCount(); ++c) {
                        set(row, c, before[std::size_t(c)]);
                    }
                };
                // Now and then every row changes (Set Field, a paste of every row).
                if (below(10) == 0) {
                    for (int r = 1; r < table.RowCount(); ++r) {
                        set(r, column, pick(values));
                    }
                    undo = nullptr;
                }
            } else if (command == 'i' && (below(2) == 0 || table.ChannelCount() < 4)) {
                insert(row, MemoryTable::Row{pick(numbers), pick(frequencies), "2400"});
                undo = [&, row] {
                    table.RemoveRow(row);
                    from.erase(from.begin() + row);
                };
            } else if (command == 'i') {
                MemoryTable::Row cells(table.RowCells(row).begin(), table.RowCells(row).end());
                table.RemoveRow(row);
                from.erase(from.begin() + row);
                undo = [&, row, cells] { insert(row, cells); };
            } else {
                // A block of rows moved elsewhere, or every row sorted by Frequency.
                std::vector<int> order(std::size_t(table.ChannelCount()));
                std::iota(order.begin(), order.end(), 1);
                if (command == 'm') {
                    const int length = 1 + below(std::min(5, int(order.size()) - row + 1));
                    std::rotate(order.begin() + row - 1, order.begin() + row - 1 + length,
                                order.begin() + row - 1 + length +
                                    below(int(order.size()) - row - length + 2));
                } else {
                    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
                        return table.CellText(a, Frequency) < table.CellText(b, Frequency);
                    });
                }
                reorder(order);
                undo = [&, order] { reorder(InverseRowOrder(order)); };
            }
            const std::vector<Diagnostic> before = checks.Problems();
            const bool differ = checks.Update(table, from, ReceiverModel(), changed);
            const std::vector<Diagnostic> full = Full(table);
            QVERIFY2(checks.Problems() == full,
                     qPrintable(QString("step %1: ").arg(step) +
                                FirstDifference(checks.Problems(), full)));
            // The rows said to have new problems are those whose problems differ, no more.
            QCOMPARE(differ, before != full);
            auto was = ByRow(before);
            auto now = ByRow(full);
            std::vector<int> differing;
            for (int r = 1; r < table.RowCount(); ++r) {
                if (was[r] != now[r]) {
                    differing.push_back(r);
                }
            }
            if (differ) {
                QVERIFY(checks.RowsWithNewProblems().has_value());
                QCOMPARE(*checks.RowsWithNewProblems(), differing);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestMemoryFile)
#include "tst_g3m.moc"

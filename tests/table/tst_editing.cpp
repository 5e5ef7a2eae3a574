#include <QtTest>

#include "../TestTables.h"
#include "channel/CellValues.h"
#include "edit/BulkEdit.h"
#include "edit/ChannelRange.h"
#include "io/Messages.h"
#include "table/MoveRows.h"

using namespace corvalen;

namespace {

QString Cell(const MemoryTable& table, int row, int column) {
    return QString::fromStdString(std::string(table.CellText(row, column)));
}

std::vector<int> Ints(const QList<int>& list) {
    return std::vector<int>(list.begin(), list.end());
}

}  // namespace

class TestEditing : public QObject {
    Q_OBJECT

private slots:
    void groups_data() {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<bool>("add");
        QTest::addColumn<int>("group");
        QTest::addColumn<QString>("expected");
        QTest::newRow("add to empty") << "" << true << 5 << "5";
        QTest::newRow("add sorts in") << "1+3" << true << 2 << "1+2+3";
        QTest::newRow("add 16 after 9") << "9+2" << true << 16 << "2+9+16";
        QTest::newRow("add present keeps the cell") << " 3 +1" << true << 3 << " 3 +1";
        QTest::newRow("add keeps odd pieces") << "1+x+20" << true << 4 << "1+x+20+4";
        QTest::newRow("add skips blank pieces") << "2++" << true << 1 << "1+2";
        QTest::newRow("remove middle") << "1+2+3" << false << 2 << "1+3";
        QTest::newRow("remove keeps odd pieces") << "x+ 7 +20" << false << 7 << "x+20";
        QTest::newRow("remove every copy") << "4+4" << false << 4 << "";
        QTest::newRow("remove absent keeps the cell") << "1+ 3" << false << 2 << "1+ 3";
        QTest::newRow("remove does not take 12 for 1") << "12" << false << 1 << "12";
    }
    void groups() {
        QFETCH(QString, cell);
        QFETCH(bool, add);
        QFETCH(int, group);
        QFETCH(QString, expected);
        const std::string text = cell.toStdString();
        const std::string result = add ? WithGroup(text, group) : WithoutGroup(text, group);
        QCOMPARE(QString::fromStdString(result), expected);
    }

    // What a range makes of its texts, the error it is refused with or the notices it gives:
    // rasters that are no whole number of Hz, stops off the raster.
    void readChannelRange_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("stop");
        QTest::addColumn<QString>("step");
        QTest::addColumn<qulonglong>("count");
        QTest::addColumn<qulonglong>("thirdHz");  // rounded to the nearest Hz
        QTest::addColumn<qulonglong>("lastHz");
        QTest::addColumn<QStringList>("said");  // the error, or the notices
        const auto row = [](const char* name, const char* start, const char* stop, const char* step,
                            qulonglong count, qulonglong thirdHz, qulonglong lastHz,
                            const QStringList& said = {}) {
            QTest::newRow(name) << start << stop << step << count << thirdHz << lastHz << said;
        };
        const auto refused = [&row](const char* name, const char* start, const char* stop,
                                    const char* step, const char* error) {
            row(name, start, stop, step, 0, 0, 0, {error});
        };
        row("airband in MHz and kHz", "118", "136.975", "25", 760, 118050000, 136975000);
        row("units written out", "118.000 MHz", "118100 kHz", "8330 Hz", 13, 118016660, 118099960,
            {"Stop \"118100 kHz\" is not on the raster; the last channel is at 118.099960 MHz"});
        row("short units", "7M", "7.2M", "5k", 41, 7010000, 7200000);
        row("one channel", "9.58", "9.58", "5", 1, 9590000, 9580000);
        row("8.33k ends on its stop", "118", "136.975", "8.33k", 2278, 118016667, 136975000,
            {"Step \"8.33k\" is taken as the airband raster of 25/3 kHz (8333.33... Hz); each "
             "channel is rounded to the nearest Hz"});
        row("a fraction", "118", "136.975", "25k/3", 2278, 118016667, 136975000);
        row("8330 Hz misses the stop", "118", "136.975", "8330 Hz", 2278, 118016660, 136967410,
            {"Stop \"136.975\" is not on the raster; the last channel is at 136.967410 MHz"});
        row("a third of a kHz", "118", "118.001", "1k/3", 4, 118000667, 118001000);
        row("stop between steps", "10 kHz", "10.25 kHz", "100 Hz", 3, 10200, 10200,
            {"Stop \"10.25 kHz\" is not on the raster; the last channel is at 0.010200 MHz"});
        refused("step not whole Hz", "118", "137", "8.3333",
                "Step \"8.3333\" is not a whole number of Hz");
        refused("step 0", "1", "2", "0 Hz", "Step \"0 Hz\" is 0 Hz; it must be at least 1 Hz");
        refused("stop below start", "5", "4.9", "1", "Stop \"4.9\" is below start \"5\"");
        refused("start no frequency", "abc", "4", "1",
                "Start \"abc\" is not a frequency: give digits with an optional fraction and the "
                "unit Hz, kHz or MHz (MHz when none is given)");
        refused("stop past 32 bits", "1", "4294.967296 MHz", "1",
                "Stop \"4294.967296 MHz\" is above 4294967295 Hz, the highest frequency a memory "
                "channel holds");
    }
    void readChannelRange() {
        QFETCH(QString, start);
        QFETCH(QString, stop);
        QFETCH(QString, step);
        QFETCH(qulonglong, count);
        QFETCH(qulonglong, thirdHz);
        QFETCH(qulonglong, lastHz);
        QFETCH(QStringList, said);
        const Result<ChannelRange> range =
            ReadChannelRange(start.toStdString(), stop.toStdString(), step.toStdString());
        QStringList sentences;
        for (const Error& error : range ? range->notices : std::vector<Error>{range.error()}) {
            sentences << QString::fromStdString(ErrorSentence(error));
        }
        QCOMPARE(sentences, said);
        if (range) {
            QCOMPARE(qulonglong(range->Count()), count);
            QCOMPARE(qulonglong(range->FrequencyOf(2)), thirdHz);
            QCOMPARE(qulonglong(range->FrequencyOf(range->Count() - 1)), lastHz);
        }
    }

    void makeRangeRows_data() {
        QTest::addColumn<int>("channels");     // rows already in the table
        QTest::addColumn<int>("firstNumber");  // 0: after the highest
        QTest::addColumn<qulonglong>("count");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("bandwidth");
        QTest::addColumn<QStringList>("expected");  // Number/Frequency/Bandwidth/Mode of each
        QTest::addColumn<QString>("error");
        const auto row = [](const char* name, int channels, int firstNumber, qulonglong count,
                            const char* mode, const char* bandwidth, const QStringList& expected,
                            const QString& error = {}) {
            QTest::newRow(name) << channels << firstNumber << count << mode << bandwidth << expected
                                << error;
        };
        row("after the highest, default bandwidth of AM", 3, 0, 2, "AM", "",
            {"4/1000/6000/AM", "5/1100/6000/AM"});
        row("given bandwidth and number", 0, 7, 1, "USB", "2400", {"7/1000/2400/USB"});
        row("no mode: CW and its bandwidth", 0, 0, 1, "", "", {"1/1000/500/CW"});
        row("fills the table to 65535 rows", 65000, 1, 535, "FM", "", {});
        row("one row too many", 65000, 1, 536, "", "", {},
            "The range makes 536 channels; with the 65000 rows already in the table that is "
            "more than 65535 rows; 535 more fit");
        row("numbers past 65535", 0, 65535, 2, "", "", {},
            "Channel numbers 65535 to 65536 go past 65535, the highest channel number");
    }

    void makeRangeRows() {
        QFETCH(int, channels);
        QFETCH(int, firstNumber);
        QFETCH(qulonglong, count);
        QFETCH(QString, mode);
        QFETCH(QString, bandwidth);
        QFETCH(QStringList, expected);
        QFETCH(QString, error);
        MemoryTable table = MemoryTable::ImportLayout();
        table.SetRowCount(channels + 1);
        if (channels > 0) {
            table.SetCellText(1, Number, "3");
            table.SetCellText(channels, Number, "x");
        }
        RangeFill fill;
        fill.range = {1000, 1000 + 100 * (count - 1), 100, 1, {}};
        fill.cells = {{Mode, mode.toStdString()},
                      {Bandwidth, bandwidth.toStdString()},
                      {Frequency, "not taken"}};
        if (firstNumber != 0) {
            fill.firstNumber = firstNumber;
        }
        const MemoryTable before = table;
        const Status added = AddChannelRange(table, fill);
        QCOMPARE(
            QString::fromStdString(added ? std::string() : corvalen::ErrorSentence(added.error())),
            error);
        if (!added) {
            QCOMPARE(table, before);
            return;
        }
        QCOMPARE(qulonglong(table.ChannelCount()), qulonglong(channels) + count);
        for (int k = 0; k < expected.size(); ++k) {
            const int row = channels + 1 + k;
            QCOMPARE(Cell(table, row, Number) + "/" + Cell(table, row, Frequency) + "/" +
                         Cell(table, row, Bandwidth) + "/" + Cell(table, row, Mode),
                     expected[k]);
        }
    }

    // Without a first number the range goes on after the highest channel Number, not after
    // the count of rows: tables with gaps, with numbers above their rows, with cells that are
    // no channel number.
    void rangeNumbersAfterTheHighest_data() {
        QTest::addColumn<QStringList>("numbers");  // the table's Number cells
        QTest::addColumn<QStringList>("added");    // the Numbers of the two new rows
        QTest::addColumn<int>("highestRow");       // RowOfChannel of the highest, 0 for none
        QTest::newRow("empty table") << QStringList{} << QStringList{"1", "2"} << 0;
        QTest::newRow("gaps") << QStringList{"1", "5", "3"} << QStringList{"6", "7"} << 2;
        QTest::newRow("highest first") << QStringList{"40", "2"} << QStringList{"41", "42"} << 1;
        QTest::newRow("blanks around, zeros in front")
            << QStringList{"009", " 12 ", "12"} << QStringList{"13", "14"} << 2;
        QTest::newRow("no channel numbers among them")
            << QStringList{"70000", "abc", "0", "7", "-3", ""} << QStringList{"8", "9"} << 4;
        QTest::newRow("up to 65535") << QStringList{"65533"} << QStringList{"65534", "65535"} << 1;
    }
    void rangeNumbersAfterTheHighest() {
        QFETCH(QStringList, numbers);
        QFETCH(QStringList, added);
        QFETCH(int, highestRow);
        MemoryTable table = MemoryTable::ImportLayout();
        for (const QString& number : numbers) {
            table.AppendRow({number.toStdString(), "7100000"});
        }
        QCOMPARE(RowOfChannel(table, added.front().toInt() - 1), highestRow);
        RangeFill fill;
        fill.range = {118000000, 118025000, 25000, 1, {}};
        const Result<int> first = RangeFirstNumber(table, fill);
        QVERIFY(first);
        QCOMPARE(QString::number(*first), added.front());
        QVERIFY(AddChannelRange(table, fill));
        QCOMPARE(table.ChannelCount(), numbers.size() + 2);
        QCOMPARE(testing::ColumnTexts(table, Number).mid(numbers.size()), added);
        QCOMPARE(testing::ColumnTexts(table, Number).mid(0, numbers.size()), numbers);
    }

    void moveRows_data() {
        QTest::addColumn<int>("move");
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QList<int>>("places");
        // The Callsigns after the move, and the rows the moved rows went to.
        const auto row = [](const char* name, RowMove move, const QList<int>& rows,
                            const char* expected, const QList<int>& places) {
            QTest::newRow(name) << int(move) << rows << QString(expected).split(' ') << places;
        };
        row("up one", RowMove::Up, {3}, "R1 R3 R2 R4 R5", {2});
        row("up two blocks", RowMove::Up, {2, 3, 5}, "R2 R3 R1 R5 R4", {1, 2, 4});
        row("up: block at the top stays, the other closes up", RowMove::Up, {1, 2, 4},
            "R1 R2 R4 R3 R5", {1, 2, 3});
        row("down two blocks", RowMove::Down, {1, 3, 4}, "R2 R1 R5 R3 R4", {2, 4, 5});
        row("down at the bottom stays", RowMove::Down, {5}, "R1 R2 R3 R4 R5", {5});
        row("to top keeps table order", RowMove::ToTop, {4, 2}, "R2 R4 R1 R3 R5", {1, 2});
        row("to bottom", RowMove::ToBottom, {1, 3}, "R2 R4 R5 R1 R3", {4, 5});
        row("rows outside left out", RowMove::ToTop, {0, 9, 5}, "R5 R1 R2 R3 R4", {1});
    }
    void moveRows() {
        QFETCH(int, move);
        QFETCH(QList<int>, rows);
        QFETCH(QStringList, expected);
        QFETCH(QList<int>, places);
        MemoryTable table = testing::RowsNumbered({1, 2, 3, 4, 5});
        const MemoryTable before = table;
        const std::vector<int> order =
            MovedRowOrder(table.ChannelCount(), Ints(rows), RowMove(move));
        QCOMPARE(MoveRows(table, Ints(rows), RowMove(move)), Ints(places));
        QCOMPARE(testing::ColumnTexts(table, Callsign), expected);
        // Numbers travel with their rows.
        QCOMPARE(Cell(table, places.front(), Number), Cell(table, places.front(), Callsign).mid(1));
        table.ReorderRows(InverseRowOrder(order));
        QCOMPARE(table, before);
    }

    void cellEditorTexts_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<uint>("value");  // flags picked, or the frequency unit
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const char* kind, const QString& cell, uint value,
                            const char* expected) {
            QTest::newRow(name) << kind << cell << value << expected;
        };
        row("groups ticked", "groups", "", uint(0b101), "1+3");
        row("groups untick keeps odd piece", "groups", "2+x", uint(0), "x");
        row("groups unchanged", "groups", " 2 +16", uint(0x8002), " 2 +16");
        // Pieces that name no group (0, 17, text, blanks) are kept and read as none.
        row("groups among odd pieces", "groups", "0+ 3 +17++abc+16+", uint(0x8004),
            "0+ 3 +17++abc+16+");
        row("lockout flags", "lockout", "", uint(0b101), "5");
        row("lockout keeps higher bits", "lockout", "9", uint(0b010), "10");
        row("lockout of text", "lockout", "abc", uint(0b001), "1");
        // Typed into the Frequency editor of a grid in Hz (0) or MHz (2); a German user's ","
        // is taken beside the point. The units and numbers read are tst_numbertext's.
        row("typed in the MHz view", "typed", "7.2", 2u, "7200000");
        row("typed Hz in the MHz view", "typed", "7200000Hz", 2u, "7200000");
        row("typed decimal comma", "typed", "146,52", 2u, "146520000");
        row("typed two points refused", "typed", "146,52.1", 2u, "refused 1");
        row("typed fraction of a Hz refused", "typed", "1.5", 0u, "refused 2");
        row("typed blank empties", "typed", "  ", 2u, "");
        row("editing in MHz", "editing", "146520000", uint(FrequencyUnit::MHz), "146.52 MHz");
        row("editing in Hz", "editing", "146520000", uint(FrequencyUnit::Hz), "146520000");
        row("editing text", "editing", "12a", uint(FrequencyUnit::kHz), "12a");
        row("shown in MHz", "shown", "9580000", uint(FrequencyUnit::MHz), "9.580000");
        row("shown in kHz", "shown", "123", uint(FrequencyUnit::kHz), "0.123");
        row("shown: text as it stands", "shown", "12a", uint(FrequencyUnit::MHz), "12a");
        row("hot key empty", "hotkey", "", 0u, "0");
        row("hot key F2", "hotkey", "2", 0u, "2");
        row("hot key F12 with blanks", "hotkey", " 12 ", 0u, "12");
        row("1 is no hot key", "hotkey", "1", 0u, "0");
        row("13 is no hot key", "hotkey", "13", 0u, "0");
    }
    void cellEditorTexts() {
        QFETCH(QString, kind);
        QFETCH(QString, cell);
        QFETCH(uint, value);
        QFETCH(QString, expected);
        const std::string text = cell.toStdString();
        std::string result;
        if (kind == "groups") {
            result = CellWithGroups(text, static_cast<std::uint16_t>(value));
            QCOMPARE(uint(GroupsOf(result)), value);
        } else if (kind == "lockout") {
            result = CellWithLockoutFlags(text, value);
            QCOMPARE(uint(LockoutFlagsOf(result)), value);
        } else if (kind == "typed") {
            const TypedFrequency typed = FrequencyCellFromTyped(text, FrequencyUnit(value), ',');
            result = typed.status == FrequencyReading::Status::Ok
                         ? typed.cell
                         : "refused " + std::to_string(int(typed.status));
        } else if (kind == "hotkey") {
            result = std::to_string(HotkeyOf(text));
        } else if (kind == "editing") {
            result = FrequencyCellForEditing(text, FrequencyUnit(value));
        } else {
            result = FrequencyCellShown(text, FrequencyUnit(value));
        }
        QCOMPARE(QString::fromStdString(result), expected);
    }
};

QTEST_GUILESS_MAIN(TestEditing)
#include "tst_editing.moc"

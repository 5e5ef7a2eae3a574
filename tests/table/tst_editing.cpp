#include <QtTest>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "../TestTables.h"
#include "channel/CellValues.h"
#include "edit/BulkEdit.h"
#include "edit/ChannelRange.h"
#include "io/Messages.h"
#include "table/MemoryTable.h"
#include "table/MoveRows.h"
#include "table/RowOperations.h"
#include "table/TabSeparatedText.h"

using namespace corvalen;

namespace {

// Every cell of one row, joined by "|", read through the row view's iteration.
QString Joined(const MemoryTable& table, int row) {
    QStringList cells;
    for (const std::string_view cell : table.RowCells(row)) {
        cells << QString::fromUtf8(cell.data(), qsizetype(cell.size()));
    }
    return cells.join(QLatin1Char('|'));
}

MemoryTable ThreeColumns() {
    MemoryTable table(3);
    table.SetHeader("A|B|C");
    table.AppendRow({"1", "7100000", "Caf\u00E9"});
    table.AppendRow({"2", "", "x"});
    return table;
}

// A table of the cells `rows` give (cells joined by "|").
MemoryTable Block(const QStringList& rows) {
    MemoryTable block(int(rows.value(0).count(QLatin1Char('|'))) + 1);
    for (const QString& row : rows) {
        MemoryTable::Row cells;
        for (const QString& cell : row.split(QLatin1Char('|'))) {
            cells.push_back(cell.toStdString());
        }
        block.AppendRow(std::move(cells));
    }
    return block;
}

enum class Moves { PutFromRead, TakeThenDrop, PutTakeDrop, AssignOver };

// A 19-column table whose channel rows hold "n<k>" in Number and "f<k>" in Frequency, so a test
// can see which original row ended up where.
MemoryTable TableOf(int channels) {
    MemoryTable table = MemoryTable::ImportLayout();
    for (int k = 1; k <= channels; ++k) {
        table.AppendRow({"n" + std::to_string(k), "f" + std::to_string(k)});
    }
    return table;
}

// Column 0 and column 1 of every channel row, as "number/frequency" texts.
QStringList RowPairs(const MemoryTable& table) {
    QStringList rows;
    for (int r = 1; r < table.RowCount(); ++r) {
        rows << QString::fromStdString(std::string(table.CellText(r, Number)) + "/" +
                                       std::string(table.CellText(r, Frequency)));
    }
    return rows;
}

}  // namespace

using Rows = std::vector<std::vector<std::string>>;

Q_DECLARE_METATYPE(Rows)

namespace {

// The rows DecodeTabSeparatedBlock reads: every row as wide as the widest.
Rows BlockRows(std::string_view text) {
    const corvalen::MemoryTable block = corvalen::DecodeTabSeparatedBlock(text);
    Rows rows;
    for (int row = 1; row < block.RowCount(); ++row) {
        const corvalen::MemoryTable::RowView cells = block.RowCells(row);
        rows.emplace_back(cells.begin(), cells.end());
    }
    return rows;
}

using testing::Cell;

}  // namespace

class TestEditing : public QObject {
    Q_OBJECT

private slots:
    // (Every column written over with texts of every length: writeEveryCell.)
    void setCellText_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, int at, int column, const char* text,
                            const char* expected) {
            QTest::newRow(name) << at << column << text << expected;
        };
        row("longer than the block holds, first cell", 1, 0, "12345", "12345|7100000|Caf\u00E9");
        row("into an empty cell", 2, 1, "3500", "2|3500|x");
        row("into an empty row", 3, 2, "z", "||z");
        row("column past the end", 1, 3, "lost", "1|7100000|Caf\u00E9");
    }
    void setCellText() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        auto table = std::make_unique<MemoryTable>(ThreeColumns());
        table->SetRowCount(4);
        const MemoryTable before = *table;
        table->SetCellText(row, column, text.toStdString());
        QCOMPARE(Joined(*table, row), expected);
        for (int other = 0; other < table->RowCount(); ++other) {
            if (other != row) {
                QCOMPARE(Joined(*table, other), Joined(before, other));
            }
        }
        MemoryTable moved = std::move(*table);
        table.reset();  // the copy and the moved table outlive the table they came from
        QCOMPARE(Joined(moved, row), expected);
        QCOMPARE(Joined(before, 1), QStringLiteral("1|7100000|Caf\u00E9"));
    }

    // Rows move between tables without being copied; each must stay readable after the table
    // they came from is gone.
    void rowsOutliveTheTableTheyCameFrom_data() {
        QTest::addColumn<int>("moves");
        QTest::newRow("put from a read table") << int(Moves::PutFromRead);
        QTest::newRow("taken, the table dropped") << int(Moves::TakeThenDrop);
        QTest::newRow("put, taken out, the table dropped") << int(Moves::PutTakeDrop);
        QTest::newRow("taken, the table assigned over") << int(Moves::AssignOver);
    }
    void rowsOutliveTheTableTheyCameFrom() {
        QFETCH(int, moves);
        auto source = std::make_unique<MemoryTable>(ThreeColumns());
        MemoryTable rows(3);
        switch (Moves(moves)) {
            case Moves::PutFromRead:
                rows.PutRows(1, std::move(*source));
                source.reset();
                break;
            case Moves::TakeThenDrop:
                rows = source->TakeRows(1, 2);
                source.reset();
                break;
            case Moves::PutTakeDrop: {
                auto table = std::make_unique<MemoryTable>(3);
                table->PutRows(1, std::move(*source));
                source.reset();
                rows = table->TakeRows(1, 2);
                table.reset();
                break;
            }
            case Moves::AssignOver:
                rows = source->TakeRows(1, 2);
                *source = MemoryTable(3);
                break;
        }
        MemoryTable again(3);
        again.PutRows(1, std::move(rows));
        QCOMPARE(Joined(again, 1), QStringLiteral("1|7100000|Caf\u00E9"));
        QCOMPARE(Joined(again, 2), QStringLiteral("2||x"));
    }

    // A block traded in and traded back leaves table and block as they were; a block as wide as
    // the table trades whole rows, and those stay readable once the block's table is gone.
    void swapCells_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("block");
        QTest::addColumn<QStringList>("expected");  // rows 1 and 2 afterwards
        const auto row = [](const char* name, int at, int column, const QStringList& block,
                            const QStringList& expected) {
            QTest::newRow(name) << at << column << block << expected;
        };
        const QStringList unchanged{"1|7100000|Café", "2||x"};
        row("one cell", 2, 1, {"145"}, {"1|7100000|Café", "2|145|x"});
        row("one cell, longer, the first", 1, 0, {"1000"}, {"1000|7100000|Café", "2||x"});
        row("one cell emptied, the row's last", 2, 2, {""}, {"1|7100000|Café", "2||"});
        row("two columns of two rows, emptied and filled", 1, 1, {"a|", "|b"}, {"1|a|", "2||b"});
        row("cells as long as before", 1, 0, {"2|7200000", "1|"}, {"2|7200000|Caf\u00E9", "1||x"});
        row("whole rows", 1, 0, {"9|8|7", "||"}, {"9|8|7", "||"});
        row("past the last row: nothing", 2, 0, {"9|8|7", "6|5|4"}, unchanged);
        row("past the last column: nothing", 1, 2, {"a|b"}, unchanged);
    }
    void swapCells() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QStringList, block);
        QFETCH(QStringList, expected);
        MemoryTable table = ThreeColumns();
        const MemoryTable before = table;
        MemoryTable cells = Block(block);
        const MemoryTable given = cells;
        table.SwapCells(row, column, cells);
        QCOMPARE((QStringList{Joined(table, 1), Joined(table, 2)}), expected);
        table.SwapCells(row, column, cells);
        QVERIFY(table == before);
        QVERIFY(cells == given);

        table.SwapCells(row, column, cells);
        cells = MemoryTable(1);
        QCOMPARE((QStringList{Joined(table, 1), Joined(table, 2)}), expected);
    }

    void columnCountKeepsTexts() {
        MemoryTable table = ThreeColumns();
        table.SetColCount(2);
        QCOMPARE(Joined(table, 0), QStringLiteral("A|B"));
        QCOMPARE(Joined(table, 1), QStringLiteral("1|7100000"));
        table.SetColCount(4);
        QCOMPARE(Joined(table, 1), QStringLiteral("1|7100000||"));
        QCOMPARE(table.Caption(3), std::string_view());
        QCOMPARE(table.RowCells(2).size(), std::size_t(4));
    }

    void equalityIgnoresHowCellsBecameEmpty() {
        MemoryTable edited = ThreeColumns();
        MemoryTable fresh = ThreeColumns();
        edited.AppendRow(MemoryTable::Row{"", "", "gone"});
        edited.SetCellText(3, 2, "");
        fresh.SetRowCount(4);
        QCOMPARE(edited, fresh);
        fresh.SetCellText(3, 0, "0");
        QVERIFY(!(edited == fresh));
    }

    // A cell written into a row's own block (in place, or into a new block when it has no room)
    // and into a block a copy of the table shares must give the same row, and leave the copy as it
    // was. Every column of rows whose texts leave no, some or all of their block's last word free.
    void writeEveryCell_data() {
        QTest::addColumn<QStringList>("cells");
        QTest::newRow("last word full") << QStringList{"1", "7100", "AM"};          // 7 bytes
        QTest::newRow("last word with room") << QStringList{"12", "710000", "AM"};  // 10 bytes
        QTest::newRow("one cell of text") << QStringList{"", "Caf\u00E9", ""};
        QTest::newRow("no text at all") << QStringList{"", "", ""};
    }
    void writeEveryCell() {
        QFETCH(QStringList, cells);
        const char* texts[] = {"", "x", "xyz", "a longer text than any cell"};
        for (int column = 0; column < int(cells.size()); ++column) {
            for (const char* text : texts) {
                MemoryTable::Row row;
                for (const QString& cell : cells) {
                    row.push_back(cell.toStdString());
                }
                std::vector<std::string> expected = row;
                expected[std::size_t(column)] = text;
                MemoryTable own(int(cells.size()));
                own.AppendRow(row);
                MemoryTable shared(int(cells.size()));
                shared.AppendRow(row);
                const MemoryTable copy = shared;
                own.SetCellText(1, column, text);
                shared.SetCellText(1, column, text);
                // A second write into the same cell starts from what the first left.
                own.SetCellText(1, column, text);
                for (int c = 0; c < int(cells.size()); ++c) {
                    const auto at = std::size_t(c);
                    QCOMPARE(std::string(own.CellText(1, c)), expected[at]);
                    QCOMPARE(std::string(shared.CellText(1, c)), expected[at]);
                    QCOMPARE(std::string(copy.CellText(1, c)), row[at]);
                }
                QVERIFY(own == shared);
            }
        }
    }

    void appendRowKeepsCellsWhole() {
        MemoryTable table = MemoryTable::ImportLayout();
        table.AppendRow({"1", "7100000", "a\tb"});
        table.AppendRow(MemoryTable::Row(25, "x"));
        QCOMPARE(table.CellText(1, Bandwidth), std::string("a\tb"));
        QCOMPARE(table.CellText(1, IfShift), std::string());
        QCOMPARE(table.RowCells(2).size(), std::size_t(19));
    }

    // Insert Row, and Add Row (selectionEnd -1); the row made is the one that goes again.
    void insertRow_data() {
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("selectionEnd");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("add") << 2 << -1 << QStringList{"n1/f1", "n2/f2", " 3/"};
        QTest::newRow("add to an empty table") << 0 << -1 << QStringList{" 1/"};
        QTest::newRow("below row 3 keeps old numbers")
            << 4 << 3 << QStringList{"n1/f1", "n2/f2", "n3/f3", " 5/", "n4/f4"};
        QTest::newRow("below the last row") << 2 << 2 << QStringList{"n1/f1", "n2/f2", " 3/"};
        QTest::newRow("no selection appends") << 2 << 0 << QStringList{"n1/f1", "n2/f2", " 3/"};
        QTest::newRow("selection past the end appends")
            << 2 << 9 << QStringList{"n1/f1", "n2/f2", " 3/"};
        QTest::newRow("empty table") << 0 << 0 << QStringList{" 1/"};
    }
    void insertRow() {
        QFETCH(int, channels);
        QFETCH(int, selectionEnd);
        QFETCH(QStringList, expected);
        MemoryTable table = TableOf(channels);
        const MemoryTable before = table;
        const int row = selectionEnd < 0 ? AddRow(table) : InsertRow(table, selectionEnd);
        QCOMPARE(RowPairs(table), expected);
        table.RemoveRow(row);
        QCOMPARE(table, before);
    }

    void deleteRows_data() {
        QTest::addColumn<int>("channels");
        QTest::addColumn<QList<int>>("selected");  // table rows, in selection order
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("one row") << 3 << QList<int>{2} << QStringList{" 1/f1", " 2/f3"};
        QTest::newRow("a range, selected upward")
            << 6 << QList<int>{5, 4, 3} << QStringList{" 1/f1", " 2/f2", " 3/f6"};
        QTest::newRow("separate rows keep the rows between")
            << 6 << QList<int>{5, 2, 3} << QStringList{" 1/f1", " 2/f4", " 3/f6"};
        QTest::newRow("every row") << 3 << QList<int>{1, 2, 3} << QStringList{};
        QTest::newRow("past the end clipped")
            << 3 << QList<int>{3, 99} << QStringList{" 1/f1", " 2/f2"};
        QTest::newRow("empty table") << 0 << QList<int>{1} << QStringList{};
    }
    void deleteRows() {
        QFETCH(int, channels);
        QFETCH(QList<int>, selected);
        QFETCH(QStringList, expected);
        MemoryTable table = TableOf(channels);
        const MemoryTable before = table;
        const std::vector<RowRange> ranges = RowRanges({selected.begin(), selected.end()});
        DeletedRows deleted = DeleteRows(table, ranges);
        QCOMPARE(RowPairs(table), expected);
        QCOMPARE(table.Caption(Number), std::string("Number"));

        // What it hands back puts the exact table back: numbers first, then each range.
        for (std::size_t i = 0; i < deleted.numbers.size(); ++i) {
            table.SetCellText(int(i) + 1, Number, deleted.numbers[i]);
        }
        for (std::size_t i = 0; i < deleted.blocks.size(); ++i) {
            table.PutRows(ranges[i].first, std::move(deleted.blocks[i]));
        }
        QCOMPARE(table, before);
    }

    void appendChannels() {
        // After the last row, each with its own number; nothing renumbered.
        MemoryTable table = TableOf(2);
        MemoryTable file = TableOf(3);
        file.SetCellText(2, Number, "7");
        file.SetCellText(3, Callsign, "K1");
        AppendChannels(table, file);
        QCOMPARE(RowPairs(table), QStringList({"n1/f1", "n2/f2", "n1/f1", "7/f2", "n3/f3"}));
        QCOMPARE(table.CellText(5, Callsign), std::string("K1"));

        // The start-up grid's ten columns grow to the 19 of an import, captions included.
        MemoryTable startup = MemoryTable::StartupLayout();
        AppendChannels(startup, file);
        QCOMPARE(startup.ColCount(), kImportedColumnCount);
        QCOMPARE(startup.ChannelCount(), kStartupRowCount - 1 + 3);
        QCOMPARE(startup.Caption(Callsign), std::string("Callsign"));
        QCOMPARE(startup.CellText(kStartupRowCount + 2, Callsign), std::string("K1"));
    }

    // Numbering goes past 32,767 (a 16-bit signed count) up to channel 65,535.
    void reIndexHasNoRowLimit() {
        MemoryTable table = MemoryTable::ImportLayout();
        table.SetRowCount(65536);
        ReIndex(table);
        QCOMPARE(table.CellText(32768, Number), std::string(" 32768"));
        QCOMPARE(table.CellText(65535, Number), std::string(" 65535"));
        QCOMPARE(table.CellText(65535, Frequency), std::string());
    }

    // Whatever the cells of a block hold, they read back as the same cells; `text` is what a
    // spreadsheet gets (null: not checked).
    void roundTrip_data() {
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("plain rows") << Rows{{"1", "7200000", "AM"}, {"2", "", "USB"}}
                                    << QByteArray("1\t7200000\tAM\n2\t\tUSB\n");
        QTest::newRow("tab and line breaks quoted")
            << Rows{{"a\tb", "line 1\nline 2", "cr lf\r\nend", "lone\rcr"}}
            << QByteArray("\"a\tb\"\t\"line 1\nline 2\"\t\"cr lf\r\nend\"\t\"lone\rcr\"\n");
        QTest::newRow("quotes: doubled only inside a quoted cell")
            << Rows{{"say \"hi\"", "\"quoted\"", "\"", "\"\t\""}}
            << QByteArray("say \"hi\"\t\"\"\"quoted\"\"\"\t\"\"\"\"\t\"\"\"\t\"\"\"\n");
        QTest::newRow("empty cells")
            << Rows{{"", "", ""}, {"", "x", ""}} << QByteArray("\t\t\n\tx\t\n");
        QTest::newRow("rows of one empty cell") << Rows{{""}, {""}} << QByteArray("\n\n");
        QTest::newRow("blanks and non-ASCII kept")
            << Rows{{" 12 ", "R\u00e1dio Amaz\u00f4nia", "\u201cAM\u201d"}} << QByteArray();
        QTest::newRow("no rows") << Rows{} << QByteArray("");
    }

    void roundTrip() {
        QFETCH(Rows, rows);
        QFETCH(QByteArray, text);
        // Copy writes the text straight from the table's rows: here a table with one column
        // more than the block, which is left out, and the rows in the block's order.
        const std::size_t width = rows.empty() ? 0 : rows.front().size();
        corvalen::MemoryTable table(static_cast<int>(width) + 1);
        for (const std::vector<std::string>& cells : rows) {
            table.AppendRow(cells, 1);  // on top: block row k ends up as table row n - k
        }
        std::vector<int> order;
        for (int k = 0; k < table.ChannelCount(); ++k) {
            order.push_back(table.ChannelCount() - k);
        }
        const std::string encoded =
            EncodeTabSeparated(table, order, 0, static_cast<int>(width) - 1);
        if (!text.isNull()) {
            QCOMPARE(QByteArray::fromStdString(encoded), text);
        }
        QCOMPARE(BlockRows(encoded), rows);
    }

    // Text as other programs write it; every row comes out as wide as the widest.
    void decodesForeignText_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<Rows>("rows");
        const auto row = [](const char* name, const QByteArray& text, const Rows& rows) {
            QTest::newRow(name) << text << rows;
        };
        row("CR LF rows, no final break", "1\t2\r\n3\t4", Rows{{"1", "2"}, {"3", "4"}});
        row("spreadsheet cell with a line break", "\"a\r\nb\"\tc\r\n", Rows{{"a\r\nb", "c"}});
        row("one final break only", "x\n\n", Rows{{"x"}, {""}});
        row("tab at the end is one more cell", "a\t", Rows{{"a", ""}});
        row("ragged rows padded", "a\nb\tc\td\n", Rows{{"a", "", ""}, {"b", "c", "d"}});
        row("quote not closing the cell: taken as it is", "\"ab\"cd\te", Rows{{"\"ab\"cd", "e"}});
        row("quote never closed", "\"abc\tx\ny", Rows{{"\"abc", "x"}, {"y", ""}});
        row("quote closed at the end", "\"a\tb\"", Rows{{"a\tb"}});
        row("lone CR stays in the cell", "a\rb\n", Rows{{"a\rb"}});
    }

    void decodesForeignText() {
        QFETCH(QByteArray, text);
        QFETCH(Rows, rows);
        QCOMPARE(BlockRows(text.toStdString()), rows);
    }

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
        const std::vector<int> order = MovedRowOrder(
            table.ChannelCount(), {rows.constData(), std::size_t(rows.size())}, RowMove(move));
        table.ReorderRows(order);
        // Where the moved rows went, as the editor finds them.
        const std::vector<int> inverse = InverseRowOrder(order);
        QList<int> now;
        for (const int row : rows) {
            if (row >= 1 && row <= table.ChannelCount()) {
                now << inverse[static_cast<std::size_t>(row) - 1];
            }
        }
        std::sort(now.begin(), now.end());
        QCOMPARE(now, places);
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
        // is taken beside the point. The units and numbers read are tst_convert's.
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

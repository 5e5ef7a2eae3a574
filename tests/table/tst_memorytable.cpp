#include <QtTest>

#include <memory>
#include <string>
#include <vector>

#include "table/MemoryTable.h"

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

}  // namespace

class TestMemoryTable : public QObject {
    Q_OBJECT

private slots:
    void setCellText_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, int at, int column, const char* text,
                            const char* expected) {
            QTest::newRow(name) << at << column << text << expected;
        };
        row("same length", 1, 0, "9", "9|7100000|Caf\u00E9");
        row("longer, middle cell", 1, 1, "14000000.5", "1|14000000.5|Caf\u00E9");
        row("shorter, last cell", 1, 2, "", "1|7100000|");
        row("emptied, first cell", 1, 0, "", "|7100000|Caf\u00E9");
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
};

QTEST_GUILESS_MAIN(TestMemoryTable)
#include "tst_memorytable.moc"

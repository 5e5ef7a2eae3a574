#include <QtTest>

#include "table/RowOperations.h"

using namespace corvalen;

namespace {

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
QStringList Rows(const MemoryTable& table) {
    QStringList rows;
    for (int r = 1; r < table.RowCount(); ++r) {
        rows << QString::fromStdString(std::string(table.CellText(r, Number)) + "/" +
                                       std::string(table.CellText(r, Frequency)));
    }
    return rows;
}

}  // namespace

class TestRowOperations : public QObject {
    Q_OBJECT

private slots:
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
        QCOMPARE(Rows(table), expected);
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
        QCOMPARE(Rows(table), expected);
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
        QCOMPARE(Rows(table), QStringList({"n1/f1", "n2/f2", "n1/f1", "7/f2", "n3/f3"}));
        QCOMPARE(table.CellText(5, Callsign), std::string("K1"));

        // The start-up grid's ten columns grow to the 19 of an import, captions included.
        MemoryTable startup = MemoryTable::StartupLayout();
        AppendChannels(startup, file);
        QCOMPARE(startup.ColCount(), kImportedColumnCount);
        QCOMPARE(startup.ChannelCount(), kStartupRowCount - 1 + 3);
        QCOMPARE(startup.Caption(Callsign), std::string("Callsign"));
        QCOMPARE(startup.CellText(kStartupRowCount + 2, Callsign), std::string("K1"));
    }

    void reIndexHasNoRowLimit() {
        // The old counter stopped at 32,767 rows; channel numbers go up to 65,535.
        MemoryTable table = MemoryTable::ImportLayout();
        table.SetRowCount(65536);
        ReIndex(table);
        QCOMPARE(table.CellText(32768, Number), std::string(" 32768"));
        QCOMPARE(table.CellText(65535, Number), std::string(" 65535"));
        QCOMPARE(table.CellText(65535, Frequency), std::string());
    }
};

QTEST_GUILESS_MAIN(TestRowOperations)
#include "tst_rowoperations.moc"

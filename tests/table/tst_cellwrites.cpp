#include <QtTest>

#include <string>
#include <vector>

#include "table/MemoryTable.h"

using namespace corvalen;

// A cell written into a row's own block (in place, or into a new block when it has no room)
// and into a block a copy of the table shares must give the same row, and leave the copy as it
// was. Every column of rows whose texts leave no, some or all of their block's last word free.
class TestCellWrites : public QObject {
    Q_OBJECT

private slots:
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
};

QTEST_APPLESS_MAIN(TestCellWrites)
#include "tst_cellwrites.moc"

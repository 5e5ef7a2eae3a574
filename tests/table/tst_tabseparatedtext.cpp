#include <QTest>

#include <vector>

#include "table/TabSeparatedText.h"

using corvalen::EncodeTabSeparated;
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

}  // namespace

class TestTabSeparatedText : public QObject {
    Q_OBJECT

private slots:
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
        QTest::newRow("CR LF rows, no final break")
            << QByteArray("1\t2\r\n3\t4") << Rows{{"1", "2"}, {"3", "4"}};
        QTest::newRow("spreadsheet cell with a line break")
            << QByteArray("\"a\r\nb\"\tc\r\n") << Rows{{"a\r\nb", "c"}};
        QTest::newRow("one final break only") << QByteArray("x\n\n") << Rows{{"x"}, {""}};
        QTest::newRow("tab at the end is one more cell") << QByteArray("a\t") << Rows{{"a", ""}};
        QTest::newRow("ragged rows padded")
            << QByteArray("a\nb\tc\td\n") << Rows{{"a", "", ""}, {"b", "c", "d"}};
        QTest::newRow("quote not closing the cell: taken as it is")
            << QByteArray("\"ab\"cd\te") << Rows{{"\"ab\"cd", "e"}};
        QTest::newRow("quote never closed")
            << QByteArray("\"abc\tx\ny") << Rows{{"\"abc", "x"}, {"y", ""}};
        QTest::newRow("quote closed at the end") << QByteArray("\"a\tb\"") << Rows{{"a\tb"}};
        QTest::newRow("lone CR stays in the cell") << QByteArray("a\rb\n") << Rows{{"a\rb"}};
    }

    void decodesForeignText() {
        QFETCH(QByteArray, text);
        QFETCH(Rows, rows);
        QCOMPARE(BlockRows(text.toStdString()), rows);
    }
};

QTEST_GUILESS_MAIN(TestTabSeparatedText)
#include "tst_tabseparatedtext.moc"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

#include "../TestTables.h"
#include "app/MemoryTableModel.h"
#include "table/Columns.h"

using corvalen::MemoryTable;
using corvalen::MemoryTableModel;

class TestMemoryTableModel : public QObject {
    Q_OBJECT

private:
    // A table of `channels` rows, Number "n" and Frequency "fn" in row n.
    static MemoryTable Channels(int channels) {
        MemoryTable table = MemoryTable::ImportLayout();
        for (int row = 1; row <= channels; ++row) {
            MemoryTable::Row cells(corvalen::kImportedColumnCount);
            cells[corvalen::Number] = std::to_string(row);
            cells[corvalen::Frequency] = "f" + std::to_string(row);
            table.AppendRow(std::move(cells));
        }
        return table;
    }

private slots:
    // Every change goes through the model's signals; the tester checks they agree with the data.
    void rowCommandsKeepTheModelConsistent() {
        MemoryTableModel model(Channels(10));
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

        QCOMPARE(model.addRow(3), 4);
        QCOMPARE(inserted.takeFirst().mid(1), (QVariantList{3, 3}));
        QCOMPARE(testing::ColumnTexts(model.table(), corvalen::Number).mid(2, 3),
                 (QStringList{"3", " 11", "4"}));

        QCOMPARE(model.addRow(), 12);
        QCOMPARE(inserted.takeFirst().mid(1), (QVariantList{11, 11}));

        // Two separate ranges (model rows 1 and 4 to 6) go bottom range first, then the rest
        // is renumbered; putting them back gives the exact table.
        const MemoryTable full = model.table();
        const std::vector<corvalen::RowRange> ranges = {{2, 2}, {5, 7}};
        corvalen::DeletedRows deleted = model.deleteRows(ranges);
        QCOMPARE(removed.takeFirst().mid(1), (QVariantList{4, 6}));
        QCOMPARE(removed.takeFirst().mid(1), (QVariantList{1, 1}));
        QCOMPARE(testing::ColumnTexts(model.table(), corvalen::Frequency),
                 (QStringList{"f1", "f3", "", "f7", "f8", "f9", "f10", ""}));
        QCOMPARE(testing::ColumnTexts(model.table(), corvalen::Number).first(),
                 QStringLiteral(" 1"));
        QCOMPARE(changed.takeLast().at(0).toModelIndex().column(), int(corvalen::Number));
        model.undeleteRows(ranges, std::move(deleted));
        QVERIFY(model.table() == full);
        model.deleteRows(ranges);
        QCOMPARE(model.takeRows(40, 50).ChannelCount(), 0);  // outside the channel rows
        QCOMPARE(model.takeRows(0, 0).ChannelCount(), 0);    // the header row never goes
        QCOMPARE(model.rowCount(), 8);

        const MemoryTable before = model.swapTable(MemoryTable::ImportLayout());
        QCOMPARE(before.ChannelCount(), 8);
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(model.columnCount(), 19);
        QCOMPARE(model.headerData(corvalen::LevelSquelch, Qt::Horizontal).toString(),
                 QStringLiteral("Level Squelch"));
        QCOMPARE(model.takeRows(1, 1).ChannelCount(), 0);
        QCOMPARE(model.addRow(-1), 1);
        QCOMPARE(model.index(0, corvalen::Number).data().toString(), QStringLiteral(" 1"));
    }

    void swapsBlocksOfCells() {
        MemoryTableModel model(Channels(4));
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        MemoryTable block(2);
        block.AppendRow({"a", "b"});
        block.AppendRow({"c", "d"});
        const MemoryTable old = model.swapCells(2, corvalen::Number, block);
        MemoryTable expected(2);
        expected.AppendRow({"2", "f2"});
        expected.AppendRow({"3", "f3"});
        QVERIFY(old == expected);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed[0][0].toModelIndex(), model.index(1, 0));
        QCOMPARE(changed[0][1].toModelIndex(), model.index(2, 1));
        QVERIFY(model.swapCells(2, corvalen::Number, old) == block);
        QVERIFY(model.table() == Channels(4));
    }

    void editsCellsAsUtf8Text() {
        MemoryTableModel model(Channels(2));
        const QModelIndex comment = model.index(1, corvalen::Comments);
        QVERIFY(model.flags(comment) & Qt::ItemIsEditable);
        QVERIFY(model.setData(comment, QStringLiteral("Rádio Amazônia, “AM”")));
        QCOMPARE(model.table().CellText(2, corvalen::Comments),
                 std::string("R\u00e1dio Amaz\u00f4nia, \u201cAM\u201d"));
        QCOMPARE(comment.data(Qt::EditRole).toString(), QStringLiteral("Rádio Amazônia, “AM”"));
        QVERIFY(!model.setData(comment, QStringLiteral("x"), Qt::DisplayRole + 100));
    }
};

QTEST_GUILESS_MAIN(TestMemoryTableModel)
#include "tst_memorytablemodel.moc"

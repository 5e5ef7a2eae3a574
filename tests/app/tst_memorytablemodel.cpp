#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

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

    static QStringList Column(const MemoryTableModel& model, int column) {
        QStringList texts;
        for (int row = 0; row < model.rowCount(); ++row) {
            texts << model.index(row, column).data().toString();
        }
        return texts;
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

        QCOMPARE(model.insertRowBelow(3), 4);
        QCOMPARE(inserted.takeFirst().mid(1), (QVariantList{3, 3}));
        QCOMPARE(Column(model, corvalen::Number).mid(2, 3), (QStringList{"3", " 11", "4"}));

        QCOMPARE(model.addRow(), 12);
        QCOMPARE(inserted.takeFirst().mid(1), (QVariantList{11, 11}));

        model.deleteRows(7, 5);  // either order; model rows 4 to 6
        QCOMPARE(removed.takeFirst().mid(1), (QVariantList{4, 6}));
        QCOMPARE(Column(model, corvalen::Frequency),
                 (QStringList{"f1", "f2", "f3", "", "f7", "f8", "f9", "f10", ""}));
        QCOMPARE(changed.takeLast().at(0).toModelIndex().column(), int(corvalen::Number));

        model.deleteRows(40, 50);  // outside the channel rows: nothing goes
        model.deleteRows(0, 0);    // the header row never goes
        QCOMPARE(model.rowCount(), 9);
        QCOMPARE(removed.size(), 0);

        model.replaceTable(MemoryTable::ImportLayout());
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(model.columnCount(), 19);
        QCOMPARE(model.headerData(corvalen::LevelSquelch, Qt::Horizontal).toString(),
                 QStringLiteral("Level Squelch"));
        model.deleteRows(1, 1);
        QCOMPARE(model.insertRowBelow(-1), 1);
        QCOMPARE(model.index(0, corvalen::Number).data().toString(), QStringLiteral(" 1"));
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

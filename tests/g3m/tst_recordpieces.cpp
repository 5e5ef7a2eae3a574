// A memory file put a piece at a time, as a save writes one that had no bytes before, holds the
// same bytes and gives the same report as the whole image: rows in channel order past a piece,
// then rows out of that order (places already put, channel numbers used again), gaps, and a
// file with old bytes, which is put whole.

#include <QtTest>

#include <string>

#include "TestTables.h"
#include "g3m/MemoryFile.h"

using namespace corvalen;

class TestRecordPieces : public QObject {
    Q_OBJECT

private slots:
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
};

QTEST_APPLESS_MAIN(TestRecordPieces)
#include "tst_recordpieces.moc"

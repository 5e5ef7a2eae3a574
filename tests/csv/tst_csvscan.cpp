// The CSV reader's byte search and the field forms it reads on its quick path and its careful
// one, with each way of finding the ends of fields. The byte search looks at 16 bytes per step
// and the block scan at 64, so the cases put the byte looked for, and bytes from 0x80 up, on both
// sides of those steps and in the bytes left over at the end.

#include <QtTest>

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "csv/ByteScan.h"
#include "csv/CsvReader.h"

using namespace corvalen;

class TestCsvScan : public QObject {
    Q_OBJECT

private slots:
    void findFirstOf3_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("stop");  // -1: none, the end of the text
        QTest::addColumn<bool>("high");
        const QByteArray x16(16, 'x');
        QTest::newRow("empty") << QByteArray() << -1 << false;
        QTest::newRow("stop first") << QByteArray(",abc") << 0 << false;
        QTest::newRow("short, each stop") << QByteArray("ab\rc,\n") << 2 << false;
        QTest::newRow("none in 15") << QByteArray(15, 'a') << -1 << false;
        QTest::newRow("none in 16") << x16 << -1 << false;
        QTest::newRow("none in 40, high last") << QByteArray(39, 'a') + "\xE9" << -1 << true;
        QTest::newRow("stop at 15") << QByteArray(15, 'a') + "\n" + x16 << 15 << false;
        QTest::newRow("stop at 16") << x16 + ",xxxxxxxxxxxxxxxxx" << 16 << false;
        QTest::newRow("stop in the rest") << x16 + "xx\r" << 18 << false;
        QTest::newRow("high before stop")
            << QByteArray("a\xFC") + "b,cxxxxxxxxxxxxxxxx" << 3 << true;
        QTest::newRow("high just after stop") << QByteArray("abc,\x80") + x16 << 3 << false;
        QTest::newRow("high in first step, stop in second")
            << QByteArray("\x80") + QByteArray(20, 'a') + "," + x16 << 21 << true;
        QTest::newRow("high only after stop, far") << x16 + "," + x16 + "\xFF" << 16 << false;
    }
    void findFirstOf3() {
        QFETCH(QByteArray, text);
        QFETCH(int, stop);
        QFETCH(bool, high);
        const char* begin = text.constData();
        const char* end = begin + text.size();
        bool seenHigh = false;
        const char* found = FindFirstOf3(begin, end, ',', '\r', '\n', seenHigh);
        QCOMPARE(found - begin, stop < 0 ? text.size() : stop);
        QCOMPARE(seenHigh, high);
        QCOMPARE(AnyHighByte(begin, end), text.contains('\x80') || text.contains('\xE9') ||
                                              text.contains('\xFC') || text.contains('\xFF'));
    }

    // The check of a whole text before its records: the first NUL byte, and whether a byte from
    // 0x80 up comes before it, on both sides of the 64-byte steps and in the bytes left over.
    void findNul_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("nul");  // -1: none
        QTest::addColumn<bool>("high");
        const QByteArray a64(64, 'a');
        QTest::newRow("empty") << QByteArray() << -1 << false;
        QTest::newRow("none, 200 bytes") << QByteArray(200, 'x') << -1 << false;
        QTest::newRow("none, high in the rest") << a64 + a64 + "ab\xE9" << -1 << true;
        QTest::newRow("none, high in the first step") << "\xFC" + a64 + a64 << -1 << true;
        QTest::newRow("first byte") << QByteArray(1, '\0') + a64 << 0 << false;
        QTest::newRow("last of the first step")
            << QByteArray(63, 'a') + QByteArray(1, '\0') + a64 << 63 << false;
        QTest::newRow("first of the second step") << a64 + QByteArray(1, '\0') + a64 << 64 << false;
        QTest::newRow("in the rest") << a64 + "abc" + QByteArray(1, '\0') << 67 << false;
        QTest::newRow("high before, same step")
            << a64 + "\x80" + QByteArray(1, '\0') + a64 << 65 << true;
        QTest::newRow("high after, same step")
            << a64 + QByteArray(1, '\0') + "\x80" + a64 << 64 << false;
        QTest::newRow("high in an earlier step")
            << "\xFF" + a64 + QByteArray(1, '\0') + a64 << 65 << true;
        QTest::newRow("high only after, far") << QByteArray(1, '\0') + a64 + "\xE9" << 0 << false;
        QTest::newRow("UTF-16 text") << QByteArray("N\0u\0m\0", 6) << 1 << false;
    }
    void findNul() {
        QFETCH(QByteArray, text);
        QFETCH(int, nul);
        QFETCH(bool, high);
        const char* begin = text.constData();
        const char* end = begin + text.size();
        bool seenHigh = false;
        QCOMPARE(FindNul(begin, end, seenHigh) - begin, nul < 0 ? text.size() : nul);
        QCOMPARE(seenHigh, high);
    }

    // A text of a megabyte and more is checked in two halves at once: the NUL byte named is
    // still the first, and a byte from 0x80 up counts in either half.
    void checkOfLargeText_data() {
        QTest::addColumn<QList<qsizetype>>("nuls");  // from the middle; none: no NUL
        QTest::addColumn<qsizetype>("high");         // from the middle; 0: none
        QTest::addColumn<QString>("found");          // "line L byte B", or empty for no NUL
        // 140,000 lines of 15 bytes, the middle at byte 1,050,000: line 70,001's first byte.
        QTest::newRow("clean") << QList<qsizetype>{} << qsizetype{0} << QString();
        QTest::newRow("high byte in the later half only")
            << QList<qsizetype>{} << qsizetype{100000} << QString();
        QTest::newRow("high byte in the first half only")
            << QList<qsizetype>{} << qsizetype{-100000} << QString();
        QTest::newRow("NUL in the later half only")
            << QList<qsizetype>{15} << qsizetype{0} << "line 70002 byte 1050016";
        QTest::newRow("NUL on the middle byte")
            << QList<qsizetype>{0} << qsizetype{0} << "line 70001 byte 1050001";
        QTest::newRow("NUL just before the middle's line end")
            << QList<qsizetype>{-3} << qsizetype{0} << "line 70000 byte 1049998";
        QTest::newRow("NULs in both halves: the first")
            << QList<qsizetype>{-30, 300000} << qsizetype{0} << "line 69999 byte 1049971";
    }
    void checkOfLargeText() {
        QFETCH(QList<qsizetype>, nuls);
        QFETCH(qsizetype, high);
        QFETCH(QString, found);
        QByteArray text;
        for (int line = 0; line < 140000; ++line) {
            text += "1,7100000,500\r\n";
        }
        const qsizetype middle = text.size() / 2;
        for (const qsizetype at : nuls) {
            text[middle + at] = '\0';
        }
        if (high != 0) {
            text[middle + high] = '\xE9';
        }
        const CsvTextCheck checked =
            CheckCsvTextBytes("f.csv", std::string_view(text.constData(), text.size()), {});
        if (found.isEmpty()) {
            QVERIFY(checked.status);
            QCOMPARE(checked.beyondAscii, high != 0);
            return;
        }
        QVERIFY(!checked.status);
        const QStringList parts = found.split(' ');
        QCOMPARE(QString::fromStdString(checked.status.error().message),
                 "Cannot read \"f.csv\": line " + parts[1] + " holds a NUL byte (byte " + parts[3] +
                     "), so this is no CSV text file");
    }

    // What the check of the text tells the reader of it (whether it holds bytes from 0x80 up)
    // reads it as the reader alone would, byte-order mark or not.
    void readerToldOfHighBytes_data() {
        QTest::addColumn<QByteArray>("file");
        const QByteArray header = "Number,Frequency,Bandwidth\r\n";
        QTest::newRow("ASCII") << header + "1,7100000,500\r\n";
        QTest::newRow("Windows-1252") << header +
                                             "1,7100000,500,\"R\xE1"
                                             "dio\"\r\n";
        QTest::newRow("UTF-8") << header +
                                      "1,7100000,500,\"R\xC3\xA1"
                                      "dio\"\r\n";
        QTest::newRow("byte-order mark, ASCII") << "\xEF\xBB\xBF" + header + "1,7100000,500\r\n";
        QTest::newRow("byte-order mark, UTF-8")
            << "\xEF\xBB\xBF" + header + "1,7100000,500,\xC3\xA9\r\n";
    }
    void readerToldOfHighBytes() {
        QFETCH(QByteArray, file);
        const std::string_view bytes(file.constData(), static_cast<std::size_t>(file.size()));
        const CsvTextCheck checked = CheckCsvTextBytes("f.csv", bytes);
        QVERIFY(checked.status);
        const CsvImport alone = ReadCsvMemory(bytes);
        const CsvImport told = ReadCsvMemory(bytes, CsvScan::Best, checked.beyondAscii);
        QVERIFY(told.diagnostics == alone.diagnostics);
        QCOMPARE(told.table.RowCount(), alone.table.RowCount());
        for (int row = 1; row < told.table.RowCount(); ++row) {
            for (int column = 0; column < told.table.ColCount(); ++column) {
                QCOMPARE(told.table.CellText(row, column), alone.table.CellText(row, column));
            }
        }
    }

    // One record after a header line; its first three cells, '|' between them.
    void fieldForms_data() {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QByteArray>("cells");
        QTest::newRow("plain") << QByteArray("1,abc,d\r\n") << QByteArray("1|abc|d");
        QTest::newRow("quoted") << QByteArray("\"1\",\"a,b\",\"c\"\r\n") << QByteArray("1|a,b|c");
        QTest::newRow("spaces before") << QByteArray("1,  x ,  \"y\"") << QByteArray("1|x |y");
        QTest::newRow("doubled quote") << QByteArray("1,\"a\"\"b\",c") << QByteArray("1|a\"b|c");
        QTest::newRow("text after closing quote")
            << QByteArray("1,\"a\"  b,\"c\" ,d") << QByteArray("1|a  b|c");
        QTest::newRow("quote inside plain text")
            << QByteArray("1,a\"b,c") << QByteArray("1|a\"b|c");
        QTest::newRow("quoted, then a quote inside plain text")
            << QByteArray("1,\"abc\",d\",e") << QByteArray("1|abc|d\"");
        QTest::newRow("line break in quotes")
            << QByteArray("1,\"a\r\nb\",c\n") << QByteArray("1|a\r\nb|c");
        QTest::newRow("long Windows-1252") << QByteArray(
                                                  "1,\"R\xE1"
                                                  "dio Nacional da Amaz\xF4nia\",x")
                                           << QByteArray(
                                                  "1|R\xC3\xA1"
                                                  "dio Nacional da Amaz\xC3\xB4nia|x");
        QTest::newRow("Windows-1252 after doubled quote")
            << QByteArray("1,\"\"\"\xE9\",\"\"\"\"") << QByteArray("1|\"\xC3\xA9|\"");
        QTest::newRow("last field unclosed") << QByteArray("1,2,\"abc") << QByteArray("1|2|abc");
        // The header line takes 8 bytes: the record starts at byte 8 of the first 64.
        const QByteArray x50(50, 'x');
        QTest::newRow("quoted field over the block end")
            << QByteArray("1,\"" + x50 + "\xE9yz\",c") << QByteArray("1|" + x50 + "\xC3\xA9yz|c");
        QTest::newRow("comma and high byte in quotes past the block end")
            << QByteArray("1,\"" + x50 + "ab,\xE9\",c") << QByteArray("1|" + x50 + "ab,\xC3\xA9|c");
        QTest::newRow("line end just past the block end")
            << QByteArray("1,\"" + x50 + "\",\"\xE9\"\n") << QByteArray("1|" + x50 + "|\xC3\xA9");
        QTest::newRow("high byte after the stop in the block")
            << QByteArray("1,a,b\xE9") << QByteArray("1|a|b\xC3\xA9");
    }
    // Each form at every place in the first two blocks of 64 bytes, so that its quotes and the
    // comma or line end after it fall on both sides of a block's end: as the file's last record,
    // and with more records after it (a field whose end lies in the next block is read from that
    // block's masks only when more follows), where every scan must read what the field-by-field
    // search reads.
    void fieldForms() {
        QFETCH(QByteArray, record);
        QFETCH(QByteArray, cells);
        std::string more = "\r\n";
        for (int line = 0; line < 40; ++line) {
            more += "9,\"pad\",x\r\n";
        }
        for (std::size_t header = 1; header <= 130; ++header) {
            const std::string file = std::string(header, 'h') + "\r\n" + record.toStdString();
            const CsvImport byFields = ReadCsvMemory(file + more, CsvScan::Fields);
            for (const CsvScan scan : {CsvScan::Fields, CsvScan::Sse2Blocks, CsvScan::Avx2Blocks}) {
                if (!CsvScanAvailable(scan)) {
                    continue;
                }
                const CsvImport imported = ReadCsvMemory(file, scan);
                QCOMPARE(imported.recordsRead, 1);
                QCOMPARE(imported.table.ChannelCount(), 1);
                std::string joined;
                for (int column = 0; column < 3; ++column) {
                    joined.append(column == 0 ? "" : "|")
                        .append(imported.table.CellText(1, column));
                }
                QCOMPARE(QByteArray::fromStdString(joined), cells);

                const CsvImport followed = ReadCsvMemory(file + more, scan);
                QCOMPARE(followed.recordsRead, byFields.recordsRead);
                QVERIFY(followed.diagnostics == byFields.diagnostics);
                QCOMPARE(followed.table.RowCount(), byFields.table.RowCount());
                for (int row = 1; row < followed.table.RowCount(); ++row) {
                    for (int column = 0; column < followed.table.ColCount(); ++column) {
                        QCOMPARE(followed.table.CellText(row, column),
                                 byFields.table.CellText(row, column));
                    }
                }
            }
        }
    }

    // A file large enough to be read on a second thread, its records taken on this one: the same
    // cells, the same count and the same reports as reading it in one go; and a taker that
    // throws ends the reading without a hang. A taker slow at first has records prepared on the
    // reading thread, each under the index it is then taken at.
    void readAhead_data() {
        QTest::addColumn<QByteArray>("line");  // repeated to fill the file
        QTest::addColumn<int>("throwAt");      // record whose taking throws, or -1
        QTest::newRow("Windows-1252, quotes, short lines")
            << QByteArray("1,\"7100000\",\"2700\",,,,,,,,,,,,,,\"USB\",\"a\"\"b\",\"Z\xFCrich\"\r\n"
                          "2,x,,y\n")
            << -1;
        QTest::newRow("UTF-8, line breaks in quotes")
            << QByteArray("\"1\",\"7100000\",\"2700\",\"caf\xC3\xA9\r\nbar\",x\r\n") << -1;
        QTest::newRow("taker throws") << QByteArray("1,2,3\n") << 5000;
    }
    void readAhead() {
        QFETCH(QByteArray, line);
        QFETCH(int, throwAt);
        std::string file = "Number,Frequency,Bandwidth\n";
        while (file.size() < (std::size_t{1} << 20)) {
            file.append(line.constData(), static_cast<std::size_t>(line.size()));
        }
        const auto read = [&](auto reader, std::vector<Diagnostic>& diagnostics,
                              std::vector<std::string>& cells) {
            int taken = 0;
            return reader(file, diagnostics, [&](std::span<const std::string_view> record) {
                if (++taken == throwAt) {
                    throw std::runtime_error("stop");
                }
                cells.insert(cells.end(), record.begin(), record.end());
            }, CsvScan::Best, nullptr);
        };
        const auto inTurns = [](auto&&... arguments) { return ReadCsvRecordsAhead(arguments...); };
        std::vector<Diagnostic> aheadReports;
        std::vector<std::string> aheadCells;
        if (throwAt >= 0) {
            QVERIFY_THROWS_EXCEPTION(std::runtime_error, read(inTurns, aheadReports, aheadCells));
            QCOMPARE(aheadCells.size(), std::size_t(throwAt - 1) * kImportedColumnCount);
            return;
        }
        std::vector<Diagnostic> reports;
        std::vector<std::string> cells;
        const auto atOnce = [](auto&&... arguments) { return ReadCsvRecords(arguments...); };
        const int records = read(atOnce, reports, cells);
        QCOMPARE(read(inTurns, aheadReports, aheadCells), records);
        QVERIFY(records > 4096);
        QVERIFY(aheadCells == cells);
        QVERIFY(aheadReports == reports);

        std::vector<std::pair<std::size_t, std::vector<std::string>>> prepared;
        std::size_t taken = 0;
        ReadCsvRecordsAhead(
            file, aheadReports,
            [&](std::span<const std::string_view>) {
                if (++taken == 1) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(100));
                }
            },
            CsvScan::Best, nullptr,
            [&](std::size_t index, std::span<const std::string_view> record) {
                prepared.emplace_back(index,
                                      std::vector<std::string>(record.begin(), record.end()));
            });
        QVERIFY(!prepared.empty());
        for (const auto& [index, preparedCells] : prepared) {
            const auto first =
                cells.begin() + static_cast<std::ptrdiff_t>(index * kImportedColumnCount);
            QVERIFY(std::equal(preparedCells.begin(), preparedCells.end(), first));
        }
    }

    // The reading begun before the taker is ready: what is read meanwhile waits in the batches,
    // and a taker that comes late gets every record, the same reports, and the lines after
    // those it had; the reader, finding the taker behind by the batches that waited, prepares
    // records once the taker has come. Made and never taken, the reading stops without a hang.
    void readAheadStartedEarly() {
        std::string file = "Number,Frequency,Bandwidth\n";
        while (file.size() < (std::size_t{2} << 20)) {
            file += "1,7100000,\"2700\",,,,,,,,,,,,,,\"USB\",x,\"Z\xFCrich\"\r\n2,x\n";
        }
        std::vector<Diagnostic> reports;
        std::vector<std::string> cells;
        std::vector<int> lines = {7};
        const int records = ReadCsvRecords(
            file, reports,
            [&](std::span<const std::string_view> record) {
                cells.insert(cells.end(), record.begin(), record.end());
            },
            CsvScan::Best, &lines);
        {
            const CsvRecordsAhead untaken(file);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }

        CsvRecordsAhead ahead(file, CsvScan::Best, /*withLines=*/true);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::vector<Diagnostic> aheadReports;
        std::vector<std::string> aheadCells;
        std::vector<int> aheadLines = {7};
        std::vector<std::size_t> prepared;
        const int taken = ahead.TakeAll(
            aheadReports,
            [&](std::span<const std::string_view> record) {
                aheadCells.insert(aheadCells.end(), record.begin(), record.end());
            },
            &aheadLines,
            [&](std::size_t index, std::span<const std::string_view>) {
                prepared.push_back(index);
            });
        QCOMPARE(taken, records);
        QVERIFY(aheadCells == cells);
        QVERIFY(aheadReports == reports);
        QVERIFY(aheadLines == lines);
        QVERIFY(!prepared.empty());
        QVERIFY(std::is_sorted(prepared.begin(), prepared.end()));
    }
};

QTEST_APPLESS_MAIN(TestCsvScan)
#include "tst_csvscan.moc"

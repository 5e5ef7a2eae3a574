#include <QtTest>

#include <cstdint>
#include <vector>

#include "g3m/RecordChecksum.h"

using namespace corvalen;

using Bytes = std::vector<std::uint8_t>;
Q_DECLARE_METATYPE(Bytes)

namespace {

Bytes Record(std::size_t length, std::initializer_list<std::pair<std::size_t, Bytes>> fields) {
    Bytes record(length, 0);
    for (const auto& [offset, bytes] : fields) {
        std::copy(bytes.begin(), bytes.end(), record.begin() + static_cast<std::ptrdiff_t>(offset));
    }
    return record;
}

}  // namespace

class TestRecordChecksum : public QObject {
    Q_OBJECT

private slots:
    void checksum_data();
    void checksum();
    void checksumWordItselfNeverCounts();
    void wordsBehindChecksumCountOnlyInLongRecords();
};

void TestRecordChecksum::checksum_data() {
    QTest::addColumn<Bytes>("record");
    QTest::addColumn<QString>("text");

    QTest::newRow("303 example: 14000001")
        << Record(84, {{0, {0x01}}, {4, {0x80, 0x9F, 0xD5, 0x00}}}) << "00D59F81";
    QTest::newRow("313 example: wraps past 2^32")
        << Record(92, {{0, {0x02}}, {88, {0xFF, 0xFF, 0xFF, 0xFF}}}) << "00000001";
    QTest::newRow("all zero") << Bytes(92, 0) << "00000000";
    QTest::newRow("exactly 2^32") << Record(84, {{0, {0, 0, 0, 0x80}}, {76, {0, 0, 0, 0x80}}})
                                  << "00000000";
    QTest::newRow("22 words of FFFFFFFF") << Bytes(92, 0xFF) << "FFFFFFEA";
    QTest::newRow("byte order within words")
        << Record(84, {{8, {0x01, 0x02, 0x03, 0x04}}, {12, {0x10}}}) << "04030211";
    QTest::newRow("sum keeps its low 32 bits")
        << Record(84, {{0, {0xFF, 0xFF, 0xFF, 0xFF}}, {4, {0x05}}}) << "00000004";
}

void TestRecordChecksum::checksum() {
    QFETCH(Bytes, record);
    QFETCH(QString, text);
    const std::uint32_t checksum = ComputeRecordChecksum(record);
    QCOMPARE(QString::fromStdString(ChecksumText(checksum)), text);
    QCOMPARE(checksum, text.toUInt(nullptr, 16));
}

void TestRecordChecksum::checksumWordItselfNeverCounts() {
    Bytes record = Record(84, {{0, {0x01}}, {4, {0x80, 0x9F, 0xD5, 0x00}}});
    record[80] = 0xDE;
    record[81] = 0xAD;
    record[82] = 0xBE;
    record[83] = 0xEF;
    QCOMPARE(ComputeRecordChecksum(record), 0x00D59F81u);
}

void TestRecordChecksum::wordsBehindChecksumCountOnlyInLongRecords() {
    Bytes record(92, 0);
    record[91] = 0x01;
    QCOMPARE(ComputeRecordChecksum(record), 0x01000000u);
    record.resize(84);
    QCOMPARE(ComputeRecordChecksum(record), 0u);
}

QTEST_GUILESS_MAIN(TestRecordChecksum)
#include "tst_recordchecksum.moc"

#include <QtTest>

#include "convert/Utf16.h"

using namespace corvalen;

class TestUtf16 : public QObject {
    Q_OBJECT

private slots:
    // Bytes after the mark, both byte orders made from one list of code units.
    void decodes_data() {
        QTest::addColumn<QList<quint16>>("units");
        QTest::addColumn<QByteArray>("oddByte");  // a last byte that makes no whole unit
        QTest::addColumn<QString>("text");
        QTest::newRow("ascii") << QList<quint16>{'R', 'B', ' ', '&'} << QByteArray() << "RB &";
        QTest::newRow("letters") << QList<quint16>{0x00E9, 0x20AC, 0x0416} << QByteArray()
                                 << QString::fromUtf8("é€Ж");
        QTest::newRow("pair outside the BMP")
            << QList<quint16>{'x', 0xD83D, 0xDCFB, 'y'} << QByteArray()
            << QString::fromUtf8("x\xF0\x9F\x93\xBBy");
        QTest::newRow("high surrogate alone")
            << QList<quint16>{0xD83D, 'a'} << QByteArray() << QString::fromUtf8("\uFFFDa");
        QTest::newRow("high surrogate at the end")
            << QList<quint16>{'a', 0xD83D} << QByteArray() << QString::fromUtf8("a\uFFFD");
        QTest::newRow("low surrogate alone")
            << QList<quint16>{0xDCFB, 0xDCFB} << QByteArray() << QString::fromUtf8("\uFFFD\uFFFD");
        QTest::newRow("odd last byte")
            << QList<quint16>{'a'} << QByteArray("b") << QString::fromUtf8("a\uFFFD");
        QTest::newRow("nothing after the mark") << QList<quint16>{} << QByteArray() << "";
    }
    void decodes() {
        QFETCH(QList<quint16>, units);
        QFETCH(QByteArray, oddByte);
        QFETCH(QString, text);
        for (const bool little : {true, false}) {
            std::string bytes = little ? "\xFF\xFE" : "\xFE\xFF";
            for (const quint16 unit : units) {
                const char high = static_cast<char>(unit >> 8);
                const char low = static_cast<char>(unit & 0xFF);
                bytes += little ? low : high;
                bytes += little ? high : low;
            }
            bytes += oddByte.toStdString();
            QVERIFY(StartsWithUtf16Mark(bytes));
            QCOMPARE(QString::fromStdString(Utf8FromUtf16(bytes)), text);
        }
    }

    void textWithoutMarkIsNoUtf16() {
        QVERIFY(!StartsWithUtf16Mark("<\0A\0"));
        QVERIFY(!StartsWithUtf16Mark("\xEF\xBB\xBF<"));
        QVERIFY(!StartsWithUtf16Mark("\xFF"));
        QCOMPARE(Utf8FromUtf16("abc"), std::string());
    }
};

QTEST_GUILESS_MAIN(TestUtf16)
#include "tst_utf16.moc"

#include <QtTest>

#include "convert/Windows1252.h"

using namespace corvalen;

class TestWindows1252 : public QObject {
    Q_OBJECT

private slots:
    void everyByteRoundTrips() {
        std::string all;
        for (int b = 0; b < 256; ++b) {
            all.push_back(static_cast<char>(b));
        }
        const std::string utf8 = Utf8FromWindows1252(all);
        // Qt's own decoder agrees on the UTF-8 being well formed.
        QCOMPARE(QString::fromUtf8(utf8).toUtf8().toStdString(), utf8);
        std::string bytes;
        QCOMPARE(AppendWindows1252FromUtf8(utf8, bytes), std::size_t(0));
        QCOMPARE(bytes, all);
    }

    void decodes_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("ascii") << QByteArray("Radio 1") << "Radio 1";
        QTest::newRow("latin-1 range") << QByteArray("Z\xfcrich \xe9t\xe9") << "Zürich été";
        QTest::newRow("euro and quotes") << QByteArray("\x80\x96\x94") << "€–”";
        QTest::newRow("unassigned byte") << QByteArray("\x81") << QString(QChar(0x81));
    }
    void decodes() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(Utf8FromWindows1252(bytes.toStdString())), text);
    }

    // A character without a byte, and every byte of malformed UTF-8, becomes one "?".
    void encodesWithQuestionMarks_data() {
        QTest::addColumn<QByteArray>("utf8");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("replaced");
        QTest::newRow("cyrillic") << QByteArray("Радио") << QByteArray("?????") << 5;
        QTest::newRow("mixed") << QByteArray("A€Ω") << QByteArray("A\x80?") << 1;
        QTest::newRow("outside the BMP") << QByteArray("x😀y") << QByteArray("x?y") << 1;
        QTest::newRow("cut sequence at end") << QByteArray("a\xc3") << QByteArray("a?") << 1;
        QTest::newRow("stray continuation") << QByteArray("\x80z") << QByteArray("?z") << 1;
        QTest::newRow("overlong slash") << QByteArray("\xc0\xaf") << QByteArray("??") << 2;
        QTest::newRow("surrogate") << QByteArray("\xed\xa0\x80") << QByteArray("???") << 3;
    }
    void encodesWithQuestionMarks() {
        QFETCH(QByteArray, utf8);
        QFETCH(QByteArray, bytes);
        QFETCH(int, replaced);
        std::string out = "(";
        QCOMPARE(AppendWindows1252FromUtf8(utf8.toStdString(), out), std::size_t(replaced));
        QCOMPARE(out, "(" + bytes.toStdString());
    }
};

QTEST_GUILESS_MAIN(TestWindows1252)
#include "tst_windows1252.moc"

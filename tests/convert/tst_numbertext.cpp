#include <QtTest>

#include <cmath>
#include <limits>

#include "convert/NumberText.h"

using namespace corvalen;

namespace {
const QString kNone = QStringLiteral("none");  // marks an expected nullopt
}

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    void parseWholeNumber_data();
    void parseWholeNumber();
    void parseDecimal_data();
    void parseDecimal();
    void leadingNumericValue_data();
    void leadingNumericValue();
    void leadingNumericValueOutOfRange();
    void roundHalfToEven_data();
    void roundHalfToEven();
};

void TestNumberText::parseWholeNumber_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("expected");  // decimal text, or kNone

    QTest::newRow("plain") << QByteArray("12") << "12";
    QTest::newRow("blanks around") << QByteArray("  12 ") << "12";
    QTest::newRow("leading zeros") << QByteArray("007") << "7";
    QTest::newRow("zero") << QByteArray("0") << "0";
    QTest::newRow("largest") << QByteArray("18446744073709551615") << "18446744073709551615";
    QTest::newRow("one past largest") << QByteArray("18446744073709551616") << kNone;
    QTest::newRow("far too long") << QByteArray("999999999999999999999999") << kNone;
    QTest::newRow("empty") << QByteArray("") << kNone;
    QTest::newRow("blanks only") << QByteArray("   ") << kNone;
    QTest::newRow("fraction") << QByteArray("12.7") << kNone;
    QTest::newRow("sign") << QByteArray("-3") << kNone;
    QTest::newRow("plus sign") << QByteArray("+3") << kNone;
    QTest::newRow("blank inside") << QByteArray("1 2") << kNone;
    QTest::newRow("trailing letters") << QByteArray("12abc") << kNone;
    QTest::newRow("tab around") << QByteArray("\t12") << kNone;
}

void TestNumberText::parseWholeNumber() {
    QFETCH(QByteArray, text);
    QFETCH(QString, expected);
    const auto value = ParseWholeNumber(text.toStdString());
    if (expected == kNone) {
        QVERIFY(!value.has_value());
    } else {
        QVERIFY(value.has_value());
        QCOMPARE(QString::number(*value), expected);
    }
}

void TestNumberText::parseDecimal_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("expected");

    QTest::newRow("whole") << QByteArray("12") << true << 12.0;
    QTest::newRow("negative") << QByteArray("-1500") << true << -1500.0;
    QTest::newRow("plus") << QByteArray("+2400") << true << 2400.0;
    QTest::newRow("fraction") << QByteArray("2400.5") << true << 2400.5;
    QTest::newRow("no whole part") << QByteArray(".5") << true << 0.5;
    QTest::newRow("point at end") << QByteArray("7.") << true << 7.0;
    QTest::newRow("blanks around") << QByteArray("  -2.25 ") << true << -2.25;
    QTest::newRow("32-bit top exact") << QByteArray("4294967295") << true << 4294967295.0;
    QTest::newRow("many fraction digits")
        << QByteArray("0.1000000000000000000000000000001") << true << 0.1;
    QTest::newRow("empty") << QByteArray("") << false << 0.0;
    QTest::newRow("point only") << QByteArray(".") << false << 0.0;
    QTest::newRow("sign only") << QByteArray("-") << false << 0.0;
    QTest::newRow("blank after sign") << QByteArray("- 5") << false << 0.0;
    QTest::newRow("exponent") << QByteArray("1e3") << false << 0.0;
    QTest::newRow("two points") << QByteArray("1.2.3") << false << 0.0;
    QTest::newRow("unit") << QByteArray("14.2MHz") << false << 0.0;
    QTest::newRow("comma") << QByteArray("1,5") << false << 0.0;
    QTest::newRow("infinity word") << QByteArray("inf") << false << 0.0;
}

void TestNumberText::parseDecimal() {
    QFETCH(QByteArray, text);
    QFETCH(bool, valid);
    QFETCH(double, expected);
    const auto value = ParseDecimal(text.toStdString());
    QCOMPARE(value.has_value(), valid);
    if (valid) {
        QCOMPARE(*value, expected);
    }
}

void TestNumberText::leadingNumericValue_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("empty") << QByteArray("") << 0.0;
    QTest::newRow("letters") << QByteArray("abc") << 0.0;
    QTest::newRow("number then letters") << QByteArray("12abc") << 12.0;
    QTest::newRow("blanks inside") << QByteArray(" - 5") << -5.0;
    QTest::newRow("blanks between digits") << QByteArray("1 2\t3") << 123.0;
    QTest::newRow("fraction") << QByteArray("-100.75") << -100.75;
    QTest::newRow("second point ends it") << QByteArray("1.2.3") << 1.2;
    QTest::newRow("exponent") << QByteArray("1e3") << 1000.0;
    QTest::newRow("exponent with blanks") << QByteArray("2 E - 2") << 0.02;
    QTest::newRow("bare exponent letter") << QByteArray("7e") << 7.0;
    QTest::newRow("exponent sign only") << QByteArray("7e+x") << 7.0;
    QTest::newRow("plus then group") << QByteArray("3+10") << 3.0;
    QTest::newRow("sign alone") << QByteArray("-") << 0.0;
    QTest::newRow("point alone") << QByteArray(".") << 0.0;
    QTest::newRow("double sign") << QByteArray("--5") << 0.0;
    QTest::newRow("leading zeros") << QByteArray("000.0050") << 0.005;
    QTest::newRow("huge") << QByteArray("1e300") << 1e300;
    QTest::newRow("fifty digits") << QByteArray(
                                         "12345678901234567890123456789012345678901234567890")
                                  << 1.2345678901234568e49;
    QTest::newRow("tiny") << QByteArray("1e-400") << 0.0;
}

void TestNumberText::leadingNumericValue() {
    QFETCH(QByteArray, text);
    QFETCH(double, expected);
    QCOMPARE(LeadingNumericValue(text.toStdString()), expected);
}

void TestNumberText::leadingNumericValueOutOfRange() {
    // Beyond the double range the value saturates instead of failing; a huge exponent text must
    // neither overflow the exponent nor take long.
    QCOMPARE(LeadingNumericValue("1e400"), std::numeric_limits<double>::infinity());
    QCOMPARE(LeadingNumericValue("-1e99999999999999999999"),
             -std::numeric_limits<double>::infinity());
    QCOMPARE(LeadingNumericValue("0e99999"), 0.0);
}

void TestNumberText::roundHalfToEven_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");

    QTest::newRow("2.5 down") << 2.5 << 2.0;
    QTest::newRow("3.5 up") << 3.5 << 4.0;
    QTest::newRow("0.5 to 0") << 0.5 << 0.0;
    QTest::newRow("-0.5 to 0") << -0.5 << 0.0;
    QTest::newRow("-1500.5 to -1500") << -1500.5 << -1500.0;
    QTest::newRow("-2.5 to -2") << -2.5 << -2.0;
    QTest::newRow("-3.5 to -4") << -3.5 << -4.0;
    QTest::newRow("below half") << 2.4999999 << 2.0;
    QTest::newRow("above half") << 2.5000001 << 3.0;
    QTest::newRow("negative above half") << -2.6 << -3.0;
    QTest::newRow("whole stays") << 7.0 << 7.0;
    QTest::newRow("beyond 2^53") << 9007199254740993.0 << 9007199254740993.0;
}

void TestNumberText::roundHalfToEven() {
    QFETCH(double, value);
    QFETCH(double, expected);
    QCOMPARE(RoundHalfToEven(value), expected);
}

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"

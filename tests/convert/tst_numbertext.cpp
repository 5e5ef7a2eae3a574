#include <QtTest>

#include <limits>

#include "convert/FrequencyText.h"
#include "convert/NumberText.h"

using namespace corvalen;

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    void wholeNumber_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<quint64>("value");
        QTest::newRow("blanks around") << QByteArray("  12 ") << true << quint64(12);
        QTest::newRow("largest") << QByteArray("18446744073709551615") << true
                                 << std::numeric_limits<quint64>::max();
        QTest::newRow("one past largest")
            << QByteArray("18446744073709551616") << false << quint64(0);
        QTest::newRow("empty") << QByteArray(" ") << false << quint64(0);
        QTest::newRow("fraction") << QByteArray("12.7") << false << quint64(0);
        QTest::newRow("sign") << QByteArray("+3") << false << quint64(0);
        // The short form without blanks is read on a quicker path; its edges:
        QTest::newRow("19 digits")
            << QByteArray("9999999999999999999") << true << quint64(9999999999999999999ull);
        QTest::newRow("20 digits, leading zero")
            << QByteArray("01234567890123456789") << true << quint64(1234567890123456789ull);
        QTest::newRow("blank inside") << QByteArray("1 2") << false << quint64(0);
        QTest::newRow("letter last") << QByteArray("12x") << false << quint64(0);
        QTest::newRow("byte below digits") << QByteArray("1/") << false << quint64(0);
    }
    void wholeNumber() {
        QFETCH(QByteArray, text);
        QFETCH(bool, valid);
        QFETCH(quint64, value);
        const auto parsed = ParseWholeNumber(text.toStdString());
        QCOMPARE(parsed.has_value(), valid);
        QCOMPARE(parsed.value_or(0), value);
    }

    void decimal_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("value");
        QTest::newRow("negative") << QByteArray("-1500") << true << -1500.0;
        QTest::newRow("fraction, blanks") << QByteArray(" +2400.5 ") << true << 2400.5;
        QTest::newRow("no whole part") << QByteArray(".5") << true << 0.5;
        QTest::newRow("long, correctly rounded")
            << QByteArray("0.10000000000000000000000001") << true << 0.1;
        QTest::newRow("point only") << QByteArray(".") << false << 0.0;
        QTest::newRow("blank after sign") << QByteArray("- 5") << false << 0.0;
        QTest::newRow("exponent") << QByteArray("1e3") << false << 0.0;
        QTest::newRow("unit") << QByteArray("14.2MHz") << false << 0.0;
        QTest::newRow("two points") << QByteArray("1.2.3") << false << 0.0;
        QTest::newRow("sign only") << QByteArray("-") << false << 0.0;
        QTest::newRow("16 digits, beyond exact")
            << QByteArray("9007199254740993") << true << 9007199254740992.0;
        QTest::newRow("16 places, correctly rounded")
            << QByteArray("0.12345678901234567") << true << 0.12345678901234567;
        QTest::newRow("short fraction") << QByteArray("-7100000.9") << true << -7100000.9;
    }
    void decimal() {
        QFETCH(QByteArray, text);
        QFETCH(bool, valid);
        QFETCH(double, value);
        const auto parsed = ParseDecimal(text.toStdString());
        QCOMPARE(parsed.has_value(), valid);
        QCOMPARE(parsed.value_or(0.0), value);
    }

    void leadingNumeric_data() {
        const double infinity = std::numeric_limits<double>::infinity();
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("none") << QByteArray("abc") << 0.0;
        QTest::newRow("number then text") << QByteArray("12abc") << 12.0;
        QTest::newRow("blanks anywhere") << QByteArray(" - 1 2\t.5") << -12.5;
        QTest::newRow("exponent") << QByteArray("2 E - 2") << 0.02;
        QTest::newRow("exponent without digits") << QByteArray("7e+x") << 7.0;
        QTest::newRow("sixty digits") << QByteArray(60, '9') << 1e60;
        QTest::newRow("huge") << QByteArray("1e300") << 1e300;
        QTest::newRow("beyond double") << QByteArray("-1e99999999999999999999") << -infinity;
        QTest::newRow("too small") << QByteArray("1e-400") << 0.0;
        QTest::newRow("digits to the end") << QByteArray("-72") << -72.0;
        QTest::newRow("digits, blank after") << QByteArray("16 ") << 16.0;
        QTest::newRow("zero with sign") << QByteArray("-0") << 0.0;
        QTest::newRow("sign only") << QByteArray("-") << 0.0;
        QTest::newRow("16 digits") << QByteArray("1234567890123456") << 1234567890123456.0;
    }
    void leadingNumeric() {
        QFETCH(QByteArray, text);
        QFETCH(double, value);
        QCOMPARE(LeadingNumericValue(text.toStdString()), value);
    }

    void roundHalfToEven_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("rounded");
        QTest::newRow("2.5") << 2.5 << 2.0;
        QTest::newRow("3.5") << 3.5 << 4.0;
        QTest::newRow("-0.5") << -0.5 << 0.0;
        QTest::newRow("-1500.5") << -1500.5 << -1500.0;
        QTest::newRow("-3.5") << -3.5 << -4.0;
        QTest::newRow("negative above half") << -2.6 << -3.0;
    }
    void roundHalfToEven() {
        QFETCH(double, value);
        QFETCH(double, rounded);
        QCOMPARE(RoundHalfToEven(value), rounded);
    }

    // Typed and exchanged frequencies: exact whole Hz, or the reason there is none.
    void frequencyText_data() {
        using Status = FrequencyReading::Status;
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("unitWhenNone");
        QTest::addColumn<int>("status");
        QTest::addColumn<quint64>("hz");
        const int mhz = int(FrequencyUnit::MHz);
        const int hz = int(FrequencyUnit::Hz);
        const auto row = [](const char* name, const char* text, int unitWhenNone, Status status,
                            quint64 expectedHz) {
            QTest::newRow(name) << QByteArray(text) << unitWhenNone << int(status) << expectedHz;
        };
        row("bare MHz", "118", mhz, Status::Ok, 118000000);
        row("MHz with unit", " 118.000 MHz", hz, Status::Ok, 118000000);
        row("kHz short", "25k", hz, Status::Ok, 25000);
        row("8.33 kHz", "8.33 kHz", hz, Status::Ok, 8330);
        row("no float error", "146.52", mhz, Status::Ok, 146520000);
        row("trailing zeros past Hz", "9.5800000000M", hz, Status::Ok, 9580000);
        row("fraction of a hertz", "8.333 Hz", hz, Status::NotWholeHz, 0);
        row("too large", "18446744073709551616", hz, Status::TooLarge, 0);
        row("unknown unit", "12 GHz", hz, Status::NotAFrequency, 0);
        row("sign", "-5", hz, Status::NotAFrequency, 0);
        row("point only", ". MHz", hz, Status::NotAFrequency, 0);
    }
    void frequencyText() {
        QFETCH(QByteArray, text);
        QFETCH(int, unitWhenNone);
        QFETCH(int, status);
        QFETCH(quint64, hz);
        const FrequencyReading read =
            ReadFrequency(text.toStdString(), FrequencyUnit(unitWhenNone));
        QCOMPARE(int(read.status), status);
        QCOMPARE(quint64(read.hz), hz);
        if (read.status == FrequencyReading::Status::Ok) {
            // Written back in MHz with six decimals and read again: the same Hz.
            const std::string text6 = FrequencyText(read.hz, FrequencyUnit::MHz, 6);
            QCOMPARE(quint64(ReadFrequency(text6, FrequencyUnit::MHz).hz), hz);
        }
        QCOMPARE(FrequencyText(9580000, FrequencyUnit::MHz), std::string("9.58"));
        QCOMPARE(FrequencyText(9580000, FrequencyUnit::kHz), std::string("9580"));
        QCOMPARE(FrequencyText(5000, FrequencyUnit::MHz, 6), std::string("0.005000"));
    }
};

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"

#include <QtTest>

#include <limits>

#include "../TestTables.h"
#include "Radix.h"
#include "convert/FrequencyText.h"
#include "convert/NumberText.h"
#include "convert/Utf16.h"
#include "convert/Windows1252.h"

using namespace corvalen;

Q_DECLARE_METATYPE(corvalen::DecimalIn)

class TestConvert : public QObject {
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
        const auto row = [](const char* name, const QByteArray& text, bool valid, double value) {
            QTest::newRow(name) << text << valid << value;
        };
        row("negative", "-1500", true, -1500.0);
        row("fraction, blanks", " +2400.5 ", true, 2400.5);
        row("no whole part", ".5", true, 0.5);
        row("long, correctly rounded", "0.10000000000000000000000001", true, 0.1);
        row("point only", ".", false, 0.0);
        row("blank after sign", "- 5", false, 0.0);
        row("exponent", "1e3", false, 0.0);
        row("unit", "14.2MHz", false, 0.0);
        row("two points", "1.2.3", false, 0.0);
        row("sign only", "-", false, 0.0);
        row("16 digits, beyond exact", "9007199254740993", true, 9007199254740992.0);
        row("16 places, correctly rounded", "0.12345678901234567", true, 0.12345678901234567);
        row("short fraction", "-7100000.9", true, -7100000.9);
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

private:
    // Every outcome as one text, so a table row can expect a value, the out-of-band -1 or an
    // error.
    static QString Outcome(const std::optional<HexOrMinusOne>& r) {
        return !r ? "<error>" : r->isMinusOne ? "<-1>" : QString::fromStdString(r->hex);
    }
    static QString Outcome(const std::optional<std::string>& r) {
        return r ? QString::fromStdString(*r) : "<error>";
    }
    static QString Outcome(const std::optional<std::int32_t>& r) {
        return r ? QString::number(*r) : "<error>";
    }
    static QString Outcome(const std::optional<double>& r) {
        return r ? QString::number(*r, 'f', 0) : "<error>";
    }
    static DecimalIn Num(std::int64_t n) { return n; }
    static DecimalIn Text(const std::string& text) { return text; }

    static void addColumns() {
        QTest::addColumn<DecimalIn>("input");
        QTest::addColumn<QString>("expected");
    }

private slots:
    void dec2Hex_data() {
        addColumns();
        QTest::newRow("zero") << Num(0) << "";
        QTest::newRow("2^32") << Num(4294967296) << "100000000";
        QTest::newRow("text leading blank") << Text(" 4096") << "1000";
        QTest::newRow("largest sum text") << Text(" 94489280490") << "15FFFFFFEA";
        QTest::newRow("largest sum double") << DecimalIn(94489280490.0) << "15FFFFFFEA";
        QTest::newRow("double fraction") << DecimalIn(2.9) << "2";
        QTest::newRow("text fraction, blanks") << Text("\t255.99 ") << "FF";
        QTest::newRow("28 chars") << Text(std::string(28, '9')) << "204FCE5E3E2502610FFFFFFF";
        QTest::newRow("29 chars") << Text("1" + std::string(28, '0')) << "<-1>";
        QTest::newRow("29 with blanks") << Text("1" + std::string(28, ' ')) << "<-1>";
        QTest::newRow("29 not a number") << Text(std::string(29, 'x')) << "<-1>";
        QTest::newRow("empty") << Text("") << "<error>";
        QTest::newRow("abc") << Text("abc") << "<error>";
        QTest::newRow("negative floors down") << Text("-2.5") << "-3";
        QTest::newRow("negative zero") << Text("-0.0") << "";
        QTest::newRow("int64 min")
            << Num(std::numeric_limits<std::int64_t>::min()) << "-8000000000000000";
    }
    void dec2Hex() {
        QFETCH(DecimalIn, input);
        QFETCH(QString, expected);
        QCOMPARE(Outcome(Dec2Hex(input)), expected);
    }

    void dec2Bin_data() {
        addColumns();
        QTest::addColumn<int>("bits");
        const QString tooWide = kBitSizeMessage.data();
        QTest::newRow("6") << Num(6) << "110" << 0;
        QTest::newRow("6 in 8 bits") << Num(6) << "00000110" << 8;
        QTest::newRow("6 in 2 bits") << Num(6) << tooWide << 2;
        QTest::newRow("negative in 4 bits") << Text("-6") << "-0110" << 4;
        QTest::newRow("2^96-1") << Text("79228162514264337593543950335") << QString(96, '1') << 0;
        QTest::newRow("2^96") << Text("79228162514264337593543950336") << "<error>" << 0;
        QTest::newRow("long text") << Text(std::string(100000, '0') + "5") << "101" << 0;
    }
    void dec2Bin() {
        QFETCH(DecimalIn, input);
        QFETCH(QString, expected);
        QFETCH(int, bits);
        QCOMPARE(Outcome(Dec2Bin(input, bits)), expected);
    }

    void bin2Hex_data() {
        addColumns();
        const QString notBinary = kNotBinaryMessage.data();
        QTest::newRow("empty") << Text("") << "";
        QTest::newRow("101") << Text("101") << "5";
        QTest::newRow("10000") << Text("10000") << "10";
        QTest::newRow("leading zeros stay") << Text("000000000001") << "001";
        QTest::newRow("digit 2") << Text("012") << notBinary;
        QTest::newRow("blank") << Text(" 1") << notBinary;
    }
    void bin2Hex() {
        QFETCH(DecimalIn, input);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(Bin2Hex(std::get<std::string>(input))), expected);
    }

    // The same texts through both readers: Hex2Dec counts a stray character as -1 and stops at
    // the int32 range, HexUnsigned2Dbl refuses stray characters and reads beyond 32 bits.
    void hexReaders_data() {
        addColumns();
        QTest::addColumn<QString>("unsignedValue");
        const auto row = [](const char* name, const std::string& text, const char* signedValue,
                            const char* unsignedValue) {
            QTest::newRow(name) << Text(text) << signedValue << unsignedValue;
        };
        row("empty", "", "0", "0");
        row("odd length", "ABC", "2748", "2748");
        row("lower case", "ff", "255", "255");
        row("int32 max", "7FFFFFFF", "2147483647", "2147483647");
        row("2^31", "80000000", "<error>", "2147483648");
        row("unsigned word", "FFFFFFFF", "<error>", "4294967295");
        row("2^53-1", "1fffffffffffff", "<error>", "9007199254740991");
        row("long zeros", std::string(600, '0') + "FF", "255", "255");
        row("minus counts -1", "-1", "-15", "<error>");
        row("bad digit pulls back", "8G000000", "2130706432", "<error>");
        row("bad digit at place 8", "-00000000", "<error>", "<error>");
        row("odd bytes", std::string("\0\xff\x80", 3), "-273", "<error>");
        row("beyond double", "1" + std::string(300, '0'), "<error>", "<error>");
    }
    void hexReaders() {
        QFETCH(DecimalIn, input);
        QFETCH(QString, expected);
        QFETCH(QString, unsignedValue);
        const std::string& text = std::get<std::string>(input);
        QCOMPARE(Outcome(Hex2Dec(text)), expected);
        QCOMPARE(Outcome(HexUnsigned2Dbl(text)), unsignedValue);
    }

    // Megabyte texts end with a result instead of hanging or crashing.
    void hugeInputsEnd() {
        const std::string ones(1 << 20, '1');
        QVERIFY(Dec2Hex(ones)->isMinusOne);
        QVERIFY(!Dec2Bin(ones));
        QCOMPARE(Bin2Hex(ones), std::string(1 << 18, 'F'));
        QVERIFY(!Hex2Dec(ones));
    }

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

    // A character without a byte, and every byte of malformed UTF-8, becomes one "?"; texts
    // without one (replaced 0) decode back from their bytes as they were.
    void encodesWithQuestionMarks_data() {
        QTest::addColumn<QByteArray>("utf8");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("replaced");
        QTest::newRow("ascii") << QByteArray("Radio 1") << QByteArray("Radio 1") << 0;
        QTest::newRow("latin-1 range")
            << QByteArray("Zürich été") << QByteArray("Z\xfcrich \xe9t\xe9") << 0;
        QTest::newRow("euro and quotes") << QByteArray("€–”") << QByteArray("\x80\x96\x94") << 0;
        QTest::newRow("unassigned byte") << QByteArray("\xc2\x81") << QByteArray("\x81") << 0;
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
        if (replaced == 0) {
            QCOMPARE(QByteArray::fromStdString(Utf8FromWindows1252(bytes.toStdString())), utf8);
        }
    }

    // Bytes after the mark, both byte orders made from one list of code units.
    void utf16Decodes_data() {
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
    void utf16Decodes() {
        QFETCH(QList<quint16>, units);
        QFETCH(QByteArray, oddByte);
        QFETCH(QString, text);
        const QString text16(reinterpret_cast<const QChar*>(units.constData()), units.size());
        for (const bool little : {true, false}) {
            const std::string bytes = (testing::Utf16Bytes(text16, little) + oddByte).toStdString();
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

QTEST_GUILESS_MAIN(TestConvert)
#include "tst_convert.moc"

#include <QtTest>
#include <limits>

#include "convert/Radix.h"

using namespace corvalen;

Q_DECLARE_METATYPE(corvalen::DecimalIn)

class TestRadix : public QObject {
    Q_OBJECT

    // Every outcome as one text, so a table row can expect a value, the out-of-band -1 or an
    // error.
    static QString Outcome(const Result<HexOrMinusOne>& r) {
        return !r ? "<error>" : r->isMinusOne ? "<-1>" : QString::fromStdString(r->hex);
    }
    static QString Outcome(const Result<std::string>& r) {
        return r ? QString::fromStdString(*r) : "<error>";
    }
    static QString Outcome(const Result<std::int32_t>& r) {
        return r ? QString::number(*r) : "<error>";
    }
    static QString Outcome(const Result<double>& r) {
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
        QVERIFY(!Dec2Bin(ones).ok());
        QCOMPARE(Bin2Hex(ones), std::string(1 << 18, 'F'));
        QVERIFY(!Hex2Dec(ones).ok());
    }
};

QTEST_GUILESS_MAIN(TestRadix)
#include "tst_radix.moc"

#include "convert/Radix.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <new>
#include <optional>

namespace corvalen {

namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";

// A text form of 29 characters or more is outside what Dec2Hex converts.
constexpr std::size_t kLongestDecimalText = 28;

// Value of a hexadecimal digit of either case, -1 for any other character.
int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

bool IsDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The input as it goes into an error message: long texts are cut so a message stays one line.
std::string Quoted(std::string_view text) {
    constexpr std::size_t kShown = 40;
    std::string quoted = "\"";
    quoted += text.substr(0, kShown);
    quoted += text.size() > kShown ? "...\"" : "\"";
    return quoted;
}

// An unsigned whole number of up to 96 bits in three 32-bit limbs, least significant first.
// 2^96 - 1 (79228162514264337593543950335) is also the largest magnitude of the decimal type
// these conversions always worked in, so a value that needs more bits is an overflow.
struct Whole96 {
    std::array<std::uint32_t, 3> limb{};

    // *this = *this * factor + addend; false when the result needs more than 96 bits.
    bool MulAdd(std::uint32_t factor, std::uint32_t addend) {
        std::uint64_t carry = addend;
        for (std::uint32_t& part : limb) {
            const std::uint64_t v = std::uint64_t{part} * factor + carry;
            part = static_cast<std::uint32_t>(v);
            carry = v >> 32;
        }
        return carry == 0;
    }

    bool IsZero() const { return limb[0] == 0 && limb[1] == 0 && limb[2] == 0; }

    // Appends the digits in base 2 (bitsPerDigit 1) or base 16 (bitsPerDigit 4), most
    // significant first, without leading zeros; nothing for 0.
    void AppendDigits(std::string& out, int bitsPerDigit) const {
        const std::uint32_t mask = (1u << bitsPerDigit) - 1;
        bool started = false;
        for (int bit = 96 - bitsPerDigit; bit >= 0; bit -= bitsPerDigit) {
            const std::uint32_t digit = (limb[bit / 32] >> (bit % 32)) & mask;
            started = started || digit != 0;
            if (started) {
                out += kHexDigits[digit];
            }
        }
    }
};

// The whole part of a decimal number, rounded towards minus infinity, as sign and magnitude.
struct FlooredDecimal {
    bool negative = false;
    Whole96 magnitude;
};

// Reads a decimal text: blanks (spaces, tabs) around it, an optional "+" or "-", digits with an
// optional "." fraction, at least one digit ("12", " 4096", "-2.5", ".5", "7."). The format is
// the same in every environment: no grouping separators, no exponent. The work is exact integer
// arithmetic on the digits: the fraction only decides whether a negative value rounds down by
// one more, so any number of fraction digits is fine.
Result<FlooredDecimal> FloorOfDecimalText(std::string_view text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && IsBlank(text[i])) {
        ++i;
    }
    FlooredDecimal result;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        result.negative = text[i] == '-';
        ++i;
    }
    bool anyDigit = false;
    bool overflow = false;
    for (; i < n && IsDecimalDigit(text[i]); ++i) {
        anyDigit = true;
        const auto digit = static_cast<std::uint32_t>(text[i] - '0');
        overflow = overflow || !result.magnitude.MulAdd(10, digit);
    }
    bool fraction = false;
    if (i < n && text[i] == '.') {
        for (++i; i < n && IsDecimalDigit(text[i]); ++i) {
            anyDigit = true;
            fraction = fraction || text[i] != '0';
        }
    }
    while (i < n && IsBlank(text[i])) {
        ++i;
    }
    if (!anyDigit || i != n) {
        return Error{Quoted(text) + " is not a decimal number"};
    }
    if (result.negative && fraction) {
        overflow = overflow || !result.magnitude.MulAdd(1, 1);  // -2.5 -> -3
    }
    if (overflow) {
        return Error{Quoted(text) + " is too large for a decimal number"};
    }
    if (result.magnitude.IsZero()) {
        result.negative = false;  // "-0", "-0.0"
    }
    return result;
}

// Room for the plain decimal text of any double: a sign and 309 whole digits for the largest,
// "0." and 324 fraction digits for the smallest.
using NumberTextBuffer = std::array<char, 400>;

// The text form of a DecimalIn: the text itself, or the plain decimal text of a number (no
// exponent, the shortest digits that read back as the same double: 2.9 -> "2.9",
// 94489280490.0 -> "94489280490").
std::optional<std::string_view> TextForm(const DecimalIn& decimalIn, NumberTextBuffer& buffer) {
    if (const auto* text = std::get_if<std::string>(&decimalIn)) {
        return std::string_view(*text);
    }
    char* const first = buffer.data();
    char* const last = first + buffer.size();
    const std::to_chars_result written =
        std::holds_alternative<double>(decimalIn)
            ? std::to_chars(first, last, std::get<double>(decimalIn), std::chars_format::fixed)
            : std::to_chars(first, last, std::get<std::int64_t>(decimalIn));
    if (written.ec != std::errc{}) {
        return std::nullopt;
    }
    return std::string_view(first, static_cast<std::size_t>(written.ptr - first));
}

// Value of the base-2 digits of sBin, each "1" weighted by 2 to the power of its place from the
// right; places 32 and above wrap away, any other character counts as 0.
std::uint32_t BinaryDigitsValue(std::string_view sBin) {
    std::uint32_t value = 0;
    const std::size_t n = sBin.size();
    for (std::size_t place = 0; place < n && place < 32; ++place) {
        if (sBin[n - 1 - place] == '1') {
            value |= std::uint32_t{1} << place;
        }
    }
    return value;
}

}  // namespace

Result<HexOrMinusOne> Dec2Hex(const DecimalIn& decimalIn) {
    NumberTextBuffer buffer;
    const std::optional<std::string_view> text = TextForm(decimalIn, buffer);
    if (!text || text->size() > kLongestDecimalText) {
        return HexOrMinusOne{true, {}};
    }
    Result<FlooredDecimal> whole = FloorOfDecimalText(*text);
    if (!whole) {
        return whole.error();
    }
    HexOrMinusOne result;
    if (whole->negative) {
        result.hex = "-";
    }
    whole->magnitude.AppendDigits(result.hex, 4);
    return result;
}

Result<std::string> Dec2Bin(const DecimalIn& decimalIn, int numberOfBits) {
    NumberTextBuffer buffer;
    const std::optional<std::string_view> text = TextForm(decimalIn, buffer);
    if (!text) {
        return Error{"the number is too large for a decimal number"};
    }
    Result<FlooredDecimal> whole = FloorOfDecimalText(*text);
    if (!whole) {
        return whole.error();
    }
    std::string bits;
    whole->magnitude.AppendDigits(bits, 1);
    if (numberOfBits > 0) {
        const auto width = static_cast<std::size_t>(numberOfBits);
        if (bits.size() > width) {
            return std::string(kBitSizeMessage);
        }
        try {
            bits.insert(0, width - bits.size(), '0');
        } catch (const std::bad_alloc&) {
            return Error{"no memory for " + std::to_string(numberOfBits) + " binary digits"};
        }
    }
    if (whole->negative) {
        bits.insert(0, 1, '-');
    }
    return bits;
}

std::string Bin2Hex(std::string_view binaryString) {
    for (const char c : binaryString) {
        if (c != '0' && c != '1') {
            return std::string(kNotBinaryMessage);
        }
    }
    // Zeros in front make the length a multiple of four; every group of four, leading zero
    // groups included, gives one digit (the group's place in the nibble table).
    const std::size_t padding = (4 - binaryString.size() % 4) % 4;
    std::string hex;
    hex.reserve((binaryString.size() + padding) / 4);
    std::size_t inGroup = padding;
    unsigned nibble = 0;
    for (const char c : binaryString) {
        nibble = nibble * 2 + (c == '1' ? 1 : 0);
        if (++inGroup == 4) {
            hex += kHexDigits[nibble];
            inGroup = 0;
            nibble = 0;
        }
    }
    return hex;
}

Result<std::int32_t> Hex2Dec(std::string_view sHex) {
    // Digit k from the right adds d * 16^k, where d is -1 for a character outside the digits.
    // The sum has to fit an int32 after every step. From k = 8 on, any non-zero d moves it by at
    // least 2^32, so only zeros may stand there.
    std::int64_t value = 0;
    const std::size_t n = sHex.size();
    for (std::size_t k = 0; k < n; ++k) {
        const int digit = HexDigitValue(sHex[n - 1 - k]);
        if (digit == 0) {
            continue;
        }
        if (k >= 8) {
            return Error{"hexadecimal " + Quoted(sHex) + " does not fit a 32-bit number"};
        }
        value += std::int64_t{digit} << (4 * k);
        if (value > std::numeric_limits<std::int32_t>::max() ||
            value < std::numeric_limits<std::int32_t>::min()) {
            return Error{"hexadecimal " + Quoted(sHex) + " does not fit a 32-bit number"};
        }
    }
    return static_cast<std::int32_t>(value);
}

Result<double> HexUnsigned2Dbl(std::string_view sHex) {
    // Byte pairs from the right; a text of odd length has a "0" in front of its first digit.
    double total = 0;
    std::size_t end = sHex.size();
    for (std::size_t k = 0; end > 0; ++k) {
        const std::size_t start = end >= 2 ? end - 2 : 0;
        const int high = end - start == 2 ? HexDigitValue(sHex[start]) : 0;
        const int low = HexDigitValue(sHex[end - 1]);
        if (high < 0 || low < 0) {
            return Error{Quoted(sHex.substr(start, end - start)) + " in " + Quoted(sHex) +
                         " is not a hexadecimal byte"};
        }
        if (const int byte = high * 16 + low; byte != 0) {
            // Each term is exact; the exponent is capped where the term is infinite anyway.
            const int exponent = k < 256 ? static_cast<int>(8 * k) : 2048;
            total += std::ldexp(static_cast<double>(byte), exponent);
            if (!std::isfinite(total)) {
                return Error{"hexadecimal " + Quoted(sHex) + " is too large for a number"};
            }
        }
        end = start;
    }
    return total;
}

std::string Bin2Hex2(std::string_view sBin) {
    std::string hex;
    Whole96 value;
    value.limb[0] = BinaryDigitsValue(sBin);
    value.AppendDigits(hex, 4);
    if (hex.empty()) {
        hex = "0";
    }
    if (hex.size() % 2 != 0) {
        hex.insert(0, 1, '0');
    }
    return hex;
}

std::int32_t Bin2Dec(std::string_view sBin) {
    return static_cast<std::int32_t>(BinaryDigitsValue(sBin));
}

std::string Dec2Bin2(std::int16_t nDec) {
    const auto word = static_cast<std::uint16_t>(nDec);
    if (word == 0) {
        return "0000";
    }
    std::string bits;
    Whole96 value;
    value.limb[0] = word;
    value.AppendDigits(bits, 1);
    return bits;
}

std::string Hex2Bin(std::string_view sHex) {
    std::string bits;
    bits.reserve(sHex.size() * 4);
    for (const char c : sHex) {
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            return {};
        }
        for (int bit = 3; bit >= 0; --bit) {
            bits += (digit >> bit) & 1 ? '1' : '0';
        }
    }
    const std::size_t firstOne = bits.find('1');
    if (firstOne != std::string::npos) {
        bits.erase(0, firstOne);
    }
    return bits;
}

std::int32_t HiWord(std::int32_t dWord) {
    return dWord / 65536;
}

std::int32_t LoWord(std::int32_t dWord) {
    return dWord & 0xFFFF;
}

std::int32_t DWord(std::int32_t hiWord, std::int32_t loWord) {
    const std::uint32_t high = static_cast<std::uint32_t>(hiWord) << 16;
    return static_cast<std::int32_t>(high | (static_cast<std::uint32_t>(loWord) & 0xFFFF));
}

}  // namespace corvalen

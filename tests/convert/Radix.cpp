#include "Radix.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <new>
#include <optional>

#include "convert/NumberText.h"

namespace corvalen {

namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";

// A text form of 29 characters or more is outside what Dec2Hex converts.
constexpr std::size_t kLongestDecimalText = 28;

// 2^96 - 1, the largest magnitude these conversions take (that of a 96-bit decimal type).
constexpr std::string_view kLargestMagnitude = "79228162514264337593543950335";

// Value of a hexadecimal digit of either case, -1 for any other character.
int HexDigitValue(char c) {
    const std::size_t at = kHexDigits.find(c >= 'a' && c <= 'f' ? static_cast<char>(c - 32) : c);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

// The whole part of a decimal number, rounded towards minus infinity, as sign and magnitude.
struct FlooredDecimal {
    bool negative = false;
    std::string binary;  // the magnitude's base-2 digits, without leading zeros; empty for 0
};

// Reads a decimal text as DecimalIn describes it (".5" and "7." too). The work is exact: the
// whole digits are halved as decimal text, and the fraction only decides whether a negative
// value rounds down by one more, so any number of fraction digits is fine.
std::optional<FlooredDecimal> FloorOfDecimalText(std::string_view text) {
    text = TrimBlanks(text);
    FlooredDecimal result;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        result.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const std::size_t point = std::min(text.find('.'), text.size());
    std::string_view whole = text.substr(0, point);
    const std::string_view fraction = text.substr(std::min(point + 1, text.size()));
    if (whole.size() + fraction.size() == 0 || !std::all_of(whole.begin(), whole.end(), IsDigit) ||
        !std::all_of(fraction.begin(), fraction.end(), IsDigit)) {
        return std::nullopt;
    }
    whole.remove_prefix(std::min(whole.find_first_not_of('0'), whole.size()));
    std::string digits(whole);
    if (result.negative && fraction.find_first_not_of('0') != std::string_view::npos) {
        // -2.5 rounds down to -3: one more on the magnitude.
        std::size_t at = digits.size();
        while (at > 0 && digits[at - 1] == '9') {
            digits[--at] = '0';
        }
        if (at == 0) {
            digits.insert(0, 1, '1');
        } else {
            ++digits[at - 1];
        }
    }
    if (digits.size() > kLargestMagnitude.size() ||
        (digits.size() == kLargestMagnitude.size() && digits > kLargestMagnitude)) {
        return std::nullopt;
    }
    // Halving the decimal digits again and again gives the base-2 digits from the last.
    while (!digits.empty()) {
        int carry = 0;
        for (char& digit : digits) {
            const int value = carry * 10 + (digit - '0');
            digit = static_cast<char>('0' + value / 2);
            carry = value % 2;
        }
        result.binary += carry != 0 ? '1' : '0';
        digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
    }
    std::reverse(result.binary.begin(), result.binary.end());
    result.negative = result.negative && !result.binary.empty();  // "-0", "-0.0"
    return result;
}

// The text form of a DecimalIn, as it describes it, a number's written into `buffer`; none when
// it does not fit there.
std::optional<std::string_view> TextForm(const DecimalIn& decimalIn,
                                         std::array<char, 400>& buffer) {
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

}  // namespace

std::optional<HexOrMinusOne> Dec2Hex(const DecimalIn& decimalIn) {
    std::array<char, 400> buffer;
    const std::optional<std::string_view> text = TextForm(decimalIn, buffer);
    if (!text || text->size() > kLongestDecimalText) {
        return HexOrMinusOne{true, {}};
    }
    std::optional<FlooredDecimal> whole = FloorOfDecimalText(*text);
    if (!whole) {
        return std::nullopt;
    }
    return HexOrMinusOne{false, (whole->negative ? "-" : "") + Bin2Hex(whole->binary)};
}

std::optional<std::string> Dec2Bin(const DecimalIn& decimalIn, int numberOfBits) {
    std::array<char, 400> buffer;
    const std::optional<std::string_view> text = TextForm(decimalIn, buffer);
    if (!text) {
        return std::nullopt;
    }
    std::optional<FlooredDecimal> whole = FloorOfDecimalText(*text);
    if (!whole) {
        return std::nullopt;
    }
    std::string& bits = whole->binary;
    if (numberOfBits > 0) {
        const auto width = static_cast<std::size_t>(numberOfBits);
        if (bits.size() > width) {
            return std::string(kBitSizeMessage);
        }
        try {
            bits.insert(0, width - bits.size(), '0');
        } catch (const std::bad_alloc&) {
            return std::nullopt;
        }
    }
    return whole->negative ? "-" + bits : bits;
}

std::string Bin2Hex(std::string_view binaryString) {
    if (binaryString.find_first_not_of("01") != std::string_view::npos) {
        return std::string(kNotBinaryMessage);
    }
    // Zeros in front make the length a multiple of four; every group of four, leading zero
    // groups included, gives one digit (the group's place in the nibble table).
    std::string hex;
    hex.reserve(binaryString.size() / 4 + 1);
    unsigned nibble = 0;
    for (std::size_t k = 0; k < binaryString.size(); ++k) {
        nibble = nibble * 2 + (binaryString[k] == '1' ? 1 : 0);
        if ((binaryString.size() - k - 1) % 4 == 0) {
            hex += kHexDigits[nibble];
            nibble = 0;
        }
    }
    return hex;
}

std::optional<std::int32_t> Hex2Dec(std::string_view sHex) {
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
            return std::nullopt;
        }
        value += std::int64_t{digit} << (4 * k);
        if (value > INT32_MAX || value < INT32_MIN) {
            return std::nullopt;
        }
    }
    return static_cast<std::int32_t>(value);
}

std::optional<double> HexUnsigned2Dbl(std::string_view sHex) {
    // Read in pairs from the right, an odd length with a "0" in front: the value is the same as
    // the digits' from the left, each step exact up to 2^53.
    double total = 0;
    for (const char c : sHex) {
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            return std::nullopt;
        }
        total = total * 16 + digit;
    }
    if (!std::isfinite(total)) {
        return std::nullopt;
    }
    return total;
}

}  // namespace corvalen

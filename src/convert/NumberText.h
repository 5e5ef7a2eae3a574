#pragma once

// Fast, locale-independent readers for the numbers that memory-table cells hold. They never
// throw and never allocate; each says in its result whether the text was what it expects.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace corvalen {

constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The text without the `blanks` (by default spaces and tabs) around it.
constexpr std::string_view TrimBlanks(std::string_view text, std::string_view blanks = " \t") {
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// Whether the texts are the same but for the case of their ASCII letters.
constexpr bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return lower(x) == lower(y); });
}

// A whole number made of digits only, blanks (spaces) allowed around it: " 12" -> 12.
// No sign, no fraction. Values above UINT64_MAX/10 digits overflow to nullopt.
std::optional<std::uint64_t> ParseWholeNumber(std::string_view text);

// A decimal number: blanks around, an optional sign, digits with an optional "." fraction
// ("12", "-1500", "2400.5", ".5", "7."). No exponent, no grouping. nullopt for anything else.
std::optional<double> ParseDecimal(std::string_view text);

// The leading-numeric-part rule: the longest leading part that reads as a decimal number, blanks
// (spaces and tabs) ignored anywhere in it, with an optional exponent ("1e3"); 0 when there is
// none. "12abc" -> 12, " - 5" -> -5, "abc" -> 0, "" -> 0. Beyond the double range: +-infinity.
double LeadingNumericValue(std::string_view text);

// Rounds to the nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double RoundHalfToEven(double value);

// The form nearly every number cell has: 1 to `maxDigits` (at most 18) digits and nothing else,
// no blanks, no sign. Its value, or -1 for any other text, which the readers above then read.
// Inline, so that checking a row of plain numbers costs little more than looking at its digits.
inline std::int64_t PlainDigits(std::string_view text, std::size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits) {
        return -1;
    }
    std::int64_t value = 0;
    for (const char c : text) {
        const auto digit = static_cast<unsigned>(static_cast<unsigned char>(c) - '0');
        if (digit > 9) {
            return -1;
        }
        value = value * 10 + digit;
    }
    return value;
}

// The same with an optional leading "-": whether the text has that form, and its value.
inline bool PlainSignedDigits(std::string_view text, std::size_t maxDigits, std::int64_t& value) {
    const bool negative = !text.empty() && text.front() == '-';
    const std::int64_t magnitude = PlainDigits(text.substr(negative ? 1 : 0), maxDigits);
    value = negative ? -magnitude : magnitude;
    return magnitude >= 0;
}

}  // namespace corvalen

#pragma once

// Fast, locale-independent readers for the numbers that memory-table cells hold. They never
// throw and never allocate; each says in its result whether the text was what it expects.

#include <cstdint>
#include <optional>
#include <string_view>

namespace corvalen {

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

}  // namespace corvalen

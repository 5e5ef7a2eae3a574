#pragma once

// Decimal, binary and hexadecimal text conversions, through which a memory record's numeric
// fields and checksum are described: the record tests build a record's expected bytes with them.
// Hexadecimal output is always upper case.
// Bad input is reported the way each conversion is described: a message text in place of the
// result, the out-of-band value -1, or nothing where the conversion cannot go on (an error to the
// caller).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace corvalen {

inline constexpr std::string_view kNotBinaryMessage = "Error - Argument not a binary string";
inline constexpr std::string_view kBitSizeMessage = "Error - Number exceeds specified bit size";

// A DecimalIn argument: a number or a decimal text. A text reads the same in every environment:
// blanks around it, an optional sign, digits with an optional "." fraction (" 4096", "-2.5",
// "7."); no grouping separators, no exponent. A number stands for its plain decimal text without
// exponent, the shortest that reads back as the same value (2.9 -> "2.9", 1e20 -> 21 digits).
using DecimalIn = std::variant<double, std::int64_t, std::string>;

// Dec2Hex's result: hexadecimal text, or the out-of-band number -1, kept apart from the text so
// a caller can tell the two.
struct HexOrMinusOne {
    bool isMinusOne = false;
    std::string hex;  // valid when !isMinusOne
};

// Hexadecimal text of the whole part (rounded towards minus infinity) of a non-negative number,
// without leading zeros; empty for 0. A text form of 29 or more characters (blanks counted)
// gives -1, whatever the text holds (a number too: 1e30, and 1e-30 whose plain text is
// "0.000...1"). A text that is not a decimal number gives nothing. A negative
// value is first rounded down, then written as "-" and the hexadecimal text of its magnitude
// (-2.5 -> "-3"; "-0" -> empty). The arithmetic is exact integer arithmetic on the decimal
// digits, never binary floating point.
std::optional<HexOrMinusOne> Dec2Hex(const DecimalIn& decimalIn);

// Base-2 text of the whole part (rounded towards minus infinity), without leading zeros (empty
// for 0). With numberOfBits > 0 the text is zero-padded to exactly that width, or
// kBitSizeMessage when it does not fit. A negative value gives "-" and its magnitude's digits
// (padded to the width without the sign). No length limit on the text, but a magnitude beyond
// 2^96 - 1 (79228162514264337593543950335) gives nothing (an overflow), as does a text that is not
// a decimal number.
std::optional<std::string> Dec2Bin(const DecimalIn& decimalIn, int numberOfBits = 0);

// Hexadecimal text of a base-2 text, one digit per four bits after left-padding to a multiple of
// four; leading zero digits remain ("000000000001" gives "001"). Not binary: kNotBinaryMessage.
std::string Bin2Hex(std::string_view binaryString);

// Value of a hexadecimal text (either case). A character outside the digits counts as -1 at its
// place ("-1" -> -15). The sum, taken digit by digit from the right, must stay inside the int32
// range after every digit, else there is no result (an overflow): "80000000" is one, leading
// zeros of any number are not.
std::optional<std::int32_t> Hex2Dec(std::string_view sHex);

// Unsigned value of a hexadecimal text of any length (either case), in a double (exact up to
// 2^53). The text is read in pairs from the right, an odd length with a "0" in front. A pair
// that is not two hexadecimal digits gives nothing, and so does a value beyond the double range.
std::optional<double> HexUnsigned2Dbl(std::string_view sHex);

}  // namespace corvalen

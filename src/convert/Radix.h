#pragma once

// Decimal, binary and hexadecimal text conversions. Hexadecimal output is always upper case.
// Bad input is reported in band, the way each conversion always has: a message text in place of
// the result, the out-of-band value -1, or a ConversionError value where the old code raised one.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "io/Result.h"

namespace corvalen {

inline constexpr std::string_view kNotBinaryMessage = "Error - Argument not a binary string";
inline constexpr std::string_view kBitSizeMessage = "Error - Number exceeds specified bit size";

// A DecimalIn argument: a number or a decimal text (blanks around it allowed).
using DecimalIn = std::variant<double, std::int64_t, std::string>;

// Dec2Hex's result: hexadecimal text, or the out-of-band number -1 (kept apart from the text so
// a caller can tell the two; as text it reads "-1").
struct HexOrMinusOne {
    bool isMinusOne = false;
    std::string hex;  // valid when !isMinusOne
    std::string AsText() const { return isMinusOne ? std::string("-1") : hex; }
    bool operator==(const HexOrMinusOne&) const = default;
};

// Hexadecimal text of the whole part (rounded towards minus infinity) of a non-negative number,
// without leading zeros; empty for 0. A text form of 29 or more characters gives -1. A text that
// is not a decimal number is an Error. Negative values give the hexadecimal text of their
// magnitude's floor prefixed by "-" (the call always ends and returns text).
Result<HexOrMinusOne> Dec2Hex(const DecimalIn& decimalIn);

// Base-2 text of the whole part, without leading zeros (empty for 0). With numberOfBits > 0 the
// text is zero-padded to exactly that width, or kBitSizeMessage when it does not fit.
Result<std::string> Dec2Bin(const DecimalIn& decimalIn, int numberOfBits = 0);

// Hexadecimal text of a base-2 text, one digit per four bits after left-padding to a multiple of
// four; leading zero digits remain ("000000000001" gives "001"). Not binary: kNotBinaryMessage.
std::string Bin2Hex(std::string_view binaryString);

// Value of a hexadecimal text (either case). A character outside the digits counts as -1 at its
// place. A value beyond the int32 range is an Error (overflow).
Result<std::int32_t> Hex2Dec(std::string_view sHex);

// Unsigned value of a hexadecimal text of any length, in a double (exact up to 2^53). A pair
// that is not two hexadecimal digits is an Error.
Result<double> HexUnsigned2Dbl(std::string_view sHex);

// The rest of the family; nothing in the writers needs them.
std::string Bin2Hex2(std::string_view sBin);  // "101" -> "05", "" -> "00"
std::int32_t Bin2Dec(std::string_view sBin);
std::string Dec2Bin2(std::int16_t nDec);  // 5 -> "101", -1 -> sixteen ones, 0 -> "0000"
std::string Hex2Bin(std::string_view sHex);  // "0A" -> "1010", "00" -> eight zeros
std::int32_t HiWord(std::int32_t dWord);    // dWord / 65536, truncated towards zero
std::int32_t LoWord(std::int32_t dWord);    // the low 16 bits, as an unsigned value
std::int32_t DWord(std::int32_t hiWord, std::int32_t loWord);  // hiWord * 65536 + low 16 bits

}  // namespace corvalen

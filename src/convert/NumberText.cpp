#include "convert/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <system_error>

namespace corvalen {

namespace {

// Parses an unsigned digit run with an optional "." fraction (already checked to be well
// formed) into a double, correctly rounded. A run beyond the double range gives infinity, one
// too small to show gives 0.
double ParseCheckedFixed(std::string_view digits) {
    double value = 0.0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                           std::chars_format::fixed);
    if (ec == std::errc::result_out_of_range) {
        // Too large when a non-zero digit stands before the point, else too small.
        for (const char c : digits) {
            if (c == '.') {
                return 0.0;
            }
            if (c != '0') {
                return std::numeric_limits<double>::infinity();
            }
        }
        return 0.0;
    }
    return value;
}

// m * 10^scale when both factors are exact doubles, so that one multiplication or division
// rounds correctly (m below 2^53, |scale| up to 22); nullopt otherwise.
std::optional<double> ExactScaled(std::uint64_t m, long long scale) {
    static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (m >= (std::uint64_t{1} << 53) || scale < -22 || scale > 22) {
        return std::nullopt;
    }
    const auto value = static_cast<double>(m);
    return scale < 0 ? value / kPowersOfTen[-scale] : value * kPowersOfTen[scale];
}

}  // namespace

std::optional<std::uint64_t> ParseWholeNumber(std::string_view text) {
    // Nearly every cell: a few digits and no blanks.
    if (const std::int64_t plain = PlainDigits(text, 18); plain >= 0) {
        return static_cast<std::uint64_t>(plain);
    }
    const std::string_view digits = TrimBlanks(text, " ");
    if (digits.empty()) {
        return std::nullopt;
    }
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t value = 0;
    for (const char c : digits) {
        if (!IsDigit(c)) {
            return std::nullopt;
        }
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (value > (kMax - digit) / 10) {
            return std::nullopt;
        }
        value = value * 10 + digit;
    }
    return value;
}

std::optional<double> ParseDecimal(std::string_view text) {
    // Nearly every cell: a whole number of up to 15 digits, perhaps negative, nothing around it.
    const bool minus = !text.empty() && text.front() == '-';
    if (const std::int64_t plain = PlainDigits(text.substr(minus ? 1 : 0), 15); plain >= 0) {
        const auto magnitude = static_cast<double>(plain);  // exact: below 10^15 < 2^53
        return minus ? -magnitude : magnitude;
    }
    std::string_view rest = TrimBlanks(text, " ");
    bool negative = false;
    if (!rest.empty() && (rest.front() == '-' || rest.front() == '+')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    // Digits with at most one "." among them, and at least one digit. A short number (most
    // cells hold one) is converted exactly from the digits this pass collects.
    std::uint64_t digits = 0;
    long long scale = 0;
    bool seenPoint = false;
    bool seenDigit = false;
    for (const char c : rest) {
        if (IsDigit(c)) {
            digits = digits * 10 + static_cast<unsigned>(c - '0');  // wraps harmlessly when long
            scale -= seenPoint ? 1 : 0;
            seenDigit = true;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            return std::nullopt;
        }
    }
    if (!seenDigit) {
        return std::nullopt;
    }
    const std::optional<double> fast =
        rest.size() <= 16 ? ExactScaled(digits, scale) : std::nullopt;
    const double magnitude = fast ? *fast : ParseCheckedFixed(rest);
    return negative ? -magnitude : magnitude;
}

double LeadingNumericValue(std::string_view text) {
    const std::size_t size = text.size();
    std::size_t i = 0;
    const auto skipBlanks = [&](std::size_t& k) {
        while (k < size && (text[k] == ' ' || text[k] == '\t')) {
            ++k;
        }
    };

    skipBlanks(i);
    bool negative = false;
    if (i < size && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }

    // Nearly every cell: a few digits that run to the end of the text.
    if (size - i <= 15 && i < size) {
        std::uint64_t digits = 0;
        std::size_t k = i;
        while (k < size && IsDigit(text[k])) {
            digits = digits * 10 + static_cast<std::uint64_t>(text[k] - '0');
            ++k;
        }
        if (k == size) {
            if (digits == 0) {
                return 0.0;
            }
            const auto value = static_cast<double>(digits);
            return negative ? -value : value;
        }
    }

    // The significant digits go into a small buffer, followed later by an exponent, so that
    // from_chars does the correctly rounded conversion. Digits past the first kKeep only move
    // the exponent; they cannot change the nearest double in any case that matters here.
    constexpr int kKeep = 40;
    char buffer[kKeep + 16];
    int kept = 0;
    long long scale = 0;  // value = kept digits * 10^scale
    bool seenDigit = false;
    bool seenPoint = false;
    for (;;) {
        skipBlanks(i);
        if (i >= size) {
            break;
        }
        const char c = text[i];
        if (IsDigit(c)) {
            seenDigit = true;
            if (kept == 0 && c == '0') {
                scale -= seenPoint ? 1 : 0;
            } else if (kept < kKeep) {
                buffer[kept++] = c;
                scale -= seenPoint ? 1 : 0;
            } else if (!seenPoint) {
                ++scale;
            }
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
        ++i;
    }
    if (!seenDigit) {
        return 0.0;
    }

    // An exponent counts only when at least one digit follows the "e" (and its sign).
    std::size_t k = i;
    if (k < size && (text[k] == 'e' || text[k] == 'E')) {
        ++k;
        skipBlanks(k);
        bool negativeExponent = false;
        if (k < size && (text[k] == '-' || text[k] == '+')) {
            negativeExponent = text[k] == '-';
            ++k;
        }
        long long exponent = 0;
        bool exponentDigit = false;
        for (;;) {
            skipBlanks(k);
            if (k >= size || !IsDigit(text[k])) {
                break;
            }
            exponentDigit = true;
            if (exponent < 1'000'000) {  // far beyond any double; stops overflow
                exponent = exponent * 10 + (text[k] - '0');
            }
            ++k;
        }
        if (exponentDigit) {
            scale += negativeExponent ? -exponent : exponent;
        }
    }
    if (kept == 0) {
        return 0.0;
    }

    if (kept <= 15) {
        std::uint64_t digits = 0;
        for (int d = 0; d < kept; ++d) {
            digits = digits * 10 + static_cast<std::uint64_t>(buffer[d] - '0');
        }
        if (const auto fast = ExactScaled(digits, scale)) {
            return negative ? -*fast : *fast;
        }
    }

    constexpr long long kScaleLimit = 100'000;
    scale = std::clamp(scale, -kScaleLimit, kScaleLimit);
    char* end = buffer + kept;
    *end++ = 'e';
    end = std::to_chars(end, buffer + sizeof buffer, scale).ptr;

    double value = 0.0;
    const auto result = std::from_chars(buffer, end, value, std::chars_format::scientific);
    if (result.ec == std::errc::result_out_of_range) {
        value = scale + kept > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

double RoundHalfToEven(double value) {
    // Nearly every value is whole already; those need no floor or fmod.
    if (std::fabs(value) < 9.0e15 && static_cast<double>(static_cast<long long>(value)) == value) {
        return value;
    }
    if (!std::isfinite(value)) {
        return value;
    }
    const double below = std::floor(value);
    const double fraction = value - below;  // exact: value and below share their high bits
    if (fraction < 0.5) {
        return below;
    }
    if (fraction > 0.5) {
        return below + 1.0;
    }
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

}  // namespace corvalen

#include "convert/FrequencyText.h"

#include <limits>

#include "convert/NumberText.h"

namespace corvalen {

namespace {

// The digits after the point that whole Hz take in each unit.
int Decimals(FrequencyUnit unit) {
    constexpr int kDecimals[] = {0, 3, 6};  // Hz, kHz, MHz
    return kDecimals[static_cast<int>(unit)];
}

}  // namespace

std::optional<std::uint64_t> HzOf(std::string_view text, FrequencyUnit unitWhenNone) {
    const FrequencyReading reading = ReadFrequency(text, unitWhenNone);
    return reading.status == FrequencyReading::Status::Ok ? std::optional(reading.hz)
                                                          : std::nullopt;
}

FrequencyReading ReadFrequency(std::string_view text, FrequencyUnit unitWhenNone, char otherPoint) {
    using Status = FrequencyReading::Status;
    // Nearly every cell is plain digits in Hz; saves of large tables read two of them a row.
    if (unitWhenNone == FrequencyUnit::Hz) {
        if (const std::int64_t plain = PlainDigits(text, 18); plain >= 0) {
            return {Status::Ok, static_cast<std::uint64_t>(plain)};
        }
    }
    text = TrimBlanks(text);
    const auto isPoint = [otherPoint](char c) { return c == '.' || c == otherPoint; };
    std::size_t end = 0;
    while (end < text.size() && (IsDigit(text[end]) || isPoint(text[end]))) {
        ++end;
    }
    const std::string_view number = text.substr(0, end);
    const std::string_view unitText = TrimBlanks(text.substr(end));

    FrequencyUnit unit = unitWhenNone;
    if (unitText.empty()) {
    } else if (EqualsIgnoringCase(unitText, "hz")) {
        unit = FrequencyUnit::Hz;
    } else if (EqualsIgnoringCase(unitText, "khz") || EqualsIgnoringCase(unitText, "k")) {
        unit = FrequencyUnit::kHz;
    } else if (EqualsIgnoringCase(unitText, "mhz") || EqualsIgnoringCase(unitText, "m")) {
        unit = FrequencyUnit::MHz;
    } else {
        return {};
    }

    const char points[] = {'.', otherPoint, '\0'};
    const std::size_t point = number.find_first_of(points);
    const std::string_view whole = number.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : number.substr(point + 1);
    if ((whole.empty() && fraction.empty()) ||
        fraction.find_first_of(points) != std::string_view::npos) {
        return {};
    }

    // value = whole.fraction * 10^decimals, taken digit by digit so nothing is rounded.
    const int decimals = Decimals(unit);
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t hz = 0;
    bool tooLarge = false;
    const auto push = [&](char digit) {
        const auto d = static_cast<std::uint64_t>(digit - '0');
        if (hz > (kMax - d) / 10) {
            tooLarge = true;
        } else {
            hz = hz * 10 + d;
        }
    };
    for (const char c : whole) {
        push(c);
    }
    for (int i = 0; i < decimals; ++i) {
        push(static_cast<std::size_t>(i) < fraction.size() ? fraction[static_cast<std::size_t>(i)]
                                                           : '0');
    }
    if (fraction.find_first_not_of('0', static_cast<std::size_t>(decimals)) !=
        std::string_view::npos) {
        return {Status::NotWholeHz, 0};
    }
    if (tooLarge) {
        return {Status::TooLarge, 0};
    }
    return {Status::Ok, hz};
}

std::string FrequencyText(std::uint64_t hz, FrequencyUnit unit, int decimals) {
    const auto places = static_cast<std::size_t>(Decimals(unit));
    std::string digits = std::to_string(hz);
    if (digits.size() <= places) {
        digits.insert(0, places + 1 - digits.size(), '0');
    }
    const std::string whole = digits.substr(0, digits.size() - places);
    std::string fraction = digits.substr(digits.size() - places);
    if (decimals < 0) {
        fraction.erase(fraction.find_last_not_of('0') + 1);
    } else {
        fraction.resize(static_cast<std::size_t>(decimals), '0');
    }
    return fraction.empty() ? whole : whole + "." + fraction;
}

}  // namespace corvalen

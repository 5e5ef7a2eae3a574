#pragma once

// Frequencies as people type them ("118", "118.000 MHz", "25 kHz", "8330 Hz", "118M", "25k")
// and as other tools write them (CHIRP's MHz with six decimals), converted to and from whole Hz
// with exact decimal arithmetic on the digits, never binary floating point.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvalen {

enum class FrequencyUnit { Hz, kHz, MHz };

struct FrequencyReading {
    enum class Status {
        Ok,
        NotAFrequency,  // not digits with an optional "." fraction and an optional unit
        NotWholeHz,     // a fraction of a hertz ("8.33 Hz", "0.0000001 MHz")
        TooLarge,       // beyond 2^64 - 1 Hz
    };
    Status status = Status::NotAFrequency;
    std::uint64_t hz = 0;  // valid when status is Ok
};

// Reads a frequency: blanks around, digits with an optional fraction after "." or `otherPoint`
// (the decimal separator of the user's language), then an optional unit "Hz", "kHz", "MHz", "k"
// or "M" (any case, blanks before it allowed), else `unitWhenNone`. No sign, exponent, grouping.
FrequencyReading ReadFrequency(std::string_view text, FrequencyUnit unitWhenNone,
                               char otherPoint = '.');

// The whole Hz of a text ReadFrequency reads as a frequency; nullopt for any other text.
std::optional<std::uint64_t> HzOf(std::string_view text,
                                  FrequencyUnit unitWhenNone = FrequencyUnit::Hz);

// `hz` in `unit` as plain decimal text: with `decimals` >= 0 exactly that many digits after the
// point, never rounded (so a caller picks a width that holds whole Hz); with -1 as few as the
// value needs, and no point for a whole number ("9.58", "9580", "9580000").
std::string FrequencyText(std::uint64_t hz, FrequencyUnit unit, int decimals = -1);

}  // namespace corvalen

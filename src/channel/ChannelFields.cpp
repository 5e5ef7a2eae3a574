#include "channel/ChannelFields.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace corvalen {

namespace {

struct ModeEntry {
    std::string_view text;
    int code;
    std::string_view defaultBandwidth;  // Hz, for channels made without a Bandwidth
};
// Codes 3, 6, 7 and 9 belong to no mode the receiver software writes.
constexpr std::array<ModeEntry, 11> kModes = {{
    {"CW", 0, "500"},
    {"AM", 1, "6000"},
    {"FM", 2, "15000"},
    {"LSB", 4, "2700"},
    {"USB", 5, "2700"},
    {"AMS", 8, "6000"},
    {"FM3", 10, "3000"},
    {"FM6", 11, "6000"},
    {"AMN", 12, "3000"},
    {"DSB", 13, "6000"},
    {"ISB", 14, "6000"},
}};

}  // namespace

int ModeCode(std::string_view modeText) {
    for (const ModeEntry& mode : kModes) {
        if (mode.text == modeText) {
            return mode.code;
        }
    }
    return -1;
}

std::string_view ModeName(std::uint32_t code) {
    for (const ModeEntry& mode : kModes) {
        if (static_cast<std::uint32_t>(mode.code) == code) {
            return mode.text;
        }
    }
    return {};
}

std::string_view DefaultBandwidth(std::string_view modeText) {
    // An empty Mode is written as the mode of code 0, and has its bandwidth.
    if (modeText.empty()) {
        modeText = ModeName(0);
    }
    for (const ModeEntry& mode : kModes) {
        if (mode.text == modeText) {
            return mode.defaultBandwidth;
        }
    }
    return kFallbackBandwidth;
}

}  // namespace corvalen

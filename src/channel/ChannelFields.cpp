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

// Where a name lies in kModeSlots: its first and last letters set it apart from every other
// name's (checked below), so one look and one comparison find a mode.
constexpr unsigned ModeSlot(char first, char last) {
    return ((static_cast<unsigned char>(first) * 6u) ^ static_cast<unsigned char>(last)) & 31u;
}
// The index in kModes of the name at each slot, -1 for none.
constexpr std::array<std::int8_t, 32> kModeSlots = [] {
    std::array<std::int8_t, 32> slots{};
    slots.fill(-1);
    for (std::size_t k = 0; k < kModes.size(); ++k) {
        std::int8_t& slot = slots[ModeSlot(kModes[k].text.front(), kModes[k].text.back())];
        if (slot >= 0) {
            throw "two mode names share a slot";  // stops the compilation
        }
        slot = static_cast<std::int8_t>(k);
    }
    return slots;
}();

}  // namespace

int ModeCode(std::string_view modeText) {
    // Every name has two or three letters.
    if (modeText.size() < 2 || modeText.size() > 3) {
        return -1;
    }
    const int at = kModeSlots[ModeSlot(modeText.front(), modeText.back())];
    return at >= 0 && kModes[static_cast<std::size_t>(at)].text == modeText
               ? kModes[static_cast<std::size_t>(at)].code
               : -1;
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

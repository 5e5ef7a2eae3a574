#include "channel/ChannelFields.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace corvalen {

namespace {

// A name of up to three letters as one number: its length, then its letters.
constexpr std::uint32_t Packed(std::string_view name) {
    std::uint32_t packed = static_cast<std::uint32_t>(name.size());
    for (const char c : name) {
        packed = packed << 8 | static_cast<unsigned char>(c);
    }
    return packed;
}

struct ModeEntry {
    std::string_view text;
    int code;
    std::string_view defaultBandwidth;  // Hz, for channels made without a Bandwidth
    std::uint32_t key = Packed(text);
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
static_assert(std::all_of(kModes.begin(), kModes.end(),
                          [](const ModeEntry& mode) { return mode.text.size() <= 3; }));

// The mode named `text`, null for none: one comparison of numbers a mode.
const ModeEntry* ModeNamed(std::string_view text) {
    const std::uint32_t key = text.size() <= 3 ? Packed(text) : 0;
    const auto mode = std::ranges::find(kModes, key, &ModeEntry::key);
    return mode != kModes.end() ? &*mode : nullptr;
}

}  // namespace

void AppendGroupList(std::uint16_t flags, std::string_view separator, std::string& out) {
    const std::size_t start = out.size();
    for (int flag = 0; flag < kGroupCount; ++flag) {
        if ((flags & (0x8000u >> flag)) != 0) {
            out.append(out.size() == start ? "" : separator).append(std::to_string(flag + 1));
        }
    }
}

int ModeCode(std::string_view modeText) {
    const ModeEntry* mode = ModeNamed(modeText);
    return mode != nullptr ? mode->code : -1;
}

std::string_view ModeName(std::uint32_t code) {
    const auto mode = std::ranges::find_if(kModes, [&](const ModeEntry& entry) {
        return static_cast<std::uint32_t>(entry.code) == code;
    });
    return mode != kModes.end() ? mode->text : std::string_view();
}

std::string_view DefaultBandwidth(std::string_view modeText) {
    // An empty Mode is written as the mode of code 0, and has its bandwidth.
    const ModeEntry* mode = ModeNamed(modeText.empty() ? ModeName(0) : modeText);
    return mode != nullptr ? mode->defaultBandwidth : kFallbackBandwidth;
}

std::string_view ReceiverModeOf(std::string_view listMode, const ListModes& modes) {
    const auto pair = std::ranges::find(modes.same, listMode, &ModePair::list);
    return pair != modes.same.end() ? pair->receiver : std::string_view();
}

ListMode ListModeOf(std::string_view receiverMode, const ListModes& modes) {
    const auto byReceiver = [&](const ModePair& p) { return p.receiver == receiverMode; };
    if (const auto same = std::find_if(modes.same.begin(), modes.same.end(), byReceiver);
        same != modes.same.end()) {
        return {same->list, true};
    }
    if (std::find(modes.own.begin(), modes.own.end(), receiverMode) != modes.own.end()) {
        return {receiverMode, true};
    }
    const auto nearest = std::find_if(modes.nearest.begin(), modes.nearest.end(), byReceiver);
    return {nearest != modes.nearest.end() ? nearest->list : modes.fallback, false};
}

}  // namespace corvalen

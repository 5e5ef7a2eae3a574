#include "channel/CellValues.h"

#include "convert/NumberText.h"
#include "channel/ChannelFields.h"
#include "edit/BulkEdit.h"

namespace corvalen {

std::uint16_t GroupsOf(std::string_view groupsCell) {
    // The groups named by the pieces between "+" signs that are plain whole numbers from 1 to
    // 16 (blanks around allowed); any other piece names none. One pass, no allocation: saves
    // and checks ask this of every row.
    std::uint16_t groups = 0;
    ForEachGroupPiece(groupsCell, [&](std::string_view piece) {
        const auto number = ParseWholeNumber(piece);
        if (number && *number >= 1 && *number <= kGroupCount) {
            groups = static_cast<std::uint16_t>(groups | (1u << (*number - 1)));
        }
    });
    return groups;
}

std::string CellWithGroups(std::string_view groupsCell, std::uint16_t groups) {
    std::string cell(groupsCell);
    const std::uint16_t had = GroupsOf(groupsCell);
    for (int group = 1; group <= kGroupCount; ++group) {
        const std::uint16_t bit = static_cast<std::uint16_t>(1u << (group - 1));
        if ((groups & bit) && !(had & bit)) {
            cell = WithGroup(cell, group);
        } else if (!(groups & bit) && (had & bit)) {
            cell = WithoutGroup(cell, group);
        }
    }
    return cell;
}

std::uint32_t LockoutFlagsOf(std::string_view lockoutCell) {
    const auto value = ParseWholeNumber(lockoutCell);
    return value ? static_cast<std::uint32_t>(*value & kLockoutFlagsMask) : 0;
}

std::string CellWithLockoutFlags(std::string_view lockoutCell, std::uint32_t flags) {
    const auto value = ParseWholeNumber(lockoutCell);
    const std::uint64_t kept = value && *value <= 0xFFFFFFFFu ? *value & ~std::uint64_t{7} : 0;
    return std::to_string(kept | (flags & kLockoutFlagsMask));
}

int HotkeyOf(std::string_view hotkeyCell) {
    const auto value = ParseWholeNumber(hotkeyCell);
    return value && *value >= 2 && *value <= 12 ? static_cast<int>(*value) : 0;
}

TypedFrequency FrequencyCellFromTyped(std::string_view typed, FrequencyUnit unitWhenNone,
                                      char otherPoint) {
    if (typed.find_first_not_of(" \t") == std::string_view::npos) {
        return {};
    }
    const FrequencyReading reading = ReadFrequency(typed, unitWhenNone, otherPoint);
    const bool ok = reading.status == FrequencyReading::Status::Ok;
    return {reading.status, ok ? std::to_string(reading.hz) : std::string()};
}

std::string FrequencyCellForEditing(std::string_view frequencyCell, FrequencyUnit unit) {
    const auto hz = ParseWholeNumber(frequencyCell);
    if (!hz || unit == FrequencyUnit::Hz) {
        return std::string(frequencyCell);
    }
    return FrequencyText(*hz, unit) + (unit == FrequencyUnit::kHz ? " kHz" : " MHz");
}

std::string FrequencyCellShown(std::string_view frequencyCell, FrequencyUnit unit) {
    const auto hz = ParseWholeNumber(frequencyCell);
    if (!hz || unit == FrequencyUnit::Hz) {
        return std::string(frequencyCell);
    }
    return FrequencyText(*hz, unit, unit == FrequencyUnit::kHz ? 3 : 6);
}

}  // namespace corvalen

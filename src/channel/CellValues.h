#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "convert/FrequencyText.h"

namespace corvalen {

// What the editor's cell editors read from a cell and write back. Every result is plain cell
// text, the same text a user typing the value would leave; a cell the editors cannot read is
// shown as it stands and only changes when the user picks a value.

// The groups (bit n - 1 for group n) a Groups cell names by plain group numbers.
std::uint16_t GroupsOf(std::string_view groupsCell);
// The Groups cell with exactly the groups of `groups` set: groups added and removed one by one as
// WithGroup and WithoutGroup do, so pieces that are no group number stay.
std::string CellWithGroups(std::string_view groupsCell, std::uint16_t groups);

// The lockout flags (bit 0 scan lockout, bit 1 do not set mode, bit 2 do not set squelch) of a
// Lockout cell holding a whole number; 0 for any other text.
inline constexpr std::uint32_t kLockoutFlagsMask = 0x7;
std::uint32_t LockoutFlagsOf(std::string_view lockoutCell);
// The Lockout cell with its three flags set to `flags`; bits above them in the cell are kept.
std::string CellWithLockoutFlags(std::string_view lockoutCell, std::uint32_t flags);

// The hot key of a Hotkey cell: 2 to 12 for F2 to F12, 0 for none (an empty cell, "0", or any
// text that is not one of the keys).
int HotkeyOf(std::string_view hotkeyCell);

// What the Frequency editor makes of a typed text ("9.58 MHz", "146,52"): the whole Hz the cell
// stores, or why the text cannot be stored; blank text empties the cell. ReadFrequency reads it
// (`unitWhenNone` the unit the grid shows, `otherPoint` the decimal separator of the language).
struct TypedFrequency {
    FrequencyReading::Status status = FrequencyReading::Status::Ok;
    std::string cell;  // when status is Ok
};
TypedFrequency FrequencyCellFromTyped(std::string_view typed, FrequencyUnit unitWhenNone,
                                      char otherPoint = '.');

// The text the Frequency editor starts with: a whole number of Hz in `unit` with the decimals it
// needs and the unit ("146.52 MHz"; in Hz the bare number); any other text as it stands.
std::string FrequencyCellForEditing(std::string_view frequencyCell, FrequencyUnit unit);

// A Frequency cell as the grid shows it in `unit`: a whole number of Hz in kHz with three or MHz
// with six decimals ("9580.000", "9.580000"); any other text as it stands.
std::string FrequencyCellShown(std::string_view frequencyCell, FrequencyUnit unit);

}  // namespace corvalen

#pragma once

#include <array>
#include <string_view>

namespace corvalen {

// The columns of an imported memory table, in the order the receiver software's CSV export
// uses. Before the first import the table has only the first ten (Number to Groups).
enum Column : int {
    Number = 0,
    Frequency,
    Bandwidth,
    IfShift,
    Reserved4,
    Reserved5,
    Reserved6,
    Reserved7,
    Reserved8,
    Groups,
    Hotkey,
    Lockout,
    Priority,
    LevelSquelch,
    SecondarySquelchType,
    SecondarySquelchValue,
    Mode,
    Callsign,
    Comments,
};

inline constexpr int kImportedColumnCount = 19;
inline constexpr int kStartupColumnCount = 10;
inline constexpr int kStartupRowCount = 50;  // header row plus 49 empty channel rows

// Header captions shown in row 0 after an import.
inline constexpr std::string_view kImportedCaptions =
    "Number|Frequency|Bandwidth|IF Shift|x|x|x|x|x|Groups|Hotkey|Lockout|Priority|Level "
    "Squelch|x|x|Mode|Callsign|Comments";

// Names the CSV writer puts in its header line; seven differ from the captions.
inline constexpr std::array<std::string_view, kImportedColumnCount> kCsvHeaderNames = {
    "Number",
    "Frequency",
    "Bandwidth",
    "IF Shift",
    "reserved",
    "reserved",
    "reserved",
    "reserved",
    "reserved",
    "Groups",
    "Hotkey",
    "Lockout",
    "Priority",
    "Level Squelch",
    "Secondary squelch type",
    "Secondary squelch value",
    "Mode",
    "Callsign",
    "Comments"};

}  // namespace corvalen

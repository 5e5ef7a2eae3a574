#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "channel/ChannelFields.h"
#include "io/Diagnostic.h"
#include "io/Result.h"
#include "table/MemoryTable.h"

// What the bookmark lists of SDR programs (SDR#'s frequencies.xml, SDR++'s frequency manager)
// share: named frequencies with a demodulator mode and a bandwidth, sorted into named lists or
// groups. Each format's own file only reads and writes its syntax; the channels, modes and
// groups are made here, the same for both.

namespace corvalen {

struct Bookmark {
    std::string name;
    std::uint64_t hz = 0;
    std::uint64_t bandwidth = 0;      // Hz; 0 when the list gives none
    std::string mode;                 // the list's mode (ListModes), or a text found
    std::vector<std::string> groups;  // the list or group names (gqrx: tags); empty for none
    int row = 0;                      // written from the table: the row it comes from
};

// SDR#'s and SDR++'s modes: NFM, WFM, AM, DSB, LSB, USB, CW, RAW.
const ListModes& SdrListModes();

// A bookmark list read into a table.
struct BookmarkRead {
    MemoryTable table = MemoryTable::ImportLayout();
    std::vector<Diagnostic> diagnostics;  // place Row, the table row concerned
    // Group names by receiver group: [0] is group 1. The names of `knownGroups` first.
    std::vector<std::string> groupNames;
    std::map<std::string, std::string> groupColours;  // gqrx: each tag's colour, by its name
};

// Makes one channel per bookmark, in order, numbered from `firstNumber`: Frequency in Hz,
// Callsign the whole name, Mode mapped to the receiver's by `modes` (NFM -> FM; a mode the
// receiver lacks, such as WFM or RAW, kept as its text and reported once per mode), Bandwidth
// the list's (the mode's default when none is given). Group names become receiver groups 1 to
// 16 in order of first appearance after those of `knownGroups` (a name already there keeps its
// group), a bookmark's several names several groups; the mapping is reported in one notice,
// and names past the 16th leave their channels without that group, said once. `format` names
// the file kind in reports ("SDR# list").
BookmarkRead BookmarksToTable(const std::vector<Bookmark>& bookmarks, std::string_view format,
                              std::vector<std::string> knownGroups = {}, int firstNumber = 1,
                              const ListModes& modes = SdrListModes());

// A list read: its bookmarks as BookmarksToTable makes them, after `found`, what reading the file
// found (in file order). A list of more than kMaxBookmarks bookmarks is refused.
Result<BookmarkRead> ListRead(const std::vector<Bookmark>& bookmarks, std::vector<Diagnostic> found,
                              std::string_view format, std::vector<std::string> knownGroups,
                              int firstNumber, const ListModes& modes = SdrListModes());

// The table's channel rows as bookmarks, for a list in `format`.
struct BookmarkWrite {
    std::vector<Bookmark> bookmarks;
    std::vector<Diagnostic> diagnostics;  // place Row, in row order
    int channelsWritten = 0;              // rows written (a row in several lists counts once)
    int rowsNotWritten = 0;               // rows whose Frequency is no whole number of Hz
};
struct BookmarkFormat {
    std::string_view name;        // "SDR# list"
    bool keysByName = false;      // names must be unique within a group: repeats get " (2)", ...
    bool oneGroupEach = false;    // a bookmark has one group: a channel in several keeps the first
    std::string_view noGroup;     // the group of a channel in none ("" or "General")
    std::uint64_t maxHz = 0;      // the highest frequency the list's number type holds exactly
    bool allGroupsInOne = false;  // one bookmark holds all its channel's groups (gqrx's tags)
    const ListModes* modes = &SdrListModes();
};
// Name = Callsign (SDR++: the frequency in kHz when empty), mode mapped back by the format's
// modes (SDR lists: FM, FM6, FM3 -> NFM; AMS, AMN -> AM; ISB -> USB, reported once per mode; a
// text already a mode of the list kept; anything else written as CW and reported), Bandwidth
// the cell's whole Hz (else the mode's default), groups named by `groupNames` ([0] is group 1;
// "Group n" where none is known): one bookmark per group, or per channel. Each receiver column
// the list has no place for is reported once.
BookmarkWrite TableToBookmarks(const MemoryTable& table, const std::vector<std::string>& groupNames,
                               const BookmarkFormat& format);

// The most bytes a bookmark list may have; a larger file is refused before it is parsed.
inline constexpr std::size_t kMaxBookmarkListBytes = std::size_t{64} << 20;
// A receiver holds 65,535 channels: a list of more bookmarks is refused rather than cut.
inline constexpr std::size_t kMaxBookmarks = 65535;

}  // namespace corvalen

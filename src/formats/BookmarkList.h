#pragma once

#include <cstdint>
#include <limits>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "channel/ChannelFields.h"
#include "io/Diagnostic.h"
#include "io/Result.h"
#include "table/MemoryTable.h"

// The bookmark lists of SDR programs, each a pure function over bytes: SDR#'s frequencies.xml
// (pugixml), SDR++'s frequency manager JSON (nlohmann-json) and gqrx's bookmarks.csv. Each
// format's file only reads and writes its syntax; the channels, modes and groups are made in
// one place (Bookmarks.cpp), the same for all.

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

// A list read: one channel per bookmark, in order, numbered from `firstNumber`, after `found`,
// what reading the file found. Mode mapped to the receiver's by `modes` (a mode the receiver
// lacks kept as its text and reported once per mode), Bandwidth the list's or the mode's
// default. Group names become receiver groups 1 to 16 in order of first appearance after those
// of `knownGroups`; the mapping is reported in one notice, and names past the 16th, once.
// `format` names the file kind in reports. A list of more than kMaxBookmarks is refused.
Result<BookmarkRead> ListRead(const std::vector<Bookmark>& bookmarks, std::vector<Diagnostic> found,
                              std::string_view format, std::vector<std::string> knownGroups = {},
                              int firstNumber = 1, const ListModes& modes = SdrListModes());

// What writing a list made, and what could not be written as it stands.
struct BookmarkListText {
    std::string bytes;
    std::vector<Diagnostic> diagnostics;  // place Row, in row order
    int channelsWritten = 0;              // rows written (a row in several lists counts once)
    int rowsNotWritten = 0;               // rows whose Frequency is no whole number of Hz
};
// The table's channel rows as bookmarks, for a list in `format`; `text` without its bytes.
struct BookmarkWrite {
    std::vector<Bookmark> bookmarks;
    BookmarkListText text;
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
// Name = Callsign (keysByName: the frequency in kHz when empty), mode mapped back by the
// format's modes (a change reported once per mode), Bandwidth the cell's whole Hz (else the
// mode's default), groups named by `groupNames` ([0] is group 1; else "Group n"). Each receiver
// column the list has no place for is reported once.
BookmarkWrite TableToBookmarks(const MemoryTable& table, const std::vector<std::string>& groupNames,
                               const BookmarkFormat& format);

// The most bytes a bookmark list may have; a larger file is refused before it is parsed.
inline constexpr std::size_t kMaxBookmarkListBytes = std::size_t{64} << 20;
// A receiver holds 65,535 channels: a list of more bookmarks is refused rather than cut.
inline constexpr std::size_t kMaxBookmarks = 65535;
// SDR# and gqrx keep a frequency in a signed 64-bit number.
inline constexpr std::uint64_t kHighestInt64Hz =
    static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());

// True when the bytes start like SDR#'s list: an <ArrayOfMemoryEntry> root element, after an
// optional byte-order mark and XML declaration.
bool LooksLikeSdrSharpList(std::string_view fileBytes);
// Whether this build reads and writes SDR# lists (false where no XML library is built in).
bool SdrSharpListsSupported();
// Reads an SDR# list: every <MemoryEntry> a channel. XML that is not well formed, that declares
// a document type or entities, or that is too large is refused, saying where. An entry without
// a whole, positive Frequency is left out and reported (place Line).
Result<BookmarkRead> ReadSdrSharpList(std::string_view fileBytes,
                                      std::vector<std::string> knownGroups = {},
                                      int firstNumber = 1);
// The writers take the names of receiver groups 1, 2, ... and, for gqrx's tags, their colours.
// The table's channels as an SDR# list, as SDR# writes it.
Result<BookmarkListText> WriteSdrSharpList(const MemoryTable& table,
                                           const std::vector<std::string>& groupNames,
                                           const std::map<std::string, std::string>& = {});

// True when the bytes start like SDR++'s frequency manager: a JSON object with a "lists" member.
bool LooksLikeSdrppList(std::string_view fileBytes);
// Reads an SDR++ frequency manager file: every bookmark of every list a channel. JSON that is
// not well formed, nested too deep or too large is refused, saying where. A bookmark without a
// frequency of whole, positive Hz is left out and reported (place Record).
Result<BookmarkRead> ReadSdrppList(std::string_view fileBytes,
                                   std::vector<std::string> knownGroups = {}, int firstNumber = 1);
// The table's channels as an SDR++ frequency manager file, one list per group.
Result<BookmarkListText> WriteSdrppList(const MemoryTable& table,
                                        const std::vector<std::string>& groupNames,
                                        const std::map<std::string, std::string>& = {});

// True when the first line of the bytes that is neither blank nor another comment is gqrx's
// "# Tag name" or "# Frequency" comment, or a bookmark: number ; text ; text ; number ; text.
bool LooksLikeGqrxBookmarks(std::string_view fileBytes);
// Reads gqrx's bookmarks.csv: every line of 5 fields a bookmark, its tags its groups
// ("Untagged" none); every line "name; #rrggbb" a tag and its colour, kept in groupColours. A
// line of other fields, or whose frequency is no whole, positive Hz, is left out and reported
// (place Line); a file too large is refused.
Result<BookmarkRead> ReadGqrxBookmarks(std::string_view fileBytes,
                                       std::vector<std::string> knownGroups = {},
                                       int firstNumber = 1);
// The table's channels as gqrx writes bookmarks.csv: the tags used with their colours (else
// gqrx's own grey, #c0c0c0), then a line per channel, its groups its tags ("Untagged" for none).
Result<BookmarkListText> WriteGqrxBookmarks(
    const MemoryTable& table, const std::vector<std::string>& groupNames,
    const std::map<std::string, std::string>& groupColours = {});

}  // namespace corvalen

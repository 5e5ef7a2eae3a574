#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "formats/Bookmarks.h"
#include "io/Diagnostic.h"
#include "io/Result.h"
#include "table/MemoryTable.h"

// The three bookmark list formats, each a pure function over bytes: SDR#'s frequencies.xml
// (SdrSharpList.cpp, parsed with pugixml), SDR++'s frequency manager JSON (SdrppList.cpp,
// parsed with nlohmann-json) and gqrx's bookmarks.csv (GqrxBookmarks.cpp). Reading gives the
// import's 19-column table with what was found; writing gives the file's bytes with what could not
// be written as it stands.

namespace corvalen {

struct BookmarkListText {
    std::string bytes;
    std::vector<Diagnostic> diagnostics;  // place Row
    int channelsWritten = 0;              // table rows written (a row in several lists once)
    int rowsNotWritten = 0;
};

// True when the bytes start like SDR#'s list: an <ArrayOfMemoryEntry> root element, after an
// optional byte-order mark and XML declaration.
bool LooksLikeSdrSharpList(std::string_view fileBytes);
// Whether this build reads and writes SDR# lists (false where no XML library is built in).
bool SdrSharpListsSupported();
// The error a build without SDR# lists gives.
Error SdrSharpListsUnsupported();
// Reads an SDR# list: every <MemoryEntry> a channel (BookmarksToTable). XML that is not well
// formed, that declares a document type or entities, or that is larger than
// kMaxBookmarkListBytes is refused, saying where. An entry without a whole, positive Frequency
// is left out and reported (place Line).
Result<BookmarkRead> ReadSdrSharpList(std::string_view fileBytes,
                                      std::vector<std::string> knownGroups = {},
                                      int firstNumber = 1);
// The table's channels as an SDR# list, as SDR# writes it.
Result<BookmarkListText> WriteSdrSharpList(const MemoryTable& table,
                                           const std::vector<std::string>& groupNames);

// True when the bytes start like SDR++'s frequency manager: a JSON object with a "lists" member.
bool LooksLikeSdrppList(std::string_view fileBytes);
// Reads an SDR++ frequency manager file: every bookmark of every list a channel, lists in file
// order. JSON that is not well formed, nested deeper than any such file, or larger than
// kMaxBookmarkListBytes is refused, saying where. A bookmark without a frequency of whole,
// positive Hz is left out and reported (place Record: the bookmark's place in the file).
Result<BookmarkRead> ReadSdrppList(std::string_view fileBytes,
                                   std::vector<std::string> knownGroups = {}, int firstNumber = 1);
// The table's channels as an SDR++ frequency manager file, one list per group.
BookmarkListText WriteSdrppList(const MemoryTable& table,
                                const std::vector<std::string>& groupNames);

// True when the first line of the bytes that is neither blank nor another comment is gqrx's
// "# Tag name" or "# Frequency" comment, or a bookmark: number ; text ; text ; number ; text.
bool LooksLikeGqrxBookmarks(std::string_view fileBytes);
// Reads gqrx's bookmarks.csv: every line of 5 fields a bookmark (frequency in Hz, name,
// modulation, bandwidth in Hz, tags separated by ","), its tags its groups ("Untagged" none);
// every line "name; #rrggbb" a tag and its colour, kept in groupColours. Lines are told by their
// fields wherever they stand. A line of other fields, or whose frequency is no whole, positive Hz,
// is left out and reported (place Line); a file larger than kMaxBookmarkListBytes is refused.
Result<BookmarkRead> ReadGqrxBookmarks(std::string_view fileBytes,
                                       std::vector<std::string> knownGroups = {},
                                       int firstNumber = 1);
// The table's channels as gqrx writes bookmarks.csv: the table of the tags used, each with its
// colour in `groupColours` (else gqrx's own grey, #c0c0c0), then a line per channel, its groups
// its tags by `groupNames` ("Untagged" for none).
BookmarkListText WriteGqrxBookmarks(const MemoryTable& table,
                                    const std::vector<std::string>& groupNames,
                                    const std::map<std::string, std::string>& groupColours = {});

}  // namespace corvalen

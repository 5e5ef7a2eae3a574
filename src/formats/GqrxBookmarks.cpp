// gqrx's bookmarks.csv: a table of tags and their colours, a blank line, then one bookmark a
// line, its fields separated by ";" and padded with blanks, its tags by ",".

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "channel/CellChecks.h"
#include "channel/TableChecks.h"
#include "convert/NumberText.h"
#include "convert/TextLines.h"
#include "convert/Windows1252.h"
#include "formats/BookmarkList.h"

namespace corvalen {

namespace {

constexpr std::string_view kPhrase = "gqrx bookmark file";
// The tag of a bookmark without one, and the colour of a tag the table gives none.
constexpr std::string_view kUntagged = "Untagged";
constexpr std::string_view kDefaultColour = "#c0c0c0";

// gqrx's modulations: the receiver's of the same kind (CW-U is written for CW), what the
// receiver modes and SDR modes it lacks are written as, and all of them.
constexpr std::array<ModePair, 7> kSame = {{{"AM", "AM"},
                                            {"AM-Sync", "AMS"},
                                            {"LSB", "LSB"},
                                            {"USB", "USB"},
                                            {"CW-U", "CW"},
                                            {"CW-L", "CW"},
                                            {"Narrow FM", "FM"}}};
constexpr std::array<ModePair, 8> kNearest = {{{"Narrow FM", "FM6"},
                                               {"Narrow FM", "FM3"},
                                               {"AM", "AMN"},
                                               {"AM", "DSB"},
                                               {"USB", "ISB"},
                                               {"Narrow FM", "NFM"},
                                               {"WFM (mono)", "WFM"},
                                               {"Raw I/Q", "RAW"}}};
constexpr std::array<std::string_view, 12> kOwn = {
    "Demod Off", "Raw I/Q", "AM",        "AM-Sync",    "LSB",          "USB",
    "CW-L",      "CW-U",    "Narrow FM", "WFM (mono)", "WFM (stereo)", "WFM (oirt)"};
constexpr ListModes kModes{kSame, kNearest, kOwn, "CW-U"};

// A field of a whole number of Hz, blanks around it allowed.
std::optional<std::uint64_t> WholeHz(std::string_view field) {
    return ParseWholeNumber(TrimBlanks(field));
}

}  // namespace

bool LooksLikeGqrxBookmarks(std::string_view fileBytes) {
    const std::string_view head = WithoutByteOrderMark(fileBytes).substr(0, 64 * 1024);
    for (const std::string_view piece : Split(head, '\n')) {
        const std::string_view line = TrimBlanks(piece, " \t\r");
        if (line.starts_with("# Tag name") || line.starts_with("# Frequency")) {
            return true;
        }
        if (!line.empty() && !line.starts_with('#')) {
            const std::vector<std::string_view> fields = Split(line, ';');
            return fields.size() == 5 && WholeHz(fields[0]) && WholeHz(fields[3]);
        }
    }
    return false;
}

Result<BookmarkRead> ReadGqrxBookmarks(std::string_view fileBytes,
                                       std::vector<std::string> knownGroups, int firstNumber) {
    if (fileBytes.size() > kMaxBookmarkListBytes) {
        return Error{MessageKind::ListTooLarge,
                     {std::string(kPhrase), std::to_string(kMaxBookmarkListBytes >> 20)}};
    }
    fileBytes = WithoutByteOrderMark(fileBytes);
    std::vector<Diagnostic> skipped;
    const ProblemList report(skipped, Diagnostic::Place::Line);
    // gqrx writes UTF-8; a file saved again as Windows-1252 is read as such.
    std::string converted;
    if (!IsWellFormedUtf8(fileBytes)) {
        converted = Utf8FromWindows1252(fileBytes);
        fileBytes = converted;
        report(1, -1, MessageKind::GqrxNotUtf8, {}, Diagnostic::Severity::Notice);
    }
    // Tags ("name; #rrggbb") and bookmarks are told by their fields, so that a file without the
    // tag table, or with blank lines anywhere, reads as gqrx means it.
    std::map<std::string, std::string> colours;
    std::vector<Bookmark> bookmarks;
    int line = 0;
    for (const std::string_view piece : Split(fileBytes, '\n')) {
        ++line;
        const std::string_view text = TrimBlanks(piece, " \t\r");
        if (text.empty() || text.starts_with('#')) {
            continue;
        }
        const std::vector<std::string_view> fields = Split(text, ';');
        const auto field = [&](std::size_t k) { return TrimBlanks(fields[k]); };
        if (fields.size() == 2 && field(1).starts_with('#')) {
            colours[std::string(field(0))] = field(1);
            continue;
        }
        if (fields.size() != 5) {
            report(line, -1, MessageKind::GqrxFieldCount, {std::to_string(fields.size())});
            continue;
        }
        const std::optional<std::uint64_t> hz = WholeHz(field(0));
        if (!hz || *hz == 0 || *hz > kHighestInt64Hz) {
            report(line, Frequency, MessageKind::SdrSharpFrequencyNotHz, {QuotedCell(field(0))});
            continue;
        }
        Bookmark& bookmark = bookmarks.emplace_back();
        bookmark.hz = *hz;
        bookmark.name = field(1);
        bookmark.mode = field(2);
        if (const std::optional<std::uint64_t> bandwidth = WholeHz(field(3))) {
            bookmark.bandwidth = *bandwidth;
        } else {
            report(line, Bandwidth, MessageKind::GqrxBandwidthNotHz, {QuotedCell(field(3))});
        }
        for (const std::string_view tag : Split(field(4), ',')) {
            if (TrimBlanks(tag) != kUntagged) {
                bookmark.groups.emplace_back(TrimBlanks(tag));
            }
        }
    }
    Result<BookmarkRead> made = ListRead(bookmarks, std::move(skipped), kPhrase,
                                         std::move(knownGroups), firstNumber, kModes);
    if (made) {
        made->groupColours = std::move(colours);
    }
    return made;
}

Result<BookmarkListText> WriteGqrxBookmarks(
    const MemoryTable& table, const std::vector<std::string>& groupNames,
    const std::map<std::string, std::string>& groupColours) {
    BookmarkWrite written = TableToBookmarks(
        table, groupNames, {kPhrase, false, false, kUntagged, kHighestInt64Hz, true, &kModes});

    // gqrx's separators and line ends are written as "," in a name and as " " in a tag, said
    // once for the names and once for the tags.
    struct Replaced {
        int count = 0;  // rows
        int lastRow = 0;
        Diagnostic first;
    };
    std::array<Replaced, 2> replaced;
    const auto clean = [&](std::string& text, std::string_view separators, char with, int row,
                           Column column) {
        if (text.find_first_of(separators) == std::string::npos) {
            return;
        }
        const std::string before = text;
        std::replace_if(
            text.begin(), text.end(),
            [&](char c) { return separators.find(c) != std::string_view::npos; }, with);
        Replaced& tally = replaced[column == Callsign ? 0 : 1];
        if (std::exchange(tally.lastRow, row) != row && tally.count++ == 0) {
            tally.first = Diagnostic{Diagnostic::Place::Row,
                                     row,
                                     column,
                                     MessageKind::GqrxSeparatorReplaced,
                                     {QuotedCell(before), QuotedCell(text)}};
        }
    };
    std::vector<std::string> tags;  // in order of first use
    for (Bookmark& bookmark : written.bookmarks) {
        clean(bookmark.name, ";\r\n", ',', bookmark.row, Callsign);
        for (std::string& tag : bookmark.groups) {
            clean(tag, ";,\r\n", ' ', bookmark.row, Groups);
            if (std::find(tags.begin(), tags.end(), tag) == tags.end()) {
                tags.push_back(tag);
            }
        }
    }
    for (Replaced& tally : replaced) {
        if (tally.count > 0) {
            tally.first.args.push_back(std::to_string(tally.count - 1));
            written.text.diagnostics.push_back(std::move(tally.first));
        }
    }
    std::ranges::stable_sort(written.text.diagnostics, ByRowThenColumn);

    // Each field padded with blanks to gqrx's width, counted in characters.
    std::string& out = written.text.bytes;
    const auto padded = [&](std::string_view text, std::size_t width, bool right) {
        const auto characters = static_cast<std::size_t>(
            std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
        const std::string blanks(width > characters ? width - characters : 0, ' ');
        out.append(right ? blanks : "").append(text).append(right ? "" : blanks);
    };
    out += "# Tag name          ;  color\n";
    for (const std::string& tag : tags) {
        const auto colour = groupColours.find(tag);
        padded(tag, 20, false);
        out.append("; ")
            .append(colour != groupColours.end() ? colour->second : kDefaultColour)
            .append("\n");
    }
    out += "\n# Frequency ; Name                     ; Modulation          ;  Bandwidth; Tags\n";
    for (const Bookmark& bookmark : written.bookmarks) {
        padded(std::to_string(bookmark.hz), 12, true);
        out += "; ";
        padded(bookmark.name, 25, false);
        out += "; ";
        padded(bookmark.mode, 20, false);
        out += "; ";
        padded(std::to_string(bookmark.bandwidth), 10, true);
        out += "; ";
        // A bookmark's tags are never empty: each is a list's name or "Untagged".
        out.append(Joined(bookmark.groups, ",")).push_back('\n');
    }
    return std::move(written.text);
}

}  // namespace corvalen

#include "formats/BookmarkList.h"

#include <algorithm>
#include <array>
#include <map>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "channel/CellChecks.h"
#include "channel/CellValues.h"
#include "channel/TableChecks.h"
#include "convert/FrequencyText.h"
#include "convert/Windows1252.h"

namespace corvalen {

namespace {

constexpr int kReceiverGroups = 16;

// SDR modes and the receiver's mode of the same kind, both ways.
constexpr std::array<ModePair, 6> kSameModes = {
    {{"NFM", "FM"}, {"AM", "AM"}, {"DSB", "DSB"}, {"LSB", "LSB"}, {"USB", "USB"}, {"CW", "CW"}}};
// Receiver modes and gqrx modulations an SDR list lacks, and the SDR mode each is written as.
constexpr std::array<ModePair, 9> kNearestModes = {{{"NFM", "FM6"},
                                                    {"NFM", "FM3"},
                                                    {"AM", "AMS"},
                                                    {"AM", "AMN"},
                                                    {"USB", "ISB"},
                                                    {"WFM", "WFM (mono)"},
                                                    {"WFM", "WFM (stereo)"},
                                                    {"WFM", "WFM (oirt)"},
                                                    {"RAW", "Raw I/Q"}}};
constexpr std::array<std::string_view, 8> kSdrModes = {"NFM", "WFM", "AM", "DSB",
                                                       "LSB", "USB", "CW", "RAW"};

// How often something came up, where first, and with what text: reported once per kind.
struct Tally {
    int count = 0;
    int firstRow = 0;
    std::string example;
    void Note(int row, std::string_view text) {
        if (count++ == 0) {
            firstRow = row;
            example = text;
        }
    }
    // Reports it at its first row, if it came up: `values`, then the rows after the first (a
    // {N:later} value of the catalogue).
    void Report(const ProblemList& report, int column, MessageKind kind,
                MessageValues values) const {
        if (count > 0) {
            values.push_back(std::to_string(count - 1));
            report(firstRow, column, kind, std::move(values));
        }
    }
};

bool IsBlankOrZero(std::string_view cell) {
    if (cell.empty() || cell == "0") {
        return true;
    }
    // Text that starts with neither a blank, a digit nor a point is neither blank nor a number
    // (a sign, a letter): most cells that are not zero are told at their first character.
    const char first = cell.front();
    if (first != ' ' && first != '\t' && first != '.' && (first < '0' || first > '9')) {
        return false;
    }
    if (cell.find_first_not_of(" \t") == std::string_view::npos) {
        return true;
    }
    return HzOf(cell) == 0u;
}

}  // namespace

const ListModes& SdrListModes() {
    // A cell that is no mode is written as CW, the receiver's own choice for an empty Mode.
    static constexpr ListModes modes{kSameModes, kNearestModes, kSdrModes, "CW"};
    return modes;
}

Result<BookmarkRead> ListRead(const std::vector<Bookmark>& bookmarks, std::vector<Diagnostic> found,
                              std::string_view format, std::vector<std::string> knownGroups,
                              int firstNumber, const ListModes& modes) {
    if (bookmarks.size() > kMaxBookmarks) {
        return Error{MessageKind::ListTooManyBookmarks,
                     {format, std::to_string(bookmarks.size()), std::to_string(kMaxBookmarks)}};
    }
    BookmarkRead read;
    read.diagnostics = std::move(found);
    const auto foundCount = static_cast<std::ptrdiff_t>(read.diagnostics.size());
    read.groupNames = std::move(knownGroups);
    const std::size_t namesBefore = read.groupNames.size();
    Tally withoutGroup;
    // Kept in a hash set: a list may name a group of its own for each of 65,535 bookmarks.
    std::unordered_set<std::string_view> namesLeftOut;
    int firstNamed = 0;

    std::map<std::string, Tally> modesKept;
    read.table.ReserveChannels(static_cast<int>(bookmarks.size()));
    // A row's cells as views into the bookmark and into these, reused from row to row.
    std::array<std::string_view, kImportedColumnCount> cells{};
    std::string number;
    std::string frequency;
    std::string bandwidth;
    std::string groups;
    for (std::size_t i = 0; i < bookmarks.size(); ++i) {
        const Bookmark& bookmark = bookmarks[i];
        const int row = static_cast<int>(i) + 1;
        // A group name takes the next free group where it first comes.
        std::uint16_t groupBits = 0;
        bool lost = false;
        for (const std::string& name : bookmark.groups) {
            if (name.empty()) {
                continue;
            }
            auto known = std::find(read.groupNames.begin(), read.groupNames.end(), name);
            if (known == read.groupNames.end() && read.groupNames.size() < kReceiverGroups) {
                known = read.groupNames.insert(known, name);
            }
            if (known != read.groupNames.end()) {
                groupBits |= static_cast<std::uint16_t>(1u << (known - read.groupNames.begin()));
                firstNamed = firstNamed == 0 ? row : firstNamed;
            } else {
                namesLeftOut.insert(name);
                if (!std::exchange(lost, true)) {
                    withoutGroup.Note(row, name);  // a bookmark counted once
                }
            }
        }
        number = std::to_string(firstNumber + static_cast<int>(i));
        cells[Number] = number;
        frequency = std::to_string(bookmark.hz);
        cells[Frequency] = frequency;
        const std::string_view mode = ReceiverModeOf(bookmark.mode, modes);
        cells[Mode] = mode.empty() ? std::string_view(bookmark.mode) : mode;
        if (mode.empty()) {
            modesKept[bookmark.mode].Note(row, bookmark.mode);
        }
        if (bookmark.bandwidth != 0) {
            bandwidth = std::to_string(bookmark.bandwidth);
            cells[Bandwidth] = bandwidth;
        } else {
            cells[Bandwidth] = DefaultBandwidth(cells[Mode]);
        }
        cells[Callsign] = bookmark.name;
        groups = CellWithGroups({}, groupBits);
        cells[Groups] = groups;
        read.table.AppendRow(cells);
    }

    const ProblemList report(read.diagnostics, Diagnostic::Place::Row);
    if (read.groupNames.size() > namesBefore) {
        std::string mapping;
        for (std::size_t k = namesBefore; k < read.groupNames.size(); ++k) {
            mapping.append(k == namesBefore ? "" : ", ")
                .append(std::to_string(k + 1))
                .append(" ")
                .append(QuotedCell(read.groupNames[k]));
        }
        report(firstNamed, Groups, MessageKind::BookmarkGroupsNamed, {format, mapping},
               Diagnostic::Severity::Notice);
    }
    if (withoutGroup.count > 0) {
        report(withoutGroup.firstRow, Groups, MessageKind::BookmarkGroupsTooFew,
               {std::to_string(namesLeftOut.size()), QuotedCell(withoutGroup.example),
                std::to_string(withoutGroup.count)});
    }
    for (const auto& [text, tally] : modesKept) {
        tally.Report(report, Mode, MessageKind::ChirpModeUnknown, {QuotedCell(text)});
    }
    // What reading the file found stays first, in file order.
    std::stable_sort(read.diagnostics.begin() + foundCount, read.diagnostics.end(),
                     ByRowThenColumn);
    return read;
}

BookmarkWrite TableToBookmarks(const MemoryTable& table, const std::vector<std::string>& groupNames,
                               const BookmarkFormat& format) {
    BookmarkWrite result;
    const ProblemList report(result.text.diagnostics, Diagnostic::Place::Row);
    Tally renamed;
    Tally severalGroups;
    std::map<std::string_view, Tally> modesChanged;
    std::map<int, Tally> lostColumns;
    // The list of each receiver group ([group - 1]) and of channels in none ([kReceiverGroups]),
    // and for each the first of the same name, since two groups of one name are one list.
    std::array<std::string, kReceiverGroups + 1> listNames;
    std::array<int, kReceiverGroups + 1> sameList{};
    for (std::size_t list = 0; list < listNames.size(); ++list) {
        listNames[list] = WellFormedUtf8(list == kReceiverGroups ? std::string(format.noGroup)
                                         : list < groupNames.size() && !groupNames[list].empty()
                                             ? groupNames[list]
                                             : "Group " + std::to_string(list + 1));
        sameList[list] = static_cast<int>(
            std::find(listNames.begin(), listNames.begin() + static_cast<std::ptrdiff_t>(list) + 1,
                      listNames[list]) -
            listNames.begin());
    }
    // Per list: the names taken, and per name the suffix to try first for its next repeat.
    std::array<std::unordered_map<std::string, int>, kReceiverGroups + 1> taken;
    result.bookmarks.reserve(static_cast<std::size_t>(table.RowCount()));

    // Each channel row as a bookmark in each of its lists, in row order.
    for (int row = 1; row < table.RowCount(); ++row) {
        if (IsEmptyRow(table, row)) {
            continue;
        }
        const RowTexts cells = RowTextsOf(table, row);
        const std::optional<std::uint64_t> hz = HzOf(cells[Frequency]);
        if (!hz) {
            report(row, Frequency, MessageKind::BookmarkRowNotWritten,
                   {QuotedCell(cells[Frequency])});
        } else if (*hz > format.maxHz) {
            report(row, Frequency, MessageKind::BookmarkFrequencyTooHigh,
                   {QuotedCell(cells[Frequency]), std::to_string(format.maxHz), format.name});
        }
        if (!hz || *hz > format.maxHz) {
            ++result.text.rowsNotWritten;
            continue;
        }
        Bookmark bookmark;
        bookmark.hz = *hz;
        // Made UTF-8 before it is compared with the names taken, so two cannot become one key.
        bookmark.name = WellFormedUtf8(cells[Callsign]);
        if (bookmark.name.empty() && format.keysByName) {
            bookmark.name = FrequencyText(*hz, FrequencyUnit::kHz) + " kHz";
        }

        const std::string_view mode = cells[Mode];
        const ListMode listMode = ListModeOf(mode, *format.modes);
        bookmark.mode = listMode.text;
        if (!listMode.exact) {
            modesChanged[mode].Note(row, mode);
        }

        const std::optional<std::uint64_t> bandwidth = HzOf(cells[Bandwidth]);
        if (bandwidth && *bandwidth != 0) {
            bookmark.bandwidth = *bandwidth;
        } else {
            const std::string_view fallback = DefaultBandwidth(mode);
            bookmark.bandwidth = ReadFrequency(fallback, FrequencyUnit::Hz).hz;
            if (!IsBlankOrZero(cells[Bandwidth])) {
                lostColumns[Bandwidth].Note(row, cells[Bandwidth]);
            }
        }
        for (const Column column : {IfShift, Hotkey, Lockout, Priority, LevelSquelch,
                                    SecondarySquelchType, SecondarySquelchValue, Comments}) {
            if (!IsBlankOrZero(cells[column])) {
                lostColumns[column].Note(row, cells[column]);
            }
        }
        ++result.text.channelsWritten;
        const std::uint16_t groups = GroupsOf(cells[Groups]);
        // The lists of the row's groups, as places in `listNames`.
        std::array<std::size_t, kReceiverGroups> lists{};
        std::size_t listCount = 0;
        for (std::size_t list = 0; list < kReceiverGroups; ++list) {
            if ((groups & (1u << list)) != 0) {
                lists[listCount++] = list;
            }
        }
        if (listCount == 0) {
            lists[0] = kReceiverGroups;
            listCount = 1;
        }
        if (format.oneGroupEach && listCount > 1) {
            severalGroups.Note(row, table.CellText(row, Groups));
            listCount = 1;
        }
        bookmark.row = row;
        if (format.allGroupsInOne) {
            for (std::size_t i = 0; i < listCount; ++i) {
                const std::string& name = listNames[lists[i]];
                if (std::ranges::find(bookmark.groups, name) == bookmark.groups.end()) {
                    bookmark.groups.push_back(name);
                }
            }
            result.bookmarks.push_back(std::move(bookmark));
            listCount = 0;
        }
        for (std::size_t i = 0; i < listCount; ++i) {
            const std::size_t list = lists[i];
            // The row's last list takes its bookmark itself, any list before it a copy.
            Bookmark copy = i + 1 < listCount ? Bookmark(bookmark) : std::move(bookmark);
            copy.groups = {listNames[list]};
            if (format.keysByName) {
                auto& names = taken[static_cast<std::size_t>(sameList[list])];
                // A repeated name gets the first free suffix from where its last repeat stopped.
                const auto [first, added] = names.try_emplace(copy.name, 2);
                if (!added) {
                    const std::size_t length = copy.name.size();  // the name the row gives
                    int& next = first->second;
                    do {
                        copy.name.resize(length);
                        copy.name += " (" + std::to_string(next++) + ")";
                    } while (!names.try_emplace(copy.name, 2).second);
                    renamed.Note(row, std::string_view(copy.name).substr(0, length));
                }
            }
            result.bookmarks.push_back(std::move(copy));
        }
    }

    for (const auto& [mode, tally] : modesChanged) {
        tally.Report(report, Mode, MessageKind::BookmarkModeWritten,
                     {QuotedCell(mode), format.name, ListModeOf(mode, *format.modes).text});
    }
    for (const auto& [column, tally] : lostColumns) {
        tally.Report(report, column, MessageKind::BookmarkColumnLost,
                     {QuotedCell(tally.example), format.name});
    }
    severalGroups.Report(report, Groups, MessageKind::BookmarkOneGroup,
                         {QuotedCell(severalGroups.example), format.name});
    renamed.Report(report, Callsign, MessageKind::BookmarkNameRepeated,
                   {QuotedCell(renamed.example)});
    std::ranges::stable_sort(result.text.diagnostics, ByRowThenColumn);
    return result;
}

}  // namespace corvalen

#include "formats/SeasonUpdate.h"

#include <optional>
#include <string_view>
#include <unordered_map>

#include "channel/ChannelFields.h"
#include "convert/FrequencyText.h"
#include "edit/ChannelRange.h"
#include "formats/ScheduleSummary.h"
#include "table/Columns.h"
#include "table/RowOperations.h"

namespace corvalen {

namespace {

// The first `count` characters of UTF-8 text.
std::string_view FirstCharacters(std::string_view text, std::size_t count) {
    std::size_t end = 0;
    for (std::size_t characters = 0; end < text.size(); ++end) {
        if ((static_cast<unsigned char>(text[end]) & 0xC0) != 0x80 && characters++ == count) {
            break;
        }
    }
    return text.substr(0, end);
}

// A frequency in Hz and a callsign, as one key.
std::string PairKey(std::uint64_t hz, std::string_view callsign) {
    std::string key = std::to_string(hz);
    key.append(1, '\0').append(callsign);
    return key;
}

}  // namespace

SeasonUpdate PlanSeasonUpdate(const MemoryTable& table, const MemoryTable& season) {
    // Each season channel under its full pair, and under its Callsign as a memory file cuts it.
    std::unordered_map<std::string, int> seasonRow;
    std::unordered_map<std::string, int> cutRow;
    for (int row = 1; row < season.RowCount(); ++row) {
        const std::optional<std::uint64_t> hz = HzOf(season.CellText(row, Frequency));
        const std::string_view callsign = season.CellText(row, Callsign);
        if (hz) {
            seasonRow.try_emplace(PairKey(*hz, callsign), row);
            cutRow.try_emplace(PairKey(*hz, FirstCharacters(callsign, kCallsignWidth)), row);
        }
    }

    SeasonUpdate update;
    std::vector<bool> present(static_cast<std::size_t>(season.RowCount()), false);
    const bool hasComments = table.ColCount() > Comments;
    for (int row = 1; hasComments && row < table.RowCount(); ++row) {
        const std::string_view comments = table.CellText(row, Comments);
        if (!ReadScheduleSummary(comments)) {
            continue;
        }
        int match = 0;
        if (const std::optional<std::uint64_t> hz = HzOf(table.CellText(row, Frequency))) {
            const std::string key = PairKey(*hz, table.CellText(row, Callsign));
            if (const auto found = seasonRow.find(key); found != seasonRow.end()) {
                match = found->second;
            } else if (const auto cut = cutRow.find(key); cut != cutRow.end()) {
                match = cut->second;
            }
        }
        if (match == 0) {
            update.removed.push_back(row);
            continue;
        }
        present[static_cast<std::size_t>(match)] = true;
        const std::string_view wanted = season.CellText(match, Comments);
        // A memory file keeps the first kCommentWidth characters of Comments.
        if (wanted == comments ||
            (comments.size() == kCommentWidth && wanted.substr(0, kCommentWidth) == comments)) {
            update.kept.push_back(row);
        } else {
            update.updated.emplace_back(row, std::string(wanted));
        }
    }

    int number = HighestChannelNumber(table);
    for (int row = 1; row < season.RowCount(); ++row) {
        if (!present[static_cast<std::size_t>(row)]) {
            std::vector<std::string_view> cells(kImportedColumnCount);
            season.RowCells(row).CopyTo(cells);
            const std::string numbered = std::to_string(++number);
            cells[Number] = numbered;
            update.added.AppendRow(cells);
        }
    }
    return update;
}

MemoryTable ApplySeasonUpdate(const MemoryTable& table, const SeasonUpdate& update) {
    MemoryTable result = table;
    for (const auto& [row, comments] : update.updated) {
        result.SetCellText(row, Comments, comments);
    }
    // The rows that stay, in order, then the removed ones, which are cut off: rows move whole.
    std::vector<int> order;
    order.reserve(static_cast<std::size_t>(table.ChannelCount()));
    std::size_t next = 0;
    for (int row = 1; row < table.RowCount(); ++row) {
        if (next < update.removed.size() && update.removed[next] == row) {
            ++next;
        } else {
            order.push_back(row);
        }
    }
    order.insert(order.end(), update.removed.begin(), update.removed.end());
    result.ReorderRows(order);
    result.SetRowCount(table.RowCount() - static_cast<int>(update.removed.size()));
    AppendChannels(result, update.added);
    return result;
}

}  // namespace corvalen

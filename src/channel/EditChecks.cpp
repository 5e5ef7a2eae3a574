#include "channel/EditChecks.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <unordered_map>

#include "channel/CellChecks.h"
#include "channel/ChannelFields.h"
#include "channel/TableChecks.h"
#include "table/Columns.h"

namespace corvalen {

namespace {

// Mode ids past those of the modes the receiver knows.
constexpr std::uint32_t kFirstOtherMode = 256;

bool ByRowThenColumn(const Diagnostic& a, const Diagnostic& b) {
    return a.number != b.number ? a.number < b.number : a.column < b.column;
}

template <typename T>
bool Holds(const std::vector<T>& sorted, T value) {
    return std::binary_search(sorted.begin(), sorted.end(), value);
}

template <typename T>
void SortUnique(std::vector<T>& values) {
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
}

}  // namespace

EditChecks::Keys EditChecks::KeysOf(const MemoryTable& table, int row) {
    if (IsEmptyRow(table, row)) {
        return {};
    }
    return KeysOf(table.CellText(row, Number), table.CellText(row, Frequency),
                  table.CellText(row, Mode));
}

EditChecks::Keys EditChecks::KeysOf(std::string_view number, std::string_view frequencyCell,
                                    std::string_view mode) {
    std::array<std::string_view, Mode + 1> cells{};
    cells[Number] = number;
    cells[Frequency] = frequencyCell;
    cells[Mode] = mode;
    return KeysFrom(TableChecks::KeysOf(cells), mode);
}

EditChecks::Keys EditChecks::KeysFrom(const TableChecks::RowKeys& rowKeys, std::string_view mode) {
    Keys keys;
    keys.channel = rowKeys.channel.value_or(0);
    const auto frequency = rowKeys.frequency;
    if (!frequency) {
        return keys;
    }
    const int code = rowKeys.modeCode;
    std::uint32_t id = static_cast<std::uint32_t>(code);
    if (code < 0) {
        id = m_otherModes
                 .try_emplace(std::string(mode),
                              kFirstOtherMode + static_cast<std::uint32_t>(m_otherModes.size()))
                 .first->second;
    }
    keys.alike = static_cast<std::uint64_t>(*frequency) << 24 | (id + 1u);
    return keys;
}

bool EditChecks::CheckAll(const MemoryTable& table, ReceiverModel model) {
    // What CheckCells finds, with each row's keys taken from the same read of its cells (empty
    // rows, which the read passes over, have none).
    const auto rows = static_cast<std::size_t>(table.RowCount());
    m_channels.assign(rows, 0);
    m_alike.assign(rows, 0);
    std::vector<Diagnostic> problems =
        CheckCells(table, model,
                   [&](int row, std::span<const std::string_view> cells,
                       const TableChecks::RowKeys& rowKeys) {
                       const std::string_view mode =
                           cells.size() > Mode ? cells[Mode] : std::string_view();
                       const Keys keys = KeysFrom(rowKeys, mode);
                       m_channels[static_cast<std::size_t>(row)] = keys.channel;
                       m_alike[static_cast<std::size_t>(row)] = keys.alike;
                   });
    if (!std::is_sorted(problems.begin(), problems.end(), ByRowThenColumn)) {
        std::stable_sort(problems.begin(), problems.end(), ByRowThenColumn);
    }
    if (problems == m_problems) {
        return false;
    }
    m_problems = std::move(problems);
    m_rowsChanged.reset();
    return true;
}

void EditChecks::CheckRow(const MemoryTable& table, int row, ReceiverModel model,
                          int lastOfChannel, int firstAlike,
                          std::vector<Diagnostic>& problems) const {
    const std::size_t start = problems.size();
    CheckTableRow(table, row, model, problems);
    if (firstAlike != 0 && firstAlike < row) {
        const std::string_view mode = table.CellText(row, Mode);
        const int code = mode.empty() ? 0 : ModeCode(mode);
        const auto after =
            std::find_if(problems.begin() + static_cast<std::ptrdiff_t>(start), problems.end(),
                         [](const Diagnostic& problem) { return problem.column > Frequency; });
        problems.insert(after, AlikeNotice(row, *AlikeFrequency(table.CellText(row, Frequency)),
                                           code, mode, firstAlike));
    }
    const std::uint16_t channel = m_channels[static_cast<std::size_t>(row)];
    if (channel != 0 && lastOfChannel != row) {
        // Quoted as the cell stands only when it is written other than as the plain number.
        const std::string_view cell = table.CellText(row, Number);
        const bool plain = cell.front() != '0' && cell.front() != ' ' && cell.back() != ' ';
        problems.insert(problems.begin() + static_cast<std::ptrdiff_t>(start),
                        LostChannelProblem(row, plain ? std::to_string(channel) : std::string(cell),
                                           channel, lastOfChannel));
    }
    std::stable_sort(problems.begin() + static_cast<std::ptrdiff_t>(start), problems.end(),
                     ByRowThenColumn);
}

bool EditChecks::RowsChanged(const MemoryTable& table, std::span<const int> rows,
                             ReceiverModel model) {
    const auto count = static_cast<std::size_t>(table.RowCount());
    if (m_channels.empty()) {
        return CheckAll(table, model);
    }
    // The keys that changed, before and after: every row holding one is checked again.
    std::vector<std::uint16_t> channels;
    std::vector<std::uint64_t> alike;
    std::vector<int> changed;
    for (std::size_t row = count; row < m_channels.size(); ++row) {
        channels.push_back(m_channels[row]);  // removed at the end
        alike.push_back(m_alike[row]);
    }
    const std::size_t oldCount = m_channels.size();
    m_channels.resize(count, 0);
    m_alike.resize(count, 0);
    for (std::size_t row = oldCount; row < count; ++row) {
        changed.push_back(static_cast<int>(row));  // added at the end
    }
    for (const int row : rows) {
        if (row >= 1 && static_cast<std::size_t>(row) < count) {
            changed.push_back(row);
        }
    }
    SortUnique(changed);
    for (const int row : changed) {
        const auto at = static_cast<std::size_t>(row);
        const Keys keys = KeysOf(table, row);
        channels.insert(channels.end(), {m_channels[at], keys.channel});
        alike.insert(alike.end(), {m_alike[at], keys.alike});
        m_channels[at] = keys.channel;
        m_alike[at] = keys.alike;
    }
    SortUnique(channels);
    SortUnique(alike);
    std::vector<int> affected;
    for (std::size_t row = 1; row < count; ++row) {
        if ((m_channels[row] != 0 && Holds(channels, m_channels[row])) ||
            (m_alike[row] != 0 && Holds(alike, m_alike[row]))) {
            affected.push_back(static_cast<int>(row));
        }
    }
    std::vector<int> recheck;
    std::set_union(changed.begin(), changed.end(), affected.begin(), affected.end(),
                   std::back_inserter(recheck));
    // The last row of each of their channel numbers, the first of each frequency and mode.
    std::unordered_map<std::uint16_t, int> lastOfChannel;
    std::unordered_map<std::uint64_t, int> firstAlike;
    for (const int row : recheck) {
        if (const std::uint16_t channel = m_channels[static_cast<std::size_t>(row)]) {
            lastOfChannel.emplace(channel, 0);
        }
        if (const std::uint64_t key = m_alike[static_cast<std::size_t>(row)]) {
            firstAlike.emplace(key, 0);
        }
    }
    for (std::size_t row = 1; row < count; ++row) {
        if (const auto last = lastOfChannel.find(m_channels[row]); last != lastOfChannel.end()) {
            last->second = static_cast<int>(row);
        }
        if (const auto first = firstAlike.find(m_alike[row]);
            first != firstAlike.end() && first->second == 0) {
            first->second = static_cast<int>(row);
        }
    }

    // The problems of the rows checked again take the place of their old ones.
    std::vector<Diagnostic> problems;
    problems.reserve(m_problems.size() + recheck.size());
    auto old = m_problems.begin();
    std::vector<int> rowsChanged;
    std::vector<Diagnostic> fresh;
    for (const int row : recheck) {
        while (old != m_problems.end() && old->number < row) {
            problems.push_back(std::move(*old++));
        }
        const auto oldEnd = std::find_if(old, m_problems.end(),
                                         [row](const Diagnostic& p) { return p.number != row; });
        fresh.clear();
        const auto at = static_cast<std::size_t>(row);
        if (m_channels[at] != 0 || m_alike[at] != 0 || !IsEmptyRow(table, row)) {
            CheckRow(table, row, model, m_channels[at] != 0 ? lastOfChannel[m_channels[at]] : 0,
                     m_alike[at] != 0 ? firstAlike[m_alike[at]] : 0, fresh);
        }
        if (!std::equal(old, oldEnd, fresh.begin(), fresh.end())) {
            rowsChanged.push_back(row);
        }
        old = oldEnd;
        std::move(fresh.begin(), fresh.end(), std::back_inserter(problems));
    }
    // Rows removed at the end take their problems with them.
    const auto kept = std::find_if(old, m_problems.end(), [count](const Diagnostic& p) {
        return static_cast<std::size_t>(p.number) >= count;
    });
    const bool differ = !rowsChanged.empty() || kept != m_problems.end();
    std::move(old, kept, std::back_inserter(problems));
    m_problems = std::move(problems);
    if (differ) {
        m_rowsChanged = std::move(rowsChanged);
    }
    return differ;
}

}  // namespace corvalen

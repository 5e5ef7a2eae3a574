#include "channel/EditChecks.h"

#include <algorithm>
#include <array>
#include <iterator>

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

}  // namespace

EditChecks::Keys EditChecks::KeysOf(const MemoryTable& table, int row) {
    if (IsEmptyRow(table, row)) {
        return {};
    }
    std::array<std::string_view, Mode + 1> cells{};
    for (const int column : {Number, Frequency, Mode}) {
        cells[static_cast<std::size_t>(column)] = table.CellText(row, column);
    }
    return KeysFrom(TableChecks::KeysOf(cells), cells[Mode]);
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
    std::vector<Diagnostic> problems = CheckCells(
        table, model,
        [&](int row, std::span<const std::string_view> cells, const TableChecks::RowKeys& rowKeys) {
            const std::string_view mode = cells.size() > Mode ? cells[Mode] : std::string_view();
            const Keys keys = KeysFrom(rowKeys, mode);
            m_channels[static_cast<std::size_t>(row)] = keys.channel;
            m_alike[static_cast<std::size_t>(row)] = keys.alike;
        });
    FindLinks();
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

void EditChecks::FindLinks() {
    const std::size_t count = m_channels.size();
    m_lastOfChannel.assign(count, 0);
    m_earlierAlike.assign(count, 0);
    std::vector<int> lastRow(std::size_t{1} << 16, 0);
    for (std::size_t row = 1; row < count; ++row) {
        lastRow[m_channels[row]] = static_cast<int>(row);
    }
    // The first row of each frequency and mode, by open addressing: a slot holds the key and
    // that row.
    std::size_t slots = 16;
    while (slots < 2 * count) {
        slots *= 2;
    }
    std::vector<std::pair<std::uint64_t, int>> firstRow(slots, {0, 0});
    for (std::size_t row = 1; row < count; ++row) {
        if (const std::uint16_t channel = m_channels[row];
            channel != 0 && lastRow[channel] != static_cast<int>(row)) {
            m_lastOfChannel[row] = lastRow[channel];
        }
        const std::uint64_t key = m_alike[row];
        if (key == 0) {
            continue;
        }
        std::size_t slot = (key * 0x9E3779B97F4A7C15u) >> 32 & (slots - 1);
        while (firstRow[slot].first != 0 && firstRow[slot].first != key) {
            slot = (slot + 1) & (slots - 1);
        }
        if (firstRow[slot].first == 0) {
            firstRow[slot] = {key, static_cast<int>(row)};
        } else {
            m_earlierAlike[row] = firstRow[slot].second;
        }
    }
}

void EditChecks::AddLinks(const MemoryTable& table, int row, std::size_t start,
                          std::vector<Diagnostic>& problems) const {
    const auto at = static_cast<std::size_t>(row);
    if (const int earlier = m_earlierAlike[at]) {
        const std::string_view mode = table.CellText(row, Mode);
        const int code = mode.empty() ? 0 : ModeCode(mode);
        const auto after =
            std::find_if(problems.begin() + static_cast<std::ptrdiff_t>(start), problems.end(),
                         [](const Diagnostic& problem) { return problem.column > Frequency; });
        problems.insert(after, AlikeNotice(row, *AlikeFrequency(table.CellText(row, Frequency)),
                                           code, mode, earlier));
    }
    if (const int last = m_lastOfChannel[at]) {
        // Quoted as the cell stands only when it is written other than as the plain number.
        const std::uint16_t channel = m_channels[at];
        const std::string_view cell = table.CellText(row, Number);
        const bool plain = cell.front() != '0' && cell.front() != ' ' && cell.back() != ' ';
        problems.insert(problems.begin() + static_cast<std::ptrdiff_t>(start),
                        LostChannelProblem(row, plain ? std::to_string(channel) : std::string(cell),
                                           channel, last));
    }
    std::stable_sort(problems.begin() + static_cast<std::ptrdiff_t>(start), problems.end(),
                     ByRowThenColumn);
}

bool EditChecks::Update(const MemoryTable& table, std::span<const int> from, ReceiverModel model) {
    const std::size_t count = from.size();
    const std::size_t oldCount = m_channels.size();
    if (oldCount == 0 || count != static_cast<std::size_t>(table.RowCount())) {
        return CheckAll(table, model);
    }
    // Where each old row's problems start, and end (at the next row's start).
    std::vector<std::size_t> start(oldCount + 1, m_problems.size());
    for (std::size_t i = m_problems.size(); i-- > 0;) {
        start[static_cast<std::size_t>(m_problems[i].number)] = i;
    }
    for (std::size_t row = oldCount; row-- > 1;) {
        start[row] = std::min(start[row], start[row + 1]);
    }
    // Each row's keys, carried along or taken from its cells, then its links.
    const std::vector<int> oldLast = std::move(m_lastOfChannel);
    const std::vector<int> oldEarlier = std::move(m_earlierAlike);
    std::vector<std::uint16_t> channels(count, 0);
    std::vector<std::uint64_t> alike(count, 0);
    for (std::size_t row = 1; row < count; ++row) {
        const auto was = static_cast<std::size_t>(from[row]);
        const Keys keys =
            was != 0 ? Keys{m_channels[was], m_alike[was]} : KeysOf(table, static_cast<int>(row));
        channels[row] = keys.channel;
        alike[row] = keys.alike;
    }
    m_channels = std::move(channels);
    m_alike = std::move(alike);
    FindLinks();

    // Rows whose cells or links changed are checked again; the others take their problems.
    std::vector<Diagnostic> problems;
    problems.reserve(m_problems.size() + count / 8);
    std::vector<int> rowsChanged;
    for (std::size_t row = 1; row < count; ++row) {
        const std::size_t first = problems.size();
        const auto was = static_cast<std::size_t>(from[row]);
        const int number = static_cast<int>(row);
        if (was != 0 && oldLast[was] == m_lastOfChannel[row] &&
            oldEarlier[was] == m_earlierAlike[row]) {
            if (was == row) {
                problems.insert(problems.end(),
                                std::make_move_iterator(m_problems.begin() + start[row]),
                                std::make_move_iterator(m_problems.begin() + start[row + 1]));
                continue;  // as it was
            }
            for (auto at = start[was]; at < start[was + 1]; ++at) {
                problems.emplace_back(m_problems[at]).number = number;
            }
        } else if (!IsEmptyRow(table, number)) {
            CheckTableRow(table, number, model, problems);
            AddLinks(table, number, first, problems);
        }
        const auto oldBegin = m_problems.begin() + start[std::min(row, oldCount)];
        const auto oldEnd = m_problems.begin() + start[std::min(row + 1, oldCount)];
        if (!std::equal(oldBegin, oldEnd, problems.begin() + first, problems.end())) {
            rowsChanged.push_back(number);
        }
    }
    const bool differ = !rowsChanged.empty() || problems.size() != m_problems.size();
    m_problems = std::move(problems);
    if (differ) {
        m_rowsChanged = std::move(rowsChanged);
    }
    return differ;
}

}  // namespace corvalen

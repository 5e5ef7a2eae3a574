#include "channel/EditChecks.h"

#include <algorithm>
#include <bit>
#include <iterator>
#include <utility>

#include "channel/CellChecks.h"
#include "channel/ChannelFields.h"
#include "channel/TableChecks.h"
#include "table/Columns.h"

namespace corvalen {

// Mode ids past those of the modes the receiver knows.
constexpr std::uint32_t kFirstOtherMode = 256;

EditChecks::Keys EditChecks::KeysFrom(const RowKeys& rowKeys, std::string_view mode) {
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
    // Every row read as new, with no problems or keys of an earlier check to compare with.
    std::vector<Diagnostic> old = std::exchange(m_problems, {});
    m_channels.assign(1, 0);
    Update(table, std::vector<int>(static_cast<std::size_t>(table.RowCount()), 0), model);
    m_rowsChanged.reset();
    return m_problems != old;
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
    const std::size_t slots = std::bit_ceil(std::max<std::size_t>(16, 2 * count));
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
    const auto first = [&] { return problems.begin() + static_cast<std::ptrdiff_t>(start); };
    const auto sort = [&] {
        if (!std::is_sorted(first(), problems.end(), ByRowThenColumn)) {
            std::stable_sort(first(), problems.end(), ByRowThenColumn);
        }
    };
    sort();  // the row's problems may come from two reads
    const auto at = static_cast<std::size_t>(row);
    if (const int earlier = m_earlierAlike[at]) {
        const std::string_view mode = table.CellText(row, Mode);
        const int code = mode.empty() ? 0 : ModeCode(mode);
        const auto after = std::find_if(first(), problems.end(), [](const Diagnostic& problem) {
            return problem.column > Frequency;
        });
        problems.insert(after, AlikeNotice(row, *AlikeFrequency(table.CellText(row, Frequency)),
                                           code, mode, earlier));
    }
    if (const int last = m_lastOfChannel[at]) {
        problems.insert(first(),
                        LostChannelProblem(row, table.CellText(row, Number), m_channels[at], last));
    }
    sort();
}

bool EditChecks::Update(const MemoryTable& table, std::span<const int> from, ReceiverModel model,
                        ColumnSet changed) {
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
    // The cells a row with changes in `changed` alone is read again in: those columns, and
    // those of its keys; the whole row when whether it has a channel number, and so which of
    // its cells count, changed.
    ColumnSet read = changed;
    read.Add(Number).Add(Frequency).Add(Mode);
    // Each row's keys, carried along or taken from the one read of its cells that also finds
    // its own problems (row by row, so in row order), then its links.
    std::vector<std::uint16_t> channels(count, 0);
    std::vector<std::uint64_t> alike(count, 0);
    std::vector<char> readAgain(count, 0);  // 1: read again in `read` alone
    std::vector<Diagnostic> own;
    bool sameKeys = count == oldCount;
    for (std::size_t row = 1; row < count; ++row) {
        const int at = from[row];
        const auto was = static_cast<std::size_t>(at < 0 ? -at : at);
        Keys keys;
        if (at > 0) {
            keys = {m_channels[was], m_alike[was]};
        } else if (RowTexts cells = RowTextsOf(table, static_cast<int>(row));
                   !IsEmptyRow(PresentCells(table, cells))) {
            // A row with a cell that is not empty has a channel number or a problem with it.
            if (at < 0 && (m_channels[was] != 0 || start[was] != start[was + 1])) {
                for (std::size_t column = 0; column < cells.size(); ++column) {
                    cells[column] = read.Has(static_cast<int>(column)) ? cells[column] : "";
                }
                readAgain[row] = IsEmptyRow(PresentCells(table, cells)) ? 0 : 1;
                cells = readAgain[row] != 0 ? cells : RowTextsOf(table, static_cast<int>(row));
            }
            const std::size_t first = own.size();
            RowKeys rowKeys;
            ReadRecordFields(PresentCells(table, cells), model, static_cast<int>(row), own,
                             &rowKeys);
            if (readAgain[row] != 0 && rowKeys.channel.has_value() != (m_channels[was] != 0)) {
                own.resize(first);
                readAgain[row] = 0;
                cells = RowTextsOf(table, static_cast<int>(row));
                ReadRecordFields(PresentCells(table, cells), model, static_cast<int>(row), own,
                                 &rowKeys);
            }
            keys = KeysFrom(rowKeys, CellOf(PresentCells(table, cells), Mode));
        }
        channels[row] = keys.channel;
        alike[row] = keys.alike;
        sameKeys = sameKeys && keys.channel == m_channels[row] && keys.alike == m_alike[row];
    }
    // The same keys in every place (cells changed in other columns): the same links.
    const std::vector<int> oldLast = sameKeys ? m_lastOfChannel : std::move(m_lastOfChannel);
    const std::vector<int> oldEarlier = sameKeys ? m_earlierAlike : std::move(m_earlierAlike);
    m_channels = std::move(channels);
    m_alike = std::move(alike);
    if (!sameKeys) {
        FindLinks();
    }

    // Rows whose cells changed take the problems just found (those read again keep their
    // problems of the other columns), rows whose links changed have those made anew; the others
    // take their problems along.
    std::vector<Diagnostic> problems;
    problems.reserve(std::max(own.size(), m_problems.size()) + count / 8);
    std::vector<int> rowsChanged;
    auto next = own.begin();
    for (std::size_t row = 1; row < count; ++row) {
        const std::size_t first = problems.size();
        const int at = from[row];
        const auto was = static_cast<std::size_t>(at < 0 ? -at : at);
        const int number = static_cast<int>(row);
        if (at > 0 && oldLast[was] == m_lastOfChannel[row] &&
            oldEarlier[was] == m_earlierAlike[row]) {
            if (was == row) {
                problems.insert(problems.end(),
                                std::make_move_iterator(m_problems.begin() + start[row]),
                                std::make_move_iterator(m_problems.begin() + start[row + 1]));
                continue;  // as it was
            }
            for (auto index = start[was]; index < start[was + 1]; ++index) {
                problems.emplace_back(m_problems[index]).number = number;
            }
        } else {
            // The old problems but those of the links, and of `changed` in a row read again.
            const bool reread = readAgain[row] != 0;
            for (auto index = start[was]; (at > 0 || reread) && index < start[was + 1]; ++index) {
                const Diagnostic& old = m_problems[index];
                if (!(reread && changed.Has(old.column)) &&
                    old.kind != MessageKind::FrequencyRepeated &&
                    old.kind != MessageKind::NumberUsedAgain) {
                    problems.emplace_back(old).number = number;
                }
            }
            for (; next != own.end() && next->number == number; ++next) {
                if (!reread || changed.Has(next->column)) {
                    problems.push_back(std::move(*next));
                }
            }
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

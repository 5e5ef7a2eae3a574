#include "channel/TableChecks.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <optional>

#include "channel/ChannelFields.h"
#include "convert/NumberText.h"
#include "table/Columns.h"

namespace corvalen {

namespace {

// The low bits of a slot of the repeat index hold a row; rows past them (a table of hundreds of
// millions of rows) go to the index by text instead.
constexpr int kRowBits = 28;
constexpr int kFirstRowLimit = 1 << kRowBits;

}  // namespace

std::optional<std::uint32_t> AlikeFrequency(std::string_view frequencyCell) {
    if (const std::int64_t plain = PlainDigits(frequencyCell, 9); plain >= 0) {
        return static_cast<std::uint32_t>(plain);
    }
    const auto value = ParseDecimal(frequencyCell);
    if (!value || !(*value >= 0.0 && *value < 4294967296.0)) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(*value);
}

Diagnostic AlikeNotice(int row, std::uint32_t frequency, int modeCode, std::string_view mode,
                       int earlier) {
    // "Frequency 7100000 Hz with mode USB is already in row 3": a large file can have tens of
    // thousands of these, so the values are put together without a stream.
    char frequencyDigits[16];
    char rowDigits[16];
    const auto frequencyEnd =
        std::to_chars(frequencyDigits, frequencyDigits + sizeof frequencyDigits, frequency).ptr;
    const auto rowEnd = std::to_chars(rowDigits, rowDigits + sizeof rowDigits, earlier).ptr;
    return Diagnostic{Diagnostic::Place::Row,
                      row,
                      Frequency,
                      MessageKind::FrequencyRepeated,
                      {std::string(frequencyDigits, frequencyEnd),
                       modeCode >= 0 ? std::string(ModeName(static_cast<std::uint32_t>(modeCode)))
                                     : QuotedCell(mode),
                       std::string(rowDigits, rowEnd)},
                      Diagnostic::Severity::Notice};
}

Diagnostic LostChannelProblem(int row, std::string_view numberCell, std::uint16_t channel,
                              int last) {
    return Diagnostic{Diagnostic::Place::Row,
                      row,
                      Number,
                      MessageKind::NumberUsedAgain,
                      {QuotedCell(numberCell), std::to_string(last), std::to_string(channel)}};
}

TableChecks::TableChecks(std::vector<Diagnostic>& problems)
    : m_problems(problems), m_start(problems.size()) {}

TableChecks::RowKeys TableChecks::KeysOf(std::span<const std::string_view> cells) {
    RowKeys keys;
    keys.channel = ChannelNumber(CellOf(cells, Number));
    keys.frequency = AlikeFrequency(CellOf(cells, Frequency));
    if (keys.frequency) {
        // An empty Mode is written as CW, so it counts as CW.
        const std::string_view mode = CellOf(cells, Mode);
        keys.modeCode = mode.empty() ? 0 : ModeCode(mode);
    }
    return keys;
}

void TableChecks::Compare(int row, std::span<const std::string_view> cells, std::size_t first,
                          const RowKeys& keys) {
    if (const auto channel = keys.channel) {
        // As long as the highest channel number yet, so a small table keeps a small index.
        if (*channel >= m_lastSeen.size()) {
            const std::size_t size = std::min<std::size_t>(
                std::max<std::size_t>(*channel + 1u, 2 * m_lastSeen.size()), 65536);
            m_lastSeen.resize(size);
        }
        LastSeen& last = m_lastSeen[*channel];
        if (last.row != 0) {
            // The message quotes the earlier row's Number cell; only a cell written other than
            // as the plain number was kept for that.
            m_lostRows.push_back(
                {last.row, *channel,
                 last.keptCell != 0 ? m_keptCells[last.keptCell - 1] : std::to_string(*channel)});
        }
        last.row = row;
        const std::string_view cell = CellOf(cells, Number);
        if (cell.front() == '0' || cell.front() == ' ' || cell.back() == ' ') {
            if (last.keptCell == 0) {
                m_keptCells.emplace_back();
                last.keptCell = static_cast<std::uint32_t>(m_keptCells.size());
            }
            m_keptCells[last.keptCell - 1].assign(cell);
        } else {
            last.keptCell = 0;
        }
    }

    const auto frequency = keys.frequency;
    if (!frequency) {
        return;
    }
    const int code = keys.modeCode;
    const std::string_view mode = code >= 0 ? std::string_view() : CellOf(cells, Mode);
    int earlier = 0;
    if (code >= 0 && row < kFirstRowLimit) {
        earlier = FirstRowWith(keys.AlikeKey(), row);
    } else {
        std::string key(reinterpret_cast<const char*>(&*frequency), sizeof *frequency);
        key.append(code >= 0 ? ModeName(static_cast<std::uint32_t>(code)) : mode);
        earlier = m_otherModes.try_emplace(std::move(key), row).first->second;
        earlier = earlier == row ? 0 : earlier;
    }
    if (earlier == 0) {
        return;
    }
    Diagnostic notice = AlikeNotice(row, *frequency, code, mode, earlier);
    // Into column order among the row's other problems, after the Frequency cell's own.
    const auto rowStart = m_problems.begin() + static_cast<std::ptrdiff_t>(first);
    const auto after = std::find_if(rowStart, m_problems.end(), [](const Diagnostic& problem) {
        return problem.column > Frequency;
    });
    m_problems.insert(after, std::move(notice));
}

void TableChecks::ExpectRows(std::size_t rows) {
    // A receiver holds at most 65,535 channels; a larger guess grows as rows come instead.
    rows = std::min<std::size_t>(rows, 65536);
    if (m_keyCount == 0) {
        std::size_t slots = 1024;
        while (slots < 2 * rows) {
            slots *= 2;
        }
        m_slots.assign(slots, 0);
    }
    // Room for every channel number the rows may hold, made once instead of doubling.
    if (rows > 4096 && m_lastSeen.capacity() < 65536) {
        m_lastSeen.reserve(65536);
    }
}

int TableChecks::FirstRowWith(std::uint64_t key, int row) {
    // Kept at most half full, so a probe soon finds the key or a free slot.
    if (2 * (m_keyCount + 1) > m_slots.size()) {
        const auto slots = std::move(m_slots);
        m_slots.assign(std::max<std::size_t>(1024, slots.size() * 2), 0);
        m_keyCount = 0;
        for (const std::uint64_t slot : slots) {
            if (slot != 0) {
                FirstRowWith(slot >> kRowBits, static_cast<int>(slot & (kFirstRowLimit - 1)));
            }
        }
    }
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t at = SlotOf(key);; at = (at + 1) & mask) {
        std::uint64_t& slot = m_slots[at];
        if (slot == 0) {
            slot = key << kRowBits | static_cast<std::uint64_t>(row);
            ++m_keyCount;
            return 0;
        }
        if (slot >> kRowBits == key) {
            return static_cast<int>(slot & (kFirstRowLimit - 1));
        }
    }
}

void TableChecks::Finish() {
    if (m_lostRows.empty()) {
        return;
    }
    std::vector<Diagnostic> lost;
    lost.reserve(m_lostRows.size());
    for (const LostRow& row : m_lostRows) {
        lost.push_back(
            LostChannelProblem(row.row, row.numberCell, row.channel, m_lastSeen[row.channel].row));
    }
    const auto byRow = [](const Diagnostic& a, const Diagnostic& b) { return a.number < b.number; };
    std::stable_sort(lost.begin(), lost.end(), byRow);
    // Each goes first among its row's problems: the Number cell is the first column.
    std::vector<Diagnostic> merged;
    merged.reserve(m_problems.size() - m_start + lost.size());
    const auto taken = m_problems.begin() + static_cast<std::ptrdiff_t>(m_start);
    std::merge(std::make_move_iterator(lost.begin()), std::make_move_iterator(lost.end()),
               std::make_move_iterator(taken), std::make_move_iterator(m_problems.end()),
               std::back_inserter(merged), byRow);
    m_problems.erase(taken, m_problems.end());
    std::move(merged.begin(), merged.end(), std::back_inserter(m_problems));
    m_lostRows.clear();
}

int ReadTableRecords(const MemoryTable& table, std::vector<Diagnostic>& problems,
                     const RowUse& use) {
    TableChecks checks(problems);
    checks.ExpectRows(static_cast<std::size_t>(table.RowCount()));
    for (int row = 1; row < table.RowCount(); ++row) {
        const RowTexts cells = RowTextsOf(table, row);
        const std::span<const std::string_view> present = PresentCells(table, cells);
        const TableChecks::RowKeys keys = TableChecks::KeysOf(present);
        checks.Take(row, present, keys, [&](int taken, std::span<const std::string_view> rowCells) {
            use(taken, rowCells, keys);
        });
    }
    checks.Finish();
    return checks.EmptyRows();
}

std::vector<Diagnostic> CheckCells(const MemoryTable& table, ReceiverModel model,
                                   const RowUse& each) {
    std::vector<Diagnostic> problems;
    ReadTableRecords(
        table, problems,
        [&](int row, std::span<const std::string_view> cells, const TableChecks::RowKeys& keys) {
            CheckRowCells(cells, model, row, problems);
            if (each) {
                each(row, cells, keys);
            }
        });
    return problems;
}

}  // namespace corvalen

#include "channel/TableChecks.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <iterator>
#include <optional>

#include "channel/ChannelFields.h"
#include "convert/NumberText.h"
#include "table/Columns.h"

namespace corvalen {

// The low bits of a slot of the repeat index hold a row; rows past them (a table of hundreds of
// millions of rows) go to the index by text instead.
constexpr int kRowBits = 28;
constexpr int kFirstRowLimit = 1 << kRowBits;

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
    // thousands of these, so the values are put together in place.
    char digits[16];
    MessageValues values;
    values.push_back({digits, std::to_chars(digits, digits + sizeof digits, frequency).ptr});
    if (modeCode >= 0) {
        values.push_back(ModeName(static_cast<std::uint32_t>(modeCode)));
    } else {
        AppendQuotedCellTo(values.Start(), mode);
    }
    values.push_back({digits, std::to_chars(digits, digits + sizeof digits, earlier).ptr});
    return Diagnostic{Diagnostic::Place::Row,
                      row,
                      Frequency,
                      MessageKind::FrequencyRepeated,
                      std::move(values),
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

RowKeys TableChecks::KeysOf(std::span<const std::string_view> cells) {
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

void TableChecks::Compare(int row, std::span<const std::string_view> cells, const RowKeys& keys) {
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
    if (code >= 0 && row < kFirstRowLimit) {
        m_alike.push_back(keys.AlikeKey() << kRowBits | static_cast<std::uint64_t>(row));
        return;
    }
    const std::string_view mode = code >= 0 ? std::string_view() : CellOf(cells, Mode);
    std::string key(reinterpret_cast<const char*>(&*frequency), sizeof *frequency);
    key.append(code >= 0 ? ModeName(static_cast<std::uint32_t>(code)) : mode);
    if (const int earlier = m_otherModes.try_emplace(std::move(key), row).first->second;
        earlier != row) {
        m_notices.push_back(AlikeNotice(row, *frequency, code, mode, earlier));
    }
}

void TableChecks::ExpectRows(std::size_t rows) {
    // A receiver holds at most 65,535 channels; a larger guess grows as rows come instead.
    rows = std::min<std::size_t>(rows, 65536);
    m_alike.reserve(rows);
    // Room for every channel number the rows may hold, made once instead of doubling.
    if (rows > 4096 && m_lastSeen.capacity() < 65536) {
        m_lastSeen.reserve(65536);
    }
}

void TableChecks::Finish() {
    // What goes in among the problems, in row then column order: the notices of rows alike
    // and the lost channels.
    std::vector<Diagnostic> added = std::move(m_notices);
    added.reserve(added.size() + m_alike.size() + m_lostRows.size());
    // Open addressing, kept at most half full: each slot holds the place in m_alike, plus 1, of
    // the first row with a key; 0 marks a free slot.
    const std::size_t size = std::bit_ceil(std::max<std::size_t>(1024, 2 * m_alike.size()));
    std::vector<std::uint32_t> slots(size, 0);
    for (std::size_t place = 0; place < m_alike.size(); ++place) {
        const std::uint64_t key = m_alike[place] >> kRowBits;
        for (std::size_t at = (key * 0x9E3779B97F4A7C15u) >> 32 & (size - 1);;
             at = (at + 1) & (size - 1)) {
            if (slots[at] == 0) {
                slots[at] = static_cast<std::uint32_t>(place + 1);
                break;
            }
            if (const std::uint64_t first = m_alike[slots[at] - 1]; first >> kRowBits == key) {
                added.push_back(AlikeNotice(static_cast<int>(m_alike[place] & (kFirstRowLimit - 1)),
                                            static_cast<std::uint32_t>(key >> 4),
                                            static_cast<int>(key & 15) - 1, {},
                                            static_cast<int>(first & (kFirstRowLimit - 1))));
                break;
            }
        }
    }
    for (const LostRow& row : m_lostRows) {
        added.push_back(
            LostChannelProblem(row.row, row.numberCell, row.channel, m_lastSeen[row.channel].row));
    }
    std::sort(added.begin(), added.end(), ByRowThenColumn);
    m_alike.clear();
    m_lostRows.clear();
    if (m_problems.empty()) {
        m_problems.swap(added);  // nothing to merge with
        return;
    }
    // A row's lost channel goes before its own problems, its notice after those of columns up
    // to Frequency.
    std::vector<Diagnostic> merged;
    merged.reserve(m_problems.size() - m_start + added.size());
    auto next = added.begin();
    for (auto taken = m_problems.begin() + static_cast<std::ptrdiff_t>(m_start);
         taken != m_problems.end(); ++taken) {
        for (; next != added.end() && (next->number < taken->number ||
                                       (next->number == taken->number &&
                                        (next->column == Number || taken->column > Frequency)));
             ++next) {
            merged.push_back(std::move(*next));
        }
        merged.push_back(std::move(*taken));
    }
    std::move(next, added.end(), std::back_inserter(merged));
    m_problems.erase(m_problems.begin() + static_cast<std::ptrdiff_t>(m_start), m_problems.end());
    std::move(merged.begin(), merged.end(), std::back_inserter(m_problems));
}

std::vector<Diagnostic> CheckCells(const MemoryTable& table, ReceiverModel model) {
    std::vector<Diagnostic> problems;
    TableChecks checks(problems);
    checks.ExpectRows(static_cast<std::size_t>(table.RowCount()));
    for (int row = 1; row < table.RowCount(); ++row) {
        const RowTexts cells = RowTextsOf(table, row);
        checks.Take(row, PresentCells(table, cells),
                    [&](int taken, std::span<const std::string_view> rowCells) {
                        ReadRecordFields(rowCells, model, taken, problems);
                        return TableChecks::KeysOf(rowCells);
                    });
    }
    checks.Finish();
    return problems;
}

}  // namespace corvalen

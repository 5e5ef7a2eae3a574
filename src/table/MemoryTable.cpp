#include "table/MemoryTable.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "convert/TextLines.h"

namespace corvalen {

MemoryTable::PackedRow MemoryTable::PackedRow::Allocate(std::size_t count, std::size_t textSize) {
    // Offsets are 32-bit; a row holding 4 GiB of text is out of memory for this program as
    // surely as a failed allocation.
    if (textSize > std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("memory table row too long");
    }
    PackedRow packed;
    const std::size_t words =
        1 + count + (textSize + sizeof(std::uint32_t) - 1) / sizeof(std::uint32_t);
    packed.m_words = std::make_shared_for_overwrite<std::uint32_t[]>(words);
    packed.m_words[0] = static_cast<std::uint32_t>(count);
    return packed;
}

template <typename CellAt>
MemoryTable::PackedRow MemoryTable::PackedRow::Pack(std::size_t count, CellAt cellAt) {
    std::size_t textSize = 0;
    for (std::size_t k = 0; k < count; ++k) {
        textSize += std::string_view(cellAt(k)).size();
    }
    if (textSize == 0) {
        return {};  // every cell empty: no block at all
    }
    PackedRow packed = Allocate(count, textSize);
    std::uint32_t* block = packed.m_words.get();
    char* text = reinterpret_cast<char*>(block + 1 + count);
    std::uint32_t end = 0;
    for (std::size_t k = 0; k < count; ++k) {
        const std::string_view cell = cellAt(k);
        // An empty cell may have no storage at all: memcpy takes no null pointer.
        if (!cell.empty()) {
            std::memcpy(text + end, cell.data(), cell.size());
        }
        end += static_cast<std::uint32_t>(cell.size());
        block[1 + k] = end;
    }
    return packed;
}

MemoryTable::PackedRow MemoryTable::PackedRow::Packed(std::size_t count, std::string_view texts,
                                                      std::span<const std::uint32_t> ends) {
    const std::size_t given = std::min(count, ends.size());
    const std::uint32_t size = given == 0 ? 0 : ends[given - 1];
    if (size == 0) {
        return {};
    }
    PackedRow packed = Allocate(count, size);
    std::uint32_t* block = packed.m_words.get();
    std::copy_n(ends.begin(), given, block + 1);
    std::fill(block + 1 + given, block + 1 + count, size);
    std::memcpy(block + 1 + count, texts.data(), size);
    return packed;
}

void MemoryTable::PackedRow::Splice(const std::uint32_t* from, std::uint32_t* to, std::size_t count,
                                    std::size_t column, std::string_view text) {
    const std::size_t size = from[count];
    const std::size_t start = column == 0 ? 0 : from[column];
    const std::size_t end = from[column + 1];
    const char* oldCells = reinterpret_cast<const char*>(from + 1 + count);
    char* cells = reinterpret_cast<char*>(to + 1 + count);
    // The cells after it first: in place they may move up over the cell's old text.
    std::memmove(cells + start + text.size(), oldCells + end, size - end);
    if (from != to) {
        std::copy_n(from, 1 + column, to);
        std::memcpy(cells, oldCells, start);
    }
    if (!text.empty()) {
        std::memcpy(cells + start, text.data(), text.size());
    }
    for (std::size_t k = column + 1; k <= count; ++k) {
        to[k] = static_cast<std::uint32_t>(from[k] - end + start + text.size());
    }
}

bool MemoryTable::PackedRow::Own() const {
    if (m_words == nullptr || m_words.use_count() != 1) {
        return false;
    }
    // A copy on another thread let go of the block: what it read comes before what is written.
    std::atomic_thread_fence(std::memory_order_acquire);
    return true;
}

void MemoryTable::PackedRow::Replace(std::size_t count, std::size_t column, std::string_view text) {
    if (m_words == nullptr) {
        *this = Pack(count, [&](std::size_t k) { return k == column ? text : std::string_view(); });
        return;
    }
    // The cells after it move within the block when it is the row's own and has room, else
    // the row's cells are copied into a new block with the new text in its place.
    std::uint32_t* words = m_words.get();
    const std::size_t size = words[count];
    const std::size_t newSize =
        size - (words[column + 1] - (column == 0 ? 0 : words[column])) + text.size();
    const std::size_t room =
        (size + sizeof(std::uint32_t) - 1) / sizeof(std::uint32_t) * sizeof(std::uint32_t);
    if (newSize == 0) {
        m_words.reset();  // every cell empty now
    } else if (newSize <= room && Own()) {
        Splice(words, words, count, column, text);
    } else {
        PackedRow packed = Allocate(count, newSize);
        Splice(words, packed.m_words.get(), count, column, text);
        *this = std::move(packed);
    }
}

MemoryTable::MemoryTable(int columnCount) : m_columnCount(std::max(columnCount, 0)) {
    m_rows.emplace_back();
}

MemoryTable MemoryTable::StartupLayout() {
    MemoryTable table(kStartupColumnCount);
    table.SetRowCount(kStartupRowCount);
    return table;
}

MemoryTable MemoryTable::ImportLayout() {
    MemoryTable table(kImportedColumnCount);
    table.SetHeader(kImportedCaptions);
    return table;
}

void MemoryTable::SetRowCount(int rowCount) {
    // The header row always stays; new rows are empty and need no block.
    m_rows.resize(static_cast<std::size_t>(std::max(rowCount, 1)));
}

void MemoryTable::SetColCount(int columnCount) {
    const auto oldCount = static_cast<std::size_t>(m_columnCount);
    const auto newCount = static_cast<std::size_t>(std::max(columnCount, 0));
    for (PackedRow& row : m_rows) {
        if (row.Words() == nullptr) {
            continue;
        }
        const RowView old(row.Words(), oldCount);
        row = PackedRow::Pack(newCount, [&](std::size_t k) { return old[k]; });
    }
    m_columnCount = static_cast<int>(newCount);
}

void MemoryTable::SetHeader(std::string_view barSeparatedCaptions) {
    // Columns past the captions keep theirs.
    const std::vector<std::string_view> captions = Split(barSeparatedCaptions, '|');
    const RowView old = RowCells(0);
    m_rows.front() = PackedRow::Pack(static_cast<std::size_t>(m_columnCount), [&](std::size_t k) {
        return k < captions.size() ? captions[k] : old[k];
    });
}

template <typename Cells>
void MemoryTable::InsertPacked(const Cells& cells, int at) {
    const int position = std::clamp(at, 1, RowCount());
    // Missing cells are empty, surplus ones dropped.
    PackedRow packed = PackedRow::Pack(static_cast<std::size_t>(m_columnCount), [&](std::size_t k) {
        return k < cells.size() ? std::string_view(cells[k]) : std::string_view();
    });
    m_rows.insert(m_rows.begin() + position, std::move(packed));
}

void MemoryTable::AppendRow(const Row& cells, int at) {
    InsertPacked(cells, at);
}

void MemoryTable::AppendRow(std::span<const std::string_view> cells, int at) {
    InsertPacked(cells, at);
}

void MemoryTable::ReserveChannels(int channelCount) {
    m_rows.reserve(static_cast<std::size_t>(std::max(channelCount, 0)) + 1);
}

void MemoryTable::RemoveRow(int row) {
    if (row >= 1 && row < RowCount()) {
        m_rows.erase(m_rows.begin() + row);
    }
}

MemoryTable MemoryTable::TakeRows(int first, int last) {
    first = std::max(first, 1);
    last = std::min(last, RowCount() - 1);
    MemoryTable taken(m_columnCount);
    if (first > last) {
        return taken;
    }
    const auto begin = m_rows.begin() + first;
    const auto end = m_rows.begin() + last + 1;
    taken.m_rows.reserve(static_cast<std::size_t>(last - first + 2));
    taken.m_rows.insert(taken.m_rows.end(), std::make_move_iterator(begin),
                        std::make_move_iterator(end));
    m_rows.erase(begin, end);
    return taken;
}

void MemoryTable::PutRows(int at, MemoryTable rows) {
    if (rows.m_columnCount != m_columnCount) {
        rows.SetColCount(m_columnCount);
    }
    const int position = std::clamp(at, 1, RowCount());
    m_rows.insert(m_rows.begin() + position, std::make_move_iterator(rows.m_rows.begin() + 1),
                  std::make_move_iterator(rows.m_rows.end()));
}

void MemoryTable::ReorderRows(std::span<const int> order) {
    if (order.size() + 1 != m_rows.size()) {
        return;
    }
    std::vector<PackedRow> rows;
    rows.reserve(m_rows.size());
    rows.push_back(std::move(m_rows.front()));
    for (const int row : order) {
        rows.push_back(std::move(m_rows[static_cast<std::size_t>(row)]));
    }
    m_rows = std::move(rows);
}

void MemoryTable::SetCellText(int row, int column, std::string text) {
    const auto count = static_cast<std::size_t>(m_columnCount);
    if (column < 0 || static_cast<std::size_t>(column) >= count) {
        return;
    }
    m_rows[static_cast<std::size_t>(row)].Replace(count, static_cast<std::size_t>(column), text);
}

void MemoryTable::AppendPackedRow(std::string_view texts, std::span<const std::uint32_t> ends) {
    m_rows.push_back(PackedRow::Packed(static_cast<std::size_t>(m_columnCount), texts, ends));
}

void MemoryTable::SwapCells(int row, int column, MemoryTable& block) {
    const int rows = block.ChannelCount();
    const int width = block.ColCount();
    if (rows <= 0 || width <= 0 || row < 1 || column < 0 || row + rows > RowCount() ||
        column + width > m_columnCount) {
        return;
    }
    const auto first = static_cast<std::size_t>(row);
    if (width == m_columnCount) {
        // Whole rows: the blocks change tables.
        for (std::size_t r = 0; r < static_cast<std::size_t>(rows); ++r) {
            std::swap(m_rows[first + r], block.m_rows[r + 1]);
        }
        return;
    }
    const auto count = static_cast<std::size_t>(m_columnCount);
    const auto left = static_cast<std::size_t>(column);
    const auto right = left + static_cast<std::size_t>(width);
    for (std::size_t r = 0; r < static_cast<std::size_t>(rows); ++r) {
        PackedRow& mine = m_rows[first + r];
        PackedRow& given = block.m_rows[r + 1];
        const RowView old(mine.Words(), count);
        const RowView cells(given.Words(), static_cast<std::size_t>(width));
        // Cells as long as those they replace (a Mode of "AM" for "FM") trade their bytes in
        // place: both runs of cells lie back to back in their blocks.
        std::size_t bytes = 0;
        bool sameLengths = true;
        for (std::size_t k = 0; k < static_cast<std::size_t>(width) && sameLengths; ++k) {
            sameLengths = old[left + k].size() == cells[k].size();
            bytes += cells[k].size();
        }
        if (sameLengths && (bytes == 0 || (mine.Own() && given.Own()))) {
            if (bytes > 0) {
                char* here = const_cast<char*>(old[left].data());
                std::swap_ranges(here, here + bytes, const_cast<char*>(cells[0].data()));
            }
            continue;
        }
        PackedRow taken = PackedRow::Pack(static_cast<std::size_t>(width),
                                          [&](std::size_t k) { return old[left + k]; });
        if (width == 1) {
            // One cell (Set Field, a group toggled): the row's other cells move as one piece.
            mine.Replace(count, left, cells[0]);
        } else {
            mine = PackedRow::Pack(count, [&](std::size_t k) {
                return k >= left && k < right ? cells[k - left] : old[k];
            });
        }
        given = std::move(taken);
    }
}

bool MemoryTable::operator==(const MemoryTable& other) const {
    if (m_columnCount != other.m_columnCount || m_rows.size() != other.m_rows.size()) {
        return false;
    }
    for (int row = 0; row < RowCount(); ++row) {
        const RowView mine = RowCells(row);
        const RowView theirs = other.RowCells(row);
        if (!std::equal(mine.begin(), mine.end(), theirs.begin())) {
            return false;
        }
    }
    return true;
}

}  // namespace corvalen

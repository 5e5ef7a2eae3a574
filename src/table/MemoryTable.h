#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <iterator>
#include <limits>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "table/Columns.h"

namespace corvalen {

// The editor's one document: rows of UTF-8 text cells, never typed or validated here. Row 0
// holds the column captions; rows 1 and up are memory channels in display order.
//
// Each row keeps its cells in one heap block, and a row of empty cells keeps none, so 65,535
// channels cost little more than their text. Copies share the blocks and a row writes its block
// in place only while no copy shares it, so a copy costs no text and may be read on another
// thread while the table goes on changing.
class MemoryTable {
public:
    using Row = std::vector<std::string>;

    // The cells of one row, read-only. Valid until the table changes.
    class RowView {
    public:
        class Iterator;

        RowView() = default;

        std::size_t size() const { return m_count; }
        bool empty() const { return m_count == 0; }
        // The cell's text; a column past the end reads as empty.
        std::string_view operator[](std::size_t column) const;
        Iterator begin() const;
        Iterator end() const;
        // Puts the row's first cells into `cells` (as many as both hold), the rest left as is.
        void CopyTo(std::span<std::string_view> cells) const;

    private:
        friend class MemoryTable;
        RowView(const std::uint32_t* words, std::size_t count) : m_words(words), m_count(count) {}

        const std::uint32_t* m_words = nullptr;  // the row's block, or null: every cell empty
        std::size_t m_count = 0;
    };

    // An empty table: the header row only, `columnCount` columns without captions.
    explicit MemoryTable(int columnCount = kStartupColumnCount);

    // The table the window starts with: 10 columns without captions, 49 empty channel rows.
    static MemoryTable StartupLayout();
    // The table an import fills: 19 captioned columns, no channel rows.
    static MemoryTable ImportLayout();

    int RowCount() const { return static_cast<int>(m_rows.size()); }
    int ChannelCount() const { return RowCount() - 1; }
    int ColCount() const { return m_columnCount; }

    // Growing adds empty rows at the end; 1 keeps only the header row.
    void SetRowCount(int rowCount);
    // Every row, the header included, gets exactly `columnCount` cells.
    void SetColCount(int columnCount);
    // The k-th piece of the "|"-separated text becomes the caption of column k.
    void SetHeader(std::string_view barSeparatedCaptions);
    std::string_view Caption(int column) const { return CellText(0, column); }

    // Adds a channel row at the end, or so that it becomes row `at` (rows from `at` move down).
    // Missing cells are empty, surplus ones dropped.
    void AppendRow(const Row& cells, int at = std::numeric_limits<int>::max());
    // The same for cells held elsewhere, which are copied.
    void AppendRow(std::span<const std::string_view> cells,
                   int at = std::numeric_limits<int>::max());
    // Adds a channel row at the end from its cells' texts back to back and the end offset of
    // each; cells past `ends` are empty, surplus ones dropped.
    void AppendPackedRow(std::string_view texts, std::span<const std::uint32_t> ends);
    // Reserves room for `channelCount` channel rows, so a bulk import allocates once.
    void ReserveChannels(int channelCount);
    void RemoveRow(int row);
    // Moves channel rows first..last (clipped to the channel rows) out, as the channel rows of a
    // table with the same columns.
    MemoryTable TakeRows(int first, int last);
    // Moves the channel rows of `rows` in so that the first becomes row `at`.
    void PutRows(int at, MemoryTable rows);
    // Puts the channel rows in a new order: `order`, a permutation of 1..ChannelCount(), holds
    // the row that becomes row k + 1 at k.
    void ReorderRows(std::span<const int> order);

    // Valid until the table changes.
    std::string_view CellText(int row, int column) const { return RowCells(row)[column]; }
    void SetCellText(int row, int column, std::string text);
    // Trades the cells of the rectangle whose top left cell is (row, column) for the channel
    // rows of `block`, a table as wide as the rectangle, so a second call puts everything back.
    // A rectangle not inside the channel rows and columns changes nothing.
    void SwapCells(int row, int column, MemoryTable& block);

    // The whole row; it always holds ColCount() cells. Valid until the table changes.
    RowView RowCells(int row) const {
        return RowView(m_rows[static_cast<std::size_t>(row)].Words(),
                       static_cast<std::size_t>(m_columnCount));
    }

    bool operator==(const MemoryTable& other) const;

private:
    // One row's block: word 0 the cell count n, words 1..n the end offset of each cell's text,
    // then the texts back to back. No block stands for a row of empty cells.
    class PackedRow {
    public:
        // Packs `count` cells, cell k read as `cellAt(k)`, into a block of the row's own.
        template <typename CellAt>
        static PackedRow Pack(std::size_t count, CellAt cellAt);
        // The same for cells given as in AppendPackedRow.
        static PackedRow Packed(std::size_t count, std::string_view texts,
                                std::span<const std::uint32_t> ends);

        const std::uint32_t* Words() const { return m_words.get(); }
        // Whether the row has a block that no copy shares, so it may be written in place.
        bool Own() const;
        // Writes `text` into cell `column` of the row's `count` cells: in place when the block
        // is the row's own and has room, else into a new block (none when every cell is empty).
        void Replace(std::size_t count, std::size_t column, std::string_view text);

    private:
        // A block for `count` cells and `textSize` bytes of text, only its cell count written.
        static PackedRow Allocate(std::size_t count, std::size_t textSize);
        // Writes the `count` cells of block `from` into block `to` (the same block, or one with
        // room), `text` in place of cell `column`.
        static void Splice(const std::uint32_t* from, std::uint32_t* to, std::size_t count,
                           std::size_t column, std::string_view text);

        std::shared_ptr<std::uint32_t[]> m_words;
    };

    template <typename Cells>
    void InsertPacked(const Cells& cells, int at);

    int m_columnCount;
    std::vector<PackedRow> m_rows;
};

class MemoryTable::RowView::Iterator {
public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = std::string_view;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = std::string_view;

    Iterator() = default;
    std::string_view operator*() const { return m_row[m_column]; }
    Iterator& operator++() {
        ++m_column;
        return *this;
    }
    Iterator operator++(int) {
        Iterator old = *this;
        ++m_column;
        return old;
    }
    bool operator==(const Iterator& other) const { return m_column == other.m_column; }

private:
    friend class RowView;
    Iterator(const RowView& row, std::size_t column) : m_row(row), m_column(column) {}
    RowView m_row;
    std::size_t m_column = 0;
};

inline MemoryTable::RowView::Iterator MemoryTable::RowView::begin() const {
    return Iterator(*this, 0);
}

inline MemoryTable::RowView::Iterator MemoryTable::RowView::end() const {
    return Iterator(*this, m_count);
}

inline std::string_view MemoryTable::RowView::operator[](std::size_t column) const {
    if (m_words == nullptr || column >= m_count) {
        return {};
    }
    const std::uint32_t start = column == 0 ? 0 : m_words[column];
    const std::uint32_t end = m_words[column + 1];
    const char* text = reinterpret_cast<const char*>(m_words + 1 + m_count);
    return std::string_view(text + start, end - start);
}

inline void MemoryTable::RowView::CopyTo(std::span<std::string_view> cells) const {
    const std::size_t count = m_count < cells.size() ? m_count : cells.size();
    if (m_words == nullptr) {
        for (std::size_t column = 0; column < count; ++column) {
            cells[column] = {};
        }
        return;
    }
    const char* text = reinterpret_cast<const char*>(m_words + 1 + m_count);
    std::uint32_t start = 0;
    for (std::size_t column = 0; column < count; ++column) {
        const std::uint32_t end = m_words[column + 1];
        cells[column] = std::string_view(text + start, end - start);
        start = end;
    }
}

}  // namespace corvalen

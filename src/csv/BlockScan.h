#pragma once

#include <bit>

// The CSV reader's block scan: the quotes, commas, line ends and bytes from 0x80 up of 64 bytes
// at a time, each kind as one bit per byte, so that finding where a field ends is a look at a
// bit mask rather than a new search per field. The masks are made with SSE2 (every x86-64
// processor, Windows builds included) or, where the processor has it, AVX2, chosen when the
// program runs; the compiler is never told to assume AVX2 for the rest of the program.
//
// BlockFinder answers the same two questions as FindFirstOf3 (ByteScan.h) with the same
// answers, so the reader can walk a file with either and read the same fields.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "csv/ByteScan.h"

// For the paths that few fields take, kept out of the loop that nearly every field takes.
#if defined(__GNUC__) || defined(__clang__)
#define CORVALEN_BLOCKSCAN_NOINLINE __attribute__((noinline))
#else
#define CORVALEN_BLOCKSCAN_NOINLINE
#endif

namespace corvalen {

// A field read in one piece: its text [start, stop), whether that holds a byte from 0x80 up,
// where the field ends (its comma or line end, or the end of the bytes), whether it was in
// quotes and whether a comma ends it; next is nullptr when the field is not in a form read in
// one piece.
struct QuickFieldText {
    const char* next = nullptr;
    const char* start = nullptr;
    const char* stop = nullptr;
    bool high = false;
    bool quoted = false;
    bool comma = false;
};

// The field at `from` (before `end`) in one of the forms QuickField reads, its end found by
// `finder`'s searches (FieldEnd, QuotedEnd) rather than by the masks of one block.
template <typename Finder>
QuickFieldText QuickFieldBySearch(Finder& finder, const char* from, const char* end) {
    bool high = false;
    if (*from != '"') {
        if (*from == ' ') {
            return {};
        }
        const char* stop = finder.FieldEnd(from, high);
        return {stop, from, stop, high, false, stop != end && *stop == ','};
    }
    if (from + 1 == end || from[1] == ' ') {
        return {};
    }
    const char* close = finder.QuotedEnd(from + 1, high);
    if (close == end || close + 1 == end || *close != '"' ||
        (close[1] != ',' && close[1] != '\r' && close[1] != '\n')) {
        return {};
    }
    return {close + 1, from + 1, close, high, true, close[1] == ','};
}

// One bit per byte of a 64-byte block, the first byte in the lowest bit.
struct BlockMasks {
    std::uint64_t quotes = 0;      // '"'
    std::uint64_t fieldEnds = 0;   // ',' CR LF: where a field outside quotes ends
    std::uint64_t quotedEnds = 0;  // '"' CR LF: where the text inside quotes stops
    std::uint64_t high = 0;        // bytes from 0x80 up
};

using ClassifyBlock = BlockMasks (*)(const char* block);

// The classifier for 64 bytes with SSE2, or nullptr where the build has no SSE2.
ClassifyBlock Sse2BlockClassifier();
// The classifier with AVX2, or nullptr where the build or the processor has no AVX2.
ClassifyBlock Avx2BlockClassifier();

// Finds the bytes that end a field in [begin, end) through the masks of the block around the
// position asked about, classifying each block once while the positions asked about move
// forward through it (a position before the block classifies its block again).
class BlockFinder {
public:
    static constexpr std::size_t kBlock = 64;

    BlockFinder(const char* begin, const char* end, ClassifyBlock classify)
        : m_begin(begin), m_end(end), m_block(end), m_classify(classify) {}

    // The first ',', CR or LF of [from, end), or `end`; `high` set as FindFirstOf3 sets it.
    const char* FieldEnd(const char* from, bool& high) {
        return Find<&BlockMasks::fieldEnds>(from, high);
    }
    // The first '"', CR or LF of [from, end), or `end`; `high` set as FindFirstOf3 sets it.
    const char* QuotedEnd(const char* from, bool& high) {
        return Find<&BlockMasks::quotedEnds>(from, high);
    }

    // The field at `from` (before the end) in the two forms nearly every field has, read from
    // the masks alone when it lies in one block: text with no space in front and no quote, up to
    // the comma or line end; or text in quotes that starts with no space and holds no quote or
    // line end, followed straight by the comma or line end. Sets the text's bounds and `high`
    // (whether it holds a byte from 0x80 up) and where the field ends (its comma or line end);
    // no `next` for any other field, which the caller reads the long way.
    QuickFieldText QuickField(const char* from) {
        auto offset = static_cast<std::size_t>(from - m_block);
        if (offset >= kBlock) {
            Load(m_begin + (static_cast<std::size_t>(from - m_begin) & ~(kBlock - 1)));
            offset = static_cast<std::size_t>(from - m_block);
        }
        const std::uint64_t at = std::uint64_t{1} << offset;
        const std::uint64_t fromHere = ~(at - 1);
        if ((m_masks.quotes & at) != 0) {
            const std::uint64_t inside = fromHere & ~at;
            const std::uint64_t ends = m_masks.quotedEnds & inside;
            if (ends == 0) {
                return QuotedIntoNextBlock(from, (m_masks.high & inside) != 0);
            }
            const unsigned close = LowestBit64(ends);
            // The closing quote, then a comma or line end in this block (m_closers); the padding
            // after the end holds none, so both lie before the end.
            if (((m_closers >> close) & 1) == 0 || from[1] == ' ') {
                // A closing quote in the block's last byte may still be followed by a field end
                // in the next one; any other field is read the long way.
                const bool closing = ((m_masks.quotes >> close) & 1) != 0 && from[1] != ' ';
                if (closing && close + 1 == kBlock) {
                    return ClosedAtBlockEnd(
                        from, (m_masks.high & inside & ~(std::uint64_t{1} << close)) != 0);
                }
                return {};
            }
            const char* stop = m_block + close;
            // The bytes between the quotes.
            const std::uint64_t text = (std::uint64_t{1} << close) - (at << 1);
            const bool high = (m_masks.high & text) != 0;
            const bool comma = ((m_commas >> (close + 1)) & 1) != 0;
            return {stop + 1, from + 1, stop, high, true, comma};
        }
        if (*from == ' ') {
            return {};
        }
        const std::uint64_t ends = m_masks.fieldEnds & fromHere;
        if (ends == 0) {
            return PlainIntoNextBlock(from, (m_masks.high & fromHere) != 0);
        }
        const unsigned end = LowestBit64(ends);
        const char* stop = m_block + end;
        const bool high = (m_masks.high & fromHere & ((std::uint64_t{1} << end) - 1)) != 0;
        const bool comma = ((m_commas >> end) & 1) != 0;
        return {stop, from, stop, high, false, comma};
    }

private:
    // QuickField for a field whose text starts in this block and whose end lies in the next,
    // read from the next block's masks; `high`: whether its bytes in this block hold one from
    // 0x80 up. A field that reaches past the next block, or into the last bytes, is read by
    // QuickFieldAcross, which loads the field's first block again.
    CORVALEN_BLOCKSCAN_NOINLINE QuickFieldText PlainIntoNextBlock(const char* from, bool high) {
        if (!LoadNextBlock()) {
            return QuickFieldAcross(from);
        }
        const std::uint64_t ends = m_masks.fieldEnds;
        if (ends == 0) {
            return QuickFieldAcross(from);
        }
        const unsigned end = LowestBit64(ends);
        const char* stop = m_block + end;
        high = high || (m_masks.high & ((std::uint64_t{1} << end) - 1)) != 0;
        return {stop, from, stop, high, false, ((m_commas >> end) & 1) != 0};
    }
    // The same for a field in quotes whose closing quote is not in this block.
    CORVALEN_BLOCKSCAN_NOINLINE QuickFieldText QuotedIntoNextBlock(const char* from, bool high) {
        if (!LoadNextBlock()) {
            return QuickFieldAcross(from);
        }
        if (from[1] == ' ') {
            return {};  // from + 1 lies in the block just loaded at the latest
        }
        const std::uint64_t ends = m_masks.quotedEnds;
        if (ends == 0) {
            return QuickFieldAcross(from);
        }
        const unsigned close = LowestBit64(ends);
        if (((m_closers >> close) & 1) == 0) {
            const bool closing = ((m_masks.quotes >> close) & 1) != 0;
            return closing && close + 1 == kBlock ? QuickFieldAcross(from) : QuickFieldText{};
        }
        const char* stop = m_block + close;
        high = high || (m_masks.high & ((std::uint64_t{1} << close) - 1)) != 0;
        return {stop + 1, from + 1, stop, high, true, ((m_commas >> (close + 1)) & 1) != 0};
    }
    // The same for a field in quotes whose closing quote is this block's last byte: whether a
    // comma or line end follows is in the next block.
    CORVALEN_BLOCKSCAN_NOINLINE QuickFieldText ClosedAtBlockEnd(const char* from, bool high) {
        const char* stop = m_block + (kBlock - 1);
        if (!LoadNextBlock()) {
            return QuickFieldAcross(from);
        }
        if ((m_masks.fieldEnds & 1) == 0) {
            return {};
        }
        return {stop + 1, from + 1, stop, high, true, (m_commas & 1) != 0};
    }

    // Loads the block after this one where it is whole and more bytes follow it; false (nothing
    // loaded) otherwise.
    bool LoadNextBlock() {
        if (static_cast<std::size_t>(m_end - m_block) <= 2 * kBlock) {
            return false;
        }
        Load(m_block + kBlock);
        return true;
    }

    // QuickField for a field that runs into the next block, found by Find.
    CORVALEN_BLOCKSCAN_NOINLINE QuickFieldText QuickFieldAcross(const char* from) {
        return QuickFieldBySearch(*this, from, m_end);
    }

    // `from` is never past the end; at the end, the masks (of the last block, or of the NUL bytes
    // after it) hold no stop, and the end is the answer.
    template <std::uint64_t BlockMasks::*kStops>
    const char* Find(const char* from, bool& high) {
        // Unsigned, so a position before the block also reads as outside it.
        auto offset = static_cast<std::size_t>(from - m_block);
        if (offset >= kBlock) {
            Load(m_begin + (static_cast<std::size_t>(from - m_begin) & ~(kBlock - 1)));
            offset = static_cast<std::size_t>(from - m_block);
        }
        for (;;) {
            const std::uint64_t ahead = ~std::uint64_t{0} << offset;
            const std::uint64_t stops = m_masks.*kStops & ahead;
            if (stops != 0) {
                const unsigned at = LowestBit64(stops);
                if ((m_masks.high & ahead & ((std::uint64_t{1} << at) - 1)) != 0) {
                    high = true;
                }
                return m_block + at;  // the padding after the end holds no stops
            }
            if ((m_masks.high & ahead) != 0) {
                high = true;
            }
            if (static_cast<std::size_t>(m_end - m_block) <= kBlock) {
                return m_end;
            }
            Load(m_block + kBlock);
            offset = 0;
        }
    }

    void Load(const char* block) {
        m_block = block;
        m_masks = static_cast<std::size_t>(m_end - block) >= kBlock
                      ? m_classify(block)
                      : ClassifyTail(block, static_cast<std::size_t>(m_end - block), m_classify);
        // Field ends that are no line ends (quotes are not field ends), and quotes with a field
        // end straight after them in this block.
        m_commas = m_masks.fieldEnds & ~m_masks.quotedEnds;
        m_closers = m_masks.quotes & (m_masks.fieldEnds >> 1);
    }

    // The last bytes, padded with NUL bytes, which are neither stops nor high.
    CORVALEN_BLOCKSCAN_NOINLINE static BlockMasks ClassifyTail(const char* block, std::size_t size,
                                                               ClassifyBlock classify) {
        char tail[kBlock] = {};
        std::memcpy(tail, block, size);
        return classify(tail);
    }

    static unsigned LowestBit64(std::uint64_t mask) {
        return static_cast<unsigned>(std::countr_zero(mask));
    }

    const char* m_begin;
    const char* m_end;
    const char* m_block;  // the block the masks are of; m_end before the first
    ClassifyBlock m_classify;
    BlockMasks m_masks;
    std::uint64_t m_commas = 0;
    std::uint64_t m_closers = 0;
};

}  // namespace corvalen

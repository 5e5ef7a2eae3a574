#include "csv/BlockScan.h"

#if CORVALEN_BYTESCAN_SSE2
#include <emmintrin.h>
#endif

// AVX2 code is compiled for the functions marked with the target attribute only and runs only
// when the processor says it has AVX2. Not on Windows: GCC there does not align the stack to the
// 32 bytes that AVX2 values spilled to it need.
#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__)) && \
    !defined(_WIN32)
#define CORVALEN_BLOCKSCAN_AVX2 1
#include <immintrin.h>
#else
#define CORVALEN_BLOCKSCAN_AVX2 0
#endif

namespace corvalen {

namespace {

#if CORVALEN_BYTESCAN_SSE2

// The masks of 16 bytes, in the low 16 bits of each.
struct Masks16 {
    unsigned quotes;
    unsigned fieldEnds;
    unsigned quotedEnds;
    unsigned high;
};

inline Masks16 Classify16(const char* p) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i lineEnds = _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\r')),
                                          _mm_cmpeq_epi8(v, _mm_set1_epi8('\n')));
    const __m128i commas = _mm_cmpeq_epi8(v, _mm_set1_epi8(','));
    const __m128i quotes = _mm_cmpeq_epi8(v, _mm_set1_epi8('"'));
    return {static_cast<unsigned>(_mm_movemask_epi8(quotes)),
            static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(lineEnds, commas))),
            static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(lineEnds, quotes))),
            static_cast<unsigned>(_mm_movemask_epi8(v))};
}

BlockMasks ClassifySse2(const char* block) {
    std::uint64_t quotes = 0;
    std::uint64_t fieldEnds = 0;
    std::uint64_t quotedEnds = 0;
    std::uint64_t high = 0;
    for (unsigned k = 0; k < 4; ++k) {
        const Masks16 part = Classify16(block + 16 * k);
        quotes |= static_cast<std::uint64_t>(part.quotes) << (16 * k);
        fieldEnds |= static_cast<std::uint64_t>(part.fieldEnds) << (16 * k);
        quotedEnds |= static_cast<std::uint64_t>(part.quotedEnds) << (16 * k);
        high |= static_cast<std::uint64_t>(part.high) << (16 * k);
    }
    return {quotes, fieldEnds, quotedEnds, high};
}

#endif

#if CORVALEN_BLOCKSCAN_AVX2

// The same for 64 bytes as two halves of 32. Written out without helpers: a lambda or a plain
// helper would be compiled without AVX2.
__attribute__((target("avx2"))) BlockMasks ClassifyAvx2(const char* block) {
    const __m256i cr = _mm256_set1_epi8('\r');
    const __m256i lf = _mm256_set1_epi8('\n');
    const __m256i comma = _mm256_set1_epi8(',');
    const __m256i quote = _mm256_set1_epi8('"');
    const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(block));
    const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(block + 32));
    const __m256i lowEnds =
        _mm256_or_si256(_mm256_cmpeq_epi8(low, cr), _mm256_cmpeq_epi8(low, lf));
    const __m256i highEnds =
        _mm256_or_si256(_mm256_cmpeq_epi8(high, cr), _mm256_cmpeq_epi8(high, lf));
    const auto bits = [](int mask) {
        return static_cast<std::uint64_t>(static_cast<std::uint32_t>(mask));
    };
    const __m256i lowQuotes = _mm256_cmpeq_epi8(low, quote);
    const __m256i highQuotes = _mm256_cmpeq_epi8(high, quote);
    BlockMasks masks;
    masks.quotes = bits(_mm256_movemask_epi8(lowQuotes)) | bits(_mm256_movemask_epi8(highQuotes))
                                                                 << 32;
    masks.fieldEnds =
        bits(_mm256_movemask_epi8(_mm256_or_si256(lowEnds, _mm256_cmpeq_epi8(low, comma)))) |
        bits(_mm256_movemask_epi8(_mm256_or_si256(highEnds, _mm256_cmpeq_epi8(high, comma))))
            << 32;
    masks.quotedEnds = bits(_mm256_movemask_epi8(_mm256_or_si256(lowEnds, lowQuotes))) |
                       bits(_mm256_movemask_epi8(_mm256_or_si256(highEnds, highQuotes))) << 32;
    masks.high = bits(_mm256_movemask_epi8(low)) | bits(_mm256_movemask_epi8(high)) << 32;
    return masks;
}

#endif

}  // namespace

ClassifyBlock Sse2BlockClassifier() {
#if CORVALEN_BYTESCAN_SSE2
    return &ClassifySse2;
#else
    return nullptr;
#endif
}

ClassifyBlock Avx2BlockClassifier() {
#if CORVALEN_BLOCKSCAN_AVX2
    static const bool hasAvx2 = __builtin_cpu_supports("avx2");
    return hasAvx2 ? &ClassifyAvx2 : nullptr;
#else
    return nullptr;
#endif
}

}  // namespace corvalen

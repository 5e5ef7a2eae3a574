#pragma once

#include <bit>

// Byte searches for the CSV reader that look at 16 bytes per step where the processor allows it
// (SSE2, which every x86-64 processor has, Windows builds included) and one byte at a time
// elsewhere. Both forms give the same answers; tests compare them with a plain loop.

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define CORVALEN_BYTESCAN_SSE2 1
#include <emmintrin.h>
#else
#define CORVALEN_BYTESCAN_SSE2 0
#endif

namespace corvalen {

namespace bytescan_detail {

inline unsigned LowestBit(unsigned mask) {
    return static_cast<unsigned>(std::countr_zero(mask));
}

}  // namespace bytescan_detail

// Whether the bytes hold a stop byte is asked so often (once per field) that this is inline.
// Returns the first byte of [from, end) that is `a`, `b` or `c`, or `end` when there is none.
// `high` is set when a byte from 0x80 up comes before it, and left alone otherwise.
inline const char* FindFirstOf3(const char* from, const char* end, char a, char b, char c,
                                bool& high) {
    const char* p = from;
#if CORVALEN_BYTESCAN_SSE2
    const __m128i va = _mm_set1_epi8(a);
    const __m128i vb = _mm_set1_epi8(b);
    const __m128i vc = _mm_set1_epi8(c);
    while (end - p >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, va), _mm_cmpeq_epi8(v, vb)),
                                         _mm_cmpeq_epi8(v, vc));
        const auto hits = static_cast<unsigned>(_mm_movemask_epi8(hit));
        const auto highs = static_cast<unsigned>(_mm_movemask_epi8(v));
        if (hits != 0) {
            const unsigned at = bytescan_detail::LowestBit(hits);
            if ((highs & ((1u << at) - 1u)) != 0) {
                high = true;
            }
            return p + at;
        }
        if (highs != 0) {
            high = true;
        }
        p += 16;
    }
#endif
    for (; p < end; ++p) {
        const char x = *p;
        if (x == a || x == b || x == c) {
            return p;
        }
        if (static_cast<unsigned char>(x) >= 0x80) {
            high = true;
        }
    }
    return end;
}

// Whether any byte of [from, end) is 0x80 or more.
inline bool AnyHighByte(const char* from, const char* end) {
    const char* p = from;
#if CORVALEN_BYTESCAN_SSE2
    while (end - p >= 64) {
        const auto* q = reinterpret_cast<const __m128i*>(p);
        const __m128i v =
            _mm_or_si128(_mm_or_si128(_mm_loadu_si128(q), _mm_loadu_si128(q + 1)),
                         _mm_or_si128(_mm_loadu_si128(q + 2), _mm_loadu_si128(q + 3)));
        if (_mm_movemask_epi8(v) != 0) {
            return true;
        }
        p += 64;
    }
#endif
    for (; p < end; ++p) {
        if (static_cast<unsigned char>(*p) >= 0x80) {
            return true;
        }
    }
    return false;
}

// The first NUL byte of [from, end), or `end` when there is none; `high` is set when a byte
// from 0x80 up comes before it, and left alone otherwise. One pass over a whole text answers
// both questions the reader asks of it before its first record.
inline const char* FindNul(const char* from, const char* end, bool& high) {
    const char* p = from;
#if CORVALEN_BYTESCAN_SSE2
    const __m128i zero = _mm_setzero_si128();
    __m128i passed = zero;  // the bytes passed, ORed: their high bits tell
    while (end - p >= 64) {
        const auto* q = reinterpret_cast<const __m128i*>(p);
        const __m128i a = _mm_loadu_si128(q);
        const __m128i b = _mm_loadu_si128(q + 1);
        const __m128i c = _mm_loadu_si128(q + 2);
        const __m128i d = _mm_loadu_si128(q + 3);
        // A NUL byte is the smallest there is: the 64 bytes hold one where their least does.
        const __m128i least = _mm_min_epu8(_mm_min_epu8(a, b), _mm_min_epu8(c, d));
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(least, zero)) != 0) {
            break;  // these 64 bytes are looked at one by one below
        }
        passed = _mm_or_si128(passed, _mm_or_si128(_mm_or_si128(a, b), _mm_or_si128(c, d)));
        p += 64;
    }
    if (_mm_movemask_epi8(passed) != 0) {
        high = true;
    }
#endif
    for (; p < end; ++p) {
        if (*p == '\0') {
            return p;
        }
        if (static_cast<unsigned char>(*p) >= 0x80) {
            high = true;
        }
    }
    return end;
}

}  // namespace corvalen

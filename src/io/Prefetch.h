#pragma once

// A hint to the processor to fetch memory ahead of its use: for loops whose next steps are known
// before this one ends, over data too scattered for the processor to guess (hash slots, objects
// reached through pointers).

namespace corvalen {

inline void PrefetchForRead(const void* address) {
#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
    // As an instruction of its own: GCC 12 drops __builtin_prefetch from some loops it is
    // inlined into (an index of slots in a std::vector looked up a few rows ahead).
    asm volatile("prefetcht0 (%0)" : : "r"(address));
#elif defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(address);
#else
    (void)address;
#endif
}

}  // namespace corvalen

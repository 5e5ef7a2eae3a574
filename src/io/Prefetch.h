#pragma once

// A hint to the processor to fetch memory ahead of its use: for loops whose next steps are known
// before this one ends, over data too scattered for the processor to guess (hash slots, objects
// reached through pointers).

namespace corvalen {

inline void PrefetchForRead(const void* address) {
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(address);
#else
    (void)address;
#endif
}

}  // namespace corvalen

#include "io/LargePages.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace corvalen {

void PreferLargePages(void* data, std::size_t size) {
#ifdef MADV_HUGEPAGE
    constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;
    if (size < kLargePage) {
        return;
    }
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (start + kLargePage - 1) & ~(kLargePage - 1);
    const std::uintptr_t last = (start + size) & ~(kLargePage - 1);
    if (last > first) {
        // Only advice: a system that declines it simply goes on with small pages.
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    }
#else
    (void)data;
    (void)size;
#endif
}

void GrowHeapInLargePages(ThreadHeaps threads) {
#if defined(__GLIBC__) && !defined(CORVALEN_SANITIZED)
    constexpr std::size_t kStep = std::size_t{64} << 20;
    constexpr std::size_t kProbe = std::size_t{24} << 20;
    if (threads == ThreadHeaps::One) {
        ::mallopt(M_ARENA_MAX, 1);
    }
    ::mallopt(M_MMAP_THRESHOLD, 32 << 20);
    ::mallopt(M_TRIM_THRESHOLD, static_cast<int>(2 * kStep));
    ::mallopt(M_TOP_PAD, static_cast<int>(kStep));
    // The break is first moved to a page before a large page's boundary (the C library allows
    // for a break moved by others). A block the heap's free end cannot hold then makes the heap
    // grow by kStep at once, with the block's header in that page, and the grown piece is
    // advised. One byte past the boundary is touched before that: the header of the heap's free
    // end, where the block ends. Its page comes as a small one, and a large page whose range
    // holds a small page already cannot come, so all of the 2 MiB around it come as small pages.
    // A block of 24 MiB puts them past what a conversion fills (and stays below the size that
    // gets a mapping of its own); with a block of a megabyte, the first 2 MiB of the heap were
    // small pages. Where the heap cannot grow in place, the C library maps memory elsewhere and
    // the break does not move: nothing is advised.
    constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;
    constexpr std::uintptr_t kSmallPage = 4096;
    char* const end = static_cast<char*>(::sbrk(0));
    if (end == reinterpret_cast<char*>(-1)) {
        return;
    }
    const auto endAddress = reinterpret_cast<std::uintptr_t>(end);
    const std::uintptr_t target =
        ((endAddress + kSmallPage + kLargePage - 1) & ~(kLargePage - 1)) - kSmallPage;
    if (::sbrk(static_cast<intptr_t>(target - endAddress)) == reinterpret_cast<void*>(-1)) {
        return;
    }
    char* const before = static_cast<char*>(::sbrk(0));
    void* const probe = std::malloc(kProbe);
    char* const after = static_cast<char*>(::sbrk(0));
    if (before != reinterpret_cast<char*>(-1) && after != reinterpret_cast<char*>(-1) &&
        after > before && static_cast<char*>(probe) >= before) {
        PreferLargePages(before, static_cast<std::size_t>(after - before));
    }
    std::free(probe);
#else
    (void)threads;
#endif
}

}  // namespace corvalen

#include "io/LargePages.h"

#include <sys/mman.h>

#include <cstdint>

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

}  // namespace corvalen

#include "io/LargePages.h"

#include <algorithm>
#include <mutex>
#include <new>
#include <vector>

namespace corvalen {

namespace {

constexpr std::size_t kLargePage = std::size_t{2} << 20;
#ifdef CORVALEN_SANITIZED
constexpr std::size_t kKeptBytes = 0;
#else
constexpr std::size_t kKeptBytes = std::size_t{64} << 20;
#endif

// The blocks given back, the oldest first, no more than kKeptBytes in all.
class KeptBlocks {
public:
    LargeBlock Take(std::size_t size) {
        {
            const std::lock_guard lock(m_mutex);
            const auto kept = std::find_if(m_blocks.begin(), m_blocks.end(),
                                           [&](const LargeBlock& b) { return b.size == size; });
            if (kept != m_blocks.end()) {
                const LargeBlock block = *kept;
                m_blocks.erase(kept);
                m_bytes -= size;
                return block;
            }
        }
        void* data = ::operator new (size, std::align_val_t{kLargePage});
        PreferLargePages(data, size);
        return {data, size};
    }

    void GiveBack(LargeBlock block) noexcept {
        const std::lock_guard lock(m_mutex);
        if (block.size <= kKeptBytes) {
            try {
                m_blocks.push_back(block);
                m_bytes += block.size;
                block = {};
            } catch (...) {  // no room to note it: released at once instead
            }
        }
        if (block.data != nullptr) {
            Release(block);
        }
        while (m_bytes > kKeptBytes) {
            m_bytes -= m_blocks.front().size;
            Release(m_blocks.front());
            m_blocks.erase(m_blocks.begin());
        }
    }

    std::size_t Bytes() {
        const std::lock_guard lock(m_mutex);
        return m_bytes;
    }

private:
    static void Release(LargeBlock block) noexcept {
        ::operator delete (block.data, std::align_val_t{kLargePage});
    }

    std::mutex m_mutex;
    std::vector<LargeBlock> m_blocks;
    std::size_t m_bytes = 0;
};

// Made once and never destroyed: buffers that static objects hold are given back while the
// program ends, after any static object of this file would be gone.
KeptBlocks& Kept() {
    static KeptBlocks* const kept = new KeptBlocks;
    return *kept;
}

}  // namespace

std::size_t LargeBlockSize(std::size_t bytes) {
    std::size_t size = kLargePage;
    while (size < bytes && size < kKeptBytes) {
        size *= 2;
    }
    // Past what is ever kept, only whole large pages.
    return size >= bytes ? size : (bytes + kLargePage - 1) / kLargePage * kLargePage;
}

LargeBlock TakeLargeBlock(std::size_t bytes) {
    return Kept().Take(LargeBlockSize(bytes));
}

std::size_t KeptLargeBlockBytes() {
    return Kept().Bytes();
}

void GiveBackLargeBlock(LargeBlock block) noexcept {
    if (block.data != nullptr) {
        Kept().GiveBack(block);
    }
}

}  // namespace corvalen

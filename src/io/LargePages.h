#pragma once

#include <cstddef>
#include <new>
#include <vector>

namespace corvalen {

// Asks the system to back the whole 2 MiB pages inside [data, data + size) with large pages
// when they are first touched. Filling megabytes of fresh memory page by page costs one fault
// per 4 KiB, and on virtual machines those faults cost more than the copying itself; a large
// page takes one. Call it before the memory is touched; it changes nothing a program can see,
// and does nothing where the system has no such pages or no whole one fits.
void PreferLargePages(void* data, std::size_t size);

// Allocates blocks of 1 MiB and more as whole 2 MiB pages on 2 MiB boundaries, with
// PreferLargePages; smaller ones as usual. For the few buffers that hold a whole file or grow
// with one.
template <typename T>
struct LargePageAllocator {
    using value_type = T;
    static constexpr std::size_t kLargePage = std::size_t{2} << 20;

    LargePageAllocator() = default;
    template <typename U>
    LargePageAllocator(const LargePageAllocator<U>&) {}

    T* allocate(std::size_t count) {
        const std::size_t bytes = count * sizeof(T);
        if (bytes < kLargePage / 2) {
            return static_cast<T*>(::operator new(bytes));
        }
        const std::size_t rounded = (bytes + kLargePage - 1) / kLargePage * kLargePage;
        void* block = ::operator new (rounded, std::align_val_t{kLargePage});
        PreferLargePages(block, rounded);
        return static_cast<T*>(block);
    }
    void deallocate(T* block, std::size_t count) {
        if (count * sizeof(T) < kLargePage / 2) {
            ::operator delete(block);
        } else {
            ::operator delete (block, std::align_val_t{kLargePage});
        }
    }
    template <typename U>
    bool operator==(const LargePageAllocator<U>&) const {
        return true;
    }
};

// The bytes of a whole file, or of a whole memory file being put together.
using ByteBuffer = std::vector<char, LargePageAllocator<char>>;

}  // namespace corvalen

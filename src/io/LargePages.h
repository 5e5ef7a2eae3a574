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

// How the threads of a program that grows its heap in large pages allocate.
enum class ThreadHeaps {
    // Every thread allocates from the one heap: for the converter, whose second thread hands
    // records over in batches while the first allocates the rest. A thread's own heap would
    // grow page by page again.
    One,
    // Each thread that allocates gets a heap of its own, as the C library does by default: for
    // the editor, whose checks, list reads and list writes run in two threads that both
    // allocate many small blocks at once (a problem's message, a bookmark's name). From one
    // heap they wait for its lock in turns: checking a table with 55,535 problems in two
    // threads took 30 ms from one heap, 10 ms from a heap each.
    PerThread,
};

// For a program that fills megabytes at a time, like the converter running once over a large
// file, or the editor reading a list of 65,535 bookmarks: the heap then grows in one large step
// whose whole 2 MiB pages are backed by large pages (PreferLargePages), blocks up to 32 MiB come
// from it instead of mappings of their own, and up to 128 MiB of it freed is kept for the next
// use instead of given back while the program runs. The notices of a large file, the rows'
// keys, the records handed between the threads and the nodes of a parsed list fill megabytes
// in many small allocations; page by page, their faults cost more than the work done in them
// on a virtual machine. Call it first thing in main, before any thread starts. Where the C
// library offers no such settings it does nothing.
void GrowHeapInLargePages(ThreadHeaps threads);

// A block of memory on a 2 MiB boundary, `size` bytes long.
struct LargeBlock {
    void* data = nullptr;
    std::size_t size = 0;
};

// A block of at least `bytes` (a megabyte or more) for a buffer that holds a whole file, a
// table's rows or a memory image, backed by large pages where the system has them
// (PreferLargePages). Blocks given back are kept for the next request of the same size, up to
// 64 MiB in all: on a virtual machine, memory that a process touches for the first time costs
// about a millisecond a megabyte to clear, more than most work done in it, and the editor asks
// for the same few sizes again with every file it reads and every table it fills. Sizes are
// powers of two, so that they come back often. Any thread may take and give back blocks.
// Builds with a sanitizer keep none, so that it sees every block's end.
LargeBlock TakeLargeBlock(std::size_t bytes);
// Gives back a block TakeLargeBlock gave.
void GiveBackLargeBlock(LargeBlock block) noexcept;
// The size of the block TakeLargeBlock gives for `bytes`.
std::size_t LargeBlockSize(std::size_t bytes);
// The bytes of the blocks given back and kept for reuse now.
std::size_t KeptLargeBlockBytes();

// Allocates blocks of 1 MiB and more with TakeLargeBlock; smaller ones as usual. For the few
// buffers that hold a whole file or grow with one.
template <typename T>
struct LargePageAllocator {
    using value_type = T;
    static constexpr std::size_t kLargeBytes = std::size_t{1} << 20;

    LargePageAllocator() = default;
    template <typename U>
    LargePageAllocator(const LargePageAllocator<U>&) {}

    T* allocate(std::size_t count) {
        const std::size_t bytes = count * sizeof(T);
        if (bytes < kLargeBytes) {
            return static_cast<T*>(::operator new(bytes));
        }
        return static_cast<T*>(TakeLargeBlock(bytes).data);
    }
    void deallocate(T* block, std::size_t count) {
        const std::size_t bytes = count * sizeof(T);
        if (bytes < kLargeBytes) {
            ::operator delete(block);
        } else {
            GiveBackLargeBlock({block, LargeBlockSize(bytes)});
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

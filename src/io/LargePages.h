#pragma once

#include <cstddef>

namespace corvalen {

// Asks the system to back the whole 2 MiB pages inside [data, data + size) with large pages
// when they are first touched. Filling megabytes of fresh memory page by page costs one fault
// per 4 KiB, and on virtual machines those faults cost more than the copying itself; a large
// page takes one. Call it before the memory is touched; it changes nothing a program can see,
// and does nothing where the system has no such pages or for blocks under a few MiB.
void PreferLargePages(void* data, std::size_t size);

}  // namespace corvalen

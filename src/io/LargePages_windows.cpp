#include "io/LargePages.h"

namespace corvalen {

// Windows gives large pages only to processes holding a special privilege, and only for memory
// allocated as such from the start, so ordinary pages it is.
void PreferLargePages(void*, std::size_t) {}

void GrowHeapInLargePages(ThreadHeaps) {}

}  // namespace corvalen

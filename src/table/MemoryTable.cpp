#include "table/MemoryTable.h"

namespace corvalen {

}  // namespace corvalen

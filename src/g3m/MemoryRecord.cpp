#include "g3m/MemoryRecord.h"

namespace corvalen {

}  // namespace corvalen

#include "g3m/RecordChecksum.h"

namespace corvalen {

}  // namespace corvalen

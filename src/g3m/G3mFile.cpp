#include "g3m/G3mFile.h"

namespace corvalen {

}  // namespace corvalen

#include "io/SafeFile.h"

namespace corvalen {

}  // namespace corvalen

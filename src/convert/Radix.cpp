#include "convert/Radix.h"

namespace corvalen {

}  // namespace corvalen

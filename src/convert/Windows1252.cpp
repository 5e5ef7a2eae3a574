#include "convert/Windows1252.h"

namespace corvalen {

}  // namespace corvalen

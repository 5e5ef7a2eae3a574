#include "table/RowCommands.h"

namespace corvalen {

}  // namespace corvalen

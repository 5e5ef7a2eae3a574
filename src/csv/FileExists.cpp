#include "csv/FileExists.h"

namespace corvalen {

}  // namespace corvalen

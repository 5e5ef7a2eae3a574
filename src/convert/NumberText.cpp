#include "convert/NumberText.h"

namespace corvalen {

}  // namespace corvalen

#include "csv/CsvReader.h"

namespace corvalen {

}  // namespace corvalen

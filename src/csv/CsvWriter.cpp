#include "csv/CsvWriter.h"

namespace corvalen {

}  // namespace corvalen

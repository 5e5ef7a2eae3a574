#include "cli/ConvertCommand.h"

#pragma once

// FileExists lives in io/ now; this header keeps older includes building.
#include "io/FileExists.h"

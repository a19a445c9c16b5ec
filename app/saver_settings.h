// The process-wide settings record: read once at start-up, then handed on to
// the road the command line names.
#pragma once

#include "common/settings.h"

extern Settings SaverSettings;

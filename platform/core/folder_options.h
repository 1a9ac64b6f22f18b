// The folder options of the command line (platform/api/program_folders.h), for the platform's
// own code.
#pragma once

#include "platform/api/program_folders.h"

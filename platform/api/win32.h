// Everything of Win32 that the program calls.
#pragma once

#include "platform/api/file_names.h"
#include "platform/api/kernel.h"
#include "platform/api/mmsystem.h"
#include "platform/api/shell.h"
#include "platform/api/types.h"
#include "platform/api/user.h"

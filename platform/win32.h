// Everything of Win32 that the program calls.
#pragma once

#include "platform/win32/file_names.h"
#include "platform/win32/kernel.h"
#include "platform/win32/mmsystem.h"
#include "platform/win32/shell.h"
#include "platform/win32/types.h"
#include "platform/win32/user.h"

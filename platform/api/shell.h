// ShellExecuteA: opening programs, documents and addresses. Never goes through a command shell.
#pragma once

#include "platform/api/types.h"

// Values above 32 mean success, as on Windows.
HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, int showCommand);

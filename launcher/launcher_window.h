// The launcher's main window: its class, the window itself and its procedure, which hands every
// message to the running screen (Escape included: it cancels an edit before it closes anything).
#pragma once

#include "platform/api/win32.h"

int RegisterLauncherWindow(HINSTANCE instance);
int CreateLauncherWindow(HINSTANCE instance);
LRESULT LauncherWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

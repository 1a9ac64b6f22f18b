// The program's window: its class, its creation and its message handling, which also carries the
// program's orderly shutdown (on WM_DESTROY).
#pragma once

#include "platform/api/types.h"

extern int g_nMouseOffsetX;
extern int g_nMouseOffsetY;

int RegisterWindowClass(HINSTANCE instance);
int CreateMainWindow(HINSTANCE instance, int showCommand);
LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

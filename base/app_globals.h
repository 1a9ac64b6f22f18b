// The application's globals: set up by the start-up sequence and the window procedure, read by
// the screens and the game.
#pragma once

#include "platform/api/ddraw.h"
#include "platform/api/types.h"

extern HINSTANCE g_hInstance;
extern HWND g_hWnd;
extern int g_nFullScreen;
// The display size handed to the graphics library in windowed mode; always 800 x 600.
extern int g_nWidth;
extern int g_nHeight;
extern LPDIRECTDRAW7 g_lpDD;
// The back surface: the target of all drawing.
extern LPDIRECTDRAWSURFACE7 g_lpBackSurface;
// The command line, taken whole as the launcher's directory; empty when there is none.
extern char g_szLauncherDir[256];
// Written only by the window procedure.
extern int g_nActive;
// F1 switches the frame-rate text on and off.
extern int g_nShowRate;

#include "base/app_globals.h"

HINSTANCE g_hInstance = nullptr;
HWND g_hWnd = nullptr;
int g_nFullScreen = 0;
int g_nWidth = 800;
int g_nHeight = 600;
LPDIRECTDRAW7 g_lpDD = nullptr;
LPDIRECTDRAWSURFACE7 g_lpBackSurface = nullptr;
char g_szLauncherDir[256] = "";
int g_nActive = 0;
int g_nShowRate = 0;

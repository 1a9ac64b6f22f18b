// The program's entry point, called by the game binary's main and by the scripted runner.
#pragma once

#include "platform/api/types.h"

// 0 after a normal end or a start-up message; 1 when the window or the display cannot be set up.
int WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);

// The display mode the command line chose for this run (--window 0, --fullscreen 1); -1 leaves it
// to setup.ini.
extern int g_nFullScreenChoice;

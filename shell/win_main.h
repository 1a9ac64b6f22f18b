// The program's entry point, called by the game binary's main and by the scripted runner.
#pragma once

#include "platform/api/types.h"

// 0 after a normal end or a start-up message; 1 when the window or the display cannot be set up.
int WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);

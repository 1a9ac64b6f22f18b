// The launcher's whole life, as WinMain is the game's: window, display, pointer, timer, font and
// its screen, then the frame loop until the game is started or the window is closed.
#pragma once

#include "host/command_line.h"
#include "platform/api/win32.h"

// The command line names who started the launcher ("Stalkway" or "Stalk" from the game) and
// changes nothing. 0 after a normal end; 1 when the window or the display cannot be set up.
int PorticoMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);

// The launcher as a program: its command line, then PorticoMain; the process's exit status.
int PorticoCommand(int argc, char** argv);

// The launcher as its command line, help and version present it.
const host::Program& PorticoProgram();

// The game's window: the family's program window (host/program_window.h) with the game's own
// messages: the window's size, the display mode switched on Alt+Enter, Escape and F1; and, when it
// is destroyed, the display settings kept and the maze game released.
#pragma once

#include "host/program_window.h"

const host::ProgramWindow& GameWindow();

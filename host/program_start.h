// The steps of a program's start-up and its frame loop that the game and the launcher share; each
// program calls them in its own order, between steps of its own.
#pragma once

namespace host {

// False, after the family's message box, when the desktop is not in 15- or 16-bit colour.
bool CheckDesktopColour();
// The display in the mode g_nFullScreen says, on the program's window, its back surface cleared;
// false (after the graphics library's report, windowed) when it cannot be opened.
bool InitDisplay();
// The pointer with no image of its own, at the system cursor's place, the mouse taken.
void InitPointer();
// Frames until the running screen stops (the window is then destroyed) or the window is closed;
// returns the exit code, 0.
int RunFrameLoop();

}  // namespace host

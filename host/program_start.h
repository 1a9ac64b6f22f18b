// The steps of a program's start-up and its frame loop that the game and the launcher share; each
// program calls them in its own order, between steps of its own.
#pragma once

namespace host {

// False, after the family's message box, when the desktop is not in 15- or 16-bit colour.
bool CheckDesktopColour();
// A start-up check's message box (no owner, the system's caption, the error icon). The program's
// entry point then returns 0, as the family's programs always have; ExitStatus makes the process
// say that it did not start.
void ShowStartupMessage(const char* text);
// The process's exit status for an entry point that returned `code`: 1 when a start-up message
// stopped the program, whatever it returned. Forgets the message, for the next run in this process.
int ExitStatus(int code);
// The display in the mode g_nFullScreen says, on the program's window, its back surface cleared;
// false (after the graphics library's report, windowed) when it cannot be opened.
bool InitDisplay();
// The pointer with no image of its own, at the system cursor's place, the mouse taken.
void InitPointer();
// Frames until the running screen stops (the window is then destroyed) or the window is closed;
// returns the exit code, 0.
int RunFrameLoop();

}  // namespace host

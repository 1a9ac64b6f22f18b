// How the picture fills the screen, and the window's size and full-screen choice kept from one run
// to the next, in setup.ini: the command line's --scale and --filter win over the file's section
// "video".
#pragma once

#include <string>

// From the command line; empty leaves the file's (or the default) choice.
void SetDisplayOptions(const std::string& scale, const std::string& filter);
// After the display is open: scale mode, filter and the window's remembered size.
void ApplyDisplaySettings();
// What the platform reported since: kept when the program ends.
void NoteWindowSize(int width, int height);
void NoteFullScreen(int on);
void SaveDisplaySettings();

// Trouble with the game's stored files, told to whoever looks after the game: the debug log, and
// the scripted runner's log, where tests can read it. The player is told separately, on screen.
#pragma once

#include <string>

void ReportFileTrouble(const std::string& text);

// The work behind ShellExecuteA on a desktop: starting a program, or handing a document or an
// address to the desktop's opener. Never goes through a command shell.
#pragma once

namespace platform {

// Verb "open" (or null). An executable file (a Windows-style name) is started detached, with the
// parameters split as a Windows command line splits them and in `directory` (null or empty: the
// current one). An address ("://" in it, or starting with "www.") or any other existing file is
// handed to xdg-open when that is on PATH. False when nothing was started.
bool SpawnDetached(const char* verb, const char* file, const char* parameters, const char* directory);

}  // namespace platform

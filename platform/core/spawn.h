// Starting programs and opening documents for ShellExecuteA on a real desktop.
#pragma once

namespace platform {

// "open" (or null) of an existing executable file starts it detached, without a shell; an address
// or a document goes to the desktop's opener. False when nothing was started.
bool SpawnDetached(const char* verb, const char* file, const char* parameters, const char* directory);

}  // namespace platform

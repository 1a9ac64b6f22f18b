// What the backends and the input state need of the window stand-ins.
#pragma once

#include "platform/api/user.h"

namespace platform {

// The program's main window: the first window created that still exists; null when none.
HWND MainWindow();
// Posts to the main window; dropped while there is none.
void PostToMainWindow(UINT message, WPARAM wParam, LPARAM lParam);
// The procedure of a live window; null for a destroyed or unknown one.
WNDPROC WindowProcedure(HWND hwnd);
// Forgets every queued message, including a pending quit.
void ResetMessageQueue();
// Forgets every window, class and queued message (headless Reset).
void ResetWindowing();

}  // namespace platform

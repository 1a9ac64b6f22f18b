// The one window each program of the family has: its class, its creation and the messages every
// program handles alike (activation, moves, the mouse, closing, the window menu's key). Each
// program adds its own messages before these, and its own resources to the release on WM_DESTROY.
#pragma once

#include "platform/api/types.h"

namespace host {

struct ProgramWindow {
    const char* className;
    const char* title;
    bool maximizable;  // a maximize box; the picture is then centred in the larger window
    // The program's own handling of a message, after the screen's and before the common one; may be
    // null. Its WM_DESTROY handling runs before everything is released.
    void (*onMessage)(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // What the program holds of its own, released after the screens and the pointer; may be null.
    void (*releaseOwn)();
};

// The window procedure of the program's window, which uses `window` from here on.
int RegisterProgramWindow(HINSTANCE instance, const ProgramWindow& window);
// The window itself: the whole screen when g_nFullScreen is set, else 800x600 in the middle of it.
int CreateProgramWindow(HINSTANCE instance);

// Where the picture's top-left corner lies in a maximized window, for the pointer.
extern int g_nMouseOffsetX;
extern int g_nMouseOffsetY;

}  // namespace host

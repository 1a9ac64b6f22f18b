#include "shell/main_window.h"

#include "base/app_globals.h"
#include "game/maze_game.h"
#include "platform/api/qz.h"
#include "platform/api/win32.h"
#include "services/pointer.h"
#include "shell/display_settings.h"

namespace {

void OnSize(WPARAM kind, LPARAM lParam) {
    if (kind == SIZE_MAXIMIZED) {
        const int w = LOWORD(lParam);
        const int h = HIWORD(lParam);
        QZSetWindowXY(w / 2 - 399, h / 2 - 300);
        host::g_nMouseOffsetX = w / 2 - 399;
        host::g_nMouseOffsetY = h / 2 - 300 - GetSystemMetrics(SM_CYFRAME) - GetSystemMetrics(SM_CYSMCAPTION);
    } else if (kind == SIZE_RESTORED) {
        host::g_nMouseOffsetX = 0;
        host::g_nMouseOffsetY = 0;
        NoteWindowSize(LOWORD(lParam), HIWORD(lParam));
    }
}

// The platform switched the display on Alt+Enter: what the program believes follows it.
void OnDisplayMode(WPARAM fullscreen) {
    // Noted first: it keeps the choice for the next start only when it differs from the old mode.
    NoteFullScreen(fullscreen != 0 ? 1 : 0);
    g_nFullScreen = fullscreen != 0 ? 1 : 0;
    g_Pointer.SetPageFlipping(g_nFullScreen);
}

void OnKeyUp(HWND hwnd, WPARAM key) {
    if (key == static_cast<WPARAM>(VK_ESCAPE)) PostMessageA(hwnd, WM_CLOSE, 0, 0);
    if (key == static_cast<WPARAM>(VK_F1)) g_nShowRate = 1 - g_nShowRate;
}

void OnGameMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    // Kept before anything is released.
    case WM_DESTROY: SaveDisplaySettings(); break;
    case WM_SIZE: OnSize(wParam, lParam); break;
    case WM_KEYUP: OnKeyUp(hwnd, wParam); break;
    case WM_APP_DISPLAYMODE: OnDisplayMode(wParam); break;
    default: break;
    }
}

}  // namespace

const host::ProgramWindow& GameWindow() {
    static const host::ProgramWindow window{.className = "DirectX Class",
                                            .title = "Stalk Way",
                                            .maximizable = true,
                                            .onMessage = OnGameMessage,
                                            .releaseOwn = [] { g_MazeGame.Release(); }};
    return window;
}

#include "shell/main_window.h"

#include "shell/display_settings.h"

#include "game/maze_game.h"
#include "platform/api/qz.h"
#include "platform/api/win32.h"
#include "screen/screen_manager.h"
#include "base/app_globals.h"
#include "services/pointer.h"
#include "services/tick_timer.h"
#include "sound/sound_effects.h"

int g_nMouseOffsetX = 0;
int g_nMouseOffsetY = 0;

namespace {

constexpr char kClassName[] = "DirectX Class";
constexpr char kTitle[] = "Stalk Way";

// Everything the program holds is released here, in this order.
void OnDestroy() {
    SaveDisplaySettings();
    StopTickTimer();
    g_ScreenManager.LeaveAll();
    g_Pointer.Release();
    g_MazeGame.Release();
    QZAcquireMouse(0);
    QZFreeFont();
    QZFreeDirectInput();
    QZFreeDirectX();
    g_SoundEffects.Shutdown();
    g_nActive = 0;
    PostQuitMessage(0);
}

void OnSize(WPARAM kind, LPARAM lParam) {
    if (kind == SIZE_MAXIMIZED) {
        const int w = LOWORD(lParam);
        const int h = HIWORD(lParam);
        QZSetWindowXY(w / 2 - 399, h / 2 - 300);
        g_nMouseOffsetX = w / 2 - 399;
        g_nMouseOffsetY = h / 2 - 300 - GetSystemMetrics(SM_CYFRAME) - GetSystemMetrics(SM_CYSMCAPTION);
    } else if (kind == SIZE_RESTORED) {
        g_nMouseOffsetX = 0;
        g_nMouseOffsetY = 0;
        NoteWindowSize(LOWORD(lParam), HIWORD(lParam));
    }
}

void OnActivate(HWND hwnd, WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case WA_INACTIVE:
        QZAcquireMouse(0);
        g_nActive = 0;
        break;
    case WA_ACTIVE:
        QZAcquireMouse(1);
        g_nActive = 1;
        SetFocus(hwnd);
        break;
    default: break;
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

}  // namespace

int RegisterWindowClass(HINSTANCE instance) {
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, "");
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = GetStockObject(BLACK_BRUSH);
    wc.lpszClassName = kClassName;
    return RegisterClassA(&wc) != 0 ? 1 : 0;
}

int CreateMainWindow(HINSTANCE instance, int) {
    HWND hwnd = nullptr;
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (g_nFullScreen != 0) {
        hwnd = CreateWindowExA(0, kClassName, kTitle, WS_VISIBLE, 0, 0, screenWidth, screenHeight, nullptr, nullptr,
                               instance, nullptr);
    } else {
        hwnd = CreateWindowExA(0, kClassName, kTitle, WS_VISIBLE | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
                               screenWidth / 2 - 400, screenHeight / 2 - 300, 800, 600, nullptr, nullptr, instance,
                               nullptr);
    }
    if (hwnd == nullptr) return 0;
    g_hWnd = hwnd;
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    g_nWidth = 800;
    g_nHeight = 600;
    return 1;
}

LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    g_ScreenManager.HandleMessage(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_DESTROY: OnDestroy(); break;
    case WM_MOVE:
        if (g_hWnd != nullptr) {
            POINT origin{0, 0};
            ClientToScreen(hwnd, &origin);
            QZSetWindowXY(origin.x, origin.y);
        }
        break;
    case WM_SIZE: OnSize(wParam, lParam); break;
    case WM_ACTIVATE: OnActivate(hwnd, wParam); break;
    case WM_CLOSE: DestroyWindow(hwnd); break;
    case WM_ACTIVATEAPP: g_nActive = wParam != 0 ? 1 : 0; break;
    case WM_KEYUP: OnKeyUp(hwnd, wParam); break;
    case WM_APP_DISPLAYMODE: OnDisplayMode(wParam); break;
    case WM_SYSCOMMAND:
        // Alt and F10 would open the window menu and stop the frame loop.
        if ((wParam & 0xFFF0) == SC_KEYMENU) return 0;
        break;
    case WM_MOUSEMOVE:
        if (g_nActive != 0) g_Pointer.SetPosition(LOWORD(lParam) - g_nMouseOffsetX, HIWORD(lParam) - g_nMouseOffsetY);
        break;
    default: break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

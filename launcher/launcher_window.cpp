#include "launcher/launcher_window.h"

#include "platform/api/qz.h"
#include "base/app_globals.h"
#include "screen/screen_manager.h"
#include "services/pointer.h"
#include "services/tick_timer.h"
#include "sound/sound_effects.h"

namespace {

constexpr char kClassName[] = "Portico Class";
constexpr char kTitle[] = "Stalk Way - Players";

// Everything the launcher holds is released here.
void OnDestroy() {
    StopTickTimer();
    g_ScreenManager.LeaveAll();
    g_Pointer.Release();
    QZAcquireMouse(0);
    QZFreeFont();
    QZFreeDirectInput();
    QZFreeDirectX();
    g_SoundEffects.Shutdown();
    g_nActive = 0;
    PostQuitMessage(0);
}

void OnActivate(HWND hwnd, WPARAM wParam) {
    const bool active = LOWORD(wParam) != WA_INACTIVE;
    QZAcquireMouse(active ? 1 : 0);
    g_nActive = active ? 1 : 0;
    if (active) SetFocus(hwnd);
}

}  // namespace

int RegisterLauncherWindow(HINSTANCE instance) {
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = LauncherWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = GetStockObject(BLACK_BRUSH);
    wc.lpszClassName = kClassName;
    return RegisterClassA(&wc) != 0 ? 1 : 0;
}

int CreateLauncherWindow(HINSTANCE instance) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    HWND hwnd = CreateWindowExA(0, kClassName, kTitle, WS_VISIBLE | WS_SYSMENU | WS_MINIMIZEBOX, screenWidth / 2 - 400,
                                screenHeight / 2 - 300, 800, 600, nullptr, nullptr, instance, nullptr);
    if (hwnd == nullptr) return 0;
    g_hWnd = hwnd;
    g_nWidth = 800;
    g_nHeight = 600;
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    return 1;
}

LRESULT LauncherWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
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
    case WM_ACTIVATE: OnActivate(hwnd, wParam); break;
    case WM_ACTIVATEAPP: g_nActive = wParam != 0 ? 1 : 0; break;
    case WM_CLOSE: DestroyWindow(hwnd); break;
    case WM_SYSCOMMAND:
        // Alt and F10 would open the window menu and stop the frame loop.
        if ((wParam & 0xFFF0) == SC_KEYMENU) return 0;
        break;
    case WM_MOUSEMOVE:
        if (g_nActive != 0) g_Pointer.SetPosition(LOWORD(lParam), HIWORD(lParam));
        break;
    default: break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

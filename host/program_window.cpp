#include "host/program_window.h"

#include "base/app_globals.h"
#include "canvas/compositor.h"
#include "platform/api/qz.h"
#include "platform/api/win32.h"
#include "screen/screen_manager.h"
#include "services/pointer.h"
#include "services/tick_timer.h"
#include "sound/sound_effects.h"

namespace host {

int g_nMouseOffsetX = 0;
int g_nMouseOffsetY = 0;

namespace {

const ProgramWindow* g_window = nullptr;

// Everything the program holds is released here, in this order.
void OnDestroy() {
    StopTickTimer();
    g_ScreenManager.LeaveAll();
    g_Compositor.Reset();
    g_Pointer.Release();
    if (g_window->releaseOwn != nullptr) g_window->releaseOwn();
    QZAcquireMouse(0);
    QZFreeFont();
    QZFreeDirectInput();
    QZFreeDirectX();
    g_SoundEffects.Shutdown();
    g_nActive = 0;
    PostQuitMessage(0);
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

void OnMove(HWND hwnd) {
    if (g_hWnd == nullptr) return;
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    QZSetWindowXY(origin.x, origin.y);
}

LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    g_ScreenManager.HandleMessage(hwnd, message, wParam, lParam);
    if (g_window->onMessage != nullptr) g_window->onMessage(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_DESTROY: OnDestroy(); break;
    case WM_MOVE: OnMove(hwnd); break;
    case WM_ACTIVATE: OnActivate(hwnd, wParam); break;
    case WM_CLOSE: DestroyWindow(hwnd); break;
    case WM_ACTIVATEAPP: g_nActive = wParam != 0 ? 1 : 0; break;
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

}  // namespace

int RegisterProgramWindow(HINSTANCE instance, const ProgramWindow& window) {
    g_window = &window;
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, "");
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = GetStockObject(BLACK_BRUSH);
    wc.lpszClassName = window.className;
    return RegisterClassA(&wc) != 0 ? 1 : 0;
}

int CreateProgramWindow(HINSTANCE instance) {
    HWND hwnd = nullptr;
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (g_nFullScreen != 0) {
        hwnd = CreateWindowExA(0, g_window->className, g_window->title, WS_VISIBLE, 0, 0, screenWidth, screenHeight,
                               nullptr, nullptr, instance, nullptr);
    } else {
        const DWORD style = WS_VISIBLE | WS_SYSMENU | WS_MINIMIZEBOX | (g_window->maximizable ? WS_MAXIMIZEBOX : 0);
        hwnd = CreateWindowExA(0, g_window->className, g_window->title, style, screenWidth / 2 - 400,
                               screenHeight / 2 - 300, 800, 600, nullptr, nullptr, instance, nullptr);
    }
    if (hwnd == nullptr) return 0;
    g_hWnd = hwnd;
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    g_nWidth = 800;
    g_nHeight = 600;
    return 1;
}

}  // namespace host

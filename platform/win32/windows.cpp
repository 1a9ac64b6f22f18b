// Window classes and windows. The first window the program creates is its main window and gets
// the backend's native window; creating it visible activates it, as the desktop would.
#include <strings.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/backend.h"
#include "platform/core/windowing.h"
#include "platform/api/user.h"
#include "platform/win32/typing.h"

namespace platform {
namespace {

struct WindowClass {
    std::string name;
    WNDPROC procedure;
};

struct Window {
    WNDPROC procedure;
    DWORD style;
    bool native;
    bool visible;
};

struct Windowing {
    std::vector<WindowClass> classes;
    std::map<std::uintptr_t, Window> windows;  // live windows by handle value
    std::uintptr_t nextHandle = 0x10000;
    HWND main = nullptr;
};

Windowing& State() {
    static Windowing state;
    return state;
}

Window* Find(HWND hwnd) {
    auto& windows = State().windows;
    auto it = windows.find(reinterpret_cast<std::uintptr_t>(hwnd));
    return it == windows.end() ? nullptr : &it->second;
}

const WindowClass* FindClass(LPCSTR name) {
    if (name == nullptr) return nullptr;
    for (const WindowClass& c : State().classes)
        if (strcasecmp(c.name.c_str(), name) == 0) return &c;
    return nullptr;
}

LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC procedure = WindowProcedure(hwnd);
    return procedure != nullptr ? procedure(hwnd, message, wParam, lParam) : 0;
}

// The messages a desktop sends when a window first shows and takes the focus.
void Activate(HWND hwnd) {
    Send(hwnd, WM_ACTIVATEAPP, TRUE, 0);
    Send(hwnd, WM_ACTIVATE, WA_ACTIVE, 0);
    Send(hwnd, WM_SETFOCUS, 0, 0);
    Send(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(800, 600));
    Send(hwnd, WM_MOVE, 0, 0);
}

}  // namespace

HWND MainWindow() { return State().main; }

WNDPROC WindowProcedure(HWND hwnd) {
    const Window* window = Find(hwnd);
    return window != nullptr ? window->procedure : nullptr;
}

void ResetWindowing() {
    State() = Windowing{};
    ForgetTyping(nullptr);
    ResetMessageQueue();
}

}  // namespace platform

using platform::State;

ATOM RegisterClassA(const WNDCLASSA* wc) {
    if (wc == nullptr || wc->lpszClassName == nullptr || wc->lpfnWndProc == nullptr) return 0;
    if (platform::FindClass(wc->lpszClassName) != nullptr) return 0;
    State().classes.push_back({wc->lpszClassName, wc->lpfnWndProc});
    return static_cast<ATOM>(0xC000 + State().classes.size());
}

HWND CreateWindowExA(DWORD, LPCSTR className, LPCSTR windowName, DWORD style, int, int, int, int, HWND, HMENU,
                     HINSTANCE, LPVOID) {
    const platform::WindowClass* windowClass = platform::FindClass(className);
    if (windowClass == nullptr) return nullptr;
    const bool makesMain = State().main == nullptr;
    platform::Backend& backend = platform::GetBackend();
    backend.Trace("CreateWindowExA");
    // The picture is always 800x600; the native window shows it scaled, whatever size is asked.
    if (makesMain && !backend.CreateNativeWindow(windowName ? windowName : "", 800, 600, false)) return nullptr;
    const std::uintptr_t value = State().nextHandle;
    State().nextHandle += 0x10;
    HWND hwnd = reinterpret_cast<HWND>(value);
    const bool visible = (style & WS_VISIBLE) != 0;
    State().windows[value] = platform::Window{windowClass->procedure, style, makesMain, visible};
    if (makesMain) State().main = hwnd;
    platform::Send(hwnd, WM_CREATE, 0, 0);
    if (visible && platform::Find(hwnd) != nullptr) platform::Activate(hwnd);
    return hwnd;
}

BOOL ShowWindow(HWND hwnd, int cmdShow) {
    platform::Window* window = platform::Find(hwnd);
    if (window == nullptr) return FALSE;
    const BOOL wasVisible = window->visible ? TRUE : FALSE;
    if (cmdShow != SW_HIDE && !window->visible) {
        window->visible = true;
        platform::Activate(hwnd);
    }
    return wasVisible;
}

BOOL UpdateWindow(HWND hwnd) { return platform::Find(hwnd) != nullptr ? TRUE : FALSE; }

BOOL DestroyWindow(HWND hwnd) {
    platform::Window* window = platform::Find(hwnd);
    if (window == nullptr) return FALSE;
    const bool native = window->native;
    platform::GetBackend().Trace("DestroyWindow");
    platform::Send(hwnd, WM_DESTROY, 0, 0);
    platform::ForgetTyping(hwnd);
    State().windows.erase(reinterpret_cast<std::uintptr_t>(hwnd));
    if (State().main == hwnd) State().main = nullptr;
    if (native) platform::GetBackend().DestroyNativeWindow();
    return TRUE;
}

BOOL IsWindow(HWND hwnd) { return platform::Find(hwnd) != nullptr ? TRUE : FALSE; }

BOOL SetWindowTextA(HWND hwnd, LPCSTR text) {
    platform::Window* window = platform::Find(hwnd);
    if (window == nullptr) return FALSE;
    if (window->native) platform::GetBackend().SetNativeTitle(text ? text : "");
    return TRUE;
}

LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return platform::Send(hwnd, msg, wParam, lParam);
}

LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_SYSKEYUP:
        // Releasing Alt or F10 opens the window menu, unless the program takes SC_KEYMENU itself.
        if (wParam == static_cast<WPARAM>(VK_MENU) || wParam == static_cast<WPARAM>(VK_F10))
            platform::Send(hwnd, WM_SYSCOMMAND, SC_KEYMENU, 0);
        return 0;
    default: return 0;
    }
}

// Desktop queries and services: metrics, cursor and key state, focus, message boxes, stock objects
// and the screen's device context.
#include <cstdio>

#include "platform/core/backend.h"
#include "platform/core/input.h"
#include "platform/api/user.h"

namespace {

HWND g_focus = nullptr;

// Distinct non-null values for the few stock handles; nothing dereferences them.
template <class H>
H StockHandle(std::uintptr_t value) {
    return reinterpret_cast<H>(value);
}

}  // namespace

int GetSystemMetrics(int index) {
    int width = 0;
    int height = 0;
    platform::GetBackend().DesktopSize(&width, &height);
    switch (index) {
    case SM_CXSCREEN: return width;
    case SM_CYSCREEN: return height;
    case SM_CYFRAME: return 4;
    case SM_CYSMCAPTION: return 19;
    default: return 0;
    }
}

// Positions are reported in picture coordinates: the window's client area is the 800x600 picture.
BOOL GetCursorPos(LPPOINT point) {
    if (point == nullptr) return FALSE;
    *point = platform::input::CursorPosition();
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, LPPOINT point) { return IsWindow(hwnd) && point != nullptr ? TRUE : FALSE; }

HWND SetFocus(HWND hwnd) {
    HWND previous = g_focus;
    g_focus = hwnd;
    return previous;
}

SHORT GetAsyncKeyState(int vk) { return platform::input::AsyncKeyState(vk); }

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT) {
    // A box with no caption of its own shows the system's default one.
    const char* shownCaption = caption != nullptr ? caption : "Error";
    const char* shownText = text != nullptr ? text : "";
    std::fprintf(stderr, "%s: %s\n", shownCaption, shownText);
    platform::GetBackend().ShowMessageBox(shownText, shownCaption);
    return IDOK;
}

HICON LoadIconA(HINSTANCE, LPCSTR name) {
    return name != nullptr && name[0] != '\0' ? StockHandle<HICON>(0x7F00) : nullptr;
}

HCURSOR LoadCursorA(HINSTANCE, LPCSTR name) { return name == IDC_ARROW ? StockHandle<HCURSOR>(0x7F01) : nullptr; }

HGDIOBJ GetStockObject(int index) { return index == BLACK_BRUSH ? StockHandle<HGDIOBJ>(0x7F02) : nullptr; }

HDC GetDC(HWND) { return StockHandle<HDC>(0x7F03); }

int ReleaseDC(HWND, HDC dc) { return dc != nullptr ? 1 : 0; }

int GetDeviceCaps(HDC dc, int index) {
    if (dc == nullptr) return 0;
    return index == BITSPIXEL ? platform::GetBackend().DesktopBitsPerPixel() : 0;
}

// Windows, messages, keyboard and pointer queries, message boxes and device contexts: the part of
// user32 and gdi32 the program calls. There is one thread of windows (the thread that creates
// them) and one message queue for it.
#pragma once

#include "platform/api/types.h"

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct WNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
};

// Messages
inline constexpr UINT WM_NULL = 0x0000;
inline constexpr UINT WM_CREATE = 0x0001;
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_MOVE = 0x0003;
inline constexpr UINT WM_SIZE = 0x0005;
inline constexpr UINT WM_ACTIVATE = 0x0006;
inline constexpr UINT WM_SETFOCUS = 0x0007;
inline constexpr UINT WM_KILLFOCUS = 0x0008;
inline constexpr UINT WM_PAINT = 0x000F;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_QUIT = 0x0012;
inline constexpr UINT WM_ACTIVATEAPP = 0x001C;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_KEYUP = 0x0101;
inline constexpr UINT WM_CHAR = 0x0102;
inline constexpr UINT WM_SYSKEYDOWN = 0x0104;
inline constexpr UINT WM_SYSKEYUP = 0x0105;
inline constexpr UINT WM_SYSCOMMAND = 0x0112;
inline constexpr UINT WM_MOUSEMOVE = 0x0200;
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_LBUTTONUP = 0x0202;
inline constexpr UINT WM_RBUTTONDOWN = 0x0204;
inline constexpr UINT WM_RBUTTONUP = 0x0205;
inline constexpr UINT WM_APP = 0x8000;
// This platform's own, in the range Windows leaves to programs: posted after the player's Alt+Enter
// has switched the display to the whole screen (wParam 1) or to a window (wParam 0).
inline constexpr UINT WM_APP_DISPLAYMODE = WM_APP + 0x100;
// This platform's own, numbered as RegisterWindowMessageA numbers the messages programs share:
// posted to the main window when another program (in the browser, another tab of the page) has
// stored the player's files, which a program showing them reads again.
inline constexpr UINT WM_PLAYER_FILES_STORED = 0xC100;

inline constexpr WORD WA_INACTIVE = 0;
inline constexpr WORD WA_ACTIVE = 1;
inline constexpr WORD WA_CLICKACTIVE = 2;

inline constexpr WPARAM SIZE_RESTORED = 0;
inline constexpr WPARAM SIZE_MINIMIZED = 1;
inline constexpr WPARAM SIZE_MAXIMIZED = 2;

inline constexpr WPARAM SC_KEYMENU = 0xF100;

inline constexpr WPARAM MK_LBUTTON = 0x0001;
inline constexpr WPARAM MK_RBUTTON = 0x0002;

inline constexpr UINT PM_NOREMOVE = 0;
inline constexpr UINT PM_REMOVE = 1;

// Window class and window styles
inline constexpr UINT CS_VREDRAW = 0x0001;
inline constexpr UINT CS_HREDRAW = 0x0002;
inline constexpr DWORD WS_POPUP = 0x80000000u;
inline constexpr DWORD WS_VISIBLE = 0x10000000u;
inline constexpr DWORD WS_SYSMENU = 0x00080000u;
inline constexpr DWORD WS_MINIMIZEBOX = 0x00020000u;
inline constexpr DWORD WS_MAXIMIZEBOX = 0x00010000u;

inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOW = 5;

inline constexpr int SM_CXSCREEN = 0;
inline constexpr int SM_CYSCREEN = 1;
inline constexpr int SM_CYFRAME = 33;
inline constexpr int SM_CYSMCAPTION = 51;

inline constexpr UINT MB_OK = 0x00000000;
inline constexpr UINT MB_ICONERROR = 0x00000010;
inline constexpr int IDOK = 1;

// Virtual-key codes (letters and digits are their upper-case ASCII codes)
inline constexpr int VK_LBUTTON = 0x01;
inline constexpr int VK_RBUTTON = 0x02;
inline constexpr int VK_BACK = 0x08;
inline constexpr int VK_TAB = 0x09;
inline constexpr int VK_RETURN = 0x0D;
inline constexpr int VK_SHIFT = 0x10;
inline constexpr int VK_CONTROL = 0x11;
inline constexpr int VK_MENU = 0x12;
inline constexpr int VK_ESCAPE = 0x1B;
inline constexpr int VK_SPACE = 0x20;
inline constexpr int VK_LEFT = 0x25;
inline constexpr int VK_UP = 0x26;
inline constexpr int VK_RIGHT = 0x27;
inline constexpr int VK_DOWN = 0x28;
inline constexpr int VK_F1 = 0x70;
inline constexpr int VK_F2 = 0x71;
inline constexpr int VK_F10 = 0x79;
inline constexpr int VK_F12 = 0x7B;
// A game pad's buttons and directions arrive as keys of their own, as Windows names them.
inline constexpr int VK_GAMEPAD_A = 0xC3;
inline constexpr int VK_GAMEPAD_B = 0xC4;
inline constexpr int VK_GAMEPAD_X = 0xC5;
inline constexpr int VK_GAMEPAD_Y = 0xC6;
inline constexpr int VK_GAMEPAD_DPAD_UP = 0xCB;
inline constexpr int VK_GAMEPAD_DPAD_DOWN = 0xCC;
inline constexpr int VK_GAMEPAD_DPAD_LEFT = 0xCD;
inline constexpr int VK_GAMEPAD_DPAD_RIGHT = 0xCE;
inline constexpr int VK_GAMEPAD_MENU = 0xCF;
inline constexpr int VK_GAMEPAD_VIEW = 0xD0;
inline constexpr int VK_GAMEPAD_LEFT_THUMBSTICK_UP = 0xD3;
inline constexpr int VK_GAMEPAD_LEFT_THUMBSTICK_DOWN = 0xD4;
inline constexpr int VK_GAMEPAD_LEFT_THUMBSTICK_RIGHT = 0xD5;
inline constexpr int VK_GAMEPAD_LEFT_THUMBSTICK_LEFT = 0xD6;
inline constexpr int VK_LSHIFT = 0xA0;
inline constexpr int VK_RSHIFT = 0xA1;

// Resource names for the stock cursor and icon; only their identity matters here.
inline const LPCSTR IDC_ARROW = reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(32512));

inline constexpr int BLACK_BRUSH = 4;
inline constexpr int BITSPIXEL = 12;

ATOM RegisterClassA(const WNDCLASSA* wc);
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
BOOL ShowWindow(HWND hwnd, int cmdShow);
BOOL UpdateWindow(HWND hwnd);
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);
BOOL SetWindowTextA(HWND hwnd, LPCSTR text);
LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
BOOL PeekMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeMsg);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageA(const MSG* msg);
HWND SetFocus(HWND hwnd);
BOOL ClientToScreen(HWND hwnd, LPPOINT point);
int GetSystemMetrics(int index);
BOOL GetCursorPos(LPPOINT point);
SHORT GetAsyncKeyState(int vk);
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
HICON LoadIconA(HINSTANCE instance, LPCSTR name);
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);
// The thread's one caret, where typed text goes. A program that draws its own text fields draws
// its own caret too and keeps this one hidden (never calls ShowCaret): it tells the system that a
// field is being edited, and where. CreateCaret replaces any caret the thread had.
BOOL CreateCaret(HWND hwnd, HBITMAP bitmap, int width, int height);
BOOL SetCaretPos(int x, int y);
BOOL DestroyCaret();

// gdi32
HGDIOBJ GetStockObject(int index);
HDC GetDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC dc);
int GetDeviceCaps(HDC dc, int index);

#include "platform/core/input.h"

#include <atomic>
#include <cstring>
#include <mutex>

#include "platform/core/backend.h"
#include "platform/core/windowing.h"
#include "platform/api/qz.h"
#include "platform/api/user.h"

namespace platform::input {
namespace {

// Written by the thread of the windows, read by the timer thread (QZGetMouseData).
std::atomic<int> g_buttonsDown{0};
std::atomic<int> g_buttonsPressed{0};
// Presses counted as they happen, so that none is lost however many come between two samples.
std::atomic<int> g_leftPresses{0};
std::atomic<int> g_rightPresses{0};
// A sample takes the bits and the counts together: a press between reading one and the other
// would show in one only.
std::mutex g_buttonLock;
std::atomic<LONG> g_cursorX{0};
std::atomic<LONG> g_cursorY{0};

BYTE g_keys[256];
bool g_vkDown[256];
bool g_vkPressed[256];  // pressed since the last GetAsyncKeyState for that key

struct KeyCodes {
    int vk;
    int scan;
};

constexpr KeyCodes kKeyCodes[] = {
    {VK_ESCAPE, DIK_ESCAPE}, {VK_RETURN, DIK_RETURN}, {VK_SPACE, DIK_SPACE},   {VK_BACK, DIK_BACK},
    {VK_TAB, DIK_TAB},       {VK_LSHIFT, DIK_LSHIFT}, {VK_RSHIFT, DIK_RSHIFT}, {VK_CONTROL, DIK_LCONTROL},
    {VK_MENU, DIK_LMENU},    {VK_LEFT, DIK_LEFT},     {VK_RIGHT, DIK_RIGHT},   {VK_UP, DIK_UP},
    {VK_DOWN, DIK_DOWN},     {VK_F1 + 10, DIK_F11},   {VK_F1 + 11, DIK_F12},
};

// Scan codes of the letter keys in A..Z order (keyboard rows, not the alphabet).
constexpr int kLetterScan[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17, 0x24, 0x25, 0x26, 0x32,
                                 0x31, 0x18, 0x19, 0x10, 0x13, 0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};

LPARAM CursorLParam() { return MAKELPARAM(static_cast<WORD>(g_cursorX.load()), static_cast<WORD>(g_cursorY.load())); }

WPARAM ButtonFlags() {
    const int down = g_buttonsDown.load();
    return ((down & kLeftButton) ? MK_LBUTTON : 0) | ((down & kRightButton) ? MK_RBUTTON : 0);
}

void SetVirtualKey(int vk, bool down) {
    if (vk <= 0 || vk > 255) return;
    if (down && !g_vkDown[vk]) g_vkPressed[vk] = true;
    g_vkDown[vk] = down;
}

// The generic shift, control and alt keys follow either of their sides.
void SetGenericModifier(int vk, bool down) {
    if (vk == VK_LSHIFT || vk == VK_RSHIFT) SetVirtualKey(VK_SHIFT, down || g_vkDown[VK_LSHIFT] || g_vkDown[VK_RSHIFT]);
}

void CountPress(int button) {
    if (button == kLeftButton) ++g_leftPresses;
    if (button == kRightButton) ++g_rightPresses;
}

}  // namespace

void ButtonEvent(int button, bool down) {
    {
        std::lock_guard lock(g_buttonLock);
        if (down) {
            // A button already down is held, not pressed again.
            if ((g_buttonsDown.fetch_or(button) & button) == 0) CountPress(button);
            g_buttonsPressed |= button;
        } else {
            g_buttonsDown &= ~button;
        }
    }
    UINT message = 0;
    if (button == kLeftButton) message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    if (button == kRightButton) message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    if (message != 0) PostToMainWindow(message, ButtonFlags(), CursorLParam());
}

void MouseMoveEvent(int x, int y) {
    g_cursorX = x;
    g_cursorY = y;
    PostToMainWindow(WM_MOUSEMOVE, ButtonFlags(), CursorLParam());
}

void KeyEvent(int scanCode, int virtualKey, bool down) {
    // Alt+Enter switches between the window and the whole screen, as players of old games expect;
    // the program hears of the new mode, not of the key.
    if (down && virtualKey == VK_RETURN && g_vkDown[VK_MENU]) {
        const bool fullscreen = GetBackend().ToggleFullscreen();
        PostToMainWindow(WM_APP_DISPLAYMODE, fullscreen ? 1 : 0, 0);
        return;
    }
    if (scanCode > 0 && scanCode < 256) g_keys[scanCode] = down ? 0x80 : 0;
    SetVirtualKey(virtualKey, down);
    SetGenericModifier(virtualKey, down);
    // While Alt is held (and for Alt itself and F10) Windows sends the system forms.
    const bool system = g_vkDown[VK_MENU] || virtualKey == VK_MENU || virtualKey == VK_F10;
    const UINT message = system ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
    LPARAM lParam = 1 | (static_cast<LPARAM>(scanCode & 0xFF) << 16);
    if (!down) lParam |= (LPARAM{1} << 30) | (LPARAM{1} << 31);
    PostToMainWindow(message, static_cast<WPARAM>(virtualKey), lParam);
}

void KeyRepeatEvent(int scanCode, int virtualKey) {
    if (virtualKey <= 0 || virtualKey > 255 || !g_vkDown[virtualKey]) return;
    const bool system = g_vkDown[VK_MENU];
    const LPARAM lParam = 1 | (static_cast<LPARAM>(scanCode & 0xFF) << 16) | (LPARAM{1} << 30);
    PostToMainWindow(system ? WM_SYSKEYDOWN : WM_KEYDOWN, static_cast<WPARAM>(virtualKey), lParam);
}

void CharEvent(unsigned char character) { PostToMainWindow(WM_CHAR, static_cast<WPARAM>(character), 1); }

void ReleaseAll() {
    g_buttonsDown = 0;
    std::memset(g_keys, 0, sizeof g_keys);
    std::memset(g_vkDown, 0, sizeof g_vkDown);
}

POINT CursorPosition() { return POINT{g_cursorX.load(), g_cursorY.load()}; }

int SampleButtons(int* leftPresses, int* rightPresses) {
    std::lock_guard lock(g_buttonLock);
    const int takenLeft = g_leftPresses.exchange(0);
    const int takenRight = g_rightPresses.exchange(0);
    if (leftPresses != nullptr) *leftPresses = takenLeft;
    if (rightPresses != nullptr) *rightPresses = takenRight;
    return g_buttonsDown.load() | g_buttonsPressed.exchange(0);
}

const BYTE* KeyState() { return g_keys; }

SHORT AsyncKeyState(int virtualKey) {
    if (virtualKey <= 0 || virtualKey > 255) return 0;
    const bool pressed = g_vkPressed[virtualKey];
    g_vkPressed[virtualKey] = false;
    const bool reads = g_vkDown[virtualKey] || pressed;
    return static_cast<SHORT>((reads ? 0x8000 : 0) | (pressed ? 1 : 0));
}

int ScanCodeForVirtualKey(int virtualKey) {
    if (virtualKey >= 'A' && virtualKey <= 'Z') return kLetterScan[virtualKey - 'A'];
    if (virtualKey == '0') return DIK_0;
    if (virtualKey >= '1' && virtualKey <= '9') return DIK_1 + (virtualKey - '1');
    if (virtualKey >= VK_F1 && virtualKey < VK_F1 + 10) return DIK_F1 + (virtualKey - VK_F1);
    for (const KeyCodes& k : kKeyCodes)
        if (k.vk == virtualKey) return k.scan;
    return 0;
}

void Reset() {
    std::lock_guard lock(g_buttonLock);
    g_buttonsDown = 0;
    g_buttonsPressed = 0;
    g_leftPresses = 0;
    g_rightPresses = 0;
    g_cursorX = 0;
    g_cursorY = 0;
    std::memset(g_keys, 0, sizeof g_keys);
    std::memset(g_vkDown, 0, sizeof g_vkDown);
    std::memset(g_vkPressed, 0, sizeof g_vkPressed);
}

}  // namespace platform::input

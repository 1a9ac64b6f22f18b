// Keyboard and pointer state shared by the backends (which write it from their events) and the
// program's queries (QZGetMouseData, QZGetKeys, GetAsyncKeyState, GetCursorPos). The button bits
// are read on the timer thread, so they are atomics; everything else belongs to the thread of the
// windows.
#pragma once

#include "platform/api/types.h"

namespace platform::input {

inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;

// Records a button change and posts WM_xBUTTONDOWN/UP to the main window at the cursor position.
void ButtonEvent(int button, bool down);
// Records the position (picture coordinates) and posts WM_MOUSEMOVE to the main window.
void MouseMoveEvent(int x, int y);
// Records a key change and posts WM_KEYDOWN/WM_KEYUP (or the WM_SYS forms while Alt is held).
void KeyEvent(int scanCode, int virtualKey, bool down);
// The system's repeat of a held key: another WM_KEYDOWN, marked (lParam bit 30) as already down.
void KeyRepeatEvent(int scanCode, int virtualKey);
// Posts WM_CHAR with a character of the ANSI code page, as TranslateMessage would for typed text.
void CharEvent(unsigned char character);
// Everything up, as when the window loses the keyboard and pointer.
void ReleaseAll();

POINT CursorPosition();
// The buttons held now, plus any pressed since the previous sample; clears that latch. Also takes
// the presses of each button counted since then, when asked.
int SampleButtons(int* leftPresses = nullptr, int* rightPresses = nullptr);
const BYTE* KeyState();
SHORT AsyncKeyState(int virtualKey);

// Scan code for a virtual key (0 when there is none), for the backends and the scripted runner.
int ScanCodeForVirtualKey(int virtualKey);

void Reset();

}  // namespace platform::input

// Keyboard and mouse devices over the shared input state. The mouse is sampled from the timer
// thread, so its switches are atomics.
#include <atomic>

#include "platform/core/backend.h"
#include "platform/core/input.h"
#include "platform/api/qz.h"

namespace {

std::atomic<bool> g_mouseReady{false};
std::atomic<bool> g_mouseAcquired{false};
bool g_keyboardReady = false;

}  // namespace

int QZInitMouse() {
    platform::GetBackend().Trace("QZInitMouse");
    g_mouseReady = true;
    return 1;
}

int QZInitKeyboard() {
    platform::GetBackend().Trace("QZInitKeyboard");
    g_keyboardReady = true;
    return 1;
}

int QZAcquireMouse(int acquire) {
    g_mouseAcquired = acquire != 0;
    return g_mouseReady ? 1 : 0;
}

int QZGetMouseData(int* x, int* y, int* buttons) { return QZGetMouseData(x, y, buttons, nullptr, nullptr); }

int QZGetMouseData(int* x, int* y, int* buttons, int* leftPresses, int* rightPresses) {
    // Sampling takes the press latch and counts even while the mouse is released, so that a press
    // made elsewhere is not counted once the mouse is taken again.
    int left = 0;
    int right = 0;
    const int sampled = platform::input::SampleButtons(&left, &right);
    const bool live = g_mouseReady && g_mouseAcquired;
    const POINT cursor = platform::input::CursorPosition();
    if (x != nullptr) *x = cursor.x;
    if (y != nullptr) *y = cursor.y;
    if (buttons != nullptr) *buttons = live ? sampled : 0;
    if (leftPresses != nullptr) *leftPresses = live ? left : 0;
    if (rightPresses != nullptr) *rightPresses = live ? right : 0;
    return live ? 1 : 0;
}

unsigned char* QZGetKeys() {
    return g_keyboardReady ? const_cast<unsigned char*>(platform::input::KeyState()) : nullptr;
}

void QZFreeDirectInput() {
    platform::GetBackend().Trace("QZFreeDirectInput");
    g_mouseReady = false;
    g_mouseAcquired = false;
    g_keyboardReady = false;
}

// The message queue of the thread of the windows. Backends add input and window events to it when
// PeekMessageA pumps them; WM_QUIT comes out only once every other posted message has.
#include <deque>
#include <mutex>

#include "platform/core/backend.h"
#include "platform/core/windowing.h"
#include "platform/api/kernel.h"
#include "platform/api/user.h"

namespace platform {
namespace {

struct Queue {
    std::mutex mutex;
    std::deque<MSG> messages;
    bool quitPosted = false;
    int quitCode = 0;
};

Queue& TheQueue() {
    static Queue queue;
    return queue;
}

bool Matches(const MSG& msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    if (hwnd != nullptr && msg.hwnd != hwnd) return false;
    if (filterMin == 0 && filterMax == 0) return true;
    return msg.message >= filterMin && msg.message <= filterMax;
}

}  // namespace

void PostToMainWindow(UINT message, WPARAM wParam, LPARAM lParam) {
    if (HWND main = MainWindow()) PostMessageA(main, message, wParam, lParam);
}

void ResetMessageQueue() {
    Queue& queue = TheQueue();
    std::lock_guard lock(queue.mutex);
    queue.messages.clear();
    queue.quitPosted = false;
    queue.quitCode = 0;
}

}  // namespace platform

BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (hwnd != nullptr && !IsWindow(hwnd)) return FALSE;
    platform::Queue& queue = platform::TheQueue();
    std::lock_guard lock(queue.mutex);
    queue.messages.push_back(MSG{hwnd, msg, wParam, lParam, GetTickCount(), POINT{0, 0}});
    return TRUE;
}

void PostQuitMessage(int exitCode) {
    platform::Queue& queue = platform::TheQueue();
    std::lock_guard lock(queue.mutex);
    queue.quitPosted = true;
    queue.quitCode = exitCode;
}

BOOL PeekMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeMsg) {
    if (msg == nullptr) return FALSE;
    platform::GetBackend().PumpEvents();
    platform::Queue& queue = platform::TheQueue();
    std::lock_guard lock(queue.mutex);
    for (auto it = queue.messages.begin(); it != queue.messages.end(); ++it) {
        if (!platform::Matches(*it, hwnd, filterMin, filterMax)) continue;
        *msg = *it;
        if (removeMsg & PM_REMOVE) queue.messages.erase(it);
        return TRUE;
    }
    if (queue.quitPosted) {
        *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(queue.quitCode), 0, GetTickCount(), POINT{0, 0}};
        if (removeMsg & PM_REMOVE) queue.quitPosted = false;
        return TRUE;
    }
    return FALSE;
}

BOOL TranslateMessage(const MSG* msg) {
    if (msg == nullptr) return FALSE;
    return msg->message == WM_KEYDOWN || msg->message == WM_KEYUP || msg->message == WM_SYSKEYDOWN ||
           msg->message == WM_SYSKEYUP;
}

LRESULT DispatchMessageA(const MSG* msg) {
    if (msg == nullptr || msg->hwnd == nullptr) return 0;
    WNDPROC procedure = platform::WindowProcedure(msg->hwnd);
    return procedure != nullptr ? procedure(msg->hwnd, msg->message, msg->wParam, msg->lParam) : 0;
}

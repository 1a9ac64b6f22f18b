// The caret and the typing areas (typing_areas.h): kept per window and handed to the backend
// whenever they change, since only the backend knows whether anyone needs them.
#include "platform/win32/typing.h"

#include "platform/api/typing_areas.h"
#include "platform/api/user.h"
#include "platform/core/backend.h"

namespace platform {
namespace {

struct Typing {
    HWND areasOwner = nullptr;
    HWND caretOwner = nullptr;
    TypingState state;
};

Typing& State() {
    static Typing typing;
    return typing;
}

void Changed() { GetBackend().TypingChanged(State().state); }

}  // namespace

void ForgetTyping(HWND hwnd) {
    Typing& typing = State();
    const bool areas = !typing.state.areas.empty() && (hwnd == nullptr || hwnd == typing.areasOwner);
    const bool caret = typing.state.editing && (hwnd == nullptr || hwnd == typing.caretOwner);
    if (areas) typing.state.areas.clear();
    if (caret) typing.state.editing = false;
    if (areas || caret) Changed();
}

}  // namespace platform

BOOL SetTypingAreas(HWND hwnd, const RECT* areas, int count) {
    if (IsWindow(hwnd) == FALSE || count < 0 || (count > 0 && areas == nullptr)) return FALSE;
    platform::Typing& typing = platform::State();
    typing.areasOwner = hwnd;
    typing.state.areas.assign(areas, areas + count);
    platform::Changed();
    return TRUE;
}

BOOL CreateCaret(HWND hwnd, HBITMAP, int width, int height) {
    if (IsWindow(hwnd) == FALSE) return FALSE;
    platform::Typing& typing = platform::State();
    typing.caretOwner = hwnd;
    typing.state.editing = true;
    typing.state.caret = RECT{0, 0, width, height};
    platform::Changed();
    return TRUE;
}

BOOL SetCaretPos(int x, int y) {
    platform::Typing& typing = platform::State();
    if (!typing.state.editing) return FALSE;
    RECT& caret = typing.state.caret;
    if (caret.left == x && caret.top == y) return TRUE;
    caret = RECT{x, y, x + caret.right - caret.left, y + caret.bottom - caret.top};
    platform::Changed();
    return TRUE;
}

BOOL DestroyCaret() {
    platform::Typing& typing = platform::State();
    if (!typing.state.editing) return FALSE;
    typing.state.editing = false;
    platform::Changed();
    return TRUE;
}

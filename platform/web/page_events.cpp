#include "platform/web/page_events.h"

#include "platform/core/input.h"
#include "platform/core/windowing.h"

namespace platform::web {
namespace {

void Apply(const PageEvent& e) {
    switch (e.kind) {
    case PageEvent::Move: input::MouseMoveEvent(e.a, e.b); break;
    case PageEvent::Button: {
        const POINT cursor = input::CursorPosition();
        if (cursor.x != e.a || cursor.y != e.b) input::MouseMoveEvent(e.a, e.b);
        input::ButtonEvent(e.c, e.d != 0);
        break;
    }
    case PageEvent::Key:
        if (e.c == kKeyRepeat) input::KeyRepeatEvent(e.b, e.a);
        else input::KeyEvent(e.b, e.a, e.c != 0);
        break;
    case PageEvent::Focus:
        if (e.a != 0) {
            PostToMainWindow(WM_ACTIVATEAPP, TRUE, 0);
            PostToMainWindow(WM_ACTIVATE, WA_ACTIVE, 0);
        } else {
            input::ReleaseAll();
            PostToMainWindow(WM_ACTIVATE, WA_INACTIVE, 0);
            PostToMainWindow(WM_ACTIVATEAPP, FALSE, 0);
        }
        break;
    case PageEvent::FilesStored: PostToMainWindow(WM_PLAYER_FILES_STORED, 0, 0); break;
    case PageEvent::Char: input::CharEvent(static_cast<unsigned char>(e.a)); break;
    }
}

}  // namespace

void ApplyPageEvents(PageEventRing& ring) {
    PageEvent e;
    while (ring.Pop(&e, 1) == 1) Apply(e);
}

}  // namespace platform::web

// What the page's thread saw (pointer, keys, focus), on its way to the thread of the windows,
// which turns it into input state and messages when it pumps events.
#pragma once

#include <cstdint>

#include "platform/web/spsc_ring.h"

namespace platform::web {

struct PageEvent {
    enum Kind : std::int32_t { Move, Button, Key, Focus, FilesStored, Char };
    Kind kind;
    std::int32_t a;  // Move, Button: picture x; Key: virtual key; Focus: 1 gained; Char: the character
    std::int32_t b;  // Move, Button: picture y; Key: scan code
    std::int32_t c;  // Button: button; Key: 1 down, 0 up, kKeyRepeat held
    std::int32_t d;  // Button: 1 down
};

// A held key's repeat, as the desktop's system sends it while the key stays down.
constexpr std::int32_t kKeyRepeat = 2;

// Room for far more than a frame's worth; when full, newer events are dropped.
using PageEventRing = SpscRing<PageEvent, 1024>;

// The program's thread: applies every waiting event.
void ApplyPageEvents(PageEventRing& ring);

}  // namespace platform::web

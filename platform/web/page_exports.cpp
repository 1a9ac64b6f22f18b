// The functions the page's thread calls (platform/web/page/stalkway.js). None of them waits for
// the program: they hand over through rings and atomics.
#include <emscripten.h>

#include <cstdint>

#include "platform/core/read_cache.h"
#include "platform/web/kept_files.h"
#include "platform/web/page_keys.h"
#include "platform/web/web_backend.h"

using platform::web::Instance;
using platform::web::PageEvent;

namespace {

void Send(const PageEvent& e) { Instance().Events().Push(&e, 1); }

// Where the page last placed the picture, as [x, y, width, height].
std::int32_t g_placement[4];
// The page's buffer for sound, 16-bit stereo.
std::int16_t g_sound[8192 * 2];
// The sound ring's addresses, for the worklet: the items, the head and tail counters, the capacity.
std::int32_t g_soundRing[4];
// The caret as [editing, left, top, right, bottom], in picture pixels.
std::int32_t g_caret[5];

platform::web::PicturePoint PictureAt(int areaX, int areaY) {
    const int width = Instance().Frames().Width();
    const int height = Instance().Frames().Height();
    return platform::web::ToPicture(Instance().CurrentPlacement(), areaX, areaY, width > 0 ? width : 800,
                                    height > 0 ? height : 600);
}

}  // namespace

extern "C" {

// The newest frame (RGBA, width x height) not drawn yet, or null.
EMSCRIPTEN_KEEPALIVE const std::uint8_t* web_take_frame() { return Instance().Frames().TakeFrame(); }
EMSCRIPTEN_KEEPALIVE int web_frame_width() { return Instance().Frames().Width(); }
EMSCRIPTEN_KEEPALIVE int web_frame_height() { return Instance().Frames().Height(); }

// The play area changed size: returns where the picture goes in it.
EMSCRIPTEN_KEEPALIVE const std::int32_t* web_place(int areaWidth, int areaHeight) {
    const platform::web::Placement p = Instance().Place(areaWidth, areaHeight);
    g_placement[0] = p.x;
    g_placement[1] = p.y;
    g_placement[2] = p.width;
    g_placement[3] = p.height;
    return g_placement;
}

// Pointer positions are in the play area's pixels; button 1 is the left, 2 the right.
EMSCRIPTEN_KEEPALIVE void web_pointer(int areaX, int areaY, int button, int down) {
    const platform::web::PicturePoint p = PictureAt(areaX, areaY);
    if (button == 0) Send(PageEvent{PageEvent::Move, p.x, p.y, 0, 0});
    else Send(PageEvent{PageEvent::Button, p.x, p.y, button, down});
}

// `down` is 1 pressed, 0 let go, 2 (kKeyRepeat) the browser's repeat of a held key.
// Returns 1 when the program knows the key, so that the page keeps it from the browser.
EMSCRIPTEN_KEEPALIVE int web_key(int keyCode, int location, int down) {
    const platform::web::ProgramKey key = platform::web::KeyFromPage(keyCode, location);
    if (key.virtualKey == 0) return 0;
    Send(PageEvent{PageEvent::Key, key.virtualKey, key.scanCode, down, 0});
    return 1;
}

// A character typed, after its key went down: the program takes those of its 8-bit code page,
// whose upper half is Latin-1, as the desktop does.
EMSCRIPTEN_KEEPALIVE void web_char(int character) {
    if (character >= 0x20 && character < 0x100 && character != 0x7F)
        Send(PageEvent{PageEvent::Char, character, 0, 0, 0});
}

EMSCRIPTEN_KEEPALIVE void web_focus(int gained) { Send(PageEvent{PageEvent::Focus, gained, 0, 0, 0}); }

// Another tab stored the player's files, which the page has brought in.
EMSCRIPTEN_KEEPALIVE void web_files_stored() { Send(PageEvent{PageEvent::FilesStored, 0, 0, 0, 0}); }

EMSCRIPTEN_KEEPALIVE int web_sound_rate() { return platform::web::WebAudio::kRate; }
EMSCRIPTEN_KEEPALIVE void web_sound_heard() { Instance().Audio().StartHearing(); }
EMSCRIPTEN_KEEPALIVE const std::int16_t* web_sound_buffer() { return g_sound; }
// Fills the sound buffer with up to `frames` frames; returns how many.
EMSCRIPTEN_KEEPALIVE int web_sound_pull(int frames) {
    const auto most = static_cast<std::size_t>(frames) < 8192 ? static_cast<std::size_t>(frames) : 8192;
    return static_cast<int>(Instance().Audio().Pull(g_sound, most));
}

// Where the worklet empties the sound ring from: addresses in the module's memory.
EMSCRIPTEN_KEEPALIVE const std::int32_t* web_sound_ring() {
    const platform::web::WebAudio::Ring::Layout ring = Instance().Audio().SharedRing();
    g_soundRing[0] = static_cast<std::int32_t>(reinterpret_cast<std::uintptr_t>(ring.items));
    g_soundRing[1] = static_cast<std::int32_t>(reinterpret_cast<std::uintptr_t>(ring.head));
    g_soundRing[2] = static_cast<std::int32_t>(reinterpret_cast<std::uintptr_t>(ring.tail));
    g_soundRing[3] = static_cast<std::int32_t>(platform::web::WebAudio::Ring::kCapacity);
    return g_soundRing;
}

// 1 when a tap at this point of the play area lands on a place that takes typing.
EMSCRIPTEN_KEEPALIVE int web_typing_at(int areaX, int areaY) {
    const platform::web::PicturePoint p = PictureAt(areaX, areaY);
    return Instance().Typing().TakesTyping(p.x, p.y) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE const std::int32_t* web_typing_caret() {
    const RECT caret = Instance().Typing().Caret();
    g_caret[0] = Instance().Typing().Editing() ? 1 : 0;
    g_caret[1] = caret.left;
    g_caret[2] = caret.top;
    g_caret[3] = caret.right;
    g_caret[4] = caret.bottom;
    return g_caret;
}

EMSCRIPTEN_KEEPALIVE int web_kept_files_answered(int number, int ok) {
    return platform::web::KeptFilesAnswered(number, ok != 0) ? 1 : 0;
}

// The page replaced one of the program's files with what another tab kept: what the program read
// of its files before is read again. Lock-free, as the page's thread never waits on the program.
EMSCRIPTEN_KEEPALIVE void web_files_replaced() { platform::read_cache::ChangedElsewhere(); }

}  // extern "C"

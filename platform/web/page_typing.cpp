#include "platform/web/page_typing.h"

#include <algorithm>

namespace platform::web {

void PageTyping::Store(Rect& to, const RECT& from) {
    to[0].store(from.left, std::memory_order_relaxed);
    to[1].store(from.top, std::memory_order_relaxed);
    to[2].store(from.right, std::memory_order_relaxed);
    to[3].store(from.bottom, std::memory_order_relaxed);
}

RECT PageTyping::Load(const Rect& from) {
    return RECT{from[0].load(std::memory_order_relaxed), from[1].load(std::memory_order_relaxed),
                from[2].load(std::memory_order_relaxed), from[3].load(std::memory_order_relaxed)};
}

void PageTyping::Publish(const TypingState& state) {
    // None while they change, so that a reader takes the new count only with the areas it counts.
    count_.store(0, std::memory_order_release);
    const int count = std::min<int>(kMostAreas, static_cast<int>(state.areas.size()));
    for (int i = 0; i < count; ++i) Store(areas_[i], state.areas[i]);
    count_.store(count, std::memory_order_release);
    Store(caret_, state.caret);
    editing_.store(state.editing, std::memory_order_release);
}

bool PageTyping::TakesTyping(int x, int y) const {
    const int count = count_.load(std::memory_order_acquire);
    for (int i = 0; i < count; ++i) {
        const RECT r = Load(areas_[i]);
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
    }
    return false;
}

RECT PageTyping::Caret() const { return Load(caret_); }

}  // namespace platform::web

// The typing areas and the caret (backend.h, TypingState) as the page's thread reads them: when a
// tap lands in an area, the page focuses an input of its own so that a phone brings up its
// keyboard; while the caret is there, Escape and the keys typed are the program's.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "platform/core/backend.h"

namespace platform::web {

class PageTyping {
public:
    // More than any screen has; areas past these are not offered.
    static constexpr int kMostAreas = 8;

    // The program's thread.
    void Publish(const TypingState& state);

    // The page's thread, at any time, in picture pixels. A tap while the areas change may see some
    // of the old ones and some of the new: at worst a keyboard comes up once in vain, or does not.
    bool TakesTyping(int x, int y) const;
    bool Editing() const { return editing_.load(std::memory_order_acquire); }
    RECT Caret() const;

private:
    using Rect = std::array<std::atomic<std::int32_t>, 4>;
    static void Store(Rect& to, const RECT& from);
    static RECT Load(const Rect& from);

    std::array<Rect, kMostAreas> areas_{};
    std::atomic<int> count_{0};
    std::atomic<bool> editing_{false};
    Rect caret_{};
};

}  // namespace platform::web

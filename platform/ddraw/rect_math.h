// Comparisons of rectangles (right and bottom edges excluded) that the surfaces' change tracking
// asks again and again.
#pragma once

#include "platform/api/types.h"

namespace platform {

inline bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// True when the two share at least one pixel.
inline bool Meet(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

inline bool Contains(const RECT& outer, const RECT& inner) {
    return outer.left <= inner.left && outer.top <= inner.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The pixels the two share; empty (right <= left or bottom <= top) when they share none.
inline RECT Intersection(const RECT& a, const RECT& b) {
    return RECT{a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top, a.right < b.right ? a.right : b.right,
                a.bottom < b.bottom ? a.bottom : b.bottom};
}

// The smallest rectangle holding both.
inline RECT Bounds(const RECT& a, const RECT& b) {
    return RECT{a.left < b.left ? a.left : b.left, a.top < b.top ? a.top : b.top, a.right > b.right ? a.right : b.right,
                a.bottom > b.bottom ? a.bottom : b.bottom};
}

// As wide and as high as each other, wherever they lie.
inline bool SameSize(const RECT& a, const RECT& b) {
    return a.right - a.left == b.right - b.left && a.bottom - a.top == b.bottom - b.top;
}

// Moved by (dx, dy).
inline RECT Shifted(const RECT& r, LONG dx, LONG dy) {
    return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

// Its number of pixels; 0 when it is empty.
inline long long Size(const RECT& r) {
    if (r.right <= r.left || r.bottom <= r.top) return 0;
    return static_cast<long long>(r.right - r.left) * (r.bottom - r.top);
}

}  // namespace platform

// Rectangle copies clipped to their target.
#include "surface/surface.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

// The edges are worked out wide, so that a place however far off cannot overflow, and then
// brought into range, which keeps an empty or inverted rectangle so.
LONG Narrow(std::int64_t value) {
    return static_cast<LONG>(
        std::clamp<std::int64_t>(value, std::numeric_limits<LONG>::min(), std::numeric_limits<LONG>::max()));
}

}  // namespace

HRESULT BlitRect(LPDIRECTDRAWSURFACE7 source, int sx, int sy, int width, int height, LPDIRECTDRAWSURFACE7 target, int x,
                 int y, int flags) {
    if (source == nullptr || target == nullptr) return DDERR_INVALIDPARAMS;
    int targetWidth = 0;
    int targetHeight = 0;
    GetSurfaceSize(target, &targetWidth, &targetHeight);

    // Only the target's edges clip. A rectangle wholly off the target comes out empty or inverted
    // and Blt refuses it.
    const std::int64_t left = x, top = y, right = left + width, bottom = top + height;
    RECT to;
    RECT from;
    to.left = Narrow(std::max<std::int64_t>(left, 0));
    from.left = Narrow(left < 0 ? sx - left : sx);
    const bool pastRight = right > targetWidth;
    to.right = Narrow(pastRight ? targetWidth : right);
    from.right = Narrow(pastRight ? std::int64_t{sx} + width - (right - targetWidth) : std::int64_t{sx} + width);
    to.top = Narrow(std::max<std::int64_t>(top, 0));
    from.top = Narrow(top < 0 ? sy - top : sy);
    const bool pastBottom = bottom > targetHeight;
    to.bottom = Narrow(pastBottom ? targetHeight : bottom);
    from.bottom = Narrow(pastBottom ? std::int64_t{sy} + height - (bottom - targetHeight) : std::int64_t{sy} + height);

    const DWORD bltFlags = flags == -1 ? DDBLT_KEYSRC | DDBLT_WAIT : static_cast<DWORD>(flags);
    return target->Blt(&to, source, &from, bltFlags, nullptr);
}

HRESULT BlitSurface(LPDIRECTDRAWSURFACE7 source, LPDIRECTDRAWSURFACE7 target, int x, int y, int flags) {
    int width = 0;
    int height = 0;
    GetSurfaceSize(source, &width, &height);
    return BlitRect(source, 0, 0, width, height, target, x, y, flags);
}

// Rectangle copies clipped to their target.
#include "surface/surface.h"

HRESULT BlitRect(LPDIRECTDRAWSURFACE7 source, int sx, int sy, int width, int height,
                 LPDIRECTDRAWSURFACE7 target, int x, int y, int flags) {
    if (source == nullptr || target == nullptr) return DDERR_INVALIDPARAMS;
    int targetWidth = 0;
    int targetHeight = 0;
    GetSurfaceSize(target, &targetWidth, &targetHeight);

    // Only the target's edges clip. A rectangle wholly off the target comes out empty or inverted
    // and Blt refuses it.
    RECT to;
    RECT from;
    to.left = x < 0 ? 0 : x;
    from.left = x < 0 ? sx - x : sx;
    const bool pastRight = x + width > targetWidth;
    to.right = pastRight ? targetWidth : x + width;
    from.right = pastRight ? sx + width - (x + width - targetWidth) : sx + width;
    to.top = y < 0 ? 0 : y;
    from.top = y < 0 ? sy - y : sy;
    const bool pastBottom = y + height > targetHeight;
    to.bottom = pastBottom ? targetHeight : y + height;
    from.bottom = pastBottom ? sy + height - (y + height - targetHeight) : sy + height;

    const DWORD bltFlags = flags == -1 ? DDBLT_KEYSRC | DDBLT_WAIT : static_cast<DWORD>(flags);
    return target->Blt(&to, source, &from, bltFlags, nullptr);
}

HRESULT BlitSurface(LPDIRECTDRAWSURFACE7 source, LPDIRECTDRAWSURFACE7 target, int x, int y, int flags) {
    int width = 0;
    int height = 0;
    GetSurfaceSize(source, &width, &height);
    return BlitRect(source, 0, 0, width, height, target, x, y, flags);
}

// One rectangle queued with the compositor, to be copied onto the back surface after a flip.
#pragma once

#include "platform/api/ddraw.h"

// Deleted after it has been applied once.
inline constexpr int kDirtyOneShot = 0x0001;
// Queued on both pages, so that it reaches both buffers of a flipping display.
inline constexpr int kDirtyBothPages = 0x0002;
// Applied by copying the area from the background onto the target.
inline constexpr int kDirtyCopy = 0x1000;
// Applied by first wiping the area of the background from the backdrop, then copying it.
inline constexpr int kDirtyRestoreAndCopy = 0x2000;

struct DirtyRect {
    int x;
    int y;
    int width;
    int height;
    int flags;
    // The compositor's pictures when the rectangle was queued: a rectangle queued for a picture
    // that has since been replaced is not copied.
    LPDIRECTDRAWSURFACE7 background;
    LPDIRECTDRAWSURFACE7 backdrop;
};

// One rectangle queued with the compositor, to be copied onto the back surface after a flip.
#pragma once

#include "platform/api/ddraw.h"

struct DirtyRect {
    int x;
    int y;
    int width;
    int height;
    // The compositor's flags (screen/compositor.h).
    int flags;
    // The compositor's pictures when the rectangle was queued: a rectangle queued for a picture
    // that has since been replaced is not copied.
    LPDIRECTDRAWSURFACE7 background;
    LPDIRECTDRAWSURFACE7 backdrop;
};

// The DirectDraw object: creates surfaces in the display's format and reports the display mode.
// Surfaces live on their own once created; releasing the object does not touch them.
#pragma once

#include "platform/core/backend.h"
#include "platform/ddraw.h"

namespace platform {

// A DirectDraw object for a display of the given layout and size, with one reference. No display
// is needed, so tests can make surfaces with it. A size of 0 x 0 leaves the width, height and
// pitch out of GetDisplayMode's answer and refuses primary surfaces.
LPDIRECTDRAW CreateDirectDrawObject(PixelLayout display, int width = 0, int height = 0);

}  // namespace platform

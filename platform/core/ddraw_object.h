// Making the DirectDraw object without a display, for the display set-up and for tests.
#pragma once

#include "platform/core/backend.h"
#include "platform/ddraw.h"

namespace platform {

// A new DirectDraw object (one reference) whose display format is `display`.
LPDIRECTDRAW CreateDirectDrawObject(PixelLayout display);

}  // namespace platform

// Making the DirectDraw object without a display, for the display set-up and for tests.
#pragma once

#include "platform/core/backend.h"
#include "platform/api/ddraw.h"

namespace platform {

// A new DirectDraw object (one reference) whose display format is `display`. Surfaces live on
// their own once created: releasing the object does not touch them. Its display mode reports the
// format only, so primary surfaces must be given their size.
LPDIRECTDRAW CreateDirectDrawObject(PixelLayout display);

}  // namespace platform

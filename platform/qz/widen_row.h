// One row of a presented 16-bit picture as 8-bit RGB, the screenshots' pixels.
#pragma once

#include <cstdint>

#include "platform/core/backend.h"

namespace platform {

// Each channel widened as WidenedColours widens it (platform/core/widened_colours.h).
void WidenRow(const std::uint16_t* in, int width, PixelLayout layout, std::uint8_t* out);

}  // namespace platform

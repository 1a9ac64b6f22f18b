// One row of a presented 16-bit picture as 8-bit RGB, the screenshots' pixels.
#pragma once

#include <cstdint>

#include "platform/core/backend.h"

namespace platform {

// Each channel is widened by repeating its top bits (a 5-bit r becomes r << 3 | r >> 2).
void WidenRow(const std::uint16_t* in, int width, PixelLayout layout, std::uint8_t* out);

}  // namespace platform

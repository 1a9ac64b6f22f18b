// The 8-bit colours a 16-bit pixel shows as: each channel widened by repeating its top bits (a
// 5-bit r becomes r << 3 | r >> 2), so that its largest value is full brightness. The window, the
// browser's canvas and the screenshots all show these.
#pragma once

#include <cstdint>

#include "platform/core/backend.h"

namespace platform {

// Every 16-bit pixel of the layout as 0x00RRGGBB, looked up by its value; made on first use.
const std::uint32_t* WidenedColours(PixelLayout layout);

}  // namespace platform

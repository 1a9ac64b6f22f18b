// Pixel formats the in-memory DirectDraw offers, and the limits every surface is held to.
#pragma once

#include <cstddef>

#include "platform/core/backend.h"
#include "platform/api/ddraw.h"

namespace platform {

// Larger sides than this are refused outright; the total keeps a surface's memory bounded even
// when both sides are within the limit (16384 x 8192 at 16 bits is the largest that fits).
inline constexpr DWORD kMaxSurfaceSide = 16384;
inline constexpr std::size_t kMaxSurfaceBytes = std::size_t{256} << 20;

DDPIXELFORMAT PixelFormatFor(PixelLayout layout);
DDPIXELFORMAT PalettisedFormat();

// True for 5-6-5, 5-5-5 and 8-bit palettised, the only formats a surface can have.
bool IsSupportedFormat(const DDPIXELFORMAT& format);
bool IsPalettised(const DDPIXELFORMAT& format);
bool SamePixelFormat(const DDPIXELFORMAT& a, const DDPIXELFORMAT& b);
int BytesPerPixel(const DDPIXELFORMAT& format);

// Rows start on 4-byte boundaries, so an odd-width 16-bit surface has a pitch wider than its
// pixels; code that walks rows by width instead of pitch shows up at once.
LONG PitchFor(DWORD width, const DDPIXELFORMAT& format);

}  // namespace platform

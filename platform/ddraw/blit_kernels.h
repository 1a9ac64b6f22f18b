// The blitter's inner loops, free of any surface bookkeeping: rectangles have been checked against
// their surfaces and do not overlap by the time they get here.
#pragma once

#include <cstdint>

#include "platform/api/types.h"

namespace platform::blit {

// A rectangle of pixels: `origin` is its top-left pixel, rows lie `pitch` bytes apart.
struct Pixels {
    BYTE* origin;
    LONG pitch;
    int width;
    int height;
};

// Pixel values from `low` to `high` inclusive are left out of a keyed copy.
struct KeyRange {
    std::uint32_t low;
    std::uint32_t high;
};

// Every kernel takes the pixel size in bytes, 1 or 2.
void Fill(const Pixels& dest, int bytesPerPixel, std::uint32_t value);
// Same-size copies, row by row.
void Copy(const Pixels& dest, const Pixels& source, int bytesPerPixel);
void CopyKeyed(const Pixels& dest, const Pixels& source, int bytesPerPixel, KeyRange key);
// Nearest-neighbour scaling from the source's size to the target's: each target pixel takes the
// source pixel under its centre. A null key copies every pixel.
void Stretch(const Pixels& dest, const Pixels& source, int bytesPerPixel, const KeyRange* key);

}  // namespace platform::blit

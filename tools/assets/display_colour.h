// From a canvas to the colours a 16-bit display shows: each channel rounded to the 5-6-5 grid with
// an ordered dither, so that gradients keep their smoothness, and pure blue wherever the canvas is
// clear. No opaque pixel may come out as the transparent colour, in 5-6-5 or in 5-5-5.
#pragma once

#include <cstdint>

#include "tools/assets/canvas.h"
#include "maze/pictures.h"

namespace assets {

// `keyed`: pixels under half coverage become transparent; otherwise coverage is ignored.
RgbPicture ToDisplay(const Canvas& canvas, bool keyed = true);
// The nearest colour on the 5-6-5 grid, nudged off the transparent colour.
Rgb Nearest565(Colour c);

}  // namespace assets

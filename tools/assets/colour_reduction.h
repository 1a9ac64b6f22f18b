// Fewer colours for a picture that must live in part of a palette (the hilite panel inside the
// 8-bit maze): median cut, every entry kept on the 5-6-5 grid so that the 8-bit and 16-bit
// loads of the same pixels show the same colour.
#pragma once

#include "maze/pictures.h"

namespace assets {

// Indices 0 to colours - 1; the rest of the palette stays black.
IndexedPicture ReduceColours(const RgbPicture& picture, int colours);
RgbPicture Expand(const IndexedPicture& picture);

}  // namespace assets

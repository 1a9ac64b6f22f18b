// Which pixels of a presented picture really differ from the one shown before, as a few tight
// rectangles: a display that scales pays for what changed, not for the areas the program marked.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/api/types.h"

namespace platform {

// Appends to `parts` rectangles covering every pixel of `area` where `picture` (rows `pitch`
// pixels apart) differs from `shown` (rows `width` pixels apart), both `width` x `height`. Rows
// that differ are banded together while they touch and their spans lie near each other, so that
// two changes far apart do not make one large rectangle.
void FindChangedParts(const std::uint16_t* shown, const std::uint16_t* picture, int pitch, int width, int height,
                      const RECT& area, std::vector<RECT>* parts);

}  // namespace platform

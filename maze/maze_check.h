// Checks of the maze picture against the rules the game reads it by, on either 16-bit layout:
// which colours block, the corridors 2 pixels wide on the generator's grid and closed by blocking
// pixels, one red start block, each item one 2x2 block of its own palette index, and the panel.
// Each problem found is described in a line; none means the picture is sound.
#pragma once

#include <string>
#include <vector>

#include "maze/pictures.h"

namespace assets {

std::vector<std::string> CheckMazePicture(const IndexedPicture& maze, const RgbPicture& hilite,
                                          const RgbPicture& nohilite);

}  // namespace assets

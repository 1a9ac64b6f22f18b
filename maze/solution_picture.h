// The perfect game's picture of a numbered maze: the classic picture, its miniature drawn again for
// this maze: the ground, then the perfect route a pixel wide from the start to the exit. The panel
// in its middle and everything round the miniature stay as they are.
#pragma once

#include "maze/maze_layout.h"
#include "maze/pictures.h"

namespace assets {

RgbPicture DrawSolution(const RgbPicture& classic, const MazeLayout& maze);

}  // namespace assets

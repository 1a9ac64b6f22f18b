// The background of a numbered maze: the classic background with its two marks moved, the lit
// clearing round the start and the exit's gap and signpost below the maze. Each classic mark is
// first covered with the background beside it, then copied to where this maze has it: whole pixels
// copied, so the picture stays on the display's colours and every build makes the same one.
#pragma once

#include "maze/pictures.h"

namespace assets {

// `classicStart` and `classicExit` are the cells the marks of `classic` belong to.
RgbPicture MoveMazeMarks(const RgbPicture& classic, int classicStart, int classicExit, int start, int exit);

}  // namespace assets

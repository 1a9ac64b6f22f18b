// "maze02.bmp": the planned maze drawn as the 8-bit picture the game both reads and shows. Walls
// are pure blue, the transparent colour, so the corn of the background shows through them; the
// corridors are soil, each item its own palette index, the start a red block.
#pragma once

#include <cstdint>

#include "maze/maze_layout.h"
#include "maze/pictures.h"

namespace assets {

inline constexpr int kBlackIndex = 0;
inline constexpr int kWallIndex = 1;
inline constexpr int kStartIndex = 2;
inline constexpr int kFirstHiliteIndex = 16;
inline constexpr int kExitIndex = 26;
inline constexpr int kFirstKernelIndex = 32;
inline constexpr int kFirstPanelIndex = 132;
inline constexpr int kPanelColours = 256 - kFirstPanelIndex;

// `panel` is the empty hilite panel, 364x202, in at most kPanelColours palette entries.
IndexedPicture DrawMaze(const MazeLayout& maze, const IndexedPicture& panel, std::uint64_t seed);

// Palette indices that stand for something the maze model reads.
bool IsItemIndex(int index);
// Palette indices a corridor pixel may have.
bool IsCorridorIndex(int index);

}  // namespace assets

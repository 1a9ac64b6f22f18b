// A planned maze: its cells and passages, the perfect route through it, and where the items lie.
#pragma once

#include <vector>

#include "maze/maze_grid.h"

namespace assets {

inline constexpr int kHiliteCount = 10;
inline constexpr int kKernelCount = 100;

struct MazeLayout {
    CellGrid grid;
    // Every cell of the perfect route, from the start to the exit.
    std::vector<int> route;
    int start = -1;
    int exit = -1;
    std::vector<int> hilites;  // hilite i lies in cell hilites[i]
    std::vector<int> kernels;  // kernel k lies in cell kernels[k]
};

}  // namespace assets

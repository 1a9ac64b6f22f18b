// Plans a maze with a perfect route by design. A random path through every cell of the field (a
// Hamiltonian path, stirred by backbite moves) becomes the route; short detours of it are cut
// off by new passages and stay behind as dead-end branches, until the route holds the share of
// cells asked for; a few more passages then close loops. The route stays a simple path from start
// to exit, so with the red trail behind it the player can walk it whole, and the items go on it.
#pragma once

#include <cstdint>
#include <vector>

#include "maze/maze_layout.h"

namespace assets {

struct MazePlan {
    std::uint64_t seed = 1;
    int stirMoves = 150000;        // backbite moves that randomise the first path
    double routeShare = 0.5;       // of the field's cells that stay on the route
    int longestDetour = 24;        // cells a single cut may leave behind as a branch
    int loops = 40;                // extra passages, each closing a loop
    int endsApart = 45;            // least distance in cells between start and exit, which lies on the bottom edge
    std::vector<int> exitColumns;  // the columns the exit may take; any when empty
};

MazeLayout BuildMaze(const MazePlan& plan);

}  // namespace assets

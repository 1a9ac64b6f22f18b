// What a planned maze offers a player, worked out on its cells. A move runs until it reaches a
// cell with two or more ways besides the one it came by, or none; the red trail closes a passage
// only once the block has gone through it, so along a simple path the move stops exactly at the
// cells with three or more passages. That makes the fewest moves to the exit a shortest path in
// which each such cell costs one.
#pragma once

#include <vector>

#include "maze/maze_layout.h"

namespace assets {

struct MazeFigures {
    int cells = 0;
    int junctions = 0;  // cells with three or four passages
    int deadEnds = 0;   // cells with one
    int loops = 0;      // passages beyond those of a tree
    int perfectMoves = 0;
    int routeJunctions = 0;
    // Route junctions where a wrong way runs straight into a dead end (or into the trail).
    int routeJunctionsWithDeadEnd = 0;
    int shortestMoves = 0;
    std::vector<int> shortestRoute;  // cells, start to exit
    int regions = 0;                 // 7x7-cell squares holding field cells
    int regionsWithItems = 0;
};

MazeFigures MeasureMaze(const MazeLayout& maze);

// Each route cell's place on the route; -1 for the other cells.
std::vector<int> RoutePlaces(const std::vector<int>& route);

// Whether a move in `direction` from `cell`, with the trail covering the route up to place `at`,
// ends with no way on: at a dead end, or short of the trail.
bool RunsIntoDeadEnd(const CellGrid& grid, const std::vector<int>& places, int at, int cell, int direction);

// The moves a route of cells (a simple path from the start) takes: the first, and one at every
// cell with three or more passages before its last cell.
int MovesAlong(const CellGrid& grid, const std::vector<int>& route);

}  // namespace assets

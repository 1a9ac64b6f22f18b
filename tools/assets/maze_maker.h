// Picks the game's maze: plans a few mazes from fixed seeds and keeps the one that plays best
// among those that meet the bar (a perfect route of 150 moves or more, no way to the exit in
// fewer than 40, a dead-end wrong way at a third or more of the route's junctions).
#pragma once

#include "tools/assets/maze_builder.h"
#include "tools/assets/maze_figures.h"

namespace assets {

inline constexpr int kLeastPerfectMoves = 150;
inline constexpr int kLeastShortestMoves = 40;

struct ChosenMaze {
    MazePlan plan;
    MazeLayout layout;
    MazeFigures figures;
};

bool MeetsTheBar(const MazeFigures& figures);
ChosenMaze ChooseMaze();

}  // namespace assets

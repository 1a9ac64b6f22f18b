// Picks the game's maze: plans a few mazes from fixed seeds and keeps the one that plays best
// among those that meet the bar (a perfect route of 150 moves or more, no way to the exit in
// fewer than 40, a dead-end wrong way at a third or more of the route's junctions).
#pragma once

#include <cstdint>

#include "maze/maze_builder.h"
#include "maze/maze_figures.h"

namespace assets {

inline constexpr int kLeastPerfectMoves = 150;
inline constexpr int kLeastShortestMoves = 40;

struct ChosenMaze {
    std::uint32_t number = 0;  // 0 for the classic maze
    int attempts = 0;          // the plans tried for a numbered maze, the chosen one last
    MazePlan plan;
    MazeLayout layout;
    MazeFigures figures;
};

bool MeetsTheBar(const MazeFigures& figures);
ChosenMaze ChooseMaze();

// Maze `number` (1 to 99,999,999): plans from sub-seeds derived from the number alone, and keeps
// the first that meets the bar above and the one the classic maze meets (items in all but at most
// eight of the field's squares, a way out of 45 to 90 moves, a perfect route of 175 to 235).
ChosenMaze ChooseNumberedMaze(std::uint32_t number);

}  // namespace assets

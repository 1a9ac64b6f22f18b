// Games played on the maze model: the clicks that walk a route of cells, and playing them through
// the game's rules to see where every move ends, what is collected and how the game finishes.
#pragma once

#include <string>
#include <vector>

#include "maze/maze_layout.h"
#include "maze/maze_rules.h"

namespace assets {

// Where a move must end, when it is not a cell.
inline constexpr int kDeadEnd = -1;   // a wrong turn: it must end with no way on
inline constexpr int kAnywhere = -2;  // not checked

struct Click {
    enum class Kind { NewGame, Direction, Back };
    Kind kind = Kind::NewGame;
    int direction = 0;
    int endsAt = kAnywhere;  // a cell, kDeadEnd or kAnywhere
};

// New game, then the direction taken at the start and at every cell where a move stops.
std::vector<Click> ClicksAlong(const CellGrid& grid, const std::vector<int>& route);

// The clicks along `route` with up to `wrongTurns` wrong turns into dead ends, each taken back at
// once, at junctions spread over the route (never the first move: backing out of the only move
// starts a new game).
std::vector<Click> ClicksWithWrongTurns(const CellGrid& grid, const std::vector<int>& route, int wrongTurns);

struct PlayOutcome {
    bool followed = true;  // every click did what it was meant to
    std::string problem;
    int moves = 0;  // direction clicks
    int backs = 0;
    int score = 0;
    int goalState = 0;
    int kernels = 0;
    int hilites = 0;
    bool stillPlaying = false;
};

// Plays the clicks from a fresh game, one frame each, with the finish check before each click and
// once more after the last.
PlayOutcome Play(MazeRules& rules, const std::vector<Click>& clicks);

// Route junctions where the game's own moves show a wrong way ending with no way on.
int JunctionsWithDeadEndWay(const MazeRules& fresh, const CellGrid& grid, const std::vector<int>& route);

}  // namespace assets

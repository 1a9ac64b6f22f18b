// The generator's last word on its maze before anything is written: the picture checked against
// the game's rules, on both 16-bit layouts, and the perfect game and a short imperfect one played
// through the game's rules, click by click.
#pragma once

#include <string>
#include <vector>

#include "tools/assets/game_art.h"
#include "tools/assets/maze_maker.h"
#include "tools/assets/maze_play.h"

namespace assets {

inline constexpr int kWrongTurns = 3;

struct MazeVerdict {
    std::vector<std::string> problems;  // empty when the maze is sound
    std::vector<Click> perfectClicks;
    std::vector<Click> imperfectClicks;
    PlayOutcome perfect;
    PlayOutcome imperfect;
    int junctionsWithDeadEnd = 0;  // as the game's own moves find them
};

MazeVerdict JudgeMaze(const ChosenMaze& maze, const GameArt& art);
// The figures in a few lines of text.
std::string Describe(const ChosenMaze& maze, const MazeVerdict& verdict);

}  // namespace assets

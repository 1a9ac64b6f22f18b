// The generator's last word on its maze before anything is written: the picture checked against
// the game's rules, on both 16-bit layouts, and the perfect game and a short imperfect one played
// through the game's rules, click by click.
#pragma once

#include <string>
#include <vector>

#include "maze/maze_maker.h"
#include "maze/maze_play.h"
#include "maze/pictures.h"

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

// `picture` is the maze drawn ("maze02.bmp"), `hilite` and `nohilite` the panel's tiles.
MazeVerdict JudgeMaze(const ChosenMaze& maze, const IndexedPicture& picture, const RgbPicture& hilite,
                      const RgbPicture& nohilite);
// The figures in a few lines of text.
std::string Describe(const ChosenMaze& maze, const MazeVerdict& verdict);

}  // namespace assets

// Pictures of the screen at telling moments of a game, made from the generated art and the maze
// model, written as PNG files for people to look at.
#pragma once

#include <string>

#include "tools/assets/game_art.h"
#include "maze/maze_layout.h"
#include "maze/maze_rules.h"

namespace assets {

// Writes waiting.png, playing.png, way-out.png, perfect.png, help.png and buttons.png into
// `folder`. `fresh` is the maze model before any game.
void WriteScreenViews(const std::string& folder, const GameArt& art, const MazeLayout& maze, const MazeRules& fresh,
                      const std::vector<int>& shortRoute);

}  // namespace assets

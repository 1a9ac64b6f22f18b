// Scripts for stalkway-replay that play a game by clicking the screen's buttons at their centres:
// "New game", then one direction button per move and "Back" to take a move back. A click is three
// frames (move, press, release) and the game acts on the release. Screenshots are taken at
// telling moments, which the maze model finds by playing the same clicks.
#pragma once

#include <string>
#include <vector>

#include "maze/maze_play.h"
#include "maze/maze_rules.h"

namespace assets {

// `name` prefixes the screenshots; `fresh` is the maze model before any game.
std::string GameScript(const std::string& name, const std::string& about, const std::vector<Click>& clicks,
                       const MazeRules& fresh);

// The moves a script's clicks make, as a run is sent to the world hall of fame: L, R, U or D for a
// click on a direction button, B for one on "Back"; clicks elsewhere ("New game") add nothing.
std::string RunMovesOfScript(const std::string& script);

}  // namespace assets

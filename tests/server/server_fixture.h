// What the server's tests share: the generated classic maze, its perfect and short games as runs,
// and the scores the maze's own figures give for them.
#pragma once

#include <string>

namespace server_test {

// The built game's data folder, which holds the classic maze.
std::string DataFolder();
// The run a generated script plays, as the letters a client sends: each direction click, and
// "B" for each step back, after the script's new-game click.
std::string ScriptMoves(const std::string& script);
// A score from the maze's figures, e.g. "Perfect route: ... score 2214822".
int FigureScore(const std::string& line);

}  // namespace server_test

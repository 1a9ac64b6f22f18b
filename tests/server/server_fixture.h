// What the server's tests share: the generated classic maze, its perfect and short games as runs,
// and the scores the maze's own figures give for them.
#pragma once

#include <cstdint>
#include <string>

namespace server_test {

// The built game's data folder, which holds the classic maze.
std::string DataFolder();
// The run a generated script plays, as the letters a client sends: each direction click, and
// "B" for each step back, after the script's new-game click. The script's text, or the name of
// one the build generated for the classic maze.
std::string MovesOfScript(const std::string& text);
std::string ScriptMoves(const std::string& script);
// A score from the maze's figures, e.g. "Perfect route: ... score 2214822": the classic maze's,
// or the given figures'.
int FigureScore(const std::string& line);
int FigureScore(const std::string& figures, const std::string& line);

// A numbered maze's perfect and short games, as runs, and the scores its figures give them.
struct NumberedGames {
    std::string perfect, short_;
    int perfectScore = 0, shortScore = 0;
};
NumberedGames GamesOf(std::uint32_t number);

}  // namespace server_test

#include <cstdint>
#include <memory>

#include "server/api.h"
#include "support/scratch_dir.h"

namespace server_test {

// "sqlite" or "postgresql": a fresh database of that kind, in a scratch folder or in the shared
// throwaway cluster. Empty, with `why` set, when the cluster cannot run here.
std::unique_ptr<server::SqlDatabase> FreshDatabase(const std::string& kind, const ScratchDir& scratch,
                                                   std::string* why);

// The whole API over a fresh database, with a clock the test moves, serving every maze (numbered
// ones made into `mazeCache`).
struct ApiWorld {
    ApiWorld(std::unique_ptr<server::SqlDatabase> database, int perMinute, const std::string& mazeCache);
    server::MadeMazeShelf shelf;
    server::RunReplayer replayer{shelf};
    server::ScoreStore store;
    server::RateLimit limit;
    std::int64_t nowMs = 1'780'000'000'000;
    server::HallOfFameApi api;
};

// {"maze": maze, "player": player, "moves": moves} as JSON text.
std::string RunBody(const std::string& maze, const std::string& player, const std::string& moves);

}  // namespace server_test

#include "server/server_fixture.h"

#include <regex>
#include <stdexcept>

#include "maze/game_scripts.h"
#include "maze/maze_files.h"
#include "support/replay_run.h"

namespace server_test {

namespace {

std::string Generated(const std::string& name) {
    return test::ReadWholeFile(std::string(STALKWAY_BINARY_DIR) + "/game/scripts/" + name);
}

}  // namespace

std::string DataFolder() { return std::string(STALKWAY_BINARY_DIR) + "/game/Stalkway"; }

std::string ScriptMoves(const std::string& script) { return MovesOfScript(Generated(script)); }

std::string MovesOfScript(const std::string& text) { return assets::RunMovesOfScript(text); }

int FigureScore(const std::string& line) { return FigureScore(Generated("maze.txt"), line); }

int FigureScore(const std::string& figures, const std::string& line) {
    std::smatch match;
    const std::regex pattern(line + "[^\\n]*score ([0-9]+)");
    return std::regex_search(figures, match, pattern) ? std::stoi(match[1]) : -1;
}

NumberedGames GamesOf(std::uint32_t number) {
    const auto classic = assets::ReadClassicPicturesIn(DataFolder());
    if (!classic) throw std::runtime_error("the built data folder's pictures do not read");
    const assets::MazeFiles files = assets::MakeMazeFiles(number, *classic);
    return {MovesOfScript(files.perfectScript), MovesOfScript(files.imperfectScript),
            FigureScore(files.description, "Perfect route"), FigureScore(files.description, "Short game")};
}

}  // namespace server_test

#include <nlohmann/json.hpp>

#include "server/postgres_cluster.h"

namespace server_test {

std::unique_ptr<server::SqlDatabase> FreshDatabase(const std::string& kind, const ScratchDir& scratch,
                                                   std::string* why) {
    if (kind == "sqlite") return server::OpenDatabase("sqlite:" + scratch / "scores.db");
    PostgresCluster& cluster = PostgresCluster::Shared();
    if (!cluster.Running()) {
        *why = cluster.Trouble();
        return nullptr;
    }
    return server::OpenDatabase(cluster.NewDatabase());
}

ApiWorld::ApiWorld(std::unique_ptr<server::SqlDatabase> database, int perMinute, const std::string& mazeCache)
    : shelf(DataFolder(), mazeCache),
      store(std::move(database)),
      limit(perMinute),
      api(shelf, replayer, store, limit, [this] { return nowMs; }) {}

std::string RunBody(const std::string& maze, const std::string& player, const std::string& moves) {
    nlohmann::json body{{"player", player}, {"moves", moves}};
    if (maze == "classic") body["maze"] = maze;
    else body["maze"] = std::stoll(maze);
    return body.dump();
}

}  // namespace server_test

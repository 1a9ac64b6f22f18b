// Runs replayed on many threads at once score as they do one at a time, and a numbered maze asked
// for by many at once is made once. These tests run more than one thread, and so under
// ThreadSanitizer too.
#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <vector>

#include "server/run_replay.h"
#include "server/server_fixture.h"
#include "support/scratch_dir.h"

namespace {

using server::MazeId;

struct Game {
    MazeId maze;
    std::string moves;
};

class ParallelReplay : public ::testing::Test {
protected:
    ScratchDir scratch;
    server::MadeMazeShelf shelf{server_test::DataFolder(), scratch / "mazes", 2};
};

TEST_F(ParallelReplay, RunsPlayedSideBySideScoreAsTheyDoOneAtATime) {
    server::RunReplayer replayer(shelf);
    ASSERT_TRUE(replayer.Ready());
    const server_test::NumberedGames numbered = server_test::GamesOf(7);
    const std::string perfect = server_test::ScriptMoves("perfect.script");
    const std::vector<Game> games = {{MazeId{}, perfect},
                                     {MazeId{}, server_test::ScriptMoves("imperfect.script")},
                                     {MazeId{}, perfect.substr(0, 50)},
                                     {MazeId{7}, numbered.perfect},
                                     {MazeId{7}, numbered.short_}};
    std::vector<int> alone;
    for (const Game& game : games) alone.push_back(replayer.Replay(game.maze, game.moves)->score);
    EXPECT_EQ(alone[3], numbered.perfectScore);

    constexpr int kThreads = 4, kRounds = 6;
    std::vector<std::vector<int>> scores(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kRounds * static_cast<int>(games.size()); ++i) {
                const Game& game = games[(i + t) % games.size()];
                const auto outcome = replayer.Replay(game.maze, game.moves);
                scores[t].push_back(outcome ? outcome->score : -1);
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    for (int t = 0; t < kThreads; ++t)
        for (std::size_t i = 0; i < scores[t].size(); ++i)
            EXPECT_EQ(scores[t][i], alone[(i + t) % games.size()]) << "thread " << t << ", run " << i;
    // Sets are kept between runs: a few per maze, not one per run.
    EXPECT_LE(replayer.LoadedSets(), 2 * kThreads);
}

TEST_F(ParallelReplay, AMazeAskedForByManyAtOnceIsMadeOnce) {
    std::vector<std::string> folders(6);
    std::vector<std::thread> threads;
    for (std::string& folder : folders) threads.emplace_back([&] { folder = shelf.Folder(1234); });
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(std::set<std::string>(folders.begin(), folders.end()).size(), 1u);
    EXPECT_FALSE(folders[0].empty());
    EXPECT_EQ(shelf.MadeCount(), 1);
}

}  // namespace

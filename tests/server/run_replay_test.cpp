// Runs played again on the generated classic maze with the game's model: the scores the game
// offers, and the moves it would not have taken; and the shelf's cache of numbered mazes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "server/run_replay.h"
#include "server/server_fixture.h"
#include "support/scratch_dir.h"

namespace {

using server::MazeId;
using server::RunOutcome;

class RunReplay : public ::testing::Test {
protected:
    RunOutcome Play(const std::string& moves) {
        const auto outcome = replayer.Replay(MazeId{}, moves);
        EXPECT_TRUE(outcome.has_value());
        return outcome.value_or(RunOutcome{});
    }
    server::ClassicShelf shelf{server_test::DataFolder()};
    server::RunReplayer replayer{shelf};
    const std::string perfect = server_test::ScriptMoves("perfect.script");
    const std::string short_ = server_test::ScriptMoves("imperfect.script");
};

TEST_F(RunReplay, TheGeneratedGamesScoreWhatTheMazesFiguresSay) {
    ASSERT_TRUE(replayer.Ready());
    const RunOutcome best = Play(perfect);
    EXPECT_EQ(best.score, server_test::FigureScore("Perfect route")) << perfect.size() << " moves";
    EXPECT_TRUE(best.finished && best.perfect && !best.Refused());
    const RunOutcome shorter = Play(short_);
    EXPECT_EQ(shorter.score, server_test::FigureScore("Short game")) << "the wrong turns taken back";
    EXPECT_TRUE(shorter.finished && !shorter.perfect && !shorter.Refused());
    EXPECT_NE(short_.find('B'), std::string::npos);
}

TEST_F(RunReplay, AnUnfinishedRunScoresWhatItWalkedAndAStepBackTakesAMoveBackExactly) {
    const std::string start = perfect.substr(0, 40);
    const RunOutcome part = Play(start);
    EXPECT_FALSE(part.finished);
    EXPECT_GT(part.score, 0);
    EXPECT_LT(part.score, Play(perfect).score / 2);
    for (const char extra : std::string("LRUD")) {
        const RunOutcome tried = Play(start + extra);
        if (tried.Refused()) continue;
        EXPECT_EQ(Play(start + extra + "B").score, part.score) << "after " << extra;
    }
}

struct Forgery {
    const char* what;
    std::string moves;
    int refusedAt;
};

TEST_F(RunReplay, MovesTheGameWouldNotTakeAreRefusedWhereTheyStand) {
    // The first move a corridor's walls refuse after the 40th.
    std::string wall;
    for (const char extra : std::string("LRUD"))
        if (wall.empty() && Play(perfect.substr(0, 40) + extra).Refused()) wall = perfect.substr(0, 40) + extra;
    ASSERT_FALSE(wall.empty()) << "a corridor has walls";
    const int n = static_cast<int>(perfect.size());
    const Forgery forgeries[] = {
        {"through a wall", wall, 40},
        {"a move after the finish", perfect + "L", n},
        {"a step back after the finish", perfect + "B", n},
        {"a move after stepping back past the first", "LBR", 2},
        {"a letter that is no move", perfect.substr(0, 3) + "X", 3},
    };
    for (const Forgery& forgery : forgeries)
        EXPECT_EQ(Play(forgery.moves).refusedAt, forgery.refusedAt) << forgery.what;
    EXPECT_EQ(Play("LB").score, 0) << "stepping back past the first move ends the game unscored";
}

TEST_F(RunReplay, AMazeTheShelfDoesNotServeIsNotPlayed) {
    EXPECT_FALSE(replayer.Replay(MazeId{20261208}, perfect).has_value());
    EXPECT_EQ(Play(perfect).score, server_test::FigureScore("Perfect route")) << "the classic maze loads again";
}

TEST(MazeShelf, ADamagedMazeAndOneDroppedPastTheBoundAreMadeAgain) {
    ScratchDir scratch;
    server::MadeMazeShelf shelf(server_test::DataFolder(), scratch / "mazes", 1);
    const std::string first = shelf.Folder(11);
    std::ofstream(first + "/maze02.bmp", std::ios::binary | std::ios::trunc) << "no picture";
    EXPECT_EQ(shelf.Folder(11), first);
    EXPECT_EQ(shelf.MadeCount(), 2) << "the damaged maze is made again";
    shelf.Folder(12);
    EXPECT_FALSE(std::filesystem::exists(first)) << "the shelf keeps one maze";
    EXPECT_TRUE(std::filesystem::exists(scratch / "mazes/12/maze.digest"));
    shelf.Folder(11);
    EXPECT_EQ(shelf.MadeCount(), 4);
}

}  // namespace

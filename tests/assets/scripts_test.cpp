// The two scripts the build wrote: played click by click through the maze model on the data
// folder's own pictures, and run by stalkway-replay.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "assets/assets_support.h"
#include "support/replay_run.h"

namespace {

using namespace assets;

std::string Script(const std::string& name) { return test::ReadWholeFile(assets_test::ScriptsFolder() + "/" + name); }

void ExpectEveryClickOnAButton(const std::vector<Click>& clicks) {
    ASSERT_FALSE(clicks.empty());
    EXPECT_EQ(clicks.front().kind, Click::Kind::NewGame);
    for (const Click& click : clicks) {
        if (click.kind == Click::Kind::Direction) {
            EXPECT_NE(click.direction, 0) << "a click off the buttons";
        }
    }
}

TEST(Scripts, ThePerfectScriptPlaysAPerfectGameOnEitherDisplay) {
    const std::vector<Click> clicks = assets_test::ScriptClicks(Script("perfect.script"));
    ExpectEveryClickOnAButton(clicks);
    for (PixelLayout layout : {PixelLayout::Rgb565, PixelLayout::Rgb555}) {
        MazeRules game = assets_test::ModelFromFiles(layout);
        const PlayOutcome outcome = Play(game, clicks);
        EXPECT_TRUE(outcome.followed) << outcome.problem;
        EXPECT_GE(outcome.moves, 150);
        EXPECT_EQ(outcome.backs, 0);
        EXPECT_EQ(outcome.kernels, 100);
        EXPECT_EQ(outcome.hilites, 10);
        EXPECT_EQ(outcome.goalState, 2);
        EXPECT_FALSE(outcome.stillPlaying) << "the finish stopped play";
        EXPECT_EQ(game.DeadEndRuns(), 1) << "only the last move, onto the exit, ends with no way on";
        EXPECT_GT(outcome.score, 2 * (100 * 1000 + 10 * 100000));
    }
}

TEST(Scripts, TheShortScriptTakesEachWrongTurnBackAndFindsTheExit) {
    const std::vector<Click> clicks = assets_test::ScriptClicks(Script("imperfect.script"));
    ExpectEveryClickOnAButton(clicks);
    MazeRules game = assets_test::ModelFromFiles();
    int backs = 0;
    for (std::size_t i = 0; i < clicks.size(); ++i) {
        game.Finish();
        if (clicks[i].kind == Click::Kind::NewGame) game.NewGameClicked();
        if (clicks[i].kind == Click::Kind::Direction) {
            ASSERT_TRUE(game.DirectionClicked(clicks[i].direction)) << i;
        }
        if (clicks[i].kind == Click::Kind::Back) {
            EXPECT_EQ(game.AllowedMoves(), 0) << "the move taken back ended in a dead end";
            game.BackClicked();
            EXPECT_NE(game.AllowedMoves(), 0);
            ++backs;
        }
    }
    game.Finish();
    EXPECT_GE(backs, 3);
    EXPECT_EQ(game.GoalState(), 1);
    EXPECT_FALSE(game.Playing());
    EXPECT_LT(game.KernelsFound(), 100);
}

TEST(Scripts, TheRunnerPlaysBothAndTakesTheirShots) {
    for (const char* name : {"perfect.script", "imperfect.script"}) {
        const std::string script = Script(name);
        test::ReplayRun run;
        run.CopyGameData();
        ASSERT_EQ(run.Run(script), 0) << name << ": " << run.Stderr();
        std::istringstream lines(script);
        std::string word;
        int shots = 0;
        while (lines >> word) {
            if (word == "shot" && lines >> word) {
                EXPECT_TRUE(run.ShotExists(word)) << word;
                ++shots;
            }
        }
        EXPECT_GE(shots, 4) << name;
    }
}

}  // namespace

// The program end to end through stalkway-replay.
#include <gtest/gtest.h>

#include "support/replay_run.h"

namespace {

TEST(Replay, DesktopNotInHighColourStopsWithTheMessageBeforeAnyWindow) {
    for (const char* depth : {"24", "32"}) {
        test::ReplayRun run;
        EXPECT_EQ(run.Run("frames 5\nshot never\n", {"--depth", depth}), 0);
        EXPECT_EQ(run.Log(), "0 messagebox Brightfen Games needs the display set to High Color (16 bit).|Error\n");
        EXPECT_FALSE(run.ShotExists("never"));
    }
    test::ReplayRun fifteen;
    EXPECT_EQ(fifteen.Run("frames 5\nshot started\n", {"--depth", "15"}), 0);
    EXPECT_TRUE(fifteen.ShotExists("started"));
    EXPECT_EQ(fifteen.Log(), "");
}

TEST(Replay, EscapeAndTheCloseBoxEndTheProgram) {
    for (const char* ending : {"key Escape\n", "close\n"}) {
        test::ReplayRun run;
        EXPECT_EQ(run.Run(std::string("frames 3\nshot before\n") + ending + "frames 5\nshot after\n"), 0);
        EXPECT_TRUE(run.ShotExists("before"));
        EXPECT_FALSE(run.ShotExists("after")) << ending;
    }
}

TEST(Replay, F1ShowsTheFrameRateAtTheTopRight) {
    test::ReplayRun run;
    ASSERT_EQ(run.Run("frames 3\nshot off\nkey F1\nframes 2\nshot on\n"), 0);
    const test::Shot off = run.LoadShot("off");
    const test::Shot on = run.LoadShot("on");
    ASSERT_TRUE(off.Loaded() && on.Loaded());
    EXPECT_EQ(on.width, 800);
    EXPECT_EQ(on.height, 600);
    int whiteBefore = 0;
    int whiteAfter = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 580; x < 660; ++x) {
            whiteBefore += off.At(x, y) == 0xFFFFFF;
            whiteAfter += on.At(x, y) == 0xFFFFFF;
        }
    }
    EXPECT_EQ(whiteBefore, 0);
    EXPECT_GT(whiteAfter, 40);
    int whiteElsewhere = 0;
    for (int y = 20; y < 600; ++y)
        for (int x = 0; x < 800; ++x) whiteElsewhere += on.At(x, y) == 0xFFFFFF;
    EXPECT_EQ(whiteElsewhere, 0);
}

TEST(Replay, TheSameScriptGivesTheSameBytes) {
    const std::string script = "frames 4\nkey F1\nclick 100 100\nshot a\nrpress\nrrelease\nshot b\n";
    test::ReplayRun first;
    test::ReplayRun second;
    ASSERT_EQ(first.Run(script, {"--seed", "7"}), 0);
    ASSERT_EQ(second.Run(script, {"--seed", "7"}), 0);
    for (const char* shot : {"shots/a.png", "shots/b.png", "run.log"})
        EXPECT_EQ(first.ReadFile(shot), second.ReadFile(shot)) << shot;
}

TEST(Replay, ABadScriptIsRefusedWithItsLine) {
    test::ReplayRun run;
    EXPECT_EQ(run.Run("frames 2\njump 3\n"), 2);
    EXPECT_NE(run.Stderr().find("line 2"), std::string::npos);
}

}  // namespace

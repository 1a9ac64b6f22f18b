// The program end to end through stalkway-replay.
#include <gtest/gtest.h>

#include "support/replay_run.h"

namespace {

// Start-up fades the music in over 30 frames before the first picture.
constexpr char kStarted[] = "frames 40\n";

TEST(Replay, DesktopNotInHighColourStopsWithTheMessageBeforeAnyWindow) {
    for (const char* depth : {"24", "32"}) {
        test::ReplayRun run;
        run.CopyGameData();
        EXPECT_EQ(run.Run("frames 5\nshot never\n", {"--depth", depth}), 0);
        EXPECT_EQ(run.Log(), "0 messagebox Brightfen Games needs the display set to High Color (16 bit).|Error\n");
        EXPECT_FALSE(run.ShotExists("never"));
    }
    test::ReplayRun fifteen;
    fifteen.CopyGameData();
    EXPECT_EQ(fifteen.Run(std::string(kStarted) + "shot started\n", {"--depth", "15"}), 0);
    EXPECT_TRUE(fifteen.ShotExists("started"));
    EXPECT_EQ(fifteen.Log(), "");
}

TEST(Replay, EscapeAndTheCloseBoxEndTheProgram) {
    for (const char* ending : {"key Escape\n", "close\n"}) {
        test::ReplayRun run;
        run.CopyGameData();
        EXPECT_EQ(run.Run(std::string(kStarted) + "shot before\n" + ending + "frames 5\nshot after\n"), 0);
        EXPECT_TRUE(run.ShotExists("before"));
        EXPECT_FALSE(run.ShotExists("after")) << ending;
    }
}

TEST(Replay, F1ShowsTheFrameRateAtTheTopRight) {
    test::ReplayRun run;
    run.CopyGameData();
    ASSERT_EQ(run.Run(std::string(kStarted) + "shot off\nkey F1\nframes 2\nshot on\n"), 0);
    const test::Shot off = run.LoadShot("off");
    const test::Shot on = run.LoadShot("on");
    ASSERT_TRUE(off.Loaded() && on.Loaded());
    EXPECT_EQ(on.width, 800);
    EXPECT_EQ(on.height, 600);
    // "100.00" in white: pixels of the corner that turned white, and none left of it.
    int turnedWhite = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 580; x < 660; ++x) turnedWhite += on.At(x, y) == 0xFFFFFF && off.At(x, y) != 0xFFFFFF;
    EXPECT_GT(turnedWhite, 40);
    int changedLeft = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 400; x < 578; ++x) changedLeft += on.At(x, y) != off.At(x, y);
    EXPECT_EQ(changedLeft, 0);
}

TEST(Replay, TheSameScriptGivesTheSameBytes) {
    const std::string script = "frames 40\nkey F1\nclick 68 238\nframes 300\nshot a\nrpress\nrrelease\nshot b\n";
    test::ReplayRun first;
    test::ReplayRun second;
    first.CopyGameData();
    second.CopyGameData();
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

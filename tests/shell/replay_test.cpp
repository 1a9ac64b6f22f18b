// The program end to end through stalkway-replay.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/api/user.h"
#include "support/replay_run.h"
#include "tools/replay/script.h"

namespace {

// Start-up fades the music in over 30 frames before the first picture.
constexpr char kStarted[] = "frames 40\n";

TEST(Replay, DesktopNotInHighColourStopsWithTheMessageAndExitStatusOne) {
    const struct {
        const char* program;
        const char* depth;
    } cases[] = {{"stalkway", "8"}, {"stalkway", "24"}, {"stalkway", "32"}, {"portico", "24"}};
    for (const auto& c : cases) {
        test::ReplayRun run;
        const bool launcher = std::string(c.program) == "portico";
        run.CopyGameData(launcher ? "Stalkway" : "");
        EXPECT_EQ(run.Run("frames 5\nshot never\n", {"--program", c.program, "--depth", c.depth}), 1) << c.depth;
        EXPECT_EQ(run.Log(), "0 messagebox Brightfen Games needs the display set to High Color (16 bit).|Error\n");
        EXPECT_FALSE(run.ShotExists("never"));
    }
    test::ReplayRun fifteen;
    fifteen.CopyGameData();
    // "--" ends the options; the script's path follows it.
    EXPECT_EQ(fifteen.Run(std::string(kStarted) + "shot started\n", {"--depth", "15", "--"}), 0) << fifteen.Stderr();
    EXPECT_TRUE(fifteen.ShotExists("started"));
    EXPECT_EQ(fifteen.Log(), "");
}

TEST(Replay, TheLaunchersCaptionIsItsWindowsTitle) {
    test::ReplayRun run;
    run.CopyGameData("Stalkway");
    run.CopyLauncherPictures();
    ASSERT_EQ(run.Run("frames 5\ncaption\n", {"--program", "portico"}), 0) << run.Stderr();
    EXPECT_NE(run.Log().find("5 caption Stalk Way - Players\n"), std::string::npos) << run.Log();
}

TEST(Replay, EscapeAndTheCloseBoxEndTheProgram) {
    for (const char* ending : {"key Escape\n", "close\n"}) {
        test::ReplayRun run;
        run.CopyGameData();
        EXPECT_EQ(run.Run(std::string(kStarted) + "shot before\n" + ending + "frames 5\nshot after\n"), 0);
        EXPECT_TRUE(run.ShotExists("before"));
        EXPECT_FALSE(run.ShotExists("after")) << ending;
        if (std::string(ending) == "close\n") {
            EXPECT_NE(run.Log().find(" skipped lines 4-5, after close\n"), std::string::npos) << run.Log();
        }
    }
}

TEST(Replay, F1ShowsTheFrameRateAtTheTopRightAndF1AgainHidesIt) {
    test::ReplayRun run;
    run.CopyGameData();
    ASSERT_EQ(run.Run(std::string(kStarted) + "shot off\nkey F1\nframes 2\nshot on\nkey F1\nframes 3\nshot hidden\n"),
              0);
    const test::Shot off = run.LoadShot("off");
    const test::Shot on = run.LoadShot("on");
    const test::Shot hidden = run.LoadShot("hidden");
    ASSERT_TRUE(off.Loaded() && on.Loaded() && hidden.Loaded());
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
    int stillChanged = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 560; x < 800; ++x) stillChanged += hidden.At(x, y) != off.At(x, y);
    EXPECT_EQ(stillChanged, 0) << "the second F1 leaves the corner as it was before the first";
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

TEST(ReplayScript, AnErrorNamesTheWrongWordAndACommentMayEndAnyLineButType) {
    const struct {
        const char* line;
        const char* said;
    } wrong[] = {{"key F1 F2", "'F2'"},        {"key F13", "'F13'"}, {"frames 5x", "'5x'"},  {"frames -3", "'-3'"},
                 {"move 3", "move needs X Y"}, {"click 3 y", "'y'"}, {"press now", "'now'"}, {"shot a/b", "'a/b'"},
                 {"shot a b", "'b'"},          {"jump 3", "'jump'"}, {"close 1", "'1'"}};
    for (const auto& c : wrong) {
        std::vector<replay::Command> commands;
        std::string error;
        EXPECT_FALSE(replay::ParseScript(std::string("frames 1\n") + c.line + "\n", &commands, &error)) << c.line;
        EXPECT_NE(error.find("line 2: "), std::string::npos) << error;
        EXPECT_NE(error.find(c.said), std::string::npos) << c.line << " gave: " << error;
    }
    std::vector<replay::Command> commands;
    std::string error;
    ASSERT_TRUE(
        replay::ParseScript("frames 5 # c\n  # a whole line\nkey F1 #F2\nshot a#b\ntype B # c\n", &commands, &error))
        << error;
    ASSERT_EQ(commands.size(), 9u);
    EXPECT_EQ(commands[8].a, 'c') << "type takes the rest of its line, comment signs too";
    EXPECT_EQ(commands[0].a, 5);
    EXPECT_EQ(commands[1].a, VK_F1);
    EXPECT_EQ(commands[3].text, "a#b") << "only a word that starts with # starts a comment";
}

TEST(Replay, ARunThatLostAShotOrALogLineExitsTwoSayingWhy) {
    test::ReplayRun early;
    early.CopyGameData();
    EXPECT_EQ(early.Run("shot early\n" + std::string(kStarted)), 2);
    EXPECT_NE(early.Stderr().find("shot early: nothing has been presented yet"), std::string::npos) << early.Stderr();

    test::ReplayRun unwritable;
    unwritable.CopyGameData();
    unwritable.WriteFile("taken", "a file where the shots' folder would go");
    EXPECT_EQ(unwritable.Run(std::string(kStarted) + "shot a\n", {"--shots", "taken/shots"}), 2);
    EXPECT_NE(unwritable.Stderr().find("cannot write taken/shots/a.png"), std::string::npos) << unwritable.Stderr();

    test::ReplayRun fullDisk;
    fullDisk.CopyGameData();
    // About starts the game's page, which the log records.
    EXPECT_EQ(fullDisk.Run(std::string(kStarted) + "click 68 186\nframes 3\n", {"--log", "/dev/full"}), 2);
    EXPECT_NE(fullDisk.Stderr().find("cannot write the log"), std::string::npos) << fullDisk.Stderr();
}

TEST(Replay, AFolderGivenAsTheScriptIsAnError) {
    test::ReplayRun run;
    std::filesystem::create_directories(run.Folder() + "/test.script");
    EXPECT_EQ(run.Run("frames 1\n"), 2);
    EXPECT_NE(run.Stderr().find("test.script is a folder"), std::string::npos) << run.Stderr();
}

}  // namespace

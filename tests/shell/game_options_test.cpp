// The game's command line: options for this run anywhere on it, every other word the launcher's
// folder.
#include "shell/game_options.h"

#include <gtest/gtest.h>

namespace {

using Action = GameOptions::Action;

TEST(GameOptions, OtherWordsAreTheLauncherFolderTakenWhole) {
    const GameOptions options = ParseGameOptions({"C:\\Program", "--window", "Files\\Portico", "-x"});
    EXPECT_EQ(options.action, Action::Run);
    EXPECT_EQ(options.launcherDir, "C:\\Program Files\\Portico -x");
    EXPECT_EQ(options.fullScreen, 0);
    EXPECT_EQ(ParseGameOptions({}).launcherDir, "");
    EXPECT_EQ(ParseGameOptions({}).fullScreen, -1) << "setup.ini decides";
}

TEST(GameOptions, TheLastDisplayModeWins) {
    EXPECT_EQ(ParseGameOptions({"--window", "--fullscreen"}).fullScreen, 1);
    EXPECT_EQ(ParseGameOptions({"--fullscreen", "--window"}).fullScreen, 0);
}

TEST(GameOptions, AfterTwoDashesEveryWordIsTheFolder) {
    const GameOptions options = ParseGameOptions({"--fullscreen", "--", "--help", "--odd"});
    EXPECT_EQ(options.action, Action::Run);
    EXPECT_EQ(options.launcherDir, "--help --odd");
    EXPECT_EQ(options.fullScreen, 1);
}

TEST(GameOptions, HelpVersionAndUnknownOptions) {
    EXPECT_EQ(ParseGameOptions({"folder", "--help"}).action, Action::ShowHelp);
    EXPECT_EQ(ParseGameOptions({"--version"}).action, Action::ShowVersion);
    const GameOptions refused = ParseGameOptions({"--help", "--windowed"});
    EXPECT_EQ(refused.action, Action::Refuse);
    EXPECT_EQ(refused.problem, "unknown option --windowed");
    // One dash is no option of ours: it stays part of the folder, as the launcher gave it.
    EXPECT_EQ(ParseGameOptions({"-window"}).action, Action::Run);
}

}  // namespace

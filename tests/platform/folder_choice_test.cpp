// Where the program takes its data from, and where it keeps the player's files.
#include "platform/core/folder_choice.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/scratch_dir.h"

namespace {

using platform::ChooseFolders;
using platform::FolderRequest;
using platform::SystemFolders;

class FolderChoiceTest : public testing::Test {
protected:
    FolderChoiceTest() {
        scratch_.Write("prefix/share/stalkway/maze02.bmp", "");
        scratch_.Write("prefix/bin/stalkway", "");
        scratch_.Write("build/game/Stalkway/maze02.bmp", "");
        scratch_.Write("elsewhere/notes.txt", "");
        system_.executable = scratch_ / "prefix/bin";
        system_.current = scratch_ / "elsewhere";
        system_.dataHome = scratch_ / "home/.local/share";
        system_.configHome = scratch_ / "home/.config";
    }
    ScratchDir scratch_;
    SystemFolders system_;
};

TEST_F(FolderChoiceTest, AnInstalledGameKeepsThePlayersFilesInTheirOwnFolders) {
    const auto choice = ChooseFolders({}, system_);
    ASSERT_TRUE(choice.found);
    EXPECT_EQ(choice.folders.data, scratch_ / "prefix/share/stalkway");
    EXPECT_TRUE(choice.folders.separate);
    EXPECT_EQ(choice.folders.user, scratch_ / "home/.local/share/stalkway");
    EXPECT_EQ(choice.folders.settings, scratch_ / "home/.config/stalkway");

    const auto mine = ChooseFolders({"", scratch_ / "mine"}, system_);
    EXPECT_EQ(mine.folders.user, scratch_ / "mine");
    EXPECT_EQ(mine.folders.settings, "");

    system_.dataHome.clear();
    const auto homeless = ChooseFolders({}, system_);
    EXPECT_TRUE(homeless.folders.separate);
    EXPECT_EQ(homeless.folders.user, "");
}

TEST_F(FolderChoiceTest, RunWhereItsDataIsOrGivenItsDataTheGameIsPortable) {
    system_.executable = scratch_ / "build/bin";
    system_.current = scratch_ / "build/game/Stalkway";
    const auto here = ChooseFolders({}, system_);
    ASSERT_TRUE(here.found);
    EXPECT_EQ(here.folders.data, "");
    EXPECT_FALSE(here.folders.separate);

    const auto given = ChooseFolders({scratch_ / "build/game/Stalkway", ""}, system_);
    ASSERT_TRUE(given.found);
    EXPECT_EQ(given.folders.data, scratch_ / "build/game/Stalkway");
    EXPECT_FALSE(given.folders.separate);

    const auto withUser = ChooseFolders({"", scratch_ / "mine"}, system_);
    EXPECT_TRUE(withUser.folders.separate);
    EXPECT_EQ(withUser.folders.user, scratch_ / "mine");
}

// The launcher runs above the game's data folder, and keeps its files where the game does.
TEST_F(FolderChoiceTest, TheLauncherWritesAmongTheSettingsAndFindsThePortableGameBelowIt) {
    const auto installed = ChooseFolders({}, system_, platform::FolderRole::Launcher);
    ASSERT_TRUE(installed.found);
    EXPECT_EQ(installed.folders.data, scratch_ / "prefix/share/stalkway");
    EXPECT_TRUE(installed.folders.installed);
    EXPECT_EQ(installed.folders.user, scratch_ / "home/.local/share/stalkway") << "the hall of fame is read there";
    EXPECT_EQ(installed.folders.settings, scratch_ / "home/.config/stalkway");

    system_.executable = scratch_ / "build/bin";
    system_.current = scratch_ / "build/game";
    const auto portable = ChooseFolders({}, system_, platform::FolderRole::Launcher);
    ASSERT_TRUE(portable.found);
    EXPECT_EQ(portable.folders.data, "Stalkway");
    EXPECT_FALSE(portable.folders.separate);
    EXPECT_FALSE(portable.folders.installed);
    system_.current = scratch_ / "build/game/Stalkway";
    EXPECT_FALSE(ChooseFolders({}, system_, platform::FolderRole::Launcher).found)
        << "the game's folder is not its own";
}

TEST_F(FolderChoiceTest, NoDataAnywhereNamesTheFoldersTried) {
    system_.executable = scratch_ / "build/bin";
    const auto none = ChooseFolders({}, system_);
    EXPECT_FALSE(none.found);
    EXPECT_EQ(none.tried, (std::vector<std::string>{scratch_ / "build/share/stalkway", scratch_ / "elsewhere"}));

    const auto missing = ChooseFolders({scratch_ / "nowhere", ""}, system_);
    EXPECT_FALSE(missing.found);
    EXPECT_EQ(missing.tried, std::vector<std::string>{scratch_ / "nowhere"});
}

}  // namespace

// The pictures folder as the desktop names it: the environment, else its user-dirs.dirs (which a
// desktop in another language writes), else ~/Pictures; a relative value is no value.
TEST_F(FolderChoiceTest, ThePicturesFolderIsTheDesktopsOwnAndNeverRelative) {
    const std::string home = scratch_ / "home";
    struct Case {
        const char* environment;
        const char* userDirs;
        std::string expected;
    };
    const Case cases[] = {
        {nullptr, nullptr, home + "/Pictures"},
        {nullptr, "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\nXDG_PICTURES_DIR=\"$HOME/Bilder\"\n", home + "/Bilder"},
        {nullptr, "XDG_PICTURES_DIR=\"/srv/pictures\"\n", "/srv/pictures"},
        {nullptr, "XDG_PICTURES_DIR=\"Bilder\"\n", home + "/Pictures"},
        {"/given", "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n", "/given"},
        {"relative/pictures", "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n", home + "/Bilder"},
    };
    const char* realHome = std::getenv("HOME");
    const std::string savedHome = realHome != nullptr ? realHome : "";
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
    for (const Case& c : cases) {
        std::filesystem::remove(home + "/.config/user-dirs.dirs");
        if (c.userDirs != nullptr) scratch_.Write("home/.config/user-dirs.dirs", c.userDirs);
        if (c.environment != nullptr) setenv("XDG_PICTURES_DIR", c.environment, 1);
        else unsetenv("XDG_PICTURES_DIR");
        EXPECT_EQ(platform::FindSystemFolders().pictures, c.expected)
            << (c.environment ? c.environment : "-") << " / " << (c.userDirs ? c.userDirs : "-");
    }
    unsetenv("XDG_PICTURES_DIR");
    unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", savedHome.c_str(), 1);
}

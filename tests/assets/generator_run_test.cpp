// stalkway-assets as the build runs it: the same bytes every time, and a player's files left alone.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "assets/assets_support.h"
#include "support/replay_run.h"

namespace {

namespace fs = std::filesystem;

int RunGenerator(const std::string& arguments) {
    const int status = std::system((assets_test::Generator() + " " + arguments + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::map<std::string, std::string> FilesBelow(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), folder).string()] = test::ReadWholeFile(entry.path().string());
    return files;
}

TEST(Generator, WritesTheSameBytesAsTheBuildDid) {
    test::ReplayRun scratch;
    const std::string data = scratch.Folder() + "/game/Stalkway";
    const std::string scripts = scratch.Folder() + "/game/scripts";
    // As the build runs it.
    ASSERT_EQ(
        RunGenerator("--data " + data + " --scripts " + scripts + " --licence " + STALKWAY_SOURCE_DIR + "/LICENSE"), 0);
    std::map<std::string, std::string> made = FilesBelow(data);
    std::map<std::string, std::string> built = FilesBelow(assets_test::DataFolder());
    // The files a player may have written since the build are not the generator's.
    for (const char* players : {"setup.ini", "hiscore.dat", "winner.dat"}) {
        made.erase(players);
        built.erase(players);
    }
    ASSERT_EQ(made.size(), built.size());
    for (const auto& [name, bytes] : made) {
        ASSERT_TRUE(built.count(name)) << name;
        EXPECT_TRUE(bytes == built[name]) << name << " differs";
    }
    for (const char* script : {"perfect.script", "imperfect.script", "maze.txt"})
        EXPECT_EQ(test::ReadWholeFile(scripts + "/" + script),
                  test::ReadWholeFile(assets_test::ScriptsFolder() + "/" + script))
            << script;
}

TEST(Generator, LeavesAPlayersFilesAloneAndRewritesItsOwn) {
    test::ReplayRun scratch;
    scratch.WriteFile("options.ini", "[setup]\r\nmusic=N\r\n");
    scratch.WriteFile("Stalkway/hiscore.dat", "twenty best scores");
    scratch.WriteFile("Stalkway/winner.dat", "a winning route");
    scratch.WriteFile("Stalkway/setup.ini", "[setup]\r\nfullscreen=1\r\n");
    scratch.WriteFile("Stalkway/maze02.bmp", "an old maze");
    ASSERT_EQ(RunGenerator("--data " + scratch.Folder() + "/Stalkway"), 0);
    EXPECT_EQ(scratch.ReadFile("options.ini"), "[setup]\r\nmusic=N\r\n");
    EXPECT_EQ(scratch.ReadFile("Stalkway/hiscore.dat"), "twenty best scores");
    EXPECT_EQ(scratch.ReadFile("Stalkway/winner.dat"), "a winning route");
    EXPECT_EQ(scratch.ReadFile("Stalkway/setup.ini"), "[setup]\r\nfullscreen=1\r\n");
    EXPECT_EQ(scratch.ReadFile("Stalkway/maze02.bmp").substr(0, 2), "BM");
}

TEST(Generator, RefusesToRunWithoutADataFolder) {
    EXPECT_EQ(RunGenerator(""), 2);
    EXPECT_EQ(RunGenerator("--scripts /tmp"), 2);
    EXPECT_EQ(RunGenerator("--data"), 2);
}

}  // namespace

// The installed game: installed into a prefix that is then made read-only, run from elsewhere with
// the player's folders in a temporary home. It finds its data beside its executable and keeps the
// player's files in the player's folders, leaving the prefix as it was.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "support/hall_of_fame_file.h"
#include "support/replay_run.h"

namespace fs = std::filesystem;

namespace {

int Shell(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Script(const char* name) { return std::string(STALKWAY_BINARY_DIR) + "/game/scripts/" + name; }

// Every entry under a folder with its kind, size, permissions and time of change.
std::map<std::string, std::string> Listing(const fs::path& folder) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        struct stat info {};
        ::lstat(entry.path().c_str(), &info);
        entries[entry.path().string()] = std::to_string(info.st_mode) + " " + std::to_string(info.st_size) + " " +
                                         std::to_string(info.st_mtim.tv_sec) + "." +
                                         std::to_string(info.st_mtim.tv_nsec);
    }
    return entries;
}

void SetWritable(const fs::path& folder, bool writable) {
    const auto change = writable ? fs::perm_options::add : fs::perm_options::remove;
    const auto write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (!entry.is_symlink()) fs::permissions(entry.path(), write, change);
    fs::permissions(folder, write, change);
}

// The build tree's data folder as a developer leaves it after playing in it with ./play.sh: full
// screen chosen, a score saved, a damaged table kept, a lock and a picture left. Put back as it was
// when it goes; one at a time, as every test program installs for itself.
class PlayedBuildTree {
public:
    PlayedBuildTree() {
        lock_ = ::open((kData + "/../played-tree.lock").c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666);
        ::flock(lock_, LOCK_EX);
        setup_ = test::ReadWholeFile(kData + "/setup.ini");
        Write("setup.ini", "[setup]\r\nfullscreen=1\r\n");
        Write("hiscore.dat", test::HallOfFameBytes({{"Developer:Desk:dev@example.invalid:Y", 875574}}));
        Write("hiscore.dat.lock", "");
        Write("hiscore.dat.damaged", "Developer:Desk:dev@example.invalid:Y");
        Write("stalkway-19700101-000000.png", "\x89PNG");
    }
    ~PlayedBuildTree() {
        for (const char* name :
             {"hiscore.dat", "hiscore.dat.lock", "hiscore.dat.damaged", "stalkway-19700101-000000.png"})
            fs::remove(kData + "/" + name);
        Write("setup.ini", setup_);
        ::close(lock_);
    }
    PlayedBuildTree(const PlayedBuildTree&) = delete;
    PlayedBuildTree& operator=(const PlayedBuildTree&) = delete;

private:
    static void Write(const std::string& name, const std::string& bytes) {
        std::ofstream(kData + "/" + name, std::ios::binary) << bytes;
    }
    inline static const std::string kData = std::string(STALKWAY_BINARY_DIR) + "/game/Stalkway";
    int lock_ = -1;
    std::string setup_;
};

// Every file under a folder, by its path relative to it, with its bytes.
std::map<std::string, std::string> Files(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (!entry.is_directory())
            files[fs::relative(entry.path(), folder).string()] = test::ReadWholeFile(entry.path().string());
    return files;
}

// One read-only installation for every test, made from a build tree that was played in, and a
// fresh home for each.
class InstalledGame : public testing::Test {
protected:
    static void SetUpTestSuite() {
        prefix_ = new test::ReplayRun;
        const std::string command = "cmake --install " + test::ShellQuote(STALKWAY_BINARY_DIR) + " --prefix " +
                                    test::ShellQuote(prefix_->Folder()) + " >/dev/null";
        const PlayedBuildTree played;
        ASSERT_EQ(Shell(command), 0) << command;
        SetWritable(prefix_->Folder(), false);
        before_ = new std::map<std::string, std::string>(Listing(prefix_->Folder()));
    }
    static void TearDownTestSuite() {
        SetWritable(prefix_->Folder(), true);
        delete prefix_;
        delete before_;
    }
    void TearDown() override { EXPECT_EQ(Listing(prefix_->Folder()), *before_) << "the prefix changed"; }

    // Runs the installed runner from an empty folder of the home, with the player's folders in it.
    int Run(const std::string& script, const std::string& options = "", const std::string& dataHome = "/data",
            const std::string& launcherDir = "") const {
        const std::string& home = home_.Folder();
        fs::create_directories(home + "/elsewhere");
        return Shell("cd " + test::ShellQuote(home + "/elsewhere") + " && HOME=" + test::ShellQuote(home) +
                     " XDG_DATA_HOME=" + test::ShellQuote(home + dataHome) +
                     " XDG_CONFIG_HOME=" + test::ShellQuote(home + "/config") + " " +
                     test::ShellQuote(prefix_->Folder() + "/bin/stalkway-replay") + " --shots shots --log run.log " +
                     options + " " + test::ShellQuote(script) +
                     (launcherDir.empty() ? "" : " " + test::ShellQuote(launcherDir)) + " >out.txt 2>err.txt");
    }
    // A script of its own, outside the folder the runner runs in.
    std::string Written(const std::string& name, const std::string& script) {
        home_.WriteFile(name, script);
        return home_.Folder() + "/" + name;
    }
    std::string Read(const std::string& name) const { return home_.ReadFile(name); }

    static test::ReplayRun* prefix_;
    static std::map<std::string, std::string>* before_;
    test::ReplayRun home_;
};

test::ReplayRun* InstalledGame::prefix_ = nullptr;
std::map<std::string, std::string>* InstalledGame::before_ = nullptr;

// The installed data is the generator's output file for file, whatever was played in the build tree.
TEST_F(InstalledGame, ItsDataIsExactlyWhatTheGeneratorMakes) {
    const std::string made = home_.Folder() + "/made";
    const std::string generator = test::ShellQuote(std::string(STALKWAY_BINARY_DIR) + "/bin/stalkway-assets");
    ASSERT_EQ(
        Shell(generator + " --data " + test::ShellQuote(made + "/Stalkway") + " --launcher " + test::ShellQuote(made) +
              " --licence " + test::ShellQuote(std::string(STALKWAY_SOURCE_DIR) + "/LICENSE") + " >/dev/null"),
        0);
    std::map<std::string, std::string> expected = Files(made + "/Stalkway");
    for (auto& [name, bytes] : Files(made + "/portico")) expected["portico/" + name] = bytes;
    const std::map<std::string, std::string> installed = Files(prefix_->Folder() + "/share/stalkway");
    std::set<std::string> names, expectedNames;
    for (const auto& entry : installed) names.insert(entry.first);
    for (const auto& entry : expected) expectedNames.insert(entry.first);
    EXPECT_EQ(names, expectedNames);
    EXPECT_TRUE(installed == expected) << "the same names, but not the same bytes";
}

TEST_F(InstalledGame, FindsItsDataAndKeepsThePlayersFilesInTheirFolders) {
    home_.WriteFile("config/stalkway/options.ini", "[setup]\r\nplayerid=0\r\n[Player1]\r\nname=Ida Furrow\r\n");
    ASSERT_EQ(Run(Script("perfect.script")), 0) << Read("elsewhere/err.txt");
    EXPECT_TRUE(fs::exists(home_.Folder() + "/elsewhere/shots/perfect-finished.png"));

    const std::string folder = home_.Folder() + "/data/stalkway";
    struct stat info {};
    ASSERT_EQ(::stat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_FALSE(Read("data/stalkway/winner.dat").empty());
    std::string why;
    const auto hallOfFame = test::ParseHallOfFame(Read("data/stalkway/hiscore.dat"), &why);
    ASSERT_TRUE(hallOfFame) << why;
    EXPECT_EQ((*hallOfFame)[0].text.substr(0, 11), "Ida Furrow:");
    EXPECT_GT((*hallOfFame)[0].score, 0);
    // The player's settings are read, never written over.
    EXPECT_EQ(Read("config/stalkway/options.ini"), "[setup]\r\nplayerid=0\r\n[Player1]\r\nname=Ida Furrow\r\n");
    EXPECT_EQ(Listing(home_.Folder() + "/config").size(), 2u);
}

// A numbered maze's files go to the player's cache folder, never into the installed data.
TEST_F(InstalledGame, ANumberedMazeIsMadeIntoThePlayersCache) {
    ASSERT_EQ(Run(Written("start.script", "frames 50\n"), "--maze 42"), 0) << Read("elsewhere/err.txt");
    for (const char* name : {"maze.digest", "maze02.bmp", "background.bmp", "ultimatesolution.bmp"})
        EXPECT_TRUE(fs::exists(home_.Folder() + "/.cache/stalkway/mazes/42/" + name)) << name;
}

// The installed launcher, started from anywhere: a player registered by typing, then Play. Its
// options file goes among the player's settings, where the installed game reads it, and the game
// it starts is the installed one, whose Menu starts the installed launcher there again.
TEST_F(InstalledGame, TheLauncherKeepsItsOptionsInTheSettingsFolderAndStartsTheInstalledGame) {
    const std::string launcherScript = Written("launcher.script",
                                               "frames 5\nclick 100 160\nclick 200 382\ntype Ida Furrow\nkey Return\n"
                                               "frames 3\nshot registered\nclick 585 563\nframes 5\n");
    ASSERT_EQ(Run(launcherScript, "--program portico --shots " + test::ShellQuote(home_.Folder() + "/shots")), 0)
        << Read("elsewhere/err.txt");
    const std::string settings = home_.Folder() + "/config/stalkway";
    const std::string options = Read("config/stalkway/options.ini");
    EXPECT_NE(options.find("[Player2]\r\nname=Ida Furrow\r\n"), std::string::npos) << options;
    EXPECT_NE(options.find("playerid=1"), std::string::npos) << options;
    // Nothing but what the runner itself was told to write lands where the launcher was started.
    std::set<std::string> here;
    for (const auto& entry : fs::directory_iterator(home_.Folder() + "/elsewhere"))
        here.insert(entry.path().filename().string());
    EXPECT_EQ(here, (std::set<std::string>{"err.txt", "out.txt", "run.log"}));
    EXPECT_FALSE(fs::exists(home_.Folder() + "/data/stalkway/options.ini"));
    // Its own pictures came from the installed data: the shot is the launcher's, not a black screen.
    const test::Shot shot = home_.LoadShot("registered");
    ASSERT_TRUE(shot.Loaded());
    EXPECT_NE(shot.At(400, 30), 0u);
    const std::string game = prefix_->Folder() + "/bin/stalkway";
    EXPECT_NE(Read("elsewhere/run.log").find(" shell open " + game + " \"" + settings + "\" .\n"), std::string::npos)
        << Read("elsewhere/run.log");

    // The game as the launcher starts it, with the launcher's folder; its Menu goes back there.
    const std::string gameScript = Written("game.script", "frames 50\ncaption\nclick 68 342\nframes 5\n");
    ASSERT_EQ(Run(gameScript, "", "/data", settings), 0) << Read("elsewhere/err.txt");
    const std::string log = Read("elsewhere/run.log");
    EXPECT_NE(log.find(" caption Stalk Way - Ida Furrow\n"), std::string::npos) << log;
    EXPECT_NE(log.find(" shell open " + prefix_->Folder() + "/bin/portico Stalkway " + settings + "\n"),
              std::string::npos)
        << log;
}

// With no pictures folder to be had, F12's picture goes where the installed game keeps the player's
// files, never into the folder it was started in.
TEST_F(InstalledGame, AScreenshotWithoutAPicturesFolderGoesToThePlayersDataFolder) {
    home_.WriteFile("Pictures", "a file where the pictures folder should be");
    setenv("XDG_PICTURES_DIR", (home_.Folder() + "/Pictures/mine").c_str(), 1);
    const int exitCode = Run(Written("shot.script", "frames 50\nkey F12\nframes 5\n"));
    unsetenv("XDG_PICTURES_DIR");
    ASSERT_EQ(exitCode, 0) << Read("elsewhere/err.txt");
    const std::string saved = home_.Folder() + "/data/stalkway/stalkway-19700101-000000.png";
    EXPECT_NE(Read("elsewhere/run.log").find("screenshot saved: " + saved + "\n"), std::string::npos)
        << Read("elsewhere/run.log");
    EXPECT_EQ(Read("data/stalkway/stalkway-19700101-000000.png").substr(1, 3), "PNG");
    EXPECT_FALSE(fs::exists(home_.Folder() + "/elsewhere/stalkway-19700101-000000.png"));
}

TEST_F(InstalledGame, APlayersFolderThatCannotBeMadeSavesNothingAsRefusedWritesDo) {
    ASSERT_EQ(Run(Script("imperfect.script"), "--fail write"), 0) << Read("elsewhere/err.txt");
    const std::string refused = Read("elsewhere/run.log");
    fs::remove_all(home_.Folder() + "/data");
    home_.WriteFile("blocked", "a file where a folder should be");

    ASSERT_EQ(Run(Script("imperfect.script"), "", "/blocked/data"), 0) << Read("elsewhere/err.txt");
    EXPECT_NE(Read("elsewhere/err.txt").find("cannot make " + home_.Folder() + "/blocked/data/stalkway"),
              std::string::npos)
        << Read("elsewhere/err.txt");
    EXPECT_EQ(Read("elsewhere/run.log"), refused);
    EXPECT_FALSE(fs::exists(home_.Folder() + "/data"));
}

TEST_F(InstalledGame, ItsOwnFoldersOnTheCommandLineMakeItPortable) {
    const std::string data = std::string(STALKWAY_BINARY_DIR) + "/game/Stalkway";
    const std::string user = home_.Folder() + "/portable";
    ASSERT_EQ(
        Run(Script("imperfect.script"), "--data " + test::ShellQuote(data) + " --user-dir " + test::ShellQuote(user)),
        0)
        << Read("elsewhere/err.txt");
    std::string why;
    EXPECT_TRUE(test::ParseHallOfFame(Read("portable/hiscore.dat"), &why)) << why;
    EXPECT_FALSE(fs::exists(home_.Folder() + "/data"));
}

TEST(GameWithoutData, SaysWhereItLookedAndHowToGiveIt) {
    test::ReplayRun empty;
    const std::string runner = test::ShellQuote(std::string(STALKWAY_BINARY_DIR) + "/bin/stalkway-replay");
    const std::string cd = "cd " + test::ShellQuote(empty.Folder()) + " && ";
    EXPECT_EQ(Shell(cd + runner + " " + test::ShellQuote(Script("perfect.script")) + " 2>err.txt"), 1);
    const std::string said = empty.ReadFile("err.txt");
    EXPECT_NE(said.find(std::string(STALKWAY_BINARY_DIR) + "/share/stalkway"), std::string::npos) << said;
    EXPECT_NE(said.find(empty.Folder()), std::string::npos) << said;
    EXPECT_NE(said.find("--data DIR"), std::string::npos) << said;

    EXPECT_EQ(Shell(cd + runner + " --data " + test::ShellQuote(empty.Folder() + "/none") + " " +
                    test::ShellQuote(Script("perfect.script")) + " 2>err.txt"),
              1);
    EXPECT_NE(empty.ReadFile("err.txt").find(empty.Folder() + "/none"), std::string::npos);
    EXPECT_EQ(Shell(cd + runner + " x.script --user-dir 2>err.txt"), 2);
    EXPECT_NE(empty.ReadFile("err.txt").find("--user-dir needs a folder"), std::string::npos);
}

}  // namespace

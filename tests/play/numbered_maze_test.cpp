// Numbered mazes played whole: the game makes a maze's files from its number into the cache, its
// perfect and short games score what the generator says, its hall of fame is its own, and a
// damaged or unwritable cache still gives the maze.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <regex>
#include <string>

#include "maze/maze_files.h"
#include "support/maze_numbers.h"
#include "support/replay_run.h"

namespace {

namespace fs = std::filesystem;

// One of them, for the cache's own tests.
constexpr std::uint32_t kCached = 42;
// The maze the launcher's "Today" gives under the runner: its virtual clock starts in 1970.
constexpr std::uint32_t kRunnerToday = 20000101;

const assets::ClassicPictures& Classic() {
    static const std::optional<assets::ClassicPictures> classic = assets::ReadClassicPicturesIn(
        std::string(STALKWAY_BINARY_DIR) + "/game/Stalkway");
    if (!classic) throw std::runtime_error("the built data folder's pictures do not read");
    return *classic;
}

int FigureScore(const std::string& figures, const std::string& line) {
    std::smatch match;
    const std::regex pattern(line + "[^\\n]*score ([0-9]+)");
    return std::regex_search(figures, match, pattern) ? std::stoi(match[1]) : -1;
}

// The score of the hall of fame's record `rank` (0 the best); -1 for a file that is no hall of fame.
std::int32_t ScoreAt(const std::string& fame, int rank) {
    if (fame.size() != 5204u) return -1;
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(fame[4 + 260 * rank + 256 + i]);
    return static_cast<std::int32_t>(v);
}
std::int32_t TopScore(const std::string& fame) { return ScoreAt(fame, 0); }

std::string MazeFolder(std::uint32_t number) { return "Stalkway/mazes/" + std::to_string(number) + "/"; }
std::string CacheFile(std::uint32_t number, const char* name) { return "mazes/" + std::to_string(number) + "/" + name; }

// A copy of the built game, its launcher's folder the working folder, where the cache is made.
struct MazeRun : test::ReplayRun {
    MazeRun() {
        CopyGameData("Stalkway");
        CopyLauncherPictures();
    }
    int Play(const std::string& script, std::uint32_t number, const std::string& maze = "") {
        return Run(script, {"--maze", maze.empty() ? std::to_string(number) : maze}, "", "Stalkway");
    }
};

class PlayedMaze : public testing::TestWithParam<std::uint32_t> {};

TEST_P(PlayedMaze, ThePerfectAndShortGamesScoreWhatTheGeneratorPrinted) {
    const std::uint32_t number = GetParam();
    const assets::MazeFiles files = assets::MakeMazeFiles(number, Classic());
    MazeRun run;
    ASSERT_EQ(run.Play(files.perfectScript, number), 0) << run.Stderr();
    EXPECT_EQ(TopScore(run.ReadFile(MazeFolder(number) + "hiscore.dat")),
              FigureScore(files.description, "Perfect route"));
    EXPECT_FALSE(run.ReadFile(MazeFolder(number) + "winner.dat").empty()) << "a perfect game leaves its route";
    EXPECT_FALSE(fs::exists(run.Folder() + "/Stalkway/hiscore.dat")) << "the classic hall of fame is left alone";
    // The game made the same files the generator does.
    for (const assets::NamedFile& file : files.pictures)
        EXPECT_EQ(run.ReadFile(CacheFile(number, file.name.c_str())), std::string(file.bytes.begin(), file.bytes.end()))
            << file.name;
    ASSERT_EQ(run.Play(files.imperfectScript, number), 0) << run.Stderr();
    EXPECT_EQ(ScoreAt(run.ReadFile(MazeFolder(number) + "hiscore.dat"), 1),
              FigureScore(files.description, "Short game"));
}

INSTANTIATE_TEST_SUITE_P(Spread, PlayedMaze, testing::ValuesIn(test::kMazeNumbers));

TEST(MazeCache, AFileWithOneByteChangedIsMadeAgain) {
    const assets::MazeFiles files = assets::MakeMazeFiles(kCached, Classic());
    MazeRun run;
    ASSERT_EQ(run.Play("frames 5\n", kCached), 0) << run.Stderr();
    const std::string made = run.ReadFile(CacheFile(kCached, "maze02.bmp"));
    std::string damaged = made;
    damaged[damaged.size() / 2] ^= 0x10;
    run.WriteFile(CacheFile(kCached, "maze02.bmp"), damaged);
    ASSERT_EQ(run.Play(files.imperfectScript, kCached), 0) << run.Stderr();
    EXPECT_NE(run.Stderr().find("damaged"), std::string::npos) << run.Stderr();
    EXPECT_EQ(run.ReadFile(CacheFile(kCached, "maze02.bmp")), made);
    EXPECT_EQ(TopScore(run.ReadFile(MazeFolder(kCached) + "hiscore.dat")),
              FigureScore(files.description, "Short game"));
}

TEST(MazeCache, ACacheThatCannotBeWrittenStillPlaysAndTheLogSaysSo) {
    const assets::MazeFiles files = assets::MakeMazeFiles(kCached, Classic());
    MazeRun run;
    run.WriteFile("mazes", "a file where the cache's folder would be");
    ASSERT_EQ(run.Play(files.imperfectScript, kCached), 0) << run.Stderr();
    EXPECT_NE(run.Stderr().find("cannot write the maze cache"), std::string::npos) << run.Stderr();
    EXPECT_EQ(TopScore(run.ReadFile(MazeFolder(kCached) + "hiscore.dat")),
              FigureScore(files.description, "Short game"));
}

TEST(MazeChoice, TodaysMazeChosenInTheLauncherIsPlayedAndWonIntoItsOwnHallOfFame) {
    MazeRun run;
    // Today's chip, then Play; back in the launcher the same maze is still chosen.
    ASSERT_EQ(run.Run("frames 5\nclick 60 47\nclick 585 563\nframes 5\n", {"--program", "portico"}), 0) << run.Stderr();
    EXPECT_NE(run.Log().find(" --maze today "), std::string::npos) << run.Log();
    EXPECT_NE(run.ReadFile("options.ini").find("choice=today"), std::string::npos);
    const assets::MazeFiles files = assets::MakeMazeFiles(kRunnerToday, Classic());
    ASSERT_EQ(run.Run(files.perfectScript + "caption\n", {"--maze", "today"}, run.Folder(), "Stalkway"), 0)
        << run.Stderr();
    EXPECT_NE(run.Log().find(" - maze 20000101\n"), std::string::npos) << "the caption names the maze";
    EXPECT_EQ(TopScore(run.ReadFile(MazeFolder(kRunnerToday) + "hiscore.dat")),
              FigureScore(files.description, "Perfect route"));
    EXPECT_FALSE(fs::exists(run.Folder() + "/Stalkway/hiscore.dat")) << "not in the classic hall of fame";

    // Back in the launcher (as the game's Menu brings it), the same maze is still chosen and
    // remembered among the recent ones.
    ASSERT_EQ(run.Run("frames 5\nclick 585 563\nframes 5\n", {"--program", "portico"}), 0) << run.Stderr();
    EXPECT_NE(run.Log().find(" --maze today "), std::string::npos) << run.Log();
    EXPECT_NE(run.ReadFile("options.ini").find("recent=20000101"), std::string::npos) << run.ReadFile("options.ini");
}

TEST(MazeChoice, BadMazeValuesPrintTheUsageAndExit2) {
    MazeRun run;
    for (const char* bad : {"0", "-3", "100000000", "12x", ""}) {
        EXPECT_EQ(run.Run("frames 1\n", {"--maze", bad}, "", "Stalkway"), 2) << '"' << bad << '"';
        EXPECT_NE(run.Stderr().find("usage:"), std::string::npos) << bad;
    }
}

}  // namespace

// The hall of fame end to end, where it meets other games and a hostile or broken folder: games
// side by side, a damaged table, planted links and a folder that refuses writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "support/hall_of_fame_file.h"
#include "support/replay_run.h"

namespace {

namespace fs = std::filesystem;

std::string Generated(const std::string& name) {
    return test::ReadWholeFile(std::string(STALKWAY_BINARY_DIR) + "/game/scripts/" + name);
}

// A score from the maze's figures, e.g. "Perfect route: ... score 2214822".
int FigureScore(const std::string& line) {
    const std::string figures = Generated("maze.txt");
    const std::size_t start = figures.find(line);
    const std::size_t score = start == std::string::npos ? start : figures.find("score ", start);
    return score == std::string::npos ? -1 : std::stoi(figures.substr(score + 6));
}

bool Holds(const std::vector<test::HallOfFameEntry>& entries, int score) {
    return std::any_of(entries.begin(), entries.end(), [score](const auto& e) { return e.score == score; });
}

class HallOfFameFile : public ::testing::Test {
protected:
    void SetUp() override { run_.CopyGameData(); }

    std::vector<test::HallOfFameEntry> Stored() const {
        std::string why;
        auto entries = test::ParseHallOfFame(run_.ReadFile("hiscore.dat"), &why);
        EXPECT_TRUE(entries.has_value()) << why;
        return entries.value_or(std::vector<test::HallOfFameEntry>(20));
    }

    test::ReplayRun run_;
};

// Both games read the table at their new-game click, near the start, and save it at their finish,
// hundreds of moves later: writing back the table as it was read would lose the score of whichever
// game saved first.
TEST_F(HallOfFameFile, TwoGamesInOneFolderBothKeepTheirScores) {
    EXPECT_EQ(run_.RunTogether({Generated("perfect.script"), Generated("imperfect.script")}), (std::vector<int>{0, 0}));
    const auto stored = Stored();
    EXPECT_TRUE(Holds(stored, FigureScore("Perfect route:"))) << "the perfect game's";
    EXPECT_TRUE(Holds(stored, FigureScore("Short game"))) << "the short game's";
}

TEST_F(HallOfFameFile, ADamagedTableIsKeptAsideAndTheDebugLogSaysSo) {
    const std::string damaged = test::HallOfFameBytes({{"Old Timer:::Y", 99}}).substr(0, 5203);
    run_.WriteFile("hiscore.dat", damaged);
    ASSERT_EQ(run_.Run(Generated("imperfect.script")), 0);
    EXPECT_EQ(run_.ReadFile("hiscore.dat.damaged"), damaged);
    EXPECT_EQ(Stored()[0].score, FigureScore("Short game"));
    EXPECT_NE(run_.Log().find("stored-file hiscore.dat was damaged; kept as hiscore.dat.damaged"), std::string::npos)
        << run_.Log();
}

TEST_F(HallOfFameFile, PlantedLinksLeaveTheirTargetsUntouched) {
    const fs::path target = fs::path(run_.Folder()) / "title" / "elsewhere.txt";
    run_.WriteFile("title/elsewhere.txt", "someone else's file");
    for (const char* name : {"hiscore.dat.new", "winner.dat.new", "hiscore.dat.tmp", "winner.dat.tmp"})
        fs::create_symlink(target, fs::path(run_.Folder()) / name);
    ASSERT_EQ(run_.Run(Generated("perfect.script")), 0);
    EXPECT_EQ(run_.ReadFile("title/elsewhere.txt"), "someone else's file");
    EXPECT_EQ(Stored()[0].score, FigureScore("Perfect route:"));
    EXPECT_FALSE(fs::is_symlink(fs::path(run_.Folder()) / "hiscore.dat"));
    EXPECT_FALSE(fs::is_symlink(fs::path(run_.Folder()) / "winner.dat"));
}

// The notice is drawn in white at the bottom of the picture, under the character strip.
int WhitePixelsAtTheBottom(const test::Shot& shot) {
    int white = 0;
    for (int y = 580; y < 600; ++y)
        for (int x = 0; x < shot.width; ++x) white += (shot.At(x, y) & 0xF0F0F0) == 0xF0F0F0 ? 1 : 0;
    return white;
}

TEST_F(HallOfFameFile, AFailedSaveIsShownForAFewSecondsWithoutStoppingPlay) {
    const std::string script = Generated("imperfect.script") + "shot told\nframes 500\nshot later\n";
    ASSERT_EQ(run_.Run(script, {"--fail", "write"}), 0);
    EXPECT_NE(run_.Log().find("stored-file hiscore.dat could not be saved"), std::string::npos) << run_.Log();
    EXPECT_EQ(run_.Log().find("messagebox"), std::string::npos) << "play goes on";
    const test::Shot before = run_.LoadShot("imperfect-before");
    const test::Shot told = run_.LoadShot("told");
    const test::Shot later = run_.LoadShot("later");
    ASSERT_TRUE(before.Loaded() && told.Loaded() && later.Loaded());
    EXPECT_GT(WhitePixelsAtTheBottom(told), 200) << "a line of text";
    EXPECT_EQ(WhitePixelsAtTheBottom(later), WhitePixelsAtTheBottom(before)) << "and gone again";
}

}  // namespace

// Numbered mazes made from their number alone: the same bytes at every making, mazes that play as
// they must, and the numbers and days the programs take.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "assets/assets_support.h"
#include "maze/maze_digest.h"
#include "maze/maze_files.h"
#include "maze/maze_number.h"
#include "support/maze_numbers.h"

namespace {

using namespace assets;

const ClassicPictures& Classic() {
    static const std::optional<ClassicPictures> classic = ReadClassicPicturesIn(assets_test::DataFolder());
    if (!classic) throw std::runtime_error("the built data folder's pictures do not read");
    return *classic;
}

class NumberedMaze : public testing::TestWithParam<std::uint32_t> {};

TEST_P(NumberedMaze, IsMadeTheSameEveryTimeAndPlaysAsItMust) {
    const MazeFiles first = MakeMazeFiles(GetParam(), Classic());
    const MazeFiles second = MakeMazeFiles(GetParam(), Classic());
    EXPECT_TRUE(first.problems.empty()) << first.problems.front();
    ASSERT_EQ(first.pictures.size(), kMazePictureNames.size() + 1);
    for (std::size_t i = 0; i < first.pictures.size(); ++i)
        EXPECT_TRUE(first.pictures[i].bytes == second.pictures[i].bytes) << first.pictures[i].name;
    EXPECT_EQ(first.perfectScript, second.perfectScript);
    EXPECT_EQ(first.imperfectScript, second.imperfectScript);
    EXPECT_EQ(first.description, second.description);
    // Its own maze, not the classic one, and the digest holds every picture.
    EXPECT_FALSE(first.pictures[0].bytes == Bmp8(Classic().maze));
    const std::string digest(first.pictures.back().bytes.begin(), first.pictures.back().bytes.end());
    for (std::size_t i = 0; i < kMazePictureNames.size(); ++i)
        EXPECT_TRUE(DigestLists(digest, first.pictures[i].name, Fnv1a64(first.pictures[i].bytes)));
    // Pictures the game reads back as they were written.
    const auto maze = ReadBmp8(first.pictures[0].bytes);
    ASSERT_TRUE(maze.has_value());
    EXPECT_TRUE(Bmp8(*maze) == first.pictures[0].bytes);
    const auto background = ReadBmp16(first.pictures[1].bytes);
    ASSERT_TRUE(background.has_value());
    EXPECT_TRUE(Bmp16(*background) == first.pictures[1].bytes);
}

INSTANTIATE_TEST_SUITE_P(Spread, NumberedMaze, testing::ValuesIn(test::kMazeNumbers));

TEST(NumberedMaze, TheDigestNoLongerMatchesAFileWithOneByteChanged) {
    const MazeFiles files = MakeMazeFiles(test::kMazeNumbers[0], Classic());
    const std::string digest(files.pictures.back().bytes.begin(), files.pictures.back().bytes.end());
    for (std::size_t i = 0; i < kMazePictureNames.size(); ++i) {
        Bytes changed = files.pictures[i].bytes;
        changed[changed.size() / 2] ^= 1;
        EXPECT_FALSE(DigestLists(digest, files.pictures[i].name, Fnv1a64(changed))) << files.pictures[i].name;
        changed.pop_back();
        EXPECT_FALSE(DigestLists(digest, files.pictures[i].name, Fnv1a64(changed))) << "cut short";
    }
}

TEST(MazeNumbers, TheCommandLinesTakeClassicTodayAndNumbersInRangeOnly) {
    const struct {
        const char* text;
        std::optional<std::uint32_t> maze;
    } cases[] = {
        {"classic", 0},   {"today", 20261208},
        {"1", 1},         {"99999999", 99999999},
        {"00000042", 42}, {"0", {}},
        {"-3", {}},       {"100000000", {}},
        {"12x", {}},      {"", {}},
        {"+5", {}},       {" 5", {}},
        {"Classic", {}},  {"999999999", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseMazeChoice(c.text, 20261208), c.maze) << '"' << c.text << '"';
}

TEST(MazeNumbers, TodaysMazeIsTheDateInUtcClampedToTheYears2000To9999) {
    constexpr std::int64_t kDay = 86400;
    const struct {
        std::int64_t seconds;
        std::uint32_t maze;
        bool clamped;
    } cases[] = {
        {0, 20000101, true},                       // a clock left at 1970
        {-kDay * 400, 20000101, true},             // before 1970
        {946684800 - 1, 20000101, true},           // 1999-12-31 23:59:59
        {946684800, 20000101, false},              // 2000-01-01
        {1709164800 + kDay - 1, 20240229, false},  // the last second of a leap day
        {1796688000, 20261208, false},             // 2026-12-08 00:00
        {1796688000 + kDay - 1, 20261208, false},  // its last second
        {253402300799, 99991231, false},           // 9999-12-31 23:59:59
        {253402300800, 99991231, true},            // 10000-01-01
        {std::int64_t{1} << 62, 99991231, true},   // far beyond any calendar
    };
    for (const auto& c : cases) {
        const DayMaze day = MazeOfDay(c.seconds);
        EXPECT_EQ(day.number, c.maze) << c.seconds;
        EXPECT_EQ(day.clamped, c.clamped) << c.seconds;
    }
}

}  // namespace

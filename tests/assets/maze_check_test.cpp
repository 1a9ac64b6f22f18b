// The check of the maze picture finds each kind of fault it is there for.
#include <gtest/gtest.h>

#include <string>

#include "assets/assets_support.h"
#include "maze/maze_check.h"
#include "maze/maze_grid.h"
#include "maze/maze_picture.h"

namespace {

using namespace assets;

class MazeCheck : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string folder = assets_test::DataFolder() + "/";
        maze = assets_test::LoadIndexed(folder + "maze02.bmp");
        hilite = assets_test::LoadPicture(folder + "hilite2.bmp");
        nohilite = assets_test::LoadPicture(folder + "nohilite2.bmp");
        ASSERT_TRUE(CheckMazePicture(maze, hilite, nohilite).empty());
    }

    // Whether some problem mentions `words`.
    bool Finds(const std::string& words) const {
        for (const std::string& problem : CheckMazePicture(maze, hilite, nohilite))
            if (problem.find(words) != std::string::npos) return true;
        return false;
    }

    // The first pixel with this index, scanning from the top.
    std::pair<int, int> Find(int index) const {
        for (int y = 0; y < maze.height; ++y)
            for (int x = 0; x < maze.width; ++x)
                if (maze.At(x, y) == index) return {x, y};
        return {-1, -1};
    }

    IndexedPicture maze;
    RgbPicture hilite;
    RgbPicture nohilite;
};

TEST_F(MazeCheck, CorridorAndItemColoursThatBlock) {
    const Rgb soil = maze.palette[3];
    maze.palette[3] = {4, 2, 3};  // black once truncated
    EXPECT_TRUE(Finds("corridor or item colour 3 blocks"));
    maze.palette[3] = soil;
    maze.palette[kFirstKernelIndex + 9] = {252, 202, 46};  // 0xFE45 in 5-6-5 only
    EXPECT_TRUE(Finds("5-6-5: corridor or item colour 41 blocks"));
    EXPECT_FALSE(Finds("5-5-5: corridor or item colour 41"));
}

TEST_F(MazeCheck, RedBeyondTheStartBlock) {
    maze.palette[kFirstKernelIndex] = {250, 2, 6};
    EXPECT_TRUE(Finds("red pixels"));
    maze.palette[kFirstKernelIndex] = {250, 220, 40};
    hilite.At(100, 100) = {255, 0, 0};
    EXPECT_TRUE(Finds("panel picture holds the start's red"));
}

TEST_F(MazeCheck, CorridorsOffTheGridOrHalfOpen) {
    // A wall pixel beside a cell turned to soil widens that corridor to three pixels.
    const auto [x, y] = Find(kStartIndex);
    maze.At(x + 2, y + 2) = 3;
    EXPECT_TRUE(Finds("off the corridor grid"));
    maze.At(x + 2, y + 2) = kWallIndex;
    // One pixel of a passage walled up: the passage is neither open nor closed.
    for (int cell = 0; cell < CellGrid::kCells; ++cell) {
        const int px = CellGrid::PixelX(cell) + 3;
        const int py = CellGrid::PixelY(cell);
        if (CellGrid::InField(cell) && IsCorridorIndex(maze.At(px, py))) {
            maze.At(px, py) = kWallIndex;
            break;
        }
    }
    EXPECT_TRUE(Finds("partly open"));
}

TEST_F(MazeCheck, ItemsThatAreNotOneBlock) {
    const auto [x, y] = Find(kFirstKernelIndex + 5);
    maze.At(x, y) = kFirstKernelIndex + 6;
    EXPECT_TRUE(Finds("kernel index 37 is not one 2x2 cell"));
    EXPECT_TRUE(Finds("kernel index 38 is not one 2x2 cell"));
}

TEST_F(MazeCheck, APanelThatWouldNotEmptyOrDiffersFromTheMaze) {
    nohilite.At(10, 10) = kTransparent;
    EXPECT_TRUE(Finds("empty panel has transparent pixels"));
    EXPECT_TRUE(Finds("differs from the empty panel"));
    nohilite.At(10, 10) = maze.palette[maze.At(kPanelX + 10, kPanelY + 10)];
    hilite.At(kHiliteTiles[3].x + 1, kHiliteTiles[3].y + 1) = kTransparent;
    EXPECT_TRUE(Finds("hilite tile has transparent pixels"));
}

}  // namespace

// The maze model the generator checks its maze with: moves, the trail, items, the exit and
// stepping back, on small mazes laid out by hand on the generator's grid.
#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

#include "maze/maze_picture.h"
#include "maze/maze_rules.h"

namespace {

using namespace assets;

using Spot = std::pair<int, int>;  // column, row

int At(Spot s) { return CellGrid::Cell(s.first, s.second); }

const Rgb kTile{200, 160, 60};
const Rgb kBoard{100, 70, 40};

class HandMaze {
public:
    // Each path's cells are joined in turn; the first cell of the first path is the start.
    HandMaze(std::initializer_list<std::vector<Spot>> paths, Spot exit) {
        for (const std::vector<Spot>& path : paths)
            for (std::size_t i = 1; i < path.size(); ++i) layout_.grid.Join(At(path[i - 1]), At(path[i]));
        layout_.start = At(paths.begin()->front());
        layout_.exit = At(exit);
    }
    void Kernel(Spot s) { layout_.kernels.push_back(At(s)); }
    void Hilite(Spot s) { layout_.hilites.push_back(At(s)); }

    IndexedPicture Picture() const {
        IndexedPicture panel(kPanelWidth, kPanelHeight);
        panel.palette[0] = kBoard;
        return DrawMaze(layout_, panel, 1);
    }
    MazeRules Rules(PixelLayout layout = PixelLayout::Rgb565) const { return Rules(Picture(), layout); }
    static MazeRules Rules(const IndexedPicture& picture, PixelLayout layout = PixelLayout::Rgb565) {
        return MazeRules(picture, RgbPicture(kPanelWidth, kPanelHeight, kTile),
                         RgbPicture(kPanelWidth, kPanelHeight, kBoard), layout);
    }

private:
    MazeLayout layout_;
};

void ExpectAt(const MazeRules& game, Spot s, int dx = 0, int dy = 0) {
    EXPECT_EQ(game.PosX(), CellGrid::PixelX(At(s)) + dx);
    EXPECT_EQ(game.PosY(), CellGrid::PixelY(At(s)) + dy);
}

bool Red(const MazeRules& game, Spot s) {
    return game.MazePixel(CellGrid::PixelX(At(s)), CellGrid::PixelY(At(s))) == Pack(PixelLayout::Rgb565, 255, 0, 0);
}

// From the start, right, round two bends, to a junction; below it a dead end.
HandMaze Bends() {
    return HandMaze({{{0, 45}, {1, 45}, {2, 45}, {2, 46}, {2, 47}, {3, 47}, {4, 47}}, {{3, 47}, {3, 48}}}, {4, 47});
}

TEST(MazeRules, AMoveFollowsEveryBendAndStopsWhereTheWaysDivide) {
    MazeRules game = Bends().Rules();
    game.NewGameClicked();
    ExpectAt(game, {0, 45});
    ASSERT_TRUE(game.DirectionClicked(kRight));
    ExpectAt(game, {3, 47});
    EXPECT_EQ(game.AllowedMoves(), kRight | kDown);
    // Straight through a cell 6 steps; into a bend or junction 5, the sixth pixel unprobed and uncounted.
    EXPECT_EQ(game.MoveSteps(), 6 + 5 + 6 + 5 + 5);
    EXPECT_EQ(game.Score(), 27);
    EXPECT_TRUE(Red(game, {1, 45}));
    EXPECT_TRUE(Red(game, {2, 46}));
    EXPECT_FALSE(game.DirectionClicked(kLeft)) << "the way back is trail and not allowed";
}

TEST(MazeRules, ADeadEndAllowsNothingUntilBackUndoesTheMove) {
    MazeRules game = Bends().Rules();
    game.NewGameClicked();
    game.DirectionClicked(kRight);
    ASSERT_TRUE(game.DirectionClicked(kDown));
    ExpectAt(game, {3, 48});
    EXPECT_EQ(game.AllowedMoves(), 0);
    EXPECT_EQ(game.DeadEndRuns(), 1);
    for (int direction : kDirections) EXPECT_FALSE(game.DirectionClicked(direction));
    game.BackClicked();
    ExpectAt(game, {3, 47});
    EXPECT_EQ(game.Score(), 27);
    EXPECT_EQ(game.AllowedMoves(), kRight | kDown);
    EXPECT_FALSE(Red(game, {3, 48})) << "the undone move's trail is gone";
    game.BackClicked();
    EXPECT_FALSE(game.Playing()) << "backing out of the only move starts a new game, waiting";
    ExpectAt(game, {0, 45});
}

TEST(MazeRules, ABlockedDirectionRunsTheOnlyOpenWay) {
    MazeRules game = Bends().Rules();
    game.NewGameClicked();
    ASSERT_TRUE(game.DirectionClicked(kUp)) << "every direction is allowed at the start";
    ExpectAt(game, {3, 47});
}

TEST(MazeRules, APassageToTrailLooksOpenButEndsShortOfTheRedBlock) {
    // A square loop: round it, the last passage leads back to the trail.
    const HandMaze maze(
        {{{10, 50}, {11, 50}, {12, 50}, {13, 50}, {13, 49}, {12, 49}, {12, 50}}, {{12, 50}, {12, 51}, {12, 52}}},
        {12, 52});
    MazeRules game = maze.Rules();
    game.NewGameClicked();
    game.DirectionClicked(kRight);
    ExpectAt(game, {12, 50});
    EXPECT_EQ(game.AllowedMoves(), kRight | kUp | kDown);
    game.DirectionClicked(kRight);
    ExpectAt(game, {12, 49}, 0, 4);
    EXPECT_EQ(game.AllowedMoves(), 0);
}

TEST(MazeRules, ItemsScoreOnceAndAgainAfterAStepBack) {
    HandMaze maze({{{0, 60}, {1, 60}, {2, 60}, {3, 60}, {4, 60}}, {{2, 60}, {2, 61}}}, {2, 61});
    maze.Kernel({1, 60});
    maze.Hilite({3, 60});
    MazeRules game = maze.Rules();
    game.NewGameClicked();
    game.DirectionClicked(kRight);
    EXPECT_TRUE(game.KernelFound(0));
    EXPECT_EQ(game.Score(), 1000 + 6 + 5);
    game.DirectionClicked(kRight);
    EXPECT_TRUE(game.HiliteFound(0));
    EXPECT_EQ(game.Score(), 1011 + 100000 + 12);
    // The tile shows on the panel of both copies.
    const TileRect& tile = kHiliteTiles[0];
    const int x = kPanelX + tile.x + 3;
    const int y = kPanelY + tile.y + 3;
    EXPECT_EQ(game.MazePixel(x, y), Pack(PixelLayout::Rgb565, kTile));
    EXPECT_EQ(game.PristineMaze()[static_cast<std::size_t>(y) * kMazeSide + x], Pack(PixelLayout::Rgb565, kTile));
    game.BackClicked();
    EXPECT_TRUE(game.KernelFound(0));
    EXPECT_FALSE(game.HiliteFound(0));
    EXPECT_EQ(game.Score(), 1011) << "rebuilt from the kept move";
    EXPECT_EQ(game.MazePixel(x, y), Pack(PixelLayout::Rgb565, kBoard)) << "the panel is empty again";
}

TEST(MazeRules, TheExitDoublesTheScoreAFrameLaterAndEndsPlay) {
    HandMaze maze({{{0, 62}, {1, 62}, {2, 62}}}, {2, 62});
    maze.Kernel({1, 62});
    MazeRules game = maze.Rules();
    game.NewGameClicked();
    game.DirectionClicked(kRight);
    EXPECT_EQ(game.GoalState(), 1) << "items are missing";
    EXPECT_TRUE(game.FinishPending());
    EXPECT_TRUE(game.Playing());
    const int score = game.Score();
    game.Finish();
    EXPECT_EQ(game.Score(), 2 * score);
    EXPECT_FALSE(game.Playing());
    EXPECT_FALSE(game.DirectionClicked(kLeft));
}

TEST(MazeRules, ItemsAfterTheExitStillMakeAPerfectGame) {
    // Along row 40 and back along row 41 in one move; the run passes the exit with eleven kernels
    // still ahead and goes on to the end of the corridor.
    std::vector<Spot> path;
    for (int c = 0; c < 70; ++c) path.push_back({c, 40});
    for (int c = 69; c >= 0; --c) path.push_back({c, 41});
    HandMaze maze({path}, path[100]);
    for (int i = 0; i < 10; ++i) maze.Hilite(path[1 + i]);
    for (int k = 0; k < 100; ++k) maze.Kernel(path[k < 89 ? 11 + k : 12 + k]);
    MazeRules game = maze.Rules();
    game.NewGameClicked();
    game.DirectionClicked(kRight);
    ExpectAt(game, {0, 41});
    EXPECT_EQ(game.KernelsFound(), 100);
    EXPECT_EQ(game.HilitesFound(), 10);
    EXPECT_EQ(game.GoalState(), 2);
}

TEST(MazeRules, AnExaminationTakesTheFirstItemInReadingOrderAndStops) {
    IndexedPicture picture = Bends().Picture();
    const int x = CellGrid::PixelX(At({1, 45}));
    const int y = CellGrid::PixelY(At({1, 45}));
    picture.At(x + 1, y + 1) = kFirstKernelIndex + 7;  // read third
    picture.At(x, y + 1) = kFirstKernelIndex + 8;      // read last
    MazeRules game = HandMaze::Rules(picture);
    game.NewGame();
    game.ExamineBlock(x, y);
    EXPECT_TRUE(game.KernelFound(7));
    EXPECT_FALSE(game.KernelFound(8));
    game.ExamineBlock(x, y);
    EXPECT_FALSE(game.KernelFound(8)) << "a collected item still ends the examination";
    game.ExamineBlock(x - 1, y + 1);
    EXPECT_TRUE(game.KernelFound(8)) << "a block that reads it before the other";
}

TEST(MazeRules, TheGoldenWallValueBlocksOnlyAsAFiveSixFiveValue) {
    IndexedPicture picture = Bends().Picture();
    picture.palette[kBlackIndex] = {250, 201, 44};  // packs to 0xFE45 in 5-6-5
    const int x = CellGrid::PixelX(At({2, 45}));
    const int y = CellGrid::PixelY(At({2, 45}));
    picture.At(x + 2, y) = kBlackIndex;
    MazeRules wide = HandMaze::Rules(picture, PixelLayout::Rgb565);
    EXPECT_FALSE(wide.Passable(x + 2, y));
    MazeRules narrow = HandMaze::Rules(picture, PixelLayout::Rgb555);
    EXPECT_TRUE(narrow.Passable(x + 2, y));
}

}  // namespace

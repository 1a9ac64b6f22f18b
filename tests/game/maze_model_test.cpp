// Moves on small hand-made mazes: how corridors are followed, where a move stops, what it
// collects and how stepping back rebuilds the game. Pictures are drawn one character a pixel.
#include <gtest/gtest.h>

#include "game/maze_fixture.h"
#include "game/maze_screen.h"
#include "platform/ddraw/ddraw_surface.h"

namespace maze_test {
namespace {

using Sounds = std::vector<std::string>;

// A corridor with three bends and a dead end at its far end.
const std::vector<std::string> kBends = {
    "#############", "#SS......####", "#SS......####", "#######..####", "#######..#..#",
    "#######..#..#", "#######..#..#", "#######.....#", "#######.....#", "#############",
};

TEST_F(MazeFixture, AMoveFollowsEveryBendToTheDeadEnd) {
    ASSERT_TRUE(Load(kBends));
    EXPECT_EQ(model.PosX(), 1);
    EXPECT_EQ(model.PosY(), 1);
    TakeSounds();
    EXPECT_EQ(model.Run(kRight), 0);
    EXPECT_EQ(model.AllowedMoves(), 0);
    EXPECT_EQ(model.PosX(), 10);
    EXPECT_EQ(model.PosY(), 4);
    EXPECT_EQ(model.MoveSteps(), 15) << "5 right, 5 down, 2 right, 3 up; alignment steps uncounted";
    EXPECT_EQ(game.GetScore(), 15);
    EXPECT_EQ(TakeSounds(), Sounds{"nomove"});
    // Every pixel walked over is trail, the block stood on is green.
    EXPECT_EQ(Maze(1, 1), kTrail);
    EXPECT_EQ(Maze(8, 2), kTrail);
    EXPECT_EQ(Maze(7, 6), kTrail);
    EXPECT_EQ(Maze(11, 8), kTrail);
    EXPECT_EQ(Maze(10, 4), kPlayer);
    EXPECT_EQ(Maze(11, 5), kPlayer);
    EXPECT_NE(Backup(8, 2), kTrail) << "the pristine copy is never painted";
}

// The maze picture knows how little of it a straight run changed: its corridor, not all of it (a lock
// for each step's two pixels made it count as changed all over past a few dozen steps).
TEST_F(MazeFixture, AStraightRunChangesTheMazeOnlyAlongItsCorridor) {
    std::vector<std::string> rows(6, std::string(70, '#'));
    rows[2].replace(1, 66, "SS" + std::string(64, '.'));
    rows[3].replace(1, 66, "SS" + std::string(64, '.'));
    ASSERT_TRUE(Load(rows));
    auto* maze = dynamic_cast<platform::DdSurface*>(g_MazeScreen.PictureSurface("maze"));
    ASSERT_NE(maze, nullptr);
    maze->TakeChangedAreas();
    model.Run(kRight);
    EXPECT_EQ(model.MoveSteps(), 64);
    EXPECT_EQ(Maze(40, 3), kTrail);
    const std::vector<RECT> areas = maze->TakeChangedAreas();
    EXPECT_LE(areas.size(), 4u);
    for (const RECT& area : areas)
        EXPECT_TRUE(area.left >= 1 && area.right <= 67 && area.top >= 2 && area.bottom <= 4)
            << area.left << "," << area.top << " to " << area.right << "," << area.bottom;
}

TEST_F(MazeFixture, AtAJunctionTheBlockLandsAlignedPastTheLastCountedStep) {
    ASSERT_TRUE(Load({
        "#############",
        "#SS.........#",
        "#SS.........#",
        "#######..####",
        "#######..####",
        "#############",
    }));
    EXPECT_EQ(model.Run(kRight), kRight | kDown);
    EXPECT_EQ(model.MoveSteps(), 5);
    EXPECT_EQ(model.PosX(), 7) << "one counted step into the opening, one uncounted alignment step";
    EXPECT_EQ(model.PosY(), 1);
}

TEST_F(MazeFixture, TheWayBackCanBeNamedBySideBitAndThenStepsNothing) {
    const std::vector<std::string> notched = {
        "########", "#..#####", "#...####", "#..SSSS#", "#..SSSS#", "########",
    };
    ASSERT_TRUE(Load(notched));
    model.SetPosition(1, 3);
    EXPECT_EQ(model.ProbeMoves(kLeft | kUp | kDown), kUp | kRight) << "right, beside the opening upwards";
    EXPECT_EQ(model.Run(kRight), kUp | kRight);
    EXPECT_EQ(model.MoveSteps(), 0);
    EXPECT_EQ(model.PosX(), 1);
}

TEST_F(MazeFixture, AfterSteppingNothingTheRunGoesOnWhenOneWayIsOpen) {
    ASSERT_TRUE(Load({
        "########",
        "#..#####",
        "#..#####",
        "#..SSSS#",
        "#..SSSS#",
        "########",
    }));
    model.SetPosition(1, 3);
    EXPECT_EQ(model.Run(kRight), 0);
    EXPECT_EQ(model.PosY(), 1);
    EXPECT_EQ(model.MoveSteps(), 2);
}

TEST_F(MazeFixture, BlueAndTheBlockingValueAreWalls) {
    ASSERT_TRUE(Load({
        "##########",
        "#SS..F...#",
        "#SS......#",
        "##########",
    }));
    model.Run(kRight);
    EXPECT_EQ(model.PosX(), 3);
    ASSERT_TRUE(Load({
        "##########",
        "#SS...B..#",
        "#SS......#",
        "##########",
    }));
    model.Run(kRight);
    EXPECT_EQ(model.PosX(), 4);
}

TEST_F(MazeFixture, AnItemInTheParallelCorridorIsCollectedByASideProbe) {
    ASSERT_TRUE(Load({
        "##########",
        "#SS......#",
        "#SS......#",
        "##########",
        "#.....0..#",
        "#........#",
        "##########",
    }));
    model.SetBellEnabled(1);
    TakeSounds();
    model.Run(kRight);
    EXPECT_TRUE(model.KernelFound(0));
    EXPECT_EQ(game.GetScore(), 1000 + 6);
    EXPECT_EQ(TakeSounds(), (Sounds{"bell", "nomove"}));
}

TEST_F(MazeFixture, AnExaminationStopsAtTheFirstItemItReads) {
    ASSERT_TRUE(Load({
        "########",
        "#SS12..#",
        "#SS....#",
        "########",
    }));
    model.ExamineBlock(3, 1);
    EXPECT_TRUE(model.KernelFound(1));
    EXPECT_FALSE(model.KernelFound(2));
    // A collected item still ends the examination: the second kernel stays where it is.
    model.ExamineBlock(3, 1);
    EXPECT_FALSE(model.KernelFound(2));
    EXPECT_EQ(game.GetScore(), 1000);
}

// The exit is read first and counts; the kernel beside it ends the examination before the finish
// is marked. Only a block without an item marks it.
TEST_F(MazeFixture, AnExitBesideAnItemCountsButOnlyAnEmptyBlockMarksTheFinish) {
    ASSERT_TRUE(Load({
        "########",
        "#SSE1..#",
        "#SSE...#",
        "########",
    }));
    model.ExamineBlock(3, 1);
    EXPECT_EQ(model.GoalState(), kGoalReached);
    EXPECT_TRUE(model.KernelFound(1));
    EXPECT_FALSE(model.FinishPending());
    model.ExamineBlock(3, 1);
    EXPECT_FALSE(model.FinishPending()) << "a collected kernel still ends the examination";
    model.ExamineBlock(2, 1);
    EXPECT_TRUE(model.FinishPending());
}

TEST_F(MazeFixture, AHilitePassedByAMoveShowsAtOnceAndTheMoveGoesOn) {
    std::vector<std::string> big(240, std::string(400, '#'));
    big[235].replace(1, 12, "SS....d.....");
    big[236].replace(1, 12, "SS..........");
    ASSERT_TRUE(Load(big));
    const int grey = Maze(28 + 230, 28 + 10);
    model.Run(kRight);
    EXPECT_TRUE(model.HiliteFound(3));
    EXPECT_NE(Maze(28 + 230, 28 + 10), grey) << "the tile is drawn in the middle of the move";
    EXPECT_EQ(model.PosX(), 11);
    EXPECT_EQ(Maze(10, 235), kTrail);
    EXPECT_EQ(Maze(12, 236), kPlayer);
}

TEST_F(MazeFixture, PassingTheExitMarksTheFinishAndTheRunGoesOn) {
    const std::vector<std::string> exitMaze = {
        "###########",
        "#SS..E....#",
        "#SS.......#",
        "###########",
    };
    ASSERT_TRUE(Load(exitMaze));
    model.Run(kRight);
    EXPECT_EQ(model.PosX(), 8) << "on to the end of the corridor";
    EXPECT_EQ(model.GoalState(), kGoalReached);
    EXPECT_TRUE(model.FinishPending());

    ASSERT_TRUE(Load(exitMaze));
    for (int hilite = 0; hilite < MazeModel::kHilites; ++hilite) model.MarkHilite(hilite);
    for (int kernel = 0; kernel < MazeModel::kKernels; ++kernel) model.MarkKernel(kernel);
    model.Run(kRight);
    EXPECT_EQ(model.GoalState(), kGoalPerfect) << "every item collected";
}

// Two moves: the first collects a kernel, the second goes on to a dead end.
const std::vector<std::string> kTwoMoves = {
    "#############", "#SS..3.....##", "#SS........##", "#######..####", "#######..####", "#############",
};

TEST_F(MazeFixture, SteppingBackReplaysTheKeptMovesAndScoresThemAgain) {
    ASSERT_TRUE(Load(kTwoMoves));
    model.Run(kRight);
    model.AddHistory(kRight, model.MoveSteps());
    const int firstScore = game.GetScore();
    ASSERT_TRUE(model.KernelFound(3));
    model.Run(kRight);
    model.AddHistory(kRight, model.MoveSteps());
    ASSERT_NE(game.GetScore(), firstScore);
    EXPECT_EQ(Maze(10, 1), kPlayer);

    model.SetBellEnabled(0);
    TakeSounds();
    model.StepBack();
    EXPECT_EQ(model.HistoryCount(), 1);
    EXPECT_EQ(game.GetScore(), firstScore);
    EXPECT_TRUE(model.KernelFound(3)) << "collected again by the replay";
    EXPECT_EQ(model.PosX(), 7);
    EXPECT_NE(Maze(10, 1), kPlayer) << "the undone move's trail is gone";
    EXPECT_NE(Maze(10, 1), kTrail);
    EXPECT_EQ(Maze(8, 1), kPlayer);
    EXPECT_EQ(Maze(3, 1), kTrail);
    EXPECT_EQ(TakeSounds(), Sounds{}) << "the replay is silent";
}

TEST_F(MazeFixture, SteppingBackTheOnlyMoveStartsANewGame) {
    ASSERT_TRUE(Load(kTwoMoves));
    game.SetPlayState(kPlaying);
    model.Run(kRight);
    model.AddHistory(kRight, model.MoveSteps());
    model.StepBack();
    EXPECT_EQ(game.GetPlayState(), kWaiting);
    EXPECT_EQ(game.GetScore(), 0);
    EXPECT_EQ(model.HistoryCount(), 0);
    EXPECT_EQ(model.PosX(), 1);
    EXPECT_FALSE(model.KernelFound(3));
    EXPECT_EQ(model.AllowedMoves(), kAllDirections);
}

TEST_F(MazeFixture, AHiliteShowsItsTileInBothCopiesUntilThePanelIsCleared) {
    std::vector<std::string> big(240, std::string(400, '#'));
    big[235].replace(1, 4, "SS..");
    big[236].replace(1, 4, "SS..");
    ASSERT_TRUE(Load(big));
    const int grey = Maze(28 + 230, 28 + 10);
    model.MarkHilite(3);
    EXPECT_EQ(game.GetScore(), 100000);
    // Tile 3 lies at (222, 0, 64 x 94) of the tiles and shows 28 pixels further in.
    EXPECT_NE(Maze(28 + 230, 28 + 10), grey);
    EXPECT_EQ(Backup(28 + 230, 28 + 10), Maze(28 + 230, 28 + 10));
    EXPECT_EQ(Maze(28 + 300, 28 + 10), grey) << "the next tile stays empty";
    model.MarkHilite(3);
    EXPECT_EQ(game.GetScore(), 100000) << "collected once";
    model.MarkHilite(-1);
    EXPECT_EQ(Maze(28 + 230, 28 + 10), grey);
    EXPECT_EQ(Backup(28 + 230, 28 + 10), grey);
    EXPECT_FALSE(model.HiliteFound(3));
}

}  // namespace
}  // namespace maze_test

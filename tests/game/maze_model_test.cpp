// Moves on small hand-made mazes: how corridors are followed, where a move stops, what it
// collects and how stepping back rebuilds the game. Pictures are drawn one character a pixel.
#include <gtest/gtest.h>

#include "game/maze_fixture.h"

namespace maze_test {
namespace {

using Sounds = std::vector<std::string>;

// A corridor with three bends and a dead end at its far end.
const std::vector<std::string> kBends = {
    "#############",
    "#SS......####",
    "#SS......####",
    "#######..####",
    "#######..#..#",
    "#######..#..#",
    "#######..#..#",
    "#######.....#",
    "#######.....#",
    "#############",
};

TEST_F(MazeFixture, AMoveFollowsEveryBendToTheDeadEnd) {
    ASSERT_TRUE(Load(kBends));
    EXPECT_EQ(game.posX, 1);
    EXPECT_EQ(game.posY, 1);
    TakeSounds();
    EXPECT_EQ(game.Run(kRight), 0);
    EXPECT_EQ(game.allowedMoves, 0);
    EXPECT_EQ(game.posX, 10);
    EXPECT_EQ(game.posY, 4);
    EXPECT_EQ(game.moveSteps, 15) << "5 right, 5 down, 2 right, 3 up; alignment steps uncounted";
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

TEST_F(MazeFixture, AtAJunctionTheBlockLandsAlignedPastTheLastCountedStep) {
    ASSERT_TRUE(Load({
        "#############",
        "#SS.........#",
        "#SS.........#",
        "#######..####",
        "#######..####",
        "#############",
    }));
    EXPECT_EQ(game.Run(kRight), kRight | kDown);
    EXPECT_EQ(game.moveSteps, 5);
    EXPECT_EQ(game.posX, 7) << "one counted step into the opening, one uncounted alignment step";
    EXPECT_EQ(game.posY, 1);
}

TEST_F(MazeFixture, TheWayBackCanBeNamedBySideBitAndThenStepsNothing) {
    const std::vector<std::string> notched = {
        "########",
        "#..#####",
        "#...####",
        "#..SSSS#",
        "#..SSSS#",
        "########",
    };
    ASSERT_TRUE(Load(notched));
    game.posX = 1;
    game.posY = 3;
    EXPECT_EQ(game.ProbeMoves(kLeft | kUp | kDown), kUp | kRight) << "right, beside the opening upwards";
    EXPECT_EQ(game.Run(kRight), kUp | kRight);
    EXPECT_EQ(game.moveSteps, 0);
    EXPECT_EQ(game.posX, 1);
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
    game.posX = 1;
    game.posY = 3;
    EXPECT_EQ(game.Run(kRight), 0);
    EXPECT_EQ(game.posY, 1);
    EXPECT_EQ(game.moveSteps, 2);
}

TEST_F(MazeFixture, BlueAndTheBlockingValueAreWalls) {
    ASSERT_TRUE(Load({
        "##########",
        "#SS..F...#",
        "#SS......#",
        "##########",
    }));
    game.Run(kRight);
    EXPECT_EQ(game.posX, 3);
    ASSERT_TRUE(Load({
        "##########",
        "#SS...B..#",
        "#SS......#",
        "##########",
    }));
    game.Run(kRight);
    EXPECT_EQ(game.posX, 4);
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
    game.bellEnabled = 1;
    TakeSounds();
    game.Run(kRight);
    EXPECT_EQ(game.kernelFound[0], 1);
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
    game.ExamineBlock(3, 1);
    EXPECT_EQ(game.kernelFound[1], 1);
    EXPECT_EQ(game.kernelFound[2], 0);
    // A collected item still ends the examination: the second kernel stays where it is.
    game.ExamineBlock(3, 1);
    EXPECT_EQ(game.kernelFound[2], 0);
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
    game.ExamineBlock(3, 1);
    EXPECT_EQ(game.goalState, kGoalReached);
    EXPECT_EQ(game.kernelFound[1], 1);
    EXPECT_EQ(g_finishPending, 0);
    game.ExamineBlock(3, 1);
    EXPECT_EQ(g_finishPending, 0) << "a collected kernel still ends the examination";
    game.ExamineBlock(2, 1);
    EXPECT_EQ(g_finishPending, 1);
}

TEST_F(MazeFixture, AHilitePassedByAMoveShowsAtOnceAndTheMoveGoesOn) {
    std::vector<std::string> big(240, std::string(400, '#'));
    big[235].replace(1, 12, "SS....d.....");
    big[236].replace(1, 12, "SS..........");
    ASSERT_TRUE(Load(big));
    const int grey = Maze(28 + 230, 28 + 10);
    game.Run(kRight);
    EXPECT_EQ(game.hiliteFound[3], 1);
    EXPECT_NE(Maze(28 + 230, 28 + 10), grey) << "the tile is drawn in the middle of the move";
    EXPECT_EQ(game.posX, 11);
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
    game.Run(kRight);
    EXPECT_EQ(game.posX, 8) << "on to the end of the corridor";
    EXPECT_EQ(game.goalState, kGoalReached);
    EXPECT_EQ(g_finishPending, 1);

    ASSERT_TRUE(Load(exitMaze));
    for (int& found : game.hiliteFound) found = 1;
    for (int& found : game.kernelFound) found = 1;
    game.Run(kRight);
    EXPECT_EQ(game.goalState, kGoalPerfect) << "every item collected";
}

// Two moves: the first collects a kernel, the second goes on to a dead end.
const std::vector<std::string> kTwoMoves = {
    "#############",
    "#SS..3.....##",
    "#SS........##",
    "#######..####",
    "#######..####",
    "#############",
};

TEST_F(MazeFixture, SteppingBackReplaysTheKeptMovesAndScoresThemAgain) {
    ASSERT_TRUE(Load(kTwoMoves));
    game.Run(kRight);
    game.AddHistory(kRight, game.moveSteps);
    const int firstScore = game.GetScore();
    ASSERT_EQ(game.kernelFound[3], 1);
    game.Run(kRight);
    game.AddHistory(kRight, game.moveSteps);
    ASSERT_NE(game.GetScore(), firstScore);
    EXPECT_EQ(Maze(10, 1), kPlayer);

    game.bellEnabled = 0;
    TakeSounds();
    game.StepBack();
    EXPECT_EQ(game.history->Count(), 1);
    EXPECT_EQ(game.GetScore(), firstScore);
    EXPECT_EQ(game.kernelFound[3], 1) << "collected again by the replay";
    EXPECT_EQ(game.posX, 7);
    EXPECT_NE(Maze(10, 1), kPlayer) << "the undone move's trail is gone";
    EXPECT_NE(Maze(10, 1), kTrail);
    EXPECT_EQ(Maze(8, 1), kPlayer);
    EXPECT_EQ(Maze(3, 1), kTrail);
    EXPECT_EQ(TakeSounds(), Sounds{}) << "the replay is silent";
}

TEST_F(MazeFixture, SteppingBackTheOnlyMoveStartsANewGame) {
    ASSERT_TRUE(Load(kTwoMoves));
    game.SetPlayState(kPlaying);
    game.Run(kRight);
    game.AddHistory(kRight, game.moveSteps);
    game.StepBack();
    EXPECT_EQ(game.GetPlayState(), kWaiting);
    EXPECT_EQ(game.GetScore(), 0);
    EXPECT_EQ(game.history->Count(), 0);
    EXPECT_EQ(game.posX, 1);
    EXPECT_EQ(game.kernelFound[3], 0);
    EXPECT_EQ(game.allowedMoves, kAllDirections);
}

TEST_F(MazeFixture, AHiliteShowsItsTileInBothCopiesUntilThePanelIsCleared) {
    std::vector<std::string> big(240, std::string(400, '#'));
    big[235].replace(1, 4, "SS..");
    big[236].replace(1, 4, "SS..");
    ASSERT_TRUE(Load(big));
    const int grey = Maze(28 + 230, 28 + 10);
    game.MarkHilite(3);
    EXPECT_EQ(game.GetScore(), 100000);
    // Tile 3 lies at (222, 0, 64 x 94) of the tiles and shows 28 pixels further in.
    EXPECT_NE(Maze(28 + 230, 28 + 10), grey);
    EXPECT_EQ(Backup(28 + 230, 28 + 10), Maze(28 + 230, 28 + 10));
    EXPECT_EQ(Maze(28 + 300, 28 + 10), grey) << "the next tile stays empty";
    game.MarkHilite(3);
    EXPECT_EQ(game.GetScore(), 100000) << "collected once";
    game.MarkHilite(-1);
    EXPECT_EQ(Maze(28 + 230, 28 + 10), grey);
    EXPECT_EQ(Backup(28 + 230, 28 + 10), grey);
    EXPECT_EQ(game.hiliteFound[3], 0);
}

}  // namespace
}  // namespace maze_test

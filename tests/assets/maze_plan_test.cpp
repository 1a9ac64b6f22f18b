// The maze planner and what it works out on cells: the route is a path the player can walk whole,
// the items lie on it, and the fewest moves and dead ends are counted as the game's moves count.
#include <gtest/gtest.h>

#include <algorithm>
#include <queue>
#include <set>

#include "maze/maze_builder.h"
#include "maze/maze_figures.h"
#include "maze/maze_play.h"

namespace {

using namespace assets;

TEST(MazePlan, TheRouteIsASimplePathFromADeadEndStartToAnExitOnTheBottomEdge) {
    MazePlan plan;
    plan.seed = 4;
    plan.stirMoves = 20000;
    const MazeLayout maze = BuildMaze(plan);
    const std::vector<int>& route = maze.route;
    ASSERT_GT(route.size(), 1000u);
    EXPECT_EQ(route.front(), maze.start);
    EXPECT_EQ(route.back(), maze.exit);
    EXPECT_EQ(maze.grid.Degree(maze.start), 1);
    EXPECT_EQ(maze.grid.Degree(maze.exit), 1);
    EXPECT_EQ(CellGrid::Row(maze.exit), CellGrid::kRows - 1);
    std::set<int> seen;
    for (std::size_t i = 0; i < route.size(); ++i) {
        EXPECT_TRUE(CellGrid::InField(route[i]));
        EXPECT_TRUE(seen.insert(route[i]).second) << "cell " << route[i] << " twice";
        if (i > 0) {
            EXPECT_TRUE(maze.grid.Joined(route[i - 1], route[i])) << i;
        }
    }
}

TEST(MazePlan, EveryCellCanBeReachedAndNoPassageLeavesTheField) {
    MazePlan plan;
    plan.seed = 9;
    plan.stirMoves = 20000;
    const MazeLayout maze = BuildMaze(plan);
    std::vector<bool> reached(CellGrid::kCells, false);
    std::queue<int> queue;
    queue.push(maze.start);
    reached[maze.start] = true;
    int count = 0;
    while (!queue.empty()) {
        const int cell = queue.front();
        queue.pop();
        ++count;
        for (int direction : kDirections) {
            if (!maze.grid.Open(cell, direction)) continue;
            const int next = CellGrid::Neighbour(cell, direction);
            ASSERT_GE(next, 0) << "a passage out of the field";
            if (!reached[next]) {
                reached[next] = true;
                queue.push(next);
            }
        }
    }
    int field = 0;
    for (int cell = 0; cell < CellGrid::kCells; ++cell) field += CellGrid::InField(cell);
    EXPECT_EQ(count, field);
}

TEST(MazePlan, ItemsLieOnDistinctInnerRouteCellsWithTheLettersInRouteOrder) {
    MazePlan plan;
    plan.seed = 2;
    plan.stirMoves = 20000;
    const MazeLayout maze = BuildMaze(plan);
    ASSERT_EQ(maze.kernels.size(), 100u);
    ASSERT_EQ(maze.hilites.size(), 10u);
    const std::vector<int> places = RoutePlaces(maze.route);
    std::set<int> cells;
    for (const std::vector<int>* items : {&maze.kernels, &maze.hilites})
        for (int cell : *items) {
            EXPECT_GT(places[cell], 0);
            EXPECT_LT(places[cell], static_cast<int>(maze.route.size()) - 1);
            cells.insert(cell);
        }
    EXPECT_EQ(cells.size(), 110u);
    for (std::size_t i = 1; i < maze.hilites.size(); ++i)
        EXPECT_LT(places[maze.hilites[i - 1]], places[maze.hilites[i]]);
}

// Two ways from a start to an exit on row 60: a straight one with three side branches, and a
// longer detour through row 62 without any.
MazeLayout TwoWays() {
    MazeLayout maze;
    auto cell = [](int c, int r) { return CellGrid::Cell(c, r); };
    for (int c = 0; c < 9; ++c) maze.grid.Join(cell(c, 60), cell(c + 1, 60));
    for (int c : {2, 4, 6}) maze.grid.Join(cell(c, 60), cell(c, 59));  // dead ends, one cell each
    maze.grid.Join(cell(0, 60), cell(0, 61));
    maze.grid.Join(cell(0, 61), cell(0, 62));
    for (int c = 0; c < 9; ++c) maze.grid.Join(cell(c, 62), cell(c + 1, 62));
    maze.grid.Join(cell(9, 62), cell(9, 61));
    maze.grid.Join(cell(9, 61), cell(9, 60));
    maze.grid.Join(cell(9, 60), cell(10, 60));
    maze.start = cell(0, 59);
    maze.grid.Join(maze.start, cell(0, 60));
    maze.exit = cell(10, 60);
    for (int c = 0; c <= 8; ++c) maze.route.push_back(cell(c, 60));
    maze.route.insert(maze.route.begin(), maze.start);
    maze.route.push_back(cell(9, 60));
    maze.route.push_back(maze.exit);
    return maze;
}

TEST(MazeFigures, TheFewestMovesMayTakeTheLongerWay) {
    const MazeLayout maze = TwoWays();
    // The straight way stops at (0,60), at each branch and at (9,60)...
    EXPECT_EQ(MovesAlong(maze.grid, maze.route), 1 + 1 + 3 + 1);
    const MazeFigures figures = MeasureMaze(maze);
    // ...the detour only at (0,60) and (9,60).
    EXPECT_EQ(figures.shortestMoves, 3);
    EXPECT_EQ(CellGrid::Row(figures.shortestRoute[3]), 62);
    EXPECT_EQ(figures.routeJunctions, 5);
    // The three branches, and at (9,60) the detour, which leads back to the trail; only at (0,60)
    // does the wrong way go on to the exit.
    EXPECT_EQ(figures.routeJunctionsWithDeadEnd, 4);
}

TEST(MazeFigures, WrongTurnsAreTakenAtJunctionsWithADeadEndAndTakenBack) {
    const MazeLayout maze = TwoWays();
    const std::vector<Click> clicks = ClicksWithWrongTurns(maze.grid, maze.route, 2);
    int wrong = 0;
    for (std::size_t i = 0; i < clicks.size(); ++i)
        if (clicks[i].kind == Click::Kind::Direction && clicks[i].endsAt == kDeadEnd) {
            ++wrong;
            EXPECT_EQ(clicks[i].direction, kUp) << "into a branch";
            ASSERT_LT(i + 1, clicks.size());
            EXPECT_EQ(clicks[i + 1].kind, Click::Kind::Back);
        }
    EXPECT_EQ(wrong, 2);
}

}  // namespace

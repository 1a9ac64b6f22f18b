#include "maze/maze_figures.h"

#include <algorithm>
#include <deque>
#include <limits>
#include <set>

namespace assets {

namespace {

std::vector<int> FewestMovesRoute(const CellGrid& grid, int start, int exit) {
    // 0-1 breadth-first search: entering a junction costs a move, anything else nothing.
    constexpr int kFar = std::numeric_limits<int>::max();
    std::vector<int> cost(CellGrid::kCells, kFar);
    std::vector<int> from(CellGrid::kCells, -1);
    std::deque<int> queue{start};
    cost[start] = 1;
    while (!queue.empty()) {
        const int cell = queue.front();
        queue.pop_front();
        if (cell == exit) break;
        for (int direction : kDirections) {
            if (!grid.Open(cell, direction)) continue;
            const int next = CellGrid::Neighbour(cell, direction);
            const int step = next != exit && grid.Degree(next) >= 3 ? 1 : 0;
            if (cost[cell] + step >= cost[next]) continue;
            cost[next] = cost[cell] + step;
            from[next] = cell;
            if (step == 0) queue.push_front(next);
            else queue.push_back(next);
        }
    }
    std::vector<int> route;
    if (cost[exit] == kFar) return route;
    for (int cell = exit; cell != -1; cell = from[cell]) route.push_back(cell);
    std::reverse(route.begin(), route.end());
    return route;
}

void CountRegions(const MazeLayout& maze, MazeFigures& figures) {
    constexpr int kSide = 7;
    std::set<int> field;
    std::set<int> withItems;
    auto region = [](int cell) { return CellGrid::Row(cell) / kSide * 100 + CellGrid::Column(cell) / kSide; };
    for (int cell = 0; cell < CellGrid::kCells; ++cell)
        if (CellGrid::InField(cell)) field.insert(region(cell));
    for (int cell : maze.kernels) withItems.insert(region(cell));
    for (int cell : maze.hilites) withItems.insert(region(cell));
    figures.regions = static_cast<int>(field.size());
    figures.regionsWithItems = static_cast<int>(withItems.size());
}

}  // namespace

std::vector<int> RoutePlaces(const std::vector<int>& route) {
    std::vector<int> places(CellGrid::kCells, -1);
    for (std::size_t i = 0; i < route.size(); ++i) places[route[i]] = static_cast<int>(i);
    return places;
}

bool RunsIntoDeadEnd(const CellGrid& grid, const std::vector<int>& places, int at, int cell, int direction) {
    for (;;) {
        const int next = CellGrid::Neighbour(cell, direction);
        if (places[next] >= 0 && places[next] <= at) return true;  // its passage ends at red trail
        const int ways = grid.Ways(next) & ~ReverseOf(direction);
        const int count = DirectionCount(ways);
        if (count == 0) return true;
        if (count >= 2) return false;
        cell = next;
        direction = ways;
    }
}

int MovesAlong(const CellGrid& grid, const std::vector<int>& route) {
    int moves = route.empty() ? 0 : 1;
    for (std::size_t i = 1; i + 1 < route.size(); ++i) moves += grid.Degree(route[i]) >= 3;
    return moves;
}

MazeFigures MeasureMaze(const MazeLayout& maze) {
    MazeFigures figures;
    const CellGrid& grid = maze.grid;
    int passageEnds = 0;
    for (int cell = 0; cell < CellGrid::kCells; ++cell) {
        if (!CellGrid::InField(cell)) continue;
        ++figures.cells;
        const int degree = grid.Degree(cell);
        passageEnds += degree;
        figures.junctions += degree >= 3;
        figures.deadEnds += degree == 1;
    }
    figures.loops = passageEnds / 2 - (figures.cells - 1);
    figures.perfectMoves = MovesAlong(grid, maze.route);

    const std::vector<int> place = RoutePlaces(maze.route);
    for (std::size_t i = 1; i + 1 < maze.route.size(); ++i) {
        const int cell = maze.route[i];
        if (grid.Degree(cell) < 3) continue;
        ++figures.routeJunctions;
        const int used = CellGrid::DirectionTo(cell, maze.route[i - 1]) |
                         CellGrid::DirectionTo(cell, maze.route[i + 1]);
        for (int direction : kDirections) {
            if ((used & direction) || !grid.Open(cell, direction)) continue;
            if (RunsIntoDeadEnd(grid, place, static_cast<int>(i), cell, direction)) {
                ++figures.routeJunctionsWithDeadEnd;
                break;
            }
        }
    }
    figures.shortestRoute = FewestMovesRoute(grid, maze.start, maze.exit);
    figures.shortestMoves = MovesAlong(grid, figures.shortestRoute);
    CountRegions(maze, figures);
    return figures;
}

}  // namespace assets

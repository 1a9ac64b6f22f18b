#include "maze/maze_builder.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "maze/rng.h"

namespace assets {

namespace {

// The cells the panel keeps free, as an inclusive rectangle of columns and rows.
struct Hole {
    int left = CellGrid::kColumns;
    int right = -1;
    int top = CellGrid::kRows;
    int bottom = -1;
};

Hole FindHole() {
    Hole hole;
    for (int row = 0; row < CellGrid::kRows; ++row)
        for (int column = 0; column < CellGrid::kColumns; ++column)
            if (!CellGrid::InField(column, row)) {
                hole.left = std::min(hole.left, column);
                hole.right = std::max(hole.right, column);
                hole.top = std::min(hole.top, row);
                hole.bottom = std::max(hole.bottom, row);
            }
    return hole;
}

// Rows from `rowFrom` to `rowTo`, the first one walked from `columnFrom` to `columnTo`, each next
// one back the other way.
void AppendRows(std::vector<int>& path, int columnFrom, int columnTo, int rowFrom, int rowTo) {
    const int rowStep = rowFrom <= rowTo ? 1 : -1;
    for (int row = rowFrom;; row += rowStep) {
        const int step = columnFrom <= columnTo ? 1 : -1;
        for (int column = columnFrom;; column += step) {
            path.push_back(CellGrid::Cell(column, row));
            if (column == columnTo) break;
        }
        std::swap(columnFrom, columnTo);
        if (row == rowTo) break;
    }
}

void AppendColumns(std::vector<int>& path, int rowFrom, int rowTo, int columnFrom, int columnTo) {
    const int columnStep = columnFrom <= columnTo ? 1 : -1;
    for (int column = columnFrom;; column += columnStep) {
        const int step = rowFrom <= rowTo ? 1 : -1;
        for (int row = rowFrom;; row += step) {
            path.push_back(CellGrid::Cell(column, row));
            if (row == rowTo) break;
        }
        std::swap(rowFrom, rowTo);
        if (column == columnTo) break;
    }
}

// A path through every field cell: up the left side, along the top, down the right side and to
// and fro across the bottom. It relies on the ring round the panel being four cells thick and on
// the parities of the rest; CheckPath says so if the picture's geometry ever changes.
std::vector<int> SnakeThroughField() {
    const Hole hole = FindHole();
    const int lastColumn = CellGrid::kColumns - 1;
    const int lastRow = CellGrid::kRows - 1;
    std::vector<int> path;
    AppendRows(path, 0, hole.left - 1, hole.bottom, 0);
    AppendColumns(path, 0, hole.top - 1, hole.left, hole.right);
    AppendRows(path, hole.right + 1, lastColumn, 0, hole.top - 1);
    AppendRows(path, hole.right + 1, lastColumn, hole.top, hole.bottom);
    AppendRows(path, lastColumn, 0, hole.bottom + 1, lastRow);
    return path;
}

void CheckPath(const std::vector<int>& path) {
    std::vector<bool> seen(CellGrid::kCells, false);
    int fieldCells = 0;
    for (int cell = 0; cell < CellGrid::kCells; ++cell) fieldCells += CellGrid::InField(cell);
    for (std::size_t i = 0; i < path.size(); ++i) {
        const int cell = path[i];
        if (!CellGrid::InField(cell) || seen[cell]) throw std::logic_error("the snake leaves the field");
        if (i > 0 && CellGrid::DirectionTo(path[i - 1], cell) == 0) throw std::logic_error("the snake jumps");
        seen[cell] = true;
    }
    if (static_cast<int>(path.size()) != fieldCells) throw std::logic_error("the snake misses cells");
}

// A Hamiltonian path kept with each cell's place on it, changed by backbite moves: an end joins a
// neighbouring cell of the path, and the path is cut beside that cell so that it stays one path.
class Snake {
public:
    explicit Snake(std::vector<int> path) : path_(std::move(path)), place_(CellGrid::kCells, -1) {
        Renumber(0, static_cast<int>(path_.size()));
    }

    void Bite(Rng& rng) {
        const bool atTail = rng.Chance(0.5);
        const int last = static_cast<int>(path_.size()) - 1;
        const int end = atTail ? path_[last] : path_[0];
        const int behind = atTail ? path_[last - 1] : path_[1];
        const int target = CellGrid::Neighbour(end, kDirections[rng.Below(4)]);
        if (target < 0 || target == behind) return;
        const int at = place_[target];
        if (atTail) {
            std::reverse(path_.begin() + at + 1, path_.end());
            Renumber(at + 1, last + 1);
        } else {
            std::reverse(path_.begin(), path_.begin() + at);
            Renumber(0, at);
        }
    }

    const std::vector<int>& Path() const { return path_; }

private:
    void Renumber(int from, int to) {
        for (int i = from; i < to; ++i) place_[path_[i]] = i;
    }

    std::vector<int> path_;
    std::vector<int> place_;
};

int Distance(int a, int b) {
    return std::abs(CellGrid::Column(a) - CellGrid::Column(b)) + std::abs(CellGrid::Row(a) - CellGrid::Row(b));
}

bool FitsExit(const MazePlan& plan, int cell) {
    const auto& columns = plan.exitColumns;
    return CellGrid::Row(cell) == CellGrid::kRows - 1 &&
           (columns.empty() || std::find(columns.begin(), columns.end(), CellGrid::Column(cell)) != columns.end());
}

// Stirs the snake, then goes on until one end lies where the exit may, far from the other end;
// that end becomes the exit.
std::vector<int> StirredRoute(const MazePlan& plan, Rng& rng) {
    std::vector<int> path = SnakeThroughField();
    CheckPath(path);
    Snake snake(std::move(path));
    for (int i = 0; i < plan.stirMoves; ++i) snake.Bite(rng);
    for (int i = 0; i < 100 * plan.stirMoves; ++i) {
        const std::vector<int>& route = snake.Path();
        const int head = route.front();
        const int tail = route.back();
        if (Distance(head, tail) >= plan.endsApart && (FitsExit(plan, head) || FitsExit(plan, tail))) {
            std::vector<int> result = route;
            if (!FitsExit(plan, tail)) std::reverse(result.begin(), result.end());
            return result;
        }
        snake.Bite(rng);
    }
    throw std::runtime_error("no route with its ends apart");
}

class RouteCutter {
public:
    RouteCutter(MazeLayout& maze, Rng& rng) : maze_(maze), rng_(rng), place_(CellGrid::kCells, -1) {
        for (std::size_t i = 1; i < maze_.route.size(); ++i) maze_.grid.Join(maze_.route[i - 1], maze_.route[i]);
        Renumber();
    }

    // Cuts detours until the route is short enough or no cut is left to try.
    void Cut(std::size_t keep, int longestDetour) {
        for (int attempt = 0; maze_.route.size() > keep && attempt < 200000; ++attempt) {
            const int from = 1 + rng_.Below(static_cast<int>(maze_.route.size()) - 3);
            TryCut(from, 1 + rng_.Below(longestDetour));
        }
    }

private:
    // Joins route[from] to a later route cell beside it, at most `longest` cells further on; the
    // cells between stay hanging from route[from] as a dead end.
    void TryCut(int from, int longest) {
        const int cell = maze_.route[from];
        const int first = rng_.Below(4);
        for (int k = 0; k < 4; ++k) {
            const int beside = CellGrid::Neighbour(cell, kDirections[(first + k) % 4]);
            if (beside < 0) continue;
            const int to = place_[beside];
            if (to <= from + 2 || to - from - 1 > longest) continue;
            maze_.grid.Part(maze_.route[to - 1], beside);
            maze_.grid.Join(cell, beside);
            maze_.route.erase(maze_.route.begin() + from + 1, maze_.route.begin() + to);
            Renumber();
            return;
        }
    }

    void Renumber() {
        std::fill(place_.begin(), place_.end(), -1);
        for (std::size_t i = 0; i < maze_.route.size(); ++i) place_[maze_.route[i]] = static_cast<int>(i);
    }

    MazeLayout& maze_;
    Rng& rng_;
    std::vector<int> place_;
};

void CloseLoops(MazeLayout& maze, int loops, Rng& rng) {
    for (int attempt = 0; loops > 0 && attempt < 100000; ++attempt) {
        const int cell = rng.Below(CellGrid::kCells);
        const int beside = CellGrid::Neighbour(cell, kDirections[rng.Below(4)]);
        if (!CellGrid::InField(cell) || beside < 0 || maze.grid.Joined(cell, beside)) continue;
        // The exit stays a dead end, so that a move ends on it; the start keeps its ways too.
        if (cell == maze.exit || beside == maze.exit || cell == maze.start || beside == maze.start) continue;
        maze.grid.Join(cell, beside);
        --loops;
    }
}

// One item in each of 110 equal stretches of the route, away from the stretch's edges; every
// eleventh is a hilite, numbered in route order, so that a perfect game spells the panel's words
// from the first letter to the last.
void PlaceItems(MazeLayout& maze, Rng& rng) {
    constexpr int kItems = kHiliteCount + kKernelCount;
    const int inner = static_cast<int>(maze.route.size()) - 2;
    for (int k = 0; k < kItems; ++k) {
        const int low = 1 + inner * k / kItems;
        const int high = 1 + inner * (k + 1) / kItems;
        const int margin = (high - low) / 4;
        const int cell = maze.route[low + margin + rng.Below(std::max(1, high - low - 2 * margin))];
        if (k % 11 == 5) maze.hilites.push_back(cell);
        else maze.kernels.push_back(cell);
    }
}

}  // namespace

MazeLayout BuildMaze(const MazePlan& plan) {
    Rng rng(plan.seed);
    MazeLayout maze;
    maze.route = StirredRoute(plan, rng);
    RouteCutter cutter(maze, rng);
    std::size_t fieldCells = 0;
    for (int cell = 0; cell < CellGrid::kCells; ++cell) fieldCells += CellGrid::InField(cell);
    cutter.Cut(static_cast<std::size_t>(plan.routeShare * static_cast<double>(fieldCells)), plan.longestDetour);
    maze.start = maze.route.front();
    maze.exit = maze.route.back();
    CloseLoops(maze, plan.loops, rng);
    PlaceItems(maze, rng);
    return maze;
}

}  // namespace assets

#include "maze/maze_marks.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "maze/maze_grid.h"
#include "maze/screen_layout.h"

namespace assets {

namespace {

// The start's clearing reaches this far from the start's centre.
constexpr int kClearingReach = 13;
// The exit's mark: its clearing above the maze's bottom edge and the sign below it.
constexpr int kExitHalfWidth = kExitSignHalfWidth + 3;
constexpr int kExitAbove = kClearingReach;
constexpr int kExitBelow = 28;

struct Point {
    int x;
    int y;
};

Point CentreOf(int cell) {
    return {kMazeArea.x + CellGrid::PixelX(cell) + 1, kMazeArea.y + CellGrid::PixelY(cell) + 1};
}

bool InMaze(Point p) {
    return p.x >= kMazeArea.x && p.x < kMazeArea.x + kMazeArea.width && p.y >= kMazeArea.y &&
           p.y < kMazeArea.y + kMazeArea.height;
}

bool OnScreen(const RgbPicture& picture, Point p) {
    return p.x >= 0 && p.y >= 0 && p.x < picture.width && p.y < picture.height;
}

// The clearing round `to`, from the one round `from`; only pixels of the maze's area change.
void CopyDisk(const RgbPicture& source, Point from, RgbPicture& target, Point to) {
    for (int dy = -kClearingReach; dy <= kClearingReach; ++dy)
        for (int dx = -kClearingReach; dx <= kClearingReach; ++dx) {
            if (dx * dx + dy * dy > kClearingReach * kClearingReach) continue;
            const Point s{from.x + dx, from.y + dy};
            const Point t{to.x + dx, to.y + dy};
            if (InMaze(s) && InMaze(t)) target.At(t.x, t.y) = source.At(s.x, s.y);
        }
}

// The exit's mark round `to` (the exit cell's centre), from the one round `from`.
void CopyExit(const RgbPicture& source, Point from, RgbPicture& target, Point to) {
    for (int dy = -kExitAbove; dy <= kExitBelow + (kMazeArea.y + kMazeArea.height - to.y); ++dy)
        for (int dx = -kExitHalfWidth; dx <= kExitHalfWidth; ++dx) {
            const Point s{from.x + dx, from.y + dy};
            const Point t{to.x + dx, to.y + dy};
            if (OnScreen(source, s) && OnScreen(target, t)) target.At(t.x, t.y) = source.At(s.x, s.y);
        }
}

bool Apart(Point a, Point b, int distance) { return std::abs(a.x - b.x) > distance || std::abs(a.y - b.y) > distance; }

// Where to take the background that covers a mark at `at` from: beside it, clear of both marks,
// within the maze's area (and the screen) as far as the mark reaches.
Point CoverFrom(Point at, Point start, Point exit, int reach, bool inMaze) {
    const std::array<Point, 6> shifts = {{{2 * reach + 4, 0},
                                          {-2 * reach - 4, 0},
                                          {0, -2 * reach - 4},
                                          {0, 2 * reach + 4},
                                          {4 * reach + 8, 0},
                                          {-4 * reach - 8, 0}}};
    for (const Point& shift : shifts) {
        const Point from{at.x + shift.x, at.y + shift.y};
        const bool fits = !inMaze ||
                          (InMaze({from.x - reach, from.y - reach}) && InMaze({from.x + reach, from.y + reach}));
        const bool onScreen = from.x - reach >= 0 && from.x + reach < kScreenWidth;
        if (fits && onScreen && Apart(from, start, 2 * reach + 2) && Apart(from, exit, 2 * reach + 2)) return from;
    }
    return at;
}

}  // namespace

RgbPicture MoveMazeMarks(const RgbPicture& classic, int classicStart, int classicExit, int start, int exit) {
    RgbPicture picture = classic;
    const Point oldStart = CentreOf(classicStart);
    const Point oldExit = CentreOf(classicExit);
    CopyDisk(classic, CoverFrom(oldStart, oldStart, oldExit, kClearingReach, true), picture, oldStart);
    CopyExit(classic, CoverFrom(oldExit, oldStart, oldExit, kExitHalfWidth, false), picture, oldExit);
    CopyDisk(classic, oldStart, picture, CentreOf(start));
    CopyExit(classic, oldExit, picture, CentreOf(exit));
    return picture;
}

}  // namespace assets

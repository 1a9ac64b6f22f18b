#include "maze/solution_picture.h"

#include <algorithm>

#include "maze/maze_grid.h"

namespace assets {

namespace {

// Where the classic picture holds its miniature of the 420x420 maze, and the panel within it.
constexpr int kMiniLeft = 44;
constexpr int kMiniTop = 50;
constexpr int kMiniSide = 144;
constexpr int kPanelLeft = kMiniLeft + kPanelX * kMiniSide / kMazeSide - 1;
constexpr int kPanelTop = kMiniTop + kPanelY * kMiniSide / kMazeSide - 1;
constexpr int kPanelRight = kMiniLeft + (kPanelX + kPanelWidth) * kMiniSide / kMazeSide + 1;
constexpr int kPanelBottom = kMiniTop + (kPanelY + kPanelHeight) * kMiniSide / kMazeSide + 1;

// Colours on the display's 5-6-5 grid.
Rgb OnGrid(int r, int g, int b) {
    return Expand565(static_cast<std::uint16_t>((r >> 3) << 11 | (g >> 2) << 5 | b >> 3));
}

bool InPanel(int x, int y) { return x >= kPanelLeft && x <= kPanelRight && y >= kPanelTop && y <= kPanelBottom; }

int Scaled(int mazePixel) { return (mazePixel * kMiniSide + kMazeSide / 2) / kMazeSide; }
int MiniX(int cell) { return kMiniLeft + Scaled(CellGrid::PixelX(cell) + 1); }
int MiniY(int cell) { return kMiniTop + Scaled(CellGrid::PixelY(cell) + 1); }

// The miniature's ground: the dark green the classic picture shows between its paths.
const Rgb kGround = OnGrid(0x1f, 0x3d, 0x17);

void Put(RgbPicture& picture, int x, int y, Rgb colour) {
    if (x >= kMiniLeft && x < kMiniLeft + kMiniSide && y >= kMiniTop && y < kMiniTop + kMiniSide && !InPanel(x, y))
        picture.At(x, y) = colour;
}

// A straight step between two neighbouring cells' centres.
void Step(RgbPicture& picture, int from, int to, Rgb colour) {
    const int x0 = MiniX(from), x1 = MiniX(to), y0 = MiniY(from), y1 = MiniY(to);
    for (int x = std::min(x0, x1); x <= std::max(x0, x1); ++x)
        for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y) Put(picture, x, y, colour);
}

void Block(RgbPicture& picture, int cell, Rgb colour) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) Put(picture, MiniX(cell) + dx, MiniY(cell) + dy, colour);
}

}  // namespace

RgbPicture DrawSolution(const RgbPicture& classic, const MazeLayout& maze) {
    RgbPicture picture = classic;
    for (int y = kMiniTop; y < kMiniTop + kMiniSide; ++y)
        for (int x = kMiniLeft; x < kMiniLeft + kMiniSide; ++x) Put(picture, x, y, kGround);
    const Rgb route = OnGrid(255, 48, 32);
    for (std::size_t i = 1; i < maze.route.size(); ++i) Step(picture, maze.route[i - 1], maze.route[i], route);
    Block(picture, maze.start, OnGrid(255, 32, 32));
    Block(picture, maze.exit, OnGrid(255, 255, 255));
    return picture;
}

}  // namespace assets

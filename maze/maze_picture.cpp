#include "maze/maze_picture.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

#include "maze/rng.h"

namespace assets {

namespace {

// Soil for the corridors: 3 to 15 and 27 to 31, the palette entries no rule gives a meaning.
constexpr int kSoilIndices[] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 27, 28, 29, 30, 31};
constexpr int kSoilCount = static_cast<int>(std::size(kSoilIndices));

void FillPalette(IndexedPicture& picture, const IndexedPicture& panel, Rng& rng) {
    auto& palette = picture.palette;
    palette[kBlackIndex] = {0, 0, 0};
    palette[kWallIndex] = kTransparent;
    palette[kStartIndex] = {255, 0, 0};
    for (int i = 0; i < kSoilCount; ++i) {
        const int shade = -14 + 28 * i / (kSoilCount - 1);
        palette[kSoilIndices[i]] = {static_cast<std::uint8_t>(180 + shade),
                                    static_cast<std::uint8_t>(132 + shade * 3 / 4),
                                    static_cast<std::uint8_t>(84 + shade / 2)};
    }
    for (int i = 0; i < 10; ++i) palette[kFirstHiliteIndex + i] = {96, 214, 255};
    palette[kExitIndex] = {255, 255, 255};
    for (int i = 0; i < 100; ++i)
        palette[kFirstKernelIndex + i] = {static_cast<std::uint8_t>(248 + rng.Below(8)),
                                          static_cast<std::uint8_t>(208 + rng.Below(22)),
                                          static_cast<std::uint8_t>(24 + rng.Below(40))};
    for (int i = 0; i < kPanelColours; ++i) palette[kFirstPanelIndex + i] = panel.palette[i];
}

void FillBlock(IndexedPicture& picture, int x, int y, int width, int height, Rng& rng) {
    for (int dy = 0; dy < height; ++dy)
        for (int dx = 0; dx < width; ++dx)
            picture.At(x + dx, y + dy) = static_cast<std::uint8_t>(kSoilIndices[rng.Below(kSoilCount)]);
}

void MarkCell(IndexedPicture& picture, int cell, int index) {
    const int x = CellGrid::PixelX(cell);
    const int y = CellGrid::PixelY(cell);
    for (int d = 0; d < 4; ++d) picture.At(x + d % 2, y + d / 2) = static_cast<std::uint8_t>(index);
}

}  // namespace

bool IsItemIndex(int index) {
    return (index >= kFirstHiliteIndex && index <= kExitIndex) ||
           (index >= kFirstKernelIndex && index < kFirstKernelIndex + 100);
}

bool IsCorridorIndex(int index) {
    for (int soil : kSoilIndices)
        if (index == soil) return true;
    return IsItemIndex(index);
}

IndexedPicture DrawMaze(const MazeLayout& maze, const IndexedPicture& panel, std::uint64_t seed) {
    if (panel.width != kPanelWidth || panel.height != kPanelHeight) throw std::invalid_argument("panel size");
    Rng rng(seed);
    IndexedPicture picture(kMazeSide, kMazeSide);
    std::fill(picture.indices.begin(), picture.indices.end(), kWallIndex);
    FillPalette(picture, panel, rng);
    for (int cell = 0; cell < CellGrid::kCells; ++cell) {
        if (!CellGrid::InField(cell)) continue;
        const int x = CellGrid::PixelX(cell);
        const int y = CellGrid::PixelY(cell);
        FillBlock(picture, x, y, 2, 2, rng);
        if (maze.grid.Open(cell, kRight)) FillBlock(picture, x + 2, y, CellGrid::kPitch - 2, 2, rng);
        if (maze.grid.Open(cell, kDown)) FillBlock(picture, x, y + 2, 2, CellGrid::kPitch - 2, rng);
    }
    for (std::size_t k = 0; k < maze.kernels.size(); ++k)
        MarkCell(picture, maze.kernels[k], kFirstKernelIndex + static_cast<int>(k));
    for (std::size_t i = 0; i < maze.hilites.size(); ++i)
        MarkCell(picture, maze.hilites[i], kFirstHiliteIndex + static_cast<int>(i));
    MarkCell(picture, maze.start, kStartIndex);
    MarkCell(picture, maze.exit, kExitIndex);
    for (int y = 0; y < kPanelHeight; ++y)
        for (int x = 0; x < kPanelWidth; ++x)
            picture.At(kPanelX + x, kPanelY + y) = static_cast<std::uint8_t>(kFirstPanelIndex + panel.At(x, y));
    return picture;
}

}  // namespace assets

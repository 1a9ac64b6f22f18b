#include "maze/maze_check.h"

#include <array>
#include <map>

#include "maze/maze_grid.h"
#include "maze/maze_picture.h"
#include "maze/maze_rules.h"

namespace assets {

namespace {

bool Blocks(PixelLayout layout, Rgb c) {
    const std::uint16_t v = Pack(layout, c);
    return v == Pack(layout, 0, 0, 0) || v == Pack(layout, 255, 0, 0) || v == Pack(layout, kTransparent) || v == 0xFE45;
}

bool IsRed(PixelLayout layout, Rgb c) { return Pack(layout, c) == Pack(layout, 255, 0, 0); }

// Whether the generator's grid puts corridor at (x, y), given which passages are open.
enum class Place { Wall, Cell, Passage };

struct GridPlace {
    Place place = Place::Wall;
    int cell = -1;
    int direction = 0;  // for a passage: from `cell` towards the right or down
};

GridPlace Locate(int x, int y) {
    const int ox = x - CellGrid::kOrigin;
    const int oy = y - CellGrid::kOrigin;
    if (ox < 0 || oy < 0) return {};
    const int column = ox / CellGrid::kPitch;
    const int row = oy / CellGrid::kPitch;
    const int dx = ox % CellGrid::kPitch;
    const int dy = oy % CellGrid::kPitch;
    if (!CellGrid::InField(column, row)) return {};
    const int cell = CellGrid::Cell(column, row);
    if (dx < 2 && dy < 2) return {Place::Cell, cell, 0};
    if (dy < 2 && CellGrid::InField(column + 1, row)) return {Place::Passage, cell, kRight};
    if (dx < 2 && CellGrid::InField(column, row + 1)) return {Place::Passage, cell, kDown};
    return {};
}

void CheckColours(const IndexedPicture& maze, PixelLayout layout, const char* name,
                  std::vector<std::string>& problems) {
    for (int index = 0; index < 256; ++index) {
        const bool corridor = IsCorridorIndex(index);
        const Rgb c = maze.palette[index];
        if (corridor && Blocks(layout, c))
            problems.push_back(std::string(name) + ": corridor or item colour " + std::to_string(index) + " blocks");
    }
    if (!Blocks(layout, maze.palette[kWallIndex]))
        problems.push_back(std::string(name) + ": the wall colour is passable");
}

void CheckGrid(const IndexedPicture& maze, std::vector<std::string>& problems) {
    // Each passage strip is open or closed whole; every other pixel is what its place says.
    std::map<std::pair<int, int>, std::array<int, 2>> passages;  // open and closed pixel counts
    int misplaced = 0;
    for (int y = 0; y < maze.height; ++y)
        for (int x = 0; x < maze.width; ++x) {
            const bool inPanel = x >= kPanelX && x < kPanelX + kPanelWidth && y >= kPanelY &&
                                 y < kPanelY + kPanelHeight;
            if (inPanel) continue;
            const bool open = IsCorridorIndex(maze.At(x, y)) || maze.At(x, y) == kStartIndex;
            const GridPlace place = Locate(x, y);
            if (place.place == Place::Passage) ++passages[{place.cell, place.direction}][open ? 0 : 1];
            else if (open != (place.place == Place::Cell)) ++misplaced;
            if (!open && maze.At(x, y) != kWallIndex && maze.At(x, y) != kBlackIndex) ++misplaced;
        }
    if (misplaced > 0) problems.push_back(std::to_string(misplaced) + " pixels are off the corridor grid");
    int split = 0;
    for (const auto& [where, counts] : passages) split += counts[0] != 0 && counts[1] != 0;
    if (split > 0) problems.push_back(std::to_string(split) + " passages are partly open");
}

void CheckItems(const IndexedPicture& maze, std::vector<std::string>& problems) {
    std::map<int, std::vector<std::pair<int, int>>> pixels;
    for (int y = 0; y < maze.height; ++y)
        for (int x = 0; x < maze.width; ++x) {
            const int index = maze.At(x, y);
            if (IsItemIndex(index) || index == kStartIndex) pixels[index].emplace_back(x, y);
        }
    auto oneBlock = [&](int index, const char* what) {
        const auto& at = pixels[index];
        bool block = at.size() == 4 && Locate(at[0].first, at[0].second).place == Place::Cell;
        for (std::size_t i = 0; block && i < 4; ++i)
            block = at[i] == std::pair{at[0].first + static_cast<int>(i % 2), at[0].second + static_cast<int>(i / 2)};
        if (!block) problems.push_back(std::string(what) + " " + std::to_string(index) + " is not one 2x2 cell");
    };
    oneBlock(kStartIndex, "the start");
    oneBlock(kExitIndex, "the exit");
    for (int i = 0; i < 10; ++i) oneBlock(kFirstHiliteIndex + i, "hilite index");
    for (int k = 0; k < 100; ++k) oneBlock(kFirstKernelIndex + k, "kernel index");
}

void CheckRed(const IndexedPicture& maze, const RgbPicture& hilite, const RgbPicture& nohilite, PixelLayout layout,
              const char* name, std::vector<std::string>& problems) {
    int red = 0;
    for (std::uint8_t index : maze.indices) red += IsRed(layout, maze.palette[index]);
    if (red != 4)
        problems.push_back(std::string(name) + ": " + std::to_string(red) + " red pixels, not the one start block");
    // A red pixel in the panel would be found before the start once a tile is copied in.
    for (const RgbPicture* panel : {&hilite, &nohilite})
        for (const Rgb& c : panel->pixels)
            if (IsRed(layout, c)) {
                problems.push_back(std::string(name) + ": a panel picture holds the start's red");
                return;
            }
}

void CheckPanel(const IndexedPicture& maze, const RgbPicture& hilite, const RgbPicture& nohilite,
                std::vector<std::string>& problems) {
    if (nohilite.width < kPanelWidth || nohilite.height < kPanelHeight || hilite.width < kPanelWidth ||
        hilite.height < kPanelHeight) {
        problems.push_back("a panel picture is smaller than the panel");
        return;
    }
    int differ = 0;
    int clear = 0;
    for (int y = 0; y < kPanelHeight; ++y)
        for (int x = 0; x < kPanelWidth; ++x) {
            const Rgb shown = maze.palette[maze.At(kPanelX + x, kPanelY + y)];
            differ += Pack(PixelLayout::Rgb565, shown) != Pack(PixelLayout::Rgb565, nohilite.At(x, y));
            clear += ShowsTransparent(nohilite.At(x, y));
        }
    if (differ > 0)
        problems.push_back("the maze's panel differs from the empty panel in " + std::to_string(differ) + " pixels");
    // Transparent pixels of the empty panel would leave collected tiles standing after a new game.
    if (clear > 0) problems.push_back("the empty panel has transparent pixels");
    for (const TileRect& tile : kHiliteTiles)
        for (int y = tile.y; y < tile.y + tile.height; ++y)
            for (int x = tile.x; x < tile.x + tile.width; ++x)
                if (ShowsTransparent(hilite.At(x, y))) {
                    problems.push_back("a hilite tile has transparent pixels");
                    return;
                }
}

}  // namespace

std::vector<std::string> CheckMazePicture(const IndexedPicture& maze, const RgbPicture& hilite,
                                          const RgbPicture& nohilite) {
    std::vector<std::string> problems;
    if (maze.width != kMazeSide || maze.height != kMazeSide) {
        problems.push_back("the maze is not 420x420");
        return problems;
    }
    for (auto [layout, name] : {std::pair{PixelLayout::Rgb565, "5-6-5"}, std::pair{PixelLayout::Rgb555, "5-5-5"}}) {
        CheckColours(maze, layout, name, problems);
        CheckRed(maze, hilite, nohilite, layout, name, problems);
    }
    CheckGrid(maze, problems);
    CheckItems(maze, problems);
    CheckPanel(maze, hilite, nohilite, problems);
    return problems;
}

}  // namespace assets

// A picture of the game's screen put together from the generated pictures the way the game draws
// them (transparent blue skipped, the zoom window stretched four times), for looking at the art
// side by side before the game exists to show it.
#pragma once

#include <cstdint>
#include <vector>

#include "maze/pictures.h"
#include "maze/screen_layout.h"

namespace assets {

class ScreenPreview {
public:
    explicit ScreenPreview(const RgbPicture& background) : screen_(background) {}

    // Draws a picture with its top-left corner at (x, y), skipping transparent pixels.
    void Draw(const RgbPicture& picture, int x, int y);
    // Draws the part (sx, sy, width, height) of a picture.
    void DrawPart(const RgbPicture& picture, int sx, int sy, int width, int height, int x, int y);
    // The maze (16-bit 5-6-5 pixels, as the game holds it), then the zoom window round the block
    // at (blockX, blockY) and the zoom box over the maze.
    void DrawMaze(const std::vector<std::uint16_t>& maze, int blockX, int blockY, const RgbPicture& zoomBox,
                  bool showZoom = true);
    // A number right-aligned at `right` with the digit strip, as the game sets scores.
    void DrawNumber(const RgbPicture& digits, int number, int right, int y);

    const RgbPicture& Screen() const { return screen_; }

private:
    void Put(int x, int y, Rgb c);

    RgbPicture screen_;
};

RgbPicture FromPacked565(const std::vector<std::uint16_t>& pixels, int width, int height);

}  // namespace assets

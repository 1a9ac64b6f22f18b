#include "tools/assets/screen_preview.h"

#include <algorithm>
#include <string>

#include "tools/assets/display_colour.h"

namespace assets {

void ScreenPreview::Put(int x, int y, Rgb c) {
    if (x < 0 || y < 0 || x >= screen_.width || y >= screen_.height || ShowsTransparent(c)) return;
    screen_.At(x, y) = c;
}

void ScreenPreview::Draw(const RgbPicture& picture, int x, int y) {
    DrawPart(picture, 0, 0, picture.width, picture.height, x, y);
}

void ScreenPreview::DrawPart(const RgbPicture& picture, int sx, int sy, int width, int height, int x, int y) {
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column) Put(x + column, y + row, picture.At(sx + column, sy + row));
}

RgbPicture FromPacked565(const std::vector<std::uint16_t>& pixels, int width, int height) {
    RgbPicture out(width, height);
    for (std::size_t i = 0; i < pixels.size(); ++i) out.pixels[i] = Expand565(pixels[i]);
    return out;
}

void ScreenPreview::DrawMaze(const std::vector<std::uint16_t>& maze, int blockX, int blockY, const RgbPicture& zoomBox,
                             bool showZoom) {
    const RgbPicture picture = FromPacked565(maze, kMazeArea.width, kMazeArea.height);
    Draw(picture, kMazeArea.x, kMazeArea.y);
    if (!showZoom) return;
    // The game's clamping, in its order.
    int left = blockX - kZoomSource / 2;
    int top = blockY - kZoomSource / 2;
    left = std::clamp(left, 0, picture.width - kZoomSource);
    top = std::clamp(top, 0, picture.height - kZoomSource);
    const int scale = kZoomArea.width / kZoomSource;
    for (int y = 0; y < kZoomArea.height; ++y)
        for (int x = 0; x < kZoomArea.width; ++x)
            Put(kZoomArea.x + x, kZoomArea.y + y, picture.At(left + x / scale, top + y / scale));
    Draw(zoomBox, left + kMazeArea.x, top + kMazeArea.y);
}

void ScreenPreview::DrawNumber(const RgbPicture& digits, int number, int right, int y) {
    const std::string text = std::to_string(number);
    const int frame = digits.width / 10;
    const int advance = frame - 2;
    int x = right - advance * static_cast<int>(text.size());
    for (char c : text) {
        DrawPart(digits, (c - '0') * frame, 0, frame, digits.height, x, y);
        x += advance;
    }
}

}  // namespace assets

// The two end pictures that replace the zoom window when the exit is reached: a cheer for finding
// the way out, and for a perfect game the whole maze with the perfect route drawn in gold.
#include <cmath>
#include <numbers>
#include <string>

#include "tools/assets/art.h"
#include "tools/assets/art_style.h"
#include "tools/assets/text.h"

namespace assets {

namespace {

using namespace palette;

constexpr float kSide = kEndPictureSide;

void Frame(Canvas& canvas) {
    Fill(canvas, Subtract(RoundRect(0, 0, kSide, kSide, 0), RoundRect(6, 6, kSide - 12, kSide - 12, 3)),
         WoodPaint(kWood, 121));
    Fill(canvas, Outline(RoundRect(6, 6, kSide - 12, kSide - 12, 3), 1.4f), kInk);
    Fill(canvas, Outline(RoundRect(0.7f, 0.7f, kSide - 1.4f, kSide - 1.4f, 0), 1.4f), kInk);
}

void Ribbon(Canvas& canvas, float y, float height, Colour colour, const std::string& text, float pixels) {
    const float inset = 14;
    const float notch = height * 0.35f;
    for (float side : {-1.0f, 1.0f}) {
        const float outer = side < 0 ? 2 : kSide - 2;
        const float inner = side < 0 ? inset + 8 : kSide - inset - 8;
        Inked(canvas,
              Polygon({{outer, y + 6},
                       {inner, y + 6},
                       {inner, y + height + 6},
                       {outer, y + height + 6},
                       {outer + side * -notch, y + 6 + height / 2}}),
              Shade(colour, -0.3f), 1.4f);
    }
    Inked(canvas, RoundRect(inset, y, kSide - 2 * inset, height, 2),
          VerticalGradient(Shade(colour, 0.15f), colour, y, y + height), 1.6f);
    TextStyle style;
    style.face = Typeface::SerifBold;
    style.pixels = pixels;
    style.fill = kCream;
    style.outline = 1.6f;
    style.outlineColour = kInk;
    DrawCentred(canvas, text, kSide / 2, y + height / 2 + pixels * 0.36f, style);
}

void Sunburst(Canvas& canvas, float cx, float cy) {
    for (int y = 0; y < kEndPictureSide; ++y)
        for (int x = 0; x < kEndPictureSide; ++x) {
            const float dx = static_cast<float>(x) + 0.5f - cx;
            const float dy = static_cast<float>(y) + 0.5f - cy;
            const float angle = std::atan2(dy, dx);
            const float ray = 0.5f + 0.5f * std::cos(angle * 14);
            const float fade = std::min(1.0f, std::sqrt(dx * dx + dy * dy) / 150);
            const Colour c = Mix(Mix(kGoldPale, kGold, ray * 0.8f), Hex(0xe07a2a), fade);
            canvas.Set(x, y, c);
        }
}

// A four-pointed glint.
void Sparkle(Canvas& canvas, float cx, float cy, float size) {
    const float t = size * 0.22f;
    Fill(canvas,
         Polygon({{cx, cy - size},
                  {cx + t, cy - t},
                  {cx + size, cy},
                  {cx + t, cy + t},
                  {cx, cy + size},
                  {cx - t, cy + t},
                  {cx - size, cy},
                  {cx - t, cy - t}}),
         Hex(0xfffbe0));
}

void Caption(Canvas& canvas, const std::string& text, float baseline, float pixels) {
    TextStyle style;
    style.face = Typeface::SansBold;
    style.pixels = pixels;
    style.fill = kCream;
    style.outline = 1.6f;
    style.outlineColour = kInk;
    DrawCentred(canvas, text, kSide / 2, baseline, style);
}

// The maze at the picture's scale: paths on dark corn, the route in gold over them.
void MiniatureMaze(Canvas& canvas, const MazeLayout& maze, Rect area) {
    const float scale = static_cast<float>(area.width) / kMazeSide;
    const auto ox = static_cast<float>(area.x);
    const auto oy = static_cast<float>(area.y);
    Inked(canvas, RoundRect(ox - 2, oy - 2, static_cast<float>(area.width) + 4, static_cast<float>(area.height) + 4, 2),
          kLeafDeep, 1.6f);
    auto centre = [&](int cell) {
        return Point{ox + (static_cast<float>(CellGrid::PixelX(cell)) + 1) * scale,
                     oy + (static_cast<float>(CellGrid::PixelY(cell)) + 1) * scale};
    };
    const Colour path = Shade(Hex(0xc4966a), -0.35f);
    for (int cell = 0; cell < CellGrid::kCells; ++cell) {
        if (!CellGrid::InField(cell)) continue;
        for (int direction : {kRight, kDown})
            if (maze.grid.Open(cell, direction)) {
                const Point a = centre(cell);
                const Point b = centre(CellGrid::Neighbour(cell, direction));
                Fill(canvas, Capsule(a, b, 0.4f), path, 0.8f);
            }
    }
    const float px = ox + kPanelX * scale;
    const float py = oy + kPanelY * scale;
    Inked(canvas, RoundRect(px, py, kPanelWidth * scale, kPanelHeight * scale, 3), WoodPaint(kWood, 9), 1.2f);
    TextStyle words;
    words.face = Typeface::SerifBold;
    words.pixels = 19;
    words.fill = kGoldPale;
    words.outline = 1.2f;
    words.outlineColour = kInk;
    const float middle = px + kPanelWidth * scale / 2;
    DrawCentred(canvas, std::string(kPanelWords, 5), middle, py + kPanelHeight * scale * 0.45f, words);
    DrawCentred(canvas, std::string(kPanelWords + 5, 5), middle, py + kPanelHeight * scale * 0.92f, words);
    for (std::size_t i = 1; i < maze.route.size(); ++i)
        Fill(canvas, Capsule(centre(maze.route[i - 1]), centre(maze.route[i]), 0.75f), Hex(0xff3020));
    const Point start = centre(maze.start);
    const Point exit = centre(maze.exit);
    Inked(canvas, Circle(start.x, start.y, 3), Hex(0xff2020), 1.2f);
    Inked(canvas, Circle(exit.x, exit.y, 3), Hex(0xffffff), 1.2f);
}

}  // namespace

Canvas PaintWayOut() {
    Canvas canvas(kEndPictureSide, kEndPictureSide, {}, 1);
    Sunburst(canvas, kSide / 2, 124);
    PaintCornCob(canvas, kSide / 2, 122, 92, true);
    Ribbon(canvas, 16, 34, kBarnRed, "WELL DONE!", 24);
    Caption(canvas, "You found the way out.", 196, 13);
    Caption(canvas, "Your score is doubled!", 214, 13);
    Frame(canvas);
    return canvas;
}

Canvas PaintPerfectGame(const MazeLayout& maze) {
    Canvas canvas(kEndPictureSide, kEndPictureSide, {}, 1);
    Sunburst(canvas, kSide / 2, kSide / 2);
    for (const Point& at : {Point{22, 70}, Point{212, 96}, Point{26, 160}, Point{206, 178}, Point{214, 58}})
        Sparkle(canvas, at.x, at.y, 7);
    MiniatureMaze(canvas, maze, {44, 50, 144, 144});
    Ribbon(canvas, 10, 32, Hex(0x2f7a32), "PERFECT!", 24);
    Caption(canvas, "Every kernel, every letter:", 208, 12);
    Caption(canvas, "the whole harvest is yours.", 223, 12);
    Frame(canvas);
    return canvas;
}

}  // namespace assets

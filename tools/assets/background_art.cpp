// "background.bmp": the whole 800x600 screen the game draws on. A late-summer sky over rows of
// corn, wooden frames round the maze and the zoom window, boards behind the buttons, the score
// plaques, and a strip of field at the bottom where the characters appear. Under the maze and the
// zoom window lies corn: the maze's walls are transparent, so this is what the walls look like.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/assets/art.h"
#include "tools/assets/art_style.h"
#include "maze/rng.h"
#include "tools/assets/text.h"

namespace assets {

namespace {

using namespace palette;

constexpr int kHorizon = 138;

void PaintSky(Canvas& canvas) {
    for (int y = 0; y < kScreenHeight; ++y)
        for (int x = 0; x < kScreenWidth; ++x) {
            const float t = std::clamp(static_cast<float>(y) / kHorizon, 0.0f, 1.0f);
            const float haze = Fractal(static_cast<float>(x) / 90, static_cast<float>(y) / 30, 41u) - 0.5f;
            canvas.Set(x, y, Shade(Mix(kSkyHigh, kSkyLow, std::pow(t, 0.8f)), haze * 0.08f));
        }
    // The low sun behind the field, right of the title.
    Fill(canvas, Circle(640, kHorizon - 4, 70), Hex(0xfff1c4), 0.25f);
    Fill(canvas, Circle(640, kHorizon - 4, 44), Hex(0xfff4cf), 0.55f);
}

// Rows of stalks standing against the sky, darker and larger towards the viewer.
void PaintStandingCorn(Canvas& canvas, int top, int bottom, float size, Colour colour, std::uint64_t seed) {
    Rng rng(seed);
    for (float x = -10; x < kScreenWidth + 10; x += size * static_cast<float>(rng.Between(0.5, 0.9))) {
        const float base = static_cast<float>(bottom);
        const float height = static_cast<float>(bottom - top) * static_cast<float>(rng.Between(0.75, 1.0));
        const float sway = static_cast<float>(rng.Between(-0.08, 0.08)) * height;
        const Point foot{x, base};
        const Point head{x + sway, base - height};
        const Colour shade = Shade(colour, static_cast<float>(rng.Between(-0.1, 0.1)));
        Fill(canvas, Capsule(foot, head, size * 0.09f), shade);
        for (int k = 0; k < 4; ++k) {
            const float t = 0.3f + 0.17f * static_cast<float>(k);
            const Point at{x + sway * t, base - height * t};
            const float side = k % 2 == 0 ? 1.0f : -1.0f;
            const Point tip{at.x + side * size * 0.9f, at.y - size * 0.15f};
            const Point droop{at.x + side * size * 1.25f, at.y + size * 0.35f};
            Fill(canvas, Polygon({at, {tip.x, tip.y - size * 0.12f}, droop, {tip.x, tip.y + size * 0.1f}}), shade);
        }
        Fill(canvas, Capsule(head, {head.x + sway * 0.1f, head.y - size * 0.35f}, size * 0.07f), kGoldDeep);
    }
}

void PaintField(Canvas& canvas) {
    PaintStandingCorn(canvas, kHorizon - 26, kHorizon + 6, 14, Hex(0x8f9a52), 7);
    Fill(canvas, RoundRect(0, kHorizon, kScreenWidth, 400, 0),
         VerticalGradient(Hex(0x7b8f3e), kLeafDark, kHorizon, 470));
    PaintStandingCorn(canvas, kHorizon - 8, kHorizon + 60, 22, Hex(0x5f7f2e), 8);
    PaintStandingCorn(canvas, kHorizon + 40, kHorizon + 200, 34, Hex(0x3f6a25), 9);
    PaintStandingCorn(canvas, kHorizon + 160, 470, 46, Hex(0x2d5020), 10);
}

void PaintScorePlaque(Canvas& canvas, Rect box, const char* label, std::uint32_t seed) {
    WoodBoard(canvas, {box.x - 6, box.y - 6, box.width + 12, box.height + 26}, 6, seed, kWood);
    SunkenPlaque(canvas, box, 3);
    TextStyle style;
    style.face = Typeface::SansBold;
    style.pixels = 11;
    style.fill = kGoldPale;
    style.tracking = 2;
    style.outline = 1;
    style.outlineColour = kWoodDark;
    DrawCentred(canvas, label, static_cast<float>(box.CentreX()), static_cast<float>(box.y + box.height + 14), style);
}

// A frame of wood round an area, `thickness` wide, with a dark inner lip.
void FrameAround(Canvas& canvas, Rect area, int thickness, std::uint32_t seed) {
    const auto t = static_cast<float>(thickness);
    const Shape outer = RoundRect(static_cast<float>(area.x) - t, static_cast<float>(area.y) - t,
                                  static_cast<float>(area.width) + 2 * t, static_cast<float>(area.height) + 2 * t, 3);
    const Shape hole = RoundRect(static_cast<float>(area.x), static_cast<float>(area.y), static_cast<float>(area.width),
                                 static_cast<float>(area.height), 0);
    Fill(canvas, Subtract(outer, hole), kWoodDark);
    Fill(canvas, Subtract(Grow(outer, -1), Grow(hole, 1)), WoodPaint(kWoodLight, seed));
    Fill(canvas, Outline(Grow(hole, 0.5f), 1), kInk, 0.8f);
}

// A clearing in the corn round a cell: the walls near it, which show the background, light up.
void Clearing(Canvas& canvas, int cell, Colour light) {
    const float cx = static_cast<float>(kMazeArea.x + CellGrid::PixelX(cell)) + 1;
    const float cy = static_cast<float>(kMazeArea.y + CellGrid::PixelY(cell)) + 1;
    for (float r = 11; r >= 3; r -= 2) Fill(canvas, Circle(cx, cy, r), light, 0.22f);
}

// The exit lies on the bottom edge: a gap in the frame and a signpost just below it.
void MarkExit(Canvas& canvas, const MazeLayout& maze) {
    Clearing(canvas, maze.exit, kGoldPale);
    const float x = static_cast<float>(kMazeArea.x + CellGrid::PixelX(maze.exit)) + 1;
    const float bottom = static_cast<float>(kMazeArea.y + kMazeArea.height);
    Fill(canvas, RoundRect(x - 4, bottom, 8, 5, 0), Hex(0xc4966a));
    Inked(canvas, RoundRect(x - 1.5f, bottom + 4, 3, 22, 0), WoodPaint(kWood, 3, true), 1.2f);
    const float half = kExitSignHalfWidth - 1;
    Inked(canvas,
          Polygon({{x - half, bottom + 9},
                   {x + half - 7, bottom + 9},
                   {x + half, bottom + 16},
                   {x + half - 7, bottom + 23},
                   {x - half, bottom + 23}}),
          WoodPaint(kWoodLight, 4), 1.4f);
    TextStyle style;
    style.face = Typeface::SansBold;
    style.pixels = 11;
    style.fill = kCream;
    style.outline = 1;
    style.outlineColour = kInk;
    DrawCentred(canvas, "EXIT", x - 2, bottom + 20.5f, style);
}

void PaintButtonBoards(Canvas& canvas) {
    WoodBoard(canvas, {14, 152, 98, 276}, 8, 61, kWoodDark);
    WoodBoard(canvas, {572, 304, 196, 176}, 8, 62, kWoodDark);
}

void PaintLegend(Canvas& canvas) {
    WoodBoard(canvas, {10, 62, 102, 84}, 6, 63, kWood);
    TextStyle style;
    style.face = Typeface::SansBold;
    style.pixels = 11;
    style.fill = kCream;
    style.outline = 1;
    style.outlineColour = kWoodDark;
    struct Line {
        Colour mark;
        const char* text;
    };
    const Line lines[] = {{kGold, "1 000"}, {Hex(0x60d6ff), "100 000"}, {Hex(0xffffff), "score \u00d72"}};
    for (int i = 0; i < 3; ++i) {
        const float y = 82 + 21 * static_cast<float>(i);
        Fill(canvas, RoundRect(21, y - 9, 10, 10, 1.5f), kInk);
        Fill(canvas, RoundRect(22, y - 8, 8, 8, 1), lines[i].mark);
        DrawLeft(canvas, lines[i].text, 38, y, style);
    }
}

void PaintStrip(Canvas& canvas) {
    const Rect strip = kCharacterStrip;
    PaintSoil(canvas, {0, strip.y, kScreenWidth, kScreenHeight - strip.y}, 77);
    // Grass along the field's edge.
    Rng rng(78);
    for (int i = 0; i < 900; ++i) {
        const float x = static_cast<float>(rng.Between(0, kScreenWidth));
        const float base = static_cast<float>(strip.y + 6 + rng.Between(0, 10));
        const float h = static_cast<float>(rng.Between(4, 11));
        const float lean = static_cast<float>(rng.Between(-3, 3));
        Fill(canvas, Capsule({x, base}, {x + lean, base - h}, 0.9f),
             Mix(kLeafDark, kLeafLight, static_cast<float>(rng.Unit())));
    }
}

// A low fence along the back of the strip, behind whoever appears there.
void PaintFence(Canvas& canvas) {
    const float top = static_cast<float>(kCharacterStrip.y) + 14;
    for (float rail : {top + 8, top + 22})
        Inked(canvas, RoundRect(-4, rail, kScreenWidth + 8, 5, 1.5f), WoodPaint(Shade(kWood, -0.1f), 55), 1.2f);
    for (float x = 30; x < kScreenWidth; x += 92)
        Inked(canvas, Polygon({{x, top + 36}, {x, top + 2}, {x + 4, top - 2}, {x + 8, top + 2}, {x + 8, top + 36}}),
              WoodPaint(kWoodLight, 56, true), 1.2f);
}

void PaintFooter(Canvas& canvas) {
    const Rect footer{0, 575, kScreenWidth, 25};
    Fill(canvas, RoundRect(0, 575, kScreenWidth, 25, 0), WoodPaint(kWoodDark, 90));
    Fill(canvas, RoundRect(0, 575, kScreenWidth, 1.5f, 0), kInk);
    TextStyle style;
    style.face = Typeface::Sans;
    style.pixels = 12;
    style.fill = kGoldPale;
    DrawCentred(canvas, "Collect every kernel and all ten letters, then find the way out.",
                static_cast<float>(footer.CentreX()), 592, style);
}

}  // namespace

Canvas PaintBackground(const MazeLayout& maze) {
    Canvas canvas(kScreenWidth, kScreenHeight, {}, 1);
    PaintSky(canvas);
    PaintField(canvas);
    PaintStrip(canvas);
    PaintFence(canvas);
    PaintFooter(canvas);
    PaintGameTitle(canvas, static_cast<float>(kMazeArea.CentreX()), 47);
    PaintScorePlaque(canvas, kBestScoreBox, "BEST", 51);
    PaintScorePlaque(canvas, kScoreBox, "SCORE", 52);
    PaintLegend(canvas);
    PaintButtonBoards(canvas);
    FrameAround(canvas, kMazeArea, 4, 53);
    FrameAround(canvas, kZoomArea, 4, 54);
    PaintCorn(canvas, kMazeArea, 1, 101, -0.45f);
    PaintCorn(canvas, kZoomArea, 4, 102, -0.15f);
    Clearing(canvas, maze.start, Hex(0xfff0e0));
    MarkExit(canvas, maze);
    return canvas;
}

}  // namespace assets

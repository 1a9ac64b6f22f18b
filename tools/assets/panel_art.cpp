// The hilite panel in the maze picture: a signboard with ten slots, and the ten letter tiles that
// fill them. Together the tiles spell two words, in the order a perfect game collects them.
#include <algorithm>
#include <string>

#include "tools/assets/art.h"
#include "tools/assets/art_style.h"
#include "maze/maze_grid.h"
#include "maze/maze_rules.h"
#include "tools/assets/text.h"

namespace assets {

namespace {

using namespace palette;

// A serifed I drawn to fit a tile narrower than the face's own.
void NarrowI(Canvas& canvas, const TileRect& tile, const TextStyle& style) {
    const float capHeight = style.pixels * 0.73f;
    const float baseline = static_cast<float>(tile.y) + static_cast<float>(tile.height) * 0.5f + style.pixels * 0.36f;
    const float centre = static_cast<float>(tile.x) + static_cast<float>(tile.width) / 2;
    const float serif = static_cast<float>(tile.width) - 6 - 2 * style.outline;
    const float stem = serif * 0.55f;
    const float top = baseline - capHeight;
    const Shape letter = Union(RoundRect(centre - stem / 2, top, stem, capHeight, 1),
                               Union(RoundRect(centre - serif / 2, top, serif, 5, 1.5f),
                                     RoundRect(centre - serif / 2, baseline - 5, serif, 5, 1.5f)));
    if (style.outline > 0) Fill(canvas, Grow(letter, style.outline), style.outlineColour);
    Fill(canvas, letter, style.fill);
}

// The letter as large as fits its tile, centred.
void Letter(Canvas& canvas, const TileRect& tile, char letter, const TextStyle& base) {
    TextStyle style = base;
    const std::string text(1, letter);
    if (letter == 'I' && TextWidth(text, style) + 2 * style.outline > static_cast<float>(tile.width)) {
        NarrowI(canvas, tile, style);
        return;
    }
    while (style.pixels > 20 && TextWidth(text, style) + 2 * style.outline > static_cast<float>(tile.width) - 4)
        style.pixels -= 2;
    const float baseline = static_cast<float>(tile.y) + static_cast<float>(tile.height) * 0.5f + style.pixels * 0.36f;
    DrawCentred(canvas, text, static_cast<float>(tile.x) + static_cast<float>(tile.width) / 2, baseline, style);
}

void Board(Canvas& canvas) {
    Fill(canvas, RoundRect(0, 0, kPanelWidth, kPanelHeight, 0), WoodPaint(kWood, 31));
    for (float y = 0; y < kPanelHeight; y += 34) Fill(canvas, RoundRect(0, y, kPanelWidth, 1.2f, 0), kWoodDark, 0.5f);
    Fill(canvas, Outline(RoundRect(1, 1, kPanelWidth - 2, kPanelHeight - 2, 4), 2), kWoodDark);
    for (float x : {6.0f, kPanelWidth - 6.0f})
        for (float y : {6.0f, kPanelHeight - 6.0f}) {
            Fill(canvas, Circle(x, y, 2.4f), kInk);
            Fill(canvas, Circle(x - 0.6f, y - 0.6f, 1.1f), kWoodPale);
        }
}

TextStyle LetterStyle() {
    TextStyle style;
    style.face = Typeface::SerifBold;
    style.pixels = 76;
    return style;
}

}  // namespace

Canvas PaintEmptyPanel() {
    Canvas canvas(kPanelWidth, kPanelHeight, {}, 1);
    Board(canvas);
    for (int i = 0; i < 10; ++i) {
        const TileRect& tile = kHiliteTiles[i];
        SunkenPlaque(canvas, {tile.x + 2, tile.y + 2, tile.width - 4, tile.height - 4}, 5);
        TextStyle ghost = LetterStyle();
        ghost.fill = Shade(kSlot, 0.16f);
        Letter(canvas, tile, kPanelWords[i], ghost);
    }
    return canvas;
}

Canvas PaintHiliteTiles() {
    Canvas canvas(kPanelWidth, kPanelHeight, {}, 1);
    Board(canvas);
    for (int i = 0; i < 10; ++i) {
        const TileRect& tile = kHiliteTiles[i];
        const auto x = static_cast<float>(tile.x);
        const auto y = static_cast<float>(tile.y);
        const auto w = static_cast<float>(tile.width);
        const auto h = static_cast<float>(tile.height);
        Fill(canvas, RoundRect(x, y, w, h, 7), kWoodDark);
        Fill(canvas, RoundRect(x + 2, y + 2, w - 4, h - 4, 6), VerticalGradient(kGoldPale, kGold, y, y + h));
        Fill(canvas, RoundRect(x + 4, y + 4, w - 8, h * 0.42f, 5), Hex(0xffffff), 0.22f);
        TextStyle style = LetterStyle();
        style.fill = kBarnRed;
        style.outline = 2;
        style.outlineColour = kInk;
        Letter(canvas, tile, kPanelWords[i], style);
    }
    return canvas;
}

}  // namespace assets

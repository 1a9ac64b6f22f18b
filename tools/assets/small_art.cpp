// The score digits, the zoom box, and the small pictures the game loads without drawing.
#include <string>

#include "tools/assets/art.h"
#include "tools/assets/art_style.h"
#include "tools/assets/text.h"

namespace assets {

using namespace palette;

Canvas PaintDigits() {
    Canvas canvas(10 * kDigitWidth, kDigitHeight);
    TextStyle style;
    style.face = Typeface::SansBold;
    style.pixels = 18;
    style.paint = VerticalGradient(kGoldPale, kGold, 3, 16);
    style.outline = 1.1f;
    style.outlineColour = Hex(0x1a0e05);
    for (int digit = 0; digit < 10; ++digit) {
        // Set on its own, and kept off the outer columns: a number's digits overlap by two pixels,
        // and neither may cover the other.
        Canvas cell(kDigitWidth, kDigitHeight);
        DrawCentred(cell, std::to_string(digit), kDigitWidth / 2.0f, 15.5f, style);
        for (int y = 0; y < kDigitHeight; ++y) {
            cell.Set(0, y, {}, 0);
            cell.Set(kDigitWidth - 1, y, {}, 0);
        }
        canvas.Draw(cell, digit * kDigitWidth, 0);
    }
    return canvas;
}

Canvas PaintZoomBox() {
    Canvas canvas(kZoomSource, kZoomSource);
    const auto side = static_cast<float>(kZoomSource);
    Fill(canvas, Outline(RoundRect(0.5f, 0.5f, side - 1, side - 1, 0), 1), kInk);
    Fill(canvas, Outline(RoundRect(1.5f, 1.5f, side - 3, side - 3, 0), 1), kGoldPale);
    // Heavier corners, so that the box reads over any part of the maze.
    for (float x : {0.0f, side - 7})
        for (float y : {0.0f, side - 7}) {
            Fill(canvas, RoundRect(x, y + (y == 0 ? 0 : 5), 7, 2, 0), kGold);
            Fill(canvas, RoundRect(x + (x == 0 ? 0 : 5), y, 2, 7, 0), kGold);
        }
    return canvas;
}

Canvas PaintMarker() {
    Canvas canvas(8, 8);
    Fill(canvas, RoundRect(0, 0, 8, 8, 2), kInk);
    Fill(canvas, RoundRect(1, 1, 6, 6, 1.5f), Hex(0x30e040));
    return canvas;
}

Canvas PaintKernel(bool lit) {
    Canvas canvas(12, 12);
    Fill(canvas, Ellipse(6, 6, 4.5f, 5.5f), kGoldDeep);
    Fill(canvas, Ellipse(6, 5.5f, 3.5f, 4.5f), lit ? kGoldPale : kGold);
    if (lit) Fill(canvas, Circle(4.8f, 3.8f, 1.2f), Hex(0xffffff), 0.9f);
    return canvas;
}

}  // namespace assets

// Text for the pictures, set with FreeType in the DejaVu faces.
#pragma once

#include <string>
#include <vector>

#include "tools/assets/canvas.h"
#include "tools/assets/shapes.h"

namespace assets {

enum class Typeface { Sans, SansBold, Serif, SerifBold, MonoBold };

// A line of text as coverage, one float a pixel; the baseline lies `ascent` pixels below its top.
struct TextMask {
    int width = 0;
    int height = 0;
    int ascent = 0;
    std::vector<float> coverage;

    float At(int x, int y) const {
        return x < 0 || y < 0 || x >= width || y >= height ? 0.0f : coverage[static_cast<std::size_t>(y) * width + x];
    }
};

// Text (UTF-8) at `pixels` per em, with `tracking` extra pixels between letters.
TextMask SetText(Typeface face, float pixels, const std::string& text, float tracking = 0);
// The mask grown by `radius` pixels all round, for outlines and halos.
TextMask Spread(const TextMask& mask, float radius);

// Draws the mask with its top-left corner at (x, y).
void DrawMask(Canvas& canvas, const TextMask& mask, float x, float y, const Paint& paint, float opacity = 1);

struct TextStyle {
    Typeface face = Typeface::SansBold;
    float pixels = 16;
    Colour fill{255, 255, 255};
    Paint paint;        // when set, fills the letters instead of `fill`
    float outline = 0;  // pixels of outline round the letters
    Colour outlineColour{0, 0, 0};
    float shadow = 0;  // offset of a soft drop shadow
    float tracking = 0;
};

// Text centred on x with its baseline at y; returns its width.
int DrawCentred(Canvas& canvas, const std::string& text, float x, float baseline, const TextStyle& style);
// Text starting at x with its baseline at y; returns its width.
int DrawLeft(Canvas& canvas, const std::string& text, float x, float baseline, const TextStyle& style);
int TextWidth(const std::string& text, const TextStyle& style);

}  // namespace assets

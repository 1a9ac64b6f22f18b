#include "tools/assets/display_colour.h"

#include <algorithm>
#include <cmath>

namespace assets {

namespace {

constexpr float kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

int Quantise(float value, int levels, float dither) {
    const float step = 255.0f / static_cast<float>(levels - 1);
    return std::clamp(static_cast<int>(std::floor(value / step + dither)), 0, levels - 1);
}

std::uint16_t Compose(int r5, int g6, int b5) {
    // An opaque colour may not pack to pure blue on either layout; it loses a step of blue instead.
    if (r5 == 0 && g6 <= 1 && b5 == 31) b5 = 30;
    return static_cast<std::uint16_t>(r5 << 11 | g6 << 5 | b5);
}

}  // namespace

Rgb Nearest565(Colour c) {
    return Expand565(Compose(Quantise(c.r, 32, 0.5f), Quantise(c.g, 64, 0.5f), Quantise(c.b, 32, 0.5f)));
}

RgbPicture ToDisplay(const Canvas& canvas, bool keyed) {
    RgbPicture out(canvas.Width(), canvas.Height());
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) {
            if (keyed && canvas.Alpha(x, y) < 0.5f) continue;
            const Colour c = canvas.At(x, y);
            const float d = (kBayer[y & 3][x & 3] + 0.5f) / 16.0f;
            out.At(x, y) = Expand565(Compose(Quantise(c.r, 32, d), Quantise(c.g, 64, d), Quantise(c.b, 32, d)));
        }
    return out;
}

}  // namespace assets

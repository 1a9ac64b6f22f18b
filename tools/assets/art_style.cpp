#include "tools/assets/art_style.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "maze/rng.h"
#include "tools/assets/text.h"

namespace assets {

namespace {

std::uint32_t Hash(int x, int y, std::uint32_t seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 0x8DA6B343u ^ static_cast<std::uint32_t>(y) * 0xD8163841u ^
                      seed * 0xCB1AB31Fu;
    h ^= h >> 13;
    h *= 0x5BD1E995u;
    h ^= h >> 15;
    return h;
}

float Smooth(float t) { return t * t * (3 - 2 * t); }

// A corn leaf: pointed at both ends, widest a third of the way out, slightly curved.
Shape Leaf(Point base, float angle, float length, float width, float bend) {
    std::vector<Point> left;
    std::vector<Point> right;
    const float dx = std::cos(angle);
    const float dy = std::sin(angle);
    constexpr int kSteps = 7;
    for (int i = 0; i <= kSteps; ++i) {
        const float t = static_cast<float>(i) / kSteps;
        const float half = width / 2 * std::sin(std::numbers::pi_v<float> * std::pow(t, 0.7f));
        const float along = length * t;
        const float side = bend * length * t * t;
        const float cx = base.x + dx * along - dy * side;
        const float cy = base.y + dy * along + dx * side;
        left.push_back({cx - dy * half, cy + dx * half});
        right.push_back({cx + dy * half, cy - dx * half});
    }
    left.insert(left.end(), right.rbegin(), right.rend());
    return Polygon(std::move(left));
}

}  // namespace

float Grain(int x, int y, std::uint32_t seed) { return static_cast<float>(Hash(x, y, seed) & 0xFFFF) / 65535.0f; }

float Noise(float x, float y, std::uint32_t seed) {
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const float tx = Smooth(x - fx);
    const float ty = Smooth(y - fy);
    const float a = Grain(ix, iy, seed);
    const float b = Grain(ix + 1, iy, seed);
    const float c = Grain(ix, iy + 1, seed);
    const float d = Grain(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
}

float Fractal(float x, float y, std::uint32_t seed, int octaves) {
    float sum = 0;
    float weight = 0;
    float amplitude = 1;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * Noise(x, y, seed + static_cast<std::uint32_t>(i) * 7919u);
        weight += amplitude;
        amplitude *= 0.5f;
        x *= 2.03f;
        y *= 2.03f;
    }
    return sum / weight;
}

Paint WoodPaint(Colour base, std::uint32_t seed, bool vertical) {
    return [=](float x, float y) {
        const float along = vertical ? y : x;
        const float across = vertical ? x : y;
        const float warp = Fractal(along * 0.012f, across * 0.09f, seed, 3);
        const float rings = 0.5f + 0.5f * std::sin((across * 0.55f + warp * 14.0f));
        const float streak = Noise(along * 0.05f, across * 0.9f, seed + 17u);
        const float fine = Grain(static_cast<int>(along / 3), static_cast<int>(across), seed + 5u);
        return Shade(base, (rings - 0.5f) * 0.22f + (streak - 0.5f) * 0.16f + (fine - 0.5f) * 0.06f);
    };
}

void WoodBoard(Canvas& canvas, Rect rect, float radius, std::uint32_t seed, Colour base) {
    const float x = static_cast<float>(rect.x);
    const float y = static_cast<float>(rect.y);
    const float w = static_cast<float>(rect.width);
    const float h = static_cast<float>(rect.height);
    Fill(canvas, RoundRect(x, y, w, h, radius), Shade(base, -0.55f));
    const Shape face = RoundRect(x + 2, y + 2, w - 4, h - 4, std::max(0.0f, radius - 2));
    Fill(canvas, face, WoodPaint(base, seed));
    const Shape rim = Outline(Grow(face, -1.2f), 1.6f);
    Fill(canvas, Intersect(rim, RoundRect(x, y, w, h * 0.5f, 0)), Shade(base, 0.45f), 0.55f);
    Fill(canvas, Intersect(rim, RoundRect(x, y + h * 0.5f, w, h * 0.5f, 0)), Shade(base, -0.45f), 0.5f);
}

void SunkenPlaque(Canvas& canvas, Rect rect, float radius) {
    const float x = static_cast<float>(rect.x);
    const float y = static_cast<float>(rect.y);
    const float w = static_cast<float>(rect.width);
    const float h = static_cast<float>(rect.height);
    Fill(canvas, RoundRect(x - 1, y - 1, w + 2, h + 2, radius + 1), Shade(palette::kWoodPale, 0.2f), 0.8f);
    Fill(canvas, RoundRect(x, y, w, h, radius), VerticalGradient(Hex(0x170d06), palette::kSlot, y, y + h));
    Fill(canvas, Intersect(Outline(RoundRect(x + 1, y + 1, w - 2, h - 2, radius), 1.2f), RoundRect(x, y, w, 3, 0)),
         Hex(0x000000), 0.5f);
}

void Inked(Canvas& canvas, const Shape& shape, const Paint& paint, float line, Colour ink) {
    Fill(canvas, Grow(shape, line), ink);
    Fill(canvas, shape, paint);
}

void Inked(Canvas& canvas, const Shape& shape, Colour colour, float line, Colour ink) {
    Inked(canvas, shape, Solid(colour), line, ink);
}

void PaintCornCob(Canvas& canvas, float cx, float cy, float size, bool waving) {
    const float u = size / 68;  // the figure is drawn on a 68-unit-tall cob
    auto p = [&](float x, float y) { return Point{cx + x * u, cy + y * u}; };
    const Colour husk = palette::kLeaf;
    // Arms behind the cob.
    const Point leftHand = waving ? p(-36, -26) : p(-30, 14);
    Inked(canvas, Capsule(p(-14, 6), leftHand, 2.2f * u), palette::kLeafDark, 1.4f * u);
    Inked(canvas, Circle(leftHand.x, leftHand.y, 4 * u), palette::kLeafLight, 1.4f * u);
    Inked(canvas, Capsule(p(14, 6), p(32, 14), 2.2f * u), palette::kLeafDark, 1.4f * u);
    Inked(canvas, Circle(cx + 32 * u, cy + 14 * u, 4 * u), palette::kLeafLight, 1.4f * u);
    // The silk on top.
    for (int i = -2; i <= 2; ++i)
        Fill(canvas,
             Capsule(p(0, -32), p(static_cast<float>(i) * 4, -42 + std::abs(static_cast<float>(i)) * 2), 1.2f * u),
             Shade(palette::kGoldDeep, -0.2f));
    // The cob, kernel by kernel.
    const Shape cob = Ellipse(cx, cy, 19 * u, 34 * u);
    const Paint kernels = [=](float x, float y) {
        const float kx = (x - cx) / (6.2f * u) + 0.5f;
        const float ky = (y - cy) / (5.2f * u);
        const float fx = kx - std::floor(kx);
        const float fy = ky - std::floor(ky);
        const float edge = std::min({fx, 1 - fx, fy, 1 - fy});
        const float round = 1 - std::abs(x - cx) / (19 * u);
        return Shade(Mix(palette::kGoldDeep, palette::kGold, std::min(1.0f, edge * 5)), (round - 0.5f) * 0.35f);
    };
    Inked(canvas, cob, kernels, 1.8f * u);
    // Husk leaves folded round its foot.
    Inked(canvas, Polygon({p(-4, 34), p(-30, 8), p(-22, -14), p(-12, 16)}), husk, 1.6f * u);
    Inked(canvas, Polygon({p(4, 34), p(28, 4), p(24, -18), p(12, 14)}), Shade(husk, 0.1f), 1.6f * u);
    Inked(canvas, Polygon({p(-10, 36), p(0, 10), p(10, 36)}), palette::kLeafDark, 1.6f * u);
    // The face.
    for (float side : {-1.0f, 1.0f}) {
        Inked(canvas, Ellipse(cx + side * 7 * u, cy - 8 * u, 4.6f * u, 5.6f * u), Hex(0xffffff), 1.3f * u);
        Fill(canvas, Circle(cx + side * 7 * u + 1.2f * u, cy - 7 * u, 2.4f * u), palette::kInk);
        Fill(canvas, Circle(cx + side * 7 * u + 1.9f * u, cy - 8.2f * u, 0.9f * u), Hex(0xffffff));
        Fill(canvas, Ellipse(cx + side * 12 * u, cy + 2 * u, 3.4f * u, 2.2f * u), Hex(0xf08a5a), 0.6f);
    }
    const Shape smile = Intersect(Outline(Circle(cx, cy - 2 * u, 8 * u), 2.2f * u),
                                  RoundRect(cx - 10 * u, cy + 1 * u, 20 * u, 10 * u, 0));
    Fill(canvas, smile, palette::kInk);
}

void PaintCorn(Canvas& canvas, Rect area, float scale, std::uint64_t seed, float brightness) {
    Canvas field(area.width, area.height);
    const auto w = static_cast<float>(area.width);
    const auto h = static_cast<float>(area.height);
    const auto noiseSeed = static_cast<std::uint32_t>(seed);
    for (int y = 0; y < area.height; ++y)
        for (int x = 0; x < area.width; ++x) {
            const float n = Fractal(static_cast<float>(x) / (18 * scale), static_cast<float>(y) / (18 * scale),
                                    noiseSeed);
            field.Set(x, y, Mix(palette::kLeafDeep, palette::kLeafDark, n));
        }
    Rng rng(seed);
    const Colour greens[] = {palette::kLeafDark, palette::kLeaf, palette::kLeaf, palette::kLeafLight,
                             palette::kLeafYellow};
    const int leaves = static_cast<int>(w * h / (scale * scale * 10.0f));
    for (int i = 0; i < leaves; ++i) {
        const Point base{static_cast<float>(rng.Between(-8 * scale, w + 8 * scale)),
                         static_cast<float>(rng.Between(-8 * scale, h + 8 * scale))};
        const float angle = static_cast<float>(rng.Between(0, 2 * std::numbers::pi));
        const float length = static_cast<float>(rng.Between(8, 15)) * scale;
        const float width = static_cast<float>(rng.Between(1.8, 2.8)) * scale;
        const float bend = static_cast<float>(rng.Between(-0.25, 0.25));
        const Colour colour = Shade(greens[rng.Below(5)], brightness + static_cast<float>(rng.Between(-0.12, 0.1)));
        const float light = Fractal(base.x / (30 * scale), base.y / (30 * scale), noiseSeed + 3u) - 0.5f;
        if (scale < 2) {
            const Point tip{base.x + std::cos(angle) * length, base.y + std::sin(angle) * length};
            Fill(field, Capsule(base, tip, width / 2), Shade(colour, light * 0.4f));
        } else {
            Fill(field, Leaf(base, angle, length, width, bend), Shade(colour, light * 0.4f));
            const Point mid{base.x + std::cos(angle) * length * 0.8f, base.y + std::sin(angle) * length * 0.8f};
            Fill(field, Capsule(base, mid, 0.18f * scale), Shade(colour, 0.35f), 0.55f);
        }
    }
    const int tassels = static_cast<int>(w * h / (scale * scale * 160.0f));
    for (int i = 0; i < tassels; ++i) {
        const float cx = static_cast<float>(rng.Between(0, w));
        const float cy = static_cast<float>(rng.Between(0, h));
        for (int k = 0; k < 5; ++k) {
            const float a = static_cast<float>(rng.Between(0, 2 * std::numbers::pi));
            const float r = static_cast<float>(rng.Between(0, 2.2)) * scale;
            Fill(field, Circle(cx + std::cos(a) * r, cy + std::sin(a) * r, 0.45f * scale + 0.2f),
                 Shade(Mix(palette::kLeafYellow, palette::kWoodPale, static_cast<float>(rng.Unit())), brightness));
        }
    }
    canvas.Draw(field, area.x, area.y);
}

void PaintSoil(Canvas& canvas, Rect area, std::uint32_t seed) {
    for (int y = area.y; y < area.y + area.height; ++y)
        for (int x = area.x; x < area.x + area.width; ++x) {
            const auto fx = static_cast<float>(x);
            const auto fy = static_cast<float>(y);
            const float n = Fractal(fx / 40, fy / 14, seed);
            const float furrow = 0.5f + 0.5f * std::sin(fy * 0.7f + Fractal(fx / 60, fy / 60, seed + 9u) * 6);
            const float grit = Grain(x, y, seed + 1u);
            Colour c = Mix(palette::kSoilDark, palette::kSoil, n * 0.7f + furrow * 0.3f);
            c = Shade(c, (grit - 0.5f) * 0.12f);
            canvas.Set(x, y, c);
        }
}

void PaintGameTitle(Canvas& canvas, float centreX, float baseline) {
    TextStyle title;
    title.face = Typeface::SerifBold;
    title.pixels = 40;
    title.paint = VerticalGradient(palette::kGoldPale, palette::kGold, 14, 50);
    title.outline = 3;
    title.outlineColour = palette::kInk;
    title.shadow = 3;
    title.tracking = 2;
    DrawCentred(canvas, "STALKWAY", centreX, baseline, title);
}

}  // namespace assets

// Where the art is drawn before it becomes a file: colours in floating point (0 to 255 a channel)
// with a coverage per pixel, so that shapes and text blend smoothly and the 16-bit rounding
// happens once, at the end.
#pragma once

#include <algorithm>
#include <vector>

namespace assets {

struct Colour {
    float r = 0;
    float g = 0;
    float b = 0;
};

inline Colour operator+(Colour a, Colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Colour operator*(Colour a, float k) { return {a.r * k, a.g * k, a.b * k}; }
inline Colour Mix(Colour a, Colour b, float t) { return a * (1 - t) + b * t; }
// Lighter towards white (amount > 0) or darker towards black (amount < 0).
inline Colour Shade(Colour c, float amount) {
    return amount >= 0 ? Mix(c, {255, 255, 255}, amount) : Mix(c, {0, 0, 0}, -amount);
}
inline Colour Hex(unsigned rgb) {
    return {static_cast<float>(rgb >> 16 & 255), static_cast<float>(rgb >> 8 & 255), static_cast<float>(rgb & 255)};
}

class Canvas {
public:
    Canvas() = default;
    // A clear canvas (coverage 0) unless told otherwise.
    Canvas(int width, int height, Colour fill = {}, float alpha = 0)
        : width_(width), height_(height), colours_(Size(), fill), alpha_(Size(), alpha) {}

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    Colour At(int x, int y) const { return colours_[Index(x, y)]; }
    float Alpha(int x, int y) const { return alpha_[Index(x, y)]; }
    void Set(int x, int y, Colour c, float alpha = 1) {
        colours_[Index(x, y)] = c;
        alpha_[Index(x, y)] = alpha;
    }

    // Paints `c` over the pixel with the given coverage (0 to 1).
    void Blend(int x, int y, Colour c, float coverage) {
        if (!Inside(x, y) || coverage <= 0) return;
        coverage = std::min(coverage, 1.0f);
        const std::size_t i = Index(x, y);
        const float before = alpha_[i];
        const float after = coverage + before * (1 - coverage);
        colours_[i] = after > 0 ? (c * coverage + colours_[i] * (before * (1 - coverage))) * (1 / after) : c;
        alpha_[i] = after;
    }

    // Paints another canvas over this one with its top-left corner at (x, y).
    void Draw(const Canvas& other, int x, int y, float opacity = 1) {
        for (int row = 0; row < other.height_; ++row)
            for (int column = 0; column < other.width_; ++column)
                Blend(x + column, y + row, other.At(column, row), other.Alpha(column, row) * opacity);
    }

private:
    std::size_t Size() const { return static_cast<std::size_t>(width_) * height_; }
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }

    int width_ = 0;
    int height_ = 0;
    std::vector<Colour> colours_;
    std::vector<float> alpha_;
};

}  // namespace assets

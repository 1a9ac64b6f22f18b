// A plain model of a small 16-bit surface and of what a copy onto it does, to hold the surfaces'
// shortcuts against: whatever they leave out, the pixels must come out as the model's.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "platform/api/ddraw.h"
#include "platform/ddraw_helpers.h"

namespace testing_ddraw {

constexpr int kModelWidth = 16;
constexpr int kModelHeight = 12;

struct Model {
    std::vector<std::uint16_t> pixels = std::vector<std::uint16_t>(kModelWidth * kModelHeight, 0);
    bool keyed = false;
    DWORD low = 0;
    DWORD high = 0;
    std::uint16_t& At(int x, int y) { return pixels[static_cast<size_t>(y * kModelWidth + x)]; }
    std::uint16_t At(int x, int y) const { return pixels[static_cast<size_t>(y * kModelWidth + x)]; }
    bool Transparent(std::uint16_t value) const { return keyed && value >= low && value <= (high < low ? low : high); }
};

// The source pixel a stretched copy takes for target pixel i of n, from m.
inline int CentreSample(int i, int n, int m) { return (2 * i + 1) * m / (2 * n); }

inline void ModelCopy(const Model& source, Model& target, const RECT& from, const RECT& to, bool keyed) {
    const Model snapshot = source;  // a copy within one surface reads what was there before
    const int tw = to.right - to.left, th = to.bottom - to.top;
    const int sw = from.right - from.left, sh = from.bottom - from.top;
    for (int y = 0; y < th; ++y)
        for (int x = 0; x < tw; ++x) {
            const std::uint16_t value = snapshot.At(from.left + CentreSample(x, tw, sw),
                                                    from.top + CentreSample(y, th, sh));
            if (!(keyed && snapshot.Transparent(value))) target.At(to.left + x, to.top + y) = value;
        }
}

// Fills a surface and its model alike with values 0 to 7, so that the key ranges the tests set
// catch plenty of pixels.
inline void FillAlike(IDirectDrawSurface* surface, Model& model, std::mt19937& random) {
    Locked lock(surface);
    for (int y = 0; y < kModelHeight; ++y)
        for (int x = 0; x < kModelWidth; ++x) {
            const auto value = static_cast<std::uint16_t>(random() % 8);
            lock.Set(x, y, value);
            model.At(x, y) = value;
        }
}

}  // namespace testing_ddraw

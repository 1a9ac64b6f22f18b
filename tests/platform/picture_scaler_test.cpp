// The scaler behind the desktop's presentation: crisp whole-number blocks, blending only where the
// filter says, small pictures that keep their thin lines, and changed areas that cover every
// output pixel they change.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/core/picture_scaler.h"
#include "platform/core/widened_colours.h"

namespace {

using platform::Placement;
using platform::ScaleFilter;

struct Source {
    int width;
    int height;
    std::vector<std::uint16_t> pixels;
    Source(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h) {
        for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint16_t>(i * 2654435761u >> 7);
    }
};

std::vector<std::uint32_t> ScaleWhole(const Source& s, ScaleFilter filter, int width, int height) {
    platform::PictureScaler scaler;
    scaler.Configure(filter, s.width, s.height, Placement{0, 0, width, height});
    std::vector<std::uint32_t> out(static_cast<size_t>(width) * height);
    scaler.Scale(s.pixels.data(), s.width, platform::PixelLayout::Rgb565, RECT{0, 0, width, height}, out.data(), width);
    return out;
}

TEST(PictureScaler, WholeFactorsGiveExactBlocksWithSharpAndNearest) {
    const Source s(40, 30);
    for (ScaleFilter filter : {ScaleFilter::Sharp, ScaleFilter::Nearest}) {
        const std::vector<std::uint32_t> one = ScaleWhole(s, filter, 40, 30);
        const std::vector<std::uint32_t> three = ScaleWhole(s, filter, 120, 90);
        for (int y = 0; y < 90; ++y)
            for (int x = 0; x < 120; ++x)
                ASSERT_EQ(three[static_cast<size_t>(y) * 120 + x], one[static_cast<size_t>(y / 3) * 40 + x / 3]);
    }
}

// What an output pixel is by definition: its source pixel mixed with the one after it across, by
// the column's weight, and the same for the row below, then the two rows mixed by the row's weight.
std::uint32_t MixedPixel(const std::uint32_t* colours, const Source& s, const platform::AxisTaps& columns,
                         const platform::AxisTaps& rows, int x, int y) {
    const auto mix = [](std::uint32_t a, std::uint32_t b, int w) {
        std::uint32_t c = 0;
        for (int shift : {0, 8, 16}) c |= (((a >> shift & 0xFF) * (256 - w) + (b >> shift & 0xFF) * w) >> 8) << shift;
        return c;
    };
    const auto across = [&](int sy) {
        const int sx = columns.first[static_cast<size_t>(x)], wx = columns.weight[static_cast<size_t>(x)];
        const std::uint16_t* row = s.pixels.data() + static_cast<size_t>(sy) * s.width;
        return mix(colours[row[sx]], colours[row[wx != 0 ? sx + 1 : sx]], wx);
    };
    const int sy = rows.first[static_cast<size_t>(y)], wy = rows.weight[static_cast<size_t>(y)];
    return mix(across(sy), across(wy != 0 ? sy + 1 : sy), wy);
}

TEST(PictureScaler, EveryOutputPixelOfAnAreaIsItsTapsMixed) {
    const Source s(80, 60);
    const std::uint32_t* colours = platform::WidenedColours(platform::PixelLayout::Rgb565);
    for (ScaleFilter filter : {ScaleFilter::Sharp, ScaleFilter::Linear}) {
        for (const auto& [w, h] : {std::pair{144, 108}, std::pair{57, 41}, std::pair{200, 150}}) {
            platform::PictureScaler scaler;
            scaler.Configure(filter, 80, 60, Placement{0, 0, w, h});
            const platform::AxisTaps columns = platform::PlanAxis(filter, 80, w);
            const platform::AxisTaps rows = platform::PlanAxis(filter, 60, h);
            // Areas starting at odd columns and narrower than the vector mix's four colours too.
            for (const RECT area : {RECT{0, 0, w, h}, RECT{3, 5, w - 6, h - 1}, RECT{w / 2 + 1, 2, w / 2 + 4, 9}}) {
                std::vector<std::uint32_t> out(static_cast<size_t>(w) * h, 0xDEADBEEF);
                scaler.Scale(s.pixels.data(), s.width, platform::PixelLayout::Rgb565, area, out.data(), w);
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x) {
                        const bool inside = x >= area.left && x < area.right && y >= area.top && y < area.bottom;
                        ASSERT_EQ(out[static_cast<size_t>(y) * w + x],
                                  inside ? MixedPixel(colours, s, columns, rows, x, y) : 0xDEADBEEF)
                            << w << "x" << h << " filter " << static_cast<int>(filter) << " at " << x << "," << y;
                    }
            }
        }
    }
}

TEST(PictureScaler, SharpKeepsEveryPixelWholeAndBlendsOnlyAtItsEdges) {
    // 3.6 output pixels a source pixel: the blend spans a third of a source pixel at each edge.
    const platform::AxisTaps taps = platform::PlanAxis(ScaleFilter::Sharp, 800, 2880);
    int blended = 0;
    std::vector<int> pure(800, 0);
    for (size_t i = 0; i < taps.first.size(); ++i) {
        blended += taps.weight[i] != 0 ? 1 : 0;
        if (taps.weight[i] == 0) ++pure[static_cast<size_t>(taps.first[i])];
    }
    for (int p = 0; p < 800; ++p) ASSERT_GE(pure[static_cast<size_t>(p)], 2) << p;
    EXPECT_GT(blended, 0);
    EXPECT_LE(blended, 2 * 800);
    const platform::AxisTaps linear = platform::PlanAxis(ScaleFilter::Linear, 800, 2880);
    int linearBlended = 0;
    for (size_t i = 0; i < linear.first.size(); ++i) linearBlended += linear.weight[i] != 0 ? 1 : 0;
    EXPECT_GT(linearBlended, 2 * blended);
}

TEST(PictureScaler, BelowThePicturesSizeAThinLineStaysVisibleWithEveryFilter) {
    Source s(800, 600);
    std::fill(s.pixels.begin(), s.pixels.end(), 0);
    for (int y = 0; y < 600; ++y) s.pixels[static_cast<size_t>(y) * 800 + 401] = 0xFFFF;
    for (ScaleFilter filter : {ScaleFilter::Sharp, ScaleFilter::Nearest, ScaleFilter::Linear}) {
        const std::vector<std::uint32_t> out = ScaleWhole(s, filter, 640, 480);
        std::uint32_t brightest = 0;
        for (int x = 0; x < 640; ++x) brightest = std::max(brightest, out[static_cast<size_t>(240) * 640 + x] & 0xFF);
        EXPECT_GE(brightest, 100u) << static_cast<int>(filter);
    }
}

TEST(PictureScaler, TheOutputAreaOfAChangeHoldsEveryOutputPixelItChanged) {
    for (ScaleFilter filter : {ScaleFilter::Sharp, ScaleFilter::Nearest, ScaleFilter::Linear}) {
        for (const auto& [w, h] : {std::pair{1440, 1080}, std::pair{517, 389}, std::pair{2400, 1800}}) {
            Source s(80, 60);
            const std::vector<std::uint32_t> before = ScaleWhole(s, filter, w, h);
            const RECT changed{17, 9, 23, 31};
            for (LONG y = changed.top; y < changed.bottom; ++y)
                for (LONG x = changed.left; x < changed.right; ++x) s.pixels[static_cast<size_t>(y) * 80 + x] ^= 0xFFFF;
            const std::vector<std::uint32_t> after = ScaleWhole(s, filter, w, h);
            platform::PictureScaler scaler;
            scaler.Configure(filter, 80, 60, Placement{0, 0, w, h});
            const RECT out = scaler.OutputArea(changed);
            int differing = 0;
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) {
                    if (before[static_cast<size_t>(y) * w + x] == after[static_cast<size_t>(y) * w + x]) continue;
                    ++differing;
                    ASSERT_TRUE(x >= out.left && x < out.right && y >= out.top && y < out.bottom)
                        << w << "x" << h << " filter " << static_cast<int>(filter) << " at " << x << "," << y;
                }
            }
            EXPECT_GT(differing, 0);
        }
    }
}

}  // namespace

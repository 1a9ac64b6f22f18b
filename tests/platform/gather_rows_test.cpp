// The stretched row gather, in each form this processor runs, against its rule: target pixel x is
// the source pixel under its centre, for enlargements, equal sizes and reductions alike.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "platform/ddraw/gather_rows.h"

namespace {

TEST(GatherRows, EveryKernelPicksTheSourcePixelUnderEachCentre) {
    std::mt19937 random(11);
    ASSERT_FALSE(platform::blit::GatherRow16Kernels().empty());
    for (platform::blit::GatherRow16Kernel kernel : platform::blit::GatherRow16Kernels()) {
        for (int width = 0; width <= 140; width += 1 + static_cast<int>(random() % 3)) {
            for (int fromWidth : {1, 2, 7, 31, 32, 33, 58, 64, 100, 140}) {
                // Exactly as long as the row, so that a read past its end shows under the sanitizers.
                std::vector<std::uint16_t> from(static_cast<std::size_t>(fromWidth));
                for (std::uint16_t& p : from) p = static_cast<std::uint16_t>(random());
                std::vector<int> columns(static_cast<std::size_t>(width));
                std::vector<std::uint16_t> expected(columns.size());
                for (int x = 0; x < width; ++x) {
                    columns[x] = (2 * x + 1) * fromWidth / (2 * width);
                    expected[x] = from[columns[x]];
                }
                std::vector<std::uint16_t> to(columns.size() + 2, 0xABCD);  // two guard pixels
                kernel(to.data(), from.data(), columns.data(), width, fromWidth);
                ASSERT_EQ(std::vector<std::uint16_t>(to.begin(), to.begin() + width), expected)
                    << width << " from " << fromWidth;
                EXPECT_EQ(to[width], 0xABCD) << "written past the row";
                EXPECT_EQ(to[width + 1], 0xABCD) << "written past the row";
            }
        }
    }
}

// Whole enlargements take their own path: widths round the sixteen- and thirty-two-pixel blocks.
TEST(GatherRows, AWholeEnlargementRepeatsEachSourcePixel) {
    std::mt19937 random(12);
    for (int factor = 1; factor <= 5; ++factor) {
        for (int fromWidth : {1, 3, 7, 8, 9, 15, 16, 17, 58}) {
            std::vector<std::uint16_t> from(static_cast<std::size_t>(fromWidth));
            for (std::uint16_t& p : from) p = static_cast<std::uint16_t>(random());
            const int width = fromWidth * factor;
            std::vector<std::uint16_t> to(static_cast<std::size_t>(width) + 1, 0xABCD);
            platform::blit::RepeatRow16(to.data(), from.data(), factor, width);
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(to[x], from[x / factor]) << x << ", x" << factor << " of " << fromWidth;
            EXPECT_EQ(to[width], 0xABCD) << "written past the row";
        }
    }
}

}  // namespace

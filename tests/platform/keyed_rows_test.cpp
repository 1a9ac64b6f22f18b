// The transparent row copy, in each form this processor runs, against its rule: every source
// pixel outside the key range lands, every one inside it leaves the target's pixel.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "platform/ddraw/keyed_rows.h"

namespace {

using Pixels = std::vector<std::uint16_t>;

Pixels ByRule(const Pixels& target, const Pixels& source, int from, int width, std::uint16_t low, std::uint16_t span) {
    Pixels result = target;
    for (int x = 0; x < width; ++x) {
        const std::uint16_t value = source[from + x];
        if (static_cast<std::uint16_t>(value - low) > span) result[from + x] = value;
    }
    return result;
}

// Runs of keyed and unkeyed pixels of every length, so that blocks of sixteen come wholly
// transparent, wholly opaque and mixed, with each remainder after the last block.
Pixels Source(std::mt19937& random, int size, std::uint16_t low, std::uint16_t span) {
    Pixels pixels;
    while (static_cast<int>(pixels.size()) < size) {
        const bool keyed = random() % 2 == 0;
        const int run = static_cast<int>(random() % 40);
        for (int i = 0; i < run; ++i) {
            const std::uint16_t inside = static_cast<std::uint16_t>(low + random() % (span + 1u));
            pixels.push_back(keyed ? inside : static_cast<std::uint16_t>(random()));
        }
    }
    pixels.resize(static_cast<size_t>(size));
    return pixels;
}

TEST(KeyedRows, EveryKernelFollowsTheRule) {
    // A single value, a range, and ranges that start at 0 and end at the top.
    const std::uint16_t keys[][2] = {{0x001F, 0}, {0x1000, 0x00FF}, {0, 3}, {0xFFF0, 0x000F}, {0x8000, 0x7FFF}};
    std::mt19937 random(7);
    ASSERT_FALSE(platform::blit::KeyedRow16Kernels().empty());
    for (platform::blit::KeyedRow16 kernel : platform::blit::KeyedRow16Kernels()) {
        for (const auto& key : keys) {
            for (int width = 0; width <= 70; ++width) {
                const int from = static_cast<int>(random() % 3);  // rows need not be aligned
                const Pixels source = Source(random, 80, key[0], key[1]);
                Pixels target(80);
                for (std::uint16_t& p : target) p = static_cast<std::uint16_t>(random());
                const Pixels expected = ByRule(target, source, from, width, key[0], key[1]);
                kernel(target.data() + from, source.data() + from, width, key[0], key[1]);
                ASSERT_EQ(target, expected) << "width " << width << ", key " << key[0] << "+" << key[1];
            }
        }
    }
}

}  // namespace

// DecodeBmp on small files made for the purpose: each depth to known pixels, and the palette as the
// game's pictures have always been read. The corpus tests compare through 5-6-5 surfaces, which
// hide rounding and the exact palette.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "platform/bmp_builder.h"
#include "platform/qz/bmp_decoder.h"
#include "platform/qz/bmp_rle.h"

namespace {

using namespace testing_bmp;
using Bytes = std::vector<std::uint8_t>;

Bytes GreyPalette(int entries) {
    Bytes palette;
    for (int i = 0; i < entries; ++i) {
        const auto grey = static_cast<std::uint8_t>(i);
        palette.insert(palette.end(), {grey, grey, grey, 0});
    }
    return palette;
}

// Bit-field masks follow a 40-byte header where a palette would be.
Bytes Masks(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    Bytes masks;
    for (std::uint32_t mask : {red, green, blue}) Put(masks, mask, 4);
    return masks;
}

std::array<int, 3> Rgb(const platform::BmpColour& c) { return {c.red, c.green, c.blue}; }

TEST(BmpDecoding, PackedIndicesComeHighBitsFirstFromPaddedBottomUpRows) {
    struct Case {
        int bits, width, height;
        Bytes pixels;   // stored rows, bottom first
        Bytes indices;  // top row first
    };
    const Case cases[] = {
        {1,
         9,
         2,
         {0b10110000, 0b10000000, 0, 0, 0b01000000, 0, 0, 0},
         {0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 1, 0, 0, 0, 0, 1}},
        {2, 5, 1, {0b00011011, 0b11000000, 0, 0}, {0, 1, 2, 3, 3}},
        {4, 3, 1, {0x5A, 0x30, 0, 0}, {5, 10, 3}},
    };
    for (const Case& c : cases) {
        const auto image = platform::DecodeBmp(BuildBmp({c.width, c.height, c.bits, 0, GreyPalette(11), c.pixels}));
        ASSERT_TRUE(image.has_value()) << c.bits << " bits";
        EXPECT_EQ(image->indices, c.indices) << c.bits << " bits";
    }
}

TEST(BmpDecoding, EachMaskedFieldIsRoundedToTheFullRange) {
    struct Case {
        int bits;
        Bytes masks;  // none for the default masks
        std::uint32_t pixel;
        std::array<int, 3> rgb;
    };
    const Case cases[] = {
        {16, {}, 0x4210, {132, 132, 132}},  // 5-bit 16 is 131.6
        {16, {}, 0x7FFF, {255, 255, 255}},
        {16, Masks(0x0F00, 0x00F0, 0x000F), 0xF1A5, {17, 170, 85}},  // the top nibble belongs to no colour
        {32, Masks(0x3FF00000, 0x000FFC00, 0x000003FF), (512u << 20) | (1023u << 10) | 3u, {128, 255, 1}},
        {32, {}, 0xAB112233, {0x11, 0x22, 0x33}},  // the top byte is no colour
    };
    for (const Case& c : cases) {
        Bytes pixel;
        Put(pixel, c.pixel, 4);
        const std::uint32_t compression = c.masks.empty() ? 0 : 3;
        const auto image = platform::DecodeBmp(BuildBmp({1, 1, c.bits, compression, c.masks, pixel}));
        ASSERT_TRUE(image.has_value()) << std::hex << c.pixel;
        EXPECT_EQ(Rgb(image->ColourAt(0, 0)), c.rgb) << std::hex << c.pixel;
    }
}

void ExpectEveryValueRounded(const Bytes& file) {
    const auto image = platform::DecodeBmp(file);
    ASSERT_TRUE(image.has_value());
    const auto scaled = [](std::uint32_t value, std::uint32_t largest) {
        return static_cast<int>((value * 255 + largest / 2) / largest);
    };
    int wrong = 0;
    for (std::uint32_t v = 0; v < 65536; ++v) {
        const std::array<int, 3> want{scaled(v >> 15, 1), scaled((v >> 8) & 0x7F, 127), scaled(v & 0xFF, 255)};
        // Rows are stored bottom up: value v lies at row 255 - v / 256 from the top.
        wrong += Rgb(image->ColourAt(static_cast<int>(v % 256), 255 - static_cast<int>(v / 256))) != want;
    }
    EXPECT_EQ(wrong, 0);
}

// Every value of fields one to eight bits wide (all 65,536 pixels of a 1-7-8 layout), each to the
// nearest of 0-255, as 16-bit pictures keep them and as wider ones convert them.
TEST(BmpDecoding, EveryValueOfNarrowFieldsIsRounded) {
    for (const int bits : {16, 32}) {
        Bytes pixels;
        for (std::uint32_t v = 0; v < 65536; ++v) Put(pixels, v, bits / 8);
        ExpectEveryValueRounded(BuildBmp({256, 256, bits, 3, Masks(0x8000, 0x7F00, 0x00FF), pixels}));
    }
}

TEST(BmpDecoding, RleRunsLiteralsAndMovesLandBottomUpWithSkippedPixelsAtZero) {
    const Bytes rle4 = {3, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0, 2, 1, 1, 0, 1};
    EXPECT_EQ(platform::ExpandRle(rle4, 4, 3, true), (Bytes{0, 0, 0, 0, 3, 4, 5, 0, 1, 2, 1, 0}));
    const Bytes rle8 = {2, 5, 0, 2, 1, 0, 1, 6, 0, 0, 0, 3, 7, 8, 9, 0, 0, 1};
    EXPECT_EQ(platform::ExpandRle(rle8, 4, 2, false), (Bytes{7, 8, 9, 0, 5, 5, 0, 6}));
    EXPECT_FALSE(platform::ExpandRle(Bytes{5, 7, 0, 1}, 4, 2, false).has_value());
}

// The game's pictures were made against a reader that gives a palette without a count 256 entries
// whatever the depth, reads bytes past the end of the file as 255 and cuts a longer palette to 256.
TEST(BmpDecoding, PalettesKeepTheShapeTheGamesPicturesWereMadeAgainst) {
    Bytes file = BuildBmp({1, 1, 1, 0, {10, 20, 30, 0, 40, 50, 60, 0}, {0x80, 0xAA, 0xBB, 0xCC}});
    for (int i = 0; i < 4; ++i) file[46 + i] = 0;
    const auto image = platform::DecodeBmp(file);
    ASSERT_TRUE(image.has_value());
    ASSERT_EQ(image->palette.size(), 256u);
    EXPECT_EQ(Rgb(image->palette[1]), (std::array<int, 3>{60, 50, 40}));
    EXPECT_EQ(Rgb(image->palette[2]), (std::array<int, 3>{0xBB, 0xAA, 0x80})) << "taken from the pixels";
    EXPECT_EQ(Rgb(image->palette[3]), (std::array<int, 3>{255, 255, 255})) << "past the end of the file";
    EXPECT_EQ(image->indices, Bytes{1});

    const auto longer = platform::DecodeBmp(BuildBmp({1, 1, 8, 0, GreyPalette(300), {255, 0, 0, 0}}));
    ASSERT_TRUE(longer.has_value());
    EXPECT_EQ(longer->palette.size(), 256u);
}

}  // namespace

// QZLoadBitmap on files made for the purpose, and the BMP checks on damaged input.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "platform/bmp_builder.h"
#include "platform/qz/bmp_decoder.h"
#include "platform/qz/bmp_header.h"
#include "platform/qz/bmp_rle.h"
#include "platform/ddraw_helpers.h"
#include "platform/display_fixture.h"
#include "platform/api/qz.h"
#include "support/scratch_dir.h"

namespace {

namespace fs = std::filesystem;
using namespace testing_bmp;
using testing_ddraw::Locked;
using testing_ddraw::SurfacePtr;

class BitmapFiles : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(folder_ / "Title"); }

    std::string Write(const std::string& name, const BmpFields& fields) {
        const fs::path path = folder_ / name;
        WriteFile(path, BuildBmp(fields));
        return path.string();
    }

    ScratchDir scratch_;
    fs::path folder_{scratch_.Path()};
};

// One 24-bit row, blue-green-red per pixel, padded to four bytes.
BmpFields ColourRow(const std::vector<std::array<std::uint8_t, 3>>& rgb) {
    BmpFields fields;
    fields.width = static_cast<int>(rgb.size());
    for (const auto& c : rgb) fields.pixels.insert(fields.pixels.end(), {c[2], c[1], c[0]});
    while (fields.pixels.size() % 4 != 0) fields.pixels.push_back(0);
    return fields;
}

TEST_F(BitmapFiles, ColoursAreTruncatedIntoFiveSixFiveWithoutADisplay) {
    const std::string file = Write(
        "colours.bmp",
        ColourRow({{0, 0, 255}, {255, 0, 0}, {0, 255, 0}, {255, 255, 255}, {7, 3, 7}, {0x87, 0x47, 0xFC}}));
    const SurfacePtr surface(QZLoadBitmap(file.c_str()));
    ASSERT_NE(surface, nullptr);
    Locked lock(surface.get());
    EXPECT_EQ(lock.Desc().ddpfPixelFormat.dwRBitMask, 0xF800u);
    EXPECT_EQ(lock.Get(0, 0), 0x001Fu);
    EXPECT_EQ(lock.Get(1, 0), 0xF800u);
    EXPECT_EQ(lock.Get(2, 0), 0x07E0u);
    EXPECT_EQ(lock.Get(3, 0), 0xFFFFu);
    EXPECT_EQ(lock.Get(4, 0), 0x0000u);
    EXPECT_EQ(lock.Get(5, 0), (0x10u << 11) | (0x11u << 5) | 0x1Fu);
}

TEST_F(BitmapFiles, EightBitLoadKeepsIndicesAndPaletteOfTopDownRows) {
    BmpFields fields;
    fields.width = 3;
    fields.height = -2;
    fields.bits = 8;
    fields.palette = {255, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0};  // blue, red, green
    fields.pixels = {2, 1, 0, 0, 0, 0, 1, 0};
    const std::string file = Write("indexed.bmp", fields);

    const SurfacePtr indexed(QZLoadBitmap(file.c_str(), 8));
    ASSERT_NE(indexed, nullptr);
    {
        Locked lock(indexed.get());
        EXPECT_EQ(lock.Desc().ddpfPixelFormat.dwRGBBitCount, 8u);
        EXPECT_EQ(lock.Get(0, 0), 2u);
        EXPECT_EQ(lock.Get(1, 0), 1u);
        EXPECT_EQ(lock.Get(2, 1), 1u);
    }
    LPDIRECTDRAWPALETTE palette = nullptr;
    ASSERT_EQ(indexed->GetPalette(&palette), DD_OK);
    PALETTEENTRY entries[3];
    ASSERT_EQ(palette->GetEntries(0, 0, 3, entries), DD_OK);
    palette->Release();
    EXPECT_EQ(entries[0].peBlue, 255);
    EXPECT_EQ(entries[1].peRed, 255);
    EXPECT_EQ(entries[2].peGreen, 255);

    const SurfacePtr colour(QZLoadBitmap(file.c_str(), 16));
    ASSERT_NE(colour, nullptr);
    EXPECT_EQ(testing_ddraw::PixelAt(colour.get(), 0, 0), 0x07E0u);
    EXPECT_EQ(testing_ddraw::PixelAt(colour.get(), 2, 0), 0x001Fu);
}

TEST_F(BitmapFiles, RefusesOtherDepthsMissingFilesAndEightBitLoadsOfTrueColour) {
    const std::string file = Write("colours.bmp", ColourRow({{1, 2, 3}}));
    EXPECT_EQ(SurfacePtr(QZLoadBitmap(file.c_str(), 8)), nullptr);
    EXPECT_EQ(SurfacePtr(QZLoadBitmap(file.c_str(), 24)), nullptr);
    EXPECT_EQ(SurfacePtr(QZLoadBitmap((folder_ / "absent.bmp").c_str())), nullptr);
    EXPECT_EQ(SurfacePtr(QZLoadBitmap(nullptr)), nullptr);
    EXPECT_EQ(SurfacePtr(QZLoadBitmap(folder_.c_str())), nullptr) << "a folder is no file";
    EXPECT_EQ(SurfacePtr(QZLoadBitmap("")), nullptr);
    EXPECT_NE(SurfacePtr(QZLoadBitmap(file.c_str(), 16)), nullptr);
}

// The reason a load gave nothing, as the game tells the player: one file for each reason.
TEST_F(BitmapFiles, CheckSaysWhyALoadGivesNothing) {
    const std::string colours = Write("colours.bmp", ColourRow({{1, 2, 3}}));
    BmpFields indexed;
    indexed.bits = 8;
    indexed.palette = {0, 0, 0, 0};
    indexed.pixels = {0, 0, 0, 0};
    const std::string palettised = Write("indexed.bmp", indexed);
    BmpFields huge = ColourRow({{1, 2, 3}});
    huge.width = 20000;  // the header asks; the file holds one row of one pixel
    const std::string tooWide = Write("wide.bmp", huge);
    huge.width = 8192;
    huge.height = -8193;
    const std::string tooMany = Write("many.bmp", huge);
    std::vector<std::uint8_t> damaged = BuildBmp(ColourRow({{1, 2, 3}, {4, 5, 6}}));
    damaged[0] = 'X';  // no "BM": not a picture at all
    WriteFile(folder_ / "damaged.bmp", damaged);

    EXPECT_EQ(QZCheckBitmap(colours.c_str(), 16), QZ_BITMAP_OK);
    EXPECT_EQ(QZCheckBitmap(colours.c_str(), 8), QZ_BITMAP_NOT_PALETTISED);
    EXPECT_EQ(QZCheckBitmap(palettised.c_str(), 8), QZ_BITMAP_OK);
    EXPECT_EQ(QZCheckBitmap(tooWide.c_str(), 16), QZ_BITMAP_TOO_LARGE);
    EXPECT_EQ(QZCheckBitmap(tooMany.c_str(), 8), QZ_BITMAP_TOO_LARGE);
    EXPECT_EQ(QZCheckBitmap((folder_ / "damaged.bmp").c_str(), 16), QZ_BITMAP_DAMAGED);
    EXPECT_EQ(QZCheckBitmap((folder_ / "absent.bmp").c_str(), 16), QZ_BITMAP_UNREADABLE);
    EXPECT_EQ(QZCheckBitmap(colours.c_str(), 24), QZ_BITMAP_UNREADABLE);
    // The check and the load agree.
    EXPECT_EQ(SurfacePtr(QZLoadBitmap(tooWide.c_str())), nullptr);
    EXPECT_NE(SurfacePtr(QZLoadBitmap(palettised.c_str(), 8)), nullptr);
}

TEST_F(BitmapFiles, WindowsStyleNamesAreFoundFromTheWorkingDirectory) {
    Write("Title/HowToPlay.bmp", ColourRow({{0, 0, 255}}));
    const fs::path previous = fs::current_path();
    fs::current_path(folder_);
    const SurfacePtr surface(QZLoadBitmap("Title\\HowToPlay.bmp"));
    fs::current_path(previous);
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(testing_ddraw::PixelAt(surface.get(), 0, 0), 0x001Fu);
}

class FiveFiveFiveDisplay : public WithDisplay {
protected:
    int DesktopBits() const override { return 15; }
};

TEST_F(FiveFiveFiveDisplay, LoadsTakeTheDisplaysFormat) {
    const ScratchDir scratch;
    const std::string file = scratch / "555.bmp";
    WriteFile(file, BuildBmp(ColourRow({{0, 0, 255}, {255, 0, 0}, {0, 255, 0}, {0, 7, 0}})));
    const SurfacePtr surface(QZLoadBitmap(file.c_str(), 16));
    ASSERT_NE(surface, nullptr);
    Locked lock(surface.get());
    EXPECT_EQ(lock.Desc().ddpfPixelFormat.dwRBitMask, 0x7C00u);
    EXPECT_EQ(lock.Get(0, 0), 0x001Fu);
    EXPECT_EQ(lock.Get(1, 0), 0x7C00u);
    EXPECT_EQ(lock.Get(2, 0), 0x03E0u);
    EXPECT_EQ(lock.Get(3, 0), 0x0000u);
}

std::vector<std::uint8_t> CorpusFile(const char* name) {
    return ReadFile(fs::path(STALKWAY_CORPORA) / "bmp" / "g" / name);
}

// Cut short anywhere, with the file size field telling the truth, a file must be refused.
TEST(BmpDamage, EveryTruncationIsRefused) {
    for (const char* name : {"pal8rle.bmp", "pal4rle.bmp", "rgb16-565.bmp", "pal1.bmp"}) {
        const std::vector<std::uint8_t> whole = CorpusFile(name);
        ASSERT_FALSE(whole.empty()) << name;
        ASSERT_TRUE(platform::DecodeBmp(whole).has_value()) << name;
        for (std::size_t length = 0; length < whole.size(); ++length) {
            std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
            if (length >= 6)
                for (int i = 0; i < 4; ++i) cut[2 + i] = static_cast<std::uint8_t>(length >> (8 * i));
            ASSERT_FALSE(platform::DecodeBmp(cut).has_value()) << name << " cut to " << length;
        }
    }
}

// Random damage must never crash or read out of bounds (the sanitizer build watches), and whatever
// still decodes must be a consistent picture.
TEST(BmpDamage, RandomlyDamagedFilesDecodeConsistentlyOrNotAtAll) {
    std::mt19937 random(20240601);
    for (const char* name : {"pal8rle.bmp", "pal4rle.bmp", "rgb32bf.bmp", "pal8os2.bmp", "rgb16-565pal.bmp"}) {
        const std::vector<std::uint8_t> whole = CorpusFile(name);
        ASSERT_FALSE(whole.empty()) << name;
        for (int round = 0; round < 400; ++round) {
            std::vector<std::uint8_t> damaged = whole;
            const int hits = 1 + static_cast<int>(random() % 4);
            for (int i = 0; i < hits; ++i) {
                // Most damage goes into the headers, where it does the most harm.
                const std::size_t span = random() % 3 == 0 ? damaged.size()
                                                           : std::min<std::size_t>(damaged.size(), 128);
                damaged[random() % span] = static_cast<std::uint8_t>(random());
            }
            const std::optional<platform::BmpImage> image = platform::DecodeBmp(damaged);
            if (!image) continue;
            const std::size_t pixels = static_cast<std::size_t>(image->width) * image->height;
            ASSERT_LE(image->width, platform::kMaxBitmapSide);
            ASSERT_LE(image->height, platform::kMaxBitmapSide);
            if (image->Palettised()) {
                ASSERT_EQ(image->indices.size(), pixels);
                for (std::uint8_t index : image->indices) ASSERT_LT(index, image->palette.size());
            } else {
                ASSERT_EQ(image->colours.size() + image->words.size(), pixels);
            }
        }
    }
}

TEST(BmpHeaderLimits, SidesAndPixelCountAreBounded) {
    const auto header = [](int width, int height) {
        BmpFields fields;
        fields.width = width;
        fields.height = height;
        fields.bits = 8;
        fields.compression = 1;  // RLE8: the stream's bytes need not be a picture's worth
        fields.palette = {0, 0, 0, 0};
        fields.pixels.assign(static_cast<std::size_t>(std::max(width, 1)) * std::max(height, 1) / 255 + 2, 0);
        return platform::ParseBmpHeader(BuildBmp(fields));
    };
    EXPECT_TRUE(header(16384, 1).has_value());
    EXPECT_FALSE(header(16385, 1).has_value());
    EXPECT_FALSE(header(1, 16385).has_value());
    EXPECT_FALSE(header(0, 1).has_value());
    EXPECT_TRUE(header(8192, 8192).has_value());
    EXPECT_FALSE(header(8192, 8193).has_value());
    EXPECT_FALSE(header(8, -8).has_value()) << "RLE rows cannot run top-down";
}

// A few bytes of RLE ("end of picture") could otherwise ask for the largest picture there is.
TEST(BmpHeaderLimits, AnRleStreamDescribesAtMost255PixelsAByte) {
    const auto header = [](int width, int height, std::size_t streamBytes) {
        BmpFields fields;
        fields.width = width;
        fields.height = height;
        fields.bits = 8;
        fields.compression = 1;
        fields.palette = {0, 0, 0, 0};
        fields.pixels.assign(streamBytes, 0);
        return platform::ParseBmpHeader(BuildBmp(fields));
    };
    EXPECT_FALSE(header(8192, 8192, 2).has_value());
    EXPECT_TRUE(header(255, 2, 2).has_value());
    EXPECT_FALSE(header(256, 2, 2).has_value());
    EXPECT_TRUE(header(1000, 1000, 3922).has_value());
    EXPECT_FALSE(header(1000, 1000, 3921).has_value());
}

TEST(RleStream, AcceptsOnlyStreamsThatStayInsideThePicture) {
    using Stream = std::vector<std::uint8_t>;
    const auto fits = [](const Stream& s, bool fourBit = false) { return platform::RleStreamFits(s, 4, 2, fourBit); };
    EXPECT_TRUE(fits({4, 7, 0, 0, 4, 7, 0, 1}));
    EXPECT_TRUE(fits({0, 3, 1, 2, 3, 0, 0, 1}));        // literal of three, padded to four bytes
    EXPECT_TRUE(fits({0, 2, 2, 1, 2, 9, 0, 1}));        // move to (2, 1), then two pixels
    EXPECT_TRUE(fits({0, 0, 0, 0, 0, 1}));              // empty rows up to the top
    EXPECT_FALSE(fits({5, 7, 0, 1}));                   // run past the row's end
    EXPECT_FALSE(fits({0, 0, 0, 0, 1, 7, 0, 1}));       // pixel above the top row
    EXPECT_FALSE(fits({0, 0, 0, 0, 0, 0, 0, 1}));       // line end beyond the top
    EXPECT_FALSE(fits({0, 2, 5, 0, 0, 1}));             // move past the right edge
    EXPECT_FALSE(fits({4, 7}));                         // no end-of-bitmap code
    EXPECT_FALSE(fits({0, 3, 1, 2, 3}));                // literal cut short
    EXPECT_TRUE(fits({0, 4, 0x12, 0x34, 0, 1}, true));  // four 4-bit pixels in two bytes
    EXPECT_FALSE(fits({0, 5, 0x12, 0x34, 0x50, 0, 0, 1}, true));
}

}  // namespace

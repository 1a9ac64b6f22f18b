// The third-party BMP suite: good files load to their expected pixels, bad ones are refused, and
// questionable ones either load correctly or are refused.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/ddraw_helpers.h"
#include "platform/api/qz.h"

namespace {

namespace fs = std::filesystem;
using testing_ddraw::Locked;
using testing_ddraw::SurfacePtr;

const fs::path kCorpus = fs::path(STALKWAY_CORPORA) / "bmp";

std::vector<fs::path> FilesIn(const std::string& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(kCorpus / folder))
        if (entry.path().extension() == ".bmp") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// The expected-output file for a corpus file, empty when the suite gives none.
std::vector<std::uint8_t> Expected(const fs::path& file, const std::string& extension) {
    const fs::path path = kCorpus / "expected" /
                          (file.parent_path().filename().string() + "_" + file.stem().string() + extension);
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// The 5-6-5 pixels a load must give: the file's own where the suite lists them, otherwise its
// colours truncated.
std::vector<std::uint16_t> Expected565(const fs::path& file) {
    std::vector<std::uint16_t> pixels;
    const std::vector<std::uint8_t> exact = Expected(file, ".565");
    for (std::size_t i = 0; i + 1 < exact.size(); i += 2)
        pixels.push_back(static_cast<std::uint16_t>(exact[i] | (exact[i + 1] << 8)));
    if (!pixels.empty()) return pixels;
    const std::vector<std::uint8_t> rgb = Expected(file, ".rgb");
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
        pixels.push_back(
            static_cast<std::uint16_t>(((rgb[i] >> 3) << 11) | ((rgb[i + 1] >> 2) << 5) | (rgb[i + 2] >> 3)));
    return pixels;
}

// Compares a loaded surface with expected values, row by row, reporting the first difference.
template <class Value>
void ExpectPixels(IDirectDrawSurface* surface, const std::vector<Value>& expected, const fs::path& file) {
    Locked lock(surface);
    const int width = static_cast<int>(lock.Desc().dwWidth);
    const int height = static_cast<int>(lock.Desc().dwHeight);
    ASSERT_EQ(expected.size(), static_cast<std::size_t>(width) * height) << file;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            ASSERT_EQ(lock.Get(x, y), expected[static_cast<std::size_t>(y) * width + x])
                << file << " at (" << x << ", " << y << ")";
}

void ExpectPalette(IDirectDrawSurface* surface, const fs::path& file) {
    const std::vector<std::uint8_t> colours = Expected(file, ".pal");
    LPDIRECTDRAWPALETTE palette = nullptr;
    ASSERT_EQ(surface->GetPalette(&palette), DD_OK) << file;
    PALETTEENTRY entries[256];
    ASSERT_EQ(palette->GetEntries(0, 0, 256, entries), DD_OK);
    palette->Release();
    const std::size_t count = std::min<std::size_t>(colours.size() / 3, 256);
    ASSERT_GT(count, 0u) << file;
    for (std::size_t i = 0; i < count; ++i) {
        EXPECT_EQ(entries[i].peRed, colours[3 * i]) << file << " entry " << i;
        EXPECT_EQ(entries[i].peGreen, colours[3 * i + 1]) << file << " entry " << i;
        EXPECT_EQ(entries[i].peBlue, colours[3 * i + 2]) << file << " entry " << i;
    }
}

// Checks whatever the suite lists for the file against the two kinds of load.
void ExpectLoadsAsListed(const fs::path& file, bool mustLoad) {
    const SurfacePtr display(QZLoadBitmap(file.c_str()));
    const std::vector<std::uint16_t> pixels = Expected565(file);
    if (mustLoad) {
        ASSERT_NE(display, nullptr) << file;
    }
    if (display != nullptr && !pixels.empty()) ExpectPixels(display.get(), pixels, file);

    const std::vector<std::uint8_t> indices = Expected(file, ".idx");
    const SurfacePtr indexed(QZLoadBitmap(file.c_str(), 8));
    if (mustLoad && !indices.empty()) {
        ASSERT_NE(indexed, nullptr) << file;
    }
    if (indices.empty()) {
        EXPECT_EQ(indexed, nullptr) << file << " is not palettised";
    }
    if (indexed == nullptr || indices.empty()) return;
    ExpectPixels(indexed.get(), indices, file);
    ExpectPalette(indexed.get(), file);
}

TEST(BmpCorpus, GoodFilesLoadToTheirExpectedPixels) {
    const std::vector<fs::path> files = FilesIn("g");
    ASSERT_EQ(files.size(), 27u);
    for (const fs::path& file : files) {
        ASSERT_FALSE(Expected565(file).empty()) << file << " has no expected pixels";
        ExpectLoadsAsListed(file, true);
    }
}

TEST(BmpCorpus, BadFilesAreRefused) {
    const std::vector<fs::path> files = FilesIn("b");
    ASSERT_EQ(files.size(), 20u);
    for (const fs::path& file : files) {
        EXPECT_EQ(SurfacePtr(QZLoadBitmap(file.c_str())), nullptr) << file;
        EXPECT_EQ(SurfacePtr(QZLoadBitmap(file.c_str(), 8)), nullptr) << file;
    }
}

TEST(BmpCorpus, QuestionableFilesLoadCorrectlyOrNotAtAll) {
    const std::vector<fs::path> files = FilesIn("q");
    ASSERT_EQ(files.size(), 43u);
    for (const fs::path& file : files) ExpectLoadsAsListed(file, false);
}

TEST(BmpCorpus, BitmapArrayContainerIsRefused) {
    const fs::path file = kCorpus / "x" / "ba-bm.bmp";
    ASSERT_TRUE(fs::exists(file));
    EXPECT_EQ(SurfacePtr(QZLoadBitmap(file.c_str())), nullptr);
}

}  // namespace

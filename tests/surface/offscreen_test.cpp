// Off-screen surfaces, fills, sizes, centring and frame cutting.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "platform/display_fixture.h"
#include "platform/bmp_builder.h"
#include "platform/ddraw_helpers.h"
#include "surface/surface.h"

namespace {

namespace fs = std::filesystem;
using namespace testing_ddraw;

TEST(CreateOffscreenSurface, NeedsADisplay) {
    ASSERT_EQ(QZGetLPDD(), nullptr);
    EXPECT_EQ(CreateOffscreenSurface(10, 10), nullptr);
}

using Offscreen = WithDisplay;

TEST_F(Offscreen, SurfacesHaveTheDisplayFormatAndBlackAsTheirKey) {
    const SurfacePtr surface(CreateOffscreenSurface(33, 21));
    ASSERT_NE(surface, nullptr);
    int width = 0, height = 0;
    GetSurfaceSize(surface.get(), &width, &height);
    EXPECT_EQ(width, 33);
    EXPECT_EQ(height, 21);
    DDSURFACEDESC mode = EmptyDesc(), desc = EmptyDesc();
    ASSERT_EQ(QZGetLPDD()->GetDisplayMode(&mode), DD_OK);
    ASSERT_EQ(surface->GetSurfaceDesc(&desc), DD_OK);
    EXPECT_EQ(desc.ddpfPixelFormat.dwRBitMask, mode.ddpfPixelFormat.dwRBitMask);
    DDCOLORKEY key{1, 1};
    ASSERT_EQ(surface->GetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    EXPECT_EQ(key.dwColorSpaceLowValue, 0u);
    EXPECT_EQ(key.dwColorSpaceHighValue, 0u);
    EXPECT_EQ(CreateOffscreenSurface(0, 5), nullptr);
    EXPECT_EQ(CreateOffscreenSurface(20000, 5), nullptr);
}

TEST(FillSurface, FillsEveryPixelWithTheLowSixteenBits) {
    const SurfacePtr surface = Make565(5, 4);
    FillSurface(surface.get(), 0x12345);
    Locked lock(surface.get());
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(lock.Get(x, y), 0x2345u);
}

TEST(GetSurfaceSize, GivesZeroForNoSurface) {
    int width = 5, height = 5;
    GetSurfaceSize(nullptr, &width, &height);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 0);
}

TEST(CenterRect, CentresWithTruncatedHalves) {
    const SurfacePtr even = Make565(40, 30);
    RECT rect{};
    CenterRect(even.get(), 0, 0, 800, 600, &rect);
    EXPECT_EQ(rect.left, 380);
    EXPECT_EQ(rect.top, 285);
    EXPECT_EQ(rect.right, 420);
    EXPECT_EQ(rect.bottom, 315);
    const SurfacePtr odd = Make565(41, 31);
    CenterRect(odd.get(), 10, 20, 101, 51, &rect);
    EXPECT_EQ(rect.left, 10 + 50 - 20);
    EXPECT_EQ(rect.top, 20 + 25 - 15);
    EXPECT_EQ(rect.right, rect.left + 41);
    EXPECT_EQ(rect.bottom, rect.top + 31);
}

// Each frame must hold its own part of the source: frame i covers column i % 3, row i / 3.
void ExpectFramesOfPattern(const ObjectList<IDirectDrawSurface>& frames, int first) {
    for (int i = 0; i < 6; ++i) {
        IDirectDrawSurface* frame = frames.At(first + i);
        int width = 0, height = 0;
        GetSurfaceSize(frame, &width, &height);
        ASSERT_EQ(width, 30);
        ASSERT_EQ(height, 25);
        DDCOLORKEY key{};
        ASSERT_EQ(frame->GetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
        EXPECT_EQ(key.dwColorSpaceLowValue, 0x001Fu);
        Locked lock(frame);
        for (int y = 0; y < 25; ++y)
            for (int x = 0; x < 30; ++x) {
                const int sx = 30 * (i % 3) + x, sy = 25 * (i / 3) + y;
                ASSERT_EQ(lock.Get(x, y), static_cast<std::uint32_t>(sy * 256 + sx)) << "frame " << i;
            }
    }
}

void ReleaseAll(ObjectList<IDirectDrawSurface>& frames) {
    for (int i = 0; i < frames.Count(); ++i) frames.At(i)->Release();
    frames.Clear();
}

using CutFrames = WithDisplay;

TEST_F(CutFrames, HundredByFiftyIntoThirtyByTwentyFiveGivesSixFramesRowByRow) {
    const SurfacePtr source = Make565(100, 50);
    Pattern(source.get());
    ObjectList<IDirectDrawSurface> frames;
    IDirectDrawSurface* earlier = Make565(1, 1).release();
    frames.Push(earlier);
    int columns = 0;
    ASSERT_EQ(CutFramesFromSurface(source.get(), &frames, 30, 25, &columns), 1);
    EXPECT_EQ(columns, 3);
    ASSERT_EQ(frames.Count(), 7);
    EXPECT_EQ(frames.At(0), earlier);
    ExpectFramesOfPattern(frames, 1);
    ReleaseAll(frames);
}

TEST_F(CutFrames, RefusesFramesWithoutSize) {
    const SurfacePtr source = Make565(10, 10);
    ObjectList<IDirectDrawSurface> frames;
    int columns = 9;
    EXPECT_EQ(CutFramesFromSurface(source.get(), &frames, 0, 5, &columns), 0);
    EXPECT_EQ(columns, 0);
    EXPECT_EQ(frames.Count(), 0);
}

TEST_F(CutFrames, FromAFileCutsItsPictureAndAMissingFileGivesNone) {
    testing_bmp::BmpFields fields;
    fields.width = 100;
    fields.height = -50;
    fields.bits = 16;  // 5-5-5 in the file, so the values go through the conversion
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 100; ++x)
            testing_bmp::Put(fields.pixels, static_cast<std::uint32_t>((x % 32) | ((y % 32) << 10)), 2);
    const fs::path file = fs::temp_directory_path() /
                          ("stalkway-frames-" + std::to_string(std::random_device()()) + ".bmp");
    testing_bmp::WriteFile(file, testing_bmp::BuildBmp(fields));

    ObjectList<IDirectDrawSurface> frames;
    int columns = 0;
    ASSERT_EQ(CutFramesFromFile(file.c_str(), &frames, 30, 25, &columns), 1);
    fs::remove(file);
    EXPECT_EQ(columns, 3);
    ASSERT_EQ(frames.Count(), 6);
    // Frame 4 is the second of the second row: its (0, 0) is the file's (30, 25).
    EXPECT_EQ(ReadPixel(frames.At(4), 0, 0), (25 << 11) | 30);
    ReleaseAll(frames);

    EXPECT_EQ(CutFramesFromFile(file.c_str(), &frames, 30, 25, &columns), 0);
    EXPECT_EQ(columns, 0);
    EXPECT_EQ(frames.Count(), 0);
}

}  // namespace

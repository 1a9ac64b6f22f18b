// BlitRect and BlitSurface: clipping at every edge of the target, and transparency.
#include <gtest/gtest.h>

#include <limits>

#include "platform/ddraw_helpers.h"
#include "surface/surface.h"

namespace {

using namespace testing_ddraw;

constexpr std::uint32_t kUntouched = 0x0842;

class ClippedBlit : public ::testing::Test {
protected:
    void SetUp() override {
        Pattern(picture.get(), 0x100);
        SetColorKeyRGB(picture.get(), 0, 0, 255);
        FillSurface(target.get(), kUntouched);
    }

    // The target must show picture pixel (x - dx, y - dy) inside `area` and be untouched elsewhere.
    void ExpectCopied(RECT area, int dx, int dy) {
        Locked lock(target.get());
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x) {
                const bool inside = x >= area.left && x < area.right && y >= area.top && y < area.bottom;
                const std::uint32_t expected = inside ? 0x100u + (y - dy) * 256 + (x - dx) : kUntouched;
                ASSERT_EQ(lock.Get(x, y), expected) << x << "," << y;
            }
    }

    SurfacePtr picture = Make565(40, 40);
    SurfacePtr target = Make565(800, 600);
};

TEST_F(ClippedBlit, PastTheTopLeftCornerCopiesTheLowerRightPart) {
    EXPECT_EQ(BlitSurface(picture.get(), target.get(), -10, -10, -1), DD_OK);
    ExpectCopied(Rect(0, 0, 30, 30), -10, -10);
}

TEST_F(ClippedBlit, PastTheRightEdgeCopiesTheLeftColumns) {
    EXPECT_EQ(BlitSurface(picture.get(), target.get(), 790, 0, -1), DD_OK);
    ExpectCopied(Rect(790, 0, 800, 40), 790, 0);
}

TEST_F(ClippedBlit, PastTheBottomEdgeCopiesTheTopRows) {
    EXPECT_EQ(BlitSurface(picture.get(), target.get(), 100, 585, -1), DD_OK);
    ExpectCopied(Rect(100, 585, 140, 600), 100, 585);
}

TEST_F(ClippedBlit, PartOfTheSourceClippedOnTwoSides) {
    EXPECT_EQ(BlitRect(picture.get(), 5, 6, 20, 30, target.get(), -3, 580, -1), DD_OK);
    ExpectCopied(Rect(0, 580, 17, 600), -5 - 3, 580 - 6);
}

TEST_F(ClippedBlit, WhollyOffTheTargetDrawsNothing) {
    // However far off: a description file may place a picture anywhere an int reaches.
    constexpr LONG kFar = std::numeric_limits<LONG>::max();
    constexpr LONG kFarBack = std::numeric_limits<LONG>::min();
    for (const POINT& at : {POINT{800, 0}, POINT{-40, 0}, POINT{0, 600}, POINT{0, -40}, POINT{-50, -50}, POINT{kFar, 0},
                            POINT{0, kFar}, POINT{kFarBack, 0}, POINT{0, kFarBack}, POINT{kFar - 20, kFarBack}}) {
        EXPECT_TRUE(FAILED(BlitSurface(picture.get(), target.get(), at.x, at.y, -1))) << at.x << "," << at.y;
    }
    ExpectCopied(Rect(0, 0, 0, 0), 0, 0);
}

TEST(Blit, MinusOneSkipsTheTransparentColourAndPlainFlagsDoNot) {
    const SurfacePtr picture = Make565(3, 1);
    const SurfacePtr target = Make565(3, 1);
    WritePixel(picture.get(), 0, 0, 0x1111);
    WritePixel(picture.get(), 1, 0, PackRGB(picture.get(), 0, 0, 255));
    WritePixel(picture.get(), 2, 0, 0x2222);
    SetColorKeyRGB(picture.get(), 0, 0, 255);
    FillSurface(target.get(), 0x7777);
    ASSERT_EQ(BlitSurface(picture.get(), target.get(), 0, 0, -1), DD_OK);
    EXPECT_EQ(ReadPixel(target.get(), 0, 0), 0x1111);
    EXPECT_EQ(ReadPixel(target.get(), 1, 0), 0x7777);
    EXPECT_EQ(ReadPixel(target.get(), 2, 0), 0x2222);
    ASSERT_EQ(BlitSurface(picture.get(), target.get(), 0, 0, DDBLT_WAIT), DD_OK);
    EXPECT_EQ(ReadPixel(target.get(), 1, 0), 0x001F);
    EXPECT_TRUE(FAILED(BlitSurface(nullptr, target.get(), 0, 0, -1)));
}

}  // namespace

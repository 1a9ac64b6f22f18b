// Blt: what it refuses, colour fill, keyed and plain copies, stretching and copies within one
// surface.
#include <gtest/gtest.h>

#include <vector>

#include "platform/ddraw_helpers.h"

namespace {

using namespace testing_ddraw;

// All pixels of a surface, row by row, to compare before and after.
std::vector<std::uint32_t> Snapshot(IDirectDrawSurface* surface) {
    Locked lock(surface);
    std::vector<std::uint32_t> pixels;
    for (DWORD y = 0; y < lock.Desc().dwHeight; ++y)
        for (DWORD x = 0; x < lock.Desc().dwWidth; ++x) pixels.push_back(lock.Get(int(x), int(y)));
    return pixels;
}

DDBLTFX FillWith(DWORD colour) {
    DDBLTFX fx{};
    fx.dwSize = sizeof(fx);
    fx.dwFillColor = colour;
    return fx;
}

class BltRefusal : public ::testing::Test {
protected:
    void SetUp() override {
        Pattern(source.get(), 0x100);
        SetKey(source.get(), 0, 0);
        before = Snapshot(target.get());
    }
    // Blts the source's (0,0)-(4,4) unless told otherwise and checks the target stayed as it was.
    void ExpectRefused(HRESULT expected, RECT dest, RECT from = Rect(0, 0, 4, 4), DWORD flags = DDBLT_WAIT,
                       IDirectDrawSurface* src = nullptr) {
        EXPECT_EQ(target->Blt(&dest, src != nullptr ? src : source.get(), &from, flags, nullptr), expected);
        EXPECT_EQ(Snapshot(target.get()), before);
    }

    SurfacePtr source = Make565(10, 10);
    SurfacePtr target = Make565(10, 8);
    std::vector<std::uint32_t> before;
};

TEST_F(BltRefusal, EmptyInvertedAndOutsideRectangles) {
    ExpectRefused(DDERR_INVALIDRECT, Rect(2, 2, 2, 6));   // empty
    ExpectRefused(DDERR_INVALIDRECT, Rect(2, 6, 6, 2));   // inverted
    ExpectRefused(DDERR_INVALIDRECT, Rect(-1, 0, 3, 4));  // past the left edge
    ExpectRefused(DDERR_INVALIDRECT, Rect(0, -1, 4, 3));  // past the top
    ExpectRefused(DDERR_INVALIDRECT, Rect(7, 0, 11, 4));  // past the right
    ExpectRefused(DDERR_INVALIDRECT, Rect(0, 5, 4, 9));   // past the bottom
    ExpectRefused(DDERR_INVALIDRECT, Rect(0, 0, 4, 4), Rect(8, 8, 12, 12));
    ExpectRefused(DDERR_INVALIDRECT, Rect(0, 0, 4, 4), Rect(3, 3, 3, 7));
}

TEST_F(BltRefusal, OtherFormatsLocksMissingKeysAndUnknownFlags) {
    const SurfacePtr other = MakeSurface(10, 10, platform::PixelFormatFor(platform::PixelLayout::Rgb555));
    const SurfacePtr indexed = Make8(10, 10);
    ExpectRefused(DDERR_INVALIDPIXELFORMAT, Rect(0, 0, 4, 4), Rect(0, 0, 4, 4), DDBLT_WAIT, other.get());
    ExpectRefused(DDERR_INVALIDPIXELFORMAT, Rect(0, 0, 4, 4), Rect(0, 0, 4, 4), DDBLT_WAIT, indexed.get());
    const SurfacePtr unkeyed = Make565(10, 10);
    ExpectRefused(DDERR_NOCOLORKEY, Rect(0, 0, 4, 4), Rect(0, 0, 4, 4), DDBLT_KEYSRC | DDBLT_WAIT, unkeyed.get());
    ExpectRefused(DDERR_UNSUPPORTED, Rect(0, 0, 4, 4), Rect(0, 0, 4, 4), 0x1001);

    DDSURFACEDESC desc = EmptyDesc();
    ASSERT_EQ(source->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    ExpectRefused(DDERR_SURFACEBUSY, Rect(0, 0, 4, 4));
    source->Unlock(nullptr);
    ASSERT_EQ(target->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(target->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, nullptr), DDERR_INVALIDPARAMS);
    DDBLTFX fx = FillWith(7);
    EXPECT_EQ(target->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx), DDERR_SURFACEBUSY);
    target->Unlock(nullptr);
    EXPECT_EQ(Snapshot(target.get()), before);
    EXPECT_EQ(target->Blt(nullptr, nullptr, nullptr, DDBLT_WAIT, nullptr), DDERR_INVALIDPARAMS);
}

TEST(Blt, CopiesTheSourceRectangleToTheTargetRectangleOnly) {
    const SurfacePtr source = Make565(10, 10);
    const SurfacePtr target = Make565(9, 9);
    Pattern(source.get(), 0x1000);
    RECT from = Rect(3, 2, 6, 4);
    RECT to = Rect(5, 6, 8, 8);
    ASSERT_EQ(target->Blt(&to, source.get(), &from, DDBLT_WAIT, nullptr), DD_OK);
    Locked lock(target.get());
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x) {
            const bool inside = x >= 5 && x < 8 && y >= 6 && y < 8;
            const std::uint32_t expected = inside ? 0x1000u + (y - 4) * 256 + (x - 2) : 0u;
            EXPECT_EQ(lock.Get(x, y), expected) << x << "," << y;
        }
}

TEST(Blt, NullRectanglesMeanWholeSurfaces) {
    const SurfacePtr source = Make565(5, 3);
    const SurfacePtr target = Make565(5, 3);
    Pattern(source.get());
    ASSERT_EQ(target->Blt(nullptr, source.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(Snapshot(target.get()), Snapshot(source.get()));
}

TEST(Blt, ColourFillUsesThePixelSizedLowBitsOfTheFillColour) {
    const SurfacePtr colour = Make565(6, 5);
    DDBLTFX fx = FillWith(0x1ABCD);
    RECT area = Rect(1, 1, 4, 3);
    ASSERT_EQ(colour->Blt(&area, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
    EXPECT_EQ(PixelAt(colour.get(), 1, 1), 0xABCDu);
    EXPECT_EQ(PixelAt(colour.get(), 3, 2), 0xABCDu);
    EXPECT_EQ(PixelAt(colour.get(), 4, 2), 0u);
    EXPECT_EQ(PixelAt(colour.get(), 1, 3), 0u);

    const SurfacePtr indexed = Make8(5, 3);
    ASSERT_EQ(indexed->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx), DD_OK);
    EXPECT_EQ(Snapshot(indexed.get()), std::vector<std::uint32_t>(15, 0xCDu));
    // An 8-bit fill must not spill into the bytes of the row padding.
    Locked lock(indexed.get());
    EXPECT_EQ(lock.Row(0)[5], 0);

    fx.dwSize = 0;
    EXPECT_EQ(colour->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx), DDERR_INVALIDPARAMS);
}

TEST(Blt, KeyedCopySkipsPixelsInTheKeyRange) {
    const SurfacePtr source = Make565(4, 1);
    const SurfacePtr target = Make565(4, 1);
    {
        Locked s(source.get());
        for (int x = 0; x < 4; ++x) s.Set(x, 0, 0x0010 + x);
    }
    DDBLTFX grey = FillWith(0xAAAA);
    const auto clear = [&] { ASSERT_EQ(target->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &grey), DD_OK); };
    clear();
    SetKey(source.get(), 0x0011, 0x0012);
    ASSERT_EQ(target->Blt(nullptr, source.get(), nullptr, DDBLT_KEYSRC | DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(Snapshot(target.get()), (std::vector<std::uint32_t>{0x0010, 0xAAAA, 0xAAAA, 0x0013}));

    // A high value below the low one keys the low value alone.
    clear();
    SetKey(source.get(), 0x0013, 0x0000);
    ASSERT_EQ(target->Blt(nullptr, source.get(), nullptr, DDBLT_KEYSRC, nullptr), DD_OK);
    EXPECT_EQ(Snapshot(target.get()), (std::vector<std::uint32_t>{0x0010, 0x0011, 0x0012, 0xAAAA}));

    // A key no 16-bit pixel can have skips nothing.
    SetKey(source.get(), 0x10000, 0x10000);
    ASSERT_EQ(target->Blt(nullptr, source.get(), nullptr, DDBLT_KEYSRC, nullptr), DD_OK);
    EXPECT_EQ(Snapshot(target.get()), Snapshot(source.get()));
}

TEST(Blt, KeyedCopyOfEightBitIndices) {
    const SurfacePtr source = Make8(3, 1);
    const SurfacePtr target = Make8(3, 1);
    {
        Locked s(source.get());
        s.Set(0, 0, 5);
        s.Set(1, 0, 0);
        s.Set(2, 0, 255);
    }
    DDBLTFX fx = FillWith(9);
    ASSERT_EQ(target->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx), DD_OK);
    SetKey(source.get(), 255, 255);
    ASSERT_EQ(target->Blt(nullptr, source.get(), nullptr, DDBLT_KEYSRC, nullptr), DD_OK);
    EXPECT_EQ(Snapshot(target.get()), (std::vector<std::uint32_t>{5, 0, 9}));
}

TEST(Blt, StretchRepeatsEachSourcePixelOverItsShareOfTheTarget) {
    const SurfacePtr source = Make565(58, 58);
    const SurfacePtr target = Make565(240, 240);
    Pattern(source.get(), 0x100);
    SetKey(source.get(), 0x100 + 5 * 256 + 7, 0x100 + 5 * 256 + 7);  // the pixel at (7, 5)
    RECT to = Rect(4, 4, 236, 236);
    ASSERT_EQ(target->Blt(&to, source.get(), nullptr, DDBLT_KEYSRC | DDBLT_WAIT, nullptr), DD_OK);
    Locked lock(target.get());
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 240; ++x) {
            const bool inside = x >= 4 && x < 236 && y >= 4 && y < 236;
            const int sx = (x - 4) / 4, sy = (y - 4) / 4;
            const bool keyed = sx == 7 && sy == 5;
            const std::uint32_t expected = inside && !keyed ? 0x100u + sy * 256 + sx : 0u;
            ASSERT_EQ(lock.Get(x, y), expected) << x << "," << y;
        }
}

TEST(Blt, ShrinkingSamplesUnderEachTargetPixelsCentre) {
    const SurfacePtr source = Make565(4, 4);
    const SurfacePtr target = Make565(2, 2);
    Pattern(source.get());
    ASSERT_EQ(target->Blt(nullptr, source.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(Snapshot(target.get()), (std::vector<std::uint32_t>{0x101, 0x103, 0x301, 0x303}));
}

// Within one surface a copy reads the source as it was before the copy began.
TEST(Blt, OverlappingCopyWithinOneSurfaceActsAsIfThroughATemporary) {
    for (const RECT& to : {Rect(1, 1, 7, 7), Rect(0, 0, 6, 6), Rect(2, 0, 8, 6), Rect(0, 2, 6, 8)}) {
        const SurfacePtr surface = Make565(8, 8);
        Pattern(surface.get());
        const std::vector<std::uint32_t> original = Snapshot(surface.get());
        RECT from = Rect(1, 1, 7, 7);
        RECT dest = to;
        SetKey(surface.get(), 0xFFFF, 0xFFFF);
        ASSERT_EQ(surface->Blt(&dest, surface.get(), &from, DDBLT_KEYSRC, nullptr), DD_OK);
        Locked lock(surface.get());
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 6; ++x)
                ASSERT_EQ(lock.Get(to.left + x, to.top + y), original[(y + 1) * 8 + x + 1])
                    << "to " << to.left << "," << to.top << " pixel " << x << "," << y;
    }
}

}  // namespace

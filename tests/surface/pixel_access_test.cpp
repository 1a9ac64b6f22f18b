// Colour packing, colour keys and single-pixel access.
#include <gtest/gtest.h>

#include "platform/ddraw_helpers.h"
#include "surface/surface.h"

namespace {

using namespace testing_ddraw;

SurfacePtr Make555(int width, int height) {
    return MakeSurface(width, height, platform::PixelFormatFor(platform::PixelLayout::Rgb555));
}

TEST(PackRGB, TruncatesEachChannelIntoTheSurfacesOwnFormat) {
    const SurfacePtr s565 = Make565(1, 1);
    const SurfacePtr s555 = Make555(1, 1);
    EXPECT_EQ(PackRGB(s565.get(), 255, 255, 255), 0xFFFF);
    EXPECT_EQ(PackRGB(s565.get(), 0, 0, 255), 0x001F);
    EXPECT_EQ(PackRGB(s565.get(), 255, 0, 0), 0xF800);
    EXPECT_EQ(PackRGB(s565.get(), 0, 255, 0), 0x07E0);
    EXPECT_EQ(PackRGB(s565.get(), 7, 3, 7), 0);
    EXPECT_EQ(PackRGB(s565.get(), 8, 4, 8), (1 << 11) | (1 << 5) | 1);
    EXPECT_EQ(PackRGB(s555.get(), 255, 0, 0), 0x7C00);
    EXPECT_EQ(PackRGB(s555.get(), 0, 255, 0), 0x03E0);
    EXPECT_EQ(PackRGB(s555.get(), 255, 255, 255), 0x7FFF);
    EXPECT_EQ(PackRGB(s555.get(), 0, 7, 0), 0);
    EXPECT_EQ(PackRGB(nullptr, 255, 255, 255), 0);
}

TEST(SetColorKeyRGB, KeysExactlyThePackedColour) {
    const SurfacePtr surface = Make555(1, 1);
    SetColorKeyRGB(surface.get(), 0, 0, 255);
    DDCOLORKEY key{};
    ASSERT_EQ(surface->GetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    EXPECT_EQ(key.dwColorSpaceLowValue, 0x001Fu);
    EXPECT_EQ(key.dwColorSpaceHighValue, 0x001Fu);
}

// An odd width leaves padding at the end of each 16-bit row, so positions computed from the width
// instead of the pitch land on the wrong pixel.
TEST(Pixels, WriteAndReadFollowThePitch) {
    const SurfacePtr surface = Make565(7, 3);
    EXPECT_EQ(WritePixel(surface.get(), 6, 1, 0x1234), 0);
    EXPECT_EQ(WritePixel(surface.get(), 0, 2, 0xABCD), 0);
    EXPECT_EQ(PixelAt(surface.get(), 6, 1), 0x1234u);
    EXPECT_EQ(PixelAt(surface.get(), 0, 2), 0xABCDu);
    EXPECT_EQ(ReadPixel(surface.get(), 6, 1), 0x1234);
    EXPECT_EQ(WritePixel(surface.get(), 6, 1, 0x15678), 0x1234);
    EXPECT_EQ(ReadPixel(surface.get(), 6, 1), 0x5678);
}

TEST(Pixels, OutsideTheSurfaceReadsGiveZeroAndWritesDoNothing) {
    const SurfacePtr surface = Make565(4, 3);
    FillSurface(surface.get(), 0x7777);
    const int outside[][2] = {{-1, 0}, {0, -1}, {4, 0}, {0, 3}, {4, 3}, {-1, -1}};
    for (const auto& p : outside) {
        EXPECT_EQ(ReadPixel(surface.get(), p[0], p[1]), 0) << p[0] << "," << p[1];
        EXPECT_EQ(WritePixel(surface.get(), p[0], p[1], 0x1111), 0) << p[0] << "," << p[1];
    }
    Locked lock(surface.get());
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(lock.Get(x, y), 0x7777u);
}

TEST(Pixels, EightBitReadsGiveTheIndexAndWritesStayInsideTheSurface) {
    const SurfacePtr surface = Make8(5, 3);  // 8-byte rows, 24 bytes in all
    {
        Locked lock(surface.get());
        lock.Set(4, 2, 200);
        lock.Set(3, 1, 17);
    }
    EXPECT_EQ(ReadPixel(surface.get(), 4, 2), 200);
    EXPECT_EQ(ReadPixel(surface.get(), 3, 1), 17);

    // Writes are 16 bits at 16-bit steps: (1, 1) covers bytes 2 and 3 of row 1.
    EXPECT_EQ(WritePixel(surface.get(), 1, 1, 0x0A0B), 17 << 8);
    EXPECT_EQ(ReadPixel(surface.get(), 2, 1), 0x0B);
    EXPECT_EQ(ReadPixel(surface.get(), 3, 1), 0x0A);
    // The last pixel's 16-bit position lies past the end of the surface.
    EXPECT_EQ(WritePixel(surface.get(), 4, 2, 0xFFFF), 0);
    EXPECT_EQ(WritePixel(surface.get(), 0, 2, 0x0102), 0);
    Locked lock(surface.get());
    EXPECT_EQ(lock.Get(4, 2), 200u);
    EXPECT_EQ(lock.Get(0, 2), 0x02u);
    EXPECT_EQ(lock.Get(1, 2), 0x01u);
}

// A square read gives what four reads give, on both formats and where the square hangs over an
// edge (the quick 8-bit path must not read past the surface).
TEST(Pixels, SquareReadsGiveWhatFourReadsGive) {
    for (const SurfacePtr& surface : {Make8(5, 3), Make565(5, 3)}) {
        {
            Locked lock(surface.get());
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 5; ++x) lock.Set(x, y, static_cast<unsigned>(10 * y + x + 1));
        }
        const LockedPixels pixels(surface.get(), LockedPixels::ReadOnly{});
        for (int y = -1; y < 4; ++y) {
            for (int x = -1; x < 6; ++x) {
                int square[4];
                pixels.ReadSquare(x, y, square);
                const int reads[4] = {pixels.Read(x, y), pixels.Read(x + 1, y), pixels.Read(x + 1, y + 1),
                                      pixels.Read(x, y + 1)};
                for (int i = 0; i < 4; ++i) EXPECT_EQ(square[i], reads[i]) << x << "," << y << " #" << i;
            }
        }
    }
}

TEST(Pixels, AccessToASurfaceThatCannotBeLockedGivesZero) {
    const SurfacePtr surface = Make565(4, 4);
    FillSurface(surface.get(), 0x4321);
    DDSURFACEDESC held = EmptyDesc();
    ASSERT_EQ(surface->Lock(nullptr, &held, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(ReadPixel(surface.get(), 1, 1), 0);
    EXPECT_EQ(WritePixel(surface.get(), 1, 1, 0x1111), 0);
    DDSURFACEDESC desc = EmptyDesc();
    desc.dwWidth = 99;
    EXPECT_EQ(LockSurface(surface.get(), &desc), nullptr);
    EXPECT_EQ(desc.dwWidth, 99u);
    surface->Unlock(nullptr);
    EXPECT_EQ(ReadPixel(surface.get(), 1, 1), 0x4321);
    EXPECT_EQ(ReadPixel(nullptr, 0, 0), 0);
    EXPECT_EQ(WritePixel(nullptr, 0, 0, 1), 0);
}

// Many pixels under one lock read and write as single ones do; the lock is held until the object
// goes, and drawing on the surface waits for that.
TEST(LockedPixels, ShareOneLockUntilTheyGo) {
    const SurfacePtr source = Make565(2, 2);
    const SurfacePtr surface = Make565(5, 3);
    FillSurface(surface.get(), 0x0101);
    {
        LockedPixels pixels(surface.get());
        EXPECT_EQ(pixels.Write(4, 2, 0x2222), 0x0101);
        EXPECT_EQ(pixels.Write(0, 1, 0x3333), 0x0101);
        EXPECT_EQ(pixels.Read(4, 2), 0x2222);
        EXPECT_EQ(pixels.Read(5, 0), 0) << "outside";
        EXPECT_EQ(ReadPixel(surface.get(), 4, 2), 0) << "locked";
        EXPECT_NE(BlitSurface(source.get(), surface.get(), 0, 0, DDBLT_WAIT), DD_OK);
    }
    EXPECT_EQ(ReadPixel(surface.get(), 0, 1), 0x3333);
    EXPECT_EQ(BlitSurface(source.get(), surface.get(), 0, 0, DDBLT_WAIT), DD_OK);
    const LockedPixels none(nullptr);
    EXPECT_EQ(none.Read(0, 0), 0);
}

// A lock for reading only reads; it holds the surface like any other lock.
TEST(LockedPixels, ReadOnlyReadsAndRefusesWrites) {
    const SurfacePtr surface = Make565(3, 2);
    WritePixel(surface.get(), 2, 1, 0x1234);
    {
        LockedPixels pixels(surface.get(), LockedPixels::ReadOnly{});
        EXPECT_EQ(pixels.Read(2, 1), 0x1234);
        EXPECT_EQ(pixels.Write(2, 1, 0x7777), 0);
        EXPECT_EQ(ReadPixel(surface.get(), 2, 1), 0) << "locked";
    }
    EXPECT_EQ(ReadPixel(surface.get(), 2, 1), 0x1234);
}

// A lock of an area reaches the pixels inside it, named as on the whole surface, and no others;
// an 8-bit surface is locked whole, since its writes reach past the pixel they name.
TEST(LockedPixels, AnAreaReachesItsOwnPixelsOnly) {
    const SurfacePtr surface = Make565(5, 4);
    FillSurface(surface.get(), 0x0101);
    {
        LockedPixels pixels(surface.get(), RECT{3, 1, 9, 3});  // clipped to the surface: 3..4 x 1..2
        EXPECT_EQ(pixels.Write(4, 2, 0x2222), 0x0101);
        EXPECT_EQ(pixels.Write(3, 1, 0x3333), 0x0101);
        EXPECT_EQ(pixels.Read(3, 1), 0x3333);
        EXPECT_EQ(pixels.Write(2, 1, 0x4444), 0) << "left of the area";
        EXPECT_EQ(pixels.Read(3, 3), 0) << "below the area";
    }
    EXPECT_EQ(ReadPixel(surface.get(), 4, 2), 0x2222);
    EXPECT_EQ(ReadPixel(surface.get(), 2, 1), 0x0101);
    LockedPixels outside(surface.get(), RECT{5, 0, 7, 2});
    EXPECT_EQ(outside.Write(5, 0, 1), 0);

    const SurfacePtr eight = Make8(5, 3);
    {
        LockedPixels pixels(eight.get(), RECT{1, 1, 2, 2});
        EXPECT_EQ(pixels.Write(1, 1, 0x0A0B), 0);
        EXPECT_EQ(pixels.Write(0, 0, 0x0C0D), 0) << "outside the area, but the surface is locked whole";
    }
    EXPECT_EQ(ReadPixel(eight.get(), 2, 1), 0x0B);
    EXPECT_EQ(ReadPixel(eight.get(), 0, 0), 0x0D);
}

TEST(LockSurface, GivesTheFirstPixelAndTheDescriptionUntilUnlocked) {
    const SurfacePtr surface = Make565(3, 2);
    WritePixel(surface.get(), 0, 1, 0x0F0F);
    DDSURFACEDESC desc{};
    auto* first = static_cast<BYTE*>(LockSurface(surface.get(), &desc));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(desc.dwWidth, 3u);
    EXPECT_EQ(desc.lPitch, 8);
    EXPECT_EQ(first[desc.lPitch], 0x0F);
    EXPECT_EQ(LockSurface(surface.get(), nullptr), nullptr) << "still locked";
    UnlockSurface(surface.get());
    EXPECT_NE(LockSurface(surface.get(), nullptr), nullptr);
    UnlockSurface(surface.get());
}

}  // namespace

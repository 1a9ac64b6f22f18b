// Surfaces and the DirectDraw object: creation limits, descriptions, locks, device contexts,
// colour keys, palettes and reference counts.
#include <gtest/gtest.h>

#include "platform/core/backend.h"
#include "platform/ddraw_helpers.h"
#include "platform/headless/headless.h"

namespace {

using namespace testing_ddraw;
using platform::PixelLayout;

DDSURFACEDESC SizedDesc(DWORD width, DWORD height) {
    DDSURFACEDESC desc = EmptyDesc();
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.dwWidth = width;
    desc.dwHeight = height;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    return desc;
}

HRESULT TryCreate(IDirectDraw* dd, DDSURFACEDESC desc, SurfacePtr* out = nullptr) {
    LPDIRECTDRAWSURFACE surface = reinterpret_cast<LPDIRECTDRAWSURFACE>(1);
    const HRESULT result = dd->CreateSurface(&desc, &surface, nullptr);
    if (FAILED(result)) {
        EXPECT_EQ(surface, nullptr) << "a failed creation must clear the out pointer";
    }
    SurfacePtr owned(surface);
    if (out != nullptr) *out = std::move(owned);
    return result;
}

TEST(DdSurface, DescriptionGivesSizeFourByteAlignedPitchFormatAndCaps) {
    const SurfacePtr wide = Make565(7, 3);
    DDSURFACEDESC desc = EmptyDesc();
    ASSERT_EQ(wide->GetSurfaceDesc(&desc), DD_OK);
    EXPECT_EQ(desc.dwWidth, 7u);
    EXPECT_EQ(desc.dwHeight, 3u);
    EXPECT_EQ(desc.lPitch, 16);  // 14 bytes of pixels, rounded up
    EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, 16u);
    EXPECT_EQ(desc.ddpfPixelFormat.dwRBitMask, 0xF800u);
    EXPECT_EQ(desc.ddpfPixelFormat.dwGBitMask, 0x07E0u);
    EXPECT_EQ(desc.ddpfPixelFormat.dwBBitMask, 0x001Fu);
    EXPECT_EQ(desc.ddsCaps.dwCaps, DDSCAPS_OFFSCREENPLAIN);
    EXPECT_EQ(desc.dwFlags & DDSD_CKSRCBLT, 0u);

    const SurfacePtr indexed = Make8(5, 2);
    ASSERT_EQ(indexed->GetSurfaceDesc(&desc), DD_OK);
    EXPECT_EQ(desc.lPitch, 8);
    EXPECT_NE(desc.ddpfPixelFormat.dwFlags & DDPF_PALETTEINDEXED8, 0u);

    DDSURFACEDESC wrongSize = EmptyDesc();
    wrongSize.dwSize = 108;
    EXPECT_EQ(wide->GetSurfaceDesc(&wrongSize), DDERR_INVALIDPARAMS);
}

TEST(DdSurface, NewSurfacesAreBlack) {
    const SurfacePtr surface = Make565(9, 4);
    Locked lock(surface.get());
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 9; ++x) EXPECT_EQ(lock.Get(x, y), 0u);
}

TEST(DdObject, RefusesSurfacesThatAreEmptyTooLargeOrOfUnknownFormat) {
    DirectDrawPtr dd(platform::CreateDirectDrawObject(PixelLayout::Rgb565));
    EXPECT_EQ(TryCreate(dd.get(), SizedDesc(0, 10)), DDERR_INVALIDPARAMS);
    EXPECT_EQ(TryCreate(dd.get(), SizedDesc(16385, 1)), DDERR_INVALIDPARAMS);
    EXPECT_EQ(TryCreate(dd.get(), SizedDesc(1, 16385)), DDERR_INVALIDPARAMS);
    EXPECT_EQ(TryCreate(dd.get(), SizedDesc(16384, 16384)), DDERR_OUTOFMEMORY);
    EXPECT_EQ(TryCreate(dd.get(), SizedDesc(16384, 1)), DD_OK);

    DDSURFACEDESC unsized = SizedDesc(10, 10);
    unsized.dwFlags &= ~DDSD_HEIGHT;
    EXPECT_EQ(TryCreate(dd.get(), unsized), DDERR_INVALIDPARAMS);

    DDSURFACEDESC truecolour = SizedDesc(10, 10);
    truecolour.dwFlags |= DDSD_PIXELFORMAT;
    truecolour.ddpfPixelFormat = {sizeof(DDPIXELFORMAT), DDPF_RGB, 0, 24, 0xFF0000, 0xFF00, 0xFF, 0};
    EXPECT_EQ(TryCreate(dd.get(), truecolour), DDERR_INVALIDPIXELFORMAT);

    DDSURFACEDESC badSize = SizedDesc(10, 10);
    badSize.dwSize = 108;
    EXPECT_EQ(TryCreate(dd.get(), badSize), DDERR_INVALIDPARAMS);
}

TEST(DdObject, SurfacesTakeTheDisplayFormatAndAnUnsizedPrimaryTheDesktopSize) {
    platform::headless::Reset();
    platform::headless::SetDesktopBits(15);
    LPDIRECTDRAW created = nullptr;
    ASSERT_EQ(DirectDrawCreate(nullptr, &created, nullptr), DD_OK);
    DirectDrawPtr dd(created);
    platform::headless::Reset();
    int width = 0, height = 0;
    platform::GetBackend().DesktopSize(&width, &height);
    DDSURFACEDESC mode = EmptyDesc();
    ASSERT_EQ(dd->GetDisplayMode(&mode), DD_OK);
    EXPECT_EQ(mode.dwWidth, static_cast<DWORD>(width));
    EXPECT_EQ(mode.dwHeight, static_cast<DWORD>(height));
    EXPECT_EQ(mode.ddpfPixelFormat.dwRBitMask, 0x7C00u);

    SurfacePtr plain;
    ASSERT_EQ(TryCreate(dd.get(), SizedDesc(4, 4), &plain), DD_OK);
    DDPIXELFORMAT format{};
    ASSERT_EQ(plain->GetPixelFormat(&format), DD_OK);
    EXPECT_EQ(format.dwGBitMask, 0x03E0u);

    DDSURFACEDESC primary = EmptyDesc();
    primary.dwFlags = DDSD_CAPS;
    primary.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    SurfacePtr front;
    ASSERT_EQ(TryCreate(dd.get(), primary, &front), DD_OK);
    DDSURFACEDESC desc = EmptyDesc();
    ASSERT_EQ(front->GetSurfaceDesc(&desc), DD_OK);
    EXPECT_EQ(desc.dwWidth, static_cast<DWORD>(width));
    EXPECT_EQ(desc.dwHeight, static_cast<DWORD>(height));

    DirectDrawPtr sizeless(platform::CreateDirectDrawObject(PixelLayout::Rgb565));
    EXPECT_EQ(TryCreate(sizeless.get(), primary), DDERR_INVALIDPARAMS);
    primary.dwFlags |= DDSD_WIDTH | DDSD_HEIGHT;
    primary.dwWidth = 800;
    primary.dwHeight = 600;
    EXPECT_EQ(TryCreate(sizeless.get(), primary), DD_OK);
}

TEST(DdObject, AnswersBothDirectDrawInterfacesAndCountsReferences) {
    IDirectDraw* dd = platform::CreateDirectDrawObject(PixelLayout::Rgb565);
    void* seven = nullptr;
    ASSERT_EQ(dd->QueryInterface(IID_IDirectDraw7, &seven), DD_OK);
    EXPECT_EQ(seven, dd);
    void* other = reinterpret_cast<void*>(1);
    const IID unknown = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    EXPECT_EQ(dd->QueryInterface(unknown, &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(dd->AddRef(), 3u);
    EXPECT_EQ(dd->Release(), 2u);
    EXPECT_EQ(dd->Release(), 1u);
    EXPECT_EQ(dd->Release(), 0u);
}

TEST(DdObject, DirectDrawCreateFollowsTheDesktopDepth) {
    platform::headless::Reset();
    for (int bits : {15, 16}) {
        platform::headless::SetDesktopBits(bits);
        LPDIRECTDRAW dd = nullptr;
        ASSERT_EQ(DirectDrawCreate(nullptr, &dd, nullptr), DD_OK);
        DDSURFACEDESC mode = EmptyDesc();
        ASSERT_EQ(dd->GetDisplayMode(&mode), DD_OK);
        EXPECT_EQ(mode.ddpfPixelFormat.dwRBitMask, bits == 15 ? 0x7C00u : 0xF800u);
        dd->Release();
    }
    GUID driver{};
    LPDIRECTDRAW dd = reinterpret_cast<LPDIRECTDRAW>(1);
    EXPECT_EQ(DirectDrawCreate(&driver, &dd, nullptr), DDERR_INVALIDPARAMS);
    EXPECT_EQ(dd, nullptr);
    platform::headless::Reset();
}

TEST(DdSurface, LockIsExclusive) {
    const SurfacePtr surface = Make565(6, 6);
    DDSURFACEDESC first = EmptyDesc();
    ASSERT_EQ(surface->Lock(nullptr, &first, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_NE(first.dwFlags & DDSD_LPSURFACE, 0u);
    ASSERT_NE(first.lpSurface, nullptr);
    DDSURFACEDESC second = EmptyDesc();
    EXPECT_EQ(surface->Lock(nullptr, &second, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
    RECT part = Rect(0, 0, 2, 2);
    EXPECT_EQ(surface->Lock(&part, &second, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(surface->Unlock(nullptr), DD_OK);
    EXPECT_EQ(surface->Unlock(nullptr), DDERR_NOTLOCKED);
    ASSERT_EQ(surface->Lock(nullptr, &second, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(second.lpSurface, first.lpSurface);
    surface->Unlock(nullptr);
}

TEST(DdSurface, ALockedPartStartsAtItsFirstPixelAndMustLieInside) {
    const SurfacePtr surface = Make565(6, 6);
    Locked(surface.get()).Set(3, 2, 0x1234);
    DDSURFACEDESC desc = EmptyDesc();
    RECT part = Rect(3, 2, 5, 4);
    ASSERT_EQ(surface->Lock(&part, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    std::uint16_t first = 0;
    std::memcpy(&first, desc.lpSurface, sizeof first);
    EXPECT_EQ(first, 0x1234);
    EXPECT_EQ(desc.lPitch, 12);
    surface->Unlock(nullptr);
    for (RECT bad : {Rect(5, 5, 7, 6), Rect(-1, 0, 2, 2), Rect(2, 2, 2, 4), Rect(4, 4, 3, 5)})
        EXPECT_EQ(surface->Lock(&bad, &desc, DDLOCK_WAIT, nullptr), DDERR_INVALIDPARAMS);
}

TEST(DdSurface, DeviceContextHoldsTheSurfaceLikeALock) {
    const SurfacePtr surface = Make565(4, 4);
    const SurfacePtr other = Make565(4, 4);
    HDC dc = nullptr;
    ASSERT_EQ(surface->GetDC(&dc), DD_OK);
    ASSERT_NE(dc, nullptr);
    HDC again = nullptr;
    EXPECT_EQ(surface->GetDC(&again), DDERR_DCALREADYCREATED);
    DDSURFACEDESC desc = EmptyDesc();
    EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(surface->Blt(nullptr, other.get(), nullptr, DDBLT_WAIT, nullptr), DDERR_SURFACEBUSY);

    HDC otherDc = nullptr;
    ASSERT_EQ(other->GetDC(&otherDc), DD_OK);
    EXPECT_NE(otherDc, dc);
    EXPECT_EQ(surface->ReleaseDC(otherDc), DDERR_NODC);
    EXPECT_EQ(other->ReleaseDC(otherDc), DD_OK);
    EXPECT_EQ(surface->ReleaseDC(dc), DD_OK);
    EXPECT_EQ(surface->ReleaseDC(dc), DDERR_NODC);
    EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    surface->Unlock(nullptr);
}

TEST(DdSurface, SourceColourKeyIsKeptAndReported) {
    const SurfacePtr surface = Make565(2, 2);
    DDCOLORKEY key{};
    EXPECT_EQ(surface->GetColorKey(DDCKEY_SRCBLT, &key), DDERR_NOCOLORKEY);
    SetKey(surface.get(), 0x001F, 0x001F);
    ASSERT_EQ(surface->GetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    EXPECT_EQ(key.dwColorSpaceLowValue, 0x001Fu);
    DDSURFACEDESC desc = EmptyDesc();
    ASSERT_EQ(surface->GetSurfaceDesc(&desc), DD_OK);
    EXPECT_NE(desc.dwFlags & DDSD_CKSRCBLT, 0u);
    EXPECT_EQ(desc.ddckCKSrcBlt.dwColorSpaceHighValue, 0x001Fu);

    EXPECT_EQ(surface->SetColorKey(0x2 /* destination key */, &key), DDERR_UNSUPPORTED);
    ASSERT_EQ(surface->SetColorKey(DDCKEY_SRCBLT, nullptr), DD_OK);
    EXPECT_EQ(surface->GetColorKey(DDCKEY_SRCBLT, &key), DDERR_NOCOLORKEY);
}

TEST(DdSurface, EightBitSurfacesOwnABlackPaletteThatOutlivesThemWhileHeld) {
    LPDIRECTDRAWPALETTE palette = nullptr;
    {
        const SurfacePtr surface = Make8(2, 2);
        ASSERT_EQ(surface->GetPalette(&palette), DD_OK);
    }
    PALETTEENTRY entries[256];
    ASSERT_EQ(palette->GetEntries(0, 0, 256, entries), DD_OK);
    for (const PALETTEENTRY& e : entries) EXPECT_EQ(e.peRed | e.peGreen | e.peBlue, 0);

    const PALETTEENTRY red[2] = {{255, 0, 0, 0}, {0, 0, 255, 0}};
    ASSERT_EQ(palette->SetEntries(0, 254, 2, red), DD_OK);
    ASSERT_EQ(palette->GetEntries(0, 255, 1, entries), DD_OK);
    EXPECT_EQ(entries[0].peBlue, 255);
    EXPECT_EQ(palette->SetEntries(0, 255, 2, red), DDERR_INVALIDPARAMS);
    EXPECT_EQ(palette->GetEntries(0, 257, 0, entries), DDERR_INVALIDPARAMS);
    EXPECT_EQ(palette->Release(), 0u);

    const SurfacePtr colour = Make565(2, 2);
    EXPECT_EQ(colour->GetPalette(&palette), DDERR_NOPALETTEATTACHED);
    EXPECT_EQ(palette, nullptr);
}

TEST(DdSurface, CountsReferences) {
    IDirectDrawSurface* surface = Make565(1, 1).release();
    EXPECT_EQ(surface->AddRef(), 2u);
    EXPECT_EQ(surface->Release(), 1u);
    EXPECT_EQ(surface->Release(), 0u);
}

}  // namespace

// Test helpers for surfaces: owning pointers, direct pixel access through a lock, and surfaces
// made without a display.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>

#include "platform/ddraw/ddraw_format.h"
#include "platform/ddraw/ddraw_object.h"
#include "platform/api/ddraw.h"

namespace testing_ddraw {

template <class T>
struct ComRelease {
    void operator()(T* object) const {
        if (object != nullptr) object->Release();
    }
};
using SurfacePtr = std::unique_ptr<IDirectDrawSurface, ComRelease<IDirectDrawSurface>>;
using DirectDrawPtr = std::unique_ptr<IDirectDraw, ComRelease<IDirectDraw>>;

inline DDSURFACEDESC EmptyDesc() {
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    return desc;
}

inline SurfacePtr MakeSurface(int width, int height, const DDPIXELFORMAT& format) {
    DirectDrawPtr dd(platform::CreateDirectDrawObject(platform::PixelLayout::Rgb565));
    DDSURFACEDESC desc = EmptyDesc();
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
    desc.dwWidth = static_cast<DWORD>(width);
    desc.dwHeight = static_cast<DWORD>(height);
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    desc.ddpfPixelFormat = format;
    LPDIRECTDRAWSURFACE surface = nullptr;
    EXPECT_EQ(dd->CreateSurface(&desc, &surface, nullptr), DD_OK);
    return SurfacePtr(surface);
}

inline SurfacePtr Make565(int width, int height) {
    return MakeSurface(width, height, platform::PixelFormatFor(platform::PixelLayout::Rgb565));
}

inline SurfacePtr Make8(int width, int height) { return MakeSurface(width, height, platform::PalettisedFormat()); }

// Locks for the duration of one access; fails the test if the surface cannot be locked.
class Locked {
public:
    explicit Locked(IDirectDrawSurface* surface) : surface_(surface), desc_(EmptyDesc()) {
        ok_ = surface_->Lock(nullptr, &desc_, DDLOCK_WAIT, nullptr) == DD_OK;
        EXPECT_TRUE(ok_) << "surface could not be locked";
    }
    ~Locked() {
        if (ok_) surface_->Unlock(nullptr);
    }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

    bool Ok() const { return ok_; }
    const DDSURFACEDESC& Desc() const { return desc_; }
    BYTE* Row(int y) const { return static_cast<BYTE*>(desc_.lpSurface) + y * desc_.lPitch; }
    int Bytes() const { return static_cast<int>(desc_.ddpfPixelFormat.dwRGBBitCount / 8); }

    std::uint32_t Get(int x, int y) const {
        if (!ok_) return 0xDEADBEEF;
        if (Bytes() == 1) return Row(y)[x];
        std::uint16_t value;
        std::memcpy(&value, Row(y) + 2 * x, 2);
        return value;
    }
    void Set(int x, int y, std::uint32_t value) const {
        if (!ok_) return;
        if (Bytes() == 1) {
            Row(y)[x] = static_cast<BYTE>(value);
            return;
        }
        const auto v = static_cast<std::uint16_t>(value);
        std::memcpy(Row(y) + 2 * x, &v, 2);
    }

private:
    IDirectDrawSurface* surface_;
    DDSURFACEDESC desc_;
    bool ok_ = false;
};

inline std::uint32_t PixelAt(IDirectDrawSurface* surface, int x, int y) { return Locked(surface).Get(x, y); }

// Every pixel gets a value made from its position, so misplaced copies show.
inline void Pattern(IDirectDrawSurface* surface, std::uint32_t base = 0) {
    Locked lock(surface);
    if (!lock.Ok()) return;
    const int width = static_cast<int>(lock.Desc().dwWidth);
    const int height = static_cast<int>(lock.Desc().dwHeight);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) lock.Set(x, y, base + static_cast<std::uint32_t>(y * 256 + x));
}

inline void SetKey(IDirectDrawSurface* surface, DWORD low, DWORD high) {
    DDCOLORKEY key{low, high};
    ASSERT_EQ(surface->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
}

inline RECT Rect(LONG left, LONG top, LONG right, LONG bottom) { return RECT{left, top, right, bottom}; }

}  // namespace testing_ddraw

#include "platform/ddraw/ddraw_object.h"

#include <atomic>
#include <new>

#include "platform/ddraw/ddraw_format.h"
#include "platform/ddraw/ddraw_surface.h"

namespace platform {

namespace {

// A display of 0 x 0 leaves width, height and pitch out of the display mode.
class DdObject final : public IDirectDraw {
public:
    DdObject(PixelLayout display, int width, int height)
        : format_(PixelFormatFor(display)),
          width_(width > 0 && height > 0 ? static_cast<DWORD>(width) : 0),
          height_(width > 0 && height > 0 ? static_cast<DWORD>(height) : 0) {}

    ULONG AddRef() override { return ++references_; }

    ULONG Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    HRESULT QueryInterface(REFIID iid, LPVOID* object) override {
        if (object == nullptr) return DDERR_INVALIDPARAMS;
        *object = nullptr;
        if (!(iid == IID_IDirectDraw) && !(iid == IID_IDirectDraw7)) return E_NOINTERFACE;
        AddRef();
        *object = this;
        return DD_OK;
    }

    HRESULT CreateSurface(LPDDSURFACEDESC desc, LPDIRECTDRAWSURFACE* surface, void* outer) override;

    HRESULT GetDisplayMode(LPDDSURFACEDESC desc) override {
        if (desc == nullptr || desc->dwSize != sizeof(DDSURFACEDESC)) return DDERR_INVALIDPARAMS;
        *desc = DDSURFACEDESC{};
        desc->dwSize = sizeof(DDSURFACEDESC);
        desc->dwFlags = DDSD_PIXELFORMAT;
        desc->ddpfPixelFormat = format_;
        if (width_ != 0) {
            desc->dwFlags |= DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH;
            desc->dwWidth = width_;
            desc->dwHeight = height_;
            desc->lPitch = PitchFor(width_, format_);
        }
        return DD_OK;
    }

    HRESULT SetCooperativeLevel(HWND /*hwnd*/, DWORD /*flags*/) override { return DD_OK; }

private:
    ~DdObject() override = default;

    std::atomic<ULONG> references_{1};
    const DDPIXELFORMAT format_;
    const DWORD width_;
    const DWORD height_;
};

HRESULT DdObject::CreateSurface(LPDDSURFACEDESC desc, LPDIRECTDRAWSURFACE* surface, void* outer) {
    if (surface == nullptr) return DDERR_INVALIDPARAMS;
    *surface = nullptr;
    if (desc == nullptr || desc->dwSize != sizeof(DDSURFACEDESC) || outer != nullptr) return DDERR_INVALIDPARAMS;

    const DWORD caps = (desc->dwFlags & DDSD_CAPS) != 0 ? desc->ddsCaps.dwCaps : 0;
    DWORD width = desc->dwWidth;
    DWORD height = desc->dwHeight;
    const DWORD sized = DDSD_WIDTH | DDSD_HEIGHT;
    if ((desc->dwFlags & sized) != sized) {
        // Without a size of its own the primary covers the display, if the display's size is known.
        if ((caps & DDSCAPS_PRIMARYSURFACE) == 0 || width_ == 0) return DDERR_INVALIDPARAMS;
        width = width_;
        height = height_;
    }
    const DDPIXELFORMAT format = (desc->dwFlags & DDSD_PIXELFORMAT) != 0 ? desc->ddpfPixelFormat : format_;

    DdSurface* created = nullptr;
    const HRESULT result = DdSurface::Create(width, height, format, caps, &created);
    *surface = created;
    return result;
}

}  // namespace

LPDIRECTDRAW CreateDirectDrawObject(PixelLayout display) { return new (std::nothrow) DdObject(display, 0, 0); }

}  // namespace platform

HRESULT DirectDrawCreate(GUID* driver, LPDIRECTDRAW* object, void* outer) {
    if (object == nullptr) return DDERR_INVALIDPARAMS;
    *object = nullptr;
    if (driver != nullptr || outer != nullptr) return DDERR_INVALIDPARAMS;
    platform::Backend& backend = platform::GetBackend();
    const platform::PixelLayout layout = backend.DesktopBitsPerPixel() == 15 ? platform::PixelLayout::Rgb555
                                                                             : platform::PixelLayout::Rgb565;
    int width = 0;
    int height = 0;
    backend.DesktopSize(&width, &height);
    *object = new (std::nothrow) platform::DdObject(layout, width, height);
    return *object != nullptr ? DD_OK : DDERR_OUTOFMEMORY;
}

#include "platform/ddraw/ddraw_surface.h"

#include <new>

#include "platform/ddraw/ddraw_format.h"
#include "platform/ddraw/rect_math.h"

namespace platform {

namespace {

bool DescSizeIsRight(const DDSURFACEDESC* desc) { return desc != nullptr && desc->dwSize == sizeof(DDSURFACEDESC); }

}  // namespace

HRESULT DdSurface::Create(DWORD width, DWORD height, const DDPIXELFORMAT& format, DWORD caps, DdSurface** surface) {
    if (surface == nullptr) return DDERR_INVALIDPARAMS;
    *surface = nullptr;
    if (width == 0 || height == 0 || width > kMaxSurfaceSide || height > kMaxSurfaceSide) return DDERR_INVALIDPARAMS;
    if (!IsSupportedFormat(format)) return DDERR_INVALIDPIXELFORMAT;

    const std::size_t bytes = static_cast<std::size_t>(PitchFor(width, format)) * height;
    if (bytes > kMaxSurfaceBytes) return DDERR_OUTOFMEMORY;
    std::unique_ptr<BYTE[]> pixels(new (std::nothrow) BYTE[bytes]());
    if (!pixels) return DDERR_OUTOFMEMORY;
    DdPalette* palette = IsPalettised(format) ? new (std::nothrow) DdPalette() : nullptr;
    if (IsPalettised(format) && palette == nullptr) return DDERR_OUTOFMEMORY;

    *surface = new (std::nothrow) DdSurface(width, height, format, caps, std::move(pixels), palette);
    if (*surface != nullptr) return DD_OK;
    if (palette != nullptr) palette->Release();
    return DDERR_OUTOFMEMORY;
}

DdSurface::DdSurface(DWORD width, DWORD height, const DDPIXELFORMAT& format, DWORD caps, std::unique_ptr<BYTE[]> pixels,
                     DdPalette* palette)
    : width_(width),
      height_(height),
      pitch_(PitchFor(width, format)),
      format_(format),
      caps_(caps),
      pixels_(std::move(pixels)),
      palette_(palette) {
    if ((caps & DDSCAPS_BACKBUFFER) != 0) journal_ = std::make_unique<FrameJournal>(&SourceChanges);
    historyFrom_ = version_;
}

DdSurface::~DdSurface() {
    BeforeChange();
    ForgetSources();
    if (palette_ != nullptr) palette_->Release();
}

ULONG DdSurface::AddRef() { return ++references_; }

ULONG DdSurface::Release() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

bool DdSurface::Claim(Access how) {
    Access expected = Access::Free;
    return access_.compare_exchange_strong(expected, how);
}

bool DdSurface::Unclaim(Access how) {
    Access expected = how;
    return access_.compare_exchange_strong(expected, Access::Free);
}

DWORD DdSurface::KeyHigh() const {
    return key_.dwColorSpaceHighValue < key_.dwColorSpaceLowValue ? key_.dwColorSpaceLowValue
                                                                  : key_.dwColorSpaceHighValue;
}

void DdSurface::Describe(DDSURFACEDESC* desc) const {
    *desc = DDSURFACEDESC{};
    desc->dwSize = sizeof(DDSURFACEDESC);
    desc->dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;
    desc->dwWidth = width_;
    desc->dwHeight = height_;
    desc->lPitch = pitch_;
    desc->ddpfPixelFormat = format_;
    desc->ddsCaps.dwCaps = caps_;
    if (hasKey_) {
        desc->dwFlags |= DDSD_CKSRCBLT;
        desc->ddckCKSrcBlt = key_;
    }
}

HRESULT DdSurface::Lock(LPRECT rect, LPDDSURFACEDESC desc, DWORD flags, HANDLE /*event*/) {
    if (!DescSizeIsRight(desc)) return DDERR_INVALIDPARAMS;
    const RECT area = rect != nullptr ? *rect : Whole();
    if (!Within(area)) return DDERR_INVALIDPARAMS;
    const bool writable = (flags & DDLOCK_READONLY) == 0;
    if (journal_ != nullptr) {
        // A read-only lock is the flip reading the frame; a writable one draws outside the journal.
        if (writable) {
            DoHeld(journal_->DueAll());
            journal_->Break();
        } else {
            DoHeld(journal_->EndFrame());
        }
        ForgetSources();
    }
    if (writable) BeforeChange(area);
    if (!Claim(Access::Locked)) return DDERR_SURFACEBUSY;
    writableLock_ = writable;
    lockedArea_ = area;
    if (writableLock_) ChangingLocked();
    Describe(desc);
    desc->dwFlags |= DDSD_LPSURFACE;
    desc->lpSurface = pixels_.get() + static_cast<std::ptrdiff_t>(area.top) * pitch_ +
                      static_cast<std::ptrdiff_t>(area.left) * BytesPerPixel(format_);
    return DD_OK;
}

HRESULT DdSurface::Unlock(LPRECT /*rect*/) {
    if (access_ != Access::Locked) return DDERR_NOTLOCKED;
    // The writes came after the version moved on at Lock; it moves on again so that nothing read
    // during the lock passes for what is there now.
    if (writableLock_) ChangingLocked();
    return Unclaim(Access::Locked) ? DD_OK : DDERR_NOTLOCKED;
}

void DdSurface::ChangingLocked() {
    if (SameRect(lockedArea_, Whole())) ChangingAll();
    else Changing(lockedArea_);
}

HRESULT DdSurface::GetSurfaceDesc(LPDDSURFACEDESC desc) {
    if (!DescSizeIsRight(desc)) return DDERR_INVALIDPARAMS;
    Describe(desc);
    return DD_OK;
}

HRESULT DdSurface::GetPixelFormat(DDPIXELFORMAT* format) {
    if (format == nullptr) return DDERR_INVALIDPARAMS;
    *format = format_;
    return DD_OK;
}

HRESULT DdSurface::SetColorKey(DWORD flags, DDCOLORKEY* key) {
    if (flags != DDCKEY_SRCBLT) return DDERR_UNSUPPORTED;
    BeforeChange();
    hasKey_ = key != nullptr;
    key_ = hasKey_ ? *key : DDCOLORKEY{};
    // What a transparent copy from this surface writes depends on its key.
    NewVersion(Whole());
    return DD_OK;
}

HRESULT DdSurface::GetColorKey(DWORD flags, DDCOLORKEY* key) {
    if (flags != DDCKEY_SRCBLT) return DDERR_UNSUPPORTED;
    if (key == nullptr) return DDERR_INVALIDPARAMS;
    if (!hasKey_) return DDERR_NOCOLORKEY;
    *key = key_;
    return DD_OK;
}

HRESULT DdSurface::GetDC(HDC* dc) {
    if (dc == nullptr) return DDERR_INVALIDPARAMS;
    *dc = nullptr;
    if (!Claim(Access::DeviceContext))
        return access_ == Access::DeviceContext ? DDERR_DCALREADYCREATED : DDERR_SURFACEBUSY;
    // Nothing draws through the context, so it only has to name this surface, and giving it out
    // leaves the pixels as they are.
    *dc = reinterpret_cast<HDC>(this);
    return DD_OK;
}

HRESULT DdSurface::ReleaseDC(HDC dc) {
    if (dc != reinterpret_cast<HDC>(this)) return DDERR_NODC;
    return Unclaim(Access::DeviceContext) ? DD_OK : DDERR_NODC;
}

HRESULT DdSurface::GetPalette(LPDIRECTDRAWPALETTE* palette) {
    if (palette == nullptr) return DDERR_INVALIDPARAMS;
    *palette = palette_;
    if (palette_ == nullptr) return DDERR_NOPALETTEATTACHED;
    palette_->AddRef();
    return DD_OK;
}

}  // namespace platform

// Single-pixel reads and writes, and whole-surface locks.
#include <cstdint>
#include <algorithm>
#include <cstring>

#include "surface/surface.h"

LockedPixels::LockedPixels(LPDIRECTDRAWSURFACE7 surface) : LockedPixels(surface, DWORD{DDLOCK_WAIT}) {}

LockedPixels::LockedPixels(LPDIRECTDRAWSURFACE7 surface, ReadOnly)
    : LockedPixels(surface, DWORD{DDLOCK_WAIT | DDLOCK_READONLY}) {}

LockedPixels::LockedPixels(LPDIRECTDRAWSURFACE7 surface, DWORD flags)
    : surface_(surface), writable_((flags & DDLOCK_READONLY) == 0) {
    LockWhole(flags);
}

void LockedPixels::LockWhole(DWORD flags) {
    // Lock fills in the whole description; only its size has to be set.
    desc_.dwSize = sizeof(desc_);
    locked_ = surface_ != nullptr && SUCCEEDED(surface_->Lock(nullptr, &desc_, flags, nullptr));
    if (locked_) area_ = RECT{0, 0, static_cast<LONG>(desc_.dwWidth), static_cast<LONG>(desc_.dwHeight)};
}

LockedPixels::LockedPixels(LPDIRECTDRAWSURFACE7 surface, const RECT& area) : surface_(surface) {
    desc_.dwSize = sizeof(desc_);
    if (surface_ == nullptr || FAILED(surface_->GetSurfaceDesc(&desc_))) return;
    const RECT part{std::max<LONG>(area.left, 0), std::max<LONG>(area.top, 0),
                    std::min(area.right, static_cast<LONG>(desc_.dwWidth)),
                    std::min(area.bottom, static_cast<LONG>(desc_.dwHeight))};
    if (desc_.ddpfPixelFormat.dwRGBBitCount != 16) {
        LockWhole(DDLOCK_WAIT);
        return;
    }
    if (part.left >= part.right || part.top >= part.bottom) return;
    RECT locked = part;
    locked_ = SUCCEEDED(surface_->Lock(&locked, &desc_, DDLOCK_WAIT, nullptr));
    if (locked_) area_ = part;
}

LockedPixels::~LockedPixels() {
    if (locked_) surface_->Unlock(nullptr);
}

int LockedPixels::Write(int x, int y, int value) {
    if (!writable_ || !Holds(x, y)) return 0;
    // On an 8-bit surface the 16-bit steps reach twice as far along the row as the pixels do.
    const std::size_t at = WordOffset(x, y);
    if (at + 2 > static_cast<std::size_t>(desc_.lPitch) * static_cast<std::size_t>(area_.bottom - area_.top)) return 0;
    auto* base = static_cast<BYTE*>(desc_.lpSurface);
    std::uint16_t previous;
    std::memcpy(&previous, base + at, sizeof(previous));
    const auto stored = static_cast<std::uint16_t>(value);
    std::memcpy(base + at, &stored, sizeof(stored));
    return previous;
}

// A read locks for reading only, so that the surface does not count as changed by it.
int ReadPixel(LPDIRECTDRAWSURFACE7 surface, int x, int y) {
    return LockedPixels(surface, LockedPixels::ReadOnly{}).Read(x, y);
}

int WritePixel(LPDIRECTDRAWSURFACE7 surface, int x, int y, int value) {
    return LockedPixels(surface).Write(x, y, value);
}

void* LockSurface(LPDIRECTDRAWSURFACE7 surface, LPDDSURFACEDESC desc) {
    DDSURFACEDESC locked{};
    locked.dwSize = sizeof(locked);
    if (surface == nullptr || FAILED(surface->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr))) return nullptr;
    if (desc != nullptr) *desc = locked;
    return locked.lpSurface;
}

void UnlockSurface(LPDIRECTDRAWSURFACE7 surface) {
    if (surface != nullptr) surface->Unlock(nullptr);
}

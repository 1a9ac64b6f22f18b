// Single-pixel reads and writes, and whole-surface locks.
#include <cstdint>
#include <cstring>

#include "surface/surface.h"

namespace {

// A whole-surface lock held for one pixel access.
class PixelLock {
public:
    explicit PixelLock(LPDIRECTDRAWSURFACE7 surface) : surface_(surface) {
        desc_.dwSize = sizeof(desc_);
        locked_ = surface_ != nullptr && SUCCEEDED(surface_->Lock(nullptr, &desc_, DDLOCK_WAIT, nullptr));
    }
    ~PixelLock() {
        if (locked_) surface_->Unlock(nullptr);
    }
    PixelLock(const PixelLock&) = delete;
    PixelLock& operator=(const PixelLock&) = delete;

    bool Holds(int x, int y) const {
        return locked_ && x >= 0 && y >= 0 && x < static_cast<int>(desc_.dwWidth) &&
               y < static_cast<int>(desc_.dwHeight);
    }
    bool EightBit() const { return desc_.ddpfPixelFormat.dwRGBBitCount == 8; }
    // Byte offset of the 16-bit value at (x, y), counted in 16-bit steps as on every surface.
    std::size_t WordOffset(int x, int y) const {
        return 2 * (static_cast<std::size_t>(desc_.lPitch / 2) * y + x);
    }
    std::size_t Bytes() const { return static_cast<std::size_t>(desc_.lPitch) * desc_.dwHeight; }
    BYTE* Base() const { return static_cast<BYTE*>(desc_.lpSurface); }
    LONG Pitch() const { return desc_.lPitch; }

private:
    LPDIRECTDRAWSURFACE7 surface_;
    DDSURFACEDESC desc_{};
    bool locked_ = false;
};

}  // namespace

int ReadPixel(LPDIRECTDRAWSURFACE7 surface, int x, int y) {
    const PixelLock lock(surface);
    if (!lock.Holds(x, y)) return 0;
    if (lock.EightBit()) return lock.Base()[static_cast<std::size_t>(lock.Pitch()) * y + x];
    std::uint16_t value;
    std::memcpy(&value, lock.Base() + lock.WordOffset(x, y), sizeof(value));
    return value;
}

int WritePixel(LPDIRECTDRAWSURFACE7 surface, int x, int y, int value) {
    const PixelLock lock(surface);
    if (!lock.Holds(x, y)) return 0;
    // On an 8-bit surface the 16-bit steps reach twice as far along the row as the pixels do.
    const std::size_t at = lock.WordOffset(x, y);
    if (at + 2 > lock.Bytes()) return 0;
    std::uint16_t previous;
    std::memcpy(&previous, lock.Base() + at, sizeof(previous));
    const auto stored = static_cast<std::uint16_t>(value);
    std::memcpy(lock.Base() + at, &stored, sizeof(stored));
    return previous;
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

#include "platform/ddraw/ddraw_format.h"

namespace platform {

namespace {

DDPIXELFORMAT RgbFormat(DWORD bits, DWORD red, DWORD green, DWORD blue) {
    DDPIXELFORMAT format{};
    format.dwSize = sizeof(DDPIXELFORMAT);
    format.dwFlags = DDPF_RGB;
    format.dwRGBBitCount = bits;
    format.dwRBitMask = red;
    format.dwGBitMask = green;
    format.dwBBitMask = blue;
    return format;
}

}  // namespace

DDPIXELFORMAT PixelFormatFor(PixelLayout layout) {
    if (layout == PixelLayout::Rgb555) return RgbFormat(16, 0x7C00, 0x03E0, 0x001F);
    return RgbFormat(16, 0xF800, 0x07E0, 0x001F);
}

DDPIXELFORMAT PalettisedFormat() {
    DDPIXELFORMAT format = RgbFormat(8, 0, 0, 0);
    format.dwFlags |= DDPF_PALETTEINDEXED8;
    return format;
}

bool IsPalettised(const DDPIXELFORMAT& format) {
    return (format.dwFlags & DDPF_PALETTEINDEXED8) != 0 && format.dwRGBBitCount == 8;
}

bool SamePixelFormat(const DDPIXELFORMAT& a, const DDPIXELFORMAT& b) {
    if (IsPalettised(a) || IsPalettised(b)) return IsPalettised(a) && IsPalettised(b);
    return a.dwRGBBitCount == b.dwRGBBitCount && a.dwRBitMask == b.dwRBitMask && a.dwGBitMask == b.dwGBitMask &&
           a.dwBBitMask == b.dwBBitMask && a.dwRGBAlphaBitMask == b.dwRGBAlphaBitMask;
}

bool IsSupportedFormat(const DDPIXELFORMAT& format) {
    return SamePixelFormat(format, PalettisedFormat()) ||
           SamePixelFormat(format, PixelFormatFor(PixelLayout::Rgb565)) ||
           SamePixelFormat(format, PixelFormatFor(PixelLayout::Rgb555));
}

int BytesPerPixel(const DDPIXELFORMAT& format) { return static_cast<int>(format.dwRGBBitCount / 8); }

LONG PitchFor(DWORD width, const DDPIXELFORMAT& format) {
    const DWORD bytes = width * static_cast<DWORD>(BytesPerPixel(format));
    return static_cast<LONG>((bytes + 3u) & ~3u);
}

}  // namespace platform

// Bitmap loading for the program: decoded BMP files copied into new surfaces, either in the
// display's format or, for palettised files, as 8-bit surfaces that keep the indices.
#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <optional>

#include "platform/qz/bmp_decoder.h"
#include "platform/qz/bmp_pixels.h"
#include "platform/ddraw/ddraw_format.h"
#include "platform/ddraw/ddraw_object.h"
#include "platform/api/qz.h"
#include "platform/api/file_names.h"

namespace {

using platform::BmpChannels;
using platform::BmpColour;
using platform::BmpImage;

LPDIRECTDRAWSURFACE7 CreateSurfaceFor(const BmpImage& image, bool palettised) {
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.dwWidth = static_cast<DWORD>(image.width);
    desc.dwHeight = static_cast<DWORD>(image.height);
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    if (palettised) {
        desc.dwFlags |= DDSD_PIXELFORMAT;
        desc.ddpfPixelFormat = platform::PalettisedFormat();
    }
    // Before the display is set up, pictures take the format it will most likely have.
    LPDIRECTDRAW display = QZGetLPDD();
    LPDIRECTDRAW maker = display != nullptr ? display : platform::CreateDirectDrawObject(platform::PixelLayout::Rgb565);
    if (maker == nullptr) return nullptr;
    LPDIRECTDRAWSURFACE surface = nullptr;
    if (FAILED(maker->CreateSurface(&desc, &surface, nullptr))) surface = nullptr;
    if (display == nullptr) maker->Release();
    return surface;
}

// Truncating, exactly as the game's PackRGB packs a colour.
class Packer {
public:
    explicit Packer(DDPIXELFORMAT format) {
        int alpha = 0;
        QZGetRGBABits(&format, &red_, &green_, &blue_, &alpha);
    }
    std::uint16_t operator()(BmpColour c) const {
        return static_cast<std::uint16_t>(((c.red >> (8 - red_)) << (green_ + blue_)) +
                                          ((c.green >> (8 - green_)) << blue_) + (c.blue >> (8 - blue_)));
    }

private:
    int red_ = 0;
    int green_ = 0;
    int blue_ = 0;
};

// The surface's own layout: its masks are the packer's, red above green above blue.
bool SameLayout(const std::array<std::uint32_t, 3>& masks, const DDPIXELFORMAT& format) {
    const int blue = std::popcount(format.dwBBitMask);
    const int green = std::popcount(format.dwGBitMask);
    const int red = std::popcount(format.dwRBitMask);
    const auto field = [](int bits, int shift) { return ((std::uint32_t{1} << bits) - 1) << shift; };
    return masks[0] == format.dwRBitMask && masks[1] == format.dwGBitMask && masks[2] == format.dwBBitMask &&
           format.dwBBitMask == field(blue, 0) && format.dwGBitMask == field(green, blue) &&
           format.dwRBitMask == field(red, green + blue);
}

// A channel scaled up to eight bits and truncated back to its own width is itself, so a picture
// laid out as the surface is stores its pixels unchanged, less the bits no channel uses.
void StoreWords(const BmpImage& image, const DDSURFACEDESC& desc) {
    auto* base = static_cast<BYTE*>(desc.lpSurface);
    const auto row = [&](int y) {
        return reinterpret_cast<std::uint16_t*>(base + static_cast<std::ptrdiff_t>(y) * desc.lPitch);
    };
    const auto from = [&](int y) { return image.words.data() + static_cast<std::size_t>(y) * image.width; };
    if (SameLayout(image.masks, desc.ddpfPixelFormat)) {
        const auto used = static_cast<std::uint16_t>(image.masks[0] | image.masks[1] | image.masks[2]);
        for (int y = 0; y < image.height; ++y)
            std::transform(from(y), from(y) + image.width, row(y), [used](std::uint16_t w) { return w & used; });
        return;
    }
    const Packer pack(desc.ddpfPixelFormat);
    const BmpChannels channels(image.masks);
    for (int y = 0; y < image.height; ++y)
        std::transform(from(y), from(y) + image.width, row(y),
                       [&](std::uint16_t w) { return pack(channels.Scale(w)); });
}

void StoreColours(const BmpImage& image, const DDSURFACEDESC& desc) {
    if (!image.words.empty()) return StoreWords(image, desc);
    const Packer pack(desc.ddpfPixelFormat);
    std::vector<std::uint16_t> lookup;
    for (const BmpColour& colour : image.palette) lookup.push_back(pack(colour));
    auto* base = static_cast<BYTE*>(desc.lpSurface);
    const bool palettised = image.Palettised();
    for (int y = 0; y < image.height; ++y) {
        auto* row = reinterpret_cast<std::uint16_t*>(base + static_cast<std::ptrdiff_t>(y) * desc.lPitch);
        const std::size_t first = static_cast<std::size_t>(y) * image.width;
        if (palettised)
            for (int x = 0; x < image.width; ++x) row[x] = lookup[image.indices[first + x]];
        else
            for (int x = 0; x < image.width; ++x) row[x] = pack(image.colours[first + x]);
    }
}

void StoreIndices(const BmpImage& image, const DDSURFACEDESC& desc) {
    auto* base = static_cast<BYTE*>(desc.lpSurface);
    for (int y = 0; y < image.height; ++y)
        std::memcpy(base + static_cast<std::ptrdiff_t>(y) * desc.lPitch,
                    image.indices.data() + static_cast<std::size_t>(y) * image.width,
                    static_cast<std::size_t>(image.width));
}

bool StorePalette(const BmpImage& image, LPDIRECTDRAWSURFACE7 surface) {
    LPDIRECTDRAWPALETTE palette = nullptr;
    if (FAILED(surface->GetPalette(&palette))) return false;
    std::vector<PALETTEENTRY> entries;
    for (const BmpColour& colour : image.palette) entries.push_back({colour.red, colour.green, colour.blue, 0});
    const DWORD count = static_cast<DWORD>(std::min<std::size_t>(entries.size(), 256));
    const HRESULT result = palette->SetEntries(0, 0, count, entries.data());
    palette->Release();
    return SUCCEEDED(result);
}

bool Store(const BmpImage& image, bool palettised, LPDIRECTDRAWSURFACE7 surface) {
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    if (FAILED(surface->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr))) return false;
    if (palettised) StoreIndices(image, desc);
    else StoreColours(image, desc);
    surface->Unlock(nullptr);
    return !palettised || StorePalette(image, surface);
}

}  // namespace

LPDIRECTDRAWSURFACE7 QZLoadBitmap(const char* file) { return QZLoadBitmap(file, 16); }

LPDIRECTDRAWSURFACE7 QZLoadBitmap(const char* file, int bits) {
    if (file == nullptr || (bits != 8 && bits != 16)) return nullptr;
    const bool palettised = bits == 8;
    const std::optional<BmpImage> image = platform::LoadBmpFile(platform::NativePath(file));
    if (!image || (palettised && !image->Palettised())) return nullptr;
    LPDIRECTDRAWSURFACE7 surface = CreateSurfaceFor(*image, palettised);
    if (surface != nullptr && !Store(*image, palettised, surface)) {
        surface->Release();
        surface = nullptr;
    }
    return surface;
}

int QZCheckBitmap(const char* file, int bits) {
    if (file == nullptr || (bits != 8 && bits != 16)) return QZ_BITMAP_UNREADABLE;
    platform::BmpTrouble trouble = platform::BmpTrouble::kNone;
    const std::optional<BmpImage> image = platform::LoadBmpFile(platform::NativePath(file), &trouble);
    switch (trouble) {
    case platform::BmpTrouble::kNone: break;
    case platform::BmpTrouble::kUnreadable: return QZ_BITMAP_UNREADABLE;
    case platform::BmpTrouble::kTooLarge: return QZ_BITMAP_TOO_LARGE;
    case platform::BmpTrouble::kDamaged: return QZ_BITMAP_DAMAGED;
    }
    if (!image) return QZ_BITMAP_DAMAGED;
    return bits == 8 && !image->Palettised() ? QZ_BITMAP_NOT_PALETTISED : QZ_BITMAP_OK;
}

void QZGetRGBABits(DDPIXELFORMAT* format, int* red, int* green, int* blue, int* alpha) {
    const auto bits = [format](DWORD DDPIXELFORMAT::*mask) {
        return format != nullptr ? std::popcount(format->*mask) : 0;
    };
    if (red != nullptr) *red = bits(&DDPIXELFORMAT::dwRBitMask);
    if (green != nullptr) *green = bits(&DDPIXELFORMAT::dwGBitMask);
    if (blue != nullptr) *blue = bits(&DDPIXELFORMAT::dwBBitMask);
    if (alpha != nullptr) *alpha = bits(&DDPIXELFORMAT::dwRGBAlphaBitMask);
}

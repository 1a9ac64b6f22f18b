// QZLoadBitmap at 16 and at 8 bits. A file loads exactly when the decoder takes it (at 8 bits, only
// palettised ones), and the surface then holds what the decoder read: 5-6-5 colours truncated from
// the file's, or the file's palette indices with its palette.
#include <cstring>
#include <optional>
#include <vector>

#include "fuzz/fuzz_target.h"
#include "fuzz/input_file.h"
#include "platform/qz/bmp_decoder.h"
#include "platform/api/ddraw.h"
#include "platform/api/qz.h"

namespace fuzz {
namespace {

using platform::BmpColour;
using platform::BmpImage;

std::uint16_t Truncated565(BmpColour c) {
    return static_cast<std::uint16_t>(((c.red >> 3) << 11) | ((c.green >> 2) << 5) | (c.blue >> 3));
}

void CheckColours(const BmpImage& image, const DDSURFACEDESC& desc) {
    Check(desc.ddpfPixelFormat.dwRGBBitCount == 16, "a 16-bit load gives a 16-bit surface");
    for (int y = 0; y < image.height; ++y) {
        const auto* row = reinterpret_cast<const std::uint16_t*>(static_cast<const BYTE*>(desc.lpSurface) +
                                                                 static_cast<std::ptrdiff_t>(y) * desc.lPitch);
        for (int x = 0; x < image.width; ++x)
            Check(row[x] == Truncated565(image.ColourAt(x, y)), "every pixel is the file's colour, truncated");
    }
}

void CheckIndices(const BmpImage& image, const DDSURFACEDESC& desc, LPDIRECTDRAWSURFACE7 surface) {
    Check(desc.ddpfPixelFormat.dwRGBBitCount == 8, "an 8-bit load gives an 8-bit surface");
    for (int y = 0; y < image.height; ++y) {
        const BYTE* row = static_cast<const BYTE*>(desc.lpSurface) + static_cast<std::ptrdiff_t>(y) * desc.lPitch;
        Check(std::memcmp(row, image.indices.data() + static_cast<std::size_t>(y) * image.width,
                          static_cast<std::size_t>(image.width)) == 0,
              "every pixel keeps its palette index");
    }
    LPDIRECTDRAWPALETTE palette = nullptr;
    Check(SUCCEEDED(surface->GetPalette(&palette)), "an 8-bit surface has a palette");
    PALETTEENTRY entries[256];
    Check(SUCCEEDED(palette->GetEntries(0, 0, 256, entries)), "the palette can be read");
    palette->Release();
    for (std::size_t i = 0; i < image.palette.size() && i < 256; ++i) {
        const BmpColour& c = image.palette[i];
        Check(entries[i].peRed == c.red && entries[i].peGreen == c.green && entries[i].peBlue == c.blue,
              "the palette is the file's");
    }
}

void LoadAt(std::span<const std::uint8_t> input, int bits) {
    const std::string path = WriteScratchFile("picture.bmp", input);
    const std::optional<BmpImage> decoded = platform::DecodeBmp({input.begin(), input.end()});
    const bool loadable = decoded && (bits == 16 || decoded->Palettised());
    LPDIRECTDRAWSURFACE7 surface = QZLoadBitmap(path.c_str(), bits);
    Check((surface != nullptr) == loadable, "a file loads exactly when it decodes");
    if (surface == nullptr) return;

    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    Check(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) == DD_OK, "the surface can be locked");
    Check(static_cast<int>(desc.dwWidth) == decoded->width && static_cast<int>(desc.dwHeight) == decoded->height,
          "the surface has the picture's size");
    if (bits == 16) CheckColours(*decoded, desc);
    else CheckIndices(*decoded, desc, surface);
    surface->Unlock(nullptr);
    surface->Release();
}

}  // namespace

void Bitmap16(std::span<const std::uint8_t> input) { LoadAt(input, 16); }
void Bitmap8(std::span<const std::uint8_t> input) { LoadAt(input, 8); }

}  // namespace fuzz

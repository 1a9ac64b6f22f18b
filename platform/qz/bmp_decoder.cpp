#include "platform/qz/bmp_decoder.h"

#include <SDL.h>

#include <array>
#include <bit>
#include <fstream>
#include <memory>

#include "platform/qz/bmp_header.h"
#include "platform/core/file_faults.h"
#include "platform/qz/bmp_rle.h"

namespace platform {

namespace {

// Room for the largest picture we accept at 32 bits, plus headers and a colour profile.
constexpr std::uint64_t kMaxFileBytes = kMaxBitmapPixels * 4 + (std::uint64_t{16} << 20);

struct FreeSurface {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SdlSurface = std::unique_ptr<SDL_Surface, FreeSurface>;

void PutU32(std::vector<std::uint8_t>& file, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// SDL reads bit fields only when they match one of its named pixel formats, but it keeps each
// pixel's bits as they are. Shown the plain masks of the same depth, it reads any file we accept;
// the file's own masks are applied afterwards.
void ShowPlainMasks(std::vector<std::uint8_t>& file, const BmpHeader& header) {
    if (header.compression != BmpCompression::BitFields) return;
    const bool sixteen = header.bitsPerPixel == 16;
    PutU32(file, kBmpMaskOffset, sixteen ? 0xF800 : 0xFF0000);
    PutU32(file, kBmpMaskOffset + 4, sixteen ? 0x07E0 : 0x00FF00);
    PutU32(file, kBmpMaskOffset + 8, sixteen ? 0x001F : 0x0000FF);
    if (header.infoSize >= 56) PutU32(file, kBmpMaskOffset + 12, 0);
}

bool StreamIsSound(const std::vector<std::uint8_t>& file, const BmpHeader& header) {
    if (header.compression != BmpCompression::Rle8 && header.compression != BmpCompression::Rle4) return true;
    const std::span<const std::uint8_t> stream(file.data() + header.pixelOffset, header.pixelBytes);
    return RleStreamFits(stream, header.width, header.height, header.compression == BmpCompression::Rle4);
}

SdlSurface ReadWithSdl(const std::vector<std::uint8_t>& file) {
    SDL_RWops* source = SDL_RWFromConstMem(file.data(), static_cast<int>(file.size()));
    if (source == nullptr) return nullptr;
    return SdlSurface(SDL_LoadBMP_RW(source, 1));
}

const std::uint8_t* RowOf(const SDL_Surface& surface, int y) {
    return static_cast<const std::uint8_t*>(surface.pixels) + static_cast<std::ptrdiff_t>(y) * surface.pitch;
}

// Indices outside the palette are refused here for every kind of file; SDL checks them only in
// uncompressed ones.
bool TakeIndices(const SDL_Surface& surface, BmpImage* image) {
    const SDL_Palette* palette = surface.format->palette;
    if (surface.format->BitsPerPixel != 8 || palette == nullptr || palette->ncolors <= 0) return false;
    for (int i = 0; i < palette->ncolors; ++i)
        image->palette.push_back({palette->colors[i].r, palette->colors[i].g, palette->colors[i].b});
    image->indices.reserve(static_cast<std::size_t>(image->width) * image->height);
    for (int y = 0; y < image->height; ++y) {
        const std::uint8_t* row = RowOf(surface, y);
        for (int x = 0; x < image->width; ++x) {
            if (row[x] >= palette->ncolors) return false;
            image->indices.push_back(row[x]);
        }
    }
    return true;
}

struct Channel {
    std::uint32_t mask;
    int shift;
    std::uint64_t largest;

    explicit Channel(std::uint32_t m)
        : mask(m), shift(std::countr_zero(m)), largest((std::uint64_t{1} << std::popcount(m)) - 1) {}

    std::uint8_t Scale(std::uint32_t pixel) const {
        const std::uint64_t value = (pixel & mask) >> shift;
        return static_cast<std::uint8_t>((value * 255 + largest / 2) / largest);
    }
};

bool TakeColours(const SDL_Surface& surface, const BmpHeader& header, BmpImage* image) {
    const int bytes = header.bitsPerPixel / 8;
    if (surface.format->BytesPerPixel != bytes) return false;
    const Channel red(header.masks[0]), green(header.masks[1]), blue(header.masks[2]);
    image->colours.reserve(static_cast<std::size_t>(image->width) * image->height);
    for (int y = 0; y < image->height; ++y) {
        const std::uint8_t* pixel = RowOf(surface, y);
        for (int x = 0; x < image->width; ++x, pixel += bytes) {
            std::uint32_t value = 0;
            for (int i = 0; i < bytes; ++i) value |= static_cast<std::uint32_t>(pixel[i]) << (8 * i);
            image->colours.push_back({red.Scale(value), green.Scale(value), blue.Scale(value)});
        }
    }
    return true;
}

}  // namespace

BmpColour BmpImage::ColourAt(int x, int y) const {
    const std::size_t at = static_cast<std::size_t>(y) * width + x;
    return Palettised() ? palette[indices[at]] : colours[at];
}

std::optional<BmpImage> DecodeBmp(std::vector<std::uint8_t> file) {
    if (file.size() > kMaxFileBytes) return std::nullopt;
    const std::optional<BmpHeader> header = ParseBmpHeader(file);
    if (!header || !StreamIsSound(file, *header)) return std::nullopt;
    ShowPlainMasks(file, *header);
    const SdlSurface surface = ReadWithSdl(file);
    if (!surface || surface->w != header->width || surface->h != header->height) return std::nullopt;

    BmpImage image;
    image.width = header->width;
    image.height = header->height;
    const bool taken = header->bitsPerPixel <= 8 ? TakeIndices(*surface, &image)
                                                 : TakeColours(*surface, *header, &image);
    if (!taken) return std::nullopt;
    return image;
}

std::optional<BmpImage> LoadBmpFile(const std::string& path, BmpTrouble* trouble) {
    const auto fail = [trouble](BmpTrouble why) {
        if (trouble != nullptr) *trouble = why;
        return std::nullopt;
    };
    if (trouble != nullptr) *trouble = BmpTrouble::kNone;
    if (faults::IsHidden(path)) return fail(BmpTrouble::kUnreadable);
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return fail(BmpTrouble::kUnreadable);
    const std::streamoff size = in.tellg();
    if (size <= 0) return fail(size < 0 ? BmpTrouble::kUnreadable : BmpTrouble::kDamaged);
    if (static_cast<std::uint64_t>(size) > kMaxFileBytes) return fail(BmpTrouble::kTooLarge);
    std::vector<std::uint8_t> file(static_cast<std::size_t>(size));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(file.data()), size)) return fail(BmpTrouble::kUnreadable);
    if (BmpHeaderAsksTooMuch(file)) return fail(BmpTrouble::kTooLarge);
    std::optional<BmpImage> image = DecodeBmp(std::move(file));
    if (!image) return fail(BmpTrouble::kDamaged);
    return image;
}

}  // namespace platform

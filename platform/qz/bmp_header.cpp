#include "platform/qz/bmp_header.h"

#include <bit>

namespace platform {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
// Bit-field masks sit just past the 40-byte part of the info header, whatever its size.
constexpr std::size_t kMaskOffset = kFileHeaderSize + 40;
// Beyond 25,400 dots per inch a density field holds garbage, and so, probably, does the rest.
constexpr std::int64_t kMaxPixelsPerMetre = 1'000'000;
// Runs give at most 255 pixels for two bytes; this leaves as much again for areas a stream skips
// (moves, early line ends, an early end). A picture far larger than its stream could describe is a
// few bytes asking for a huge allocation: the stream "end of picture" alone would do for any size.
constexpr std::uint64_t kMostRlePixelsPerByte = 255;

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::uint32_t U16(std::size_t at) const { return bytes_[at] | (bytes_[at + 1] << 8); }
    std::uint32_t U32(std::size_t at) const { return U16(at) | (U16(at + 2) << 16); }
    std::int32_t S32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }

private:
    std::span<const std::uint8_t> bytes_;
};

bool KnownInfoSize(std::uint32_t size) {
    return size == 12 || size == 40 || size == 52 || size == 56 || size == 64 || size == 108 || size == 124;
}

bool UsableMasks(const std::array<std::uint32_t, 3>& masks, int bits) {
    const std::uint64_t pixel = (std::uint64_t{1} << bits) - 1;
    std::uint32_t seen = 0;
    for (std::uint32_t mask : masks) {
        if (mask == 0 || (mask & ~pixel) != 0 || (mask & seen) != 0) return false;
        const std::uint32_t shifted = mask >> std::countr_zero(mask);
        if ((shifted & (shifted + 1)) != 0) return false;  // not one run of ones
        seen |= mask;
    }
    return true;
}

std::array<std::uint32_t, 3> DefaultMasks(int bits) {
    if (bits == 16) return {0x7C00, 0x03E0, 0x001F};
    return {0xFF0000, 0x00FF00, 0x0000FF};
}

// Reads the fields that say what the picture is; false for sizes and kinds we refuse.
bool ReadGeometry(const Reader& in, BmpHeader* header, std::uint32_t* compression) {
    std::int64_t height = 0;
    std::uint32_t planes = 0;
    if (header->infoSize == 12) {
        header->width = static_cast<int>(in.U16(18));
        height = in.U16(20);
        planes = in.U16(22);
        header->bitsPerPixel = static_cast<int>(in.U16(24));
        *compression = 0;
    } else {
        const std::int64_t width = in.S32(18);
        height = in.S32(22);
        planes = in.U16(26);
        header->bitsPerPixel = static_cast<int>(in.U16(28));
        *compression = in.U32(30);
        const std::int64_t xDensity = in.S32(38);
        const std::int64_t yDensity = in.S32(42);
        if (xDensity > kMaxPixelsPerMetre || yDensity > kMaxPixelsPerMetre || xDensity < -kMaxPixelsPerMetre ||
            yDensity < -kMaxPixelsPerMetre)
            return false;
        if (width <= 0 || width > kMaxBitmapSide) return false;
        header->width = static_cast<int>(width);
    }
    header->topDown = height < 0;
    if (height < 0) height = -height;
    if (planes != 1 || header->width == 0 || height == 0 || height > kMaxBitmapSide) return false;
    header->height = static_cast<int>(height);
    return std::int64_t{header->width} * header->height <= kMaxBitmapPixels;
}

bool ReadCompression(const Reader& in, std::uint32_t compression, BmpHeader* header) {
    const int bits = header->bitsPerPixel;
    switch (compression) {
    case 0:
        header->compression = BmpCompression::None;
        if (bits > 8) header->masks = DefaultMasks(bits);
        return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case 1: header->compression = BmpCompression::Rle8; return bits == 8 && !header->topDown;
    case 2: header->compression = BmpCompression::Rle4; return bits == 4 && !header->topDown;
    case 3:
        // Under the OS/2 2.x header, 3 means Huffman coding.
        if (header->infoSize == 64 || (bits != 16 && bits != 32)) return false;
        header->compression = BmpCompression::BitFields;
        header->masks = {in.U32(kMaskOffset), in.U32(kMaskOffset + 4), in.U32(kMaskOffset + 8)};
        return UsableMasks(header->masks, bits);
    default: return false;
    }
}

// The palette lies between the headers and the pixels and must be there whole.
bool PlacePalette(const Reader& in, std::size_t headersEnd, BmpHeader* header) {
    if (header->bitsPerPixel > 8) return true;
    header->paletteListed = header->infoSize == 12 ? 0 : in.U32(46);
    const std::size_t listed = header->paletteListed;
    header->paletteEntries = listed != 0 ? listed : std::size_t{1} << header->bitsPerPixel;
    header->paletteOffset = kFileHeaderSize + header->infoSize;
    header->paletteEntryBytes = header->infoSize == 12 ? 3 : 4;
    return headersEnd + std::uint64_t{header->paletteEntries} * header->paletteEntryBytes <= header->pixelOffset;
}

bool PixelDataFits(const Reader& in, const BmpHeader& header) {
    const std::uint64_t sizeImage = header.infoSize == 12 ? 0 : in.U32(34);
    if (sizeImage > header.pixelBytes) return false;
    if (header.compression == BmpCompression::Rle8 || header.compression == BmpCompression::Rle4)
        return static_cast<std::uint64_t>(header.width) * header.height <= kMostRlePixelsPerByte * header.pixelBytes;
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(header.width) * header.bitsPerPixel + 31) / 32 * 4;
    return rowBytes * header.height <= header.pixelBytes;
}

}  // namespace

std::optional<BmpHeader> ParseBmpHeader(std::span<const std::uint8_t> file) {
    if (file.size() < kFileHeaderSize + 4 || file[0] != 'B' || file[1] != 'M') return std::nullopt;
    const Reader in(file);
    BmpHeader header;
    header.infoSize = in.U32(14);
    if (in.U32(2) > file.size() || !KnownInfoSize(header.infoSize)) return std::nullopt;
    std::size_t headersEnd = kFileHeaderSize + header.infoSize;
    if (headersEnd > file.size()) return std::nullopt;
    // Masks that follow a 40-byte header sit where a longer header would keep them.
    if (header.infoSize == 40 && in.U32(30) == 3) headersEnd += 12;
    if (headersEnd > file.size()) return std::nullopt;

    header.pixelOffset = in.U32(10);
    if (header.pixelOffset < headersEnd || header.pixelOffset >= file.size()) return std::nullopt;
    header.pixelBytes = file.size() - header.pixelOffset;

    std::uint32_t compression = 0;
    if (!ReadGeometry(in, &header, &compression) || !ReadCompression(in, compression, &header)) return std::nullopt;
    if (!PlacePalette(in, headersEnd, &header) || !PixelDataFits(in, header)) return std::nullopt;
    return header;
}

bool BmpHeaderAsksTooMuch(std::span<const std::uint8_t> file) {
    if (file.size() < kFileHeaderSize + 4 || file[0] != 'B' || file[1] != 'M') return false;
    const Reader in(file);
    const std::uint32_t infoSize = in.U32(14);
    if (!KnownInfoSize(infoSize) || file.size() < kFileHeaderSize + infoSize) return false;
    const bool os2 = infoSize == 12;
    // Each side as its header kind stores it: unsigned 16 bits, or signed 32.
    const std::int64_t width = os2 ? std::int64_t{in.U16(18)} : std::int64_t{in.S32(18)};
    std::int64_t height = os2 ? std::int64_t{in.U16(20)} : std::int64_t{in.S32(22)};
    if (height < 0) height = -height;
    return width > kMaxBitmapSide || height > kMaxBitmapSide || width * height > kMaxBitmapPixels;
}

}  // namespace platform

// The headers of a Windows BMP file, read and checked before any decoder sees the file: every
// size, offset and count must fit inside the file, so nothing downstream can be led to read past
// it or to allocate for a picture the file cannot hold.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace platform {

inline constexpr int kMaxBitmapSide = 16384;
inline constexpr std::int64_t kMaxBitmapPixels = std::int64_t{1} << 26;

enum class BmpCompression { None, Rle8, Rle4, BitFields };

struct BmpHeader {
    int width = 0;
    int height = 0;  // always positive; see topDown
    bool topDown = false;
    int bitsPerPixel = 0;  // 1, 2, 4, 8, 16, 24 or 32
    BmpCompression compression = BmpCompression::None;
    std::uint32_t infoSize = 0;  // 12 (OS/2 1.x), 40, 52, 56, 64 (OS/2 2.x), 108 or 124
    // Red, green and blue masks of a direct-colour pixel (the defaults when the file gives none):
    // non-zero, contiguous, disjoint and within the pixel.
    std::array<std::uint32_t, 3> masks{};
    std::size_t paletteEntries = 0;     // palettised pictures only
    std::uint32_t paletteListed = 0;    // the count as the file gives it; 0 when it gives none
    std::size_t paletteOffset = 0;      // where the palette starts: just past the info header
    std::size_t paletteEntryBytes = 0;  // 3 (blue, green, red) under the OS/2 1.x header, else 4
    std::size_t pixelOffset = 0;
    std::size_t pixelBytes = 0;  // from pixelOffset to the end of the file
};

// Null for anything that is not a well-formed BMP of the supported kinds: a wrong signature, a
// file shorter than its headers say, an unknown header size, planes other than 1, sides of 0 or
// over kMaxBitmapSide, more than kMaxBitmapPixels, an unsupported depth or compression, unusable
// masks, a palette or pixel offset outside the file, absurd densities, too little pixel data for
// an uncompressed picture or far too little for an RLE one (over 255 pixels a byte), or a top-down
// RLE picture. An RLE stream is checked separately (RleStreamFits).
std::optional<BmpHeader> ParseBmpHeader(std::span<const std::uint8_t> file);

// True when the headers ask for a picture larger than we accept (a side over kMaxBitmapSide or
// more than kMaxBitmapPixels), whatever else is wrong with the file: such a file is refused for its
// size, not as damaged.
bool BmpHeaderAsksTooMuch(std::span<const std::uint8_t> file);

}  // namespace platform

#include "platform/qz/bmp_pixels.h"

#include <bit>
#include <cstddef>

namespace platform {

namespace {

std::size_t RowBytes(const BmpHeader& header) {
    return (static_cast<std::size_t>(header.width) * header.bitsPerPixel + 31) / 32 * 4;
}

// The header has checked that every row lies inside the file.
const std::uint8_t* RowFromTop(std::span<const std::uint8_t> file, const BmpHeader& header, int y) {
    const int stored = header.topDown ? y : header.height - 1 - y;
    return file.data() + header.pixelOffset + static_cast<std::size_t>(stored) * RowBytes(header);
}

std::uint8_t IndexAt(const std::uint8_t* row, int x, int bits) {
    if (bits == 8) return row[x];
    const int bit = x * bits;
    const int shift = 8 - bits - bit % 8;
    return static_cast<std::uint8_t>((row[bit / 8] >> shift) & ((1 << bits) - 1));
}

std::uint32_t ValueAt(const std::uint8_t* pixel, int bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) value |= static_cast<std::uint32_t>(pixel[i]) << (8 * i);
    return value;
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

}  // namespace

std::vector<std::uint8_t> UnpackBmpIndices(std::span<const std::uint8_t> file, const BmpHeader& header) {
    std::vector<std::uint8_t> indices;
    indices.reserve(static_cast<std::size_t>(header.width) * header.height);
    for (int y = 0; y < header.height; ++y) {
        const std::uint8_t* row = RowFromTop(file, header, y);
        for (int x = 0; x < header.width; ++x) indices.push_back(IndexAt(row, x, header.bitsPerPixel));
    }
    return indices;
}

std::vector<BmpColour> ReadBmpColours(std::span<const std::uint8_t> file, const BmpHeader& header) {
    const int bytes = header.bitsPerPixel / 8;
    const Channel red(header.masks[0]), green(header.masks[1]), blue(header.masks[2]);
    std::vector<BmpColour> colours;
    colours.reserve(static_cast<std::size_t>(header.width) * header.height);
    for (int y = 0; y < header.height; ++y) {
        const std::uint8_t* pixel = RowFromTop(file, header, y);
        for (int x = 0; x < header.width; ++x, pixel += bytes) {
            const std::uint32_t value = ValueAt(pixel, bytes);
            colours.push_back({red.Scale(value), green.Scale(value), blue.Scale(value)});
        }
    }
    return colours;
}

}  // namespace platform

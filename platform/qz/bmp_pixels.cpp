#include "platform/qz/bmp_pixels.h"

#include <array>
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

// One row of pixels `kBytes` wide each; a width known at compile time lets the reads unroll.
template <int kBytes>
void ReadRow(const std::uint8_t* pixel, int width, const BmpChannels& channels, BmpColour* out) {
    for (int x = 0; x < width; ++x, pixel += kBytes) out[x] = channels.Scale(ValueAt(pixel, kBytes));
}

}  // namespace

std::uint8_t ScaleBmpField(std::uint32_t pixel, std::uint32_t mask) {
    const std::uint64_t largest = (std::uint64_t{1} << std::popcount(mask)) - 1;
    const std::uint64_t value = (pixel & mask) >> std::countr_zero(mask);
    return static_cast<std::uint8_t>((value * 255 + largest / 2) / largest);
}

BmpChannel::BmpChannel(std::uint32_t mask)
    : mask_(mask), shift_(std::countr_zero(mask)), tabled_(std::popcount(mask) <= 8) {
    if (!tabled_) return;
    for (std::uint32_t v = 0; v <= (mask_ >> shift_); ++v) table_[v] = ScaleBmpField(v << shift_, mask_);
}

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
    const BmpChannels channels(header.masks);
    std::vector<BmpColour> colours(static_cast<std::size_t>(header.width) * header.height);
    for (int y = 0; y < header.height; ++y) {
        const std::uint8_t* row = RowFromTop(file, header, y);
        BmpColour* out = colours.data() + static_cast<std::size_t>(y) * header.width;
        switch (header.bitsPerPixel) {
        case 16: ReadRow<2>(row, header.width, channels, out); break;
        case 24: ReadRow<3>(row, header.width, channels, out); break;
        default: ReadRow<4>(row, header.width, channels, out); break;
        }
    }
    return colours;
}

std::vector<std::uint16_t> ReadBmpWords(std::span<const std::uint8_t> file, const BmpHeader& header) {
    std::vector<std::uint16_t> words(static_cast<std::size_t>(header.width) * header.height);
    for (int y = 0; y < header.height; ++y) {
        const std::uint8_t* pixel = RowFromTop(file, header, y);
        std::uint16_t* out = words.data() + static_cast<std::size_t>(y) * header.width;
        for (int x = 0; x < header.width; ++x, pixel += 2) out[x] = static_cast<std::uint16_t>(ValueAt(pixel, 2));
    }
    return words;
}

BmpColour ScaleBmpPixel(std::uint32_t pixel, const std::array<std::uint32_t, 3>& masks) {
    return BmpColour{ScaleBmpField(pixel, masks[0]), ScaleBmpField(pixel, masks[1]), ScaleBmpField(pixel, masks[2])};
}

}  // namespace platform

// The pixel array of an uncompressed BMP, read from a file whose header has been checked
// (bmp_header.h): rows padded to four bytes, bottom row first unless the picture is top-down.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/qz/bmp_decoder.h"
#include "platform/qz/bmp_header.h"

namespace platform {

// One palette index per pixel of a 1-, 2-, 4- or 8-bit picture, top row first; the leftmost pixel
// of a byte is in its high bits.
std::vector<std::uint8_t> UnpackBmpIndices(std::span<const std::uint8_t> file, const BmpHeader& header);

// The colours of a 16-, 24- or 32-bit picture, top row first. Each pixel is a little-endian number
// whose channels the header's masks pick out; a channel of n bits is scaled to 0..255 as
// round(v * 255 / (2^n - 1)), so that its largest value is full brightness.
std::vector<BmpColour> ReadBmpColours(std::span<const std::uint8_t> file, const BmpHeader& header);

// The pixels of a 16-bit picture as they are stored, top row first.
std::vector<std::uint16_t> ReadBmpWords(std::span<const std::uint8_t> file, const BmpHeader& header);

// The field `mask` picks out of a pixel (the header has checked the mask is not empty), scaled
// from its width to 0-255 and rounded, as above.
std::uint8_t ScaleBmpField(std::uint32_t pixel, std::uint32_t mask);

// One pixel of a direct-colour picture: the channels the masks pick out, scaled as above.
BmpColour ScaleBmpPixel(std::uint32_t pixel, const std::array<std::uint32_t, 3>& masks);

// One colour channel, scaled as ScaleBmpField scales it. Channels of up to eight bits, which is
// every picture the game ships, look their values up: three divisions a pixel were most of the
// game's start-up. For many pixels of one picture.
class BmpChannel {
public:
    explicit BmpChannel(std::uint32_t mask);
    std::uint8_t Scale(std::uint32_t pixel) const {
        return tabled_ ? table_[(pixel & mask_) >> shift_] : ScaleBmpField(pixel, mask_);
    }

private:
    std::uint32_t mask_;
    int shift_;
    bool tabled_;
    std::array<std::uint8_t, 256> table_{};
};

// The three channels of a picture: ScaleBmpPixel for many pixels.
struct BmpChannels {
    explicit BmpChannels(const std::array<std::uint32_t, 3>& masks) : red(masks[0]), green(masks[1]), blue(masks[2]) {}
    BmpColour Scale(std::uint32_t pixel) const {
        return BmpColour{red.Scale(pixel), green.Scale(pixel), blue.Scale(pixel)};
    }
    BmpChannel red, green, blue;
};

}  // namespace platform

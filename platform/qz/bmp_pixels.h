// The pixel array of an uncompressed BMP, read from a file whose header has been checked
// (bmp_header.h): rows padded to four bytes, bottom row first unless the picture is top-down.
#pragma once

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

// One pixel of a direct-colour picture: the channels the masks pick out, scaled as above.
BmpColour ScaleBmpPixel(std::uint32_t pixel, const std::array<std::uint32_t, 3>& masks);

}  // namespace platform

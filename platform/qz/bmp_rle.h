// A check of a BMP's RLE8 or RLE4 stream before it is decoded.
#pragma once

#include <cstdint>
#include <span>

namespace platform {

// True when every run, literal run and cursor move of the stream stays inside a width x height
// picture and the stream ends with its end-of-bitmap code. Runs that would wrap past a row's end
// or past the top row are refused, not clipped: such a file is damaged.
bool RleStreamFits(std::span<const std::uint8_t> stream, int width, int height, bool fourBit);

}  // namespace platform

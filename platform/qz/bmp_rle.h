// A BMP's RLE8 or RLE4 stream: checked before anything is allocated for it, then expanded.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace platform {

// True when every run, literal run and cursor move of the stream stays inside a width x height
// picture and the stream ends with its end-of-bitmap code. Runs that would wrap past a row's end
// or past the top row are refused, not clipped: such a file is damaged.
bool RleStreamFits(std::span<const std::uint8_t> stream, int width, int height, bool fourBit);

// The stream's palette indices, top row first, index 0 wherever a cursor move or an early end
// skips; null for a stream that does not fit the picture (see RleStreamFits).
std::optional<std::vector<std::uint8_t>> ExpandRle(std::span<const std::uint8_t> stream, int width, int height,
                                                   bool fourBit);

}  // namespace platform

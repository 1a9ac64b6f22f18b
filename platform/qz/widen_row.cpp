#include "platform/qz/widen_row.h"

#include "platform/core/widened_colours.h"

namespace platform {

void WidenRow(const std::uint16_t* in, int width, PixelLayout layout, std::uint8_t* out) {
    const std::uint32_t* colours = WidenedColours(layout);
    for (int x = 0; x < width; ++x) {
        const std::uint32_t colour = colours[in[x]];
        out[3 * x] = static_cast<std::uint8_t>(colour >> 16);
        out[3 * x + 1] = static_cast<std::uint8_t>(colour >> 8);
        out[3 * x + 2] = static_cast<std::uint8_t>(colour);
    }
}

}  // namespace platform

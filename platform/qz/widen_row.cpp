#include "platform/qz/widen_row.h"

namespace platform {

void WidenRow(const std::uint16_t* in, int width, PixelLayout layout, std::uint8_t* out) {
    for (int x = 0; x < width; ++x) {
        const unsigned p = in[x];
        unsigned r, g, b;
        if (layout == PixelLayout::Rgb565) {
            r = p >> 11;
            g = (p >> 5) & 0x3F;
            b = p & 0x1F;
            out[3 * x + 1] = static_cast<std::uint8_t>(g << 2 | g >> 4);
        } else {
            r = (p >> 10) & 0x1F;
            g = (p >> 5) & 0x1F;
            b = p & 0x1F;
            out[3 * x + 1] = static_cast<std::uint8_t>(g << 3 | g >> 2);
        }
        out[3 * x] = static_cast<std::uint8_t>(r << 3 | r >> 2);
        out[3 * x + 2] = static_cast<std::uint8_t>(b << 3 | b >> 2);
    }
}

}  // namespace platform

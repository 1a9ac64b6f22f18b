#include "platform/core/widened_colours.h"

#include <array>

namespace platform {
namespace {

using ColourTable = std::array<std::uint32_t, 65536>;

ColourTable MakeColours(PixelLayout layout) {
    ColourTable table{};
    const int greenBits = layout == PixelLayout::Rgb565 ? 6 : 5;
    for (std::uint32_t p = 0; p < table.size(); ++p) {
        const std::uint32_t b = p & 31;
        const std::uint32_t g = (p >> 5) & ((1u << greenBits) - 1);
        const std::uint32_t r = (p >> (5 + greenBits)) & 31;
        const std::uint32_t g8 = greenBits == 6 ? (g << 2 | g >> 4) : (g << 3 | g >> 2);
        table[p] = (r << 3 | r >> 2) << 16 | g8 << 8 | (b << 3 | b >> 2);
    }
    return table;
}

}  // namespace

// Each table is made when its layout is first asked for: a display has one of them.
const std::uint32_t* WidenedColours(PixelLayout layout) {
    if (layout == PixelLayout::Rgb565) {
        static const ColourTable k565 = MakeColours(PixelLayout::Rgb565);
        return k565.data();
    }
    static const ColourTable k555 = MakeColours(PixelLayout::Rgb555);
    return k555.data();
}

}  // namespace platform

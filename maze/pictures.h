// The finished pictures as files hold them: 8 bits a channel, or palette indices.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace assets {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Pure blue is the transparent colour of every picture the game loads.
inline constexpr Rgb kTransparent{0, 0, 255};

struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;  // rows top-down

    RgbPicture() = default;
    RgbPicture(int w, int h, Rgb fill = kTransparent)
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}
    Rgb& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    const Rgb& At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

struct IndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indices;  // rows top-down
    std::array<Rgb, 256> palette{};

    IndexedPicture() = default;
    IndexedPicture(int w, int h) : width(w), height(h), indices(static_cast<std::size_t>(w) * h, 0) {}
    std::uint8_t& At(int x, int y) { return indices[static_cast<std::size_t>(y) * width + x]; }
    std::uint8_t At(int x, int y) const { return indices[static_cast<std::size_t>(y) * width + x]; }
};

// The two 16-bit layouts the game runs in, and its truncating colour packing.
enum class PixelLayout { Rgb565, Rgb555 };

inline std::uint16_t Pack(PixelLayout layout, int r, int g, int b) {
    if (layout == PixelLayout::Rgb565) return static_cast<std::uint16_t>(((r >> 3) << 11) + ((g >> 2) << 5) + (b >> 3));
    return static_cast<std::uint16_t>(((r >> 3) << 10) + ((g >> 3) << 5) + (b >> 3));
}
inline std::uint16_t Pack(PixelLayout layout, Rgb c) { return Pack(layout, c.r, c.g, c.b); }

// The colour a 16-bit BMP file decodes to for a 5-6-5 value.
inline Rgb Expand565(std::uint16_t value) {
    const int r = value >> 11;
    const int g = value >> 5 & 63;
    const int b = value & 31;
    // As the game's BMP reader scales a channel: to the nearest 8-bit value.
    return {static_cast<std::uint8_t>((r * 255 + 15) / 31), static_cast<std::uint8_t>((g * 255 + 31) / 63),
            static_cast<std::uint8_t>((b * 255 + 15) / 31)};
}

// Whether the colour shows as transparent on either display layout.
inline bool ShowsTransparent(Rgb c) {
    return Pack(PixelLayout::Rgb565, c) == Pack(PixelLayout::Rgb565, kTransparent) ||
           Pack(PixelLayout::Rgb555, c) == Pack(PixelLayout::Rgb555, kTransparent);
}

}  // namespace assets

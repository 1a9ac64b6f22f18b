// Windows BMP files decoded into palette indices or 8-bit colours, by our own code so that the
// portable libraries need no SDL. Every size, offset and RLE run is checked (bmp_header.h, bmp_rle.h)
// before a picture is allocated; the pixels are then read by bmp_pixels.h or bmp_rle.h.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform {

struct BmpColour {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

// A decoded picture, top row first. A palettised picture has its palette and one index per pixel,
// every index inside the palette. A 16-bit one keeps its pixels as stored, with the masks that
// pick out red, green and blue: a surface laid out the same way takes them as they are, which
// spares the start-up the largest pictures' conversion. Any other direct-colour one has its
// colours. Each channel of a direct colour is scaled from its bit-field width to 0..255 as
// round(v * 255 / max).
struct BmpImage {
    int width = 0;
    int height = 0;
    std::vector<BmpColour> palette;
    std::vector<std::uint8_t> indices;
    std::vector<std::uint16_t> words;
    std::array<std::uint32_t, 3> masks{};
    std::vector<BmpColour> colours;

    bool Palettised() const { return !indices.empty(); }
    BmpColour ColourAt(int x, int y) const;
};

// Null when the file is malformed or of a kind we do not read.
std::optional<BmpImage> DecodeBmp(std::vector<std::uint8_t> file);
// Why a file gave no picture.
enum class BmpTrouble { kNone, kUnreadable, kTooLarge, kDamaged };

// Reads a whole file by its native path; null when it cannot be read or decoded, and then
// `trouble`, when given, says why. Files longer than any picture we accept are refused unread.
std::optional<BmpImage> LoadBmpFile(const std::string& path, BmpTrouble* trouble = nullptr);

}  // namespace platform

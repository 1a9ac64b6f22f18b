// The look shared by every picture: a warm harvest palette, wood for frames and buttons, soil for
// the paths and corn leaves for the field, and value noise to keep surfaces from looking flat.
#pragma once

#include <cstdint>

#include "tools/assets/canvas.h"
#include "maze/screen_layout.h"
#include "tools/assets/shapes.h"

namespace assets {

namespace palette {
inline const Colour kWoodDark = Hex(0x4a2c17);
inline const Colour kWood = Hex(0x7e5029);
inline const Colour kWoodLight = Hex(0xb27c44);
inline const Colour kWoodPale = Hex(0xd9ab6b);
inline const Colour kGold = Hex(0xf7c53c);
inline const Colour kGoldPale = Hex(0xffe594);
inline const Colour kGoldDeep = Hex(0xc4871c);
inline const Colour kLeafDeep = Hex(0x1f3d17);
inline const Colour kLeafDark = Hex(0x2f5a1f);
inline const Colour kLeaf = Hex(0x4f8a2c);
inline const Colour kLeafLight = Hex(0x86b144);
inline const Colour kLeafYellow = Hex(0xb9c153);
inline const Colour kSkyHigh = Hex(0xf2a55e);
inline const Colour kSkyLow = Hex(0xffe2a0);
inline const Colour kSoil = Hex(0x74502f);
inline const Colour kSoilDark = Hex(0x4b321d);
inline const Colour kCream = Hex(0xfcf0d2);
inline const Colour kInk = Hex(0x3b2413);
inline const Colour kBarnRed = Hex(0xa8342a);
inline const Colour kSlot = Hex(0x2b1a0e);
}  // namespace palette

// Smooth value noise in [0, 1]: one lattice cell per unit.
float Noise(float x, float y, std::uint32_t seed);
// Several octaves of it, still in [0, 1].
float Fractal(float x, float y, std::uint32_t seed, int octaves = 4);
// Noise of one pixel, in [0, 1], without smoothing.
float Grain(int x, int y, std::uint32_t seed);

// Planks of wood with grain along x (or along y when `vertical`).
Paint WoodPaint(Colour base, std::uint32_t seed, bool vertical = false);
// A wooden board: rounded plank with a dark rim, a light bevel and grain.
void WoodBoard(Canvas& canvas, Rect rect, float radius, std::uint32_t seed, Colour base = palette::kWood);
// A dark, sunken plaque (for numbers and empty slots).
void SunkenPlaque(Canvas& canvas, Rect rect, float radius);

// A cartoon shape: filled, with an ink line round it.
void Inked(Canvas& canvas, const Shape& shape, const Paint& paint, float line = 1.6f, Colour ink = palette::kInk);
void Inked(Canvas& canvas, const Shape& shape, Colour colour, float line = 1.6f, Colour ink = palette::kInk);
// A smiling corn cob with husk leaves, its cob centred on (cx, cy) and `size` tall; a cheerful
// figure shared by the characters and the end picture.
void PaintCornCob(Canvas& canvas, float cx, float cy, float size, bool waving);

// Corn seen from above: leaves of a few greens with pale tassels, `scale` times the size they have
// beside the 1:1 maze. `brightness` above 0 lightens the leaves, below 0 keeps them in the shade,
// so that the soil of the paths stands out against them.
void PaintCorn(Canvas& canvas, Rect area, float scale, std::uint64_t seed, float brightness = 0);
// Tilled soil.
void PaintSoil(Canvas& canvas, Rect area, std::uint32_t seed);

// The game's name in gold, as the title of its screens, centred on `centreX` on the baseline.
void PaintGameTitle(Canvas& canvas, float centreX, float baseline);

}  // namespace assets

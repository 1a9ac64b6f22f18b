// Every picture of the game, painted and brought to the 16-bit display's colours.
#pragma once

#include <array>

#include "maze/maze_layout.h"
#include "maze/pictures.h"
#include "maze/screen_layout.h"

namespace assets {

struct GameArt {
    RgbPicture background;
    IndexedPicture maze;  // "maze02.bmp"
    RgbPicture hilite;
    RgbPicture nohilite;
    RgbPicture numbers;
    RgbPicture characters;
    RgbPicture wayOut;   // "corngrats.bmp"
    RgbPicture perfect;  // "ultimatesolution.bmp"
    RgbPicture howToPlay;
    RgbPicture zoomBox;
    RgbPicture marker;
    RgbPicture kernelLit;
    RgbPicture kernelPlain;
    RgbPicture icon;                                  // the window's
    std::array<RgbPicture, kButtons.size()> buttons;  // in kButtons' order
};

GameArt PaintGameArt(const MazeLayout& maze);

}  // namespace assets

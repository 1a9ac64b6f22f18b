// The painters of the game's pictures. Each returns a canvas at the picture's size; clear parts
// become the transparent colour when the canvas is turned into a file.
#pragma once

#include "tools/assets/canvas.h"
#include "maze/maze_layout.h"
#include "maze/screen_layout.h"

namespace assets {

Canvas PaintBackground(const MazeLayout& maze);

// The hilite panel: empty, and with the ten tiles (two words of five letters), each 364x202.
inline constexpr const char* kPanelWords = "PRIZECROPS";
Canvas PaintEmptyPanel();
Canvas PaintHiliteTiles();

// Three frames side by side: normal, highlighted, pressed.
Canvas PaintButtonStrip(const ButtonSpec& button);

// "0" to "9" side by side, kDigitWidth each.
Canvas PaintDigits();
// Four characters side by side, kCharacterWidth each.
Canvas PaintCharacters();

// The end pictures, kEndPictureSide square: the way out found, and the perfect game, whose
// picture shows the whole maze with the perfect route.
Canvas PaintWayOut();
Canvas PaintPerfectGame(const MazeLayout& maze);

Canvas PaintHowToPlay();

// The frame the game draws round the part of the maze the zoom window shows.
Canvas PaintZoomBox();
// Pictures the game loads but never draws: the player's marker and a kernel, plain and lit.
Canvas PaintMarker();
Canvas PaintKernel(bool lit);

}  // namespace assets

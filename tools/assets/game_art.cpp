#include "tools/assets/game_art.h"

#include "tools/assets/art.h"
#include "tools/assets/colour_reduction.h"
#include "tools/assets/display_colour.h"
#include "tools/assets/icon_art.h"
#include "maze/maze_picture.h"

namespace assets {

GameArt PaintGameArt(const MazeLayout& maze) {
    GameArt art;
    // The empty panel lives in the maze's palette, so it gets the palette's colours; its file is
    // the same pixels, so that the game's copy of it onto the maze changes nothing.
    const IndexedPicture panel = ReduceColours(ToDisplay(PaintEmptyPanel(), false), kPanelColours);
    art.nohilite = Expand(panel);
    art.hilite = ToDisplay(PaintHiliteTiles(), false);
    art.maze = DrawMaze(maze, panel, 5);
    art.background = ToDisplay(PaintBackground(maze), false);
    art.numbers = ToDisplay(PaintDigits());
    art.characters = ToDisplay(PaintCharacters());
    art.wayOut = ToDisplay(PaintWayOut(), false);
    art.perfect = ToDisplay(PaintPerfectGame(maze), false);
    art.howToPlay = ToDisplay(PaintHowToPlay());
    art.zoomBox = ToDisplay(PaintZoomBox());
    art.marker = ToDisplay(PaintMarker());
    art.kernelLit = ToDisplay(PaintKernel(true));
    art.kernelPlain = ToDisplay(PaintKernel(false));
    art.icon = PaintIcon(kWindowIconSize);
    for (std::size_t i = 0; i < kButtons.size(); ++i) art.buttons[i] = ToDisplay(PaintButtonStrip(kButtons[i]));
    return art;
}

}  // namespace assets

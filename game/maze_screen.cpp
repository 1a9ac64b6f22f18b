#include "game/maze_screen.h"

MazeScreen g_MazeScreen;

MazeScreen::MazeScreen() { SetName("Stalk"); }

int MazeScreen::Frame(int) { return Present() != 0 ? 1 : 0; }

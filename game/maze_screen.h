// The program's one screen, "Stalk": the maze, the zoom window, the scores and the buttons.
#pragma once

#include "screen/screen.h"

class MazeScreen : public Screen {
public:
    MazeScreen();
    int Frame(int active) override;
};

extern MazeScreen g_MazeScreen;

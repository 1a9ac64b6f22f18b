// The program's one screen, "Stalk": the maze in the middle, the zoom window on the right, the two
// scores at the top, the character strip at the bottom, five command buttons on the left and the
// direction pad on the right.
#pragma once

#include "game/maze_pictures.h"
#include "screen/screen.h"
#include "screen/still_frames.h"

class Sprite;

class MazeScreen : public Screen, public MazePictures {
public:
    MazeScreen();
    ~MazeScreen() override;

    // Builds the buttons, pictures, sprites and sound effects, then starts the first game.
    void Enter(LPDIRECTDRAW7 directDraw, LPDIRECTDRAWSURFACE7 target) override;
    void Leave() override;
    int HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    int Frame(int active) override;
    int Present() override;

    // Copies the pristine maze over the working one.
    void RestoreMaze() override;
    // The surface of the picture of that name, or null.
    LPDIRECTDRAWSURFACE7 PictureSurface(const char* name) override;
    Sprite* DigitSprite() const { return digitSprite_; }
    Sprite* CharacterSprite() const { return characterSprite_; }
    // False when a picture the game cannot do without failed to load; the screen then only ends.
    bool Ready() const { return ready_; }

    // Kept for a complete interface; unused by this game.
    int LoadDescription(const char* file) override;

private:
    void CreateButtons();
    void CreateImages();
    void CreateSprites();
    bool CheckRequiredPictures();
    int ShowHelp();
    int LaunchMenu();

    Sprite* digitSprite_ = nullptr;
    Sprite* characterSprite_ = nullptr;
    bool ready_ = false;
    StillFrames stillFrames_;
};

extern MazeScreen g_MazeScreen;

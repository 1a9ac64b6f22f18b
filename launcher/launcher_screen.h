// The launcher's one screen, "Portico": the player slots and the current player's fields on the
// left, the hall of fame on the right, the sound switches, Clear, Play and Quit along the bottom.
// It names its files as the game does, relative to the game's data folder: the options file and its
// own pictures lie above it, in the launcher's folder (an installed game keeps them in the player's
// settings and with the game's data).
#pragma once

#include <string>

#include "launcher/hall_of_fame_view.h"
#include "launcher/launcher_options.h"
#include "launcher/maze_choice.h"
#include "launcher/text_field.h"
#include "launcher/world_table.h"
#include "launcher/world_table_fetch.h"
#include "screen/screen.h"

// The options file, by the name the game reads it by, and the launcher's one sound.
inline constexpr char kOptionsFile[] = "..\\options.ini";
inline constexpr char kClickEffect[] = "click";

class LauncherScreen : public Screen {
public:
    LauncherScreen();

    void Enter(LPDIRECTDRAW7 directDraw, LPDIRECTDRAWSURFACE7 target) override;
    void Leave() override;
    int HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    // kFrameStop once the game has been started.
    int Frame(int active) override;

    // The field being edited (0 name, 1 address, 2 e-mail, kMazeField the maze number), or -1.
    int Editing() const { return editing_; }
    static constexpr int kMazeField = 4;

private:
    void OnKeyDown(HWND hwnd, int virtualKey);
    void OnClick(int x, int y);
    void OnButton(const char* name);
    void BeginEdit(int field);
    // -1 ends the editing.
    void SetEditing(int field);
    void AcceptEdit();
    void ToggleSend();
    void StoreCurrent(PlayerRecord record);
    void StartGame();
    void OnMazeClick(int x, int y);
    // The hall of fame of the maze chosen, read through the file names' maze layer.
    void ReadFame();
    // The world table of the maze chosen, asked for while it is shown; it comes later, as a message.
    void FetchWorld();
    void DrawMazeChoice(LPDIRECTDRAWSURFACE7 target);
    // Says on the status line whether the options file took the change.
    void Report(bool written);
    void Draw();
    void DrawFields(LPDIRECTDRAWSURFACE7 target);

    LauncherOptions options_;
    MazeChoice maze_;
    FameTable fame_;
    // A click on the hall of fame shows the world's table of the maze in its place, and back.
    bool showWorld_ = false;
    WorldTable world_;
    WorldTableFetch worldFetch_;
    TextField field_;
    int editing_ = -1;
    std::string status_;
    bool gameStarted_ = false;
};

extern LauncherScreen g_LauncherScreen;

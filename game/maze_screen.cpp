#include "game/maze_screen.h"

#include <string>

#include "game/game_sounds.h"
#include "game/help_page.h"
#include "game/key_buttons.h"
#include "game/screenshot.h"
#include "game/launcher.h"
#include "game/maze_game.h"
#include "platform/api/qz.h"
#include "platform/api/win32.h"
#include "screen/button.h"
#include "screen/button_group.h"
#include "canvas/compositor.h"
#include "screen/dialog_screen.h"
#include "canvas/screen_image.h"
#include "screen/sprite.h"

MazeScreen g_MazeScreen;

namespace {

// Whether the game can be played without a picture: every move reads and paints the maze
// pictures, and without the direction pad, "newgame" or "back" a game cannot be started, won or
// stepped back. The rest only look worse when missing.
enum Need { kOptional, kRequired };

constexpr int kButtonFrames = 3;

struct ButtonPlace {
    const char* name;
    const char* file;
    int x, y;
    Need need;
};

constexpr ButtonPlace kButtons[] = {
    {"brindle", "brindle.bmp", 27, 163, kOptional}, {"newgame", "newgame.bmp", 27, 215, kRequired},
    {"exit", "exit.bmp", 27, 371, kOptional},       {"help", "help.bmp", 27, 267, kOptional},
    {"menu", "menu.bmp", 27, 319, kOptional},       {"back", "reverse.bmp", 583, 424, kRequired},
    {"left", "left.bmp", 583, 310, kRequired},      {"right", "right.bmp", 672, 310, kRequired},
    {"up", "up.bmp", 583, 368, kRequired},          {"down", "down.bmp", 672, 368, kRequired},
};

struct Picture {
    const char* name;
    const char* file;
    int bits;
    Need need;
};

constexpr Picture kPictures[] = {
    {"maze", "maze02.bmp", 16, kRequired},
    {"mazebackup", "maze02.bmp", 16, kRequired},
    {"mazemap", "maze02.bmp", 8, kRequired},
    {"corngrats", "corngrats.bmp", 16, kOptional},
    {"ultimate", "ultimatesolution.bmp", 16, kOptional},
    {"zoombox", "zoombox.bmp", 16, kOptional},
    {"marker", "marker.bmp", 16, kOptional},
    {"hilite", "hilite2.bmp", 16, kRequired},
    {"nohilite", "nohilite2.bmp", 16, kRequired},
    {"kernelH", "kernelH.bmp", 16, kOptional},
    {"kernelN", "kernelN.bmp", 16, kOptional},
};

constexpr struct {
    const char* file;
    const char* name;
} kEffects[] = {
    {".\\sounds\\bell.wav", "bell"},         {".\\sounds\\congrats.wav", "congrats"},
    {".\\sounds\\legal.wav", "legal"},       {".\\sounds\\negative.wav", "negative"},
    {".\\sounds\\positive.wav", "positive"}, {".\\sounds\\nomove.wav", "nomove"},
};

bool Clicked(ButtonGroup* group, const char* name) { return group != nullptr && group->ClickedByName(name) != 0; }

// What is wrong with a picture that gave no surface, as the player is told it.
std::string PictureTrouble(const char* file, int bits) {
    switch (QZCheckBitmap(file, bits)) {
    case QZ_BITMAP_TOO_LARGE: return "is too large";
    case QZ_BITMAP_NOT_PALETTISED: return "must be a 256-colour picture";
    default: return "is missing or damaged";
    }
}

// Always false, so that a check can end with it.
bool RefusePicture(const char* file, int bits) {
    const std::string text = "The game cannot start: the picture \"" + std::string(file) + "\" " +
                             PictureTrouble(file, bits) + ".";
    MessageBoxA(nullptr, text.c_str(), "Stalk Way", MB_OK | MB_ICONERROR);
    return false;
}

}  // namespace

MazeScreen::MazeScreen() { SetName("Stalk"); }

MazeScreen::~MazeScreen() {
    delete characterSprite_;
    delete digitSprite_;
}

void MazeScreen::Enter(LPDIRECTDRAW7 directDraw, LPDIRECTDRAWSURFACE7 target) {
    Screen::Enter(directDraw, target);
    stillFrames_.Reset();
    backgroundImage_ = LoadScreenImage("background.bmp");
    if (backgroundImage_ != nullptr) SetCompositorBackground(backgroundImage_->surface);
    backdropImage_ = LoadScreenImage("background.bmp");
    if (backdropImage_ != nullptr) SetCompositorBackdrop(backdropImage_->surface);
    g_Compositor.MarkAllDirty();
    CreateButtons();
    CreateImages();
    CreateSprites();
    for (const auto& effect : kEffects) g_SoundEffects.LoadEffect(effect.file, effect.name);
    ready_ = CheckRequiredPictures();
    if (ready_) g_MazeGame.NewGame();
}

// The first required picture that failed is named to the player; without it there is no game.
bool MazeScreen::CheckRequiredPictures() {
    for (const Picture& picture : kPictures)
        if (picture.need == kRequired && PictureSurface(picture.name) == nullptr)
            return RefusePicture(picture.file, picture.bits);
    for (const ButtonPlace& place : kButtons) {
        const Button* button = buttonGroup_ != nullptr ? buttonGroup_->FindByName(place.name) : nullptr;
        if (place.need == kRequired && (button == nullptr || button->FrameCount() != kButtonFrames))
            return RefusePicture(place.file, 16);
    }
    return true;
}

void MazeScreen::CreateButtons() {
    for (const ButtonPlace& place : kButtons) {
        auto* button = new Button(place.x, place.y);
        button->LoadStrip(place.file, kButtonFrames, 0);
        button->SetName(place.name);
        AddButton(button);
    }
}

void MazeScreen::CreateImages() {
    if (images_ == nullptr) CreateLists();
    for (const Picture& picture : kPictures) {
        auto* image = new ScreenImage();
        if (picture.bits == 8) image->LoadFileDepth(picture.file, 8);
        else image->LoadFile(picture.file);
        image->SetName(picture.name);
        images_->Push(image);
    }
}

void MazeScreen::CreateSprites() {
    delete characterSprite_;
    delete digitSprite_;
    characterSprite_ = new Sprite();
    characterSprite_->LoadStrip("characters.bmp", 4, 0);
    digitSprite_ = new Sprite();
    digitSprite_->LoadStrip("numbers.bmp", 10, 0);
    digitSprite_->FitWidthToFrames();
}

void MazeScreen::Leave() {
    g_SoundEffects.UnloadAll();
    Screen::Leave();
    delete characterSprite_;
    delete digitSprite_;
    characterSprite_ = nullptr;
    digitSprite_ = nullptr;
    backgroundImage_ = nullptr;
    backdropImage_ = nullptr;
    ready_ = false;
}

// Keys reach the game here; F12 is the program's own, not a button's.
int MazeScreen::HandleMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_KEYDOWN) return 1;
    const bool repeat = (static_cast<std::uintptr_t>(lParam) & (1u << 30)) != 0;
    if (wParam == static_cast<WPARAM>(VK_F12)) {
        if (!repeat) g_Screenshots.Take();
    } else {
        g_KeyButtons.OnKeyDown(static_cast<int>(wParam), repeat);
    }
    return 1;
}

int MazeScreen::LoadDescription(const char* file) { return Screen::LoadDescription(file); }

int MazeScreen::Present() { return Screen::Present(); }

LPDIRECTDRAWSURFACE7 MazeScreen::PictureSurface(const char* name) {
    ScreenImage* image = FindImage(name);
    return image != nullptr ? image->surface : nullptr;
}

void MazeScreen::RestoreMaze() {
    LPDIRECTDRAWSURFACE7 maze = PictureSurface("maze");
    LPDIRECTDRAWSURFACE7 backup = PictureSurface("mazebackup");
    if (maze != nullptr && backup != nullptr) maze->Blt(nullptr, backup, nullptr, DDBLT_WAIT, nullptr);
}

// kFrameStop when the program is quitting while the page shows.
int MazeScreen::ShowHelp() {
    PlayGameEffect("click");
    auto* dialog = new HelpPage();
    dialog->AddPicture("title\\HowToPlay.bmp", nullptr);
    dialog->AddDefaultButton();
    char answer[256];
    const int answered = dialog->Run(answer, "rules");
    if (answered != 0) g_Compositor.RestoreDialogRect(dialog);
    delete dialog;
    // Keys pressed to read or leave the page are not moves.
    g_KeyButtons.Clear();
    return answered == 0 ? kFrameStop : kFrameGoOn;
}

int MazeScreen::LaunchMenu() {
    PlayGameEffect("click");
    return StartLauncher("Stalk") ? kFrameStop : kFrameGoOn;
}

int MazeScreen::Frame(int) {
    if (!ready_) return kFrameStop;
    if (stillFrames_.LeaveOut(g_MazeGame.NothingDue())) return QZFlipUnchanged();
    // The buttons are updated in the game's frame, so these are the clicks of the frame before.
    if (Clicked(buttonGroup_, "help") && ShowHelp() == kFrameStop) return kFrameStop;
    if (Clicked(buttonGroup_, "exit")) return kFrameStop;
    if (Clicked(buttonGroup_, "menu") && LaunchMenu() == kFrameStop) return kFrameStop;
    if (g_MazeGame.Frame() == kFrameStop) return kFrameStop;
    const int presented = Present();
    stillFrames_.Flipped(QZLastFlipUnchanged() != 0);
    g_Screenshots.AfterPresent();
    return presented != 0 ? 1 : 0;
}

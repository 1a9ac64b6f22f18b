// A screen of the test's own, with a background picture, a three-frame button and a sprite, run
// as the program's "Stalk" screen under a script: the shots show what the button's state machine
// and the compositor drew.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/api/user.h"
#include "screen/button.h"
#include "screen/button_group.h"
#include "canvas/compositor.h"
#include "screen/screen.h"
#include "screen/screen_fixture.h"
#include "canvas/screen_image.h"
#include "screen/screen_manager.h"
#include "screen/sprite.h"
#include "services/pointer.h"
#include "shell/win_main.h"
#include "support/replay_run.h"
#include "tools/replay/replay.h"

namespace {

using namespace screen_test;

// Counts the clicks on its button "go" and shows the count's parity with its sprite.
class ClickScreen : public Screen {
public:
    ClickScreen() { SetName("Stalk"); }

    void Enter(LPDIRECTDRAW7 directDraw, LPDIRECTDRAWSURFACE7 target) override {
        Screen::Enter(directDraw, target);
        if (ScreenImage* background = LoadScreenImage("background.bmp")) SetCompositorBackground(background->surface);
        if (ScreenImage* backdrop = LoadScreenImage("background.bmp")) SetCompositorBackdrop(backdrop->surface);
        g_Compositor.MarkAllDirty();
        auto* button = new Button(200, 150);
        button->LoadStrip("button.bmp", 3, 0);
        button->SetName("go");
        AddButton(button);
        sprite_ = new Sprite;
        sprite_->LoadStrip("sprite.bmp", 2, 0);
        sprite_->FitWidthToFrames();
        sprite_->SetPosition(400, 300);
    }

    void Leave() override {
        Screen::Leave();
        delete sprite_;
        sprite_ = nullptr;
    }

    int Frame(int) override {
        int x = 0;
        int y = 0;
        int buttons = 0;
        g_Pointer.GetState(&x, &y, &buttons, nullptr, nullptr);
        buttonGroup_->UpdateAll(x, y, buttons);
        buttonGroup_->RedrawAll();
        if (buttonGroup_->ClickedByName("go") != 0) ++clicks_;
        sprite_->SetFrame(clicks_ % 2);
        sprite_->DrawOnBackground();
        return Present() != 0 ? 1 : 0;
    }

private:
    Sprite* sprite_ = nullptr;
    int clicks_ = 0;
};

int Pixel(const test::Shot& shot, int x, int y) {
    const std::uint32_t rgb = shot.At(x, y);
    for (int pixel : {kBlack, kRed, kGreen, kBlue, kYellow, kWhite, kCyan, kMagenta})
        if (ToRgb(pixel) == rgb) return pixel;
    return -1;
}

TEST(EndToEnd, AScriptedClickOnAButtonChangesItsPixelsAsTheStateMachineSays) {
    test::ReplayRun run;
    run.WriteFile("background.bmp", BmpBytes(800, 600, [](int, int) { return kCyan; }));
    run.WriteFile("button.bmp", BmpBytes(120, 20, [](int x, int) {
                      return x < 40 ? kRed : x < 80 ? kGreen : kYellow;
                  }));
    run.WriteFile("sprite.bmp", BmpBytes(32, 16, [](int x, int) { return x < 16 ? kMagenta : kWhite; }));
    run.WriteFile("click.script",
                  "frames 5\nshot start\n"
                  "move 210 160\nframes 3\nshot hover\n"
                  "press\nframes 3\nshot pressed\n"
                  "release\nframes 3\nshot released\n"
                  "move 100 100\nframes 3\nshot away\n");

    static ClickScreen screen;  // the screen manager keeps it until the process ends
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(run.Folder());
    const auto program = [](char* commandLine) {
        g_ScreenManager.AddScreen(&screen);
        return WinMain(nullptr, nullptr, commandLine, SW_SHOWNORMAL);
    };
    const int exitCode = replay::RunReplay({"--shots", "shots", "--log", "run.log", "click.script"}, program);
    std::filesystem::current_path(previous);
    ASSERT_EQ(exitCode, 0);
    EXPECT_EQ(run.Log(), "") << "no message box";

    struct Expected {
        const char* shot;
        int button;
        int sprite;
    };
    for (const Expected& e : {Expected{"start", kRed, kMagenta}, Expected{"hover", kGreen, kMagenta},
                              Expected{"pressed", kYellow, kMagenta}, Expected{"released", kGreen, kWhite},
                              Expected{"away", kRed, kWhite}}) {
        const test::Shot shot = run.LoadShot(e.shot);
        ASSERT_TRUE(shot.Loaded()) << e.shot;
        EXPECT_EQ(Pixel(shot, 200, 150), e.button) << e.shot;
        EXPECT_EQ(Pixel(shot, 239, 169), e.button) << e.shot;
        EXPECT_EQ(Pixel(shot, 240, 150), kCyan) << e.shot << ": the background beside the button";
        EXPECT_EQ(Pixel(shot, 408, 308), e.sprite) << e.shot << ": the sprite, through the compositor";
        EXPECT_EQ(Pixel(shot, 50, 50), kCyan) << e.shot;
    }
}

}  // namespace

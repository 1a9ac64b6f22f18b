// The modal dialog: where it shows its picture, and how each way of answering it ends the loop.
#include <gtest/gtest.h>

#include <cstring>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/api/win32.h"
#include "screen/button.h"
#include "screen/button_group.h"
#include "canvas/compositor.h"
#include "screen/dialog_screen.h"
#include "screen/screen_fixture.h"
#include "canvas/screen_image.h"
#include "services/pointer.h"
#include "services/tick_timer.h"
#include "surface/surface.h"

namespace {

using namespace screen_test;

// A dialog that lets the test act once per pass of its loop and records what each pass saw.
class ScriptedDialog : public DialogScreen {
public:
    int FrameHook(int x, int y, int buttons) override {
        clocks.push_back(GetTickClock());
        backgrounds.push_back(g_Compositor.GetBackground());
        if (onPass) onPass(static_cast<int>(clocks.size()));
        const int result = DialogScreen::FrameHook(x, y, buttons);
        doneAfter.push_back(IsDone());
        return result;
    }

    std::function<void(int pass)> onPass;
    std::vector<int> clocks;
    std::vector<int> doneAfter;
    std::vector<LPDIRECTDRAWSURFACE7> backgrounds;
};

// Input fed before the ticks of virtual time, as a user's hand would, counted from its creation.
class TimedInput : public platform::headless::Driver {
public:
    TimedInput() : start_(platform::headless::TicksRun()) {}
    void At(std::uint64_t tick, std::function<void()> action) {
        actions_.push_back({start_ + tick, std::move(action)});
    }
    void BeforeTick(std::uint64_t tick) override {
        for (const auto& [when, action] : actions_)
            if (when == tick) action();
    }

private:
    std::uint64_t start_;
    std::vector<std::pair<std::uint64_t, std::function<void()>>> actions_;
};

class DialogTest : public ScreenFixture {
protected:
    void SetUp() override {
        ScreenFixture::SetUp();
        platform::headless::SetDriver(&input);
        WriteSolidBmp("page.bmp", 200, 120, kMagenta);
        WriteSolidBmp("small.bmp", 50, 50, kCyan);
        screenBackground = Solid(800, 600, kWhite);
        g_Compositor.SetBackground(screenBackground);
        g_Compositor.SetBackdrop(Solid(800, 600, kGreen));
    }

    // With the pointer at (x, y): the left button goes down at the first tick and up at `releaseTick`
    // (counted from now), together with whatever else is to happen then.
    void ClickAt(int x, int y, std::uint64_t releaseTick, std::function<void()> alsoOnRelease = {}) {
        g_Pointer.SetPosition(x, y);
        input.At(1, [] { platform::headless::MouseButton(1, true); });
        input.At(releaseTick, [=] {
            platform::headless::MouseButton(1, false);
            if (alsoOnRelease) alsoOnRelease();
        });
    }

    void TearDown() override {
        platform::headless::SetDriver(nullptr);
        ScreenFixture::TearDown();
    }

    TimedInput input;
    LPDIRECTDRAWSURFACE7 screenBackground = nullptr;
    char answer[256] = "untouched";
};

TEST_F(DialogTest, TheFirstPictureIsCentredAndItsButtonsArePlacedFromItsCorner) {
    DialogScreen dialog;
    dialog.AddPicture("page.bmp", "page");
    dialog.AddDefaultButton();
    const RECT& placed = dialog.GetPlacement();
    EXPECT_EQ(placed.left, 300);
    EXPECT_EQ(placed.top, 240);
    EXPECT_EQ(placed.right, 500);
    EXPECT_EQ(placed.bottom, 360);
    Button* button = dialog.GetButtonGroup()->FindByName("default");
    ASSERT_NE(button, nullptr);
    button->UpdatePointer(300, 240, 0);
    EXPECT_EQ(button->IsPointerInside(), 1);
    button->UpdatePointer(299, 240, 0);
    EXPECT_EQ(button->IsPointerInside(), 0);
    button->UpdatePointer(499, 359, 0);
    EXPECT_EQ(button->IsPointerInside(), 1);

    dialog.SetPlacement(100, 50);
    EXPECT_EQ(placed.left, 100);
    EXPECT_EQ(placed.top, 50);
    EXPECT_EQ(placed.right, 300);
    EXPECT_EQ(placed.bottom, 170);
    button->UpdatePointer(100, 50, 0);
    EXPECT_EQ(button->IsPointerInside(), 1) << "the buttons moved with the picture";

    dialog.AddPicture("small.bmp", "small");
    EXPECT_EQ(placed.left, 100) << "a later picture keeps the place";
    EXPECT_EQ(placed.top, 50);
    dialog.SelectPicture("nothing of that name");
    EXPECT_STREQ(dialog.GetPicture()->name, "page");
}

TEST_F(DialogTest, AClickOnTheDefaultButtonAnswersWithItsName) {
    ScriptedDialog dialog;
    dialog.AddPicture("page.bmp", nullptr);
    dialog.AddDefaultButton();
    ClickAt(350, 300, 3);
    EXPECT_EQ(dialog.Run(answer, "rules"), 1);
    EXPECT_STREQ(answer, "default");
    EXPECT_EQ(dialog.backgrounds.front(), dialog.GetPicture()->surface) << "composed on the dialog's picture";
    EXPECT_EQ(g_Compositor.GetBackground(), screenBackground) << "and the screen's picture back afterwards";
    EXPECT_TRUE(AreaIs(Back(), 300, 240, 200, 120, kMagenta));
    EXPECT_EQ(At(Back(), 299, 240), kBlack);
    EXPECT_EQ(Shown(300, 240), kMagenta);

    g_Compositor.RestoreDialogRect(&dialog);
    EXPECT_TRUE(AreaIs(screenBackground, 300, 240, 200, 120, kGreen)) << "the opener wipes the dialog's area";
    EXPECT_EQ(At(screenBackground, 299, 240), kWhite);
}

TEST_F(DialogTest, TheTimeLimitEndsTheDialogOnlyAfterItsTick) {
    ScriptedDialog dialog;
    dialog.AddPicture("page.bmp", "page");
    const int limit = GetTickClock() + 50;
    dialog.SetTimeLimit(limit);
    EXPECT_EQ(dialog.Run(answer, nullptr), 1);
    EXPECT_STREQ(answer, "");
    ASSERT_GE(dialog.clocks.size(), 2u);
    const size_t last = dialog.clocks.size() - 1;
    EXPECT_EQ(dialog.clocks[last - 1], limit) << "a pass ran at the limit's tick";
    EXPECT_EQ(dialog.doneAfter[last - 1], 0) << "and the dialog was still running";
    EXPECT_GT(dialog.clocks[last], limit);
    EXPECT_EQ(dialog.doneAfter[last], 1);
}

TEST_F(DialogTest, AClickAndTheHotKeyInOnePassAnswerWithTheButton) {
    ScriptedDialog both;
    both.AddPicture("page.bmp", "page");
    both.AddDefaultButton();
    both.SetHotKey(VK_SPACE);
    ClickAt(350, 300, 3, [] { platform::headless::Key(VK_SPACE, true); });
    EXPECT_EQ(both.Run(answer, nullptr), 1);
    EXPECT_STREQ(answer, "default");
    platform::headless::Key(VK_SPACE, false);

    ScriptedDialog key;
    key.AddPicture("page.bmp", "page");
    key.AddDefaultButton();
    key.SetHotKey(VK_SPACE);
    key.onPass = [](int pass) {
        if (pass == 2) platform::headless::Key(VK_SPACE, true);
    };
    g_Pointer.SetPosition(10, 10);
    EXPECT_EQ(key.Run(answer, nullptr), 1);
    EXPECT_STREQ(answer, "key");
    EXPECT_EQ(key.clocks.size(), 2u);
    platform::headless::Key(VK_SPACE, false);
}

TEST_F(DialogTest, AQuitDuringRunEndsItWithZeroAndTheBackgroundRestored) {
    ScriptedDialog dialog;
    dialog.AddPicture("page.bmp", "page");
    dialog.AddDefaultButton();
    dialog.onPass = [](int pass) {
        if (pass == 2) PostQuitMessage(0);
    };
    EXPECT_EQ(dialog.Run(answer, nullptr), 0);
    EXPECT_STREQ(answer, "untouched");
    EXPECT_EQ(dialog.clocks.size(), 2u);
    EXPECT_NE(dialog.backgrounds.front(), screenBackground);
    EXPECT_EQ(g_Compositor.GetBackground(), screenBackground);
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit is left for the main loop";
}

TEST_F(DialogTest, TheParentsButtonsCanAnswerTheDialog) {
    WriteStripBmp("menu.bmp", 10, 10, {kRed, kGreen, kYellow});
    Screen parent;
    auto* menu = new Button(20, 20);
    menu->LoadStrip("menu.bmp", 3, 0);
    menu->SetName("menu");
    parent.AddButton(menu);

    ScriptedDialog dialog;
    dialog.AddPicture("page.bmp", "page");
    dialog.AddDefaultButton();
    dialog.SetParentScreen(&parent);
    dialog.SetParentButtonsActive(1);
    const std::uint64_t presentsBefore = platform::headless::PresentCount();
    ClickAt(25, 25, 2);
    EXPECT_EQ(dialog.Run(answer, nullptr), 1);
    EXPECT_STREQ(answer, "menu");
    EXPECT_EQ(platform::headless::PresentCount() - presentsBefore, dialog.clocks.size())
        << "one flip a pass, through the parent";
    EXPECT_EQ(At(Back(), 20, 20), kGreen) << "the parent's buttons are drawn too";
}

TEST_F(DialogTest, APictureThatCannotBeLoadedShowsNothingAndOnlyTimeOrAKeyEndsIt) {
    ScriptedDialog dialog;
    ScreenImage* picture = dialog.AddPicture("missing.bmp", "missing");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->surface, nullptr);
    dialog.AddDefaultButton();
    dialog.SetTimeLimit(GetTickClock() + 30);
    ClickAt(400, 300, 2);
    EXPECT_EQ(dialog.Run(answer, nullptr), 1);
    EXPECT_STREQ(answer, "") << "the empty default button cannot be clicked";
    EXPECT_TRUE(AreaIs(Back(), 390, 290, 20, 20, kBlack));
}

}  // namespace

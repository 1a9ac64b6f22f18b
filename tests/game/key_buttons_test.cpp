// Keys as clicks on named buttons: a press shows the button pressed, the next frame clicks it; a
// held arrow's repeats click again, one click at a time; a held New game does not.
#include <gtest/gtest.h>

#include "game/key_buttons.h"
#include "platform/api/user.h"
#include "platform/core/input.h"
#include "screen/button.h"
#include "screen/button_group.h"

namespace {

class KeyButtonsTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::input::Reset();
        for (const char* name : {"left", "newgame", "back"}) {
            auto* button = new Button(0, 0, 10, 10);
            button->SetName(name);
            group_.Add(button);
        }
    }
    // One frame of the game: the pointer (away from every button), then the keys.
    bool Frame(const char* clicked) {
        group_.UpdateAll(500, 500, 0);
        keys_.Apply(&group_);
        return group_.ClickedByName(clicked) != 0;
    }
    int State(const char* name) { return group_.FindByName(name)->GetState(); }

    ButtonGroup group_;
    KeyButtons keys_;
};

TEST_F(KeyButtonsTest, APressShowsTheButtonPressedAndClicksItInTheNextFrame) {
    platform::input::KeyEvent(platform::input::ScanCodeForVirtualKey(VK_LEFT), VK_LEFT, true);
    EXPECT_FALSE(Frame("left"));
    EXPECT_EQ(State("left"), Button::kPressed);
    EXPECT_TRUE(Frame("left"));
    EXPECT_EQ(State("left"), Button::kNormal) << "the pointer is elsewhere";
    EXPECT_FALSE(Frame("left")) << "a key held down clicks once";
    platform::input::KeyEvent(platform::input::ScanCodeForVirtualKey(VK_LEFT), VK_LEFT, false);
    EXPECT_FALSE(Frame("left"));
}

TEST_F(KeyButtonsTest, RepeatsOfAnArrowClickAgainOneClickAtATimeAndRepeatsOfNewGameDoNot) {
    EXPECT_TRUE(keys_.OnKeyDown(VK_LEFT, true));
    EXPECT_TRUE(keys_.OnKeyDown(VK_LEFT, true));
    EXPECT_FALSE(keys_.OnKeyDown('N', true));
    EXPECT_TRUE(keys_.OnKeyDown(VK_GAMEPAD_B, false)) << "pad buttons are keys too";
    EXPECT_FALSE(keys_.OnKeyDown(VK_F12, false));
    const bool clicks[] = {Frame("left"), Frame("left"), Frame("left"), Frame("left")};
    EXPECT_FALSE(clicks[0]);
    EXPECT_TRUE(clicks[1]);
    EXPECT_FALSE(clicks[2]) << "the second press waits for the first click";
    EXPECT_TRUE(clicks[3]);
    EXPECT_FALSE(Frame("newgame"));
    EXPECT_FALSE(Frame("newgame"));
}

TEST_F(KeyButtonsTest, KeysWaitingWhenTheHelpPageClosesAreDropped) {
    platform::input::KeyEvent(platform::input::ScanCodeForVirtualKey(VK_BACK), VK_BACK, true);
    keys_.OnKeyDown(VK_BACK, true);
    keys_.Clear();
    EXPECT_FALSE(Frame("back"));
    EXPECT_FALSE(Frame("back"));
}

}  // namespace

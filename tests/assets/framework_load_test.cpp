// The game's pictures cut as the screen framework cuts them: the digits and characters into sprite
// frames, each button strip into the three frames a button accepts.
#include <gtest/gtest.h>

#include <string>

#include "assets/assets_support.h"
#include "platform/display_fixture.h"
#include "screen/button.h"
#include "screen/sprite.h"
#include "maze/screen_layout.h"

namespace {

using namespace assets;

class FrameworkLoad : public WithDisplay {
protected:
    static std::string InData(const char* name) { return assets_test::DataFolder() + "/" + name; }
};

TEST_F(FrameworkLoad, DigitStripGivesTenFramesOfTheDigitWidth) {
    Sprite digits;
    EXPECT_EQ(digits.LoadStrip(InData("numbers.bmp").c_str(), 10, 0), 10);
    digits.FitWidthToFrames();
    EXPECT_EQ(digits.Width(), kDigitWidth);
}

TEST_F(FrameworkLoad, CharacterStripGivesFourFrames) {
    Sprite characters;
    EXPECT_EQ(characters.LoadStrip(InData("characters.bmp").c_str(), 4, 0), 4);
    characters.FitWidthToFrames();
    EXPECT_EQ(characters.Width(), kCharacterWidth);
}

TEST_F(FrameworkLoad, EveryButtonTakesItsThreeFrames) {
    for (const ButtonSpec& spec : kButtons) {
        Button button(spec.rect.x, spec.rect.y);
        button.LoadStrip(InData(spec.file).c_str(), 3, 0);
        EXPECT_EQ(button.FrameCount(), 3) << spec.file << " was refused";
    }
}

}  // namespace

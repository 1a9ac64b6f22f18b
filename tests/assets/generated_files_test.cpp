// The data folder the build laid out, read back as the game reads it: every picture through the
// platform's loader at the size its use needs, the maze against the game's rules, and every sound
// as a RIFF WAVE file the sound library accepts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "assets/assets_support.h"
#include "support/replay_run.h"
#include "tools/assets/display_colour.h"
#include "maze/maze_check.h"
#include "maze/maze_grid.h"
#include "maze/maze_picture.h"
#include "maze/screen_layout.h"

namespace {

using namespace assets;
using assets_test::DataFolder;

std::string InData(const std::string& name) { return DataFolder() + "/" + name; }

TEST(GeneratedFiles, EveryPictureLoadsAtTheSizeItsUseNeeds) {
    struct Expected {
        const char* file;
        int width, height;
    };
    const Expected pictures[] = {
        {"background.bmp", kScreenWidth, kScreenHeight},     {"maze02.bmp", kMazeSide, kMazeSide},
        {"numbers.bmp", 10 * kDigitWidth, kDigitHeight},     {"characters.bmp", 4 * kCharacterWidth, kCharacterHeight},
        {"corngrats.bmp", kEndPictureSide, kEndPictureSide}, {"ultimatesolution.bmp", kEndPictureSide, kEndPictureSide},
        {"zoombox.bmp", kZoomSource, kZoomSource},           {"hilite2.bmp", kPanelWidth, kPanelHeight},
        {"nohilite2.bmp", kPanelWidth, kPanelHeight},        {"title/HowToPlay.bmp", kHelpWidth, kHelpHeight},
    };
    for (const Expected& e : pictures) {
        const RgbPicture picture = assets_test::LoadPicture(InData(e.file));
        EXPECT_EQ(picture.width, e.width) << e.file;
        EXPECT_EQ(picture.height, e.height) << e.file;
    }
    for (const char* small : {"marker.bmp", "kernelH.bmp", "kernelN.bmp"})
        EXPECT_GT(assets_test::LoadPicture(InData(small)).width, 0) << small;
    // A character drawn at its place stays inside the strip the game restores behind it.
    for (int x : kCharacterX) EXPECT_LE(x + kCharacterWidth, kCharacterStrip.x + kCharacterStrip.width);
    EXPECT_LE(kCharacterHeight, kCharacterStrip.height);
}

TEST(GeneratedFiles, ButtonStripsCutIntoThreeFramesThatFitOnTheScreenAndDiffer) {
    for (const ButtonSpec& button : kButtons) {
        const RgbPicture strip = assets_test::LoadPicture(InData(button.file));
        ASSERT_EQ(strip.width % 3, 0) << button.file << ": a strip that is no multiple of 3 is refused";
        const int w = strip.width / 3;
        EXPECT_LE(button.rect.x + w, kScreenWidth) << button.name;
        EXPECT_LE(button.rect.y + strip.height, kScreenHeight) << button.name;
        // Each pair of frames differs in a good share of the button's pixels.
        for (int a = 0; a < 3; ++a)
            for (int b = a + 1; b < 3; ++b) {
                int differ = 0;
                for (int y = 0; y < strip.height; ++y)
                    for (int x = 0; x < w; ++x) differ += !(strip.At(a * w + x, y) == strip.At(b * w + x, y));
                EXPECT_GT(differ, w * strip.height / 3) << button.name << " frames " << a << " and " << b;
            }
    }
}

TEST(GeneratedFiles, TheMazeFollowsTheRulesAsThePlatformLoadsIt) {
    const IndexedPicture maze = assets_test::LoadIndexed(InData("maze02.bmp"));
    ASSERT_EQ(maze.width, kMazeSide);
    const std::vector<std::string> problems = CheckMazePicture(maze, assets_test::LoadPicture(InData("hilite2.bmp")),
                                                               assets_test::LoadPicture(InData("nohilite2.bmp")));
    for (const std::string& problem : problems) ADD_FAILURE() << problem;
    // The 16-bit load shows each pixel in its palette colour: walls transparent, the rest not.
    const RgbPicture shown = assets_test::LoadPicture(InData("maze02.bmp"));
    for (int y = 0; y < kMazeSide; y += 7)
        for (int x = 0; x < kMazeSide; x += 3)
            ASSERT_EQ(ShowsTransparent(shown.At(x, y)), maze.At(x, y) == kWallIndex) << x << "," << y;
}

TEST(GeneratedFiles, DigitsAndCharactersStandOnTransparency) {
    const RgbPicture digits = assets_test::LoadPicture(InData("numbers.bmp"));
    const RgbPicture characters = assets_test::LoadPicture(InData("characters.bmp"));
    auto share = [](const RgbPicture& p, int x0, int width) {
        int clear = 0;
        for (int y = 0; y < p.height; ++y)
            for (int x = x0; x < x0 + width; ++x) clear += ShowsTransparent(p.At(x, y));
        return static_cast<double>(clear) / (width * p.height);
    };
    for (int d = 0; d < 10; ++d) {
        const double clear = share(digits, d * kDigitWidth, kDigitWidth);
        EXPECT_GT(clear, 0.3) << d;
        EXPECT_LT(clear, 0.85) << d;
        // The outermost columns stay clear, as the digits overlap their neighbours by two pixels.
        for (int y = 0; y < kDigitHeight; ++y) {
            EXPECT_TRUE(ShowsTransparent(digits.At(d * kDigitWidth, y))) << d;
            EXPECT_TRUE(ShowsTransparent(digits.At(d * kDigitWidth + kDigitWidth - 1, y))) << d;
        }
    }
    for (int c = 0; c < 4; ++c) {
        const double clear = share(characters, c * kCharacterWidth, kCharacterWidth);
        EXPECT_GT(clear, 0.4) << c;
        EXPECT_LT(clear, 0.9) << c;
    }
}

TEST(GeneratedFiles, TheExitSignStandsWhereNoCharacterCovers) {
    const RgbPicture characters = assets_test::LoadPicture(InData("characters.bmp"));
    for (int c = 0; c < 4; ++c)
        for (const auto& [from, to] : kClearOfCharacters)
            for (int x = std::max(from, kCharacterX[c]); x < std::min(to, kCharacterX[c] + kCharacterWidth); ++x)
                for (int y = 0; y < kCharacterHeight; ++y)
                    ASSERT_TRUE(ShowsTransparent(characters.At(c * kCharacterWidth + x - kCharacterX[c], y)))
                        << "character " << c << " covers screen column " << x;
    const IndexedPicture maze = assets_test::LoadIndexed(InData("maze02.bmp"));
    int exitX = -1;
    for (int x = 0; x < maze.width && exitX < 0; ++x)
        if (maze.At(x, maze.height - 4) == kExitIndex) exitX = kMazeArea.x + x + 1;
    ASSERT_GE(exitX, 0) << "the exit lies on the bottom edge";
    bool clear = false;
    for (const auto& [from, to] : kClearOfCharacters)
        clear |= exitX - kExitSignHalfWidth >= from && exitX + kExitSignHalfWidth <= to;
    EXPECT_TRUE(clear) << exitX;
}

TEST(GeneratedFiles, SoundsAreSixteenBitPcmAtTheGamesRate) {
    for (const char* name : {"bell", "congrats", "legal", "negative", "positive", "nomove"}) {
        const assets_test::Wave wave = assets_test::ReadWave(InData(std::string("sounds/") + name + ".wav"));
        ASSERT_TRUE(wave.accepted) << name;
        EXPECT_EQ(wave.channels, 1) << name;
        EXPECT_EQ(wave.rate, 22050) << name;
        EXPECT_EQ(wave.bits, 16) << name;
        EXPECT_EQ(wave.loops, -1) << name << " has no loop";
        ASSERT_GT(wave.samples.size(), 1000u) << name;
        EXPECT_LT(wave.samples.size(), 22050u * 2) << name << " is short";
        int peak = 0;
        for (std::int16_t s : wave.samples) peak = std::max(peak, std::abs(int{s}));
        // The bell is the quietest (about -16 dBFS), as many of it ring at once in quick play.
        EXPECT_GT(peak, 4000) << name << " can be heard";
        EXPECT_LT(std::abs(int{wave.samples.front()}), 300) << name << " starts without a click";
        EXPECT_LT(std::abs(int{wave.samples.back()}), 300) << name << " ends without a click";
    }
}

TEST(GeneratedFiles, TheMusicLoopsWholeWithoutAClick) {
    const assets_test::Wave music = assets_test::ReadWave(InData("sounds/music.wav"));
    ASSERT_TRUE(music.accepted);
    EXPECT_EQ(music.channels, 2);
    EXPECT_EQ(music.rate, 22050);
    EXPECT_EQ(music.bits, 16);
    const std::size_t frames = music.samples.size() / 2;
    EXPECT_GE(frames, 20u * 22050);
    EXPECT_LE(frames, 40u * 22050);
    ASSERT_EQ(music.loops, 1);
    EXPECT_EQ(music.loopStart, 0u);
    EXPECT_EQ(music.loopEnd, frames - 1);
    // The stream refuses a loop shorter than one of its quarter-second segments.
    EXPECT_GE((music.loopEnd - music.loopStart) * 4, 22052u);
    // Across the loop point each channel moves no more than it commonly does between two samples.
    for (int channel = 0; channel < 2; ++channel) {
        std::vector<int> steps;
        for (std::size_t f = 1; f < frames; ++f)
            steps.push_back(std::abs(music.samples[2 * f + channel] - music.samples[2 * (f - 1) + channel]));
        std::nth_element(steps.begin(), steps.begin() + static_cast<long>(steps.size() * 9 / 10), steps.end());
        const int common = steps[steps.size() * 9 / 10];
        EXPECT_LE(std::abs(music.samples[channel] - music.samples[2 * (frames - 1) + channel]), common) << channel;
    }
}

TEST(GeneratedFiles, SetupAndAboutPage) {
    // A player may have changed the setting since the build wrote it.
    EXPECT_NE(test::ReadWholeFile(InData("setup.ini")).find("fullscreen="), std::string::npos);
    const std::string about = test::ReadWholeFile(InData("about.html"));
    EXPECT_NE(about.find("Stalkway"), std::string::npos);
    EXPECT_NE(about.find("MIT"), std::string::npos);
}

}  // namespace

// Sprites: frames cut from strips, where a frame is drawn, and both timing schemes at their ends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "canvas/compositor.h"
#include "screen/screen_fixture.h"
#include "screen/sprite.h"
#include "services/tick_timer.h"
#include "surface/surface.h"

namespace {

using namespace screen_test;

const std::vector<int> kSix = {kRed, kGreen, kYellow, kWhite, kCyan, kMagenta};

class SpriteTest : public ScreenFixture {
protected:
    void SetUp() override {
        ScreenFixture::SetUp();
        WriteStripBmp("six.bmp", 10, 10, kSix);
        target = Solid(100, 100, kBlack);
    }

    // The colour the sprite draws at (0, 0) on a clean target; kBlack when it draws nothing.
    int Drawn(Sprite& sprite) {
        FillSurface(target, kBlack);
        sprite.SetPosition(0, 0);
        sprite.Draw(target);
        return At(target, 0, 0);
    }

    // The frame shown after each of `steps` due ticks of Animate.
    std::vector<int> Animated(Sprite& sprite, int steps) {
        std::vector<int> shown;
        for (int i = 0; i < steps; ++i) {
            Ticks(1);
            sprite.Animate();
            shown.push_back(sprite.FrameIndex());
        }
        return shown;
    }

    LPDIRECTDRAWSURFACE7 target = nullptr;
};

TEST_F(SpriteTest, AStripIsCutLeftToRightAndFittedToOneFrame) {
    Sprite sprite;
    sprite.SetMarkDirty(0);
    EXPECT_EQ(sprite.LoadStrip("six.bmp", 6, 0), 6);
    EXPECT_EQ(sprite.Width(), 60) << "the whole picture until fitted";
    sprite.FitWidthToFrames();
    EXPECT_EQ(sprite.Width(), 10);
    EXPECT_EQ(sprite.Height(), 10);
    for (int i = 0; i < 6; ++i) {
        sprite.SetFrame(i);
        EXPECT_EQ(Drawn(sprite), kSix[static_cast<size_t>(i)]) << i;
    }
    EXPECT_EQ(At(target, 10, 0), kBlack) << "one frame is 10 pixels wide";

    WriteBmp("tall.bmp", 4, 9, [](int, int y) { return y < 3 ? kRed : y < 6 ? kGreen : kWhite; });
    Sprite tall;
    EXPECT_EQ(tall.LoadStrip("tall.bmp", 3, 1), 3);
    tall.SetMarkDirty(0);
    tall.SetFrame(2);
    EXPECT_EQ(Drawn(tall), kWhite);
}

TEST_F(SpriteTest, AStripThatDoesNotDivideEvenlyDropsTheRemainder) {
    WriteBmp("odd.bmp", 102, 5, [](int x, int) { return x < 25 ? kRed : x < 100 ? kGreen : kYellow; });
    Sprite sprite;
    EXPECT_EQ(sprite.LoadStrip("odd.bmp", 4, 0), 4);
    sprite.FitWidthToFrames();
    EXPECT_EQ(sprite.Width(), 25);
    sprite.SetMarkDirty(0);
    sprite.SetFrame(3);
    sprite.SetPosition(0, 0);
    FillSurface(target, kBlack);
    sprite.Draw(target);
    EXPECT_EQ(At(target, 24, 0), kGreen) << "the last frame ends before the two spare columns";
    EXPECT_EQ(At(target, 25, 0), kBlack);

    Sprite none;
    EXPECT_EQ(none.LoadStrip("odd.bmp", 0, 0), 0) << "no frames out of a count of 0";
    EXPECT_EQ(none.FrameCount(), 0);
}

TEST_F(SpriteTest, ACentredSpriteIsPlacedByItsHalfSize) {
    WriteSolidBmp("wide.bmp", 31, 11, kYellow);
    Sprite sprite;
    sprite.AddFrameFile("wide.bmp");
    sprite.SetMarkDirty(0);
    sprite.SetCentered(1);
    sprite.SetPosition(100, 50);
    sprite.Draw(Back());
    EXPECT_EQ(At(Back(), 85, 45), kYellow) << "100 - 31 / 2";
    EXPECT_EQ(At(Back(), 84, 45), kBlack);
    EXPECT_EQ(At(Back(), 115, 55), kYellow);
    EXPECT_EQ(At(Back(), 116, 55), kBlack);
    EXPECT_EQ(At(Back(), 85, 44), kBlack);
}

TEST_F(SpriteTest, WhatADrawQueuesWithTheCompositor) {
    LPDIRECTDRAWSURFACE7 background = Solid(800, 600, kGreen);
    g_Compositor.SetBackground(background);

    Sprite empty;
    empty.Draw(target);
    EXPECT_EQ(g_Compositor.QueuedOn(g_Compositor.CurrentPage()), 0) << "no frames: nothing drawn, nothing queued";
    empty.FitWidthToFrames();
    EXPECT_EQ(empty.Width(), 0);

    Sprite hidden;
    hidden.LoadStrip("six.bmp", 6, 0);
    hidden.FitWidthToFrames();
    hidden.SetVisible(0);
    hidden.SetPosition(40, 30);
    hidden.DrawOnBackground();
    EXPECT_EQ(At(background, 45, 35), kGreen) << "hidden: not drawn";
    g_Compositor.Update(Back());
    EXPECT_TRUE(AreaIs(Back(), 40, 30, 10, 10, kGreen)) << "but its rectangle is queued";
    EXPECT_EQ(At(Back(), 50, 30), kBlack);

    hidden.SetFrameIndex(6);
    hidden.SetVisible(1);
    hidden.DrawOnBackground();
    EXPECT_EQ(At(background, 45, 35), kGreen) << "an unchecked index past the frames draws nothing";
    hidden.SetFrame(-1);
    hidden.SetFrame(6);
    EXPECT_EQ(hidden.FrameIndex(), 6) << "SetFrame ignores indices that name no frame";
}

TEST_F(SpriteTest, RestoreBackgroundWipesTheUnshiftedArea) {
    LPDIRECTDRAWSURFACE7 background = Solid(800, 600, kWhite);
    g_Compositor.SetBackground(background);
    g_Compositor.SetBackdrop(Solid(800, 600, kCyan));
    Sprite sprite;
    sprite.LoadStrip("six.bmp", 6, 0);
    sprite.FitWidthToFrames();
    sprite.SetRestoreBackground(1);
    sprite.SetCentered(1);
    sprite.SetPosition(100, 100);
    sprite.DrawOnBackground();
    EXPECT_EQ(At(background, 105, 105), kCyan) << "wiped at (x, y), not at the centred place";
    EXPECT_EQ(At(background, 95, 95), kRed);
    EXPECT_EQ(At(background, 94, 94), kWhite);
}

TEST_F(SpriteTest, RestartGoesBackToFrameZeroNotToTheStartOfTheRange) {
    Sprite sprite;
    sprite.LoadStrip("six.bmp", 6, 0);
    sprite.SetAnimRange(2, 5);
    sprite.SetFrame(2);
    sprite.SetLoopMode(Sprite::kRestart);
    sprite.SetAnimating(1);
    EXPECT_EQ(Animated(sprite, 6), (std::vector<int>{3, 4, 0, 1, 2, 3}));

    sprite.SetFrameStep(-1);
    sprite.SetFrame(1);
    EXPECT_EQ(Animated(sprite, 3), (std::vector<int>{0, 4, 3})) << "below 0 it goes to the range's last frame";
}

TEST_F(SpriteTest, TheStoppingLoopModesAtEitherEnd) {
    struct Case {
        int mode;
        int step;
        int start;
        std::vector<int> shown;
    };
    const Case cases[] = {
        {Sprite::kStopAtEnd, 1, 2, {3, 3, 3}},   // forward: stops on the range's last frame
        {Sprite::kStopAtEnd, -1, 2, {1, 0, 1}},  // backward: runs down to frame 0, then stops on the range's first
        {Sprite::kRewind, 1, 2, {3, 1, 1}},      // back to the first frame of the range
        {Sprite::kVanish, 1, 3, {-1, -1, -1}},   // nothing is drawn any more
    };
    for (const Case& c : cases) {
        Sprite sprite;
        sprite.SetMarkDirty(0);
        sprite.LoadStrip("six.bmp", 6, 0);
        sprite.SetAnimRange(1, 4);
        sprite.SetFrame(c.start);
        sprite.SetLoopMode(c.mode);
        sprite.SetFrameStep(c.step);
        sprite.SetAnimating(1);
        EXPECT_EQ(Animated(sprite, 3), c.shown) << "mode " << c.mode << " step " << c.step;
        EXPECT_EQ(sprite.IsAnimating(), 0);
        if (c.mode == Sprite::kVanish) {
            EXPECT_EQ(Drawn(sprite), kBlack);
        }
    }
}

TEST_F(SpriteTest, AnimateStepsOnlyOnceTheDelayHasPassed) {
    Sprite sprite;
    sprite.LoadStrip("six.bmp", 6, 0);
    sprite.SetLoopMode(Sprite::kRestart);
    sprite.SetFrameDelay(20);
    sprite.SetAnimating(1);
    EXPECT_EQ(Animated(sprite, 6), (std::vector<int>{0, 0, 1, 1, 1, 2})) << "a step needs more than 20 ms";

    sprite.SetAnimationEnabled(0);
    EXPECT_EQ(Animated(sprite, 4), (std::vector<int>{2, 2, 2, 2}));
    Sprite empty;
    empty.SetAnimating(1);
    EXPECT_EQ(Animated(empty, 2), (std::vector<int>{0, 0})) << "no frames: inert";
}

TEST_F(SpriteTest, StepFrameWrapsToTheLastFrameUnlessTheStepIsOne) {
    struct Case {
        int step;
        int wrap;
        int start;
        int after;
    };
    const Case cases[] = {
        {-1, 1, 0, 5},  // below the start: the last frame
        {2, 1, 4, 5},   // past the end with step 2: the last frame, not 0
        {1, 1, 5, 0},   // past the end with step 1: frame 0
        {1, 0, 5, 5},   // without wrap the index stays
        {2, 0, 1, 3},
    };
    for (const Case& c : cases) {
        Sprite sprite;
        sprite.LoadStrip("six.bmp", 6, 0);
        sprite.SetFrameStep(c.step);
        sprite.SetWrap(c.wrap);
        sprite.SetFrame(c.start);
        Ticks(1);
        EXPECT_EQ(sprite.StepFrame(), 1);
        EXPECT_EQ(sprite.FrameIndex(), c.after) << "step " << c.step << " wrap " << c.wrap << " from " << c.start;
    }
}

TEST_F(SpriteTest, StepFrameWaitsUntilItsDueTime) {
    Sprite sprite;
    sprite.LoadStrip("six.bmp", 6, 0);
    sprite.SetFrameDelay(30);
    EXPECT_EQ(sprite.StepFrame(), 0) << "not due at the clock's start";
    Ticks(1);
    EXPECT_EQ(sprite.StepFrame(), 1);
    const int stepped = GetTickClock();
    int steps = 0;
    while (GetTickClock() <= stepped + 30) {
        Ticks(1);
        steps += sprite.StepFrame();
    }
    EXPECT_EQ(steps, 1) << "the next step comes once the clock passes the due time";
    EXPECT_EQ(sprite.FrameIndex(), 2);
}

class MessageBoxes : public platform::headless::Driver {
public:
    void OnMessageBox(const char* text, const char* caption) override {
        shown.push_back(std::string(text) + "|" + caption);
    }
    std::vector<std::string> shown;
};

TEST_F(SpriteTest, AFrameFileThatCannotBeLoadedIsNamedInAMessageBox) {
    MessageBoxes boxes;
    platform::headless::SetDriver(&boxes);
    Sprite sprite;
    EXPECT_EQ(sprite.AddFrameFile("nowhere.bmp"), 1);
    EXPECT_EQ(sprite.LoadStrip("nowhere.bmp", 3, 0), 0);
    sprite.LoadGrid("nowhere.bmp", 8, 8);
    platform::headless::SetDriver(nullptr);
    EXPECT_EQ(boxes.shown, std::vector<std::string>{"nowhere.bmp|ERROR: can't find file!"})
        << "only AddFrameFile tells";
    EXPECT_EQ(sprite.FrameCount(), 0);
    EXPECT_EQ(Drawn(sprite), kBlack);
}

TEST_F(SpriteTest, BorrowedFramesStayTheirOwners) {
    LPDIRECTDRAWSURFACE7 frame = Solid(8, 8, kRed);
    {
        Sprite sprite;
        sprite.AddBorrowedFrame(frame);
        sprite.SetMarkDirty(0);
        EXPECT_EQ(Drawn(sprite), kRed);
    }
    EXPECT_EQ(frame->AddRef(), 2u) << "the sprite did not release it";
    frame->Release();
}

}  // namespace

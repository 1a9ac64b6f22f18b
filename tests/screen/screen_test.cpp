// The screen base class: its images, description files, buttons and presentation.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/headless/headless.h"
#include "screen/button.h"
#include "screen/button_group.h"
#include "screen/screen.h"
#include "screen/screen_fixture.h"
#include "canvas/screen_image.h"
#include "surface/surface.h"

namespace {

using namespace screen_test;

class ScreenTest : public ScreenFixture {
protected:
    void SetUp() override {
        ScreenFixture::SetUp();
        WriteSolidBmp("red.bmp", 4, 4, kRed);
        WriteSolidBmp("green.bmp", 4, 4, kGreen);
        screen.Enter(nullptr, Back());
    }

    static void WriteText(const char* name, const char* text) { std::ofstream(name, std::ios::binary) << text; }

    Screen screen;
};

TEST_F(ScreenTest, LoadedImagesAreFoundByTheirFileNameFirstLoadedFirst) {
    ScreenImage* first = screen.LoadScreenImage("red.bmp");
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(first->name, "red.bmp");
    EXPECT_EQ(first->width, 4);
    first->SetName("twin");
    screen.LoadScreenImage("green.bmp")->SetName("twin");
    EXPECT_EQ(screen.FindImage("twin"), first);
    EXPECT_EQ(screen.FindImage("Twin"), nullptr);
    EXPECT_EQ(screen.LoadScreenImage("missing.bmp"), nullptr);
    EXPECT_EQ(screen.ImageCount(), 2) << "a picture that cannot be loaded is not added";

    EXPECT_EQ(screen.DrawImageAt(Back(), "twin", 10, 20), 1);
    EXPECT_EQ(At(Back(), 10, 20), kRed);
    first->x = 30;
    first->y = 40;
    EXPECT_EQ(screen.DrawImage(Back(), "twin"), 1);
    EXPECT_EQ(At(Back(), 33, 43), kRed);
    EXPECT_EQ(At(Back(), 34, 43), kBlack);
    EXPECT_EQ(screen.DrawImage(Back(), "nobody"), 0);
}

TEST_F(ScreenTest, ADescriptionFileListsImagesUntilTheFirstMissingNumber) {
    WriteSolidBmp("title.bmp", 6, 6, kYellow);
    WriteSolidBmp("art/logo2.bmp", 5, 5, kCyan);
    WriteSolidBmp("plain.bmp", 3, 3, kWhite);
    WriteText("screen.ini",
              "[images]\nimage01=title\nimage02=logo\nimage03=ghost\nimage04=plain\nimage06=late\n"
              "[title]\nx=0\ny=0\n"
              "[logo]\nfile=art\\logo2.bmp\nx=120\ny=40\n"
              "[ghost]\nx=abc\n"
              "[plain]\nfile=none\nx=7\ny=8\n"
              "[late]\n");
    EXPECT_EQ(screen.LoadDescription("screen.ini"), 0);
    ASSERT_EQ(screen.ImageCount(), 4) << "image05 is missing, so image06 is not read";

    ScreenImage* logo = screen.FindImage("logo");
    ASSERT_NE(logo, nullptr) << "named by its section, not its file";
    EXPECT_EQ(logo->x, 120);
    EXPECT_EQ(logo->y, 40);
    EXPECT_EQ(logo->width, 5);
    ScreenImage* ghost = screen.FindImage("ghost");
    ASSERT_NE(ghost, nullptr) << "kept although its file does not exist";
    EXPECT_EQ(ghost->surface, nullptr);
    EXPECT_EQ(ghost->x, 0);
    EXPECT_EQ(ghost->y, 0);
    ScreenImage* plain = screen.FindImage("plain");
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->width, 3) << "\"none\" as the file means the section name plus .bmp";
    EXPECT_EQ(plain->x, 7);

    EXPECT_EQ(screen.DrawImage(Back(), "ghost"), 1);
    EXPECT_EQ(screen.DrawImage(Back(), "logo"), 1);
    EXPECT_EQ(At(Back(), 120, 40), kCyan);
}

TEST_F(ScreenTest, ADescriptionWithoutItsFirstNumberOrWithoutAFileLoadsNothing) {
    WriteSolidBmp("title.bmp", 6, 6, kYellow);
    WriteText("gap.ini", "[images]\nimage02=title\n[title]\n");
    screen.LoadDescription("gap.ini");
    screen.LoadDescription("nowhere.ini");
    EXPECT_EQ(screen.ImageCount(), 0);
    screen.Leave();
    WriteText("one.ini", "[images]\nimage01=title\n[title]\n");
    screen.LoadDescription("one.ini");
    EXPECT_EQ(screen.ImageCount(), 1) << "a screen that was left can still read a description";
}

TEST_F(ScreenTest, ARemovedImageOutlivesTheScreensImages) {
    ScreenImage* kept = screen.LoadScreenImage("red.bmp");
    screen.LoadScreenImage("green.bmp");
    screen.RemoveImage(kept);
    screen.RemoveImage(kept);
    EXPECT_EQ(screen.ImageCount(), 1);
    screen.Leave();
    screen.Leave();
    EXPECT_EQ(screen.ImageCount(), 0);
    EXPECT_EQ(kept->Draw(Back(), 0, 0), 1);
    EXPECT_EQ(At(Back(), 0, 0), kRed);
    delete kept;
}

TEST_F(ScreenTest, ButtonsArePlacedAtTheGroupsOriginAndFreedOnLeave) {
    WriteStripBmp("strip.bmp", 4, 4, {kRed, kGreen, kYellow});
    screen.GetButtonGroup()->SetGroupOrigin(100, 50);
    auto* button = new Button(10, 10);
    button->LoadStrip("strip.bmp", 3, 0);
    screen.AddButton(button);
    screen.GetButtonGroup()->RedrawAll();
    EXPECT_EQ(At(Back(), 110, 60), kRed);
    EXPECT_EQ(At(Back(), 10, 10), kBlack);

    screen.Leave();
    EXPECT_EQ(screen.GetButtonGroup(), nullptr);
    screen.Enter(nullptr, Back());
    ASSERT_NE(screen.GetButtonGroup(), nullptr);
    EXPECT_EQ(screen.GetButtonGroup()->Count(), 0) << "entering again starts with empty lists";
}

TEST_F(ScreenTest, PresentShowsTheBackSurfaceAndAChildPresentsThroughItsParentOnce) {
    FillSurface(Back(), kYellow);
    EXPECT_EQ(screen.Present(), 1);
    EXPECT_EQ(Shown(400, 300), kYellow);

    Screen child;
    child.SetParentScreen(&screen);
    const std::uint64_t before = platform::headless::PresentCount();
    EXPECT_EQ(child.Present(), 1);
    EXPECT_EQ(platform::headless::PresentCount(), before + 1);
}

}  // namespace

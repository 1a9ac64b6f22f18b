// The pointer's own picture: drawn over the back surface for the flip, and what it covered put
// back afterwards.
#include <gtest/gtest.h>

#include "screen/screen.h"
#include "screen/screen_fixture.h"
#include "services/pointer.h"
#include "surface/surface.h"

namespace {

using namespace screen_test;

class PointerPictureTest : public ScreenFixture {
protected:
    void SetUp() override {
        ScreenFixture::SetUp();
        // Black is the pointer's transparent colour: only the white 4 x 4 square inside shows.
        WriteBmp("pointer.bmp", 8, 8,
                 [](int x, int y) { return x >= 2 && x < 6 && y >= 2 && y < 6 ? kWhite : kBlack; });
        FillSurface(Back(), kCyan);
    }

    static void ShowPointer(const char* file) {
        g_Pointer.Init(file);
        g_Pointer.SelectImage(0);
        g_Pointer.Show();
    }

    Screen screen;
};

TEST_F(PointerPictureTest, ThePictureShowsInTheFlipAndIsTakenOffTheBackSurfaceAfter) {
    ShowPointer("pointer.bmp");
    g_Pointer.SetPosition(100, 100);
    screen.Present();
    EXPECT_EQ(Shown(102, 102), kWhite);
    EXPECT_EQ(Shown(105, 105), kWhite);
    EXPECT_EQ(Shown(100, 100), kCyan) << "black is transparent";
    EXPECT_EQ(Shown(106, 102), kCyan);
    EXPECT_TRUE(AreaIs(Back(), 96, 96, 16, 16, kCyan));

    g_Pointer.SetPosition(300, 200);
    screen.Present();
    EXPECT_EQ(Shown(103, 103), kCyan);
    EXPECT_EQ(Shown(303, 203), kWhite);
}

TEST_F(PointerPictureTest, APointerPartlyOffTheSurfaceIsDrawnAndPutBackWhereItLies) {
    ShowPointer("pointer.bmp");
    for (const POINT at : {POINT{-1, 10}, POINT{-4, -4}, POINT{796, 596}, POINT{900, 900}}) {
        g_Pointer.SetPosition(at.x, at.y);
        screen.Present();
        const int x = at.x + 3;
        const int y = at.y + 3;
        if (x >= 0 && y >= 0 && x < 800 && y < 600) {
            EXPECT_EQ(Shown(x, y), kWhite) << at.x << "," << at.y;
        }
        EXPECT_TRUE(AreaIs(Back(), 0, 0, 10, 20, kCyan)) << at.x << "," << at.y;
        EXPECT_TRUE(AreaIs(Back(), 790, 590, 10, 10, kCyan)) << at.x << "," << at.y;
    }
}

TEST_F(PointerPictureTest, WithPageFlippingEachPageGetsBackWhatItsOwnDrawCovered) {
    ShowPointer("pointer.bmp");
    g_Pointer.SetPageFlipping(1);
    g_Pointer.SetPosition(100, 100);
    screen.Present();
    EXPECT_EQ(At(Back(), 103, 103), kWhite) << "the other page's save is empty after the first flip";

    g_Pointer.SetPosition(200, 100);
    screen.Present();
    EXPECT_EQ(At(Back(), 103, 103), kCyan) << "the first draw is undone two flips on";
    EXPECT_EQ(At(Back(), 203, 103), kWhite);

    g_Pointer.SetPosition(300, 100);
    screen.Present();
    EXPECT_EQ(At(Back(), 203, 103), kCyan);
    EXPECT_EQ(Shown(303, 103), kWhite);
}

TEST_F(PointerPictureTest, WithoutAPictureNothingIsDrawn) {
    for (const char* file : {static_cast<const char*>(nullptr), "missing.bmp"}) {
        ShowPointer(file);
        g_Pointer.SetPosition(100, 100);
        screen.Present();
        EXPECT_TRUE(AreaIs(Back(), 96, 96, 16, 16, kCyan));
        EXPECT_EQ(Shown(103, 103), kCyan);
    }
    g_Pointer.Release();
    ShowPointer("pointer.bmp");
    g_Pointer.SetPosition(10, 10);
    screen.Present();
    EXPECT_EQ(Shown(13, 13), kWhite) << "a released pointer can be set up again";
}

TEST_F(PointerPictureTest, AHiddenPointerLeavesTheBackSurfaceAlone) {
    ShowPointer("pointer.bmp");
    g_Pointer.Hide();
    g_Pointer.SetPosition(100, 100);
    screen.Present();
    EXPECT_EQ(Shown(103, 103), kCyan);
    EXPECT_TRUE(AreaIs(Back(), 96, 96, 16, 16, kCyan));
}

}  // namespace

// The compositor on real surfaces: when queued rectangles reach the back surface, which ones are
// dropped, and what a copy leaves alone.
#include <gtest/gtest.h>

#include "canvas/compositor.h"
#include "screen/screen.h"
#include "screen/screen_fixture.h"
#include "screen/screen_manager.h"
#include "surface/surface.h"

namespace {

using namespace screen_test;

class CompositorTest : public ScreenFixture {
protected:
    void SetUp() override {
        ScreenFixture::SetUp();
        background = Solid(800, 600, kRed);
        backdrop = Solid(800, 600, kGreen);
        target = Solid(800, 600, kBlack);
        g_Compositor.SetBackground(background);
        g_Compositor.SetBackdrop(backdrop);
    }

    LPDIRECTDRAWSURFACE7 background = nullptr;
    LPDIRECTDRAWSURFACE7 backdrop = nullptr;
    LPDIRECTDRAWSURFACE7 target = nullptr;
};

TEST_F(CompositorTest, ARectangleQueuedInOneFrameReachesTheBackSurfaceAtTheEndOfTheNext) {
    Screen screen;
    g_Compositor.AddDirtyArea(10, 10, 20, 20, kDirtyOneShot, kDirtyCopy);
    EXPECT_NE(screen.Present(), 0);
    EXPECT_TRUE(AreaIs(Back(), 10, 10, 20, 20, kBlack)) << "not at the end of the frame that queued it";

    EXPECT_NE(screen.Present(), 0);
    EXPECT_TRUE(AreaIs(Back(), 10, 10, 20, 20, kRed)) << "at the end of the following frame";
    EXPECT_EQ(At(Back(), 30, 10), kBlack);
    EXPECT_EQ(At(Back(), 9, 9), kBlack);
    EXPECT_EQ(Shown(15, 15), kBlack) << "the copy comes after that frame's flip";

    EXPECT_NE(screen.Present(), 0);
    EXPECT_EQ(Shown(15, 15), kRed) << "and so shows with the flip after it";
}

TEST_F(CompositorTest, OneUpdateAppliesAndDeletesEveryOneShotRecordOfThePage) {
    g_Compositor.AddDirtyArea(0, 0, 10, 10, kDirtyOneShot, kDirtyCopy);
    g_Compositor.AddDirtyRect(RECT{100, 100, 110, 120}, kDirtyOneShot, kDirtyCopy);
    g_Compositor.AddDirtyArea(200, 0, 5, 5, kDirtyOneShot, kDirtyCopy);
    g_Compositor.Update(target);
    EXPECT_TRUE(AreaIs(target, 0, 0, 10, 10, kRed));
    EXPECT_TRUE(AreaIs(target, 100, 100, 10, 20, kRed));
    EXPECT_TRUE(AreaIs(target, 200, 0, 5, 5, kRed));
    EXPECT_EQ(At(target, 110, 100), kBlack) << "right edge exclusive";
    EXPECT_EQ(g_Compositor.QueuedOn(g_Compositor.CurrentPage()), 0);

    FillSurface(background, kYellow);
    g_Compositor.Update(target);
    EXPECT_TRUE(AreaIs(target, 0, 0, 10, 10, kRed)) << "nothing is applied twice";
}

TEST_F(CompositorTest, ARecordThatIsNotOneShotStaysAndIsAppliedOnEveryPass) {
    g_Compositor.AddDirtyArea(0, 0, 4, 4, 0, kDirtyCopy);
    g_Compositor.Update(target);
    FillSurface(background, kYellow);
    g_Compositor.Update(target);
    EXPECT_TRUE(AreaIs(target, 0, 0, 4, 4, kYellow));
    EXPECT_EQ(g_Compositor.QueuedOn(g_Compositor.CurrentPage()), 1);
}

TEST_F(CompositorTest, SetBackgroundDropsTheRecordsQueuedForTheOldPictureOnBothPages) {
    const int first = g_Compositor.CurrentPage();
    g_Compositor.AddDirtyArea(0, 0, 10, 10, kDirtyOneShot, kDirtyCopy);
    g_Compositor.SwitchPage();
    g_Compositor.AddDirtyArea(50, 50, 10, 10, kDirtyOneShot, kDirtyCopy);

    g_Compositor.SetBackground(Solid(800, 600, kYellow));
    EXPECT_EQ(g_Compositor.QueuedOn(1 - first), 0) << "the current page is cleared at once";
    g_Compositor.Update(target);
    g_Compositor.SwitchPage();
    g_Compositor.Update(target);
    EXPECT_TRUE(AreaIs(target, 0, 0, 10, 10, kBlack)) << "the other page's record is skipped";
    EXPECT_TRUE(AreaIs(target, 50, 50, 10, 10, kBlack));
    EXPECT_EQ(g_Compositor.QueuedOn(first), 0) << "and deleted all the same";

    g_Compositor.AddDirtyArea(0, 0, 10, 10, kDirtyOneShot, kDirtyCopy);
    g_Compositor.Update(target);
    EXPECT_TRUE(AreaIs(target, 0, 0, 10, 10, kYellow)) << "new records use the new picture";
}

TEST_F(CompositorTest, PureBlueIsNeverCopiedByAWipeOrAnUpdate) {
    LPDIRECTDRAWSURFACE7 spotted = Solid(800, 600, kGreen);
    BlitSurface(Solid(20, 20, kBlue), spotted, 40, 40, DDBLT_WAIT);
    g_Compositor.SetBackdrop(spotted);
    g_Compositor.RestoreRect(30, 30, 40, 40);
    EXPECT_TRUE(AreaIs(background, 30, 30, 10, 40, kGreen));
    EXPECT_TRUE(AreaIs(background, 40, 40, 20, 20, kRed)) << "the backdrop's blue left the background as it was";
    EXPECT_TRUE(AreaIs(background, 0, 0, 30, 30, kRed)) << "outside the wiped area";

    BlitSurface(Solid(10, 10, kBlue), background, 100, 100, DDBLT_WAIT);
    FillSurface(target, kWhite);
    g_Compositor.AddDirtyArea(90, 90, 30, 30, kDirtyOneShot, kDirtyCopy);
    g_Compositor.Update(target);
    EXPECT_TRUE(AreaIs(target, 100, 100, 10, 10, kWhite));
    EXPECT_TRUE(AreaIs(target, 90, 90, 10, 30, kRed));
}

// A rectangle within another of the page may be left to it; every queued pixel still arrives.
TEST_F(CompositorTest, RectanglesThatShareAreasEachReachTheBackSurfaceWhole) {
    struct Case {
        const char* what;
        RECT first, second;
    };
    const Case cases[] = {
        {"the same rectangle twice", {10, 10, 30, 30}, {10, 10, 30, 30}},
        {"one within the other, larger first", {10, 10, 40, 40}, {20, 20, 30, 30}},
        {"one within the other, smaller first", {20, 20, 30, 30}, {10, 10, 40, 40}},
        {"overlapping, neither within", {10, 10, 30, 30}, {20, 20, 40, 40}},
        {"sharing an edge only", {10, 10, 30, 30}, {10, 10, 30, 31}},
    };
    for (const Case& c : cases) {
        FillSurface(target, kBlack);
        g_Compositor.AddDirtyRect(c.first, kDirtyOneShot, kDirtyCopy);
        g_Compositor.AddDirtyRect(c.second, kDirtyOneShot, kDirtyCopy);
        g_Compositor.Update(target);
        for (const RECT& r : {c.first, c.second})
            EXPECT_TRUE(AreaIs(target, r.left, r.top, r.right - r.left, r.bottom - r.top, kRed)) << c.what;
        EXPECT_EQ(At(target, 40, 41), kBlack) << c.what;
        EXPECT_EQ(g_Compositor.QueuedOn(g_Compositor.CurrentPage()), 0) << c.what;
    }
}

TEST_F(CompositorTest, RectanglesPartlyOffTheSurfaceAreCopiedWhereTheyLie) {
    g_Compositor.RestoreRect(790, 590, 20, 20);
    g_Compositor.RestoreRect(-5, -5, 10, 10);
    EXPECT_TRUE(AreaIs(background, 790, 590, 10, 10, kGreen));
    EXPECT_TRUE(AreaIs(background, 0, 0, 5, 5, kGreen));
    EXPECT_EQ(At(background, 5, 5), kRed);
    EXPECT_EQ(At(background, 789, 589), kRed);

    g_Compositor.AddDirtyArea(-100, -100, 50, 50, kDirtyOneShot, kDirtyCopy);
    g_Compositor.Update(target);
    EXPECT_TRUE(AreaIs(target, 790, 590, 10, 10, kGreen));
    EXPECT_TRUE(AreaIs(target, 0, 0, 5, 5, kGreen));
    EXPECT_EQ(At(target, 5, 5), kBlack);
    EXPECT_EQ(g_Compositor.QueuedOn(g_Compositor.CurrentPage()), 0) << "a record wholly off is still deleted";
}

TEST_F(CompositorTest, RecordsForBothPagesReachEachPage) {
    LPDIRECTDRAWSURFACE7 other = Solid(800, 600, kBlack);
    g_Compositor.AddDirtyArea(0, 0, 10, 10, kDirtyOneShot, kDirtyCopy | kDirtyBothPages);
    g_Compositor.SetBothPages(1);
    g_Compositor.AddDirtyArea(20, 0, 10, 10, kDirtyOneShot, kDirtyCopy);
    g_Compositor.SetBothPages(0);
    g_Compositor.Update(target);
    g_Compositor.SwitchPage();
    g_Compositor.Update(other);
    for (LPDIRECTDRAWSURFACE7 page : {target, other}) {
        EXPECT_TRUE(AreaIs(page, 0, 0, 10, 10, kRed));
        EXPECT_TRUE(AreaIs(page, 20, 0, 10, 10, kRed));
    }
}

TEST_F(CompositorTest, RestoreThenCopyWipesTheBackgroundFromTheBackdropFirst) {
    g_Compositor.AddDirtyArea(0, 0, 8, 8, kDirtyOneShot, kDirtyRestoreAndCopy);
    g_Compositor.Update(target);
    EXPECT_TRUE(AreaIs(background, 0, 0, 8, 8, kGreen));
    EXPECT_TRUE(AreaIs(target, 0, 0, 8, 8, kGreen));
}

TEST_F(CompositorTest, MarkAllDirtyCopiesTheWholeBackgroundWithoutWipingIt) {
    BlitSurface(Solid(10, 10, kYellow), background, 400, 300, DDBLT_WAIT);
    g_Compositor.MarkAllDirty();
    EXPECT_EQ(At(background, 405, 305), kYellow);
    g_Compositor.Update(target);
    EXPECT_TRUE(AreaIs(target, 0, 0, 800, 300, kRed));
    EXPECT_EQ(At(target, 405, 305), kYellow);
    EXPECT_EQ(At(target, 799, 599), kRed);
}

TEST_F(CompositorTest, ShowBackdropGoesStraightToTheBackSurfaceAndQueuesNothing) {
    g_Compositor.ShowBackdropRect(10, 10, 5, 5);
    EXPECT_TRUE(AreaIs(Back(), 10, 10, 5, 5, kGreen));
    EXPECT_EQ(At(Back(), 15, 15), kBlack);
    g_Compositor.ShowBackdrop();
    EXPECT_EQ(At(Back(), 799, 599), kGreen);
    EXPECT_EQ(g_Compositor.QueuedOn(0) + g_Compositor.QueuedOn(1), 0);
}

TEST_F(CompositorTest, WithoutPicturesNothingIsCopiedAndRecordsStillGo) {
    g_Compositor.SetBackground(nullptr);
    g_Compositor.SetBackdrop(nullptr);
    g_Compositor.RestoreRect(0, 0, 10, 10);
    g_Compositor.RestoreAll();
    g_Compositor.Update(target);
    EXPECT_TRUE(AreaIs(target, 0, 0, 10, 10, kBlack));
    EXPECT_EQ(g_Compositor.QueuedOn(g_Compositor.CurrentPage()), 0);
}

}  // namespace

// A program ending in a process that runs another next (the browser's page): what the first queued
// must not reach the second's back surface, nor its surfaces be used again.
TEST_F(CompositorTest, AfterResetNothingQueuedBeforeIsAppliedAndNoSurfaceIsKept) {
    g_Compositor.AddDirtyArea(0, 0, 10, 10, 0, kDirtyCopy);
    g_Compositor.SwitchPage();
    g_Compositor.AddDirtyArea(20, 0, 10, 10, kDirtyOneShot, kDirtyCopy);
    g_Compositor.Reset();
    EXPECT_EQ(g_Compositor.GetBackground(), nullptr);
    EXPECT_EQ(g_Compositor.GetBackdrop(), nullptr);
    for (int page = 0; page < 2; ++page) {
        EXPECT_EQ(g_Compositor.QueuedOn(page), 0);
        g_Compositor.Update(target);
        g_Compositor.SwitchPage();
    }
    EXPECT_TRUE(AreaIs(target, 0, 0, 30, 10, kBlack));
}

// The same program run twice in one process adds its screen twice and leaves it at each end: the
// screen is listed once, and the second selection enters it without leaving it a second time.
TEST_F(CompositorTest, AScreenAddedAgainAfterLeaveAllIsEnteredOnceAndLeftOnce) {
    struct Counting : Screen {
        Counting() { SetName("Counted"); }
        void Enter(LPDIRECTDRAW7 dd, LPDIRECTDRAWSURFACE7 surface) override {
            ++entered;
            Screen::Enter(dd, surface);
        }
        void Leave() override {
            ++left;
            Screen::Leave();
        }
        int entered = 0, left = 0;
    } counted;
    ScreenManager manager;
    for (int run = 1; run <= 2; ++run) {
        manager.AddScreen(&counted);
        EXPECT_EQ(manager.SelectScreen("Counted"), &counted);
        manager.LeaveAll();
        EXPECT_EQ(manager.Current(), nullptr);
        EXPECT_EQ(counted.entered, run);
        EXPECT_EQ(counted.left, run);
    }
}

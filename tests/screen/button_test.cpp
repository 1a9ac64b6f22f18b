// Buttons on both input paths, the frame each state draws, and the group's routing by name.
#include <gtest/gtest.h>

#include <vector>

#include "platform/api/user.h"
#include "screen/button.h"
#include "screen/button_group.h"
#include "canvas/compositor.h"
#include "screen/screen_fixture.h"
#include "surface/surface.h"

namespace {

using namespace screen_test;

constexpr int kUp = 0;
constexpr int kDown = 1;
// Back-surface pixel when the button did not draw.
constexpr int kUntouched = kBlack;

class ButtonTest : public ScreenFixture {
protected:
    void SetUp() override {
        ScreenFixture::SetUp();
        WriteStripBmp("button.bmp", 10, 10, {kRed, kGreen, kYellow});
        button.LoadStrip("button.bmp", 3, 0);
        button.SetName("go");
    }

    // What the button shows at (x, y), its top-left pixel unless told, after the action; the back
    // surface is cleared first.
    template <class Action>
    int DrawnBy(Action action, int x = 100, int y = 100) {
        FillSurface(Back(), kUntouched);
        action();
        return At(Back(), x, y);
    }

    Button button{100, 100};
};

TEST_F(ButtonTest, ThePolledStateMachine) {
    struct Step {
        int x, y, buttons;
        int state;
        int clicked;
        int drawn;
    };
    const Step steps[] = {
        {50, 50, kUp, 0, 0, kUntouched},      // outside, already normal: no redraw
        {105, 105, kUp, 1, 0, kGreen},        // over it: highlighted
        {105, 105, kUp, 1, 0, kUntouched},    // no change, no redraw
        {105, 105, kDown, 2, 0, kYellow},     // pressed
        {106, 106, kDown, 2, 0, kUntouched},  // still pressed
        {106, 106, kUp, 1, 1, kGreen},        // released over it: a click
        {106, 106, kUp, 1, 0, kUntouched},    // the latch lasts one update
        {50, 50, kDown, 0, 0, kRed},          // held down elsewhere
        {105, 105, kDown, 2, 0, kYellow},     // moved onto it while held: pressed
        {50, 50, kDown, 0, 0, kRed},          // left while pressed: normal, no click
        {105, 105, kUp, 1, 0, kGreen},       {105, 105, kDown, 2, 0, kYellow},
        {150, 105, kUp, 0, 0, kRed},  // released elsewhere: no click
    };
    int n = 0;
    for (const Step& s : steps) {
        int state = -1;
        EXPECT_EQ(DrawnBy([&] { state = button.UpdatePointer(s.x, s.y, s.buttons); }), s.drawn) << "step " << n;
        EXPECT_EQ(state, s.state) << "step " << n;
        EXPECT_EQ(button.WasClicked(), s.clicked) << "step " << n;
        EXPECT_EQ(button.GetClickKind(), s.clicked) << "step " << n;
        ++n;
    }
}

TEST_F(ButtonTest, TheMessagePath) {
    const auto at = [](int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); };
    EXPECT_EQ(DrawnBy([&] { button.HandleMouseMessage(WM_MOUSEMOVE, 0, at(105, 105)); }), kGreen);
    EXPECT_EQ(DrawnBy([&] { button.HandleMouseMessage(WM_LBUTTONDOWN, 0, at(105, 105)); }), kYellow);
    EXPECT_EQ(DrawnBy([&] { button.HandleMouseMessage(WM_MOUSEMOVE, 0, at(106, 105)); }), kUntouched)
        << "a move keeps a pressed button pressed";
    EXPECT_EQ(DrawnBy([&] { button.HandleMouseMessage(WM_LBUTTONUP, 0, at(105, 105)); }), kGreen);
    EXPECT_EQ(button.WasClicked(), 1);
    EXPECT_EQ(button.GetClickKind(), 1);

    button.HandleMouseMessage(WM_LBUTTONUP, 0, at(105, 105));
    EXPECT_EQ(button.WasClicked(), 1) << "a release over it clicks whatever the state was";

    EXPECT_EQ(DrawnBy([&] { button.HandleMouseMessage(WM_RBUTTONUP, 0, at(105, 105)); }), kUntouched);
    EXPECT_EQ(button.GetState(), 1) << "right clicks never change the state";
    EXPECT_EQ(button.GetClickKind(), 2);
    button.HandleMouseMessage(WM_RBUTTONDOWN, 0, at(105, 105));
    EXPECT_EQ(button.GetState(), 1);
    EXPECT_EQ(button.WasClicked(), 0);

    EXPECT_EQ(DrawnBy([&] { button.HandleMouseMessage(WM_MOUSEMOVE, 0, at(200, 105)); }), kRed);
    button.HandleMouseMessage(WM_LBUTTONUP, 0, at(200, 105));
    EXPECT_EQ(button.WasClicked(), 0);
}

TEST_F(ButtonTest, TheFarEdgesAreOutsideWhenPolledAndInsideForMessages) {
    for (const POINT p : {POINT{110, 105}, POINT{105, 110}, POINT{110, 110}}) {
        button.UpdatePointer(p.x, p.y, kUp);
        EXPECT_EQ(button.IsPointerInside(), 0) << p.x << "," << p.y;
        button.HandleMouseMessage(WM_MOUSEMOVE, 0, MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
        EXPECT_EQ(button.IsPointerInside(), 1) << p.x << "," << p.y;
    }
    button.UpdatePointer(109, 109, kUp);
    EXPECT_EQ(button.IsPointerInside(), 1);
    button.UpdatePointer(99, 105, kUp);
    EXPECT_EQ(button.IsPointerInside(), 0);
}

TEST_F(ButtonTest, ADisabledButtonKeepsItsLatchAndDrawsNothing) {
    ButtonGroup group;
    auto* go = new Button(100, 100);
    go->LoadStrip("button.bmp", 3, 0);
    go->SetName("go");
    group.Add(go);
    group.UpdateAll(105, 105, kDown);
    group.UpdateAll(105, 105, kUp);
    go->SetEnabled(0);
    EXPECT_EQ(DrawnBy([&] { group.UpdateAll(300, 300, kDown); }), kUntouched);
    EXPECT_EQ(group.ClickedByName("go"), 1) << "the click latched before it was disabled";
    EXPECT_EQ(DrawnBy([&] { group.RedrawAll(); }), kUntouched);
    go->SetEnabled(1);
    group.UpdateAll(300, 300, kUp);
    EXPECT_EQ(group.ClickedByName("go"), 0);
}

TEST_F(ButtonTest, ThePixelTestIgnoresTransparentPixelsOfTheFirstFrame) {
    // Frame 0's left half is pure blue.
    WriteBmp("holed.bmp", 30, 10, [](int x, int) { return x < 5 ? kBlue : x < 10 ? kRed : x < 20 ? kGreen : kYellow; });
    Button holed(100, 100);
    holed.LoadStrip("holed.bmp", 3, 0);
    holed.SetPixelHitTest(1);
    EXPECT_EQ(holed.UpdatePointer(102, 105, kDown), 0) << "pressing over a transparent pixel does nothing";
    EXPECT_EQ(holed.UpdatePointer(107, 105, kDown), 2);
    EXPECT_EQ(holed.UpdatePointer(102, 105, kDown), 2) << "nor does moving onto one while pressed";
    EXPECT_EQ(holed.UpdatePointer(107, 105, kUp), 1);
    EXPECT_EQ(holed.WasClicked(), 1);
    EXPECT_EQ(DrawnBy([&] { EXPECT_EQ(holed.UpdatePointer(102, 105, kUp), 0); }, 105), kRed)
        << "released over a transparent pixel: normal, redrawn";
    EXPECT_EQ(At(Back(), 100, 100), kUntouched) << "its blue pixels are not drawn";
    EXPECT_EQ(DrawnBy([&] { holed.UpdatePointer(102, 105, kUp); }, 105), kRed) << "redrawn whatever the state was";

    Button frameless(100, 100, 10, 10);
    frameless.SetPixelHitTest(1);
    EXPECT_EQ(frameless.UpdatePointer(105, 105, kDown), 0) << "without frames the test decides nothing";
    EXPECT_EQ(frameless.UpdatePointer(105, 105, kUp), 0);
}

TEST_F(ButtonTest, TheFrameEachSettingDraws) {
    struct Case {
        int state, offset, firstOnly, override;
        int drawn;
    };
    const Case cases[] = {
        {0, 0, 0, -1, kRed},   {1, 0, 0, -1, kGreen},  {2, 0, 0, -1, kYellow},
        {0, 1, 0, -1, kGreen}, {1, 1, 0, -1, kYellow}, {2, 1, 0, -1, kYellow},  // past the end: the last
        {2, 0, 1, -1, kRed},   {2, 0, 0, 0, kRed},     {2, 1, 0, 0, kYellow},   // offset wins over the override
        {0, 0, 0, 7, kYellow}, {0, 0, 0, -5, kYellow},                          // no such frame: the last
    };
    for (const Case& c : cases) {
        button.SetState(c.state);
        button.SetHighlightOffset(c.offset);
        button.SetFirstFrameOnly(c.firstOnly);
        button.SetFrameOverride(c.override);
        EXPECT_EQ(DrawnBy([&] { button.Redraw(); }), c.drawn)
            << "state " << c.state << " offset " << c.offset << " first " << c.firstOnly << " override " << c.override;
    }
    Button frameless(100, 100, 10, 10);
    frameless.SetFrameOverride(2);
    EXPECT_EQ(DrawnBy([&] { frameless.Redraw(); }), kUntouched);
}

TEST_F(ButtonTest, SwappingTheFirstFramesNeedsTwo) {
    EXPECT_EQ(DrawnBy([&] { button.SwapFirstFrames(); }), kGreen);
    Button single(100, 100);
    single.AddFrameFile(0, "button.bmp");
    EXPECT_EQ(DrawnBy([&] { single.SwapFirstFrames(); }), kUntouched) << "one frame: nothing to swap";
    EXPECT_EQ(single.FrameCount(), 1);
}

TEST_F(ButtonTest, AStripMustCutIntoExactlyTheCount) {
    WriteSolidBmp("narrow.bmp", 10, 4, kRed);
    Button refused(0, 0);
    refused.LoadStrip("narrow.bmp", 4, 0);
    EXPECT_EQ(refused.FrameCount(), 0) << "10 / 4 gives five cells of 2";
    refused.LoadStrip("narrow.bmp", 0, 0);
    refused.LoadStrip("missing.bmp", 3, 0);
    EXPECT_EQ(refused.FrameCount(), 0);
    EXPECT_EQ(refused.UpdatePointer(0, 0, kDown), 0) << "an empty hit rectangle is never entered";
    EXPECT_EQ(refused.AddFrameFile(0, "missing.bmp"), 0);

    Button stacked(0, 0);
    WriteBmp("stacked.bmp", 10, 30, [](int, int y) { return y < 10 ? kRed : y < 20 ? kGreen : kYellow; });
    stacked.LoadStrip("stacked.bmp", 3, 1);
    stacked.SetState(2);
    FillSurface(Back(), kUntouched);
    stacked.Redraw();
    EXPECT_EQ(At(Back(), 9, 9), kYellow);
    EXPECT_EQ(At(Back(), 10, 10), kUntouched);
}

TEST_F(ButtonTest, SurfacesHandedInStayTheCallers) {
    LPDIRECTDRAWSURFACE7 frame = Solid(10, 10, kRed);
    {
        Button borrowing(0, 0);
        EXPECT_EQ(borrowing.AddFrameSurface(0, frame), 1);
        EXPECT_EQ(borrowing.AddFrameSurface(1, nullptr), 0);
        EXPECT_EQ(borrowing.FrameCount(), 1);
    }
    EXPECT_EQ(frame->AddRef(), 2u) << "the button did not release it";
    frame->Release();
}

TEST_F(ButtonTest, AButtonPartlyOffTheTargetIsNotDrawnAtAll) {
    Button edge(795, 100);
    edge.LoadStrip("button.bmp", 3, 0);
    FillSurface(Back(), kUntouched);
    edge.Redraw();
    EXPECT_TRUE(AreaIs(Back(), 795, 100, 5, 10, kUntouched));
}

TEST_F(ButtonTest, MarkDirtyAndDrawingIntoThePictures) {
    LPDIRECTDRAWSURFACE7 background = Solid(800, 600, kWhite);
    g_Compositor.SetBackground(background);
    button.SetMarkDirty(1);
    button.Redraw();
    FillSurface(Back(), kUntouched);
    g_Compositor.Update(Back());
    EXPECT_TRUE(AreaIs(Back(), 100, 100, 10, 10, kWhite)) << "its rectangle was queued";
    EXPECT_EQ(At(Back(), 110, 100), kUntouched);

    button.SetMarkDirty(0);
    FillSurface(Back(), kUntouched);
    button.DrawOnPictures(1);
    EXPECT_EQ(At(background, 100, 100), kRed);
    EXPECT_EQ(At(Back(), 100, 100), kUntouched) << "no backdrop: skipped, not drawn on the back surface";
}

TEST_F(ButtonTest, TheGroupAnswersOnlyForTheFirstClickedButton) {
    ButtonGroup group;
    for (const char* name : {"first", "second"}) {
        auto* b = new Button(100, 100);
        b->LoadStrip("button.bmp", 3, 0);
        b->SetName(name);
        group.Add(b);
    }
    group.UpdateAll(105, 105, kDown);
    group.UpdateAll(105, 105, kUp);
    EXPECT_EQ(group.ClickedByName("first"), 1);
    EXPECT_EQ(group.ClickedByName("second"), 0) << "both clicked, but only the first is asked";
    EXPECT_EQ(group.ClickedByName("FIRST"), 0);
    EXPECT_EQ(group.FindByName("second"), group.At(1));

    group.RemoveByName("first");
    EXPECT_EQ(group.Count(), 1);
    EXPECT_EQ(group.ClickedByName("second"), 1);

    group.SetGroupOrigin(300, 200);
    FillSurface(Back(), kUntouched);
    group.RedrawAll();
    EXPECT_EQ(At(Back(), 400, 300), kGreen);
    EXPECT_EQ(At(Back(), 100, 100), kUntouched);
    group.UpdateAll(405, 305, kDown);
    EXPECT_EQ(group.At(0)->GetState(), 2) << "the sensitive area moved with the origin";
}

}  // namespace

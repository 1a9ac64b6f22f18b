// The pointer's press counting and the tick clock, on the headless clock.
#include <gtest/gtest.h>

#include <vector>

#include "platform/headless/headless.h"
#include "platform/api/qz.h"
#include "services/pointer.h"
#include "services/tick_timer.h"

namespace {

class PointerAndClockTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::headless::Reset();
        QZInitMouse();
        QZAcquireMouse(1);
    }
    void TearDown() override {
        StopTickTimer();
        QZFreeDirectInput();
    }
    static void Ticks(int n) {
        for (int i = 0; i < n; ++i) platform::headless::AdvanceTick();
    }
};

TEST_F(PointerAndClockTest, TwoPressesBetweenFramesCountTwiceAndAreTakenOneAtATime) {
    Pointer pointer;
    for (int i = 0; i < 2; ++i) {
        platform::headless::MouseButton(1, true);
        pointer.Tick();
        platform::headless::MouseButton(1, false);
        pointer.Tick();
    }
    int left = -1;
    pointer.GetState(nullptr, nullptr, nullptr, &left, nullptr);
    EXPECT_EQ(left, 1);
    pointer.GetState(nullptr, nullptr, nullptr, &left, nullptr);
    EXPECT_EQ(left, 0);
    left = -1;
    pointer.GetState(nullptr, nullptr, nullptr, &left, nullptr);
    EXPECT_EQ(left, -1) << "no press left: the out-value stays as it was";
}

// A press and release between two samples, then a press held from the next: the samples read down
// twice, yet these are two presses, and the frames see each go down and up.
TEST_F(PointerAndClockTest, AQuickClickThenAPressAtTheNextSampleAreTwoPressesAndTwoClicks) {
    Pointer pointer;
    const auto frame = [&pointer] {
        int buttons = -1;
        pointer.GetState(nullptr, nullptr, &buttons, nullptr, nullptr);
        return buttons;
    };
    platform::headless::MouseButton(1, true);
    platform::headless::MouseButton(1, false);
    pointer.Tick();
    EXPECT_EQ(frame(), 1);
    platform::headless::MouseButton(1, true);
    pointer.Tick();
    EXPECT_EQ(frame(), 0) << "the quick click's release shows before the next press";
    pointer.Tick();
    EXPECT_EQ(frame(), 1);
    pointer.Tick();
    EXPECT_EQ(frame(), 1) << "held: no more presses";
    platform::headless::MouseButton(1, false);
    pointer.Tick();
    EXPECT_EQ(frame(), 0);

    // Two quick clicks between two samples: still two downs and ups, one a frame, and two counted
    // presses.
    Pointer counting;
    for (int i = 0; i < 2; ++i) {
        platform::headless::MouseButton(1, true);
        platform::headless::MouseButton(1, false);
    }
    counting.Tick();
    std::vector<int> seen;
    int left = -1;
    for (int i = 0; i < 5; ++i) {
        int buttons = -1;
        counting.GetState(nullptr, nullptr, &buttons, &left, nullptr);
        seen.push_back(buttons);
        counting.Tick();
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 0, 1, 0, 0}));
    EXPECT_EQ(left, 0) << "two presses counted, both taken";
}

TEST_F(PointerAndClockTest, HeldButtonCountsOnceAndRightIsCountedApart) {
    Pointer pointer;
    platform::headless::MouseButton(1, true);
    for (int i = 0; i < 100; ++i) pointer.Tick();
    platform::headless::MouseButton(2, true);
    pointer.Tick();
    int x = 0, y = 0, buttons = 0, left = -1, right = -1;
    pointer.SetPosition(12, 34);
    pointer.GetState(&x, &y, &buttons, &left, &right);
    EXPECT_EQ(x, 12);
    EXPECT_EQ(y, 34);
    EXPECT_EQ(buttons, 3);
    EXPECT_EQ(left, 0);
    EXPECT_EQ(right, 0);
}

TEST_F(PointerAndClockTest, ClockAdvancesTenPerTickAndSamplesThePointer) {
    ASSERT_EQ(StartTickTimer(), 0);
    EXPECT_EQ(GetTickClock(), 0);
    const int start = GetTickClock();
    platform::headless::MouseButton(1, true);
    Ticks(100);
    EXPECT_EQ(GetTickClock(), 1000);
    EXPECT_EQ(TicksSince(start), 1000);
    int left = -1;
    g_Pointer.GetState(nullptr, nullptr, nullptr, &left, nullptr);
    EXPECT_EQ(left, 0) << "the timer's ticks counted the press";
    EXPECT_EQ(StopTickTimer(), 0);
    EXPECT_EQ(StopTickTimer(), 0);
    Ticks(3);
    EXPECT_EQ(GetTickClock(), 1000) << "a stopped timer no longer moves the clock";
}

TEST_F(PointerAndClockTest, FramesStartOnTheirSlotAndLostTimeIsNotMadeUp) {
    ASSERT_EQ(StartTickTimer(), 0);
    WaitForFrame(100);  // the first frame does not wait
    EXPECT_EQ(GetTickClock(), 0);
    for (int i = 1; i <= 5; ++i) {
        WaitForFrame(100);
        EXPECT_EQ(GetTickClock(), 10 * i);
    }
    Ticks(4);  // a slow frame
    const int late = GetTickClock();
    WaitForFrame(100);
    EXPECT_EQ(GetTickClock(), late) << "a late frame starts at once";
    WaitForFrame(100);
    EXPECT_EQ(GetTickClock(), late + 10);
    WaitForFrame(50);
    EXPECT_EQ(GetTickClock(), late + 20);
    WaitForFrame(50);
    EXPECT_EQ(GetTickClock(), late + 40) << "50 frames a second is a 20 ms slot";
}

TEST_F(PointerAndClockTest, WithoutTheTimerTheClockFollowsTheSystemClockAndStillSamples) {
    platform::headless::FailTimers(true);
    EXPECT_EQ(StartTickTimer(), 0);
    WaitForFrame(100);
    const int first = GetTickClock();
    WaitForFrame(100);
    EXPECT_EQ(GetTickClock(), first + 10);
    platform::headless::MouseButton(1, true);
    WaitForFrame(100);
    int left = -1;
    g_Pointer.GetState(nullptr, nullptr, nullptr, &left, nullptr);
    EXPECT_EQ(left, 0);
}

}  // namespace

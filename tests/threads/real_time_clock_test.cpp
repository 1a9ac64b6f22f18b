// The timer thread in real time: multimedia timers on threads of their own, and the tick clock and
// the pointer's button sampling they drive while the main thread paces frames and takes presses.
// Built with ThreadSanitizer, these runs show the hand-overs between the threads are sound.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/core/backend.h"
#include "platform/core/input.h"
#include "platform/api/qz.h"
#include "platform/api/win32.h"
#include "services/pointer.h"
#include "services/tick_timer.h"

namespace {

// What one timer's callback leaves behind. `calls` is plain on purpose: only the callbacks write
// it, and the main thread reads it only after timeKillEvent, which must hand it over.
struct Counting {
    int calls = 0;
    std::atomic<int> seen{0};
    std::atomic<UINT> selfKillAt{0};  // the call on which the callback kills its own timer
    int workMs = 0;                   // how long each call works before it counts
    UINT id = 0;
};

void CountCall(UINT id, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
    auto* counting = reinterpret_cast<Counting*>(user);
    std::this_thread::sleep_for(std::chrono::milliseconds(counting->workMs));
    ++counting->calls;
    const int seen = ++counting->seen;
    if (counting->selfKillAt != 0 && static_cast<UINT>(seen) == counting->selfKillAt) timeKillEvent(id);
}

void WaitUntil(const std::atomic<int>& value, int atLeast) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (value.load() < atLeast && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

TEST(RealTimeTimers, TwoPeriodicTimersRunApartAndHandTheirWorkOverWhenKilled) {
    Counting first, second;
    // The second works as long as its period, so it is most likely in a call when it is killed:
    // the kill has to wait for that call to end.
    second.workMs = 3;
    first.id = timeSetEvent(10, 5, CountCall, reinterpret_cast<DWORD_PTR>(&first), TIME_PERIODIC);
    second.id = timeSetEvent(3, 1, CountCall, reinterpret_cast<DWORD_PTR>(&second), TIME_PERIODIC);
    ASSERT_NE(first.id, 0u);
    ASSERT_NE(second.id, first.id);
    WaitUntil(first.seen, 5);
    WaitUntil(second.seen, 5);
    EXPECT_EQ(timeKillEvent(first.id), TIMERR_NOERROR);
    EXPECT_EQ(timeKillEvent(second.id), TIMERR_NOERROR);
    const int firstCalls = first.calls;
    const int secondCalls = second.calls;
    EXPECT_GE(firstCalls, 5);
    EXPECT_GE(secondCalls, 5);
    // Killed means stopped: no callback runs after timeKillEvent has returned.
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    EXPECT_EQ(first.calls, firstCalls);
    EXPECT_EQ(second.calls, secondCalls);
    EXPECT_NE(timeKillEvent(first.id), TIMERR_NOERROR) << "a killed timer is gone";
}

TEST(RealTimeTimers, ATimerKilledFromItsOwnCallbackStopsThere) {
    Counting counting;
    counting.selfKillAt = 3;
    counting.id = timeSetEvent(2, 1, CountCall, reinterpret_cast<DWORD_PTR>(&counting), TIME_PERIODIC);
    ASSERT_NE(counting.id, 0u);
    WaitUntil(counting.seen, 3);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(counting.seen.load(), 3);
    EXPECT_NE(timeKillEvent(counting.id), TIMERR_NOERROR) << "the callback already killed it";
}

// A timer whose callback signals an event and notes which thread ran it. `calls` is plain: the
// starter's waits and the timer's thread take turns at the callback, never both at once.
struct Delivered {
    std::thread::id starter = std::this_thread::get_id();
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    int calls = 0;
    std::vector<std::uint64_t> ticks;  // the clock's tick as each call saw it
    std::atomic<int> onStarter{0};
    std::atomic<int> elsewhere{0};
    std::atomic<bool> inCall{false};
    int workMs = 0;
    ~Delivered() { CloseHandle(event); }
};

void NoteDelivery(UINT, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
    auto* d = reinterpret_cast<Delivered*>(user);
    d->inCall = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(d->workMs));
    ++d->calls;
    d->ticks.push_back(platform::GetBackend().GetClock().CurrentTick());
    ++(std::this_thread::get_id() == d->starter ? d->onStarter : d->elsewhere);
    d->inCall = false;
    SetEvent(d->event);
}

// The thread that starts a timer runs its events while it waits for them, so a tick wakes one
// thread; while it is busy elsewhere the timer's own thread runs them. Either way each event is
// one tick of the clock, none lost and none run twice.
TEST(RealTimeTimers, TheStarterRunsTheEventsItWaitsForAndTheTimerThreadTheRest) {
    Delivered d;
    const UINT id = timeSetEvent(10, 5, NoteDelivery, reinterpret_cast<DWORD_PTR>(&d), TIME_PERIODIC);
    ASSERT_NE(id, 0u);
    for (int i = 0; i < 20; ++i) ASSERT_EQ(WaitForSingleObject(d.event, 1000), WAIT_OBJECT_0) << i;
    // Busy, as far as the timers know: a sleep that is not one of the program's waits.
    const int waited = d.onStarter.load() + d.elsewhere.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const int sleptThrough = d.onStarter.load() + d.elsewhere.load() - waited;
    ASSERT_EQ(timeKillEvent(id), TIMERR_NOERROR);
    EXPECT_GT(d.onStarter.load(), 0);
    EXPECT_GE(d.elsewhere.load(), sleptThrough);
    EXPECT_GT(sleptThrough, 0) << "events kept coming while the starter was not waiting";
    EXPECT_EQ(d.calls, d.onStarter.load() + d.elsewhere.load());
    for (size_t i = 1; i < d.ticks.size(); ++i) EXPECT_EQ(d.ticks[i], d.ticks[i - 1] + 1) << i;
}

// A kill from another thread returns only once the callback the starter is running has ended.
TEST(RealTimeTimers, AKillWaitsForTheCallbackTheStarterIsRunning) {
    Delivered d;
    d.workMs = 30;
    const UINT id = timeSetEvent(10, 5, NoteDelivery, reinterpret_cast<DWORD_PTR>(&d), TIME_PERIODIC);
    ASSERT_NE(id, 0u);
    std::atomic<bool> callEndedFirst{false};
    std::thread killer([&] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!d.inCall && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        EXPECT_EQ(timeKillEvent(id), TIMERR_NOERROR);
        callEndedFirst = !d.inCall;
    });
    EXPECT_EQ(WaitForSingleObject(d.event, 10000), WAIT_OBJECT_0);
    killer.join();
    EXPECT_TRUE(callEndedFirst);
    const int calls = d.calls;
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    EXPECT_EQ(d.calls, calls);
}

class RealTimeTickClock : public ::testing::Test {
protected:
    void SetUp() override {
        QZInitMouse();
        QZAcquireMouse(1);
    }
    void TearDown() override {
        StopTickTimer();
        QZFreeDirectInput();
    }
};

// The main loop's side: frames paced on the clock, button changes arriving from the display's
// events on this thread, presses taken once a frame; the timer thread samples the buttons.
TEST_F(RealTimeTickClock, FramesPaceOnTheTimerAndEveryPressIsTakenOnce) {
    ASSERT_EQ(StartTickTimer(), 0);
    constexpr int kFrames = 120;
    int lastClock = GetTickClock();
    int made = 0;
    int taken = 0;
    for (int frame = 0; frame < kFrames; ++frame) {
        WaitForFrame(100);
        const int clock = GetTickClock();
        EXPECT_EQ(clock % 10, 0);
        EXPECT_GE(clock, lastClock);
        lastClock = clock;
        // Released for six frames: the tick after the one seen two frames on samples it up, so
        // no two presses merge however the threads are scheduled.
        if (frame % 8 == 0) {
            platform::input::ButtonEvent(platform::input::kLeftButton, true);
            ++made;
        }
        if (frame % 8 == 2) platform::input::ButtonEvent(platform::input::kLeftButton, false);
        int left = -1;
        g_Pointer.GetState(nullptr, nullptr, nullptr, &left, nullptr);
        if (left != -1) ++taken;
    }
    // Frames wait for their slot, so the clock has moved on by at least the frames run.
    EXPECT_GE(GetTickClock(), 10 * (kFrames - 1));
    platform::input::ButtonEvent(platform::input::kLeftButton, false);
    StopTickTimer();
    // Every press is sampled (the last one seven frames before the end), and what the frames did
    // not take is still counted.
    int left = -1;
    while (g_Pointer.GetState(nullptr, nullptr, nullptr, &left, nullptr), left != -1) {
        ++taken;
        left = -1;
    }
    EXPECT_EQ(taken, made);
    const int stopped = GetTickClock();
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    EXPECT_EQ(GetTickClock(), stopped) << "the clock moves only while the timer runs";
}

}  // namespace

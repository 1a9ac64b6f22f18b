// Events, waits and threads, in real time on worker threads and in virtual time on the thread
// that drives the headless clock.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>

#include "platform/core/waitable.h"
#include "platform/headless/headless.h"
#include "platform/api/win32.h"

namespace {

class WaitsTest : public ::testing::Test {
protected:
    void SetUp() override { platform::headless::Reset(); }
};

TEST_F(WaitsTest, AutoResetEventWakesOneWaitThenResets) {
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
    SetEvent(event);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
    CloseHandle(event);
}

TEST_F(WaitsTest, ManualResetEventStaysSignalledUntilReset) {
    HANDLE event = CreateEventA(nullptr, TRUE, TRUE, nullptr);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
    ResetEvent(event);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
    CloseHandle(event);
}

TEST_F(WaitsTest, LowestSignalledIndexWinsAndOnlyItIsTaken) {
    HANDLE events[3];
    for (HANDLE& e : events) e = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    SetEvent(events[2]);
    SetEvent(events[1]);
    EXPECT_EQ(WaitForMultipleObjects(3, events, FALSE, 0), WAIT_OBJECT_0 + 1);
    EXPECT_EQ(WaitForMultipleObjects(3, events, FALSE, 0), WAIT_OBJECT_0 + 2);
    EXPECT_EQ(WaitForMultipleObjects(3, events, FALSE, 0), WAIT_TIMEOUT);
    for (HANDLE e : events) CloseHandle(e);
}

TEST_F(WaitsTest, BadHandlesAndCountsFail) {
    HANDLE event = CreateEventA(nullptr, FALSE, TRUE, nullptr);
    CloseHandle(event);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_FAILED);
    EXPECT_EQ(WaitForSingleObject(reinterpret_cast<HANDLE>(0x1234), 0), WAIT_FAILED);
    EXPECT_EQ(SetEvent(event), FALSE);
    EXPECT_EQ(CloseHandle(event), FALSE);
    HANDLE many[MAXIMUM_WAIT_OBJECTS + 1] = {};
    EXPECT_EQ(WaitForMultipleObjects(MAXIMUM_WAIT_OBJECTS + 1, many, FALSE, 0), WAIT_FAILED);
}

DWORD ReturnSeven(LPVOID) { return 7; }

TEST_F(WaitsTest, ThreadHandleIsSignalledWithItsExitCode) {
    HANDLE thread = CreateThread(nullptr, 0, ReturnSeven, nullptr, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, 7u);
    // A thread stays signalled: every later wait on it succeeds.
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);
    CloseHandle(thread);
}

// A worker that answers every request on one event with a reply on another, counting requests.
struct Echo {
    HANDLE request = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HANDLE stop = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    std::atomic<int> handled{0};
};

DWORD EchoLoop(LPVOID parameter) {
    auto* echo = static_cast<Echo*>(parameter);
    HANDLE waits[2] = {echo->stop, echo->request};
    while (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) ++echo->handled;
    return 0;
}

TEST_F(WaitsTest, SettlingWaitsUntilWorkersHaveHandledEverySignal) {
    Echo echo;
    HANDLE thread = CreateThread(nullptr, 0, EchoLoop, &echo, 0, nullptr);
    for (int i = 1; i <= 200; ++i) {
        SetEvent(echo.request);
        platform::WaitForWorkerThreadsIdle();
        ASSERT_EQ(echo.handled.load(), i);
    }
    SetEvent(echo.stop);
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    CloseHandle(thread);
}

DWORD WaitForever(LPVOID event) { return WaitForSingleObject(static_cast<HANDLE>(event), INFINITE); }

// Worker threads may outlive the static objects: the process must still end.
TEST(WaitsAtExit, AThreadStillWaitingDoesNotHoldTheProcessUp) {
    EXPECT_EXIT(
        {
            platform::headless::Reset();
            HANDLE never = CreateEventA(nullptr, FALSE, FALSE, nullptr);
            CreateThread(nullptr, 0, WaitForever, never, 0, nullptr);
            platform::WaitForWorkerThreadsIdle();
            std::exit(3);
        },
        ::testing::ExitedWithCode(3), "");
}

TEST_F(WaitsTest, TimedWaitOnTheDrivingThreadMovesVirtualTime) {
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    EXPECT_EQ(GetTickCount(), 0u);
    EXPECT_EQ(WaitForSingleObject(event, 50), WAIT_TIMEOUT);
    EXPECT_EQ(GetTickCount(), 50u);
    Sleep(25);  // whole ticks only
    EXPECT_EQ(GetTickCount(), 80u);
    EXPECT_EQ(platform::headless::TicksRun(), 8u);
    CloseHandle(event);
}

struct TimerLog {
    int calls = 0;
    UINT killAfter = 0;
};

void CountCall(UINT id, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
    auto* log = reinterpret_cast<TimerLog*>(user);
    if (++log->calls == 3 && log->killAfter != 0) timeKillEvent(id);
}

TEST_F(WaitsTest, VirtualTimerFiresOncePerPeriodAndCanKillItself) {
    TimerLog log;
    log.killAfter = 3;
    const UINT id = timeSetEvent(10, 5, CountCall, reinterpret_cast<DWORD_PTR>(&log), TIME_PERIODIC);
    ASSERT_NE(id, 0u);
    for (int i = 0; i < 10; ++i) platform::headless::AdvanceTick();
    EXPECT_EQ(log.calls, 3);
    EXPECT_EQ(timeKillEvent(id), TIMERR_NOCANDO);

    TimerLog slow;
    const UINT every30 = timeSetEvent(30, 5, CountCall, reinterpret_cast<DWORD_PTR>(&slow), TIME_PERIODIC);
    for (int i = 0; i < 9; ++i) platform::headless::AdvanceTick();
    EXPECT_EQ(slow.calls, 3);
    timeKillEvent(every30);
}

TEST_F(WaitsTest, TimersCanBeMadeToFail) {
    platform::headless::FailTimers(true);
    TimerLog log;
    EXPECT_EQ(timeSetEvent(10, 5, CountCall, reinterpret_cast<DWORD_PTR>(&log), TIME_PERIODIC), 0u);
}

}  // namespace

// The press counters are written on the timer thread and taken on the main thread: every press
// is taken exactly once however the two interleave.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/headless/headless.h"
#include "platform/api/qz.h"
#include "services/pointer.h"

namespace {

TEST(PointerPresses, EveryPressMadeOnTheTimerThreadIsTakenOnceOnTheMainThread) {
    platform::headless::Reset();
    QZInitMouse();
    QZAcquireMouse(1);
    Pointer pointer;
    constexpr int kPresses = 500000;
    std::atomic<bool> finished{false};
    std::thread timer([&] {
        for (int i = 0; i < kPresses; ++i) {
            platform::headless::MouseButton(1, true);
            pointer.Tick();
            platform::headless::MouseButton(1, false);
            pointer.Tick();
        }
        finished = true;
    });
    int taken = 0;
    const auto take = [&] {
        int left = -1;
        pointer.GetState(nullptr, nullptr, nullptr, &left, nullptr);
        if (left != -1) ++taken;
        return left != -1;
    };
    while (!finished) take();
    timer.join();
    while (take()) {}
    EXPECT_EQ(taken, kPresses);
    QZFreeDirectInput();
}

}  // namespace

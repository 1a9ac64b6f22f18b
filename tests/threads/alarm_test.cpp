// The alarm a timer's thread sleeps on: another thread moves it on without waking the sleeper.
#include "platform/core/alarm.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

using std::chrono::milliseconds;
using Steady = std::chrono::steady_clock;

TEST(Alarm, MovedLaterWhileItsThreadSleepsTheThreadSleepsOnToTheNewTime) {
    platform::Alarm alarm;
    const auto start = Steady::now();
    alarm.Set(start + milliseconds(300));
    Steady::time_point woke;
    std::thread sleeper([&] {
        alarm.Sleep();
        woke = Steady::now();
    });
    std::this_thread::sleep_for(milliseconds(50));
    alarm.Set(start + milliseconds(400));
    sleeper.join();
    EXPECT_GE(woke - start, milliseconds(400));
}

TEST(Alarm, APastTimeWakesAtOnceAndAnUnreadOneIsForgottenWhenMovedOn) {
    platform::Alarm alarm;
    alarm.Set(Steady::time_point{});
    alarm.Sleep();  // returns: the time has passed
    // Passed but never slept on, then moved on: the sleeper waits for the new time.
    alarm.Set(Steady::now() - milliseconds(1));
    const auto start = Steady::now();
    alarm.Set(start + milliseconds(50));
    alarm.Sleep();
    EXPECT_GE(Steady::now() - start, milliseconds(50));
}

}  // namespace

// The real clock's ticks, which pace the pictures: the periodic timer's events while it runs, so
// that each frame the timer wakes finds a tick no picture has used yet.
#include <gtest/gtest.h>

#include <mutex>
#include <vector>

#include "platform/core/real_clock.h"

namespace {

struct Seen {
    platform::Clock* clock;
    std::mutex mutex;
    std::vector<std::uint64_t> ticks;
};

void RecordTick(UINT, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
    auto* seen = reinterpret_cast<Seen*>(user);
    const std::uint64_t tick = seen->clock->CurrentTick();
    std::lock_guard lock(seen->mutex);
    seen->ticks.push_back(tick);
}

size_t Count(Seen& seen) {
    std::lock_guard lock(seen.mutex);
    return seen.ticks.size();
}

TEST(RealClockTest, EachPeriodicEventIsATickOfItsOwnAndWaitsFollowTheEvents) {
    auto clock = platform::MakeRealClock();
    Seen seen{clock.get(), {}, {}};
    const std::uint64_t before = clock->CurrentTick();
    const UINT id = clock->StartTimer(2, RecordTick, reinterpret_cast<DWORD_PTR>(&seen), true);
    ASSERT_NE(id, 0u);
    for (int i = 0; i < 10; ++i) {
        const std::uint64_t tick = clock->CurrentTick();
        clock->WaitForTickAfter(tick);
        EXPECT_GT(clock->CurrentTick(), tick);
    }
    ASSERT_TRUE(clock->StopTimer(id));
    std::lock_guard lock(seen.mutex);
    ASSERT_GE(seen.ticks.size(), 10u);
    EXPECT_GT(seen.ticks.front(), before);
    // Only the timer's events moved the tick on while it ran: two a slot, far ahead of the slots.
    EXPECT_EQ(clock->CurrentTick(), seen.ticks.back());
    for (size_t i = 1; i < seen.ticks.size(); ++i) EXPECT_EQ(seen.ticks[i], seen.ticks[i - 1] + 1) << i;
}

TEST(RealClockTest, WithoutATimerTicksAreTenMillisecondSlotsAndNeverGoBack) {
    auto clock = platform::MakeRealClock();
    const std::uint64_t first = clock->CurrentTick();
    clock->WaitForTickAfter(first + 1);
    EXPECT_GE(clock->NowMs(), (first + 2) * 10);
    const std::uint64_t slotted = clock->CurrentTick();
    EXPECT_GT(slotted, first + 1);

    Seen seen{clock.get(), {}, {}};
    const UINT id = clock->StartTimer(1, RecordTick, reinterpret_cast<DWORD_PTR>(&seen), true);
    clock->WaitForTickAfter(clock->CurrentTick());
    ASSERT_TRUE(clock->StopTimer(id));
    const std::uint64_t counted = clock->CurrentTick();
    EXPECT_GT(counted, slotted);
    // Back on slots: a wait needs no timer to end.
    clock->WaitForTickAfter(clock->CurrentTick());
    EXPECT_GT(clock->CurrentTick(), counted);
}

TEST(RealClockTest, OneShotTimersDoNotCountAsTicks) {
    auto clock = platform::MakeRealClock();
    Seen seen{clock.get(), {}, {}};
    const UINT id = clock->StartTimer(1, RecordTick, reinterpret_cast<DWORD_PTR>(&seen), false);
    ASSERT_NE(id, 0u);
    while (Count(seen) == 0) clock->SleepMs(1);
    clock->StopTimer(id);
    // Slots still count while only a one-shot timer exists.
    const std::uint64_t tick = clock->CurrentTick();
    clock->WaitForTickAfter(tick);
    EXPECT_GT(clock->CurrentTick(), tick);
}

}  // namespace

// Processor and start times of the calling thread and process, and the precise time of day,
// which stay real under the headless backend's virtual time.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <thread>

#include "platform/headless/headless.h"
#include "platform/api/win32.h"

namespace {

std::uint64_t Steps(const FILETIME& t) { return FileTimeSteps(t); }

struct Times {
    std::uint64_t creation = 0;
    std::uint64_t busy = 0;  // kernel and user
};

Times ThreadTimes() {
    FILETIME creation{}, exit{}, kernel{}, user{};
    EXPECT_TRUE(GetThreadTimes(GetCurrentThread(), &creation, &exit, &kernel, &user));
    EXPECT_EQ(Steps(exit), 0u);
    return Times{Steps(creation), Steps(kernel) + Steps(user)};
}

Times ProcessTimes() {
    FILETIME creation{}, exit{}, kernel{}, user{};
    EXPECT_TRUE(GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user));
    return Times{Steps(creation), Steps(kernel) + Steps(user)};
}

std::uint64_t PreciseNow() {
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    return Steps(now);
}

// Work the compiler cannot drop.
std::uint64_t Churn(int rounds) {
    volatile std::uint64_t value = 1;
    for (int i = 0; i < rounds; ++i) value = value * 6364136223846793005ull + 1442695040888963407ull;
    return value;
}

TEST(ProcessTimes, WorkAddsToTheThreadAndTheProcessHoldsAllItsThreads) {
    const Times before = ThreadTimes();
    Churn(20'000'000);
    const Times after = ThreadTimes();
    EXPECT_GT(after.busy, before.busy);
    EXPECT_EQ(after.creation, before.creation);

    // A second thread's work counts for the process but not for this thread.
    std::uint64_t otherBusy = 0;
    std::thread([&] {
        Churn(20'000'000);
        otherBusy = ThreadTimes().busy;
    }).join();
    const Times mine = ThreadTimes();
    const Times process = ProcessTimes();
    EXPECT_GE(process.busy, mine.busy + otherBusy);
    EXPECT_LT(mine.busy, after.busy + otherBusy);
}

TEST(ProcessTimes, StartsAreTimesOfDayInOrder) {
    platform::headless::Reset();
    platform::headless::SetTimeOfDay(0);
    const std::uint64_t now = PreciseNow();
    const auto since1601 = std::chrono::duration_cast<std::chrono::microseconds>(
                               std::chrono::system_clock::now().time_since_epoch())
                                   .count() *
                               10 +
                           116444736000000000ull;
    // Real time, not the virtual time of day the game reads.
    EXPECT_NEAR(static_cast<double>(now), static_cast<double>(since1601), 10'000'000.0);
    FILETIME virtualNow{};
    GetSystemTimeAsFileTime(&virtualNow);
    EXPECT_NE(Steps(virtualNow), now);

    const Times process = ProcessTimes();
    std::uint64_t threadStart = 0;
    std::thread([&] { threadStart = ThreadTimes().creation; }).join();
    // Starts are kept in 10 ms steps, rounded down, and turned into times of day through two clocks
    // read one after the other (hence the 1 ms of slack). Each test runs in a process of its own,
    // started moments ago.
    constexpr std::uint64_t kStep = 100'000;
    constexpr std::uint64_t kSlack = 10'000;
    EXPECT_LE(process.creation, threadStart + kSlack);
    EXPECT_LE(threadStart, PreciseNow() + kStep);
    EXPECT_LT(now - process.creation, 600ull * 10'000'000ull);
}

TEST(ProcessTimes, OnlyTheCallersOwnTimesCanBeAsked) {
    FILETIME creation{}, exit{}, kernel{}, user{};
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    EXPECT_FALSE(GetThreadTimes(event, &creation, &exit, &kernel, &user));
    EXPECT_FALSE(GetProcessTimes(event, &creation, &exit, &kernel, &user));
    EXPECT_FALSE(GetThreadTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user));
    EXPECT_FALSE(GetProcessTimes(GetCurrentThread(), &creation, &exit, &kernel, &user));
    CloseHandle(event);
}

}  // namespace

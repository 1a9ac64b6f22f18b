// GetProcessMemoryInfo: the resident memory the soak watches has to follow what the process touches.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "platform/api/psapi.h"

namespace {

PROCESS_MEMORY_COUNTERS Counters() {
    PROCESS_MEMORY_COUNTERS counters{};
    EXPECT_TRUE(GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters));
    return counters;
}

TEST(ProcessMemory, ResidentMemoryFollowsWhatIsTouchedInBytes) {
    const PROCESS_MEMORY_COUNTERS before = Counters();
    EXPECT_EQ(before.cb, sizeof before);
    EXPECT_GT(before.WorkingSetSize, 0u);
    EXPECT_GE(before.PeakWorkingSetSize, before.WorkingSetSize);

    constexpr std::size_t kBlock = std::size_t{64} << 20;
    const std::unique_ptr<char[]> block(new char[kBlock]);
    std::memset(block.get(), 1, kBlock);
    const PROCESS_MEMORY_COUNTERS after = Counters();
    EXPECT_GE(after.WorkingSetSize, before.WorkingSetSize + kBlock * 9 / 10);
    EXPECT_LT(after.WorkingSetSize, before.WorkingSetSize + kBlock * 2);
    EXPECT_GE(after.PeakWorkingSetSize, after.WorkingSetSize);
    EXPECT_NE(block[kBlock - 1], 0);
}

TEST(ProcessMemory, OnlyTheCallingProcessAndAWholeRecordAreAnswered) {
    PROCESS_MEMORY_COUNTERS counters{};
    EXPECT_FALSE(GetProcessMemoryInfo(nullptr, &counters, sizeof counters));
    EXPECT_FALSE(GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters - 1));
    EXPECT_FALSE(GetProcessMemoryInfo(GetCurrentProcess(), nullptr, sizeof counters));
}

}  // namespace

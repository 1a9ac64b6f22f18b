// A surface's versions come from whichever thread changes it: each thread numbers from a block of
// its own, and a surface handed to a thread whose block lies below its version must still rise.
#include <gtest/gtest.h>

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "platform/ddraw/copy_receipts.h"

namespace {

TEST(SurfaceVersions, RiseOnASurfaceHandedBetweenThreadsAndAreNeverGivenTwice) {
    constexpr int kTurns = 200;
    std::mutex lock;
    std::condition_variable turned;
    int turn = 0;
    std::uint64_t surface = 0;  // the version of one surface, changed by each thread in its turn
    std::vector<std::uint64_t> given, falls;
    auto changer = [&](int side) {
        for (int t = side; t < kTurns; t += 2) {
            std::unique_lock<std::mutex> hold(lock);
            turned.wait(hold, [&] { return turn == t; });
            for (int change = 0; change < 3; ++change) {
                const std::uint64_t next = platform::NextSurfaceVersion(surface);
                if (next <= surface) falls.push_back(next);
                surface = next;
                given.push_back(next);
            }
            // Another surface, changed on this thread alone.
            given.push_back(platform::NextSurfaceVersion());
            ++turn;
            turned.notify_all();
        }
    };
    std::thread first(changer, 0), second(changer, 1);
    first.join();
    second.join();
    EXPECT_TRUE(falls.empty()) << falls.size() << " versions fell, the first to " << falls.front();
    EXPECT_EQ(std::set<std::uint64_t>(given.begin(), given.end()).size(), given.size());
}

}  // namespace

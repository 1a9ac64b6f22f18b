// The sample pool shared by the main thread and the music's fill thread: both take and give back
// slots at once, and no slot is handed out twice or hidden above the high-water mark.
#include <atomic>
#include <thread>
#include <vector>

#include "sound_fixture.h"

namespace {

class SamplePool : public soundtest::WithSound {
protected:
    int Slots() const override { return 8; }
};

TEST_F(SamplePool, TwoThreadsTakingAndGivingBackSlotsNeverShareOneOrHideOne) {
    const int slots = QZSound::SampleCount();
    std::vector<std::atomic<int>> holders(static_cast<std::size_t>(slots));
    std::atomic<int> shared{0};
    std::atomic<int> hidden{0};
    std::atomic<bool> go{false};
    constexpr int kRounds = 1000000;
    // Each thread holds up to three slots at a time and gives them back out of order, so that the
    // mark is both raised and lowered while the other thread scans.
    const auto work = [&] {
        while (!go) {}
        for (int round = 0; round < kRounds; ++round) {
            SNDSample* held[3] = {};
            for (SNDSample*& s : held) {
                s = QZSound::AllocSample();
                if (s == nullptr) continue;
                if (holders[static_cast<std::size_t>(s - QZSound::Slots())].fetch_add(1) != 0) ++shared;
            }
            for (int i : {1, 0, 2}) {
                SNDSample* s = held[(i + round) % 3];
                if (s == nullptr) continue;
                if (QZSound::HighWaterMark() <= s) ++hidden;
                holders[static_cast<std::size_t>(s - QZSound::Slots())].fetch_sub(1);
                QZSound::ClearSample(s);
            }
        }
    };
    std::thread fill(work);
    go = true;
    work();
    fill.join();
    EXPECT_EQ(shared, 0) << "a slot was handed to both threads";
    EXPECT_EQ(hidden, 0) << "a slot in use stood above the high-water mark";
    EXPECT_EQ(SlotsInUse(), 0);
}

}  // namespace

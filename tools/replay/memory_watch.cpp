#include "tools/replay/memory_watch.h"

#include <algorithm>

#include "platform/api/psapi.h"

namespace replay {
namespace {

constexpr std::uint64_t kSampleEvery = 1000;

}  // namespace

void MemoryWatch::AfterTick(std::uint64_t tick, bool ended) {
    if (ended) {
        if (!endSampled_) Sample(tick);
        endSampled_ = true;
        return;
    }
    if (tick % kSampleEvery == 0) Sample(tick);
}

void MemoryWatch::Sample(std::uint64_t tick) {
    PROCESS_MEMORY_COUNTERS counters{};
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return;
    const std::uint64_t kib = counters.WorkingSetSize / 1024;
    peak_ = std::max<std::uint64_t>(peak_, counters.PeakWorkingSetSize / 1024);
    if (tick == kSettledFrame) settled_ = kib;
    if (tick > kSettledFrame) mostAfter_ = std::max(mostAfter_.value_or(0), kib);
    // Every sample is the latest until the end itself is sampled.
    atEnd_ = kib;
    endFrame_ = tick;
}

void MemoryWatch::Print(std::FILE* out) const {
    if (settled_)
        std::fprintf(out, "stats resident_kib_at_frame_%llu %llu\n", static_cast<unsigned long long>(kSettledFrame),
                     static_cast<unsigned long long>(*settled_));
    if (mostAfter_)
        std::fprintf(out, "stats resident_kib_most_after_frame_%llu %llu\n",
                     static_cast<unsigned long long>(kSettledFrame), static_cast<unsigned long long>(*mostAfter_));
    if (atEnd_) {
        std::fprintf(out, "stats resident_kib_at_end %llu\n", static_cast<unsigned long long>(*atEnd_));
        std::fprintf(out, "stats end_frame %llu\n", static_cast<unsigned long long>(endFrame_));
    }
    std::fprintf(out, "stats resident_kib_peak %llu\n", static_cast<unsigned long long>(peak_));
}

}  // namespace replay

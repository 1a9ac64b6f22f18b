// Resident memory over a run, for --stats: sampled every thousand frames and when the script ends,
// so that a soak can tell growth after the program has settled from its start-up.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>

namespace replay {

class MemoryWatch {
public:
    // The frame after which the program counts as settled.
    static constexpr std::uint64_t kSettledFrame = 10000;

    // After each tick; `ended` once the script has run out or closed the window.
    void AfterTick(std::uint64_t tick, bool ended);
    // "stats <name> <value>" lines, in KiB.
    void Print(std::FILE* out) const;

private:
    void Sample(std::uint64_t tick);

    std::optional<std::uint64_t> settled_;    // at kSettledFrame
    std::optional<std::uint64_t> mostAfter_;  // the most seen after it
    std::optional<std::uint64_t> atEnd_;
    std::uint64_t endFrame_ = 0;
    bool endSampled_ = false;
    std::uint64_t peak_ = 0;
};

}  // namespace replay

#include "tools/replay/frame_stats.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/win32.h"

namespace replay {
namespace {

std::uint64_t Steps(const FILETIME& t) { return (std::uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime; }

// Processor time of the calling thread, in 100 ns steps.
std::uint64_t ThreadTime() {
    FILETIME creation{}, exit{}, kernel{}, user{};
    if (!GetThreadTimes(GetCurrentThread(), &creation, &exit, &kernel, &user)) return 0;
    return Steps(kernel) + Steps(user);
}

// A single copy takes a few tens of microseconds, close to the clock's own cost, so copies are
// timed in batches.
constexpr int kCopiesPerBatch = 10;
constexpr int kBatches = 31;

}  // namespace

void FrameStats::BeforeTick(std::uint64_t tick) {
    const std::uint64_t now = ThreadTime();
    if (timing_ && presented_) frames_.push_back(static_cast<double>(now - started_) / 10.0);
    timing_ = false;
    inner_->BeforeTick(tick);
}

void FrameStats::AfterTick(std::uint64_t tick) {
    inner_->AfterTick(tick);
    presented_ = false;
    timing_ = true;
    started_ = ThreadTime();
}

void FrameStats::AfterPresent() {
    presented_ = true;
    if (startupMs_ < 0.0) {
        FILETIME now{}, creation{}, exit{}, kernel{}, user{};
        GetSystemTimePreciseAsFileTime(&now);
        if (GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user))
            startupMs_ = static_cast<double>(Steps(now) - Steps(creation)) / 10000.0;
    }
    inner_->AfterPresent();
}

void FrameStats::Print(std::FILE* out) const {
    std::fprintf(out, "stats frames %zu\n", frames_.size());
    std::fprintf(out, "stats frame_median_us %.1f\n", Percentile(frames_, 0.5));
    std::fprintf(out, "stats frame_p99_us %.1f\n", Percentile(frames_, 0.99));
    if (platform::headless::HasPicture()) {
        const platform::Picture picture = platform::headless::LastPicture();
        const auto count = static_cast<std::size_t>(picture.pitch) * static_cast<std::size_t>(picture.height);
        std::fprintf(out, "stats copy_us %.1f\n", CopyMicroseconds(picture.pixels, count));
    }
    if (startupMs_ >= 0.0) std::fprintf(out, "stats startup_ms %.1f\n", startupMs_);
}

double Percentile(std::vector<double> values, double p) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<std::size_t>(std::ceil(p * static_cast<double>(values.size())));
    return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

double CopyMicroseconds(const std::uint16_t* pixels, std::size_t count) {
    std::vector<std::uint16_t> copy(count);
    std::vector<double> batches;
    for (int b = 0; b < kBatches; ++b) {
        const std::uint64_t start = ThreadTime();
        for (int i = 0; i < kCopiesPerBatch; ++i) {
            std::memcpy(copy.data(), pixels, count * sizeof(std::uint16_t));
            // Tells the compiler the copy is used, so that it keeps every one of them.
            asm volatile("" : : "r"(copy.data()) : "memory");
        }
        batches.push_back(static_cast<double>(ThreadTime() - start) / 10.0 / kCopiesPerBatch);
    }
    return Percentile(batches, 0.5);
}

}  // namespace replay

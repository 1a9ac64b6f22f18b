#include "tools/replay/frame_stats.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>

#include "platform/api/win32.h"

namespace replay {
namespace {

// Processor time of the calling thread, in 100 ns steps.
std::uint64_t ThreadTime() {
    FILETIME creation{}, exit{}, kernel{}, user{};
    if (!GetThreadTimes(GetCurrentThread(), &creation, &exit, &kernel, &user)) return 0;
    return FileTimeSteps(kernel) + FileTimeSteps(user);
}

// Microseconds on the monotonic clock: the measure a browser has, which keeps no processor times.
double WallMicroseconds() {
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

std::size_t PixelCount(const platform::Picture& picture) {
    return static_cast<std::size_t>(picture.pitch) * static_cast<std::size_t>(picture.height);
}

}  // namespace

void FrameStats::BeforeTick(std::uint64_t tick) {
    const std::uint64_t now = ThreadTime();
    if (timing_ && presented_) {
        const double microseconds = static_cast<double>(now - started_) / 10.0;
        const double wall = WallMicroseconds() - wallStarted_;
        frames_.Add(microseconds);
        wallFrames_.Add(wall);
        eachFrame_.push_back({tick, microseconds, wall});
        if (platform::headless::HasPicture()) {
            const platform::Picture picture = platform::headless::LastPicture();
            copies_.Add(CopyMicroseconds(picture.pixels, PixelCount(picture), &copy_));
        }
    }
    timing_ = false;
    inner_->BeforeTick(tick);
}

void FrameStats::AfterTick(std::uint64_t tick) {
    inner_->AfterTick(tick);
    presented_ = false;
    timing_ = true;
    wallStarted_ = WallMicroseconds();
    started_ = ThreadTime();
}

void FrameStats::AfterPresent() {
    presented_ = true;
    if (startupMs_ < 0.0) {
        FILETIME now{}, creation{}, exit{}, kernel{}, user{};
        GetSystemTimePreciseAsFileTime(&now);
        if (GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user))
            startupMs_ = static_cast<double>(FileTimeSteps(now) - FileTimeSteps(creation)) / 10000.0;
        firstPictureUnixMs_ = static_cast<double>(FileTimeSteps(now) - kFileTimeStepsBefore1970) / 10000.0;
    }
    inner_->AfterPresent();
}

void FrameStats::Print(std::FILE* out) const {
    std::fprintf(out, "stats frames %zu\n", frames_.Count());
    std::fprintf(out, "stats frame_median_us %.1f\n", frames_.Percentile(0.5));
    std::fprintf(out, "stats frame_p99_us %.1f\n", frames_.Percentile(0.99));
    std::fprintf(out, "stats frame_wall_median_us %.1f\n", wallFrames_.Percentile(0.5));
    std::fprintf(out, "stats frame_wall_p99_us %.1f\n", wallFrames_.Percentile(0.99));
    if (copies_.Count() > 0) std::fprintf(out, "stats copy_us %.1f\n", copies_.Percentile(0.5));
    if (startupMs_ >= 0.0) std::fprintf(out, "stats startup_ms %.1f\n", startupMs_);
    if (firstPictureUnixMs_ >= 0.0) std::fprintf(out, "stats first_picture_unix_ms %.3f\n", firstPictureUnixMs_);
}

bool FrameStats::WriteFrameTimes(const std::string& path) const {
    std::FILE* out = std::fopen(path.c_str(), "w");
    if (out == nullptr) return false;
    for (const FrameTime& frame : eachFrame_)
        std::fprintf(out, "%llu %.1f %.1f\n", static_cast<unsigned long long>(frame.tick), frame.microseconds,
                     frame.wallMicroseconds);
    return std::fclose(out) == 0;
}

double CopyMicroseconds(const std::uint16_t* pixels, std::size_t count, std::vector<std::uint16_t>* copy) {
    copy->resize(count);
    const std::uint64_t start = ThreadTime();
    std::memcpy(copy->data(), pixels, count * sizeof(std::uint16_t));
    // Tells the compiler the copy is used, so that it keeps it.
    asm volatile("" : : "r"(copy->data()) : "memory");
    return static_cast<double>(ThreadTime() - start) / 10.0;
}

}  // namespace replay

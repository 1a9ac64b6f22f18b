// The runner's --stats: the processor time of each frame's own work, the time from the start of
// the process to its first picture, and, as the floor to compare them with, the time of one plain
// copy of the whole presented picture, all measured in this process. The copy is timed once after
// each frame, so that it meets the machine (its caches, the other programs running) in the state
// the frames meet it in.
//
// Under virtual time the driving thread also runs every tick (timer callbacks, sound mixing, the
// settling of worker threads), so a frame's own work is what the thread does between the end of
// one tick and the start of the next: presenting, pumping messages and the next frame's game work
// and drawing. Intervals without a picture (an inactive program) are not frames.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "platform/headless/headless.h"
#include "tools/replay/time_distribution.h"

namespace replay {

// Passes every call on to the driver it wraps, timing the stretches between ticks.
class FrameStats : public platform::headless::Driver {
public:
    explicit FrameStats(platform::headless::Driver* inner) : inner_(inner) {}

    void BeforeTick(std::uint64_t tick) override;
    void AfterTick(std::uint64_t tick) override;
    void AfterPresent() override;
    void OnMessageBox(const char* text, const char* caption) override { inner_->OnMessageBox(text, caption); }
    void OnShellExecute(const char* verb, const char* file, const char* params, const char* directory) override {
        inner_->OnShellExecute(verb, file, params, directory);
    }
    void OnDebugString(const char* text) override { inner_->OnDebugString(text); }

    // Frame times in microseconds of processor time, and the copy's after each.
    const TimeDistribution& FrameTimes() const { return frames_; }
    // The same frames in microseconds of the monotonic clock, waits and preemption included: the
    // one measure a browser offers, so the figure its build is compared by.
    const TimeDistribution& WallFrameTimes() const { return wallFrames_; }
    const TimeDistribution& CopyTimes() const { return copies_; }
    // Milliseconds from the process's start to the first picture; negative before it.
    double StartupMs() const { return startupMs_; }

    // Measures the floor and prints `stats NAME VALUE` lines: frames, frame_median_us,
    // frame_p99_us, frame_wall_median_us, frame_wall_p99_us, copy_us, startup_ms and first_picture_unix_ms. The
    // system keeps a process's start to 10 ms only, so startup_ms may be up to 10 ms long; whoever
    // starts the runner can take the first picture's time of day against the moment it started it.
    void Print(std::FILE* out) const;
    // Writes `TICK MICROSECONDS WALL_MICROSECONDS` for each frame, in order (its processor time and
    // its time on the monotonic clock); false when the file cannot be written.
    bool WriteFrameTimes(const std::string& path) const;

private:
    platform::headless::Driver* inner_;
    bool timing_ = false;
    bool presented_ = false;
    std::uint64_t started_ = 0;
    double wallStarted_ = 0.0;
    TimeDistribution frames_;
    // Each frame's tick and processor time, in order.
    struct FrameTime {
        std::uint64_t tick;
        double microseconds;
        double wallMicroseconds;
    };
    std::vector<FrameTime> eachFrame_;
    TimeDistribution wallFrames_;
    TimeDistribution copies_;
    std::vector<std::uint16_t> copy_;
    double startupMs_ = -1.0;
    // The first picture's time of day, in milliseconds since 1970.
    double firstPictureUnixMs_ = -1.0;
};

// Microseconds of processor time of one plain copy of the picture (pixels, 16 bits each) into
// `copy`, which is resized to hold it.
double CopyMicroseconds(const std::uint16_t* pixels, std::size_t count, std::vector<std::uint16_t>* copy);

}  // namespace replay

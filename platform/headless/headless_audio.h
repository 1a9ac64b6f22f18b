// The headless audio device: under virtual time each tick renders 10 ms of output (220 or 221
// frames at 22050 per second, so that whole seconds come out exact) on the driving thread, and
// everything rendered can be kept for the runner's --audio file or a test.
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/core/backend.h"
#include "platform/headless/headless.h"

namespace platform::headless {

class HeadlessAudio {
public:
    bool Open(AudioSource* source, AudioDeviceInfo* info);
    bool Start();
    void Stop();
    void Close();

    // Called by the virtual clock once a tick, before the worker threads settle, so that they have
    // handled the notifications this output signalled before the next tick.
    void RenderTick();

    void Reset();
    void Configure(const AudioDevice& device) { device_ = device; }
    bool Heard() const { return device_.heard; }
    void Capture(bool on);
    const std::vector<std::int16_t>& Captured() const { return captured_; }

private:
    std::mutex mutex_;  // the source and its state, against a close from another thread
    AudioDevice device_;
    AudioSource* source_ = nullptr;
    bool started_ = false;
    std::uint64_t ticksRendered_ = 0;
    bool capturing_ = false;
    std::vector<std::int16_t> chunk_;
    std::vector<std::int16_t> captured_;
};

}  // namespace platform::headless

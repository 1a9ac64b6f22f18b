#include "platform/headless/headless_audio.h"

namespace platform::headless {

namespace {

// Frames rendered by the end of tick `ticks`: 10 ms each, rounded down.
std::uint64_t FramesBy(std::uint64_t ticks) { return ticks * kAudioRate / 100; }

}  // namespace

bool HeadlessAudio::Open(AudioSource* source, AudioDeviceInfo* info) {
    std::lock_guard lock(mutex_);
    if (!device_.present || source_ != nullptr) return false;
    source_ = source;
    started_ = false;
    *info = AudioDeviceInfo{kAudioRate, device_.stereo, device_.sixteenBit};
    return true;
}

bool HeadlessAudio::Start() {
    std::lock_guard lock(mutex_);
    if (source_ == nullptr || device_.startFails) return false;
    started_ = true;
    return true;
}

void HeadlessAudio::Stop() {
    std::lock_guard lock(mutex_);
    started_ = false;
}

void HeadlessAudio::Close() {
    std::lock_guard lock(mutex_);
    source_ = nullptr;
    started_ = false;
}

void HeadlessAudio::RenderTick() {
    std::lock_guard lock(mutex_);
    if (source_ == nullptr || !started_) return;
    const std::uint64_t frames = FramesBy(ticksRendered_ + 1) - FramesBy(ticksRendered_);
    ++ticksRendered_;
    chunk_.resize(2 * frames);
    source_->Render(chunk_.data(), frames);
    if (capturing_) captured_.insert(captured_.end(), chunk_.begin(), chunk_.end());
}

void HeadlessAudio::Reset() {
    std::lock_guard lock(mutex_);
    device_ = AudioDevice{};
    source_ = nullptr;
    started_ = false;
    ticksRendered_ = 0;
    capturing_ = false;
    captured_.clear();
}

void HeadlessAudio::Capture(bool on) {
    std::lock_guard lock(mutex_);
    capturing_ = on;
}

}  // namespace platform::headless

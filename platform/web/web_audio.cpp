#include "platform/web/web_audio.h"

#include <chrono>

namespace platform::web {

bool WebAudio::Open(AudioSource* source, AudioDeviceInfo* info) {
    if (filler_.joinable()) return false;
    source_ = source;
    quit_.store(false);
    filler_ = std::thread([this] { Fill(); });
    *info = AudioDeviceInfo{kRate, true, true};
    return true;
}

bool WebAudio::Start() {
    if (!filler_.joinable()) return false;
    std::lock_guard lock(renderMutex_);
    playing_ = true;
    return true;
}

void WebAudio::Stop() {
    std::lock_guard lock(renderMutex_);
    playing_ = false;
}

void WebAudio::Close() {
    if (!filler_.joinable()) return;
    quit_.store(true);
    filler_.join();
    playing_ = false;
    source_ = nullptr;
}

void WebAudio::Fill() {
    std::int16_t chunk[kChunkFrames * 2];
    while (!quit_.load()) {
        bool rendered = false;
        if (ring_.Size() + kChunkFrames * 2 <= kAheadSamples) {
            std::lock_guard lock(renderMutex_);
            if (playing_) {
                source_->Render(chunk, kChunkFrames);
                rendered = true;
            }
        }
        if (rendered) ring_.Push(chunk, kChunkFrames * 2);
        else std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

std::size_t WebAudio::Pull(std::int16_t* out, std::size_t frames) { return ring_.Pop(out, frames * 2) / 2; }

}  // namespace platform::web

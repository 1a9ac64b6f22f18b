#include "platform/dsound/audio_mixer.h"

#include <algorithm>

#include "platform/api/kernel.h"

namespace platform {

void Mixer::Add(Voice* voice) {
    std::lock_guard lock(mutex_);
    voices_.push_back(voice);
}

void Mixer::Remove(Voice* voice) {
    std::lock_guard lock(mutex_);
    voices_.erase(std::remove(voices_.begin(), voices_.end(), voice), voices_.end());
}

void Mixer::Render(std::int16_t* samples, std::size_t frames) {
    while (frames > 0) {
        const std::size_t chunk = std::min(frames, kChunkFrames);
        std::size_t signals = 0;
        {
            std::lock_guard lock(mutex_);
            MixChunk(samples, chunk);
            signals = GatherSignals();
        }
        for (std::size_t i = 0; i < signals; ++i) SetEvent(signals_[i]);
        samples += 2 * chunk;
        frames -= chunk;
    }
}

void Mixer::MixChunk(std::int16_t* samples, std::size_t frames) {
    // A still game plays nothing for most of its life: its silence needs no sums and no clamping.
    if (std::none_of(voices_.begin(), voices_.end(), [](const Voice* voice) { return voice->playing; })) {
        std::fill_n(samples, 2 * frames, std::int16_t{0});
        return;
    }
    std::fill_n(accumulator_.begin(), 2 * frames, 0);
    for (Voice* voice : voices_)
        if (voice->playing) MixVoice(*voice, accumulator_.data(), frames);
    for (std::size_t i = 0; i < 2 * frames; ++i)
        samples[i] = static_cast<std::int16_t>(std::clamp<std::int32_t>(accumulator_[i], -32768, 32767));
}

// Takes the pending notifications, each voice's offsets before its stop, one signal per event.
// What does not fit stays pending for the next chunk.
std::size_t Mixer::GatherSignals() {
    std::size_t count = 0;
    for (Voice* voice : voices_) {
        for (Notification& n : voice->notifications) {
            if (!n.pending) continue;
            const auto taken = signals_.begin() + static_cast<std::ptrdiff_t>(count);
            if (std::find(signals_.begin(), taken, n.event) == taken) {
                if (count == kMaxSignals) return count;
                signals_[count++] = n.event;
            }
            n.pending = false;
        }
    }
    return count;
}

}  // namespace platform

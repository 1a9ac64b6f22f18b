// The software mixer behind the sound device: every playing voice is mixed into 16-bit stereo at
// the device's rate, with saturation. Rendering takes the mixer's lock only while it mixes one
// short chunk, allocates nothing, and signals the notification events after letting the lock go.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/core/backend.h"
#include "platform/dsound/sound_voice.h"

namespace platform {

class Mixer : public AudioSource {
public:
    static constexpr std::size_t kChunkFrames = 256;
    static constexpr std::size_t kMaxSignals = 128;

    // Guards every voice and the list of voices.
    std::mutex& Lock() { return mutex_; }

    int Rate() const { return rate_; }
    void SetRate(int rate) { rate_ = rate; }

    // Each takes the lock.
    void Add(Voice* voice);
    void Remove(Voice* voice);

    void Render(std::int16_t* samples, std::size_t frames) override;

private:
    // Both need the lock held.
    void MixChunk(std::int16_t* samples, std::size_t frames);
    std::size_t GatherSignals();

    std::mutex mutex_;
    int rate_ = 22050;
    std::vector<Voice*> voices_;
    std::array<std::int32_t, 2 * kChunkFrames> accumulator_{};
    // Written under the lock, signalled after it by the rendering thread.
    std::array<HANDLE, kMaxSignals> signals_{};
};

}  // namespace platform

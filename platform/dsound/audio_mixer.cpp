#include "platform/dsound/audio_mixer.h"

#include <algorithm>

#include "platform/api/kernel.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform {
namespace {

// Every sum clamped to 16 bits. The pack instruction clamps eight at a time, which the compiler
// does not find on its own: its vector code for the clamp took five instructions a sample, and
// music is mixed 43 times a second, even in a still game.
void Saturate(const std::int32_t* sums, std::int16_t* samples, std::size_t count) {
    std::size_t i = 0;
#if defined(__SSE2__)
    for (; i + 8 <= count; i += 8) {
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(sums + i));
        const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(sums + i + 4));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(samples + i), _mm_packs_epi32(low, high));
    }
#endif
    for (; i < count; ++i) samples[i] = static_cast<std::int16_t>(std::clamp<std::int32_t>(sums[i], -32768, 32767));
}

}  // namespace

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
    // With music off a game is silent between its sounds: silence needs no sums and no clamping.
    if (std::none_of(voices_.begin(), voices_.end(), [](const Voice* voice) { return voice->playing; })) {
        std::fill_n(samples, 2 * frames, std::int16_t{0});
        return;
    }
    std::fill_n(accumulator_.begin(), 2 * frames, 0);
    for (Voice* voice : voices_)
        if (voice->playing) MixVoice(*voice, accumulator_.data(), frames);
    Saturate(accumulator_.data(), samples, 2 * frames);
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

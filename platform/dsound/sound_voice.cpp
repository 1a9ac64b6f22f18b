#include "platform/dsound/sound_voice.h"

#include <algorithm>

#include "platform/dsound/mix_kernels.h"

namespace platform {
namespace {

// Marks the offsets in [from, to), both in 32.32 frames.
void MarkPassed(Voice& voice, std::uint64_t from, std::uint64_t to) {
    for (Notification& n : voice.notifications) {
        if (n.frame == kStopFrame) continue;
        const std::uint64_t at = std::uint64_t{n.frame} << 32;
        if (at >= from && at < to) n.pending = true;
    }
}

}  // namespace

void MarkStopped(Voice& voice) {
    for (Notification& n : voice.notifications)
        if (n.frame == kStopFrame) n.pending = true;
}

void MixVoice(Voice& voice, std::int32_t* accumulator, std::size_t frames) {
    const SoundData& data = *voice.data;
    const MixSource source{data.bytes.data(), data.Frames(), data.channels, data.bits, voice.looping};
    const std::uint64_t end = std::uint64_t{source.frames} << 32;
    std::size_t done = 0;
    while (done < frames && voice.playing) {
        const std::uint64_t from = voice.position;
        // Output frames until the position reaches the end: the last of them still reads inside.
        const std::uint64_t untilEnd = (end - from + voice.step - 1) / voice.step;
        const std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(frames - done, untilEnd));
        MixFrames(source, from, voice.step, voice.gainLeft, voice.gainRight, accumulator + 2 * done, count);
        done += count;
        std::uint64_t to = from + count * voice.step;
        if (to < end) {
            MarkPassed(voice, from, to);
            voice.position = to;
            continue;
        }
        MarkPassed(voice, from, end);
        if (!voice.looping) {
            voice.playing = false;
            voice.position = 0;
            MarkStopped(voice);
            break;
        }
        // Wrapped: the position has passed the start again (more than once for a buffer shorter
        // than one step).
        for (to -= end; to >= end; to -= end) MarkPassed(voice, 0, end);
        MarkPassed(voice, 0, to);
        voice.position = to;
    }
}

}  // namespace platform

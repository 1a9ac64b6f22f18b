// What the mixer knows of one sound buffer: its data, where it plays, how loud, how fast, and the
// events to signal as it passes its notification offsets.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/api/types.h"

namespace platform {

// The sample bytes of a buffer, shared with its duplicates. Only 8- and 16-bit mono or stereo PCM.
struct SoundData {
    int channels = 1;
    int bits = 8;
    DWORD rate = 0;
    DWORD blockAlign = 1;
    std::vector<std::uint8_t> bytes;
    // Whole sample frames; a trailing partial frame is never played.
    std::uint32_t Frames() const { return static_cast<std::uint32_t>(bytes.size() / blockAlign); }
};

inline constexpr std::uint32_t kStopFrame = 0xFFFFFFFFu;

struct Notification {
    std::uint32_t frame;  // kStopFrame for the stop notifications
    HANDLE event;
    bool pending;  // passed, not yet signalled
};

// Q15 gain of a channel: 32768 leaves a sample as it is.
inline constexpr std::int32_t kUnityGain = 32768;

// Every field but `data` is guarded by the mixer's lock.
struct Voice {
    std::shared_ptr<SoundData> data;
    std::uint64_t position = 0;  // in frames, 32.32 fixed point
    std::uint64_t step = 0;      // frames per output frame, 32.32 fixed point
    bool playing = false;
    bool looping = false;
    std::int32_t gainLeft = kUnityGain;
    std::int32_t gainRight = kUnityGain;
    // Offsets in ascending order, then the stop notifications.
    std::vector<Notification> notifications;
};

// Mixes `frames` output frames of the voice into `accumulator` (interleaved left and right) and
// moves it on: past its end it wraps when looping, else it stops at position 0. Marks the
// notifications it passes as pending. Needs the mixer's lock held.
void MixVoice(Voice& voice, std::int32_t* accumulator, std::size_t frames);

// Marks the stop notifications pending. Needs the mixer's lock held.
void MarkStopped(Voice& voice);

}  // namespace platform

// The inner loops of the mixer: one per source format, each reading whole frames with linear
// interpolation between neighbours and adding them, scaled by the channel gains, to a 32-bit
// stereo accumulator.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

struct MixSource {
    const std::uint8_t* bytes;
    std::uint32_t frames;
    int channels;
    int bits;
    bool looping;  // the frame after the last is the first, not the last again
};

// Adds `count` frames starting at `position` (32.32 frames), advancing by `step` each. Every frame
// read must lie inside the source: position + (count - 1) x step < frames.
void MixFrames(const MixSource& source, std::uint64_t position, std::uint64_t step, std::int32_t gainLeft,
               std::int32_t gainRight, std::int32_t* accumulator, std::size_t count);

}  // namespace platform

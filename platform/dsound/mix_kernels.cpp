#include "platform/dsound/mix_kernels.h"

#include <cstring>

namespace platform {
namespace {

template <int Bits>
std::int32_t Sample(const std::uint8_t* bytes, std::uint32_t index) {
    if constexpr (Bits == 8) {
        return (static_cast<std::int32_t>(bytes[index]) - 128) * 256;
    } else {
        std::int16_t value;
        std::memcpy(&value, bytes + static_cast<std::size_t>(index) * 2, sizeof value);
        return value;
    }
}

template <int Bits, int Channels>
void Mix(const MixSource& s, std::uint64_t position, std::uint64_t step, std::int32_t gainLeft, std::int32_t gainRight,
         std::int32_t* out, std::size_t count) {
    const std::uint32_t last = s.frames - 1;
    for (std::size_t i = 0; i < count; ++i, position += step) {
        const std::uint32_t frame = static_cast<std::uint32_t>(position >> 32);
        const std::uint32_t next = frame < last ? frame + 1 : (s.looping ? 0 : frame);
        // 15 bits of the fraction keep the interpolation inside 32 bits.
        const std::int32_t fraction = static_cast<std::int32_t>((position >> 17) & 0x7FFF);
        const std::int32_t l0 = Sample<Bits>(s.bytes, frame * Channels);
        const std::int32_t l1 = Sample<Bits>(s.bytes, next * Channels);
        const std::int32_t left = l0 + (((l1 - l0) * fraction) >> 15);
        std::int32_t right = left;
        if constexpr (Channels == 2) {
            const std::int32_t r0 = Sample<Bits>(s.bytes, frame * 2 + 1);
            const std::int32_t r1 = Sample<Bits>(s.bytes, next * 2 + 1);
            right = r0 + (((r1 - r0) * fraction) >> 15);
        }
        out[2 * i] += (left * gainLeft) >> 15;
        out[2 * i + 1] += (right * gainRight) >> 15;
    }
}

}  // namespace

void MixFrames(const MixSource& source, std::uint64_t position, std::uint64_t step, std::int32_t gainLeft,
               std::int32_t gainRight, std::int32_t* accumulator, std::size_t count) {
    const bool stereo = source.channels == 2;
    if (source.bits == 8) {
        if (stereo) Mix<8, 2>(source, position, step, gainLeft, gainRight, accumulator, count);
        else Mix<8, 1>(source, position, step, gainLeft, gainRight, accumulator, count);
    } else {
        if (stereo) Mix<16, 2>(source, position, step, gainLeft, gainRight, accumulator, count);
        else Mix<16, 1>(source, position, step, gainLeft, gainRight, accumulator, count);
    }
}

}  // namespace platform

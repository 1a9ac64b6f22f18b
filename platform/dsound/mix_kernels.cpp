#include "platform/dsound/mix_kernels.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform {
namespace {

constexpr std::uint64_t kWholeStep = std::uint64_t{1} << 32;
// A source at half the device's rate, as the music is: each source frame gives two output frames,
// whose fractions differ only in their top bit.
constexpr std::uint64_t kHalfStep = kWholeStep / 2;
constexpr std::int32_t kHalfFraction = 0x4000;
constexpr std::int32_t kUnity = 32768;

template <int Bits>
std::int32_t Sample(const std::uint8_t* bytes, std::size_t index) {
    if constexpr (Bits == 8) {
        return (static_cast<std::int32_t>(bytes[index]) - 128) * 256;
    } else {
        std::int16_t value;
        std::memcpy(&value, bytes + index * 2, sizeof value);
        return value;
    }
}

// 15 bits of the fraction keep the interpolation inside 32 bits.
std::int32_t Fraction(std::uint64_t position) { return static_cast<std::int32_t>((position >> 17) & 0x7FFF); }

std::int32_t Between(std::int32_t from, std::int32_t to, std::int32_t fraction) {
    return from + (((to - from) * fraction) >> 15);
}

struct Gains {
    std::int32_t left;
    std::int32_t right;
};

// At unity gain the product and its shift give the sample back, so the loops that music runs
// through every tick are made without them.
template <bool Unity>
void Add(std::int32_t* out, std::int32_t left, std::int32_t right, Gains gains) {
    if constexpr (Unity) {
        out[0] += left;
        out[1] += right;
    } else {
        out[0] += (left * gains.left) >> 15;
        out[1] += (right * gains.right) >> 15;
    }
}

// One output frame between source frames `frame` and `next`.
template <int Bits, int Channels>
void MixOne(const std::uint8_t* bytes, std::uint32_t frame, std::uint32_t next, std::int32_t fraction, Gains gains,
            std::int32_t* out) {
    const std::size_t at = std::size_t{frame} * Channels;
    const std::size_t to = std::size_t{next} * Channels;
    const std::int32_t left = Between(Sample<Bits>(bytes, at), Sample<Bits>(bytes, to), fraction);
    std::int32_t right = left;
    if constexpr (Channels == 2) right = Between(Sample<Bits>(bytes, at + 1), Sample<Bits>(bytes, to + 1), fraction);
    Add<false>(out, left, right, gains);
}

// The source's own rate on a whole frame: no interpolation (a zero fraction reads its frame as it
// is, whatever follows it), so every frame may be mixed this way, the last included.
template <int Bits, int Channels, bool Unity>
void MixWhole(const std::uint8_t* bytes, std::uint32_t first, Gains gains, std::int32_t* out, std::size_t count) {
    const std::size_t start = std::size_t{first} * Channels;
    for (std::size_t i = 0; i < count; ++i) {
        const std::int32_t left = Sample<Bits>(bytes, start + i * Channels);
        const std::int32_t right = Channels == 2 ? Sample<Bits>(bytes, start + i * 2 + 1) : left;
        Add<Unity>(out + 2 * i, left, right, gains);
    }
}

// Half the device's rate, from a frame's first half: output frames 2k and 2k + 1 both lie between
// source frames first + k and first + k + 1, at `fraction` and at `fraction` plus one half. Every
// frame read must have a frame after it.
template <int Bits, int Channels, bool Unity>
void MixHalf(const std::uint8_t* bytes, std::uint32_t first, std::int32_t fraction, Gains gains, std::int32_t* out,
             std::size_t pairs) {
    const std::int32_t second = fraction | kHalfFraction;
    const std::size_t start = std::size_t{first} * Channels;
    for (std::size_t k = 0; k < pairs; ++k) {
        const std::size_t at = start + k * Channels;
        const std::int32_t l0 = Sample<Bits>(bytes, at);
        const std::int32_t l1 = Sample<Bits>(bytes, at + Channels);
        std::int32_t r0 = l0;
        std::int32_t r1 = l1;
        if constexpr (Channels == 2) {
            r0 = Sample<Bits>(bytes, at + 1);
            r1 = Sample<Bits>(bytes, at + 3);
        }
        Add<Unity>(out + 4 * k, Between(l0, l1, fraction), Between(r0, r1, fraction), gains);
        Add<Unity>(out + 4 * k + 2, Between(l0, l1, second), Between(r0, r1, second), gains);
    }
}

#if defined(__SSE2__)
// 16-bit stereo at half rate, four source frames at a time: music's own case. One interpolation
// is one multiply-add of each sample and its neighbour, weighted (1 - f, f): since the sample is a
// whole number of 32768ths, from + (((to - from) x f) >> 15) is (from x (32768 - f) + to x f) >> 15
// exactly. A zero fraction, whose weight 32768 does not fit, reads the sample itself as 1 x from.
__m128i Weights(std::int32_t fraction, int* shift) {
    *shift = fraction == 0 ? 0 : 15;
    const int keep = fraction == 0 ? 1 : 32768 - fraction;
    return _mm_set1_epi32(
        static_cast<int>(static_cast<std::uint32_t>(fraction) << 16 | static_cast<std::uint32_t>(keep)));
}

// (x * gain) >> 15 on four 16-bit-range lanes: a gain of 32768 does not fit in 16 bits, so each
// lane is multiplied by the gain's two halves and their products added.
__m128i Scaled(__m128i lanes, __m128i halves) {
    const __m128i packed = _mm_packs_epi32(lanes, lanes);
    return _mm_srai_epi32(_mm_madd_epi16(_mm_unpacklo_epi16(packed, packed), halves), 15);
}

template <bool Unity>
std::size_t MixHalfStereo16(const std::uint8_t* bytes, std::uint32_t first, std::int32_t fraction, Gains gains,
                            std::int32_t* out, std::size_t pairs) {
    int shiftA = 0, shiftB = 0;
    const __m128i weightsA = Weights(fraction, &shiftA);
    const __m128i weightsB = Weights(fraction | kHalfFraction, &shiftB);
    const __m128i countA = _mm_cvtsi32_si128(shiftA), countB = _mm_cvtsi32_si128(shiftB);
    const auto halves = [](std::int32_t gain) {
        return static_cast<int>(static_cast<std::uint32_t>(gain - gain / 2) << 16 |
                                static_cast<std::uint32_t>(gain / 2));
    };
    const __m128i gainHalves = _mm_setr_epi32(halves(gains.left), halves(gains.right), halves(gains.left),
                                              halves(gains.right));
    const auto* samples = reinterpret_cast<const std::int16_t*>(bytes) + std::size_t{first} * 2;
    std::size_t k = 0;
    for (; k + 4 <= pairs; k += 4) {
        const __m128i from = _mm_loadu_si128(reinterpret_cast<const __m128i*>(samples + 2 * k));
        const __m128i to = _mm_loadu_si128(reinterpret_cast<const __m128i*>(samples + 2 * k + 2));
        // Each 32-bit lane one channel of one frame: the sample and the one after it.
        const __m128i neighbours[2] = {_mm_unpacklo_epi16(from, to), _mm_unpackhi_epi16(from, to)};
        for (int part = 0; part < 2; ++part) {
            __m128i a = _mm_sra_epi32(_mm_madd_epi16(neighbours[part], weightsA), countA);
            __m128i b = _mm_sra_epi32(_mm_madd_epi16(neighbours[part], weightsB), countB);
            if constexpr (!Unity) a = Scaled(a, gainHalves), b = Scaled(b, gainHalves);
            // Two source frames' lanes (left, right, left, right) become four output frames.
            auto* target = reinterpret_cast<__m128i*>(out + 4 * k + 8 * part);
            _mm_storeu_si128(target, _mm_add_epi32(_mm_loadu_si128(target), _mm_unpacklo_epi64(a, b)));
            _mm_storeu_si128(target + 1, _mm_add_epi32(_mm_loadu_si128(target + 1), _mm_unpackhi_epi64(a, b)));
        }
    }
    return k;
}
#endif

template <int Bits, int Channels, bool Unity>
void MixAtRate(const MixSource& s, std::uint64_t position, std::uint64_t step, Gains gains, std::int32_t* out,
               std::size_t count) {
    const std::uint32_t last = s.frames - 1;
    if (step == kWholeStep && Fraction(position) == 0) {
        MixWhole<Bits, Channels, Unity>(s.bytes, static_cast<std::uint32_t>(position >> 32), gains, out, count);
        return;
    }
    // Output frames before the last source frame read the frame after theirs.
    const std::uint64_t lastAt = std::uint64_t{last} << 32;
    const std::size_t inner = position < lastAt ? static_cast<std::size_t>(std::min<std::uint64_t>(
                                                      count, (lastAt - position + step - 1) / step))
                                                : 0;
    std::size_t i = 0;
    if (step == kHalfStep && inner > 0) {
        if ((position & kHalfStep) != 0) {
            const auto frame = static_cast<std::uint32_t>(position >> 32);
            MixOne<Bits, Channels>(s.bytes, frame, frame + 1, Fraction(position), gains, out);
            i = 1;
            position += step;
        }
        const std::size_t pairs = (inner - i) / 2;
        std::size_t done = 0;
        const auto first = static_cast<std::uint32_t>(position >> 32);
#if defined(__SSE2__)
        if constexpr (Bits == 16 && Channels == 2)
            done = MixHalfStereo16<Unity>(s.bytes, first, Fraction(position), gains, out + 2 * i, pairs);
#endif
        MixHalf<Bits, Channels, Unity>(s.bytes, first + static_cast<std::uint32_t>(done), Fraction(position), gains,
                                       out + 2 * i + 4 * done, pairs - done);
        i += 2 * pairs;
        position += 2 * pairs * step;
    }
    for (; i < inner; ++i, position += step) {
        const auto frame = static_cast<std::uint32_t>(position >> 32);
        MixOne<Bits, Channels>(s.bytes, frame, frame + 1, Fraction(position), gains, out + 2 * i);
    }
    // The last frame's neighbour is the first when the source loops, else itself.
    for (; i < count; ++i, position += step) {
        const auto frame = static_cast<std::uint32_t>(position >> 32);
        const std::uint32_t next = frame < last ? frame + 1 : (s.looping ? 0 : frame);
        MixOne<Bits, Channels>(s.bytes, frame, next, Fraction(position), gains, out + 2 * i);
    }
}

template <int Bits, int Channels>
void MixFormat(const MixSource& s, std::uint64_t position, std::uint64_t step, Gains gains, std::int32_t* out,
               std::size_t count) {
    if (gains.left == kUnity && gains.right == kUnity)
        MixAtRate<Bits, Channels, true>(s, position, step, gains, out, count);
    else MixAtRate<Bits, Channels, false>(s, position, step, gains, out, count);
}

}  // namespace

void MixFrames(const MixSource& source, std::uint64_t position, std::uint64_t step, std::int32_t gainLeft,
               std::int32_t gainRight, std::int32_t* accumulator, std::size_t count) {
    if (count == 0) return;
    const Gains gains{gainLeft, gainRight};
    const bool stereo = source.channels == 2;
    if (source.bits == 8) {
        if (stereo) MixFormat<8, 2>(source, position, step, gains, accumulator, count);
        else MixFormat<8, 1>(source, position, step, gains, accumulator, count);
    } else {
        if (stereo) MixFormat<16, 2>(source, position, step, gains, accumulator, count);
        else MixFormat<16, 1>(source, position, step, gains, accumulator, count);
    }
}

}  // namespace platform

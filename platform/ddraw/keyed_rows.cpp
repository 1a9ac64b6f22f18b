#include "platform/ddraw/keyed_rows.h"

#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "platform/ddraw/lane_masks.h"

namespace platform::blit {
namespace {

// One unsigned compare tests the whole range: values below `low` wrap round to large ones.
// Writing the target back unchanged instead of branching round the store, in blocks of a fixed
// size on pointers that cannot alias, lets the compiler turn a block into vector blends.
inline void KeyedPixel(std::uint16_t* __restrict dest, const std::uint16_t* __restrict source, int x, std::uint16_t low,
                       std::uint16_t span) {
    const std::uint16_t value = source[x];
    dest[x] = static_cast<std::uint16_t>(value - low) <= span ? dest[x] : value;
}

void PortableRow(std::uint16_t* __restrict dest, const std::uint16_t* __restrict source, int width, std::uint16_t low,
                 std::uint16_t span) {
    constexpr int kBlock = 32;
    int x = 0;
    for (; x + kBlock <= width; x += kBlock)
        for (int i = 0; i < kBlock; ++i) KeyedPixel(dest + x, source + x, i, low, span);
    for (; x < width; ++x) KeyedPixel(dest, source, x, low, span);
}

#if defined(__x86_64__)
// Sixteen pixels at a time. Most runs of sixteen are wholly opaque (stored as they are, without
// reading the target) or wholly transparent (left alone); only the edges between need a blend.
__attribute__((target("avx2"))) void WideRow(std::uint16_t* dest, const std::uint16_t* source, int width,
                                             std::uint16_t low, std::uint16_t span) {
    const __m256i lows = _mm256_set1_epi16(static_cast<short>(low));
    const __m256i spans = _mm256_set1_epi16(static_cast<short>(span));
    const __m256i zero = _mm256_setzero_si256();
    int x = 0;
    for (; x + 16 <= width; x += 16) {
        const __m256i value = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(source + x));
        // value - low saturated down by span is 0 exactly for the keyed pixels.
        const __m256i keyed = _mm256_cmpeq_epi16(_mm256_subs_epu16(_mm256_sub_epi16(value, lows), spans), zero);
        const int mask = _mm256_movemask_epi8(keyed);
        auto* to = reinterpret_cast<__m256i*>(dest + x);
        if (mask == 0) {
            _mm256_storeu_si256(to, value);
        } else if (mask != -1) {
            _mm256_storeu_si256(to, _mm256_blendv_epi8(value, _mm256_loadu_si256(to), keyed));
        }
    }
    for (; x < width; ++x) KeyedPixel(dest, source, x, low, span);
}

// Thirty-two pixels at a time, the last few under a mask. The opaque pixels are stored under a mask
// of their own, so the target is never read, not even where a run of sixteen is mixed.
__attribute__((target("avx512bw"))) void MaskedRow(std::uint16_t* dest, const std::uint16_t* source, int width,
                                                   std::uint16_t low, std::uint16_t span) {
    const __m512i lows = _mm512_set1_epi16(static_cast<short>(low));
    const __m512i spans = _mm512_set1_epi16(static_cast<short>(span));
    for (int x = 0; x < width; x += 32) {
        const int count = width - x < 32 ? width - x : 32;
        const __mmask32 present = FirstLanes(count);
        const __m512i value = _mm512_maskz_loadu_epi16(present, source + x);
        // value - low above span, unsigned, is exactly the opaque pixels.
        const __mmask32 opaque = _mm512_mask_cmpgt_epu16_mask(present, _mm512_sub_epi16(value, lows), spans);
        if (opaque != 0) _mm512_mask_storeu_epi16(dest + x, opaque, value);
    }
}
#endif

}  // namespace

std::vector<KeyedRow16> KeyedRow16Kernels() {
    std::vector<KeyedRow16> kernels;
#if defined(__x86_64__)
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512bw")) kernels.push_back(MaskedRow);
    if (__builtin_cpu_supports("avx2")) kernels.push_back(WideRow);
#endif
    kernels.push_back(PortableRow);
    return kernels;
}

void CopyKeyedRow16(std::uint16_t* dest, const std::uint16_t* source, int width, std::uint16_t low,
                    std::uint16_t span) {
    // The widest the processor takes.
    static const KeyedRow16 row = KeyedRow16Kernels().front();
    row(dest, source, width, low, span);
}

}  // namespace platform::blit

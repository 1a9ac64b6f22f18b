#include "platform/ddraw/gather_rows.h"

#if defined(__x86_64__)
#include <immintrin.h>
#endif
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/ddraw/lane_masks.h"

namespace platform::blit {
namespace {

void PortableRow(std::uint16_t* to, const std::uint16_t* from, const int* columns, int width, int /*fromWidth*/) {
    for (int x = 0; x < width; ++x) to[x] = from[columns[x]];
}

#if defined(__x86_64__)
// GCC 12's own AVX-512 headers start the narrowing and the insert below from an undefined
// register, which its -Wmaybe-uninitialized reports inside the headers (GCC bug 105593). Clang,
// which builds the fuzz targets, has no such warning and would warn of the unknown name.
#if !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
// Thirty-two target pixels at a time. In an enlargement they come from at most thirty-two
// neighbouring source pixels, which one load brings in and one permutation puts in place; a block
// whose columns lie further apart (a reduction) is picked pixel by pixel.
__attribute__((target("avx512bw"))) void PermutedRow(std::uint16_t* to, const std::uint16_t* from, const int* columns,
                                                     int width, int fromWidth) {
    for (int x = 0; x < width; x += 32) {
        const int count = width - x < 32 ? width - x : 32;
        const int base = columns[x];
        if (columns[x + count - 1] - base >= 32) {
            PortableRow(to + x, from, columns + x, count, fromWidth);
            continue;
        }
        const __mmask32 present = FirstLanes(count);
        const auto low = static_cast<__mmask16>(present);
        const auto high = static_cast<__mmask16>(present >> 16);
        const __m512i bases = _mm512_set1_epi32(base);
        const __m512i first = _mm512_maskz_sub_epi32(low, _mm512_maskz_loadu_epi32(low, columns + x), bases);
        const __m512i second = _mm512_maskz_sub_epi32(high, _mm512_maskz_loadu_epi32(high, columns + x + 16), bases);
        const __m512i indices = _mm512_inserti64x4(_mm512_castsi256_si512(_mm512_cvtepi32_epi16(first)),
                                                   _mm512_cvtepi32_epi16(second), 1);
        const int available = fromWidth - base < 32 ? fromWidth - base : 32;
        const __mmask32 readable = FirstLanes(available);
        const __m512i pixels = _mm512_maskz_loadu_epi16(readable, from + base);
        _mm512_mask_storeu_epi16(to + x, present, _mm512_permutexvar_epi16(indices, pixels));
    }
}
#if !defined(__clang__)
#pragma GCC diagnostic pop
#endif
#endif

}  // namespace

std::vector<GatherRow16Kernel> GatherRow16Kernels() {
    std::vector<GatherRow16Kernel> kernels;
#if defined(__x86_64__)
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512bw")) kernels.push_back(PermutedRow);
#endif
    kernels.push_back(PortableRow);
    return kernels;
}

void RepeatRow16(std::uint16_t* to, const std::uint16_t* from, int factor, int width) {
    int x = 0;
#if defined(__SSE2__)
    // Eight source pixels make a block of 16 or 32: each unpack with itself doubles every pixel.
    if (factor == 2 || factor == 4) {
        const int block = 8 * factor;
        for (; x + block <= width; x += block, from += 8) {
            const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
            const __m128i low = _mm_unpacklo_epi16(pixels, pixels);
            const __m128i high = _mm_unpackhi_epi16(pixels, pixels);
            auto* out = reinterpret_cast<__m128i*>(to + x);
            if (factor == 2) {
                _mm_storeu_si128(out, low);
                _mm_storeu_si128(out + 1, high);
                continue;
            }
            _mm_storeu_si128(out, _mm_unpacklo_epi32(low, low));
            _mm_storeu_si128(out + 1, _mm_unpackhi_epi32(low, low));
            _mm_storeu_si128(out + 2, _mm_unpacklo_epi32(high, high));
            _mm_storeu_si128(out + 3, _mm_unpackhi_epi32(high, high));
        }
    }
#endif
    for (int i = 0; x < width; ++x, i = (i + 1 == factor ? 0 : i + 1)) {
        to[x] = *from;
        if (i + 1 == factor) ++from;
    }
}

void GatherRow16(std::uint16_t* to, const std::uint16_t* from, const int* columns, int width, int fromWidth) {
    // The widest the processor takes.
    static const GatherRow16Kernel row = GatherRow16Kernels().front();
    row(to, from, columns, width, fromWidth);
}

}  // namespace platform::blit

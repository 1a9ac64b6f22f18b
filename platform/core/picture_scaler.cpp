#include "platform/core/picture_scaler.h"

#include <algorithm>
#include <array>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/core/widened_colours.h"

namespace platform {
namespace {

// Source position (in pixels, pixel centres at whole numbers) sampled by output pixel i.
double SamplePoint(ScaleFilter filter, int source, int target, int i) {
    const double texel = (i + 0.5) * source / target;
    if (filter == ScaleFilter::Nearest || target < source) {
        if (filter == ScaleFilter::Nearest && target >= source) return std::floor(texel);
        return texel - 0.5;
    }
    if (filter == ScaleFilter::Linear) return texel - 0.5;
    // Sharp: inside each pixel's whole-number block the colour is flat; only across the last
    // output pixel at a block edge is it blended.
    const double factor = std::max(1, target / source);
    const double region = 0.5 - 0.5 / factor;
    const double fromCentre = texel - std::floor(texel) - 0.5;
    const double blend = (fromCentre - std::clamp(fromCentre, -region, region)) * factor + 0.5;
    return std::floor(texel) + blend - 0.5;
}

// Two colours mixed, `w` of 256 parts the second, two channels at a time.
inline std::uint32_t Mix(std::uint32_t a, std::uint32_t b, std::uint32_t w) {
    if (w == 0) return a;
    const std::uint32_t rb = ((a & 0xFF00FF) * (256 - w) + (b & 0xFF00FF) * w) >> 8;
    const std::uint32_t g = ((a & 0xFF00) * (256 - w) + (b & 0xFF00) * w) >> 8;
    return (rb & 0xFF00FF) | (g & 0xFF00);
}

#if defined(__SSE2__)
// The same mix, four colours at a time: with each channel in a 16-bit lane a channel's
// a x (256 - w) + b x w stays below 65536, so the lanes give exactly the channels' own sums.
// `takeLow` and `takeHigh` hold the weights of the first two colours and of the last two, each
// once for every channel.
__m128i MixFour(__m128i a, __m128i b, __m128i takeLow, __m128i takeHigh) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i whole = _mm_set1_epi16(256);
    const auto mix = [&](__m128i x, __m128i y, __m128i take) {
        const __m128i sum = _mm_add_epi16(_mm_mullo_epi16(x, _mm_sub_epi16(whole, take)), _mm_mullo_epi16(y, take));
        return _mm_srli_epi16(sum, 8);
    };
    return _mm_packus_epi16(mix(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(b, zero), takeLow),
                            mix(_mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(b, zero), takeHigh));
}
#endif

// Two kept rows mixed by one weight.
void MixRows(const std::uint32_t* a, const std::uint32_t* b, std::uint32_t w, std::uint32_t* out, std::size_t count) {
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i take = _mm_set1_epi16(static_cast<short>(w));
    for (; i + 4 <= count; i += 4) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
        const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), MixFour(x, y, take, take));
    }
#endif
    for (; i < count; ++i) out[i] = Mix(a[i], b[i], w);
}

// One source row across: output colour i mixes the widened pixels at firsts[i] and nexts[i] (both
// less `offset`) by takes[4i], the column's weight once for each channel.
void MixAcross(const std::uint32_t* widened, const int* firsts, const int* nexts, int offset,
               const std::uint16_t* takes, std::uint32_t* out, std::size_t count) {
    const auto at = [&](const int* columns, std::size_t i) { return widened[columns[i] - offset]; };
    std::size_t i = 0;
#if defined(__SSE2__)
    const auto four = [&](const int* columns) {
        return _mm_setr_epi32(static_cast<int>(at(columns, i)), static_cast<int>(at(columns, i + 1)),
                              static_cast<int>(at(columns, i + 2)), static_cast<int>(at(columns, i + 3)));
    };
    for (; i + 4 <= count; i += 4) {
        const __m128i takeLow = _mm_loadu_si128(reinterpret_cast<const __m128i*>(takes + 4 * i));
        const __m128i takeHigh = _mm_loadu_si128(reinterpret_cast<const __m128i*>(takes + 4 * i + 8));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), MixFour(four(firsts), four(nexts), takeLow, takeHigh));
    }
#endif
    for (; i < count; ++i) out[i] = Mix(at(firsts, i), at(nexts, i), takes[4 * i]);
}

}  // namespace

AxisTaps PlanAxis(ScaleFilter filter, int source, int target) {
    AxisTaps taps;
    taps.first.resize(static_cast<size_t>(std::max(target, 0)));
    taps.weight.resize(taps.first.size());
    for (int i = 0; i < target; ++i) {
        const double at = std::clamp(SamplePoint(filter, source, target, i), 0.0, source - 1.0);
        int first = static_cast<int>(at);
        int weight = static_cast<int>(std::lround((at - first) * 256));
        if (weight == 256) ++first, weight = 0;
        if (first >= source - 1) first = source - 1, weight = 0;
        taps.first[static_cast<size_t>(i)] = first;
        taps.weight[static_cast<size_t>(i)] = weight;
    }
    return taps;
}

void PictureScaler::Configure(ScaleFilter filter, int pictureWidth, int pictureHeight, const Placement& placement) {
    pictureWidth_ = pictureWidth;
    pictureHeight_ = pictureHeight;
    columns_ = PlanAxis(filter, pictureWidth, placement.width);
    rows_ = PlanAxis(filter, pictureHeight, placement.height);
    const auto plain = [](const AxisTaps& taps, int source) {
        if (taps.first.size() != static_cast<size_t>(source)) return false;
        for (size_t i = 0; i < taps.first.size(); ++i)
            if (taps.first[i] != static_cast<int>(i) || taps.weight[i] != 0) return false;
        return true;
    };
    oneToOne_ = plain(columns_, pictureWidth) && plain(rows_, pictureHeight);
    columnTakes_.clear();
    nextColumns_.resize(columns_.first.size());
    for (size_t i = 0; i < columns_.first.size(); ++i) {
        columnTakes_.insert(columnTakes_.end(), 4, static_cast<std::uint16_t>(columns_.weight[i]));
        nextColumns_[i] = columns_.first[i] + (columns_.weight[i] != 0 ? 1 : 0);
    }
}

// The output pixels [first, last) whose taps read a source pixel in [from, to).
void PictureScaler::Span(const AxisTaps& taps, LONG from, LONG to, LONG* first, LONG* last) {
    const auto begin = taps.first.begin();
    *first = static_cast<LONG>(std::lower_bound(begin, taps.first.end(), from - 1) - begin);
    *last = static_cast<LONG>(std::lower_bound(begin, taps.first.end(), to) - begin);
}

RECT PictureScaler::OutputArea(const RECT& area) const {
    RECT out{0, 0, 0, 0};
    const LONG left = std::max<LONG>(area.left, 0), right = std::min<LONG>(area.right, pictureWidth_);
    const LONG top = std::max<LONG>(area.top, 0), bottom = std::min<LONG>(area.bottom, pictureHeight_);
    if (left >= right || top >= bottom) return out;
    Span(columns_, left, right, &out.left, &out.right);
    Span(rows_, top, bottom, &out.top, &out.bottom);
    if (out.left >= out.right || out.top >= out.bottom) return RECT{0, 0, 0, 0};
    return out;
}

// Each source row is scaled across once and kept while the output rows that read it are made: at
// several output rows a source row, most rows are a copy or a mix of two kept rows.
void PictureScaler::Scale(const std::uint16_t* source, int sourcePitch, PixelLayout layout, const RECT& out,
                          std::uint32_t* target, int targetPitch) const {
    const std::uint32_t* colour = WidenedColours(layout);
    const LONG left = std::max<LONG>(out.left, 0);
    const LONG right = std::min<LONG>(out.right, static_cast<LONG>(columns_.first.size()));
    const LONG bottom = std::min<LONG>(out.bottom, static_cast<LONG>(rows_.first.size()));
    if (left >= right) return;
    const size_t width = static_cast<size_t>(right - left);
    if (oneToOne_) {
        // A window the picture's own size: each pixel's colour as it is, no rows kept or mixed.
        for (LONG y = std::max<LONG>(out.top, 0); y < bottom; ++y) {
            const std::uint16_t* from = source + static_cast<size_t>(y) * sourcePitch + left;
            std::uint32_t* to = target + static_cast<size_t>(y) * targetPitch + left;
            for (size_t i = 0; i < width; ++i) to[i] = colour[from[i]];
        }
        return;
    }
    std::vector<std::uint32_t> upper(width), lower(width);
    // The source pixels the area reads across, widened once a row: each is read by two output
    // pixels or more, and the colour table is too large to stay in the nearest cache.
    const int firstColumn = columns_.first[static_cast<size_t>(left)];
    const int lastColumn = *std::max_element(nextColumns_.begin() + left, nextColumns_.begin() + right);
    std::vector<std::uint32_t> widened(static_cast<size_t>(lastColumn - firstColumn) + 1);
    int upperRow = -1, lowerRow = -1;
    // Each output pixel's source pixel mixed with the one after it (itself where that takes no weight).
    auto across = [&](int sy, std::vector<std::uint32_t>& row) {
        const std::uint16_t* from = source + static_cast<size_t>(sy) * sourcePitch + firstColumn;
        for (size_t j = 0; j < widened.size(); ++j) widened[j] = colour[from[j]];
        MixAcross(widened.data(), columns_.first.data() + left, nextColumns_.data() + left, firstColumn,
                  columnTakes_.data() + 4 * static_cast<size_t>(left), row.data(), width);
    };
    for (LONG y = std::max<LONG>(out.top, 0); y < bottom; ++y) {
        const int sy = rows_.first[static_cast<size_t>(y)];
        const auto wy = static_cast<std::uint32_t>(rows_.weight[static_cast<size_t>(y)]);
        if (upperRow != sy) {
            if (lowerRow == sy) std::swap(upper, lower), std::swap(upperRow, lowerRow);
            else across(sy, upper), upperRow = sy;
        }
        std::uint32_t* to = target + static_cast<size_t>(y) * targetPitch + left;
        if (wy == 0) {
            std::copy(upper.begin(), upper.end(), to);
            continue;
        }
        if (lowerRow != sy + 1) across(sy + 1, lower), lowerRow = sy + 1;
        MixRows(upper.data(), lower.data(), wy, to, width);
    }
}

}  // namespace platform

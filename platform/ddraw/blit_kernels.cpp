#include "platform/ddraw/blit_kernels.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/ddraw/keyed_rows.h"

namespace platform::blit {

namespace {

template <class Pixel>
Pixel* RowOf(const Pixels& area, int y) {
    return reinterpret_cast<Pixel*>(area.origin + static_cast<std::ptrdiff_t>(y) * area.pitch);
}

// Only 8-bit copies come here; 16-bit rows go to CopyKeyedRow16. Writing the target back unchanged
// instead of branching round the store lets the compiler vectorise the loop.
template <class Pixel>
void CopyKeyedRow(Pixel* __restrict dest, const Pixel* __restrict source, int width, Pixel low, Pixel span) {
    for (int x = 0; x < width; ++x) {
        const Pixel value = source[x];
        dest[x] = static_cast<Pixel>(value - low) <= span ? dest[x] : value;
    }
}

template <>
void CopyKeyedRow(std::uint16_t* __restrict dest, const std::uint16_t* __restrict source, int width, std::uint16_t low,
                  std::uint16_t span) {
    CopyKeyedRow16(dest, source, width, low, span);
}

template <class Pixel>
void CopyKeyedAs(const Pixels& dest, const Pixels& source, KeyRange key) {
    const auto low = static_cast<Pixel>(key.low);
    const auto span = static_cast<Pixel>(key.high - key.low);
    for (int y = 0; y < dest.height; ++y)
        CopyKeyedRow(RowOf<Pixel>(dest, y), RowOf<Pixel>(source, y), dest.width, low, span);
}

// Source coordinate under the centre of target pixel i when n target pixels cover m source ones.
int CentreSample(int i, int n, int m) {
    return static_cast<int>((2 * static_cast<std::int64_t>(i) + 1) * m / (2 * static_cast<std::int64_t>(n)));
}

template <class Pixel>
void StretchAs(const Pixels& dest, const Pixels& source, const KeyRange* key) {
    std::vector<int> columns(static_cast<std::size_t>(dest.width));
    for (int x = 0; x < dest.width; ++x) columns[x] = CentreSample(x, dest.width, source.width);
    const auto low = static_cast<Pixel>(key != nullptr ? key->low : 0);
    const auto span = static_cast<Pixel>(key != nullptr ? key->high - key->low : 0);

    // Each target row is first gathered from its source row, then copied like an unscaled row,
    // so the keyed test runs in the same vectorisable loop as an unscaled keyed copy.
    std::vector<Pixel> gathered(static_cast<std::size_t>(dest.width));
    int gatheredRow = -1;
    for (int y = 0; y < dest.height; ++y) {
        const int sourceRow = CentreSample(y, dest.height, source.height);
        if (sourceRow != gatheredRow) {
            const Pixel* from = RowOf<Pixel>(source, sourceRow);
            for (int x = 0; x < dest.width; ++x) gathered[x] = from[columns[x]];
            gatheredRow = sourceRow;
        }
        Pixel* to = RowOf<Pixel>(dest, y);
        if (key == nullptr) std::memcpy(to, gathered.data(), gathered.size() * sizeof(Pixel));
        else CopyKeyedRow(to, gathered.data(), dest.width, low, span);
    }
}

}  // namespace

void Fill(const Pixels& dest, int bytesPerPixel, std::uint32_t value) {
    for (int y = 0; y < dest.height; ++y) {
        if (bytesPerPixel == 1)
            std::memset(RowOf<BYTE>(dest, y), static_cast<BYTE>(value), static_cast<std::size_t>(dest.width));
        else std::fill_n(RowOf<std::uint16_t>(dest, y), dest.width, static_cast<std::uint16_t>(value));
    }
}

void Copy(const Pixels& dest, const Pixels& source, int bytesPerPixel) {
    const auto bytes = static_cast<std::size_t>(dest.width) * static_cast<std::size_t>(bytesPerPixel);
    for (int y = 0; y < dest.height; ++y) std::memcpy(RowOf<BYTE>(dest, y), RowOf<BYTE>(source, y), bytes);
}

void CopyKeyed(const Pixels& dest, const Pixels& source, int bytesPerPixel, KeyRange key) {
    if (bytesPerPixel == 1) CopyKeyedAs<BYTE>(dest, source, key);
    else CopyKeyedAs<std::uint16_t>(dest, source, key);
}

void Stretch(const Pixels& dest, const Pixels& source, int bytesPerPixel, const KeyRange* key) {
    if (bytesPerPixel == 1) StretchAs<BYTE>(dest, source, key);
    else StretchAs<std::uint16_t>(dest, source, key);
}

}  // namespace platform::blit

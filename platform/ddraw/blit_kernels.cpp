#include "platform/ddraw/blit_kernels.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/ddraw/gather_rows.h"
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

// The source coordinates under the centres of target pixels 0, 1, 2... when n target pixels cover
// m source ones: (2i + 1) * m / (2n), rounded down. Stepped from one to the next with the quotient
// and remainder of the step, since a division for each pixel cost more than the copy.
class CentreSamples {
public:
    CentreSamples(int n, int m)
        : divisor_(2 * static_cast<std::int64_t>(n)),
          stepQuotient_(2 * static_cast<std::int64_t>(m) / divisor_),
          stepRemainder_(2 * static_cast<std::int64_t>(m) % divisor_),
          quotient_(m / divisor_),
          remainder_(m % divisor_) {}

    int Current() const { return static_cast<int>(quotient_); }
    void Next() {
        quotient_ += stepQuotient_;
        remainder_ += stepRemainder_;
        if (remainder_ >= divisor_) {
            ++quotient_;
            remainder_ -= divisor_;
        }
    }

private:
    const std::int64_t divisor_;
    const std::int64_t stepQuotient_;
    const std::int64_t stepRemainder_;
    std::int64_t quotient_;
    std::int64_t remainder_;
};

// The factor when the columns enlarge the source by a whole one, each source pixel repeated that
// many times; 0 otherwise.
int WholeFactor(const std::vector<int>& columns, int fromWidth) {
    const int width = static_cast<int>(columns.size());
    if (fromWidth <= 0 || width % fromWidth != 0) return 0;
    const int factor = width / fromWidth;
    for (int x = 0; x < width; ++x)
        if (columns[x] != x / factor) return 0;
    return factor;
}

template <class Pixel>
void Gather(Pixel* to, const Pixel* from, const std::vector<int>& columns, int /*fromWidth*/, int /*factor*/) {
    for (std::size_t x = 0; x < columns.size(); ++x) to[x] = from[columns[x]];
}

template <>
void Gather(std::uint16_t* to, const std::uint16_t* from, const std::vector<int>& columns, int fromWidth, int factor) {
    if (factor > 0) RepeatRow16(to, from, factor, static_cast<int>(columns.size()));
    else GatherRow16(to, from, columns.data(), static_cast<int>(columns.size()), fromWidth);
}

template <class Pixel>
void StretchAs(const Pixels& dest, const Pixels& source, const KeyRange* key) {
    std::vector<int> columns(static_cast<std::size_t>(dest.width));
    CentreSamples column(dest.width, source.width);
    for (int x = 0; x < dest.width; ++x, column.Next()) columns[x] = column.Current();
    const int factor = WholeFactor(columns, source.width);
    const auto low = static_cast<Pixel>(key != nullptr ? key->low : 0);
    const auto span = static_cast<Pixel>(key != nullptr ? key->high - key->low : 0);

    // Each target row is first gathered from its source row, then copied like an unscaled row,
    // so the keyed test runs in the same vectorisable loop as an unscaled keyed copy.
    std::vector<Pixel> gathered(static_cast<std::size_t>(dest.width));
    int gatheredRow = -1;
    CentreSamples row(dest.height, source.height);
    for (int y = 0; y < dest.height; ++y, row.Next()) {
        const int sourceRow = row.Current();
        if (sourceRow != gatheredRow) {
            Gather(gathered.data(), RowOf<Pixel>(source, sourceRow), columns, source.width, factor);
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

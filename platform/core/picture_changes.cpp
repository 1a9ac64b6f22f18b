#include "platform/core/picture_changes.h"

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

// Spans closer than this share a rectangle: fewer, slightly larger rectangles cost less than many
// thin ones.
constexpr LONG kNear = 32;

bool Near(const RECT& band, LONG left, LONG right) { return left <= band.right + kNear && right + kNear >= band.left; }

}  // namespace

void FindChangedParts(const std::uint16_t* shown, const std::uint16_t* picture, int pitch, int width, int height,
                      const RECT& area, std::vector<RECT>* parts) {
    const LONG left = std::max<LONG>(area.left, 0);
    const LONG right = std::min<LONG>(area.right, width);
    if (left >= right) return;
    const size_t count = static_cast<size_t>(right - left);
    RECT band{0, 0, 0, 0};
    bool open = false;
    for (LONG y = std::max<LONG>(area.top, 0); y < std::min<LONG>(area.bottom, height); ++y) {
        const std::uint16_t* a = shown + static_cast<size_t>(y) * width + left;
        const std::uint16_t* b = picture + static_cast<size_t>(y) * pitch + left;
        if (std::memcmp(a, b, count * 2) == 0) {
            if (open) parts->push_back(band);
            open = false;
            continue;
        }
        size_t first = 0;
        while (a[first] == b[first]) ++first;
        size_t last = count;
        while (a[last - 1] == b[last - 1]) --last;
        const LONG from = left + static_cast<LONG>(first);
        const LONG to = left + static_cast<LONG>(last);
        if (open && Near(band, from, to)) {
            band = RECT{std::min(band.left, from), band.top, std::max(band.right, to), y + 1};
            continue;
        }
        if (open) parts->push_back(band);
        band = RECT{from, y, to, y + 1};
        open = true;
    }
    if (open) parts->push_back(band);
}

}  // namespace platform

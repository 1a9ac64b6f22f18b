#include "platform/core/picture_transform.h"

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

Placement Centred(int width, int height, int outputWidth, int outputHeight) {
    width = std::max(1, width);
    height = std::max(1, height);
    return Placement{(outputWidth - width) / 2, (outputHeight - height) / 2, width, height};
}

// Whole-number arithmetic, so that a window of exactly twice the picture gives exactly twice it.
Placement Fit(int pictureWidth, int pictureHeight, int outputWidth, int outputHeight) {
    const long long widthLimited = static_cast<long long>(outputWidth) * pictureHeight;
    const long long heightLimited = static_cast<long long>(outputHeight) * pictureWidth;
    if (widthLimited <= heightLimited)
        return Centred(outputWidth, static_cast<int>(widthLimited / pictureWidth), outputWidth, outputHeight);
    return Centred(static_cast<int>(heightLimited / pictureHeight), outputHeight, outputWidth, outputHeight);
}

}  // namespace

Placement PlacePicture(ScaleMode mode, int pictureWidth, int pictureHeight, int outputWidth, int outputHeight) {
    if (pictureWidth <= 0 || pictureHeight <= 0 || outputWidth <= 0 || outputHeight <= 0)
        return Placement{0, 0, std::max(1, pictureWidth), std::max(1, pictureHeight)};
    if (mode == ScaleMode::Stretch) return Placement{0, 0, outputWidth, outputHeight};
    if (mode == ScaleMode::Integer) {
        const int factor = std::min(outputWidth / pictureWidth, outputHeight / pictureHeight);
        if (factor >= 1) return Centred(pictureWidth * factor, pictureHeight * factor, outputWidth, outputHeight);
    }
    return Fit(pictureWidth, pictureHeight, outputWidth, outputHeight);
}

POINT OutputToPicture(const Placement& placement, int pictureWidth, int pictureHeight, int x, int y) {
    // Centres: output pixel x covers [x, x + 1), so its centre is x + 1/2, in halves to stay whole.
    const long long px = ((2LL * (x - placement.x) + 1) * pictureWidth) / (2LL * placement.width);
    const long long py = ((2LL * (y - placement.y) + 1) * pictureHeight) / (2LL * placement.height);
    const bool left = x < placement.x;
    const bool above = y < placement.y;
    return POINT{left ? 0 : static_cast<LONG>(std::clamp<long long>(px, 0, pictureWidth - 1)),
                 above ? 0 : static_cast<LONG>(std::clamp<long long>(py, 0, pictureHeight - 1))};
}

bool ParseScaleMode(const char* name, ScaleMode* mode) {
    static constexpr struct {
        const char* name;
        ScaleMode mode;
    } kModes[] = {{"fit", ScaleMode::Fit}, {"integer", ScaleMode::Integer}, {"stretch", ScaleMode::Stretch}};
    for (const auto& m : kModes)
        if (name != nullptr && std::strcmp(name, m.name) == 0) return *mode = m.mode, true;
    return false;
}

bool ParseScaleFilter(const char* name, ScaleFilter* filter) {
    static constexpr struct {
        const char* name;
        ScaleFilter filter;
    } kFilters[] = {{"sharp", ScaleFilter::Sharp}, {"nearest", ScaleFilter::Nearest}, {"linear", ScaleFilter::Linear}};
    for (const auto& f : kFilters)
        if (name != nullptr && std::strcmp(name, f.name) == 0) return *filter = f.filter, true;
    return false;
}

}  // namespace platform

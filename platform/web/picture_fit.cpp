#include "platform/web/picture_fit.h"

#include <algorithm>

namespace platform::web {

Placement FitPicture(int areaWidth, int areaHeight, int pictureWidth, int pictureHeight) {
    double scale = std::min(static_cast<double>(areaWidth) / pictureWidth,
                            static_cast<double>(areaHeight) / pictureHeight);
    if (scale >= 1.0) scale = static_cast<int>(scale);
    const int w = std::max(1, static_cast<int>(pictureWidth * scale));
    const int h = std::max(1, static_cast<int>(pictureHeight * scale));
    return Placement{(areaWidth - w) / 2, (areaHeight - h) / 2, w, h};
}

PicturePoint ToPicture(const Placement& placement, int areaX, int areaY, int pictureWidth, int pictureHeight) {
    const int x = static_cast<int>((static_cast<long long>(areaX - placement.x) * pictureWidth) / placement.width);
    const int y = static_cast<int>((static_cast<long long>(areaY - placement.y) * pictureHeight) / placement.height);
    return PicturePoint{std::clamp(x, 0, pictureWidth - 1), std::clamp(y, 0, pictureHeight - 1)};
}

}  // namespace platform::web

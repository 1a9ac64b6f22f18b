#include "tools/assets/icon_art.h"

#include <filesystem>

#include "tools/assets/art_style.h"
#include "tools/assets/display_colour.h"

namespace assets {

using namespace palette;

RgbPicture PaintIcon(int size) {
    const auto s = static_cast<float>(size);
    Canvas canvas(size, size);
    // Evening sky over the corn, and a soil path leading into it: the maze's way in.
    Fill(canvas, RoundRect(0, 0, s, s, 0), VerticalGradient(kSkyHigh, kSkyLow, 0, s * 0.5f));
    Fill(canvas, RoundRect(0, s * 0.52f, s, s * 0.48f, 0), VerticalGradient(kLeafLight, kLeafDeep, s * 0.52f, s));
    Fill(canvas, Polygon({{s * 0.42f, s * 0.52f}, {s * 0.58f, s * 0.52f}, {s * 0.7f, s}, {s * 0.3f, s}}), kSoil);
    PaintCornCob(canvas, s * 0.5f, s * 0.5f, s * 0.66f, false);
    return ToDisplay(canvas, false);
}

void WriteIconTheme(const std::string& folder) {
    for (int size : kIconSizes) {
        const std::string side = std::to_string(size);
        const std::filesystem::path apps = std::filesystem::path(folder) / (side + "x" + side) / "apps";
        std::filesystem::create_directories(apps);
        WriteFile((apps / "stalkway.png").string(), Png(PaintIcon(size)));
    }
}

}  // namespace assets

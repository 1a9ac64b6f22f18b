// Where the picture lies in windows of every size, and that the pointer lands on what the player
// sees: the transform, the scaler's taps and the maze screen's buttons together.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "platform/core/picture_scaler.h"
#include "platform/core/picture_transform.h"
#include "maze/screen_layout.h"

namespace {

using platform::Placement;
using platform::ScaleFilter;
using platform::ScaleMode;

constexpr int kWidth = 800;
constexpr int kHeight = 600;

std::tuple<int, int, int, int> Tie(const Placement& p) { return {p.x, p.y, p.width, p.height}; }

TEST(PictureTransform, EachModePlacesThePictureAsItsNameSays) {
    using T = std::tuple<int, int, int, int>;
    // Fit keeps the 4:3 shape with bars on the long side only; whole multiples come out exact.
    EXPECT_EQ(Tie(PlacePicture(ScaleMode::Fit, kWidth, kHeight, 1920, 1080)), T(240, 0, 1440, 1080));
    EXPECT_EQ(Tie(PlacePicture(ScaleMode::Fit, kWidth, kHeight, 1600, 1200)), T(0, 0, 1600, 1200));
    EXPECT_EQ(Tie(PlacePicture(ScaleMode::Fit, kWidth, kHeight, 1200, 1000)), T(0, 50, 1200, 900));
    EXPECT_EQ(Tie(PlacePicture(ScaleMode::Fit, kWidth, kHeight, 640, 480)), T(0, 0, 640, 480));
    // Integer takes the largest whole factor, and fits when not even one does.
    EXPECT_EQ(Tie(PlacePicture(ScaleMode::Integer, kWidth, kHeight, 1920, 1080)), T(560, 240, 800, 600));
    EXPECT_EQ(Tie(PlacePicture(ScaleMode::Integer, kWidth, kHeight, 3840, 2160)), T(720, 180, 2400, 1800));
    EXPECT_EQ(Tie(PlacePicture(ScaleMode::Integer, kWidth, kHeight, 640, 480)), T(0, 0, 640, 480));
    EXPECT_EQ(Tie(PlacePicture(ScaleMode::Stretch, kWidth, kHeight, 1920, 1080)), T(0, 0, 1920, 1080));
}

TEST(PictureTransform, PointsOverTheBarsClampToThePicturesEdge) {
    const Placement p = PlacePicture(ScaleMode::Fit, kWidth, kHeight, 1920, 1080);
    EXPECT_EQ(OutputToPicture(p, kWidth, kHeight, 0, 500).x, 0);
    EXPECT_EQ(OutputToPicture(p, kWidth, kHeight, 1919, 500).x, kWidth - 1);
    EXPECT_EQ(OutputToPicture(p, kWidth, kHeight, 240, 0).x, 0);
    EXPECT_EQ(OutputToPicture(p, kWidth, kHeight, 1679, 1079).y, kHeight - 1);
}

TEST(PictureTransform, UnknownNamesLeaveTheSettingAsItWas) {
    ScaleMode mode = ScaleMode::Integer;
    EXPECT_FALSE(platform::ParseScaleMode("zoom", &mode));
    EXPECT_FALSE(platform::ParseScaleMode(nullptr, &mode));
    EXPECT_EQ(mode, ScaleMode::Integer);
    EXPECT_TRUE(platform::ParseScaleMode("stretch", &mode));
    EXPECT_EQ(mode, ScaleMode::Stretch);
    ScaleFilter filter = ScaleFilter::Linear;
    EXPECT_FALSE(platform::ParseScaleFilter("Sharp", &filter));
    EXPECT_TRUE(platform::ParseScaleFilter("nearest", &filter));
    EXPECT_EQ(filter, ScaleFilter::Nearest);
}

// The source pixel an output pixel mostly shows.
int Shown(const platform::AxisTaps& taps, int i) {
    return taps.first[static_cast<size_t>(i)] + (taps.weight[static_cast<size_t>(i)] >= 128 ? 1 : 0);
}

// The outermost output pixel showing a pixel of [from, to): the first when `first`, else the last.
// Below the picture's size not every pixel has an output pixel of its own.
int OutermostShowing(const platform::AxisTaps& taps, int from, int to, bool first) {
    const int count = static_cast<int>(taps.first.size());
    for (int k = 0; k < count; ++k) {
        const int i = first ? k : count - 1 - k;
        if (Shown(taps, i) >= from && Shown(taps, i) < to) return i;
    }
    return -1;
}

// A click on any pixel that shows a button, even the outermost ones, lands on that button.
TEST(PictureTransform, EveryButtonsCentreAndCornersAreHitAtEverySizeModeAndFilter) {
    for (int width = 640; width <= 3840; width += 64) {
        for (int height = 480; height <= 2160; height += 48) {
            for (ScaleMode mode : {ScaleMode::Fit, ScaleMode::Integer, ScaleMode::Stretch}) {
                const Placement p = PlacePicture(mode, kWidth, kHeight, width, height);
                for (ScaleFilter filter : {ScaleFilter::Sharp, ScaleFilter::Nearest, ScaleFilter::Linear}) {
                    const platform::AxisTaps columns = platform::PlanAxis(filter, kWidth, p.width);
                    const platform::AxisTaps rows = platform::PlanAxis(filter, kHeight, p.height);
                    for (const assets::ButtonSpec& button : assets::kButtons) {
                        const assets::Rect& r = button.rect;
                        const int xs[] = {OutermostShowing(columns, r.x, r.x + r.width, true),
                                          OutermostShowing(columns, r.CentreX(), r.x + r.width, true),
                                          OutermostShowing(columns, r.x, r.x + r.width, false)};
                        const int ys[] = {OutermostShowing(rows, r.y, r.y + r.height, true),
                                          OutermostShowing(rows, r.CentreY(), r.y + r.height, true),
                                          OutermostShowing(rows, r.y, r.y + r.height, false)};
                        for (int x : xs) {
                            for (int y : ys) {
                                const POINT hit = OutputToPicture(p, kWidth, kHeight, p.x + x, p.y + y);
                                ASSERT_TRUE(hit.x >= r.x && hit.x < r.x + r.width && hit.y >= r.y &&
                                            hit.y < r.y + r.height)
                                    << button.name << " at " << width << "x" << height << " mode "
                                    << static_cast<int>(mode) << " filter " << static_cast<int>(filter) << ": output ("
                                    << x << ", " << y << ") lands on (" << hit.x << ", " << hit.y << ")";
                            }
                        }
                    }
                }
            }
        }
    }
}

}  // namespace

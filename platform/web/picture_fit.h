// Where the picture sits in the page's play area, and which picture pixel a point of the area
// shows: the rule the desktop window follows, so that the game looks and clicks the same.
#pragma once

namespace platform::web {

struct Placement {
    int x;
    int y;
    int width;
    int height;
};

// Whole multiples of the picture when they fit, otherwise the largest size that keeps its shape;
// centred, with bars where the shapes differ.
Placement FitPicture(int areaWidth, int areaHeight, int pictureWidth, int pictureHeight);

struct PicturePoint {
    int x;
    int y;
};

// A point of the area as a picture position, clamped to the picture's edge over the bars.
PicturePoint ToPicture(const Placement& placement, int areaX, int areaY, int pictureWidth, int pictureHeight);

}  // namespace platform::web

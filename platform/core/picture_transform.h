// Where the game's picture lies in a window or screen of any size, and which picture pixel a point
// of the window shows. Presentation and the pointer both ask this one place, so a click always
// lands on what the player sees under it; a browser backend can use it as it stands.
#pragma once

#include "platform/api/types.h"

namespace platform {

enum class ScaleMode { Fit, Integer, Stretch };
enum class ScaleFilter { Sharp, Nearest, Linear };

// The picture's rectangle in the output, in output pixels.
struct Placement {
    int x;
    int y;
    int width;
    int height;
};

// Fit: as large as the shape allows, centred. Integer: the largest whole multiple that fits (fit
// when not even one does). Stretch: the whole output, shape or not.
Placement PlacePicture(ScaleMode mode, int pictureWidth, int pictureHeight, int outputWidth, int outputHeight);

// The picture pixel under the centre of output pixel (x, y), clamped to the picture's edge over the
// bars.
POINT OutputToPicture(const Placement& placement, int pictureWidth, int pictureHeight, int x, int y);

// The names of setup.ini and the command line; false (and the value untouched) for an unknown one.
bool ParseScaleMode(const char* name, ScaleMode* mode);
bool ParseScaleFilter(const char* name, ScaleFilter* filter);

}  // namespace platform

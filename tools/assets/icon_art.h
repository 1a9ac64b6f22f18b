// The game's icon, for the desktop's menus and the window: the smiling corn cob of the end picture
// standing in the field, square and opaque, so that it reads on any panel at any size.
#pragma once

#include <string>

#include "tools/assets/file_writers.h"
#include "maze/pictures.h"

namespace assets {

// The sizes the desktop's icon theme holds it at, in pixels; 192 and 512 are the ones a browser
// asks of a page installed as an app.
inline constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 192, 256, 512};
// The one the window shows.
inline constexpr int kWindowIconSize = 64;

RgbPicture PaintIcon(int size);

// One PNG a size, laid out as an icon theme's folders are: DIR/NxN/apps/stalkway.png.
void WriteIconTheme(const std::string& folder);

}  // namespace assets

// The game's icon on its window, from the data folder's "icon.bmp" (which the data generator draws
// at build time and the installed game carries with its data).
#pragma once

#include <SDL.h>

namespace platform::sdl {

// Without the file the window keeps the desktop's default icon: nothing the game needs.
void ShowWindowIcon(SDL_Window* window);

}  // namespace platform::sdl

// The window's place on the screen as the X server has it. Without a window manager nobody answers
// SDL's request for full screen: the window would keep its old place and size while SDL draws for
// the whole screen, so the picture would show cut and shifted.
#pragma once

#include <SDL.h>

namespace platform::sdl {

// Moves and sizes the native window to `area` when it runs on X11; elsewhere does nothing.
void MatchNativeGeometry(SDL_Window* window, const SDL_Rect& area);

}  // namespace platform::sdl

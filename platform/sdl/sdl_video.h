// SDL's video, started only on a display the player can see.
#pragma once

#include <string>

namespace platform::sdl {

// Starts SDL's video subsystem. Left to itself SDL falls back on a driver that shows nothing
// (offscreen, dummy) when no display answers, and the game would run unseen until killed; such a
// driver is taken only when SDL_VIDEODRIVER names it. Otherwise false, with the reason in
// `problem`, and the subsystem is not left started.
bool StartVideo(std::string* problem);

}  // namespace platform::sdl

#include "platform/sdl/sdl_video.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>

namespace platform::sdl {
namespace {

const char* Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : nullptr;
}

bool IsInvisible(const char* driver) {
    return driver != nullptr && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

// Which displays were looked for, for the player to check.
std::string DisplaysTried() {
    const char* x11 = Variable("DISPLAY");
    const char* wayland = Variable("WAYLAND_DISPLAY");
    return std::string("DISPLAY=") + (x11 != nullptr ? x11 : "(unset)") +
           ", WAYLAND_DISPLAY=" + (wayland != nullptr ? wayland : "(unset)");
}

}  // namespace

bool StartVideo(std::string* problem) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        *problem = "no video driver could start (" + DisplaysTried() + "): " + SDL_GetError();
        return false;
    }
    const bool asked = Variable("SDL_VIDEODRIVER") != nullptr;
    if (!asked && IsInvisible(SDL_GetCurrentVideoDriver())) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        *problem = "no X11 or Wayland display answered (" + DisplaysTried() +
                   "); set SDL_VIDEODRIVER to use another video driver";
        return false;
    }
    return true;
}

}  // namespace platform::sdl

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
           ", WAYLAND_DISPLAY=" + (wayland != nullptr ? wayland : "(unset)") +
           (Variable("XDG_RUNTIME_DIR") == nullptr ? ", XDG_RUNTIME_DIR unset" : "");
}

std::string NoneAnswered() {
    return "no X11 or Wayland display answered (" + DisplaysTried() +
           "); set SDL_VIDEODRIVER to use another video driver";
}

// Wayland's client library reaches its display only through XDG_RUNTIME_DIR, or a WAYLAND_DISPLAY
// that is a whole path; without either it prints a line of its own on the standard error before SDL
// moves on, which would come before the game's "no display:" line.
bool WaylandReachable() {
    const char* wayland = Variable("WAYLAND_DISPLAY");
    return Variable("XDG_RUNTIME_DIR") != nullptr || (wayland != nullptr && wayland[0] == '/');
}

}  // namespace

bool StartVideo(std::string* problem) {
    const bool asked = Variable("SDL_VIDEODRIVER") != nullptr;
    // Only X11 can answer then; and with it alone, SDL takes no invisible driver either.
    if (!asked && !WaylandReachable()) SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        *problem = asked ? "no video driver could start (" + DisplaysTried() + "): " + SDL_GetError() : NoneAnswered();
        return false;
    }
    // The picture is scaled here and sent as the changed rectangles. On X11, SDL would otherwise put
    // the window's surface behind an OpenGL texture and redraw the whole window at every update:
    // without a graphics card (llvmpipe, Xvfb, many virtual machines) that alone took most of a
    // processor while playing. X11's shared-memory images send just the rectangles. A player's own
    // SDL_FRAMEBUFFER_ACCELERATION still wins; Wayland has no surface of its own, so it keeps the texture.
    if (std::strcmp(SDL_GetCurrentVideoDriver(), "x11") == 0) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (!asked && IsInvisible(SDL_GetCurrentVideoDriver())) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        *problem = NoneAnswered();
        return false;
    }
    return true;
}

}  // namespace platform::sdl

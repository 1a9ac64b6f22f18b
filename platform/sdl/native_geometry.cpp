#include "platform/sdl/native_geometry.h"

#include <SDL_syswm.h>

namespace platform::sdl {

void MatchNativeGeometry(SDL_Window* window, const SDL_Rect& area) {
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info{};
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
    // With a window manager the window is already there, and asking again changes nothing.
    XMoveResizeWindow(info.info.x11.display, info.info.x11.window, area.x, area.y, static_cast<unsigned>(area.w),
                      static_cast<unsigned>(area.h));
    XFlush(info.info.x11.display);
#else
    (void)window;
    (void)area;
#endif
}

}  // namespace platform::sdl

#include "platform/sdl/event_gate.h"

#include <SDL_syswm.h>
#include <poll.h>

namespace platform::sdl {

#if defined(SDL_VIDEO_DRIVER_X11)

namespace {
Display* XDisplay(void* display) { return static_cast<Display*>(display); }
}  // namespace

void EventGate::Attach(SDL_Window* window) {
    display_ = nullptr;
    SDL_SysWMinfo info{};
    SDL_VERSION(&info.version);
    if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
    display_ = info.info.x11.display;
    lastPumpMs_ = 0;  // the first frame pumps
}

void EventGate::Pumped() {
    lastPumpMs_ = SDL_GetTicks64();
    if (display_ != nullptr) requestsSeen_ = NextRequest(XDisplay(display_));
}

bool EventGate::ConnectionQuiet() const {
    Display* display = XDisplay(display_);
    if (NextRequest(display) != requestsSeen_) return false;
    // The queue's length as Xlib keeps it, as XEventsQueued(QueuedAlready) returns it but without
    // taking the display's lock: only the thread that pumps uses the connection.
    if (XQLength(display) != 0) return false;
    pollfd socket{ConnectionNumber(display), POLLIN, 0};
    return poll(&socket, 1, 0) == 0;
}

#else

void EventGate::Attach(SDL_Window*) { display_ = nullptr; }
void EventGate::Pumped() { lastPumpMs_ = SDL_GetTicks64(); }
bool EventGate::ConnectionQuiet() const { return false; }

#endif

bool EventGate::MustPump(bool padOpen) {
    if (display_ == nullptr || padOpen) return true;
    if (SDL_GetTicks64() - lastPumpMs_ >= pumpEveryMs_) return true;
    return !ConnectionQuiet();
}

}  // namespace platform::sdl

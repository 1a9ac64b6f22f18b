// Whether a frame may leave out SDL's event pump.
//
// Under X, SDL's pump costs a frame a handful of system calls even when nothing happened: reads of
// the X connection that find nothing, and polls of the device monitors. A still game pumps 100 times
// a second, so that was a third of the processor time it spent on its own thread. The gate looks at
// the X connection with one poll instead: when no request went out since the last pump (so no reply
// could have brought events along), Xlib holds no event and nothing waits on the socket, there is
// nothing for the pump to read. What SDL does besides reading X (hot-plugged pads, the screensaver,
// signals, focus changes it holds back) still runs at least every kPumpEveryMs, and every frame
// while a pad is open, whose state SDL reads from its device on each pump.
#pragma once

#include <SDL.h>

namespace platform::sdl {

class EventGate {
public:
    static constexpr Uint64 kPumpEveryMs = 100;

    explicit EventGate(Uint64 pumpEveryMs = kPumpEveryMs) : pumpEveryMs_(pumpEveryMs) {}

    // Learns the window's X connection. Without one (another video driver), every frame pumps.
    void Attach(SDL_Window* window);
    void Detach() { display_ = nullptr; }

    // True when this frame has to pump: something may have arrived, a pad is open, or the last
    // pump is pumpEveryMs old.
    bool MustPump(bool padOpen);
    // Called right after SDL pumped: the connection as the pump left it.
    void Pumped();

private:
    bool ConnectionQuiet() const;

    const Uint64 pumpEveryMs_;
    void* display_ = nullptr;  // the X Display, kept opaque so that Xlib stays in one file
    unsigned long requestsSeen_ = 0;
    Uint64 lastPumpMs_ = 0;
};

}  // namespace platform::sdl

// The event gate against a real X server (Xvfb): a frame leaves SDL's pump out only while the
// connection has nothing new, and what the server sends reaches the game all the same.
#include "platform/sdl/event_gate.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

// Last: Xlib's macros (None, Bool, Status) would rename what gtest's headers declare.
#include <X11/Xlib.h>

namespace {

using platform::sdl::EventGate;

// An Xvfb of its own on the first free display number, for as long as the test runs.
class XServer {
public:
    XServer() {
        for (int n = 170; n < 230 && name_.empty(); ++n) {
            struct stat st {};
            if (stat(("/tmp/.X11-unix/X" + std::to_string(n)).c_str(), &st) != 0 &&
                stat(("/tmp/.X" + std::to_string(n) + "-lock").c_str(), &st) != 0)
                name_ = ":" + std::to_string(n);
        }
        if (name_.empty()) return;
        pid_ = fork();
        if (pid_ == 0) {
            execlp("Xvfb", "Xvfb", name_.c_str(), "-screen", "0", "800x600x24", "-nolisten", "tcp",
                   static_cast<char*>(nullptr));
            _exit(127);
        }
        const std::string socket = "/tmp/.X11-unix/X" + name_.substr(1);
        for (int i = 0; i < 100 && !Ready(socket); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ~XServer() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    const std::string& Name() const { return name_; }
    bool Running() const { return pid_ > 0 && waitpid(pid_, nullptr, WNOHANG) == 0; }

private:
    static bool Ready(const std::string& socket) {
        struct stat st {};
        return stat(socket.c_str(), &st) == 0;
    }
    std::string name_;
    pid_t pid_ = -1;
};

class EventGateOnX : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server_.Running()) << "Xvfb did not start (test.sh installs it)";
        setenv("DISPLAY", server_.Name().c_str(), 1);
        setenv("SDL_VIDEODRIVER", "x11", 1);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        window_ = SDL_CreateWindow("gate", 0, 0, 200, 150, SDL_WINDOW_SHOWN);
        ASSERT_NE(window_, nullptr) << SDL_GetError();
    }
    void TearDown() override {
        if (window_ != nullptr) SDL_DestroyWindow(window_);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    // Pumps for 200 ms, so that what the server sends a little later (the window's mapping and
    // focus, a property's change) is taken too; true if a motion was among the events.
    static bool Settle(EventGate& gate) {
        bool moved = false;
        SDL_Event e;
        for (int i = 0; i <= 20; ++i) {
            if (i > 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
            SDL_PumpEvents();
            gate.Pumped();
            while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0)
                moved = moved || e.type == SDL_MOUSEMOTION;
        }
        return moved;
    }

    XServer server_;
    SDL_Window* window_ = nullptr;
};

// The age rule is kept out of the way (an hour) so that each answer below has one reason.
constexpr Uint64 kNever = 3600 * 1000;

TEST_F(EventGateOnX, PumpsOnlyForNewRequestsNewEventsAnOpenPadOrAnOldPump) {
    EventGate gate(kNever);
    EXPECT_TRUE(gate.MustPump(false)) << "before it knows the connection, every frame pumps";
    gate.Attach(window_);
    Settle(gate);
    EXPECT_FALSE(gate.MustPump(false)) << "nothing new";
    EXPECT_TRUE(gate.MustPump(true)) << "an open pad is read at every pump";

    // A request's reply can bring events along, so a request sent means a pump.
    SDL_SetWindowTitle(window_, "changed");
    EXPECT_TRUE(gate.MustPump(false));
    Settle(gate);
    EXPECT_FALSE(gate.MustPump(false));

    // Another client moves the pointer over the window: the motion arrives on the socket.
    Display* other = XOpenDisplay(server_.Name().c_str());
    ASSERT_NE(other, nullptr);
    XWarpPointer(other, None, DefaultRootWindow(other), 0, 0, 0, 0, 60, 40);
    XSync(other, False);
    bool told = false;
    for (int i = 0; i < 200 && !told; ++i) {
        told = gate.MustPump(false);
        if (!told) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    XCloseDisplay(other);
    ASSERT_TRUE(told) << "the motion on the socket must open the gate";
    EXPECT_TRUE(Settle(gate)) << "and pumping hands it over";
    EXPECT_FALSE(gate.MustPump(false));

    EventGate young(0);
    young.Attach(window_);
    SDL_PumpEvents();
    young.Pumped();
    EXPECT_TRUE(young.MustPump(false)) << "a pump as old as the limit is due again";
}

}  // namespace

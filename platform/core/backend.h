// The seam between the platform layer's portable part and the system it runs on. A program picks
// its backend by the library it links (the SDL2 one, the browser's or the headless one); each defines GetBackend().
// Only code inside platform/ sees this header.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/api/mmsystem.h"
#include "platform/api/types.h"
#include "platform/core/picture_transform.h"

namespace platform {

enum class PixelLayout { Rgb565, Rgb555 };

// A picture handed to the display: 16-bit pixels, rows `pitch` pixels apart. `changed` lists the
// areas that may differ from the picture presented before it; null means all of it may.
struct Picture {
    const std::uint16_t* pixels;
    int pitch;
    int width;
    int height;
    PixelLayout layout;
    const std::vector<RECT>* changed = nullptr;
};

// Time as the program sees it: GetTickCount, Sleep, the multimedia timer and the 10 ms ticks that
// pace presentation. Under virtual time (headless) one thread drives the clock: when that thread
// would block, time moves on by one timer tick instead.
class Clock {
public:
    virtual ~Clock() = default;
    virtual DWORD NowMs() = 0;
    virtual void SleepMs(DWORD ms) = 0;
    virtual void TimeOfDay(FILETIME* time) = 0;

    // The multimedia timer. StartTimer returns 0 when it cannot start.
    virtual UINT StartTimer(UINT delayMs, LPTIMECALLBACK callback, DWORD_PTR user, bool periodic) = 0;
    virtual bool StopTimer(UINT id) = 0;

    // Ticks: the number of timer events so far, or of 10 ms slots while no timer runs.
    virtual std::uint64_t CurrentTick() = 0;
    // Returns once CurrentTick() is greater than `tick`.
    virtual void WaitForTickAfter(std::uint64_t tick) = 0;

    // Real time: the thread that made the clock delivers the timers' events itself while it waits,
    // so that an event wakes one thread rather than the timer's and then the waiter's. Waits sleep
    // no later than NextEventDue() and then call DeliverDueEvents(). Elsewhere, and on that thread
    // while it runs a callback, NextEventDue() is the end of time.
    virtual std::chrono::steady_clock::time_point NextEventDue() {
        return std::chrono::steady_clock::time_point::max();
    }
    virtual void DeliverDueEvents() {}

    // True on the thread whose waits move virtual time on; never under real time.
    virtual bool DrivesTime() = 0;
    // Virtual time only: run the next timer tick (10 ms) on the calling thread.
    virtual void AdvanceTime() = 0;
};

// What an audio device plays: it asks its source for 16-bit stereo frames at the device's rate,
// on a thread of its own, or under virtual time on the driving thread once a tick.
class AudioSource {
public:
    virtual ~AudioSource() = default;
    virtual void Render(std::int16_t* samples, std::size_t frames) = 0;
};

struct AudioDeviceInfo {
    int rate;     // frames per second the source is asked for
    bool stereo;  // the output formats the device reports it can take
    bool sixteenBit;
};

// Where the program's windows take typing (SetTypingAreas) and, while a field is edited, its
// caret (CreateCaret, SetCaretPos), in picture pixels.
struct TypingState {
    std::vector<RECT> areas;
    bool editing = false;
    RECT caret{};
};

class Backend {
public:
    virtual ~Backend() = default;

    virtual Clock& GetClock() = 0;

    // What GetDeviceCaps(BITSPIXEL) reports for the desktop, and its size in pixels.
    virtual int DesktopBitsPerPixel() = 0;
    virtual void DesktopSize(int* width, int* height) = 0;

    // The one native window behind the program's main window.
    virtual bool CreateNativeWindow(const char* title, int width, int height, bool fullscreen) = 0;
    virtual void SetNativeTitle(const char* title) = 0;
    virtual void DestroyNativeWindow() = 0;

    // The display inside that window. On failure `error` says why, for QZPrintError.
    virtual bool OpenDisplay(bool fullscreen, int width, int height, std::string* error) = 0;
    virtual void Present(const Picture& picture) = 0;
    virtual void CloseDisplay() = 0;
    // How a display of another size than the picture shows it, and the window's size out of full
    // screen. A display that is always the picture's size ignores both.
    virtual void SetScaling(ScaleMode, ScaleFilter) {}
    virtual void SetWindowSize(int, int) {}
    // Switches the display between the whole screen and a window; true when it now fills the screen.
    virtual bool ToggleFullscreen() = 0;

    // Turns pending native events into posted messages and input state (input.h). Called by
    // PeekMessageA on the thread of the windows.
    virtual void PumpEvents() = 0;

    virtual void ShowMessageBox(const char* text, const char* caption) = 0;
    // ShellExecuteA's work after the arguments were checked; true when started.
    virtual bool Execute(const char* verb, const char* file, const char* parameters, const char* directory) = 0;
    // One of the family's programs (by its lower-case name: "stalkway", "portico") asked to start,
    // with its Windows command line. A backend whose programs share one process (the browser's)
    // keeps the request for when the running one has ended and returns true; false has the program
    // started as any other.
    virtual bool StartFamilyProgram(const std::string& /*program*/, const std::string& /*arguments*/) { return false; }

    // The one audio device. OpenAudio returns false when there is none or it cannot be opened;
    // the source is not asked for frames until StartAudio, nor after StopAudio or CloseAudio
    // returns.
    virtual bool OpenAudio(AudioSource* source, AudioDeviceInfo* info) = 0;
    virtual bool StartAudio() = 0;
    virtual void StopAudio() = 0;
    virtual void CloseAudio() = 0;
    // False while what the output plays cannot be heard: in a browser, until the player's first
    // click or key lets the page play sound.
    virtual bool AudioHeard() { return true; }

    // Before a stored file takes its name (stored_file.h): a backend whose files do not outlast the
    // program copies `written` to where they do, under `storedPath`'s name, and returns once it is
    // kept there. False when that failed, which fails the store before anything is replaced.
    virtual bool Persist(const std::string& /*written*/, const std::string& /*storedPath*/) { return true; }

    // Around a read-merge-write of stored files (an exclusive LockFileEx, a storage::StoreLock):
    // a backend whose stored files other instances of the program keep too (the browser's tabs)
    // takes their shared lock and brings in what the others stored since, before the program reads.
    // False when it could not, which fails the lock. Holds nest; each true is ended by one release.
    virtual bool HoldStores() { return true; }
    virtual void ReleaseStores() {}

    // A picture the player asked to keep (F12) was stored at `nativePath`. A backend whose files the
    // player cannot reach hands it over another way (the browser offers it as a download) and
    // returns true; otherwise false, and the stored file is where the player finds it.
    virtual bool OfferToPlayer(const std::string& /*nativePath*/) { return false; }

    // The typing areas or the caret changed. A backend whose player may have no keyboard at hand
    // (the browser, on a phone) offers its on-screen one there; the others have nothing to do.
    virtual void TypingChanged(const TypingState& /*state*/) {}

    // OutputDebugStringA's text: the headless backend hands it to its driver, a real one drops it.
    virtual void DebugOutput(const char* text) = 0;

    // Notable platform calls, for tests of start-up and shutdown order. No-op on a real display.
    virtual void Trace(const char* event) = 0;
};

Backend& GetBackend();

}  // namespace platform

// The headless backend: no window, the display presents into memory, sound is mixed into memory,
// and time is virtual. The thread that calls Reset() drives the clock: whenever it would block (WaitForFrame,
// a flip that waits for its tick, Sleep, a wait on an event) the next 10 ms timer tick runs instead,
// on that thread. Tests and the scripted runner link this backend and steer it through this header.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/backend.h"

namespace platform::headless {

// Sees every tick and every outward action of the program. All calls come on the driving thread.
class Driver {
public:
    virtual ~Driver() = default;
    // Before tick `tick` (1, 2, ...) advances the clock: the place to feed input.
    virtual void BeforeTick(std::uint64_t /*tick*/) {}
    // After the tick's timer callbacks have run and the program's worker threads have settled.
    virtual void AfterTick(std::uint64_t /*tick*/) {}
    // After the display has taken a picture (PresentCount() counts it already).
    virtual void AfterPresent() {}
    virtual void OnMessageBox(const char* /*text*/, const char* /*caption*/) {}
    virtual void OnShellExecute(const char* /*verb*/, const char* /*file*/, const char* /*params*/,
                                const char* /*directory*/) {}
    // OutputDebugStringA's text.
    virtual void OnDebugString(const char* /*text*/) {}
};

// Back to a fresh machine: no windows, empty queue, nothing pressed, clock at 0, default desktop,
// no faults. The calling thread becomes the one that drives time.
void Reset();
void SetDriver(Driver* driver);

// What GetDeviceCaps(BITSPIXEL) reports: 16 unless told 15, 24 or 32.
void SetDesktopBits(int bits);
// The time of day the program reads, in seconds since 1970 (fixed: virtual time does not move it).
void SetTimeOfDay(std::int64_t unixSeconds);

// The multimedia timer refuses to start, as on a system without one.
void FailTimers(bool fail);

// Every write of the family is refused: CreateFileA for writing, every store (profiles,
// StoreFileA, F12's pictures), MoveFileExA, DeleteFileA.
void FailWrites(bool fail);
// ShellExecuteA starts nothing and fails (returns 32 or less), as for a program that is there but
// cannot run, or a desktop where no program opens documents; the driver still sees the call.
void FailPrograms(bool fail);
// Every open of a file of this name fails, pictures, sounds and settings alike, as if it were
// missing: "bell.wav" or "sounds\bell.wav", without regard to case.
void HideFile(const std::string& name);

// Runs one timer tick now, as a blocked wait on the driving thread would.
void AdvanceTick();
std::uint64_t TicksRun();

// The audio device: 16-bit stereo at kAudioRate, 10 ms of it rendered in every tick while the
// program's primary sound buffer plays.
inline constexpr int kAudioRate = 22050;
struct AudioDevice {
    bool present = true;      // without one, DirectSoundCreate fails
    bool startFails = false;  // the output cannot start: playing the primary buffer fails
    bool stereo = true;       // the output formats the device reports
    bool sixteenBit = true;
    bool heard = true;  // false: as a browser before the player's first click or key
};
// Takes effect at the next DirectSoundCreate; Reset restores the default device.
void SetAudioDevice(const AudioDevice& device);
// Keeps everything rendered from now on (interleaved left and right samples).
void CaptureAudio(bool on);
const std::vector<std::int16_t>& CapturedAudio();

// Input, delivered as a real display would: state first, then a posted message.
void MouseMove(int x, int y);
void MouseButton(int button, bool down);  // 1 left, 2 right
void Key(int virtualKey, bool down);
// One character typed: its key (when it has one) goes down, WM_CHAR follows, the key goes up.
void TypeCharacter(unsigned char character);
void SetActive(bool active);  // WM_ACTIVATEAPP and WM_ACTIVATE
void CloseBox();              // WM_CLOSE

// The picture as last presented, empty before the first flip.
bool HasPicture();
Picture LastPicture();
std::uint64_t PresentCount();

// Notable platform calls in order ("CreateWindowExA", "QZInitDirectX", ...), for order tests.
const std::vector<std::string>& Trace();
void ClearTrace();

// The main window's caption as last set.
std::string WindowTitle();

}  // namespace platform::headless

// Virtual time for the headless backend. The clock moves only when its driving thread would
// otherwise block: each step is one timer tick of 10 ms, in which the driver feeds input, the
// multimedia timers due run on the driving thread, 10 ms of sound is mixed, and the program's
// worker threads settle (having handled what the sound signalled).
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include "platform/core/backend.h"

namespace platform::headless {

class Driver;
class HeadlessAudio;

class VirtualClock : public Clock {
public:
    explicit VirtualClock(HeadlessAudio* audio) : audio_(audio) {}

    DWORD NowMs() override { return now_.load(); }
    void SleepMs(DWORD ms) override;
    void TimeOfDay(FILETIME* time) override;
    UINT StartTimer(UINT delayMs, LPTIMECALLBACK callback, DWORD_PTR user, bool periodic) override;
    bool StopTimer(UINT id) override;
    std::uint64_t CurrentTick() override { return ticks_.load(); }
    void WaitForTickAfter(std::uint64_t tick) override;
    bool DrivesTime() override { return std::this_thread::get_id() == driver_thread_; }
    void AdvanceTime() override;

    void Reset();
    void SetDriver(Driver* driver) { driver_ = driver; }
    void SetTimeOfDay(std::int64_t unixSeconds) { unix_seconds_ = unixSeconds; }
    void SetTimersFail(bool fail) { timers_fail_ = fail; }

private:
    struct Timer {
        UINT id;
        UINT period;
        LPTIMECALLBACK callback;
        DWORD_PTR user;
        bool periodic;
        std::uint64_t due;  // in ms of virtual time
    };
    void RunDueTimers();

    std::atomic<DWORD> now_{0};
    std::atomic<std::uint64_t> ticks_{0};
    std::thread::id driver_thread_{};
    HeadlessAudio* const audio_;
    Driver* driver_ = nullptr;
    std::int64_t unix_seconds_ = 0;
    bool timers_fail_ = false;
    bool advancing_ = false;
    std::vector<Timer> timers_;
    UINT next_id_ = 1;
};

}  // namespace platform::headless

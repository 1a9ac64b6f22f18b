#include "platform/headless/virtual_clock.h"

#include "platform/core/waitable.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_audio.h"

namespace platform::headless {

void VirtualClock::Reset() {
    now_ = 0;
    ticks_ = 0;
    driver_thread_ = std::this_thread::get_id();
    driver_ = nullptr;
    unix_seconds_ = 0;
    timers_fail_ = false;
    advancing_ = false;
    timers_.clear();
    next_id_ = 1;
}

void VirtualClock::SleepMs(DWORD ms) {
    if (!DrivesTime()) {
        std::this_thread::yield();
        return;
    }
    const DWORD end = now_ + ms;
    while (static_cast<std::int32_t>(end - now_.load()) > 0) AdvanceTime();
}

void VirtualClock::TimeOfDay(FILETIME* time) {
    *time = FileTimeOfSteps(kFileTimeStepsBefore1970 + static_cast<std::uint64_t>(unix_seconds_) * 10000000ull);
}

UINT VirtualClock::StartTimer(UINT delayMs, LPTIMECALLBACK callback, DWORD_PTR user, bool periodic) {
    if (timers_fail_) return 0;
    const UINT id = next_id_++;
    timers_.push_back(Timer{id, delayMs, callback, user, periodic, now_.load() + std::uint64_t{delayMs}});
    return id;
}

bool VirtualClock::StopTimer(UINT id) {
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        if (it->id == id) {
            timers_.erase(it);
            return true;
        }
    }
    return false;
}

void VirtualClock::WaitForTickAfter(std::uint64_t tick) {
    if (!DrivesTime()) return;
    while (ticks_.load() <= tick) AdvanceTime();
}

void VirtualClock::AdvanceTime() {
    // A driver hook or timer callback that waits must not start a tick inside a tick.
    if (advancing_) return;
    advancing_ = true;
    const std::uint64_t tick = ticks_.load() + 1;
    if (driver_ != nullptr) driver_->BeforeTick(tick);
    now_ += 10;
    ticks_ = tick;
    RunDueTimers();
    audio_->RenderTick();
    WaitForWorkerThreadsIdle();
    if (driver_ != nullptr) driver_->AfterTick(tick);
    advancing_ = false;
}

void VirtualClock::RunDueTimers() {
    // Callbacks may kill their own or other timers, so look each one up again by id.
    std::vector<UINT> due;
    for (const Timer& t : timers_)
        if (t.due <= now_.load()) due.push_back(t.id);
    for (UINT id : due) {
        for (size_t i = 0; i < timers_.size(); ++i) {
            if (timers_[i].id != id) continue;
            Timer timer = timers_[i];
            if (timer.periodic) timers_[i].due += timer.period;
            else timers_.erase(timers_.begin() + static_cast<std::ptrdiff_t>(i));
            timer.callback(timer.id, 0, timer.user, 0, 0);
            break;
        }
    }
}

}  // namespace platform::headless

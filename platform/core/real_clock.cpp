#include "platform/core/real_clock.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

namespace platform {
namespace {

using SteadyClock = std::chrono::steady_clock;
using Ms = std::chrono::milliseconds;

// The ticks a picture is paced by: the events of the periodic timers while one runs, so that a
// frame woken by the timer always finds a tick of its own; 10 ms slots of the clock while none
// runs. Slots alone drifted against the timer's events: once a picture had waited for the next
// slot, every later one did too, a wake-up and most of a slot's delay in each frame.
class Ticks {
public:
    explicit Ticks(SteadyClock::time_point start) : start_(start) {}

    std::uint64_t Current() {
        std::lock_guard lock(mutex_);
        return CurrentLocked();
    }

    void WaitAfter(std::uint64_t tick) {
        std::unique_lock lock(mutex_);
        while (CurrentLocked() <= tick) {
            if (periodicTimers_ > 0) changed_.wait(lock);
            else changed_.wait_until(lock, start_ + Ms((tick + 1) * 10));
        }
    }

    void TimerStarted() {
        std::lock_guard lock(mutex_);
        CurrentLocked();
        ++periodicTimers_;
    }

    void TimerStopped() {
        std::lock_guard lock(mutex_);
        --periodicTimers_;
        changed_.notify_all();
    }

    void Event() {
        std::lock_guard lock(mutex_);
        ++count_;
        changed_.notify_all();
    }

private:
    // Never backwards: the slots only move the count on while no timer counts it.
    std::uint64_t CurrentLocked() {
        if (periodicTimers_ == 0) {
            const auto slots = std::chrono::duration_cast<Ms>(SteadyClock::now() - start_).count() / 10;
            count_ = std::max<std::uint64_t>(count_, static_cast<std::uint64_t>(slots));
        }
        return count_;
    }

    const SteadyClock::time_point start_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::uint64_t count_ = 0;
    int periodicTimers_ = 0;
};

// One periodic or one-shot timer. Each event is due one period after the previous due time, so
// a late callback does not push the later ones back. The thread shares its state with the owner,
// so that a timer killed from its own callback can let its thread run out safely.
class TimerThread {
public:
    TimerThread(UINT id, UINT delayMs, LPTIMECALLBACK callback, DWORD_PTR user, bool periodic, Ticks& ticks)
        : state_(std::make_shared<State>(id, Ms(delayMs), callback, user, periodic, ticks)),
          thread_([state = state_] { Run(*state); }) {}

    ~TimerThread() {
        {
            std::lock_guard lock(state_->mutex);
            state_->stop = true;
        }
        state_->wake.notify_all();
        if (thread_.get_id() == std::this_thread::get_id()) thread_.detach();
        else thread_.join();
    }

    bool Periodic() const { return state_->periodic; }

private:
    struct State {
        State(UINT i, Ms d, LPTIMECALLBACK c, DWORD_PTR u, bool p, Ticks& t)
            : id(i), delay(d), callback(c), user(u), periodic(p), ticks(t) {}
        const UINT id;
        const Ms delay;
        const LPTIMECALLBACK callback;
        const DWORD_PTR user;
        const bool periodic;
        Ticks& ticks;
        std::mutex mutex;
        std::condition_variable wake;
        bool stop = false;
    };

    static void Run(State& s) {
        auto due = SteadyClock::now() + s.delay;
        std::unique_lock lock(s.mutex);
        for (;;) {
            if (s.wake.wait_until(lock, due, [&s] { return s.stop; })) return;
            lock.unlock();
            // Counted first: whoever the callback wakes sees the new tick.
            if (s.periodic) s.ticks.Event();
            s.callback(s.id, 0, s.user, 0, 0);
            lock.lock();
            if (!s.periodic || s.stop) return;
            due += s.delay;
        }
    }

    std::shared_ptr<State> state_;
    std::thread thread_;
};

class RealClock : public Clock {
public:
    DWORD NowMs() override {
        return static_cast<DWORD>(std::chrono::duration_cast<Ms>(SteadyClock::now() - start_).count());
    }

    void SleepMs(DWORD ms) override { std::this_thread::sleep_for(Ms(ms)); }

    void TimeOfDay(FILETIME* time) override {
        const auto since1970 = std::chrono::system_clock::now().time_since_epoch();
        *time = FileTimeOfSteps(kFileTimeStepsBefore1970 +
                                std::chrono::duration_cast<std::chrono::nanoseconds>(since1970).count() / 100);
    }

    UINT StartTimer(UINT delayMs, LPTIMECALLBACK callback, DWORD_PTR user, bool periodic) override {
        std::lock_guard lock(mutex_);
        const UINT id = nextId_++;
        if (periodic) ticks_.TimerStarted();
        timers_.emplace(id, std::make_unique<TimerThread>(id, delayMs, callback, user, periodic, ticks_));
        return id;
    }

    bool StopTimer(UINT id) override {
        std::unique_ptr<TimerThread> stopped;
        {
            std::lock_guard lock(mutex_);
            auto it = timers_.find(id);
            if (it == timers_.end()) return false;
            stopped = std::move(it->second);
            timers_.erase(it);
            if (stopped->Periodic()) ticks_.TimerStopped();
        }
        return true;  // `stopped` joins its thread here, outside the lock
    }

    std::uint64_t CurrentTick() override { return ticks_.Current(); }
    void WaitForTickAfter(std::uint64_t tick) override { ticks_.WaitAfter(tick); }

    bool DrivesTime() override { return false; }
    void AdvanceTime() override {}

private:
    const SteadyClock::time_point start_ = SteadyClock::now();
    // Outlives the timers, whose threads count on it.
    Ticks ticks_{start_};
    std::mutex mutex_;
    std::map<UINT, std::unique_ptr<TimerThread>> timers_;
    UINT nextId_ = 1;
};

}  // namespace

std::unique_ptr<Clock> MakeRealClock() { return std::make_unique<RealClock>(); }

}  // namespace platform

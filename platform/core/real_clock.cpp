#include "platform/core/real_clock.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/core/alarm.h"

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

    // True once the count is past `tick`; false if `until` comes first.
    bool WaitAfter(std::uint64_t tick, SteadyClock::time_point until) {
        std::unique_lock lock(mutex_);
        while (CurrentLocked() <= tick) {
            if (SteadyClock::now() >= until) return false;
            const auto limit = periodicTimers_ > 0 ? until : std::min(until, start_ + Ms((tick + 1) * 10));
            if (limit == SteadyClock::time_point::max()) changed_.wait(lock);
            else changed_.wait_until(lock, limit);
        }
        return true;
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

// One periodic or one-shot timer, shared by the clock, the timer's thread and the thread that
// started it, which delivers its events itself while it waits (much as a waitable timer's routine
// runs on the thread that set it). Each event is due one period after the previous due time, so
// that a late callback does not push the later ones back.
struct Timer {
    Timer(UINT i, Ms d, LPTIMECALLBACK c, DWORD_PTR u, bool p, Ticks& t)
        : id(i), delay(d), callback(c), user(u), periodic(p), ticks(t), due(SteadyClock::now() + d) {}

    const UINT id;
    const Ms delay;
    const LPTIMECALLBACK callback;
    const DWORD_PTR user;
    const bool periodic;
    Ticks& ticks;
    const std::thread::id owner = std::this_thread::get_id();
    // How long after an event's time the timer's own thread delivers it if nobody else has: long
    // enough for the waiting thread to wake and deliver it first, short against the period.
    const SteadyClock::duration lateBy = std::min<SteadyClock::duration>(Ms(2), delay / 4);

    std::mutex mutex;
    std::condition_variable delivered;
    Alarm alarm;
    SteadyClock::time_point due;
    std::thread::id deliverer;  // the thread running the callback; none between calls
    bool ended = false;         // killed, or a one-shot timer that has fired

    bool Delivering() const { return deliverer != std::thread::id(); }
};

// Runs the timer's event if it is due by `now`, then sets the timer's thread to wake just after the
// next one. Called with the timer's lock held; false if there was nothing to run.
bool Deliver(Timer& t, std::unique_lock<std::mutex>& lock, SteadyClock::time_point now) {
    if (t.ended || t.Delivering() || t.due > now) return false;
    t.deliverer = std::this_thread::get_id();
    lock.unlock();
    // Counted first: whoever the callback wakes sees the new tick.
    if (t.periodic) t.ticks.Event();
    t.callback(t.id, 0, t.user, 0, 0);
    lock.lock();
    t.deliverer = std::thread::id();
    t.delivered.notify_all();
    if (!t.periodic) t.ended = true;
    t.due += t.delay;
    t.alarm.Set(t.ended ? SteadyClock::time_point{} : t.due + t.lateBy);
    return true;
}

// The timer's thread: sleeps until an event is overdue, delivers it if nobody did, and leaves
// once the timer has ended. A waiting thread that delivered in time has already moved its alarm.
void RunTimer(Timer& t) {
    std::unique_lock lock(t.mutex);
    while (!t.ended) {
        const auto now = SteadyClock::now();
        if (Deliver(t, lock, now - t.lateBy)) continue;
        // While another thread runs the callback, look again a little later.
        t.alarm.Set(t.Delivering() ? now + t.lateBy : t.due + t.lateBy);
        lock.unlock();
        t.alarm.Sleep();
        lock.lock();
    }
}

// Owns a timer and its thread. A timer killed from its own callback lets its thread run out on its
// own, with the shared state.
class TimerThread {
public:
    TimerThread(UINT id, UINT delayMs, LPTIMECALLBACK callback, DWORD_PTR user, bool periodic, Ticks& ticks)
        : timer_(std::make_shared<Timer>(id, Ms(delayMs), callback, user, periodic, ticks)),
          thread_([timer = timer_] { RunTimer(*timer); }) {}

    // Once killed, the timer runs no more callbacks: a call under way on another thread is waited
    // for, unless it is this thread's own (a timer killed from its callback).
    ~TimerThread() {
        {
            std::unique_lock lock(timer_->mutex);
            timer_->ended = true;
            timer_->delivered.wait(
                lock, [this] { return !timer_->Delivering() || timer_->deliverer == std::this_thread::get_id(); });
        }
        timer_->alarm.Set(SteadyClock::time_point{});
        if (thread_.get_id() == std::this_thread::get_id()) thread_.detach();
        else thread_.join();
    }

    bool Periodic() const { return timer_->periodic; }
    bool StartedHere() const { return timer_->owner == std::this_thread::get_id(); }
    const std::shared_ptr<Timer>& Shared() const { return timer_; }

    // When a waiting thread should deliver the next event: never while the event is being run.
    SteadyClock::time_point Due() const {
        std::lock_guard lock(timer_->mutex);
        return timer_->ended || timer_->Delivering() ? SteadyClock::time_point::max() : timer_->due;
    }

private:
    std::shared_ptr<Timer> timer_;
    std::thread thread_;
};

// Set while a thread delivers events: a wait inside a callback leaves them to the timers' own
// threads instead of running callbacks inside callbacks.
thread_local bool t_delivering = false;
// The events a thread is about to deliver; kept to spare an allocation at every tick.
thread_local std::vector<std::shared_ptr<Timer>> t_due;

class RealClock : public Clock {
public:
    DWORD NowMs() override {
        return static_cast<DWORD>(std::chrono::duration_cast<Ms>(SteadyClock::now() - start_).count());
    }

    void SleepMs(DWORD ms) override {
        const auto end = SteadyClock::now() + Ms(ms);
        for (auto due = NextEventDue(); due < end; due = NextEventDue()) {
            std::this_thread::sleep_until(due);
            DeliverDueEvents();
        }
        std::this_thread::sleep_until(end);
    }

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
    void WaitForTickAfter(std::uint64_t tick) override {
        while (!ticks_.WaitAfter(tick, NextEventDue())) DeliverDueEvents();
    }

    SteadyClock::time_point NextEventDue() override {
        auto next = SteadyClock::time_point::max();
        if (t_delivering) return next;
        std::lock_guard lock(mutex_);
        for (const auto& timer : timers_)
            if (timer.second->StartedHere()) next = std::min(next, timer.second->Due());
        return next;
    }

    void DeliverDueEvents() override {
        if (t_delivering) return;
        const auto now = SteadyClock::now();
        // Callbacks may start and kill timers, so they run outside the lock, on shared state.
        std::vector<std::shared_ptr<Timer>>& due = t_due;
        {
            std::lock_guard lock(mutex_);
            for (const auto& timer : timers_)
                if (timer.second->StartedHere() && timer.second->Due() <= now) due.push_back(timer.second->Shared());
        }
        t_delivering = true;
        for (const auto& timer : due) {
            std::unique_lock lock(timer->mutex);
            Deliver(*timer, lock, now);
        }
        t_delivering = false;
        due.clear();
    }

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

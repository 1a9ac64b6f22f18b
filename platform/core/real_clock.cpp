#include "platform/core/real_clock.h"

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

// One periodic or one-shot timer. Each event is due one period after the previous due time, so
// a late callback does not push the later ones back. The thread shares its state with the owner,
// so that a timer killed from its own callback can let its thread run out safely.
class TimerThread {
public:
    TimerThread(UINT id, UINT delayMs, LPTIMECALLBACK callback, DWORD_PTR user, bool periodic)
        : state_(std::make_shared<State>(id, Ms(delayMs), callback, user, periodic)),
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

private:
    struct State {
        State(UINT i, Ms d, LPTIMECALLBACK c, DWORD_PTR u, bool p)
            : id(i), delay(d), callback(c), user(u), periodic(p) {}
        const UINT id;
        const Ms delay;
        const LPTIMECALLBACK callback;
        const DWORD_PTR user;
        const bool periodic;
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
        // FILETIME counts 100 ns steps since 1601.
        constexpr std::uint64_t kEpochDifference = 116444736000000000ull;
        const auto since1970 = std::chrono::system_clock::now().time_since_epoch();
        const std::uint64_t value = kEpochDifference +
                                    std::chrono::duration_cast<std::chrono::nanoseconds>(since1970).count() / 100;
        time->dwLowDateTime = static_cast<DWORD>(value);
        time->dwHighDateTime = static_cast<DWORD>(value >> 32);
    }

    UINT StartTimer(UINT delayMs, LPTIMECALLBACK callback, DWORD_PTR user, bool periodic) override {
        std::lock_guard lock(mutex_);
        const UINT id = nextId_++;
        timers_.emplace(id, std::make_unique<TimerThread>(id, delayMs, callback, user, periodic));
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
        }
        return true;  // `stopped` joins its thread here, outside the lock
    }

    // Ticks are 10 ms slots of the monotonic clock: they never go backwards, timer or not.
    std::uint64_t CurrentTick() override { return NowMs() / 10; }

    void WaitForTickAfter(std::uint64_t tick) override { std::this_thread::sleep_until(start_ + Ms((tick + 1) * 10)); }

    bool DrivesTime() override { return false; }
    void AdvanceTime() override {}

private:
    const SteadyClock::time_point start_ = SteadyClock::now();
    std::mutex mutex_;
    std::map<UINT, std::unique_ptr<TimerThread>> timers_;
    UINT nextId_ = 1;
};

}  // namespace

std::unique_ptr<Clock> MakeRealClock() { return std::make_unique<RealClock>(); }

}  // namespace platform

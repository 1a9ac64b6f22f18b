// A wake-up time for one sleeping thread that other threads can move without waking it.
//
// A timer's thread sleeps on one of these until its next event is due. When another thread has
// delivered that event on time, it moves the alarm on to the next one, and the timer's thread
// sleeps through. On Linux the kernel keeps the time (a timerfd), so moving it wakes nobody;
// elsewhere a condition variable stands in, and the sleeper wakes at the old time to find the new.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace platform {

class Alarm {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    Alarm();
    ~Alarm();
    Alarm(const Alarm&) = delete;
    Alarm& operator=(const Alarm&) = delete;

    // Sets the time the sleeper wakes at; a time already past wakes it at once.
    void Set(TimePoint when);
    // Sleeps until the time last set has passed.
    void Sleep();

private:
#if defined(__linux__) && !defined(__EMSCRIPTEN__)
    int fd_ = -1;
#else
    std::mutex mutex_;
    std::condition_variable changed_;
    TimePoint when_ = TimePoint::max();
#endif
};

}  // namespace platform

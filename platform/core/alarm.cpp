#include "platform/core/alarm.h"

#if defined(__linux__) && !defined(__EMSCRIPTEN__)
#include <sys/timerfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#endif

namespace platform {

#if defined(__linux__) && !defined(__EMSCRIPTEN__)

// steady_clock is CLOCK_MONOTONIC, so its time points are the timerfd's absolute times.
Alarm::Alarm() : fd_(timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC)) {
    // Without it no timer can keep time at all; there is nothing sensible to fall back on.
    if (fd_ < 0) std::abort();
}

Alarm::~Alarm() { close(fd_); }

void Alarm::Set(TimePoint when) {
    const auto since = std::chrono::duration_cast<std::chrono::nanoseconds>(when.time_since_epoch()).count();
    itimerspec spec{};
    // Zero would disarm the timer; a time before the clock's start still fires at once.
    const long long ns = since > 0 ? since : 1;
    spec.it_value.tv_sec = static_cast<time_t>(ns / 1000000000);
    spec.it_value.tv_nsec = static_cast<long>(ns % 1000000000);
    // Setting the time also drops an expiry not yet read, so the sleeper keeps sleeping.
    timerfd_settime(fd_, TFD_TIMER_ABSTIME, &spec, nullptr);
}

void Alarm::Sleep() {
    std::uint64_t expiries = 0;
    while (read(fd_, &expiries, sizeof expiries) < 0 && errno == EINTR) {}
}

#else

Alarm::Alarm() = default;
Alarm::~Alarm() = default;

void Alarm::Set(TimePoint when) {
    {
        std::lock_guard lock(mutex_);
        when_ = when;
    }
    changed_.notify_one();
}

void Alarm::Sleep() {
    std::unique_lock lock(mutex_);
    while (std::chrono::steady_clock::now() < when_) changed_.wait_until(lock, when_);
}

#endif

}  // namespace platform

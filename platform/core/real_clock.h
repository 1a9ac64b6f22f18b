// Time on a real machine: the monotonic clock, and multimedia timers each on a thread of its own.
// A timer's events are delivered by the thread that started it while that thread waits, and by the
// timer's own thread only when the starter is busy: most ticks then wake one thread, not two.
#pragma once

#include <memory>

#include "platform/core/backend.h"

namespace platform {

std::unique_ptr<Clock> MakeRealClock();

}  // namespace platform

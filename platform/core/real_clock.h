// Time on a real machine: the monotonic clock, and multimedia timers each on a thread of its own.
#pragma once

#include <memory>

#include "platform/core/backend.h"

namespace platform {

std::unique_ptr<Clock> MakeRealClock();

}  // namespace platform

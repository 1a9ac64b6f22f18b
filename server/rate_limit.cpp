#include "server/rate_limit.h"

namespace server {

namespace {

constexpr std::int64_t kWindowMs = 60'000;

}  // namespace

bool RateLimit::Admit(const std::string& address, std::int64_t nowMs) {
    if (perMinute_ <= 0) return true;
    const std::lock_guard<std::mutex> hold(lock_);
    Forget(nowMs);
    std::deque<std::int64_t>& times = recent_[address];
    while (!times.empty() && times.front() <= nowMs - kWindowMs) times.pop_front();
    if (static_cast<int>(times.size()) >= perMinute_) return false;
    times.push_back(nowMs);
    return true;
}

// Once a minute, the addresses with nothing left in the window go, so that the map holds only
// the last minute's addresses.
void RateLimit::Forget(std::int64_t nowMs) {
    if (nowMs - lastSweepMs_ < kWindowMs) return;
    lastSweepMs_ = nowMs;
    std::erase_if(recent_, [nowMs](const auto& entry) { return entry.second.back() <= nowMs - kWindowMs; });
}

}  // namespace server

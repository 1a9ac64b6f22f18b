// Submissions per address: at most `perMinute` in any sixty seconds, so that one address cannot
// flood the replays. The address is held in memory for that minute only, never stored.
#pragma once

#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <unordered_map>

namespace server {

class RateLimit {
public:
    // 0 lets every submission through.
    explicit RateLimit(int perMinute) : perMinute_(perMinute) {}
    // True when the address may submit at `nowMs`; the submission then counts.
    bool Admit(const std::string& address, std::int64_t nowMs);

private:
    void Forget(std::int64_t nowMs);

    const int perMinute_;
    std::mutex lock_;
    std::unordered_map<std::string, std::deque<std::int64_t>> recent_;
    std::int64_t lastSweepMs_ = 0;
};

}  // namespace server

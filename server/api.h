// The API's three requests, apart from HTTP: each takes what the request carried and gives the
// status and the JSON body to answer with. Every refusal says what is wrong, and stores nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "server/maze_shelf.h"
#include "server/rate_limit.h"
#include "server/run_replay.h"
#include "server/score_store.h"

namespace server {

struct ApiResponse {
    int status = 200;
    std::string body;  // JSON
};

inline constexpr int kDefaultTableLimit = 20;
inline constexpr int kMaxTableLimit = 100;

class HallOfFameApi {
public:
    using Clock = std::function<std::int64_t()>;  // milliseconds since 1970, UTC

    HallOfFameApi(MazeShelf& shelf, RunReplayer& replayer, ScoreStore& store, RateLimit& limit, Clock clock);

    // POST /api/v1/runs from `address`, which counts against the rate limit and goes no further.
    ApiResponse SubmitRun(std::string_view body, const std::string& address);
    // GET /api/v1/mazes/{maze}/top?limit=K; `limit` is the parameter's text when given.
    ApiResponse Top(std::string_view maze, const std::optional<std::string>& limit);
    // GET /api/v1/health.
    ApiResponse Health();

private:
    MazeShelf& shelf_;
    RunReplayer& replayer_;
    ScoreStore& store_;
    RateLimit& limit_;
    Clock clock_;
};

// {"error": message} with the status.
ApiResponse ErrorResponse(int status, const std::string& message);
// "2026-12-08T16:45:40.123Z".
std::string UtcTime(std::int64_t ms);
// Milliseconds since 1970 by the system clock.
std::int64_t SystemClockMs();

}  // namespace server

#include "server/api.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <variant>

#include "server/run_request.h"

namespace server {

namespace {

using Json = nlohmann::json;

ApiResponse JsonResponse(int status, const Json& body) { return ApiResponse{status, body.dump()}; }

ApiResponse NotServed(const MazeId& maze) { return ErrorResponse(404, "maze " + maze.Name() + " is not served here"); }

// The client learns only that it may try again; the operator reads why on standard error.
ApiResponse Unavailable(const DatabaseError& error) {
    std::fprintf(stderr, "stalkway-server: %s\n", error.what());
    return ErrorResponse(503, "the database is unavailable; try later");
}

// 1 to 100 in plain digits.
std::optional<int> LimitOf(const std::optional<std::string>& text) {
    if (!text) return kDefaultTableLimit;
    int limit = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), limit);
    if (text->empty() || error != std::errc{} || end != text->data() + text->size() || limit < 1 ||
        limit > kMaxTableLimit)
        return std::nullopt;
    return limit;
}

}  // namespace

ApiResponse ErrorResponse(int status, const std::string& message) { return JsonResponse(status, {{"error", message}}); }

std::string UtcTime(std::int64_t ms) {
    using namespace std::chrono;
    const sys_time<milliseconds> time{milliseconds{ms}};
    const sys_days day = floor<days>(time);
    const year_month_day date{day};
    const hh_mm_ss<milliseconds> clock{time - day};
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d.%03dZ", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
                  static_cast<int>(clock.seconds().count()), static_cast<int>(clock.subseconds().count()));
    return text;
}

std::int64_t SystemClockMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

HallOfFameApi::HallOfFameApi(MazeShelf& shelf, RunReplayer& replayer, ScoreStore& store, RateLimit& limit, Clock clock)
    : shelf_(shelf), replayer_(replayer), store_(store), limit_(limit), clock_(std::move(clock)) {}

ApiResponse HallOfFameApi::SubmitRun(std::string_view body, const std::string& address) {
    const std::int64_t now = clock_();
    if (!limit_.Admit(address, now)) return ErrorResponse(429, "too many runs from this address; wait a minute");
    auto decoded = DecodeRunRequest(body, now);
    if (const auto* refusal = std::get_if<Refusal>(&decoded)) return ErrorResponse(refusal->status, refusal->message);
    const RunRequest& run = std::get<RunRequest>(decoded);
    if (!shelf_.Serves(run.maze)) return NotServed(run.maze);
    const std::optional<RunOutcome> outcome = replayer_.Replay(run.maze, run.moves);
    if (!outcome) return ErrorResponse(503, "maze " + run.maze.Name() + " could not be loaded");
    if (outcome->Refused()) {
        return JsonResponse(422,
                            {{"error", "move " + std::to_string(outcome->refusedAt) + " is not open at that point"},
                             {"index", outcome->refusedAt}});
    }
    StoredRun stored{run.maze.Name(), run.player, run.moves, outcome->score, outcome->perfect, outcome->finished, now};
    try {
        const StoreOutcome result = store_.Store(stored);
        return JsonResponse(result.stored ? 201 : 200, {{"score", outcome->score},
                                                        {"perfect", outcome->perfect},
                                                        {"finished", outcome->finished},
                                                        {"rank", result.rank}});
    } catch (const DatabaseError& error) {
        return Unavailable(error);
    }
}

ApiResponse HallOfFameApi::Top(std::string_view mazeName, const std::optional<std::string>& limitText) {
    const std::optional<MazeId> maze = MazeOfName(mazeName, clock_());
    if (!maze) return ErrorResponse(400, "a maze is \"classic\" or a number from 1 to 99999999");
    if (!shelf_.Serves(*maze)) return NotServed(*maze);
    const std::optional<int> limit = LimitOf(limitText);
    if (!limit) return ErrorResponse(400, "limit is a number from 1 to 100");
    try {
        Json rows = Json::array();
        for (const TableRow& row : store_.Top(maze->Name(), *limit)) {
            rows.push_back({{"rank", row.rank},
                            {"player", row.player},
                            {"score", row.score},
                            {"perfect", row.perfect},
                            {"moves", row.moves},
                            {"submitted", UtcTime(row.submittedMs)}});
        }
        return JsonResponse(200, {{"maze", maze->Name()}, {"runs", rows}});
    } catch (const DatabaseError& error) {
        return Unavailable(error);
    }
}

ApiResponse HallOfFameApi::Health() {
    try {
        store_.Ping();
        return JsonResponse(200, {{"status", "ok"}, {"database", store_.Kind()}});
    } catch (const DatabaseError& error) {
        Unavailable(error);
        return JsonResponse(503, {{"status", "unavailable"}, {"database", store_.Kind()}});
    }
}

}  // namespace server

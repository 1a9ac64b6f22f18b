// The server's decoder of a submitted run over a fuzzed body. A body it takes holds a maze in
// range, a name by the launcher's rule and 1 to 10,000 move letters, and decodes the same when
// written out again; a body it refuses gets a 4xx and a reason.
#include <nlohmann/json.hpp>
#include <string_view>
#include <variant>

#include "fuzz/fuzz_target.h"
#include "server/run_request.h"

namespace fuzz {

// The day "today" names: any fixed one, so that a body decodes the same every time.
constexpr std::int64_t kNowMs = 1'780'000'000'000;

void RunRequestBody(std::span<const std::uint8_t> input) {
    const std::string_view body(reinterpret_cast<const char*>(input.data()), input.size());
    const auto decoded = server::DecodeRunRequest(body, kNowMs);
    if (const auto* refusal = std::get_if<server::Refusal>(&decoded)) {
        Check(refusal->status >= 400 && refusal->status < 500, "a refusal is a 4xx");
        Check(!refusal->message.empty(), "a refusal says why");
        return;
    }
    const server::RunRequest& run = std::get<server::RunRequest>(decoded);
    Check(run.maze.number >= 0 && run.maze.number <= server::kLastMazeNumber, "the maze is in range");
    Check(server::ValidPlayerName(run.player), "the name keeps the launcher's rule");
    Check(!run.moves.empty() && run.moves.size() <= server::kMaxMoves, "1 to 10000 moves");
    Check(run.moves.find_first_not_of("LRUDB") == std::string::npos, "only move letters");
    nlohmann::json again{{"player", run.player}, {"moves", run.moves}};
    if (run.maze.Classic()) again["maze"] = "classic";
    else again["maze"] = run.maze.number;
    const auto redecoded = server::DecodeRunRequest(again.dump(), kNowMs);
    const auto* same = std::get_if<server::RunRequest>(&redecoded);
    Check(same != nullptr && same->maze == run.maze && same->player == run.player && same->moves == run.moves,
          "a run taken decodes the same when written out again");
}

}  // namespace fuzz

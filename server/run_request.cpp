#include "server/run_request.h"

#include <nlohmann/json.hpp>

#include "server/run_replay.h"

namespace server {

namespace {

using Json = nlohmann::json;

Refusal BadRequest(std::string message) { return Refusal{400, std::move(message)}; }

std::optional<MazeId> MazeOf(const Json& field, std::int64_t nowMs) {
    if (field.is_string()) return MazeOfName(field.get_ref<const std::string&>(), nowMs);
    if (field.is_number_unsigned()) {
        const std::uint64_t number = field.get<std::uint64_t>();
        if (number < 1 || number > static_cast<std::uint64_t>(kLastMazeNumber)) return std::nullopt;
        return MazeId{static_cast<std::int64_t>(number)};
    }
    // A negative whole number, a fraction or anything else.
    return std::nullopt;
}

std::optional<Refusal> CheckMoves(const std::string& moves) {
    if (moves.empty()) return BadRequest("\"moves\" is empty: a run has at least one move");
    if (moves.size() > kMaxMoves) return BadRequest("\"moves\" holds more than 10000 moves");
    const std::size_t wrong = moves.find_first_not_of(kMoveLetters);
    if (wrong != std::string::npos)
        return BadRequest("\"moves\" may hold only L, R, U, D and B; character " + std::to_string(wrong) +
                          " is not one");
    return std::nullopt;
}

}  // namespace

bool ValidPlayerName(std::string_view name) {
    if (name.empty() || name.size() > kMaxNameLength || name.front() == ' ' || name.back() == ' ') return false;
    for (const char c : name)
        if (c < 0x20 || c > 0x7E || c == ':') return false;
    return true;
}

std::variant<RunRequest, Refusal> DecodeRunRequest(std::string_view body, std::int64_t nowMs) {
    if (body.size() > kMaxBodyBytes) return Refusal{413, "the body is larger than 64 KiB"};
    const Json json = Json::parse(body.begin(), body.end(), nullptr, false);
    if (json.is_discarded()) return BadRequest("the body is not JSON");
    if (!json.is_object()) return BadRequest("the body is not a JSON object");
    const auto maze = json.find("maze");
    const auto player = json.find("player");
    const auto moves = json.find("moves");
    if (maze == json.end() || player == json.end() || moves == json.end())
        return BadRequest("a run needs \"maze\", \"player\" and \"moves\"");
    RunRequest request;
    const std::optional<MazeId> mazeId = MazeOf(*maze, nowMs);
    if (!mazeId) return BadRequest("\"maze\" is \"classic\" or a number from 1 to 99999999");
    request.maze = *mazeId;
    if (!player->is_string() || !ValidPlayerName(player->get_ref<const std::string&>()))
        return BadRequest("\"player\" is 1 to 63 printable characters, without \":\" or blanks at either end");
    request.player = player->get<std::string>();
    if (!moves->is_string()) return BadRequest("\"moves\" is a string of L, R, U, D and B");
    request.moves = moves->get<std::string>();
    if (auto refusal = CheckMoves(request.moves)) return *refusal;
    return request;
}

}  // namespace server

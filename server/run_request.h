// The body of POST /api/v1/runs, decoded and checked before anything is replayed or stored:
// {"maze": "classic" | N, "player": NAME, "moves": MOVES}; the maze may be written as the
// programs' command lines take it ("classic", "today" or its number). Other fields (a "score", say) are
// ignored, never trusted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "server/maze_shelf.h"

namespace server {

inline constexpr std::size_t kMaxBodyBytes = 64 * 1024;
inline constexpr std::size_t kMaxMoves = 10'000;
// The launcher's own rule for a name: what its 64-byte field reads back.
inline constexpr std::size_t kMaxNameLength = 63;

struct RunRequest {
    MazeId maze;
    std::string player;
    std::string moves;
};

// A request refused: the HTTP status and a message that says what is wrong.
struct Refusal {
    int status;
    std::string message;
};

// `nowMs` (milliseconds since 1970, UTC) says which maze a "maze" of "today" is.
std::variant<RunRequest, Refusal> DecodeRunRequest(std::string_view body, std::int64_t nowMs);

// 1 to 63 printable ASCII characters, no ":" (which separates the fields of a stored player
// text) and no blank at either end (the launcher trims them).
bool ValidPlayerName(std::string_view name);

}  // namespace server

// The world hall of fame's table of the chosen maze, as the launcher shows it in place of its own
// (GET /api/v1/mazes/{classic|N}/top): the rows, or why there are none.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "launcher/hall_of_fame_view.h"

struct WorldTable {
    enum class State { kNoServer, kAsking, kOffline, kShown };
    State state = State::kNoServer;
    std::vector<FameRow> rows;  // best first, as many as the server sent (at most twenty)
};

// Asks `server` (none when empty) for the maze's twenty best, waiting at most `timeoutMs`; a
// server that does not answer, or answers with anything but a table, is offline.
WorldTable FetchWorldTable(const std::string& server, std::uint32_t maze, int timeoutMs);

// The rows of the table's answer, {"runs": [{"rank", "player", "score", ...}, ...], ...}; nothing
// when the text is not such an answer.
std::optional<std::vector<FameRow>> ReadWorldRows(std::string_view json);

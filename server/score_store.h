// The world tables: runs stored once each, ranked by score with the earlier run first among
// equal scores, as in the game's own hall of fame. The schema is migrated when the store opens.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "server/sql_database.h"

namespace server {

struct StoredRun {
    std::string maze;  // MazeId::Name()
    std::string player;
    std::string moves;
    int score = 0;
    bool perfect = false;
    bool finished = false;
    std::int64_t submittedMs = 0;  // milliseconds since 1970, UTC
};

struct StoreOutcome {
    bool stored = false;  // false: the same run (maze, player, moves) was there already
    int rank = 0;
};

struct TableRow {
    int rank = 0;
    std::string player;
    int score = 0;
    bool perfect = false;
    int moves = 0;
    std::int64_t submittedMs = 0;
};

class ScoreStore {
public:
    // Applies the migrations the database lacks. Throws DatabaseError.
    explicit ScoreStore(std::unique_ptr<SqlDatabase> database);

    std::string Kind() const { return database_->Kind(); }
    // Throws DatabaseError; so do the others.
    StoreOutcome Store(const StoredRun& run);
    std::vector<TableRow> Top(const std::string& maze, int limit);
    void Ping();

private:
    void Migrate();

    std::unique_ptr<SqlDatabase> database_;
};

// What makes two runs the same run: a digest of maze, player and moves, so that the unique
// index stays small whatever the length of the moves.
std::string RunKey(const std::string& maze, const std::string& player, const std::string& moves);

}  // namespace server

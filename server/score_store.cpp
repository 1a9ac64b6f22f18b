#include "server/score_store.h"

#include <openssl/evp.h>

#include <cstdio>

namespace server {

namespace {

struct Migration {
    int version;
    const char* sqlite;
    const char* postgresql;
};

// The runs, as both databases hold them; only the kind of the growing id differs.
#define STALKWAY_RUNS_COLUMNS                                                                                   \
    "run_key TEXT NOT NULL UNIQUE, maze TEXT NOT NULL, player TEXT NOT NULL, moves TEXT NOT NULL, "             \
    "score BIGINT NOT NULL, perfect INTEGER NOT NULL, finished INTEGER NOT NULL, move_count INTEGER NOT NULL, " \
    "submitted_ms BIGINT NOT NULL)"

constexpr Migration kMigrations[] = {
    {1,
     "CREATE TABLE runs (id INTEGER PRIMARY KEY AUTOINCREMENT, " STALKWAY_RUNS_COLUMNS
     "; CREATE INDEX runs_by_rank ON runs (maze, score DESC, id)",
     "CREATE TABLE runs (id BIGINT GENERATED ALWAYS AS IDENTITY PRIMARY KEY, " STALKWAY_RUNS_COLUMNS
     "; CREATE INDEX runs_by_rank ON runs (maze, score DESC, id)"},
};

#undef STALKWAY_RUNS_COLUMNS

std::int64_t Number(const std::string& text) { return std::stoll(text); }

}  // namespace

std::string RunKey(const std::string& maze, const std::string& player, const std::string& moves) {
    // The separators cannot occur in any of the three: a maze name and moves are letters and
    // digits, and a name is printable.
    const std::string joined = maze + '\n' + player + '\n' + moves;
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    EVP_Digest(joined.data(), joined.size(), digest, &size, EVP_sha256(), nullptr);
    std::string hex;
    char pair[3];
    for (unsigned int i = 0; i < size; ++i) {
        std::snprintf(pair, sizeof pair, "%02x", digest[i]);
        hex += pair;
    }
    return hex;
}

ScoreStore::ScoreStore(std::unique_ptr<SqlDatabase> database) : database_(std::move(database)) { Migrate(); }

void ScoreStore::Migrate() {
    const bool postgres = database_->Kind() == "postgresql";
    database_->WithSession([&](SqlSession& session) {
        session.ExecuteSchema("CREATE TABLE IF NOT EXISTS schema_migrations (version INTEGER PRIMARY KEY)");
        int applied = 0;
        for (const auto& row : session.Run(Statement::kAppliedMigrations, {}))
            applied = std::max(applied, static_cast<int>(Number(row[0])));
        for (const Migration& migration : kMigrations) {
            if (migration.version <= applied) continue;
            session.Begin();
            session.ExecuteSchema(postgres ? migration.postgresql : migration.sqlite);
            session.Run(Statement::kNoteMigration, {std::int64_t{migration.version}});
            session.Commit();
        }
    });
}

StoreOutcome ScoreStore::Store(const StoredRun& run) {
    StoreOutcome outcome;
    const std::string key = RunKey(run.maze, run.player, run.moves);
    database_->WithSession([&](SqlSession& session) {
        SqlRows inserted = session.Run(
            Statement::kInsertRun,
            {key, run.maze, run.player, run.moves, std::int64_t{run.score}, std::int64_t{run.perfect},
             std::int64_t{run.finished}, static_cast<std::int64_t>(run.moves.size()), run.submittedMs});
        outcome.stored = !inserted.empty();
        std::int64_t id = 0, score = run.score;
        if (outcome.stored) {
            id = Number(inserted[0][0]);
        } else {
            const SqlRows found = session.Run(Statement::kFindRun, {key});
            if (found.empty()) throw DatabaseError("a run neither stored nor found");
            id = Number(found[0][0]);
            score = Number(found[0][1]);
        }
        const SqlRows rank = session.Run(Statement::kRankOf, {run.maze, score, id});
        outcome.rank = static_cast<int>(Number(rank.at(0).at(0)));
    });
    return outcome;
}

std::vector<TableRow> ScoreStore::Top(const std::string& maze, int limit) {
    std::vector<TableRow> table;
    database_->WithSession([&](SqlSession& session) {
        for (const auto& row : session.Run(Statement::kTop, {maze, std::int64_t{limit}})) {
            TableRow entry;
            entry.rank = static_cast<int>(table.size()) + 1;
            entry.player = row[0];
            entry.score = static_cast<int>(Number(row[1]));
            entry.perfect = Number(row[2]) != 0;
            entry.moves = static_cast<int>(Number(row[3]));
            entry.submittedMs = Number(row[4]);
            table.push_back(std::move(entry));
        }
    });
    return table;
}

void ScoreStore::Ping() {
    database_->WithSession([](SqlSession& session) { session.Run(Statement::kPing, {}); });
}

}  // namespace server

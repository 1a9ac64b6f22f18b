#include "server/sql_database.h"

#include "server/database_openers.h"

namespace server {

const char* StatementText(Statement statement) {
    switch (statement) {
    case Statement::kInsertRun:
        return "INSERT INTO runs (run_key, maze, player, moves, score, perfect, finished, move_count, submitted_ms) "
               "VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9) ON CONFLICT (run_key) DO NOTHING RETURNING id";
    case Statement::kFindRun: return "SELECT id, score FROM runs WHERE run_key = $1";
    // Equal scores rank the earlier run first: ids grow with each run stored.
    case Statement::kRankOf:
        return "SELECT COUNT(*) + 1 FROM runs WHERE maze = $1 AND (score > $2 OR (score = $2 AND id < $3))";
    case Statement::kTop:
        return "SELECT player, score, perfect, move_count, submitted_ms FROM runs WHERE maze = $1 "
               "ORDER BY score DESC, id ASC LIMIT $2";
    case Statement::kAppliedMigrations: return "SELECT version FROM schema_migrations ORDER BY version";
    case Statement::kNoteMigration: return "INSERT INTO schema_migrations (version) VALUES ($1)";
    case Statement::kPing: return "SELECT 1";
    }
    return "";
}

std::unique_ptr<SqlDatabase> OpenDatabase(const std::string& address) {
    if (address.rfind("sqlite:", 0) == 0) return OpenSqlite(address.substr(7));
    if (address.rfind("postgresql://", 0) == 0 || address.rfind("postgres://", 0) == 0) return OpenPostgres(address);
    throw DatabaseError("the database is sqlite:PATH or postgresql://...: " + address);
}

}  // namespace server

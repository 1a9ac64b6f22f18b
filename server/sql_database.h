// The two databases behind one small interface: a session runs the store's prepared statements
// with their parameters bound, never SQL built from text it was sent. SQLite is embedded (the
// default); PostgreSQL is for a deployment. Both hold the same tables.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace server {

// The statements of the store, prepared once per connection.
enum class Statement { kInsertRun, kFindRun, kRankOf, kTop, kAppliedMigrations, kNoteMigration, kPing };

// A parameter: an integer or a text.
struct SqlValue {
    SqlValue(std::int64_t value) : integer(value), isInteger(true) {}  // NOLINT: either kind reads naturally
    SqlValue(std::string value) : text(std::move(value)) {}            // NOLINT
    std::int64_t integer = 0;
    std::string text;
    bool isInteger = false;
};

// Rows of columns, each as the text the database gives for it.
using SqlRows = std::vector<std::vector<std::string>>;

// Any failure to reach or use the database.
class DatabaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class SqlSession {
public:
    virtual ~SqlSession() = default;
    virtual SqlRows Run(Statement statement, const std::vector<SqlValue>& parameters) = 0;
    // The schema's own statements, fixed in the program: migrations only.
    virtual void ExecuteSchema(const std::string& sql) = 0;
    // The migrations' transaction.
    virtual void Begin() = 0;
    virtual void Commit() = 0;
};

class SqlDatabase {
public:
    virtual ~SqlDatabase() = default;
    // "sqlite" or "postgresql".
    virtual std::string Kind() const = 0;
    // Runs `work` on a session of its own; sessions of different threads may run at once.
    virtual void WithSession(const std::function<void(SqlSession&)>& work) = 0;
};

// "sqlite:PATH" or "postgresql://..." (libpq's connection address). Throws DatabaseError.
std::unique_ptr<SqlDatabase> OpenDatabase(const std::string& address);

// The text of a prepared statement. SQLite and PostgreSQL both read "$N" as the Nth parameter.
const char* StatementText(Statement statement);

}  // namespace server

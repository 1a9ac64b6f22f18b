// SQLite: one connection, one session at a time. A submission's statements are a few
// microseconds each; the replay, not the database, is what a submission waits for.
#include <sqlite3.h>

#include <filesystem>
#include <map>
#include <mutex>
#include <optional>

#include "server/sql_database.h"
#include "server/database_openers.h"

namespace server {

namespace {

class SqliteSession : public SqlSession {
public:
    explicit SqliteSession(sqlite3* db) : db_(db) {}
    ~SqliteSession() override {
        for (auto& [statement, prepared] : prepared_) sqlite3_finalize(prepared);
    }

    SqlRows Run(Statement statement, const std::vector<SqlValue>& parameters) override {
        sqlite3_stmt* prepared = Prepared(statement);
        sqlite3_reset(prepared);
        sqlite3_clear_bindings(prepared);
        for (std::size_t i = 0; i < parameters.size(); ++i) {
            const int index = static_cast<int>(i) + 1;
            const SqlValue& value = parameters[i];
            const int status = value.isInteger
                                   ? sqlite3_bind_int64(prepared, index, value.integer)
                                   : sqlite3_bind_text(prepared, index, value.text.data(),
                                                       static_cast<int>(value.text.size()), SQLITE_TRANSIENT);
            Check(status, "binding a parameter");
        }
        SqlRows rows;
        for (int status = sqlite3_step(prepared); status != SQLITE_DONE; status = sqlite3_step(prepared)) {
            if (status != SQLITE_ROW) Check(status, StatementText(statement));
            std::vector<std::string>& row = rows.emplace_back();
            for (int column = 0; column < sqlite3_column_count(prepared); ++column) {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(prepared, column));
                row.emplace_back(text != nullptr ? text : "");
            }
        }
        sqlite3_reset(prepared);
        return rows;
    }

    void ExecuteSchema(const std::string& sql) override {
        Check(sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr), sql.c_str());
    }
    void Begin() override { ExecuteSchema("BEGIN IMMEDIATE"); }
    void Commit() override { ExecuteSchema("COMMIT"); }

private:
    sqlite3_stmt* Prepared(Statement statement) {
        auto found = prepared_.find(statement);
        if (found != prepared_.end()) return found->second;
        sqlite3_stmt* prepared = nullptr;
        Check(sqlite3_prepare_v3(db_, StatementText(statement), -1, SQLITE_PREPARE_PERSISTENT, &prepared, nullptr),
              StatementText(statement));
        return prepared_[statement] = prepared;
    }

    void Check(int status, const char* what) {
        if (status == SQLITE_OK || status == SQLITE_DONE || status == SQLITE_ROW) return;
        throw DatabaseError(std::string("SQLite: ") + sqlite3_errmsg(db_) + " (" + what + ")");
    }

    sqlite3* db_;
    std::map<Statement, sqlite3_stmt*> prepared_;
};

class SqliteDatabase : public SqlDatabase {
public:
    explicit SqliteDatabase(const std::string& path) {
        std::error_code ignored;
        const std::filesystem::path parent = std::filesystem::path(path).parent_path();
        if (!parent.empty()) std::filesystem::create_directories(parent, ignored);
        if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                            nullptr) != SQLITE_OK) {
            const std::string message = db_ != nullptr ? sqlite3_errmsg(db_) : "out of memory";
            sqlite3_close(db_);
            throw DatabaseError("SQLite: cannot open " + path + ": " + message);
        }
        sqlite3_busy_timeout(db_, 5000);
        session_.emplace(db_);
        // Readers do not wait for the writer, and a commit costs one append to the log.
        session_->ExecuteSchema("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;");
    }
    ~SqliteDatabase() override {
        session_.reset();
        sqlite3_close(db_);
    }
    std::string Kind() const override { return "sqlite"; }
    void WithSession(const std::function<void(SqlSession&)>& work) override {
        const std::lock_guard<std::mutex> hold(lock_);
        work(*session_);
    }

private:
    sqlite3* db_ = nullptr;
    std::mutex lock_;
    std::optional<SqliteSession> session_;
};

}  // namespace

std::unique_ptr<SqlDatabase> OpenSqlite(const std::string& path) { return std::make_unique<SqliteDatabase>(path); }

}  // namespace server

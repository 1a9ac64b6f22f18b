// PostgreSQL through libpq: a small pool of connections, each with the statements prepared on
// it the first time they are used; a session takes a connection for its whole work.
#include <libpq-fe.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

#include "server/database_openers.h"
#include "server/sql_database.h"

namespace server {

namespace {

// Two cores replay; a few more connections keep submissions from queueing behind a slow read.
constexpr int kConnections = 4;

struct ResultDeleter {
    void operator()(PGresult* result) const { PQclear(result); }
};
using Result = std::unique_ptr<PGresult, ResultDeleter>;

class PostgresSession : public SqlSession {
public:
    explicit PostgresSession(const std::string& address) : connection_(PQconnectdb(address.c_str())) {
        if (PQstatus(connection_) != CONNECTION_OK) {
            const std::string message = PQerrorMessage(connection_);
            PQfinish(connection_);
            throw DatabaseError("PostgreSQL: cannot connect: " + message);
        }
        Check(Result(PQexec(connection_, "SET client_min_messages = warning")), "the session's settings");
    }
    ~PostgresSession() override { PQfinish(connection_); }
    PostgresSession(const PostgresSession&) = delete;
    PostgresSession& operator=(const PostgresSession&) = delete;

    SqlRows Run(Statement statement, const std::vector<SqlValue>& parameters) override {
        const std::string name = "s" + std::to_string(static_cast<int>(statement));
        if (!prepared_.contains(statement)) {
            Check(Result(PQprepare(connection_, name.c_str(), StatementText(statement), 0, nullptr)),
                  StatementText(statement));
            prepared_.insert(statement);
        }
        std::vector<std::string> texts;
        for (const SqlValue& value : parameters)
            texts.push_back(value.isInteger ? std::to_string(value.integer) : value.text);
        std::vector<const char*> values;
        for (const std::string& text : texts) values.push_back(text.c_str());
        Result result(PQexecPrepared(connection_, name.c_str(), static_cast<int>(values.size()), values.data(), nullptr,
                                     nullptr, 0));
        Check(result, StatementText(statement));
        SqlRows rows(PQntuples(result.get()));
        for (int row = 0; row < PQntuples(result.get()); ++row)
            for (int column = 0; column < PQnfields(result.get()); ++column)
                rows[row].emplace_back(PQgetvalue(result.get(), row, column));
        return rows;
    }

    void ExecuteSchema(const std::string& sql) override {
        Check(Result(PQexec(connection_, sql.c_str())), sql.c_str());
    }
    void Begin() override { ExecuteSchema("BEGIN"); }
    void Commit() override { ExecuteSchema("COMMIT"); }
    bool Broken() const { return PQstatus(connection_) != CONNECTION_OK; }

private:
    void Check(const Result& result, const char* what) {
        const ExecStatusType status = PQresultStatus(result.get());
        if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) return;
        throw DatabaseError(std::string("PostgreSQL: ") + PQerrorMessage(connection_) + " (" + what + ")");
    }

    PGconn* connection_;
    std::set<Statement> prepared_;
};

class PostgresDatabase : public SqlDatabase {
public:
    explicit PostgresDatabase(std::string address) : address_(std::move(address)) {
        idle_.push_back(std::make_unique<PostgresSession>(address_));
    }
    std::string Kind() const override { return "postgresql"; }

    void WithSession(const std::function<void(SqlSession&)>& work) override {
        std::unique_ptr<PostgresSession> session = Take();
        try {
            work(*session);
        } catch (...) {
            // A session that failed mid-way may hold an open transaction or a lost connection:
            // it is closed, and its place given back for a new one.
            Give(nullptr);
            throw;
        }
        Give(std::move(session));
    }

private:
    std::unique_ptr<PostgresSession> Take() {
        std::unique_lock<std::mutex> hold(lock_);
        ready_.wait(hold, [this] { return !idle_.empty() || open_ < kConnections; });
        if (!idle_.empty()) {
            std::unique_ptr<PostgresSession> session = std::move(idle_.back());
            idle_.pop_back();
            return session;
        }
        ++open_;
        hold.unlock();
        try {
            return std::make_unique<PostgresSession>(address_);
        } catch (...) {
            Give(nullptr);
            throw;
        }
    }

    void Give(std::unique_ptr<PostgresSession> session) {
        const std::lock_guard<std::mutex> hold(lock_);
        if (session != nullptr && !session->Broken()) idle_.push_back(std::move(session));
        else --open_;
        ready_.notify_one();
    }

    std::string address_;
    std::mutex lock_;
    std::condition_variable ready_;
    std::vector<std::unique_ptr<PostgresSession>> idle_;
    int open_ = 1;
};

}  // namespace

std::unique_ptr<SqlDatabase> OpenPostgres(const std::string& address) {
    return std::make_unique<PostgresDatabase>(address);
}

}  // namespace server

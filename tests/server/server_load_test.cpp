// 32 clients at once against the program on a loopback port, over each database: valid runs, the same runs again and
// forgeries, mixed. Afterwards every valid run is stored exactly once, every forgery refused, and
// the table equals a recount from the stored runs, each replayed again. STALKWAY_SERVER_LOAD_RUNS
// sets how many runs are sent (2,000 by default, 600 under a sanitizer, which makes each replay
// several times slower), so the same test measures larger loads.
#include <gtest/gtest.h>

#include <httplib.h>
#include <libpq-fe.h>
#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <thread>

#include "server/postgres_cluster.h"
#include "server/server_fixture.h"
#include "server/server_process.h"

namespace {

using Json = nlohmann::json;

constexpr int kClients = 32;

struct Sent {
    std::string maze, player, moves;
    bool valid;  // false: a forgery, to be refused
    std::string Body() const { return server_test::RunBody(maze, player, moves); }
};

// Valid runs are the prefixes of the generated games under ten names; every third valid run is
// sent twice; every fifth run is a forgery: a move the walls refuse, a move after the finish, or
// the classic maze's moves sent as maze 7's, which maze 7 refuses or scores as what they walk there.
std::vector<Sent> Runs(int count, server::RunReplayer& replayer) {
    const std::string games[] = {server_test::ScriptMoves("perfect.script"),
                                 server_test::ScriptMoves("imperfect.script")};
    std::vector<Sent> runs;
    for (int i = 0; static_cast<int>(runs.size()) < count; ++i) {
        const std::string& game = games[i % 2];
        const std::string prefix = game.substr(0, 1 + (i * 7) % game.size());
        const std::string player = "player " + std::to_string(i % 10);
        if (i % 5 == 4) {
            std::string wall = game + "L";
            for (const char extra : std::string("LRUD"))
                if (replayer.Replay(server::MazeId{}, prefix + extra)->Refused()) wall = prefix + extra;
            if (i % 3 != 0) {
                runs.push_back({"classic", player, wall, false});
                continue;
            }
            const auto foreign = replayer.Replay(server::MazeId{7}, prefix);
            runs.push_back({"7", player, prefix, !foreign->Refused()});
            continue;
        }
        runs.push_back({"classic", player, prefix, true});
        if (i % 3 == 0) runs.push_back(runs.back());
    }
    runs.resize(count);
    return runs;
}

struct Row {
    std::int64_t id;
    std::string maze, player, moves;
    int score;
};

constexpr char kSelectRuns[] = "SELECT id, maze, player, moves, score FROM runs";

std::vector<Row> SqliteRows(const std::string& path) {
    sqlite3* db = nullptr;
    std::vector<Row> rows;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) return rows;
    sqlite3_stmt* select = nullptr;
    sqlite3_prepare_v2(db, kSelectRuns, -1, &select, nullptr);
    auto text = [select](int column) {
        return std::string(reinterpret_cast<const char*>(sqlite3_column_text(select, column)));
    };
    while (sqlite3_step(select) == SQLITE_ROW)
        rows.push_back({sqlite3_column_int64(select, 0), text(1), text(2), text(3), sqlite3_column_int(select, 4)});
    sqlite3_finalize(select);
    sqlite3_close(db);
    return rows;
}

std::vector<Row> PostgresRows(const std::string& address) {
    std::vector<Row> rows;
    PGconn* db = PQconnectdb(address.c_str());
    PGresult* result = PQexec(db, kSelectRuns);
    for (int i = 0; PQresultStatus(result) == PGRES_TUPLES_OK && i < PQntuples(result); ++i)
        rows.push_back({std::stoll(PQgetvalue(result, i, 0)), PQgetvalue(result, i, 1), PQgetvalue(result, i, 2),
                        PQgetvalue(result, i, 3), std::stoi(PQgetvalue(result, i, 4))});
    PQclear(result);
    PQfinish(db);
    return rows;
}

class ServerLoad : public ::testing::TestWithParam<const char*> {};

TEST_P(ServerLoad, ThirtyTwoClientsLeaveEveryValidRunStoredOnceAndEveryForgeryRefused) {
    const char* asked = std::getenv("STALKWAY_SERVER_LOAD_RUNS");
#ifdef STALKWAY_SANITIZED
    const int count = asked != nullptr ? std::atoi(asked) : 600;
#else
    const int count = asked != nullptr ? std::atoi(asked) : 2000;
#endif
    ScratchDir scratch;
    server::MadeMazeShelf shelf(server_test::DataFolder(), scratch / "mazes");
    server::RunReplayer replayer(shelf);
    const std::vector<Sent> runs = Runs(count, replayer);

    const bool sqlite = std::string(GetParam()) == "sqlite";
    server_test::PostgresCluster* cluster = sqlite ? nullptr : &server_test::PostgresCluster::Shared();
    if (cluster != nullptr && !cluster->Running()) GTEST_SKIP() << "no PostgreSQL here: " << cluster->Trouble();
    const std::string database = sqlite ? "sqlite:" + scratch / "scores.db" : cluster->NewDatabase();
    server_test::ServerProcess server({"--database", database, "--data", server_test::DataFolder(), "--maze-cache",
                                       scratch / "server-mazes", "--runs-per-minute", "0"});
    ASSERT_GT(server.Port(), 0);
    std::vector<int> statuses(runs.size(), 0);
    std::vector<double> latencies(runs.size(), 0);
    std::atomic<std::size_t> next{0};
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::thread> clients;
    for (int c = 0; c < kClients; ++c) {
        clients.emplace_back([&] {
            httplib::Client client("127.0.0.1", server.Port());
            client.set_read_timeout(60);
            for (std::size_t i = next++; i < runs.size(); i = next++) {
                // A submission may be sent again: the same run is stored once. A kept-alive
                // connection the server closes as the request leaves is such a case.
                const auto sent = std::chrono::steady_clock::now();
                for (int attempt = 0; attempt < 3 && statuses[i] <= 0; ++attempt) {
                    const auto response = client.Post("/api/v1/runs", runs[i].Body(), "application/json");
                    statuses[i] = response ? response->status : -static_cast<int>(response.error());
                }
                latencies[i] =
                    std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - sent).count();
            }
        });
    }
    for (std::thread& client : clients) client.join();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    // The same runs replayed on one thread, for the figure the server is measured against.
    const auto replayStart = std::chrono::steady_clock::now();
    for (const Sent& run : runs) replayer.Replay(server::MazeId{run.maze == "classic" ? 0 : 7}, run.moves);
    const double replaySeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - replayStart).count();
    std::sort(latencies.begin(), latencies.end());
    std::printf(
        "%d runs from %d clients in %.2f s: %.0f runs/s, 99th percentile %.1f ms; replayed on one thread: %.0f "
        "runs/s\n",
        count, kClients, seconds, count / seconds, latencies[latencies.size() * 99 / 100], count / replaySeconds);

    std::set<std::string> valid;
    int created = 0;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const Sent& run = runs[i];
        if (run.valid) valid.insert(run.maze + '\n' + run.player + '\n' + run.moves);
        created += statuses[i] == 201;
        if (run.valid) EXPECT_TRUE(statuses[i] == 201 || statuses[i] == 200) << i << ": " << statuses[i];
        else EXPECT_EQ(statuses[i], 422) << i;
    }
    EXPECT_EQ(created, static_cast<int>(valid.size())) << "each valid run stored once";
    const auto table = httplib::Client("127.0.0.1", server.Port()).Get("/api/v1/mazes/classic/top?limit=100");
    ASSERT_TRUE(table);
    EXPECT_EQ(server.Stop(), 0);

    // The recount: the stored runs are exactly the valid ones, each scored as its replay says, and
    // the table is their order.
    std::vector<Row> rows = sqlite ? SqliteRows(scratch / "scores.db") : PostgresRows(database);
    std::set<std::string> stored;
    for (const Row& row : rows) {
        stored.insert(row.maze + '\n' + row.player + '\n' + row.moves);
        const server::MazeId maze{row.maze == "classic" ? 0 : std::stoll(row.maze)};
        EXPECT_EQ(row.score, replayer.Replay(maze, row.moves)->score) << row.maze << ": " << row.moves;
    }
    EXPECT_EQ(rows.size(), valid.size());
    EXPECT_EQ(stored, valid);
    std::erase_if(rows, [](const Row& row) { return row.maze != "classic"; });
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row& a, const Row& b) { return a.score != b.score ? a.score > b.score : a.id < b.id; });
    const Json served = Json::parse(table->body)["runs"];
    ASSERT_EQ(served.size(), std::min<std::size_t>(100, rows.size()));
    for (std::size_t i = 0; i < served.size(); ++i) {
        EXPECT_EQ(served[i]["player"], rows[i].player) << i;
        EXPECT_EQ(served[i]["score"], rows[i].score) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Databases, ServerLoad, ::testing::Values("sqlite", "postgresql"));

}  // namespace

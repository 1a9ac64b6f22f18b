// The program itself on a loopback port: the API and the site with the isolation headers, a
// table kept across a restart, and command lines it refuses.
#include <gtest/gtest.h>

#include <filesystem>

#include <httplib.h>

#include <nlohmann/json.hpp>

#include "server/server_fixture.h"
#include "server/server_process.h"
#include "support/program_run.h"

namespace {

using Json = nlohmann::json;

TEST(ServerProgram, ServesTheApiAndTheSiteIsolatedAndKeepsItsTableAcrossARestart) {
    ScratchDir scratch;
    scratch.Write("site/index.html", "<p>maze</p>");
    const std::vector<std::string> arguments = {"--database",   "sqlite:" + scratch / "db/scores.db",
                                                "--site",       scratch / "site",
                                                "--data",       server_test::DataFolder(),
                                                "--maze-cache", scratch / "mazes"};
    const std::string perfect = server_test::ScriptMoves("perfect.script");
    const server_test::NumberedGames numbered = server_test::GamesOf(42);
    {
        server_test::ServerProcess server(arguments);
        ASSERT_GT(server.Port(), 0) << server.FirstLine();
        httplib::Client client("127.0.0.1", server.Port());
        const auto page = client.Get("/index.html");
        ASSERT_TRUE(page);
        EXPECT_EQ(page->body, "<p>maze</p>");
        const auto health = client.Get("/api/v1/health");
        ASSERT_TRUE(health);
        for (const httplib::Response* response : {&page.value(), &health.value()}) {
            EXPECT_EQ(response->get_header_value("Cross-Origin-Opener-Policy"), "same-origin");
            EXPECT_EQ(response->get_header_value("Cross-Origin-Embedder-Policy"), "require-corp");
        }
        const auto run = client.Post("/api/v1/runs", server_test::RunBody("classic", "Ann", perfect),
                                     "application/json");
        ASSERT_TRUE(run);
        EXPECT_EQ(run->status, 201);
        EXPECT_EQ(Json::parse(run->body)["score"], server_test::FigureScore("Perfect route"));
        const auto made = client.Post("/api/v1/runs", server_test::RunBody("42", "Ann", numbered.perfect),
                                      "application/json");
        ASSERT_TRUE(made);
        EXPECT_EQ(Json::parse(made->body)["score"], numbered.perfectScore) << made->body;
        EXPECT_TRUE(std::filesystem::exists(scratch / "mazes/42/maze.digest")) << "made into the maze cache";
        const auto big = client.Post("/api/v1/runs", std::string(70'000, ' '), "application/json");
        ASSERT_TRUE(big);
        EXPECT_EQ(big->status, 413);
        EXPECT_FALSE(Json::parse(big->body, nullptr, false).value("error", "").empty()) << big->body;
        EXPECT_EQ(server.Stop(), 0);
    }
    server_test::ServerProcess again(arguments);
    httplib::Client client("127.0.0.1", again.Port());
    const auto table = client.Get("/api/v1/mazes/classic/top?limit=5");
    ASSERT_TRUE(table);
    EXPECT_EQ(Json::parse(table->body)["runs"][0]["player"], "Ann");
}

TEST(ServerProgram, BehindAProxyCountsRunsByTheAddressTheProxyAppends) {
    ScratchDir scratch;
    server_test::ServerProcess server({"--database", "sqlite:" + scratch / "scores.db", "--data",
                                       server_test::DataFolder(), "--runs-per-minute", "1", "--trust-forwarded"});
    httplib::Client client("127.0.0.1", server.Port());
    const struct {
        const char* forwarded;
        int status;
    } sent[] = {{"198.51.100.7", 400}, {"203.0.113.1, 198.51.100.8", 400}, {"203.0.113.1, 198.51.100.7", 429}};
    for (const auto& s : sent) {
        const auto response = client.Post("/api/v1/runs", {{"X-Forwarded-For", s.forwarded}}, "{", "application/json");
        ASSERT_TRUE(response);
        EXPECT_EQ(response->status, s.status) << s.forwarded;
    }
}

TEST(ServerProgram, RefusesABadCommandLineOrDatabase) {
    const struct {
        std::vector<std::string> arguments;
        int exitCode;
    } cases[] = {
        {{"--listen", "localhost"}, 2},
        {{"--listen", "::1:80"}, 2},
        {{"--runs-per-minute", "-1"}, 2},
        {{"--bogus"}, 2},
        {{"--database"}, 2},
        {{"--maze-cache"}, 2},
        {{"--database", "mysql://x", "--data", server_test::DataFolder()}, 1},
        {{"--data", "/nonexistent", "--database", "sqlite:/nonexistent/x.db"}, 1},
    };
    for (const auto& c : cases) {
        const test::ProgramRun run = test::RunProgram("stalkway-server", c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments[0] << ": " << run.err;
        EXPECT_NE(run.err.find("stalkway-server: "), std::string::npos);
    }
}

}  // namespace

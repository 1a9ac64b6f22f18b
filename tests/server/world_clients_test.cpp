// Whole games played by stalkway-replay with --server against the built stalkway-server: the
// game's recorded moves, replayed by the server, land in the world table with the runner's own
// score; a run kept while the server is down arrives at the next start; only the name is sent.
#include <gtest/gtest.h>

#include <httplib.h>

#include <algorithm>
#include <thread>

#include <nlohmann/json.hpp>

#include "server/server_fixture.h"
#include "server/server_process.h"
#include "support/hall_of_fame_file.h"
#include "support/replay_run.h"

namespace {

using Json = nlohmann::json;

constexpr char kQueue[] = "Stalkway/outbox.txt";
// A new game, one move up, and a new game again, which offers the first game's score.
constexpr char kOneMoveThenANewGame[] =
    "frames 50\nclick 68 238\nframes 2\nclick 625 394\nframes 2\nclick 68 238\nframes 5\n";

class WorldClient : public ::testing::Test {
protected:
    void SetUp() override {
        run.CopyGameData("Stalkway");
        SetPlayer("Y");
    }

    void SetPlayer(const char* send) {
        run.WriteFile("options.ini", std::string("[setup]\r\nplayerid=0\r\n[Player1]\r\nname=Ann\r\naddress=1 Field "
                                                 "Lane\r\nemail=ann@example.org\r\nsend=") +
                                         send + "\r\n");
    }

    std::vector<std::string> ServerArguments(int port = 0) const {
        std::vector<std::string> arguments = {"--database", "sqlite:" + scratch / "scores.db", "--data",
                                              server_test::DataFolder()};
        if (port != 0) arguments.insert(arguments.end(), {"--listen", "127.0.0.1:" + std::to_string(port)});
        return arguments;
    }

    // Plays the generated script (or the given one) with --server on the port; the exit code.
    int Play(const std::string& script, int port) {
        const std::string text = script.find('\n') == std::string::npos
                                     ? test::ReadWholeFile(std::string(STALKWAY_BINARY_DIR) + "/game/scripts/" + script)
                                     : script;
        return run.Run(text, {"--server", "http://127.0.0.1:" + std::to_string(port)}, "", "Stalkway");
    }

    // Ann's score in the hall of fame the runner kept; -1 when she is not in it.
    int RunnersScore() const {
        std::string why;
        const auto entries = test::ParseHallOfFame(run.ReadFile("Stalkway/hiscore.dat"), &why);
        for (const auto& entry : entries.value_or(std::vector<test::HallOfFameEntry>{}))
            if (entry.text.rfind("Ann:", 0) == 0) return entry.score;
        return -1;
    }

    static Json WorldTable(int port) {
        httplib::Client client("127.0.0.1", port);
        const auto table = client.Get("/api/v1/mazes/classic/top");
        return table ? Json::parse(table->body, nullptr, false) : Json();
    }

    ScratchDir scratch;
    test::ReplayRun run;
};

class WorldClientScript : public WorldClient, public ::testing::WithParamInterface<const char*> {};

TEST_P(WorldClientScript, AGamesMovesLandInTheWorldTableWithTheRunnersOwnScore) {
    server_test::ServerProcess server(ServerArguments());
    ASSERT_GT(server.Port(), 0) << server.FirstLine();
    ASSERT_EQ(Play(GetParam(), server.Port()), 0) << run.Stderr();
    const Json table = WorldTable(server.Port());
    ASSERT_EQ(table["runs"].size(), 1u) << table.dump();
    EXPECT_EQ(table["runs"][0]["player"], "Ann");
    EXPECT_GT(RunnersScore(), 0);
    EXPECT_EQ(table["runs"][0]["score"], RunnersScore());
    EXPECT_EQ(run.ReadFile(kQueue), "") << "a run the server took leaves the queue";
}

INSTANTIATE_TEST_SUITE_P(Scripts, WorldClientScript, ::testing::Values("perfect.script", "imperfect.script"));

TEST_F(WorldClient, ARunWaitsWhileTheServerIsDownAndArrivesOnceAtTheNextStart) {
    int port = 0;
    {
        server_test::ServerProcess server(ServerArguments());
        port = server.Port();
        ASSERT_GT(port, 0) << server.FirstLine();
    }
    ASSERT_EQ(Play("perfect.script", port), 0) << run.Stderr();
    const std::string queued = run.ReadFile(kQueue);
    ASSERT_EQ(std::count(queued.begin(), queued.end(), '\n'), 1) << queued;
    const Json sent = Json::parse(queued);
    EXPECT_EQ(sent["player"], "Ann");
    EXPECT_EQ(sent["maze"], "classic");
    EXPECT_EQ(sent["moves"], server_test::ScriptMoves("perfect.script"));
    for (const char* kept : {"ann@example.org", "Field Lane", "score"})
        EXPECT_EQ(queued.find(kept), std::string::npos) << kept << " is never sent";

    server_test::ServerProcess back(ServerArguments(port));
    ASSERT_EQ(back.Port(), port) << back.FirstLine();
    ASSERT_EQ(Play("frames 50\n", port), 0) << run.Stderr();
    const Json table = WorldTable(port);
    ASSERT_EQ(table["runs"].size(), 1u) << table.dump();
    EXPECT_EQ(table["runs"][0]["score"], server_test::FigureScore("Perfect route"));
    EXPECT_EQ(run.ReadFile(kQueue), "");
}

// What each answer does to the queued run, from a stand-in server that answers only that: a run the
// server took or refused as bad is done with; no answer, trouble or a limit keep it.
TEST_F(WorldClient, TheServersAnswerSaysWhetherTheRunLeavesTheQueue) {
    const struct {
        int status;
        bool kept;
    } kAnswers[] = {{201, false}, {200, false}, {400, false}, {422, false},
                    {429, true},  {500, true},  {503, true},  {404, true}};
    for (const auto& answer : kAnswers) {
        httplib::Server standIn;
        int posted = 0;
        standIn.Post("/api/v1/runs", [&](const httplib::Request&, httplib::Response& response) {
            ++posted;
            response.status = answer.status;
            response.set_content("{}", "application/json");
        });
        const int port = standIn.bind_to_any_port("127.0.0.1");
        std::thread serving([&standIn] { standIn.listen_after_bind(); });
        run.WriteFile(kQueue, "");
        ASSERT_EQ(Play(kOneMoveThenANewGame, port), 0) << run.Stderr();
        standIn.stop();
        serving.join();
        EXPECT_GE(posted, 1) << answer.status;
        EXPECT_EQ(run.ReadFile(kQueue).empty(), !answer.kept) << answer.status << ": " << run.ReadFile(kQueue);
    }
}

TEST_F(WorldClient, TheSendFlagNSendsNothing) {
    SetPlayer("N");
    server_test::ServerProcess server(ServerArguments());
    ASSERT_EQ(Play("perfect.script", server.Port()), 0) << run.Stderr();
    EXPECT_EQ(RunnersScore(), server_test::FigureScore("Perfect route")) << "the game was played";
    EXPECT_TRUE(WorldTable(server.Port())["runs"].empty());
    EXPECT_EQ(run.ReadFile(kQueue), "");
}

}  // namespace

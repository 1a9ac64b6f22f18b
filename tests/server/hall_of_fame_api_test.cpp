// The API over each database: runs replayed, ranked and stored once; hostile requests refused
// with nothing stored; the rate limit and the table's parameters.
#include <gtest/gtest.h>

#include <cstdint>
#include <nlohmann/json.hpp>
#include <vector>

#include "server/server_fixture.h"

namespace {

using Json = nlohmann::json;
using server_test::RunBody;

class WorldTable : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        std::string why;
        auto database = server_test::FreshDatabase(GetParam(), scratch, &why);
        if (!database) GTEST_SKIP() << "no PostgreSQL here: " << why;
        world = std::make_unique<server_test::ApiWorld>(std::move(database), 30, scratch / "mazes");
    }
    Json Submit(const std::string& body, int status, const std::string& address = "192.0.2.1") {
        const server::ApiResponse response = world->api.SubmitRun(body, address);
        EXPECT_EQ(response.status, status) << body.substr(0, 120) << " -> " << response.body;
        return Json::parse(response.body);
    }
    Json Table(const std::string& maze = "classic", std::optional<std::string> limit = std::nullopt) {
        const server::ApiResponse response = world->api.Top(maze, limit);
        EXPECT_EQ(response.status, 200) << response.body;
        return Json::parse(response.body).value("runs", Json::array());
    }

    ScratchDir scratch;
    std::unique_ptr<server_test::ApiWorld> world;
    const std::string perfect = server_test::ScriptMoves("perfect.script");
    const std::string short_ = server_test::ScriptMoves("imperfect.script");
};

TEST_P(WorldTable, RunsAreScoredByTheirMovesRankedEarlierFirstAndStoredOnce) {
    const int best = server_test::FigureScore("Perfect route");
    EXPECT_EQ(Submit(RunBody("classic", "Bob", short_), 201)["score"], server_test::FigureScore("Short game"));
    Json forged = Json::parse(RunBody("classic", "Ann", perfect));
    forged["score"] = 99'999'999;
    EXPECT_EQ(Submit(forged.dump(), 201), (Json{{"score", best}, {"perfect", true}, {"finished", true}, {"rank", 1}}));
    world->nowMs += 1000;
    EXPECT_EQ(Submit(RunBody("classic", "Cid", perfect), 201)["rank"], 2) << "an equal score ranks after the earlier";
    EXPECT_EQ(Submit(RunBody("classic", "Ann", perfect), 200)["rank"], 1) << "the same run again is not stored again";

    const Json table = Table();
    ASSERT_EQ(table.size(), 3u);
    const char* order[] = {"Ann", "Cid", "Bob"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(table[i]["player"], order[i]);
        EXPECT_EQ(table[i]["rank"], i + 1);
    }
    EXPECT_EQ(table[0]["moves"], perfect.size());
    EXPECT_EQ(table[2]["perfect"], false);
    EXPECT_EQ(table[0]["submitted"], server::UtcTime(1'780'000'000'000));
}

struct Hostile {
    const char* what;
    std::string body;
    int status;
};

TEST_P(WorldTable, HostileRequestsAreRefusedWithAReasonAndStoreNothing) {
    // A move the walls refuse after the 40th.
    std::string wall;
    for (const char extra : std::string("LRUD")) {
        const std::string tried = perfect.substr(0, 40) + extra;
        if (wall.empty() && world->replayer.Replay(server::MazeId{}, tried)->Refused()) wall = tried;
    }
    ASSERT_FALSE(wall.empty());
    const Hostile requests[] = {
        {"broken JSON", R"({"maze": "classic", "player": )", 400},
        {"not an object", R"(["classic", "Ann", "L"])", 400},
        {"no moves", R"({"maze": "classic", "player": "Ann"})", 400},
        {"maze 0", RunBody("0", "Ann", perfect), 400},
        {"a negative maze", RunBody("-3", "Ann", perfect), 400},
        {"a maze past the last", RunBody("100000000", "Ann", perfect), 400},
        {"a maze that is no number", R"({"maze": "12x", "player": "Ann", "moves": "L"})", 400},
        {"a fractional maze", R"({"maze": 3.5, "player": "Ann", "moves": "L"})", 400},
        {"an empty name", RunBody("classic", "", perfect), 400},
        {"a name of 64", RunBody("classic", std::string(64, 'a'), perfect), 400},
        {"a colon in the name", RunBody("classic", "Ann:x", perfect), 400},
        {"a control in the name", RunBody("classic", "Ann\n", perfect), 400},
        {"a name that is no text", R"({"maze": "classic", "player": 7, "moves": "L"})", 400},
        {"moves past 10000", RunBody("classic", "Ann", std::string(10'001, 'L')), 400},
        {"a letter that is no move", RunBody("classic", "Ann", "LRX"), 400},
        {"no moves at all", RunBody("classic", "Ann", ""), 400},
        {"a body past 64 KiB", RunBody("classic", std::string(70'000, 'a'), "L"), 413},
        {"a move the maze refuses", RunBody("classic", "Ann", wall), 422},
    };
    for (const Hostile& request : requests) {
        const Json answer = Submit(request.body, request.status, std::string("198.51.100.") + request.what);
        EXPECT_FALSE(answer.value("error", "").empty()) << request.what;
    }
    EXPECT_EQ(Submit(RunBody("classic", "Ann", wall), 422)["index"], 40);
    EXPECT_TRUE(Table().empty());
}

TEST_P(WorldTable, EachAddressHasThirtyRunsAMinute) {
    for (int i = 0; i < 30; ++i) Submit("{", 400);
    Submit(RunBody("classic", "Ann", perfect), 429);
    Submit(RunBody("classic", "Ann", perfect), 201, "203.0.113.9");
    world->nowMs += 60'000;
    Submit(RunBody("classic", "Ann", short_), 201);
}

TEST_P(WorldTable, TheTableTakesALimitUpToAHundredAndAMazeAsTheProgramsNameIt) {
    for (const char* player : {"A", "B", "C"}) Submit(RunBody("classic", player, short_), 201);
    EXPECT_EQ(Table("classic", "2").size(), 2u);
    EXPECT_EQ(Table("classic", "100").size(), 3u);
    for (const char* limit : {"0", "101", "x", "", "2.5"})
        EXPECT_EQ(world->api.Top("classic", std::string(limit)).status, 400) << limit;
    EXPECT_TRUE(Table("7").empty()) << "a maze nobody has played yet";
    EXPECT_EQ(Table("today").size(), 0u);
    EXPECT_EQ(world->api.Top("seven", std::nullopt).status, 400);
    EXPECT_EQ(Json::parse(world->api.Health().body)["database"], GetParam());
}

// Numbered mazes are made on first use from their number. Their generated games score what the
// generator's figures say (which the runner reaches too, tests/play), each table is its own, and a
// run of another maze's moves is refused or scored as what it walks there.
TEST_P(WorldTable, NumberedMazesAreMadeOnFirstUseAndScoredByTheirOwnRules) {
    const std::uint32_t numbers[] = {42, 20261208, 99999999};
    std::vector<server_test::NumberedGames> games;
    for (const std::uint32_t number : numbers) games.push_back(server_test::GamesOf(number));
    for (std::size_t i = 0; i < games.size(); ++i) {
        const std::string maze = std::to_string(numbers[i]);
        const server_test::NumberedGames& game = games[i];
        const Json best = Submit(RunBody(maze, "Ann", game.perfect), 201);
        EXPECT_EQ(best["score"], game.perfectScore) << maze;
        EXPECT_EQ(best["perfect"], true) << maze;
        EXPECT_EQ(Submit(RunBody(maze, "Bob", game.short_), 201)["score"], game.shortScore) << maze;
        // Another maze's perfect game: refused where its walls stand, or scored as what it walks.
        const std::string& other = games[(i + 1) % games.size()].perfect;
        const server::ApiResponse foreign = world->api.SubmitRun(RunBody(maze, "Cid", other), "192.0.2.7");
        ASSERT_TRUE(foreign.status == 422 || foreign.status == 201) << foreign.body;
        if (foreign.status == 201) {
            EXPECT_FALSE(Json::parse(foreign.body)["perfect"].get<bool>()) << maze;
        }
        const Json table = Table(maze);
        ASSERT_GE(table.size(), 2u) << maze;
        EXPECT_EQ(table[0]["player"], "Ann");
        EXPECT_EQ(table[0]["score"], game.perfectScore);
    }
    EXPECT_EQ(Submit(RunBody("classic", "Ann", games[0].perfect), 422)["index"].is_number(), true)
        << "a numbered maze's game is no classic one";
    EXPECT_TRUE(Table().empty());
    EXPECT_EQ(world->shelf.MadeCount(), 3);
}

INSTANTIATE_TEST_SUITE_P(Databases, WorldTable, ::testing::Values("sqlite", "postgresql"));

}  // namespace

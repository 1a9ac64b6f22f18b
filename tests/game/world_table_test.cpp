// The launcher's world table: what a server sends, what a broken or hostile answer must not turn
// into rows (or a crash), and the thread that fetches it.
#include <gtest/gtest.h>

#include <httplib.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "launcher/world_table.h"
#include "launcher/world_table_fetch.h"

namespace {

TEST(WorldRows, ReadsTheServersAnswerAndRefusesAnythingElse) {
    const auto rows = ReadWorldRows(
        R"( {"maze": 7, "runs": [ {"rank": 1, "player": "A\u0041\"\\", "score": 2214822, "perfect": true,)"
        R"( "moves": 205, "submitted": "x", "extra": [null, false, {"a": -3}]}, {"rank": 2, "player": "B\u00e9",)"
        R"( "score": 12} ]} )");
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 2u);
    EXPECT_EQ((*rows)[0].name, "AA\"\\");
    EXPECT_EQ((*rows)[0].score, 2214822);
    EXPECT_EQ((*rows)[1].rank, 2);
    EXPECT_EQ((*rows)[1].name, "B?") << "beyond ASCII the font has no letter";
    for (const char* broken :
         {"", "{", R"({"runs": [)", R"({"runs": [{"player": "A}]})", R"({"runs": [{"player": "\u00G1"}]})",
          R"({"runs": []} x)", R"({"error": "maze 9 is not served here"})",
          R"({"runs": [{"score": 1234567890123456789012}]})",
          R"([[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]])",
          "{\"runs\": [{\"player\": \"A\\"})
        EXPECT_FALSE(ReadWorldRows(broken)) << broken;
    EXPECT_EQ(ReadWorldRows(R"({"runs": []})").value_or(std::vector<FameRow>(1)).size(), 0u);
}

// The launcher's fetch: asking never waits for the server, and of two requests only the newer one's
// table comes, even when the older one's answer is the later. The stand-in holds the classic maze's
// answer until the test lets it go (at most ten seconds), so that the order is the test's own.
TEST(WorldTableFetch, AsksWithoutWaitingAndKeepsOnlyTheNewestTable) {
    httplib::Server standIn;
    std::mutex lock;
    std::condition_variable changed;
    bool letGo = false;
    int asked = 0;
    standIn.Get(R"(/api/v1/mazes/(\w+)/top)", [&](const httplib::Request& request, httplib::Response& response) {
        std::unique_lock<std::mutex> hold(lock);
        ++asked;
        changed.notify_all();
        const bool classic = request.matches[1] == "classic";
        if (classic) changed.wait_for(hold, std::chrono::seconds(10), [&] { return letGo; });
        response.set_content(
            std::string(R"({"runs": [{"rank": 1, "player": ")") + (classic ? "Old" : "New") + R"(", "score": 5}]})",
            "application/json");
    });
    const int port = standIn.bind_to_any_port("127.0.0.1");
    std::thread serving([&standIn] { standIn.listen_after_bind(); });
    const std::string server = "http://127.0.0.1:" + std::to_string(port);

    WorldTableFetch fetch;
    ASSERT_TRUE(fetch.Start(nullptr));
    fetch.Ask(server, 0);
    {
        std::unique_lock<std::mutex> hold(lock);
        ASSERT_TRUE(changed.wait_for(hold, std::chrono::seconds(10), [&] { return asked == 1; }));
    }
    fetch.Ask(server, 7);
    EXPECT_FALSE(fetch.Take()) << "nothing has come while the server holds its answer";
    {
        const std::lock_guard<std::mutex> hold(lock);
        letGo = true;
        changed.notify_all();
    }
    std::optional<WorldTable> table;
    for (int i = 0; i < 1000 && !table; ++i) {
        table = fetch.Take();
        if (!table) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_TRUE(table) << "maze 7's table never came";
    EXPECT_EQ(table->state, WorldTable::State::kShown);
    ASSERT_EQ(table->rows.size(), 1u);
    EXPECT_EQ(table->rows[0].name, "New");
    EXPECT_FALSE(fetch.Take()) << "a table is taken once";
    fetch.Stop();
    standIn.stop();
    serving.join();
}

}  // namespace

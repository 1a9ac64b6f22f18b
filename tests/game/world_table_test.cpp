// The launcher's reading of a world table: what a server sends, and what a broken or hostile
// answer must not turn into rows (or a crash).
#include <gtest/gtest.h>

#include <string>

#include "launcher/world_table.h"

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

}  // namespace

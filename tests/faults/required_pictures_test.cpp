// The pictures the game cannot be played without: missing, damaged, too large or of the wrong
// kind, each stops the game at the start with a message naming the file and saying what is wrong.
#include <gtest/gtest.h>

#include <string>

#include "platform/bmp_builder.h"
#include "support/replay_run.h"

namespace {

std::string Bytes(const testing_bmp::BmpFields& fields) {
    const std::vector<std::uint8_t> bytes = testing_bmp::BuildBmp(fields);
    return std::string(bytes.begin(), bytes.end());
}

// A picture of the maze's size in 24-bit colour: it loads at 16 bits, but has no palette to map.
std::string TrueColourMaze() {
    testing_bmp::BmpFields fields;
    fields.width = 420;
    fields.height = 420;
    fields.pixels.assign(420 * 420 * 3, 0xFF);
    return Bytes(fields);
}

// A file whose header asks for a picture far beyond the loader's limits.
std::string HugePicture() {
    testing_bmp::BmpFields fields;
    fields.width = 20000;
    fields.height = 20000;
    fields.pixels.assign(64, 0);
    return Bytes(fields);
}

struct Stop {
    int exitCode;
    std::string log;
    std::string stderrText;
};

Stop StartWith(const std::string& name, const std::string& bytes, const std::vector<std::string>& options = {}) {
    test::ReplayRun run;
    run.CopyGameData();
    if (!bytes.empty()) run.WriteFile(name, bytes);
    const int code = run.Run("frames 5\n", options);
    return {code, run.Log(), run.Stderr()};
}

std::string Message(const std::string& file, const std::string& trouble) {
    return "messagebox The game cannot start: the picture \"" + file + "\" " + trouble + ".|";
}

TEST(RequiredPictures, ATrueColourMazeIsNamedAsNeedingTwoHundredFiftySixColours) {
    const Stop stop = StartWith("maze02.bmp", TrueColourMaze());
    EXPECT_EQ(stop.exitCode, 1);
    EXPECT_NE(stop.log.find(Message("maze02.bmp", "must be a 256-colour picture")), std::string::npos) << stop.log;
    EXPECT_NE(stop.stderrText.find("maze02.bmp"), std::string::npos) << stop.stderrText;
}

TEST(RequiredPictures, APictureAskingTooMuchIsCalledTooLarge) {
    for (const char* file : {"maze02.bmp", "hilite2.bmp", "left.bmp"}) {
        const Stop stop = StartWith(file, HugePicture());
        EXPECT_EQ(stop.exitCode, 1) << file;
        EXPECT_NE(stop.log.find(Message(file, "is too large")), std::string::npos) << stop.log;
    }
}

class RequiredButton : public ::testing::TestWithParam<std::string> {};

TEST_P(RequiredButton, MissingOrDamagedStopsTheGameNamingIt) {
    const std::string file = GetParam();
    const Stop missing = StartWith(file, "", {"--fail", "asset:" + file});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.log.find(Message(file, "is missing or damaged")), std::string::npos) << missing.log;
    const Stop damaged = StartWith(file, "BM not a picture");
    EXPECT_EQ(damaged.exitCode, 1);
    EXPECT_NE(damaged.log.find(Message(file, "is missing or damaged")), std::string::npos) << damaged.log;
}

INSTANTIATE_TEST_SUITE_P(PadAndCommands, RequiredButton,
                         ::testing::Values("left.bmp", "right.bmp", "up.bmp", "down.bmp", "newgame.bmp", "reverse.bmp"),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             return info.param.substr(0, info.param.find('.'));
                         });

}  // namespace

// The runner's injected faults, end to end: without a sound device, without the multimedia timer,
// in a data folder that refuses writes, and with any one of the game's files missing. Each time the
// game either plays on or stops with a message that names what is wrong, and the stored hall of
// fame is never lost.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "support/hall_of_fame_file.h"
#include "support/replay_run.h"

namespace {

namespace fs = std::filesystem;

std::string Generated(const std::string& name) {
    return test::ReadWholeFile(std::string(STALKWAY_BINARY_DIR) + "/game/scripts/" + name);
}

// The perfect game, then a look at the screen it ends on.
std::string PerfectGameScript() { return Generated("perfect.script") + "frames 20\nshot end\n"; }

// The start of the perfect game, the help page opened and closed, and a new game, which puts the
// first one into the hall of fame.
std::string ShortGameScript() {
    const std::string perfect = Generated("perfect.script");
    std::size_t end = perfect.find("# move 16:");
    if (end == std::string::npos) end = perfect.size();
    return perfect.substr(0, end) +
           "frames 5\nclick 68 290\nframes 20\nclick 400 300\nframes 20\n"
           "click 68 238\nframes 5\nshot end\n";
}

int PerfectScore() {
    std::smatch match;
    const std::string figures = Generated("maze.txt");
    return std::regex_search(figures, match, std::regex("Perfect route:[^\\n]*score ([0-9]+)")) ? std::stoi(match[1])
                                                                                                : -1;
}

const test::HallOfFameEntry kOldEntry{"Old Timer:Cornfield Lane:old@timer.example:Y", 7};

// Everything in the folder but what the runner itself writes, with sizes.
std::set<std::string> FolderListing(const std::string& folder) {
    std::set<std::string> listing;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string name = fs::relative(entry.path(), folder).string();
        if (name.rfind("shots", 0) == 0 || name == "run.log" || name == "stdout.txt" || name == "stderr.txt" ||
            name == "test.script")
            continue;
        listing.insert(name + (entry.is_regular_file() ? " " + std::to_string(entry.file_size()) : ""));
    }
    return listing;
}

std::vector<test::HallOfFameEntry> HallOfFame(const test::ReplayRun& run) {
    std::string why;
    auto entries = test::ParseHallOfFame(run.ReadFile("hiscore.dat"), &why);
    EXPECT_TRUE(entries.has_value()) << why;
    return entries.value_or(std::vector<test::HallOfFameEntry>(20));
}

// The short game played without faults: its log, its last picture and the score it saved.
struct Played {
    std::string log;
    std::vector<std::uint8_t> end;
    std::int32_t score = 0;
};

const Played& ShortGameWithoutFaults() {
    static const Played played = [] {
        test::ReplayRun run;
        run.CopyGameData();
        EXPECT_EQ(run.Run(ShortGameScript()), 0);
        return Played{run.Log(), run.LoadShot("end").rgb, HallOfFame(run)[0].score};
    }();
    return played;
}

class Faults : public ::testing::Test {
protected:
    void SetUp() override { run_.CopyGameData(); }
    test::ReplayRun run_;
};

TEST_F(Faults, WithoutASoundDeviceTheGameIsPlayedAlikeInSilence) {
    const Played& normal = ShortGameWithoutFaults();
    ASSERT_EQ(run_.Run(ShortGameScript(), {"--fail", "sound-device"}), 0);
    EXPECT_EQ(run_.Stderr(), "");
    EXPECT_EQ(run_.LoadShot("end").rgb, normal.end);
    // Every effect the game asked for is reported missing, at the same frame as with sound.
    const std::regex missing(" sound-missing ");
    const std::string log = run_.Log();
    EXPECT_EQ(log.find(" sound "), std::string::npos);
    EXPECT_EQ(std::regex_replace(log, missing, " sound "), std::regex_replace(normal.log, missing, " sound "));
    EXPECT_NE(log.find(" sound-missing positive"), std::string::npos);
    EXPECT_GT(normal.score, 0);
    EXPECT_EQ(HallOfFame(run_)[0].score, normal.score);
}

TEST_F(Faults, WithoutTheMultimediaTimerTheClockFallsBackAndTheGameIsPlayedAlike) {
    const Played& normal = ShortGameWithoutFaults();
    ASSERT_EQ(run_.Run(ShortGameScript(), {"--fail", "timer"}), 0);
    EXPECT_EQ(run_.Stderr(), "");
    EXPECT_EQ(run_.Log(), normal.log);
    EXPECT_EQ(run_.LoadShot("end").rgb, normal.end);
    EXPECT_EQ(HallOfFame(run_)[0].score, normal.score);
}

TEST_F(Faults, AMissingSoundIsReportedMissingAndTheRestStillSound) {
    const Played& normal = ShortGameWithoutFaults();
    ASSERT_EQ(run_.Run(ShortGameScript(), {"--fail", "asset:sounds\\BELL.wav"}), 0);
    const std::string log = run_.Log();
    EXPECT_EQ(std::regex_replace(log, std::regex(" sound-missing bell"), " sound bell"), normal.log);
    EXPECT_NE(log.find(" sound-missing bell"), std::string::npos);
    EXPECT_NE(log.find(" sound positive"), std::string::npos);
}

TEST_F(Faults, AFolderThatRefusesWritesKeepsTheStoredFilesAsTheyWere) {
    const std::string table = test::HallOfFameBytes({kOldEntry});
    const std::string winner("\x02\0\0\0\x05\0\0\0\x01\0\0\0\x02\0\0\0", 16);
    run_.WriteFile("hiscore.dat", table);
    run_.WriteFile("winner.dat", winner);
    const auto before = FolderListing(run_.Folder());

    // A perfect game tries to write both files. It plays on to the end, but neither file can be
    // replaced, and nothing is left half-written beside them.
    ASSERT_EQ(run_.Run(PerfectGameScript(), {"--fail", "write"}), 0);
    EXPECT_EQ(run_.Stderr(), "");
    EXPECT_TRUE(run_.ShotExists("end"));
    EXPECT_EQ(run_.ReadFile("hiscore.dat"), table);
    EXPECT_EQ(run_.ReadFile("winner.dat"), winner);
    EXPECT_EQ(FolderListing(run_.Folder()), before);

    // Once writes work again, the kept table takes the next game's score above its old entry.
    ASSERT_EQ(run_.Run(PerfectGameScript()), 0);
    const auto entries = HallOfFame(run_);
    EXPECT_EQ(entries[0].score, PerfectScore());
    EXPECT_EQ(entries[1], kOldEntry);
    EXPECT_NE(run_.ReadFile("winner.dat"), winner);
}

TEST(FaultOptions, AnUnknownFaultIsAUsageError) {
    test::ReplayRun run;
    EXPECT_EQ(run.Run("frames 1\n", {"--fail", "disk"}), 2);
    EXPECT_NE(run.Stderr().find("unknown fault disk"), std::string::npos);
    EXPECT_EQ(run.Run("frames 1\n", {"--fail", "asset:"}), 2);
}

// Every file of the game's data, relative to its folder, as listed when the tests start.
std::vector<std::string> DataFiles() {
    std::vector<std::string> files;
    const fs::path folder = fs::path(STALKWAY_BINARY_DIR) / "game" / "made" / "Stalkway";
    std::error_code ignored;
    for (const auto& entry : fs::recursive_directory_iterator(folder, ignored))
        if (entry.is_regular_file()) files.push_back(fs::relative(entry.path(), folder).generic_string());
    std::sort(files.begin(), files.end());
    return files;
}

class MissingFile : public ::testing::TestWithParam<std::string> {};

// Either the game plays the whole script (without a button's picture that button cannot be
// clicked), or it stops at once with a message naming the file; the hall of fame stays whole.
TEST_P(MissingFile, TheGamePlaysOnOrStopsNamingItAndTheHallOfFameStaysWhole) {
    test::ReplayRun run;
    run.CopyGameData();
    run.WriteFile("hiscore.dat", test::HallOfFameBytes({kOldEntry}));
    const std::string name = GetParam();
    const int exitCode = run.Run(ShortGameScript(), {"--fail", "asset:" + name});
    const std::string file = fs::path(name).filename().string();
    if (exitCode == 0) {
        EXPECT_EQ(run.Stderr(), "");
        EXPECT_TRUE(run.ShotExists("end")) << "the game ended before the script did";
    } else {
        EXPECT_EQ(exitCode, 1);
        EXPECT_NE(run.Log().find("messagebox"), std::string::npos);
        EXPECT_NE(run.Log().find(file), std::string::npos) << run.Log();
        EXPECT_NE(run.Stderr().find(file), std::string::npos) << run.Stderr();
    }
    std::string why;
    const auto entries = test::ParseHallOfFame(run.ReadFile("hiscore.dat"), &why);
    ASSERT_TRUE(entries.has_value()) << why;
    EXPECT_NE(std::find(entries->begin(), entries->end(), kOldEntry), entries->end());
}

INSTANTIATE_TEST_SUITE_P(EveryDataFile, MissingFile, ::testing::ValuesIn(DataFiles()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

}  // namespace

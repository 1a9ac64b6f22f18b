// The soak: a long run of seeded random clicks through the runner. Nothing may crash or be reported
// by a sanitizer, the resident memory may not grow once the program has settled, and the hall of
// fame has to be a whole, valid file every time anyone looks, not only at the end.
//
// 50,000 frames by default, 10,000 in the sanitizer builds (whose checks on every pixel copied make
// a frame some twenty times dearer); STALKWAY_SOAK_FRAMES asks for more (run the test program
// directly then: ctest stops a test after five minutes), and STALKWAY_SOAK_SEED for other clicks.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <thread>

#include "soak/soak_script_support.h"
#include "support/hall_of_fame_file.h"
#include "support/replay_run.h"

namespace {

std::uint64_t FromEnvironment(const char* name, std::uint64_t fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtoull(text, nullptr, 10) : fallback;
}

// How many log lines hold `text`.
int LogCount(const std::string& log, const std::string& text) {
    int count = 0;
    for (std::size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) ++count;
    return count;
}

// The runner's "stats <name> <value>" lines.
std::map<std::string, long long> Stats(const std::string& output) {
    std::map<std::string, long long> stats;
    std::istringstream lines(output);
    std::string word, name;
    long long value = 0;
    while (lines >> word) {
        if (word == "stats" && lines >> name >> value) stats[name] = value;
    }
    return stats;
}

#ifdef STALKWAY_SANITIZED
constexpr std::uint64_t kDefaultFrames = 10000;
#else
constexpr std::uint64_t kDefaultFrames = 50000;
#endif

TEST(Soak, RandomClicksRunWithoutFaultOrGrowthAndTheHallOfFameIsAlwaysWhole) {
    const std::uint64_t frames = FromEnvironment("STALKWAY_SOAK_FRAMES", kDefaultFrames);
    const auto seed = static_cast<std::uint32_t>(FromEnvironment("STALKWAY_SOAK_SEED", 7));
    test::ReplayRun run;
    run.CopyGameData();
    const std::string script = soak::SoakScript(seed, frames);

    std::atomic<bool> finished{false};
    int exitCode = -1;
    std::thread runner([&] {
        exitCode = run.Run(script, {"--stats"});
        finished = true;
    });
    // Readers never see a half-written table: the game replaces the file in one step.
    int looks = 0;
    std::string problem;
    while (!finished) {
        const std::string bytes = run.ReadFile("hiscore.dat");
        if (!bytes.empty() && problem.empty()) {
            ++looks;
            if (!test::ParseHallOfFame(bytes, &problem)) problem = "look " + std::to_string(looks) + ": " + problem;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    runner.join();

    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(run.Stderr(), "") << "a crash, or a sanitizer's report";
    EXPECT_EQ(problem, "");
    std::string why;
    const auto table = test::ParseHallOfFame(run.ReadFile("hiscore.dat"), &why);
    ASSERT_TRUE(table.has_value()) << why;
    EXPECT_GT((*table)[0].score, 0) << "no game was played and saved";
    for (const auto& entry : std::filesystem::directory_iterator(run.Folder()))
        EXPECT_NE(entry.path().extension(), ".tmp") << "a temporary file left behind: " << entry.path();

    const auto stats = Stats(run.Stdout());
    EXPECT_GE(stats.count("end_frame") ? stats.at("end_frame") : 0, static_cast<long long>(frames))
        << "the program ended before the script";
    const long long settled = stats.count("resident_kib_at_frame_10000") ? stats.at("resident_kib_at_frame_10000") : 0;
    const long long most = stats.count("resident_kib_most_after_frame_10000")
                               ? stats.at("resident_kib_most_after_frame_10000")
                               : 0;
    const std::string log = run.Log();
    std::printf(
        "soak: %llu frames; %d moves, %d dead ends, %d help pages, %d about pages; %d looks at the hall of "
        "fame, best %d; resident %lld KiB at frame 10000, at most %lld KiB after, %lld KiB at the end\n",
        static_cast<unsigned long long>(frames), LogCount(log, " positive\n"), LogCount(log, " nomove\n"),
        LogCount(log, " click\n"), LogCount(log, "shell "), looks, (*table)[0].score, settled, most,
        stats.count("resident_kib_at_end") ? stats.at("resident_kib_at_end") : 0);
#ifndef STALKWAY_SANITIZED
    ASSERT_GT(settled, 0);
    EXPECT_LT(most - settled, 1024) << "resident memory grew after the program had settled";
#endif
}

}  // namespace
